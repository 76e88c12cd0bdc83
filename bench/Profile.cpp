// Where the time goes: our dialogs and their baselines run the cases that miss
// their targets with every outermost message timed and the host's calls into the
// dialog timed by group. Printed as it goes; nothing here is a figure of the table.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"
#include "Explore.h"
#include "History.h"

namespace bench {
namespace {

void PrintTotals(const char* title, double wholeMs, size_t top = 10) {
    std::printf("  %s: %.1f ms in all; outermost messages by total time:\n", title, wholeMs);
    size_t shown = 0;
    for (const HandlerClock::Total& total : HandlerClock::Totals()) {
        if (shown++ == top) break;
        std::printf("    %8.1f ms %6d x  %s\n", total.ms, total.count, total.what.c_str());
    }
    std::printf("    sent from inside those:\n");
    shown = 0;
    for (const HandlerClock::Total& total : HandlerClock::Totals(true)) {
        if (shown++ == top) break;
        std::printf("    %8.1f ms %6d x  %s\n", total.ms, total.count, total.what.c_str());
    }
}

bool Wanted(const Options& options, const char* part) {
    return options.profile.empty() ||
           std::find(options.profile.begin(), options.profile.end(), part) != options.profile.end();
}

void PrintSections(const ExploreHost::Sections& sections, double divideBy) {
    std::printf("    host's calls (per fill): ClearEntries %.2f ms, AddListEntry all %.2f ms, ClearLookIn %.2f ms, "
                "AddLookInEntry all %.2f ms\n",
                sections.clear / divideBy, sections.add / divideBy, sections.clearLookIn / divideBy,
                sections.addLookIn / divideBy);
}

void ProfileOpen(ITavroKessaUI* ui, long n, bool renameOwnIconNames = false) {
    ExploreScene folder(n);
    if (renameOwnIconNames) {
        // Names the shell gives icons one by one (.exe, .dll) made ordinary, to
        // tell what they cost.
        for (size_t i = 0; i < folder.items.size(); ++i) {
            std::string& name = folder.items[i].name;
            if (name.size() > 4 && (name.compare(name.size() - 4, 4, ".exe") == 0 ||
                                    name.compare(name.size() - 4, 4, ".dll") == 0)) {
                name.replace(name.size() - 4, 4, ".bin");
                folder.entries[i]->SetDisplayName(name.c_str());
            }
        }
    }
    ExploreHost& host = folder.host;
    BareList& bare = folder.bare;
    ModalRun ours(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
    ModalRun base("Bench Bare List", ListHolds(bare.list, n));
    std::printf("\nexplore open, N=%ld%s\n", n, renameOwnIconNames ? ", .exe and .dll names renamed .bin" : "");
    for (int run = 0; run < 3; ++run) {
        HandlerClock::Start(true);
        host.sections = ExploreHost::Sections{};
        // The pause TimeModal would make, outside the timeline.
        Sleep(250);
        Settle();
        double start = NowMs();
        ModalResult result = TimeModal(ours, [&] { return ui->ShowExploreDialog(nullptr, &host.params); });
        HandlerClock::Stop();
        if (run == 0) continue;  // warm-up
        PrintTotals("ours to first paint", result.ms);
        std::printf("    call -> OnInitDialog %.1f ms, -> OnOpenEntry(-1) %.1f ms, fill done %.1f ms, first paint %.1f ms\n",
                    host.sections.initAt - start, host.sections.openEntryAt - start,
                    host.sections.openEntryDone - start, result.ms);
        PrintSections(host.sections, 1);
        HandlerClock::Start(true);
        result = TimeModal(base, [&] { return RunBareList(bare); });
        HandlerClock::Stop();
        PrintTotals("baseline to first paint", result.ms, 6);
    }
}

// Our dialog and the bare list side by side, every message of both timed.
void SideBySide(ITavroKessaUI* ui, ExploreHost& host, BareList& bare, long n, const std::function<void(HWND)>& body) {
    HandlerClock::Start(true);
    OpenBareList(bare);
    PumpUntilIdle();
    ModalRun run(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
    run.body = [&](HWND dialog) {
        MoveToCorner(dialog, 1);
        Settle();
        body(dialog);
    };
    TimeModal(run, [&] { return ui->ShowExploreDialog(nullptr, &host.params); });
    HandlerClock::Stop();
    if (bare.dialog != nullptr) DestroyWindow(bare.dialog);
    Settle();
}

void ProfileRefill(ITavroKessaUI* ui, long n) {
    ExploreScene folder(n);
    ExploreHost& host = folder.host;
    BareList& bare = folder.bare;
    std::printf("\nexplore refill while visible, N=%ld\n", n);
    SideBySide(ui, host, bare, n, [&](HWND dialog) {
        HWND filter = GetDlgItem(dialog, IDC_EXPLORE_TYPES);
        for (int run = 0; run < 3; ++run) {
            host.sections = ExploreHost::Sections{};
            HandlerClock::Reset();
            int before = host.fills;
            double ms = TimeAction(
                [&] {
                    SendMessageA(filter, CB_SETCURSEL, static_cast<WPARAM>(run % 2), 0);
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_TYPES, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(filter));
                },
                [&] { return host.fills > before; });
            PrintTotals("ours, refill to painted", ms);
            std::printf("    then %.1f ms of work put off to idle time\n", LastDeferredMs());
            PrintSections(host.sections, 1);
            HandlerClock::Reset();
            before = bare.fills;
            ms = TimeAction([&] { PostRefill(bare); }, [&] { return bare.fills > before; });
            PrintTotals("baseline, refill to painted", ms, 6);
        }
    });
}

void ProfileNavigation(ITavroKessaUI* ui, int folders, bool deep) {
    const long perFolder = 1000;
    FolderWalk walk(folders, perFolder, deep);
    ExploreHost host;
    walk.Attach(host);
    BareList bare;
    std::vector<Item> first = walk.Items(0);
    bare.items = &first;
    std::printf("\nexplore navigation, folders of %ld, %s\n", perFolder, deep ? "one level deeper each time" : "path 4-8 deep");
    SideBySide(ui, host, bare, perFolder, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
        auto navigate = [&](int count) {
            host.sections = ExploreHost::Sections{};
            HandlerClock::Reset();
            double total = 0;
            for (int k = 0; k < count; ++k) {
                POINT at = ItemCentre(list, 0);
                int from = walk.Current();
                total += TimeAction([&] { PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y)); },
                                    [&] { return walk.Current() == from + 1; });
            }
            char title[96];
            std::snprintf(title, sizeof(title), "ours, %d navigations, ending at look-in depth %zu", count,
                          host.path.size());
            PrintTotals(title, total);
            PrintSections(host.sections, count);
        };
        while (walk.Current() + 10 <= folders) navigate(10);
        if (walk.Current() < folders) navigate(folders - walk.Current());
        // The bare list walked the same way, for comparison.
        std::vector<std::vector<Item>> all;
        for (int k = 0; k <= std::min(folders, 10); ++k) all.push_back(walk.Items(k));
        size_t bareAt = 0;
        bare.next = [&]() -> const std::vector<Item>* { return bareAt + 1 < all.size() ? &all[++bareAt] : nullptr; };
        HandlerClock::Reset();
        double total = 0;
        for (size_t k = 1; k < all.size(); ++k) {
            POINT at = ItemCentre(bare.list, 0);
            total += TimeAction([&] { PostMessageA(bare.list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y)); },
                                [&] { return bareAt == k; });
        }
        PrintTotals("baseline, 10 double-clicks refilling 1,000", total, 5);
    });
}

void ProfileSelection(ITavroKessaUI* ui, long n) {
    ExploreScene folder(n);
    ExploreHost& host = folder.host;
    BareList& bare = folder.bare;
    std::printf("\nexplore selection, N=%ld\n", n);
    SideBySide(ui, host, bare, n, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
        HWND field = GetDlgItem(dialog, IDC_EXPLORE_FILE_NAME);
        const int last = static_cast<int>(n - 1);
        struct Step {
            const char* what;
            int item;
            WPARAM keys;
            size_t count;
            int lastSelected;
        };
        const Step steps[] = {{"select all", -1, 0, static_cast<size_t>(n), last},
                              {"click", 0, 0, 1, 0},
                              {"shift-click the last", last, MK_SHIFT, static_cast<size_t>(n), last},
                              {"shift-click the middle", last / 2, MK_SHIFT, static_cast<size_t>(last / 2 + 1),
                               last / 2}};
        for (int side = 0; side < 2; ++side) {
            HWND target = side == 0 ? list : bare.list;
            Activate(side == 0 ? dialog : bare.dialog, target);
            for (const Step& step : steps) {
                std::function<void()> act;
                if (step.item < 0) {
                    act = [target] {
                        static LVITEMA all;
                        all = LVITEMA{};
                        all.stateMask = all.state = LVIS_SELECTED;
                        PostMessageA(target, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
                    };
                } else {
                    SendMessageA(target, LVM_ENSUREVISIBLE, static_cast<WPARAM>(step.item), FALSE);
                    Settle();
                    POINT at = ItemCentre(target, step.item);
                    act = [target, at, step] { ClickAt(target, at, step.keys); };
                }
                HandlerClock::Reset();
                std::string expected = SelectionText(step.count, 0, step.lastSelected);
                double ms = side == 0 ? TimeAction(act, [&] { return Text(field) == expected; }) : TimeAction(act);
                char title[96];
                std::snprintf(title, sizeof(title), "%s, %s", side == 0 ? "ours" : "baseline", step.what);
                PrintTotals(title, ms, 5);
            }
        }
    });
}

// The list view itself, without any dialog of ours: what emptying, refilling and
// replacing a list of n items costs, to tell the dialog's choices apart.
void ProfileListView(long n) {
    ExploreScene folder(n);
    BareList& bare = folder.bare;
    OpenBareList(bare);
    Settle();
    const int image = FixedImage();
    // The same number of other names, some of them longer.
    std::vector<Item> other = MakeListing(n, static_cast<unsigned>(n) + 1);
    for (size_t i = 0; i < other.size(); i += 7) other[i].name = "Longer name of another entry " + other[i].name;
    const std::vector<Item>* names = &folder.items;
    auto fill = [&](HWND list) {
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iImage = image;
        for (size_t i = 0; i < names->size(); ++i) {
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<char*>((*names)[i].name.c_str());
            item.lParam = static_cast<LPARAM>(i);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    };
    auto fresh = [&](bool paintEmptyFirst) {
        RECT rect;
        GetWindowRect(bare.list, &rect);
        MapWindowPoints(nullptr, bare.dialog, reinterpret_cast<POINT*>(&rect), 2);
        DestroyWindow(bare.list);
        bare.list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_LIST |
                                    LVS_SHAREIMAGELISTS, rect.left, rect.top, rect.right - rect.left,
                                    rect.bottom - rect.top, bare.dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(bare.list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SystemSmallIcons()));
        if (paintEmptyFirst) UpdateWindow(bare.list);
    };
    std::printf("\nthe bare list view alone, N=%ld (median of 3)\n", n);
    auto report = [](const char* what, std::vector<double> ms) {
        std::printf("  %-78s %8.1f ms\n", what, Median(ms));
    };
    std::vector<double> deleteAll, refill, paintAfterRefill, freshFill, freshPaint, freshPaintedFill,
        freshPaintedPaint, trim, otherRefill, otherPaint, backRefill, backPaint;
    for (int run = 0; run < 3; ++run) {
        double start = NowMs();
        SendMessageA(bare.list, LVM_DELETEALLITEMS, 0, 0);
        deleteAll.push_back(NowMs() - start);
        fill(bare.list);
        Settle();
        start = NowMs();
        SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(bare.list, LVM_DELETEALLITEMS, 0, 0);
        fill(bare.list);
        double filled = NowMs();
        PumpUntilIdle();
        refill.push_back(filled - start);
        paintAfterRefill.push_back(NowMs() - filled);
        Settle();

        for (int turn = 0; turn < 2; ++turn) {
            names = turn == 0 ? &other : &folder.items;
            start = NowMs();
            SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
            SendMessageA(bare.list, LVM_DELETEALLITEMS, 0, 0);
            fill(bare.list);
            filled = NowMs();
            PumpUntilIdle();
            (turn == 0 ? otherRefill : backRefill).push_back(filled - start);
            (turn == 0 ? otherPaint : backPaint).push_back(NowMs() - filled);
            Settle();
        }

        fresh(false);
        start = NowMs();
        fill(bare.list);
        filled = NowMs();
        PumpUntilIdle();
        freshFill.push_back(filled - start);
        freshPaint.push_back(NowMs() - filled);
        Settle();

        fresh(true);
        start = NowMs();
        fill(bare.list);
        filled = NowMs();
        PumpUntilIdle();
        freshPaintedFill.push_back(filled - start);
        freshPaintedPaint.push_back(NowMs() - filled);
        Settle();

        SendMessageA(bare.list, WM_SETREDRAW, FALSE, 0);
        start = NowMs();
        for (int count = static_cast<int>(n); count > 0; --count)
            SendMessageA(bare.list, LVM_DELETEITEM, static_cast<WPARAM>(count - 1), 0);
        trim.push_back(NowMs() - start);
        fill(bare.list);
        Settle();
    }
    report("LVM_DELETEALLITEMS on a filled list", deleteAll);
    report("LVM_DELETEITEM from the end, one by one, redraw off (emptying a list put aside)", trim);
    report("refill in place (redraw off, delete all, insert, redraw on)", refill);
    report("  then its paint", paintAfterRefill);
    report("refill in place with other names, some longer", otherRefill);
    report("  then its paint", otherPaint);
    report("refill in place with the first names again (shorter)", backRefill);
    report("  then its paint", backPaint);
    report("fill a new list view (redraw off, insert, redraw on)", freshFill);
    report("  then its first paint", freshPaint);
    report("fill a new list view painted once while empty", freshPaintedFill);
    report("  then its paint", freshPaintedPaint);
    if (bare.dialog != nullptr) DestroyWindow(bare.dialog);
    Settle();
}

// What the shell's small-icon lookups cost in time and memory, by kind of name.
void ProfileIcons(long count) {
    auto workingSet = [] {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
        return counters.WorkingSetSize / 1048576.0;
    };
    std::printf("\nthe shell's small icons, %ld distinct names each\n", count);
    for (const char* extension : {"txt", "exe", "dll"}) {
        double before = workingSet();
        double start = NowMs();
        int first = -1, last = -1;
        for (long i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof(name), "icon_probe_%s_%06ld.%s", extension, i, extension);
            SHFILEINFOA info = {};
            SHGetFileInfoA(name, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                           SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
            if (first < 0) first = info.iIcon;
            last = info.iIcon;
        }
        std::printf("  .%s: %.1f ms in all, %.1f us a name; working set %+.1f MB; icon index of the first %d, of the "
                    "last %d\n",
                    extension, NowMs() - start, (NowMs() - start) * 1000 / count, workingSet() - before, first, last);
    }
}

void ProfileHistoryOpen(ITavroKessaUI* ui, long n) {
    HistoryData data(n);
    ModalRun ours(kHistoryTitle, ListHolds(IDC_HISTORY_LIST, n));
    ModalRun base("Bench Bare Report", ListHolds(data.bare.list, n));
    std::printf("\nhistory open, N=%ld\n", n);
    for (int run = 0; run < 3; ++run) {
        HandlerClock::Start(true);
        ModalResult result = TimeModal(ours, [&] { return ui->ShowHistoryDialog(nullptr, &data.params); });
        HandlerClock::Stop();
        if (run == 0) continue;
        PrintTotals("ours to first paint (closing included in the list)", result.ms, 8);
        HandlerClock::Start(true);
        result = TimeModal(base, [&] { return RunBareReport(data.bare); });
        HandlerClock::Stop();
        PrintTotals("baseline to first paint (closing included in the list)", result.ms, 6);
    }
}

// The bare report list filled with and without the history dialog's extended
// styles, set before or after the rows go in.
void ProfileReportStyles(long n) {
    const DWORD styles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP;
    std::printf("\nthe bare report list, N=%ld, extended styles and when they are set\n", n);
    for (int variant = 0; variant < 3; ++variant) {
        const char* what = variant == 0 ? "no extended styles" : variant == 1 ? "styles set before the rows" : "styles set after the rows";
        for (int run = 0; run < 2; ++run) {
            HistoryData data(n);
            HandlerClock::Start(true);
            OpenBareReport(data.bare);  // filled in WM_INITDIALOG, without styles
            Settle();
            HWND list = data.bare.list;
            // Refill in place with the variant's styles.
            double start = NowMs();
            SendMessageA(list, WM_SETREDRAW, FALSE, 0);
            SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
            if (variant == 1) SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
            HandlerClock::Reset();
            double fillStart = NowMs();
            LVITEMA item = {};
            for (long row = 0; row < n; ++row) {
                const Version& version = data.versions[static_cast<size_t>(n - 1 - row)];
                item.mask = LVIF_TEXT | LVIF_PARAM;
                item.iItem = static_cast<int>(row);
                item.iSubItem = 0;
                item.pszText = const_cast<char*>("");
                item.lParam = row;
                SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
                const char* texts[] = {data.bare.numbers[static_cast<size_t>(version.number - 1)].c_str(),
                                       version.date.c_str(), version.author.c_str(), version.firstLine.c_str()};
                for (int sub = 1; sub <= 4; ++sub) {
                    LVITEMA text = {};
                    text.iSubItem = sub;
                    text.pszText = const_cast<char*>(texts[sub - 1]);
                    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&text));
                }
            }
            double filled = NowMs();
            if (variant == 2) SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
            SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
            PumpUntilIdle();
            double painted = NowMs();
            int headerCalls = 0;
            for (const HandlerClock::Total& total : HandlerClock::Totals(true))
                if (total.what.find("SysHeader32") != std::string::npos) headerCalls += total.count;
            if (run == 1)
                std::printf("  %-28s rows %.1f ms, to painted %.1f ms in all; %d messages to the header while filling\n",
                            what, filled - fillStart, painted - start, headerCalls);
            HandlerClock::Stop();
            DestroyWindow(data.bare.dialog);
            Settle();
        }
    }
}

}  // namespace

void Profile(ITavroKessaUI* ui, const Options& options) {
    SetDeadline("profile", 3600);
    SetOpenPause(0);
    const long small = 1000, large = options.smoke ? 1000 : 10000;
    if (Wanted(options, "open")) {
        ProfileOpen(ui, small);
        ProfileOpen(ui, large);
    }
    if (Wanted(options, "open-reverse")) {
        ProfileOpen(ui, large);
        ProfileOpen(ui, small);
    }
    if (Wanted(options, "refill")) ProfileRefill(ui, large);
    if (Wanted(options, "refill1000")) ProfileRefill(ui, small);
    if (Wanted(options, "listview")) {
        ProfileListView(large);
        if (!options.smoke) ProfileListView(50000);
    }
    if (Wanted(options, "navigation")) ProfileNavigation(ui, options.smoke ? 10 : 30, false);
    if (Wanted(options, "deep")) ProfileNavigation(ui, options.smoke ? 10 : 100, true);
    if (Wanted(options, "selection")) ProfileSelection(ui, options.smoke ? 1000 : 50000);
    if (Wanted(options, "selection1000")) ProfileSelection(ui, 1000);
    if (Wanted(options, "icons")) ProfileIcons(options.smoke ? 500 : 4500);
    if (Wanted(options, "history")) {
        ProfileHistoryOpen(ui, small);
        ProfileHistoryOpen(ui, large);
    }
    if (Wanted(options, "open50000")) ProfileOpen(ui, 50000);
    if (Wanted(options, "report")) ProfileReportStyles(large);
    if (Wanted(options, "icons-open")) {
        ProfileOpen(ui, large, false);
        ProfileOpen(ui, large, true);
    }
    if (Wanted(options, "icons-open50000")) {
        ProfileOpen(ui, 50000, false);
        ProfileOpen(ui, 50000, true);
    }
    SetDeadline("", 0);
    std::fflush(stdout);
}

}  // namespace bench
