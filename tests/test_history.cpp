// The history dialog driven from inside its own modal loop. Every run also
// checks that the dialog gave back every handle it took and left no window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "Hosts.h"
#include "history/HistoryLogic.h"
#include "resource.h"
#include "tavrokessaui.h"

namespace {

HWND ListOf(HWND dialog) { return GetDlgItem(dialog, IDC_HISTORY_LIST); }
HWND HeaderOf(HWND dialog) { return reinterpret_cast<HWND>(SendMessageA(ListOf(dialog), LVM_GETHEADER, 0, 0)); }
LRESULT ToList(HWND dialog, UINT message, WPARAM wParam, const void* data = nullptr) {
    return SendMessageA(ListOf(dialog), message, wParam, reinterpret_cast<LPARAM>(data));
}
int Rows(HWND dialog) { return static_cast<int>(ToList(dialog, LVM_GETITEMCOUNT, 0)); }
int SelectedRow(HWND dialog) { return tkt::FirstSelectedItem(ListOf(dialog)); }

std::string Cell(HWND dialog, int row, int subItem) { return tkt::ItemText(ListOf(dialog), row, subItem); }

LVITEMA Item(HWND dialog, int row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    ToList(dialog, LVM_GETITEMA, 0, &item);
    return item;
}

std::vector<int> Order(HWND dialog) {  // item data (entry positions) from the top
    std::vector<int> positions;
    for (int row = 0; row < Rows(dialog); ++row) positions.push_back(static_cast<int>(Item(dialog, row).lParam));
    return positions;
}

std::vector<int> Marked(HWND dialog) {  // entry positions of the rows with the marker
    std::vector<int> positions;
    for (int row = 0; row < Rows(dialog); ++row)
        if (Item(dialog, row).iImage == tk::kImageLocal) positions.push_back(static_cast<int>(Item(dialog, row).lParam));
    return positions;
}

int RowOf(HWND dialog, int position) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = position;
    return static_cast<int>(ToList(dialog, LVM_FINDITEMA, static_cast<WPARAM>(-1), &find));
}

HDITEMA HeaderItem(HWND dialog, int column) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    SendMessageA(HeaderOf(dialog), HDM_GETITEMA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return item;
}

// Through the list, as a click or an arrow key would: the list notifies the dialog.
void Select(HWND dialog, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = row >= 0 ? item.stateMask : 0;
    ToList(dialog, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &item);
}

void ClickHeader(HWND dialog, int column) {
    RECT rect = {};
    SendMessageA(HeaderOf(dialog), HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(HeaderOf(dialog), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(HeaderOf(dialog), WM_LBUTTONUP, 0, at);
}

void ContextMenu(HWND dialog, short x, short y) {
    PostMessageA(ListOf(dialog), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ListOf(dialog)), MAKELPARAM(x, y));
}

// TrackPopupMenu runs its own loop, in which the driver's timer still ticks and
// which reads keys posted to the popup window (tkt::PopupMenu).
bool Grayed(HWND popup) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    return (GetMenuState(menu, IDM_HISTORY_GET_VERSION, MF_BYCOMMAND) & MF_GRAYED) != 0;
}
void Key(HWND window, UINT vk) {
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
}

bool Settle() { return true; }  // one more tick: what was posted has been handled

struct HistoryDialog : testing::Test {
    HistoryDialog() {
        params.SetKessaPath("$/project/engine.cpp");
        params.SetITavroKessaHistoryDialogEvents(&events);
    }

    void Add(int id, int version, const char* date, long long key, const char* user, const char* comment) {
        entries.push_back(std::make_unique<TavroKessaFileHistoryEntry>());
        TavroKessaFileHistoryEntry* entry = entries.back().get();
        entry->SetEntry(id);
        entry->SetLatestVer(version);
        entry->SetLastModDateLatest(date);
        entry->SetLastModDateLatestSortVal(key);
        entry->SetUserName(user);
        entry->SetComment(comment);
        params.AddEntry(entry);
    }
    // Four versions whose order differs by every column.
    void AddFour() {
        Add(100, 9, "03/02/2024", 300, "bob", "Tuned the cache\r\nand more");
        Add(101, 10, "01/03/2024", 400, "Alice", "added tests");
        Add(102, 2, "12/01/2023", 100, "carol", "Fixed bug\nmore");
        Add(103, 11, "02/02/2024", 200, "Bob", "\nStarts with a line feed");
    }
    INT_PTR Show(tkt::Driver& driver, HWND parent = nullptr) {
        return tkt::RunChecked(driver, [&] { return ui->ShowHistoryDialog(parent, &params); });
    }

    tkt::Service ui;
    TavroKessaHistoryDialogParams params;
    std::vector<std::unique_ptr<TavroKessaFileHistoryEntry>> entries;
    tkt::HistoryHost events;
};

}  // namespace

TEST_F(HistoryDialog, StartsWithFiveColumnsAndOneRowPerEntry) {
    AddFour();
    params.AddEntry(entries[0].get());  // the same entry twice is two rows
    tkt::Driver driver;
    driver.WaitDialog("History").Do([&] {
        HWND dialog = driver.Dialog();
        EXPECT_EQ(tkt::Text(GetDlgItem(dialog, IDC_HISTORY_PATH)), "$/project/engine.cpp");
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_HISTORY_GET_VERSION));
        EXPECT_EQ(SelectedRow(dialog), -1);
        RECT client = {};
        GetClientRect(ListOf(dialog), &client);
        int widths[tk::kHistoryColumnCount + 1];
        tk::HistoryColumnWidths(client.right, widths);
        const char* titles[] = {" ", "Version", "Date", "Created By", "Comment"};
        for (int column = 0; column < tk::kHistoryColumnCount; ++column) {
            char text[32] = {};
            LVCOLUMNA info = {};
            info.mask = LVCF_TEXT | LVCF_WIDTH;
            info.pszText = text;
            info.cchTextMax = sizeof(text);
            ToList(dialog, LVM_GETCOLUMNA, static_cast<WPARAM>(column), &info);
            EXPECT_STREQ(text, titles[column]);
            EXPECT_EQ(info.cx, widths[column + 1]);
            EXPECT_EQ(HeaderItem(dialog, column).fmt & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT), HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
        }
        EXPECT_EQ(Order(dialog), (std::vector<int>{0, 1, 2, 3, 4}));
        const LRESULT extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
        EXPECT_EQ(ToList(dialog, LVM_GETEXTENDEDLISTVIEWSTYLE, 0) & extended, extended);
        const char* expected[5][4] = {{"9", "03/02/2024", "bob", "Tuned the cache"},
                                      {"10", "01/03/2024", "Alice", "added tests"},
                                      {"2", "12/01/2023", "carol", "Fixed bug"},
                                      {"11", "02/02/2024", "Bob", ""},
                                      {"9", "03/02/2024", "bob", "Tuned the cache"}};
        for (int row = 0; row < 5; ++row)
            for (int sub = 1; sub <= 4; ++sub) EXPECT_EQ(Cell(dialog, row, sub), expected[row][sub - 1]) << row << sub;
        tkt::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Show(driver), 1);
    EXPECT_TRUE(events.asked.empty());
}

// A host's own entry type may answer null for any text: empty cells, sorted first.
TEST_F(HistoryDialog, AnEntryWithNullTextsShowsEmptyCells) {
    struct Silent final : TavroKessaFileHistoryEntry {
        const char* GetLastModDateLatest() override { return nullptr; }
        const char* GetUserNameA() override { return nullptr; }
        const char* GetComment() override { return nullptr; }
    };
    AddFour();
    Silent silent;
    silent.SetEntry(104);
    params.AddEntry(&silent);
    tkt::Driver driver;
    driver.WaitDialog("History")
        .Do([&] {
            HWND dialog = driver.Dialog();
            for (int sub : {tk::kColumnDate, tk::kColumnAuthor, tk::kColumnComment})
                EXPECT_EQ(Cell(dialog, 4, sub), "") << sub;
            Select(dialog, 0);
        })
        .Wait(Settle)
        .Do([&] { Select(driver.Dialog(), 4); })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(tkt::Text(GetDlgItem(driver.Dialog(), IDC_HISTORY_COMMENT)), "");
            ClickHeader(driver.Dialog(), tk::kColumnComment);
        })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Order(driver.Dialog()).front(), 4);
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Show(driver), 1);
}

TEST_F(HistoryDialog, TheMarkerStartsOnNoneOneOrSeveralRows) {
    AddFour();
    Add(104, 9, "", 0, "dave", "");
    const struct {
        int local;
        std::vector<int> marked;
    } cases[] = {{42, {}}, {2, {2}}, {9, {0, 4}}};
    for (const auto& c : cases) {
        params.SetLocalVer(c.local);
        std::vector<int> marked;
        tkt::Driver driver;
        driver.WaitDialog("History").Do([&] {
            marked = Marked(driver.Dialog());
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
        EXPECT_EQ(Show(driver), 1);
        EXPECT_EQ(marked, c.marked) << c.local;
    }
}

// The button follows the host's answer for the selected row, and after a
// successful fetch the fetched row alone carries the marker, wherever it stands.
TEST_F(HistoryDialog, GetVersionFollowsTheSelectionAndMovesTheMarker) {
    AddFour();
    Add(104, 9, "", 0, "dave", "");
    params.SetLocalVer(9);  // positions 0 and 4
    events.onAsk = [](int entry, HWND) { return entry != 101; };
    HWND comment = nullptr;
    tkt::Driver driver;
    auto check = [&](bool enabled, const char* text) {
        return [&driver, &comment, enabled, text] {
            comment = GetDlgItem(driver.Dialog(), IDC_HISTORY_COMMENT);
            EXPECT_EQ(tkt::IsEnabled(driver.Dialog(), IDC_HISTORY_GET_VERSION), enabled) << text;
            EXPECT_EQ(tkt::Text(comment), text);
        };
    };
    driver.WaitDialog("History")
        .Do([&] { Select(driver.Dialog(), 0); }).Wait(Settle).Do(check(true, "Tuned the cache\r\nand more"))
        .Do([&] { Select(driver.Dialog(), 1); }).Wait(Settle).Do(check(false, "added tests"))
        .Do([&] { Key(ListOf(driver.Dialog()), VK_DOWN); }).Wait(Settle).Do(check(true, "Fixed bug\nmore"))
        .Do([&] { Select(driver.Dialog(), -1); }).Wait(Settle).Do(check(false, "Fixed bug\nmore"))
        .Do([&] {
            Select(driver.Dialog(), 2);
            events.fetch = false;
            tkt::Click(driver.Dialog(), IDC_HISTORY_GET_VERSION);
        })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Marked(driver.Dialog()), (std::vector<int>{0, 4}));  // refused: nothing moves
            events.fetch = true;
            ClickHeader(driver.Dialog(), tk::kColumnVersion);  // rows move
        })
        .Wait(Settle)
        .Do([&] { tkt::Click(driver.Dialog(), IDC_HISTORY_GET_VERSION); })
        .Wait(Settle)
        .Do([&] {
            HWND dialog = driver.Dialog();
            EXPECT_EQ(Marked(dialog), (std::vector<int>{2}));
            EXPECT_EQ(SelectedRow(dialog), RowOf(dialog, 2));
            Select(dialog, RowOf(dialog, 3));
            PostMessageA(dialog, WM_COMMAND, IDM_HISTORY_GET_VERSION_FLAGGED, 0);
        })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Marked(driver.Dialog()), (std::vector<int>{3}));
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Show(driver), 1);
    EXPECT_EQ(events.fetched, (std::vector<int>{102, 102, 103}));
    EXPECT_EQ(events.flags, (std::vector<bool>{false, false, true}));
    EXPECT_LE(events.asked.size(), 12u);  // once per settled change, not per notification
}

TEST_F(HistoryDialog, ContextMenuNeedsASelectionAndGraysWhatCannotBeFetched) {
    AddFour();
    events.onAsk = [](int entry, HWND) { return entry != 102; };
    RECT mouse = {}, keyboard = {}, row = {};
    bool grayedFor102 = false, grayedFor100 = true;
    tkt::Driver driver;
    driver.WaitDialog("History")
        .Do([&] { ContextMenu(driver.Dialog(), 250, 250); })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(tkt::PopupMenu(), nullptr);  // nothing selected
            Select(driver.Dialog(), 2);
            ContextMenu(driver.Dialog(), 250, 260);
        })
        .Wait([] { return tkt::PopupMenu() != nullptr; })
        .Do([&] {
            grayedFor102 = Grayed(tkt::PopupMenu());
            GetWindowRect(tkt::PopupMenu(), &mouse);
            Key(tkt::PopupMenu(), VK_ESCAPE);
        })
        .Wait([] { return tkt::PopupMenu() == nullptr; })
        .Do([&] {
            Select(driver.Dialog(), 0);
            ContextMenu(driver.Dialog(), -1, -1);  // from the keyboard: beside the selected row
        })
        .Wait([] { return tkt::PopupMenu() != nullptr; })
        .Do([&] {
            grayedFor100 = Grayed(tkt::PopupMenu());
            GetWindowRect(tkt::PopupMenu(), &keyboard);
            row.left = LVIR_BOUNDS;
            ToList(driver.Dialog(), LVM_GETITEMRECT, 0, &row);
            MapWindowPoints(ListOf(driver.Dialog()), nullptr, reinterpret_cast<POINT*>(&row), 2);
            Key(tkt::PopupMenu(), VK_DOWN);
            Key(tkt::PopupMenu(), VK_RETURN);
        })
        .Wait([] { return tkt::PopupMenu() == nullptr; })
        .Wait(Settle)
        .Do([&] { tkt::Click(driver.Dialog(), IDCANCEL); });
    EXPECT_EQ(Show(driver), 1);
    EXPECT_TRUE(grayedFor102);
    EXPECT_FALSE(grayedFor100);
    EXPECT_EQ(mouse.left, 250);
    EXPECT_EQ(mouse.top, 260);
    EXPECT_EQ(keyboard.top, row.bottom);
    EXPECT_GT(keyboard.left, row.left);
    EXPECT_LT(keyboard.left, row.right);
    EXPECT_EQ(events.fetched, (std::vector<int>{100}));
}

TEST_F(HistoryDialog, SortsEachColumnBothWaysAlternatingAcrossColumns) {
    AddFour();
    const struct {
        int column;
        std::vector<int> order;
        int sortedImage;  // the clicked column's header image
    } clicks[] = {
        {tk::kColumnVersion, {2, 0, 1, 3}, tk::kImageUp},  // 2, 9, 10, 11: numbers, not texts
        {tk::kColumnVersion, {3, 1, 0, 2}, tk::kImageDown},
        {tk::kColumnVersion, {2, 0, 1, 3}, tk::kImageUp},
        {tk::kColumnDate, {1, 0, 3, 2}, tk::kImageDown},  // the alternation goes on; keys, not texts
        {tk::kColumnMarker, {1, 0, 3, 2}, tk::kImageBlank},  // ignored
        {tk::kColumnAuthor, {1, 3, 0, 2}, tk::kImageUp},     // Alice, Bob, bob, carol
        {tk::kColumnComment, {1, 0, 2, 3}, tk::kImageDown},  // whole comments, byte-wise
    };
    tkt::Driver driver;
    driver.WaitDialog("History");
    int previous = -1;
    for (const auto& click : clicks) {
        driver.Do([&driver, &click] { ClickHeader(driver.Dialog(), click.column); }).Wait(Settle).Do([&, previous] {
            HWND dialog = driver.Dialog();
            EXPECT_EQ(Order(dialog), click.order) << click.column;
            EXPECT_EQ(HeaderItem(dialog, click.column).iImage, click.sortedImage) << click.column;
            if (previous >= 0 && previous != click.column && click.column != tk::kColumnMarker) {
                EXPECT_EQ(HeaderItem(dialog, previous).iImage, tk::kImageBlank);
            }
            // Wine loses a header's image flag when the format is set with the image.
            EXPECT_TRUE(HeaderItem(dialog, click.column).fmt & HDF_IMAGE);
        });
        if (click.column != tk::kColumnMarker) previous = click.column;
    }
    driver.Do([&] { tkt::Click(driver.Dialog(), IDCANCEL); });
    EXPECT_EQ(Show(driver), 1);
}

TEST_F(HistoryDialog, LayoutFollowsTheSizeAndTheStartSizeIsTheMinimum) {
    AddFour();
    RECT start = {}, proposed = {300, 200, 350, 240};  // far too small, dragged at the top-left
    tkt::Driver driver;
    driver.WaitDialog("History")
        .Do([&] {
            GetWindowRect(driver.Dialog(), &start);
            SendMessageA(driver.Dialog(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&proposed));
            SetWindowPos(driver.Dialog(), nullptr, 0, 0, start.right - start.left + 200, start.bottom - start.top + 150,
                         SWP_NOMOVE | SWP_NOZORDER);
        })
        .Wait(Settle)
        .Do([&] {
            HWND dialog = driver.Dialog();
            RECT client = {};
            GetClientRect(dialog, &client);
            const RECT path = tkt::ClientRectOf(dialog, IDC_HISTORY_PATH), list = tkt::ClientRectOf(dialog, IDC_HISTORY_LIST);
            const RECT comment = tkt::ClientRectOf(dialog, IDC_HISTORY_COMMENT);
            const RECT button = tkt::ClientRectOf(dialog, IDC_HISTORY_GET_VERSION), close = tkt::ClientRectOf(dialog, IDCANCEL);
            const int m = path.left;
            EXPECT_EQ(list.top, path.bottom + m);
            EXPECT_EQ(comment.top, list.bottom + m);
            EXPECT_EQ(button.bottom, client.bottom - m);
            EXPECT_EQ(close.top, button.top);
            EXPECT_EQ(close.right, client.right - m);
            tkt::Click(dialog, IDCANCEL);
        });
    EXPECT_EQ(Show(driver), 1);
    EXPECT_EQ(proposed.right - proposed.left, start.right - start.left);
    EXPECT_EQ(proposed.bottom - proposed.top, start.bottom - start.top);
    EXPECT_EQ(proposed.right, 350);  // the right and bottom edges stay
    EXPECT_EQ(proposed.bottom, 240);
}

TEST_F(HistoryDialog, HostColoursTopmostAndEveryWayOfClosingGivesOne) {
    AddFour();
    tkt::SettingsHost host(TAVROKESSA_DISPLAY_TOPMOST);
    host.colour = [](int index) { return index == COLOR_WINDOW ? RGB(250, 240, 200) : RGB(20, 60, 120); };
    const std::vector<std::function<void(HWND)>> ways = {
        [](HWND dialog) { tkt::Click(dialog, IDCANCEL); },
        [](HWND dialog) { tkt::PressKey(dialog, VK_RETURN); },
        [](HWND dialog) { tkt::PressKey(dialog, VK_ESCAPE); },
        [](HWND dialog) { tkt::CloseBox(dialog); },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        const bool hosted = way % 2 == 0;
        ui->SetHost(hosted ? &host : nullptr);
        tkt::Driver driver;
        driver.WaitDialog("History").Do([&] {
            HWND dialog = driver.Dialog();
            EXPECT_EQ(tkt::IsTopmost(dialog), hosted);
            EXPECT_EQ(static_cast<COLORREF>(ToList(dialog, LVM_GETBKCOLOR, 0)),
                      hosted ? RGB(250, 240, 200) : GetSysColor(COLOR_WINDOW));
            if (hosted) {
                EXPECT_EQ(static_cast<COLORREF>(ToList(dialog, LVM_GETTEXTCOLOR, 0)), RGB(20, 60, 120));
            }
            ways[way](dialog);
        });
        EXPECT_EQ(Show(driver), 1) << way;
    }
}

TEST_F(HistoryDialog, TwentyThousandRowsSortAndGetAVersion) {
    const int count = 20000;
    for (int index = 0; index < count; ++index) {
        const std::string user = "user" + std::to_string(1000 + (index * 7919) % 1000);
        Add(50000 + index, index + 1, "day", index, user.c_str(), "change\r\nsecond line");
    }
    params.SetLocalVer(count / 2);
    tkt::Driver driver(60000);
    driver.WaitDialog("History")
        .Do([&] {
            ASSERT_EQ(Rows(driver.Dialog()), count);
            EXPECT_EQ(Marked(driver.Dialog()), (std::vector<int>{count / 2 - 1}));
            ClickHeader(driver.Dialog(), tk::kColumnVersion);
        })
        .Wait(Settle)
        .Do([&] { ClickHeader(driver.Dialog(), tk::kColumnVersion); })  // descending
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Cell(driver.Dialog(), 0, tk::kColumnVersion), std::to_string(count));
            Select(driver.Dialog(), count - 3);  // version 3, position 2
        })
        .Wait(Settle)
        .Do([&] { tkt::Click(driver.Dialog(), IDC_HISTORY_GET_VERSION); })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Marked(driver.Dialog()), (std::vector<int>{2}));
            ClickHeader(driver.Dialog(), tk::kColumnAuthor);
        })
        .Wait(Settle)
        .Do([&] {
            EXPECT_EQ(Cell(driver.Dialog(), 0, tk::kColumnAuthor), "user1000");
            EXPECT_EQ(Cell(driver.Dialog(), count - 1, tk::kColumnAuthor), "user1999");
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Show(driver), 1);
    EXPECT_EQ(events.fetched, (std::vector<int>{50002}));
}
