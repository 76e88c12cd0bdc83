// How long the longest single message of our dialogs keeps the thread from the
// user, at 10,000 rows, over a session of everyday actions: open, refill,
// selections, double-click, Open; open, sorting by each column, selecting a row,
// Get Version, Close.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>

#include "Baselines.h"
#include "Bench.h"
#include "resource.h"
#include "Explore.h"
#include "History.h"

namespace bench {
namespace {

Row HandlerRow(const char* dialog, long n) {
    Row row;
    row.name = std::string("longest message handled: ") + dialog;
    row.n = n;
    row.target = Target::AtMostMs;
    row.limit = 1000;
    return row;
}

// Runs our session, then the baseline's, each with the message clock on, and
// reports the longest message of each.
void LongestOfSessions(Report& report, const char* dialog, long n, const char* baseName, const char* session,
                       const char* operation, const std::function<ModalResult()>& ours,
                       const std::function<void()>& base) {
    Row row = HandlerRow(dialog, n);
    row.baseName = baseName;
    HandlerClock::Start();
    ModalResult result = ours();
    double oursLongest = HandlerClock::LongestMs();
    std::string oursWhat = HandlerClock::LongestWhat();
    HandlerClock::Stop();
    HandlerClock::Start();
    base();
    row.base.push_back(HandlerClock::LongestMs());
    HandlerClock::Stop();
    if (result.painted) {
        row.ours.push_back(oursLongest);
        row.note = oursWhat + "; baseline's: " + HandlerClock::LongestWhat() + "; session: " + session;
    } else {
        row.oursMissing = true;
        row.note = NotOpened(operation, result);
    }
    report.Add(std::move(row));
}

void ExploreSession(ITavroKessaUI* ui, long n, Report& report) {
    ExploreScene scene(n);
    ExploreHost& host = scene.host;

    ModalRun run(kExploreTitle, ListHolds(IDC_EXPLORE_LIST, n));
    run.body = [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
        HWND filter = GetDlgItem(dialog, IDC_EXPLORE_TYPES);
        HWND field = GetDlgItem(dialog, IDC_EXPLORE_FILE_NAME);
        HandlerClock::Wrap(list);
        int fills = host.fills;
        SendMessageA(filter, CB_SETCURSEL, 1, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_TYPES, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(filter));
        PumpUntilIdle([&] { return host.fills > fills; }, 120000);
        // A refill may have put a new list view in the old one's place.
        list = GetDlgItem(dialog, IDC_EXPLORE_LIST);
        HandlerClock::Wrap(list);
        Activate(dialog, list);
        static LVITEMA all;
        all = LVITEMA{};
        all.stateMask = all.state = LVIS_SELECTED;
        PostMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        std::string everything = SelectionText(static_cast<size_t>(n), 0, static_cast<int>(n - 1));
        PumpUntilIdle([&] { return Text(field) == everything; }, 120000);
        ClickAt(list, ItemCentre(list, 0), 0);
        PumpUntilIdle([&] { return Text(field) == SelectionText(1, 0, 0); }, 120000);
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(n - 1), FALSE);
        Settle();
        ClickAt(list, ItemCentre(list, static_cast<int>(n - 1)), MK_SHIFT);
        PumpUntilIdle([&] { return Text(field) == everything; }, 120000);
        POINT at = ItemCentre(list, static_cast<int>(n - 1));
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Settle();
        // Open hands the whole selection to the host, which ends the dialog.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPLORE_OPEN, BN_CLICKED), 0);
    };
    run.close = nullptr;

    // The same session on the bare list.
    BareList& bare = scene.bare;
    ModalRun bareRun("Bench Bare List", ListHolds(bare.list, n));
    bareRun.body = [&](HWND dialog) {
        HWND list = bare.list;
        int fills = bare.fills;
        PostRefill(bare);
        PumpUntilIdle([&] { return bare.fills > fills; }, 120000);
        Activate(dialog, list);
        static LVITEMA all;
        all = LVITEMA{};
        all.stateMask = all.state = LVIS_SELECTED;
        PostMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        PumpUntilIdle();
        ClickAt(list, ItemCentre(list, 0), 0);
        PumpUntilIdle();
        SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(n - 1), FALSE);
        Settle();
        ClickAt(list, ItemCentre(list, static_cast<int>(n - 1)), MK_SHIFT);
        PumpUntilIdle();
        POINT at = ItemCentre(list, static_cast<int>(n - 1));
        PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Settle();
    };

    LongestOfSessions(report, "explore", n, "the same session on the bare list",
                      "open, refill, select all, click, shift-click, double-click, Open with all selected",
                      "ShowExploreDialog",
                      [&] { return TimeModal(run, [&] { return ui->ShowExploreDialog(nullptr, &host.params); }); },
                      [&] { TimeModal(bareRun, [&] { return RunBareList(bare); }); });
}

// What the history session does on either list: a sort by each column, then a
// click on the first row.
void SortEachColumnAndSelect(HWND dialog, HWND list) {
    for (int column = 1; column <= 4; ++column) {
        PostColumnClick(dialog, list, column);
        Settle();
    }
    Activate(dialog, list);
    ClickAt(list, ItemCentre(list, 0), 0);
    Settle();
}

void HistorySession(ITavroKessaUI* ui, long n, Report& report) {
    HistoryData data(n);
    ModalRun run(kHistoryTitle, ListHolds(IDC_HISTORY_LIST, n));
    run.body = [&](HWND dialog) {
        SortEachColumnAndSelect(dialog, GetDlgItem(dialog, IDC_HISTORY_LIST));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_HISTORY_GET_VERSION, BN_CLICKED), 0);
        Settle();
    };
    // The same session on the bare report list.
    ModalRun bareRun("Bench Bare Report", ListHolds(data.bare.list, n));
    bareRun.body = [&](HWND dialog) { SortEachColumnAndSelect(dialog, data.bare.list); };

    LongestOfSessions(report, "history", n, "the same session on the bare report list",
                      "open, sort by each column, select, Get Version, Close", "ShowHistoryDialog",
                      [&] { return TimeModal(run, [&] { return ui->ShowHistoryDialog(nullptr, &data.params); }); },
                      [&] { TimeModal(bareRun, [&] { return RunBareReport(data.bare); }); });
}

}  // namespace

void BenchHandlers(ITavroKessaUI* ui, const Options& options, Report& report) {
    const long n = options.smoke ? 1000 : 10000;
    std::fprintf(stderr, "bench: longest handlers\n");
    SetDeadline("longest handler, explore", 1200);
    ExploreSession(ui, n, report);
    SetDeadline("longest handler, history", 1200);
    HistorySession(ui, n, report);
    SetDeadline("", 0);
}

}  // namespace bench
