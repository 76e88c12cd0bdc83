// The explore dialog driven by a model host: what it shows from the host, how each
// user action reaches the host, the selection that comes back, resizing, and a
// host that re-enters, ends early or nests.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "DialogDriver.h"
#include "Fixtures.h"
#include "resource.h"
#include "tavrokessaui.h"
#include "ExploreModel.h"

namespace {

using tkt::ExploreModel;

constexpr const char* kTitle = "Choose Files";

struct Explore : testing::Test {
    Explore() { ui->SetHost(&host); }

    INT_PTR Run(tkt::Driver& driver, TavroKessaExploreDialogParams* params = nullptr) {
        return tkt::RunChecked(driver,
                               [&] { return ui->ShowExploreDialog(nullptr, params ? params : &model.params); });
    }
    // Waits for the dialog and its first fill.
    tkt::Driver& Open(tkt::Driver& driver, const char* title = kTitle) {
        return driver.WaitDialog(title).Wait([&] { return model.Count("CanGoToLastFolder") > 0; });
    }
    HWND List(tkt::Driver& driver) const { return tkt::ExploreList(driver.Dialog()); }
    int PositionOf(HWND list, const char* name) const {
        std::vector<std::string> texts = tkt::ItemTexts(list);
        for (size_t i = 0; i < texts.size(); ++i)
            if (texts[i] == name) return static_cast<int>(i);
        return -1;
    }
    std::vector<std::string> Names(const std::vector<int>& indices) const {
        std::vector<std::string> names;
        for (int index : indices) names.push_back(model.nodes[static_cast<size_t>(index)].name);
        return names;
    }

    tkt::Service ui;
    tkt::SettingsHost host;
    ExploreModel model;
};

using Texts = std::vector<std::string>;

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrA(window, GWL_STYLE); }

// The text of the tooltip attached to `control`, found among the thread's tooltips.
std::string TooltipText(HWND control) {
    struct Search {
        HWND control;
        std::string text;
    } search{control, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            if (tkt::ClassOf(window) != TOOLTIPS_CLASSA) return TRUE;
            char text[128] = {};
            TOOLINFOA info = {};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            info.lpszText = text;
            if (SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)) && info.hwnd == s->control) {
                s->text = text;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

}  // namespace

// --- Start: template, list view, first fill -----------------------------------------

TEST_F(Explore, OpensFromTheTemplateAndTheHostFillsItFirst) {
    tkt::Driver driver;
    Open(driver).Do([&] {
        HWND dialog = driver.Dialog();
        EXPECT_EQ(tkt::Text(dialog), kTitle);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EXPLORE_OPEN));

        // The list view over the hidden holder, next in the tab order.
        HWND holder = GetDlgItem(dialog, IDC_EXPLORE_LIST_HOLDER);
        HWND list = List(driver);
        ASSERT_NE(list, nullptr);
        EXPECT_FALSE(IsWindowVisible(holder));
        RECT over = tkt::ClientRectOf(dialog, IDC_EXPLORE_LIST);
        RECT holderRect = tkt::ClientRectOf(dialog, IDC_EXPLORE_LIST_HOLDER);
        EXPECT_TRUE(EqualRect(&over, &holderRect));
        EXPECT_EQ(GetNextWindow(holder, GW_HWNDNEXT), list);
        EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_EXPLORE_TYPES), FALSE), list);

        // What the host put in: the root under the first filter.
        EXPECT_EQ(tkt::ItemTexts(list), (Texts{"src", "docs", "project.cpp"}));
        EXPECT_EQ(tkt::ItemParams(list), model.Listing("*.cpp;*.h"));
        EXPECT_EQ(tkt::ComboCount(dialog, IDC_EXPLORE_LOOK_IN), 1);
        EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN), 0);
        EXPECT_EQ(tkt::ComboCount(dialog, IDC_EXPLORE_TYPES), 3);
        EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_TYPES), 0);
        char filter[64] = {};
        SendDlgItemMessageA(dialog, IDC_EXPLORE_TYPES, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(filter));
        EXPECT_STREQ(filter, "All files");
        EXPECT_STREQ(model.lastExtensions, "*.cpp;*.h");

        // Nowhere to go yet: both buttons off, with their grey pictures and tips.
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_BACK));
        EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_UP));
        EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_BACK), tkt::LibraryIcon(IDI_EXPLORE_BACK_DISABLED));
        EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_UP), tkt::LibraryIcon(IDI_EXPLORE_UP_DISABLED));
        EXPECT_EQ(TooltipText(GetDlgItem(dialog, IDC_EXPLORE_BACK)), "Go To Last Folder Visited");
        EXPECT_EQ(TooltipText(GetDlgItem(dialog, IDC_EXPLORE_UP)), "Up One Level");
        EXPECT_EQ(model.events, (Texts{"OnInitDialog", "OnOpenEntry(-1)", "CanGoToLastFolder"}));
        tkt::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), 0);
    EXPECT_TRUE(model.params.GetSelections().empty());
}

TEST_F(Explore, WithoutAnEventsObjectNothingIsShown) {
    TavroKessaExploreDialogParams silent;
    silent.SetTitle(kTitle);
    tkt::Driver driver;
    EXPECT_EQ(Run(driver, &silent), -1);
    EXPECT_TRUE(driver.CreatedWindows().empty());
}

// --- Navigation -----------------------------------------------------------------------

TEST_F(Explore, DoubleClicksOpenFoldersAndFilesButNotEmptySpace) {
    tkt::Driver driver;
    size_t eventsBefore = 0;
    Open(driver)
        .Do([&] { tkt::DoubleClickItem(List(driver), PositionOf(List(driver), "src")); })
        .Wait([&] { return model.Count("OnOpenEntry(1)") == 1 && model.current == 1; })
        .Do([&] {
            HWND dialog = driver.Dialog();
            EXPECT_EQ(tkt::ItemTexts(List(driver)), (Texts{"main.cpp", "util.cpp", "util.h", "lib"}));
            EXPECT_EQ(tkt::ComboCount(dialog, IDC_EXPLORE_LOOK_IN), 2);
            EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN), 1);
            EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_EXPLORE_UP));
            EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_UP), tkt::LibraryIcon(IDI_EXPLORE_UP));
            EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_EXPLORE_BACK));
            EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_BACK), tkt::LibraryIcon(IDI_EXPLORE_BACK));
            // A file reaches the host too; this one only records it.
            tkt::DoubleClickItem(List(driver), PositionOf(List(driver), "util.h"));
        })
        .Wait([&] { return model.Count("OnOpenEntry(" + std::to_string(model.Find("util.h")) + ")") == 1; })
        .Do([&] {
            eventsBefore = model.events.size();
            RECT client;
            GetClientRect(List(driver), &client);
            tkt::PostDoubleClick(List(driver), POINT{client.right - 4, client.bottom - 4});
        })
        .Do([&] {
            // Posted messages come before the next tick: by now it has been handled.
            EXPECT_EQ(model.events.size(), eventsBefore);
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
}

TEST_F(Explore, UpBackAndLookInReachTheHostAndTheButtonsFollowThePath) {
    tkt::Driver driver;
    HWND dialog = nullptr;
    auto at = [&](const char* name) { return model.current == model.Find(name); };
    Open(driver)
        .Do([&] {
            dialog = driver.Dialog();
            tkt::DoubleClickItem(List(driver), PositionOf(List(driver), "src"));
        })
        .Wait([&] { return at("src"); })
        .Do([&] { tkt::DoubleClickItem(List(driver), PositionOf(List(driver), "lib")); })
        .Wait([&] { return at("lib"); })
        .Do([&] {
            // A third level keeps "up" on.
            EXPECT_EQ(tkt::ComboCount(dialog, IDC_EXPLORE_LOOK_IN), 3);
            EXPECT_EQ(tkt::ComboSelection(dialog, IDC_EXPLORE_LOOK_IN), 2);
            EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_EXPLORE_UP));
            tkt::Click(dialog, IDC_EXPLORE_UP);
        })
        .Wait([&] { return at("src"); })
        .Do([&] { tkt::ChooseInCombo(dialog, IDC_EXPLORE_LOOK_IN, 0); })
        .Wait([&] { return at("kessa.example.com"); })
        .Do([&] {
            EXPECT_EQ(model.Count("OnLookInSelected(0,2)"), 1);
            // The root alone: no way up.
            EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_UP));
            EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_UP), tkt::LibraryIcon(IDI_EXPLORE_UP_DISABLED));
            EXPECT_TRUE(tkt::IsEnabled(dialog, IDC_EXPLORE_BACK));
            tkt::Click(dialog, IDC_EXPLORE_BACK);
        })
        .Wait([&] { return at("src"); })
        .Do([&] {
            // A host with no history left turns "back" off at the next rebuild.
            model.intercept = [](const std::string& event, ITavroKessaExploreDialog*) {
                return event == "CanGoToLastFolder";
            };
            model.handledResult = false;
            // A keyboard user on "up" is not left on a dead button at the root.
            SetFocus(GetDlgItem(dialog, IDC_EXPLORE_UP));
            tkt::Click(dialog, IDC_EXPLORE_UP);
        })
        .Wait([&] { return at("kessa.example.com"); })
        .Do([&] {
            EXPECT_EQ(GetFocus(), List(driver));
            EXPECT_FALSE(tkt::IsEnabled(dialog, IDC_EXPLORE_BACK));
            EXPECT_EQ(tkt::ButtonIcon(dialog, IDC_EXPLORE_BACK), tkt::LibraryIcon(IDI_EXPLORE_BACK_DISABLED));
            EXPECT_EQ(model.Count("OnUpOneLevel"), 2);
            EXPECT_EQ(model.Count("OnGoToLastFolder"), 1);
            // Only the user's choice was reported, never the program's selections.
            EXPECT_EQ(model.Count("OnLookInSelected"), 1);
            tkt::Click(dialog, IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
}

TEST_F(Explore, PickingAFileTypeStoresItAndAsksForARefill) {
    tkt::Driver driver;
    Open(driver)
        .Do([&] {
            SetFocus(List(driver));
            tkt::SetItemSelected(List(driver), 2, true);
        })
        .Wait([&] { return !model.selectionRequests.empty(); })
        .Do([&] { tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 1); })
        .Wait([&] { return model.Count("OnOpenEntry(-1)") == 2; })
        .Do([&] {
            EXPECT_STREQ(model.lastExtensions, "*.txt");
            EXPECT_EQ(tkt::ItemTexts(List(driver)), (Texts{"src", "docs", "README.txt"}));
            // Refilled in place: the focus stays, the old selection and its text go.
            EXPECT_EQ(GetFocus(), List(driver));
            EXPECT_EQ(SendMessageA(List(driver), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
            EXPECT_EQ(tkt::Text(GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME)), "");
            tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 2);
        })
        .Wait([&] { return model.Count("OnOpenEntry(-1)") == 3; })
        .Do([&] {
            EXPECT_STREQ(model.lastExtensions, "*");
            EXPECT_EQ(tkt::ItemCount(List(driver)), 6);
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
}

TEST_F(Explore, TheLookInDropDownFitsAllItsLevels) {
    RECT threeLevels = {}, oneLevel = {};
    auto dropped = [&](RECT& rect) {
        SendDlgItemMessageA(tkt::FindDialog(kTitle), IDC_EXPLORE_LOOK_IN, CB_GETDROPPEDCONTROLRECT, 0,
                            reinterpret_cast<LPARAM>(&rect));
    };
    tkt::Driver driver;
    Open(driver)
        .Do([&] {
            // Filled from outside any event, where each level resizes the drop-down...
            model.Show(model.dialog, model.Find("lib"));
            dropped(threeLevels);
            model.Show(model.dialog, 0);
            dropped(oneLevel);
            EXPECT_GT(threeLevels.bottom - threeLevels.top, oneLevel.bottom - oneLevel.top);
            // ... and from inside an event, where it is sized once at the end.
            model.current = model.Find("lib");
            tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 1);
        })
        .Wait([&] { return model.Count("OnOpenEntry(-1)") == 2; })
        .Do([&] {
            RECT refilled = {};
            dropped(refilled);
            EXPECT_TRUE(EqualRect(&refilled, &threeLevels));
            // Each level's item data is its level, never a pointer into storage
            // that moved as the path grew.
            HWND combo = GetDlgItem(driver.Dialog(), IDC_EXPLORE_LOOK_IN);
            ASSERT_EQ(tkt::ComboCount(driver.Dialog(), IDC_EXPLORE_LOOK_IN), 3);
            for (int level = 0; level < 3; ++level)
                EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(level), 0), level);
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
}

// --- Selection and the end ---------------------------------------------------------------

TEST_F(Explore, SingleSelectionAndTheFileNameFieldFollowTheHostsText) {
    tkt::Driver driver;
    std::string field;
    auto fieldText = [&] { return tkt::Text(GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME)); };
    Open(driver)
        .Do([&] { tkt::SetItemSelected(List(driver), 2, true); })
        .Wait([&] { return model.selectionRequests.size() == 1; })
        .Do([&] {
            EXPECT_EQ(Names(model.selectionRequests[0]), (Texts{"project.cpp"}));
            EXPECT_EQ(fieldText(), "project.cpp");
            // Single selection: the second item replaces the first.
            tkt::SetItemSelected(List(driver), 0, true);
        })
        .Wait([&] { return model.selectionRequests.size() == 2; })
        .Do([&] {
            EXPECT_EQ(Names(model.selectionRequests[1]), (Texts{"src"}));
            EXPECT_EQ(fieldText(), "src");
            model.selectionTextAnswer = false;
            tkt::SetItemSelected(List(driver), 1, true);
        })
        .Wait([&] { return model.selectionRequests.size() == 3; })
        .Do([&] {
            EXPECT_EQ(fieldText(), "");
            model.selectionTextAnswer = true;
            tkt::SetItemSelected(List(driver), 1, false);
        })
        .Do([&] {
            // Nothing selected: the host is not asked, and the field is empty.
            EXPECT_EQ(model.selectionRequests.size(), 3u);
            EXPECT_EQ(fieldText(), "");
            tkt::SetItemSelected(List(driver), 2, true);
        })
        .Wait([&] { return fieldText() == "project.cpp"; })
        .Do([&] {
            // Refilling empties the field.
            tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 1);
        })
        .Wait([&] { return model.Count("OnOpenEntry(-1)") == 2; })
        .Do([&] {
            EXPECT_EQ(fieldText(), "");
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
    EXPECT_TRUE(model.params.GetSelections().empty());
}

TEST_F(Explore, MultipleSelectionComesBackInListOrderAndEachOpenAppends) {
    model.params.SetMultipleSelections(true);
    int project = model.Find("project.cpp");
    int readme = model.Find("README.txt");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        model.selectionRequests.clear();
        model.opens.clear();
        tkt::Driver driver;
        Open(driver)
            .Do([&] {
                EXPECT_FALSE(StyleOf(List(driver)) & LVS_SINGLESEL);
                tkt::ChooseInCombo(driver.Dialog(), IDC_EXPLORE_TYPES, 2);
            })
            .Wait([&] { return tkt::ItemCount(List(driver)) == 6; })
            .Do([&] {
                // Open with nothing selected still tells the host.
                tkt::Click(driver.Dialog(), IDC_EXPLORE_OPEN);
            })
            .Wait([&] { return model.opens.size() == 1; })
            .Do([&] {
                EXPECT_TRUE(model.opens[0].empty());
                HWND list = List(driver);
                tkt::SetItemSelected(list, PositionOf(list, "project.cpp"), true);
                tkt::SetItemSelected(list, PositionOf(list, "README.txt"), true);
            })
            .Wait([&] { return !model.selectionRequests.empty(); })
            .Do([&] {
                // Both changes came in one burst: one question with both, in list order.
                ASSERT_EQ(model.selectionRequests.size(), 1u);
                EXPECT_EQ(model.selectionRequests[0], (std::vector<int>{readme, project}));
                EXPECT_EQ(tkt::Text(GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME)), "README.txt project.cpp");
                tkt::Click(driver.Dialog(), IDC_EXPLORE_OPEN);
            });
        EXPECT_EQ(Run(driver), 1);
        EXPECT_EQ(model.opens.back(), (std::vector<int>{readme, project}));
    }
    // The record was never emptied between the two dialogs.
    EXPECT_EQ(model.params.GetSelections(), (std::vector<int>{readme, project, readme, project}));
}

TEST_F(Explore, OtherEndsRecordNothing) {
    struct Case {
        const char* name;
        INT_PTR openResult;
        bool cancel;
    };
    for (const Case& c : {Case{"EndExplore(2)", 2, false}, Case{"EndExplore(0)", 0, false}, Case{"Cancel", 1, true}}) {
        SCOPED_TRACE(c.name);
        model.openResult = c.openResult;
        tkt::Driver driver;
        Open(driver)
            .Do([&] { tkt::SetItemSelected(List(driver), 2, true); })
            .Wait([&] { return !tkt::Text(GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME)).empty(); })
            .Do([&] { tkt::Click(driver.Dialog(), c.cancel ? IDCANCEL : IDC_EXPLORE_OPEN); });
        EXPECT_EQ(Run(driver), 0);
        EXPECT_TRUE(model.params.GetSelections().empty());
    }
}

TEST_F(Explore, TheKeyboardReachesTheListAndEnterInItOpens) {
    tkt::Driver driver;
    Open(driver)
        .Do([&] {
            HWND dialog = driver.Dialog();
            // Tab from the last template stop lands on the list, and on from there to Open.
            EXPECT_EQ(GetNextDlgTabItem(dialog, List(driver), FALSE), GetDlgItem(dialog, IDC_EXPLORE_OPEN));
            SetFocus(GetDlgItem(dialog, IDC_EXPLORE_TYPES));
            tkt::PressKey(dialog, VK_TAB);
        })
        .Wait([&] { return GetFocus() == List(driver); })
        .Do([&] { tkt::PressKey(driver.Dialog(), VK_RETURN); })
        .Wait([&] { return model.Count("OnOpen") > 0; })
        .Do([&] {
            // One press, one Open (the host keeps the dialog open for an empty selection).
            EXPECT_EQ(model.Count("OnOpen"), 1);
            EXPECT_TRUE(model.opens[0].empty());
            EXPECT_EQ(GetFocus(), List(driver));
            tkt::SetItemSelected(List(driver), 2, true);
            tkt::PressKey(driver.Dialog(), VK_RETURN);
        });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_EQ(model.params.GetSelections(), (std::vector<int>{model.Find("project.cpp")}));
    EXPECT_EQ(model.Count("OnOpen"), 2);
}

// --- Geometry --------------------------------------------------------------------------

TEST_F(Explore, ResizingMovesAndStretchesTheControlsAndNeverShrinksBelowTheStart) {
    const int dx = 120, dy = 80;
    struct Follow {
        int id;
        int left, top, width, height;  // multiples of dx or dy
    };
    const Follow follows[] = {
        {IDC_EXPLORE_LOOK_IN, 0, 0, 1, 0},
        {IDC_EXPLORE_BACK, 1, 0, 0, 0},
        {IDC_EXPLORE_UP, 1, 0, 0, 0},
        {IDC_EXPLORE_LIST, 0, 0, 1, 1},
        {IDC_EXPLORE_FILE_NAME_LABEL, 0, 1, 0, 0},
        {IDC_EXPLORE_FILE_NAME, 0, 1, 1, 0},
        {IDC_EXPLORE_TYPES_LABEL, 0, 1, 0, 0},
        {IDC_EXPLORE_TYPES, 0, 1, 1, 0},
        {IDC_EXPLORE_OPEN, 1, 1, 0, 0},
        {IDCANCEL, 1, 1, 0, 0},
    };
    RECT start[10] = {};
    RECT window = {};
    RECT lookInLabel = {};
    tkt::Driver driver;
    Open(driver).Do([&] {
        HWND dialog = driver.Dialog();
        for (size_t i = 0; i < 10; ++i) start[i] = tkt::ClientRectOf(dialog, follows[i].id);
        GetWindowRect(dialog, &window);
        HWND label = GetNextWindow(GetDlgItem(dialog, IDC_EXPLORE_LOOK_IN), GW_HWNDPREV);
        GetWindowRect(label, &lookInLabel);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&lookInLabel), 2);

        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER);
        for (size_t i = 0; i < 10; ++i) {
            const Follow& f = follows[i];
            SCOPED_TRACE(f.id);
            RECT now = tkt::ClientRectOf(dialog, f.id);
            EXPECT_EQ(now.left, start[i].left + f.left * dx);
            EXPECT_EQ(now.top, start[i].top + f.top * dy);
            EXPECT_EQ(now.right - now.left, start[i].right - start[i].left + f.width * dx);
            EXPECT_EQ(now.bottom - now.top, start[i].bottom - start[i].top + f.height * dy);
        }
        HWND label2 = GetNextWindow(GetDlgItem(dialog, IDC_EXPLORE_LOOK_IN), GW_HWNDPREV);
        RECT labelNow;
        GetWindowRect(label2, &labelNow);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&labelNow), 2);
        EXPECT_TRUE(EqualRect(&labelNow, &lookInLabel));

        // Dragging inward stops at the start size, from either side.
        int width = window.right - window.left, height = window.bottom - window.top;
        RECT drag = {window.left, window.top, window.left + width - 40, window.top + height - 30};
        SendMessageA(dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
        RECT expected = {window.left, window.top, window.left + width, window.top + height};
        EXPECT_TRUE(EqualRect(&drag, &expected));
        drag = RECT{window.left + 40, window.top + 30, window.right, window.bottom};
        SendMessageA(dialog, WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&drag));
        EXPECT_TRUE(EqualRect(&drag, &window));

        // Back to the start size, back to the start places.
        SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        for (size_t i = 0; i < 10; ++i) {
            RECT now = tkt::ClientRectOf(dialog, follows[i].id);
            EXPECT_TRUE(EqualRect(&now, &start[i])) << follows[i].id;
        }
        tkt::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Run(driver), 0);
}

// --- A host that re-enters, ends early, nests or throws --------------------------------------

TEST_F(Explore, OperationsAreRefusedBeforeTheListExistsAndAfterTheEnd) {
    std::vector<bool> during, after;
    auto tryFills = [](ITavroKessaExploreDialog* d, std::vector<bool>& results) {
        TavroKessaExploreDialogEntry entry;
        entry.SetDisplayName("x.cpp");
        results = {d->AddListEntry(&entry), d->ClearEntries(), d->AddLookInEntry(&entry, true), d->ClearLookIn(),
                   d->Redraw()};
    };
    auto tryAll = [&](ITavroKessaExploreDialog* d, std::vector<bool>& results) {
        tryFills(d, results);
        results.push_back(d->EndExplore(1));
    };
    model.intercept = [&](const std::string& event, ITavroKessaExploreDialog* d) {
        // No list yet: nothing can be filled (ending is another test's).
        if (event == "OnInitDialog") tryFills(d, during);
        if (event == "OnOpen") {
            // Ending twice: the first end stands.
            EXPECT_TRUE(d->EndExplore(1));
            EXPECT_FALSE(d->EndExplore(0));
            tryAll(d, after);
            return true;
        }
        return false;
    };
    tkt::Driver driver;
    Open(driver)
        .Do([&] {
            // The first fill still happened normally after the refusals.
            EXPECT_EQ(tkt::ItemCount(List(driver)), 3);
            EXPECT_EQ(tkt::ComboCount(driver.Dialog(), IDC_EXPLORE_LOOK_IN), 1);
            tkt::SetItemSelected(List(driver), 0, true);
            tkt::Click(driver.Dialog(), IDC_EXPLORE_OPEN);
            // A Cancel that arrives after the end changes nothing.
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 1);
    EXPECT_EQ(during, std::vector<bool>(5, false));
    EXPECT_EQ(after, std::vector<bool>(6, false));
    EXPECT_EQ(model.params.GetSelections(), (std::vector<int>{model.Find("src")}));
}

TEST_F(Explore, TheHostMayShowAMessageBoxFromAnEvent) {
    model.intercept = [&](const std::string& event, ITavroKessaExploreDialog*) {
        if (event == "GetSelectionText") MessageBoxA(nullptr, "Busy", "Host", MB_OK);
        return false;
    };
    tkt::Driver driver;
    Open(driver)
        .Do([&] { tkt::SetItemSelected(List(driver), 2, true); })
        .WaitDialog("Host")
        .Do([&] {
            // While the box is up the dialog still takes selection changes.
            model.intercept = nullptr;
            HWND explore = tkt::FindDialog(kTitle);
            tkt::SetItemSelected(tkt::ExploreList(explore), 0, true);
            tkt::Click(driver.Dialog(), IDOK);
        })
        .Wait([&] { return model.selectionRequests.size() == 2 && tkt::FindDialog("Host") == nullptr; })
        .WaitDialog(kTitle)
        .Do([&] {
            // The later selection was answered while the box was up; the answer to
            // the earlier one, which came back last, is stale and not shown.
            EXPECT_EQ(Names(model.selectionRequests[1]), (Texts{"src"}));
            EXPECT_EQ(tkt::Text(GetDlgItem(driver.Dialog(), IDC_EXPLORE_FILE_NAME)), "src");
            tkt::Click(driver.Dialog(), IDCANCEL);
        });
    EXPECT_EQ(Run(driver), 0);
}

TEST_F(Explore, AQuitMessageDismissesItLikeCancel) {
    size_t eventsAtQuit = 0;
    tkt::Driver driver;
    Open(driver)
        .Do([&] { tkt::SetItemSelected(List(driver), 2, true); })
        .Wait([&] { return model.selectionRequests.size() == 1; })
        .Do([&] {
            eventsAtQuit = model.events.size();
            PostQuitMessage(5);
        });
    EXPECT_EQ(Run(driver), 0);
    EXPECT_TRUE(model.params.GetSelections().empty());
    EXPECT_EQ(model.events.size(), eventsAtQuit);
    // Still there for the host's own loop.
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Explore, TopmostWhenTheHostAsksAndCentredOverItsParent) {
    host.flags = 1;
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 80, 900, 700, nullptr, nullptr,
                                 nullptr, nullptr);
    tkt::Driver driver;
    Open(driver).Do([&] {
        HWND dialog = driver.Dialog();
        EXPECT_TRUE(tkt::IsTopmost(dialog));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        tkt::ExpectCentredOver(dialog, owner);
        tkt::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(tkt::RunChecked(driver, [&] { return ui->ShowExploreDialog(owner, &model.params); }), 0);
    DestroyWindow(owner);
}
