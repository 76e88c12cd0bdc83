// The benchmark's own machinery on top of the dialog driver: timed user actions,
// the "first paint done" timer, the figures and their report.
//
// Every figure is the median of several runs of our dialog and of a baseline
// built from the bare platform controls, run alternately in the same process, so
// that a busy machine slows both alike and the ratio stays meaningful.
#ifndef TK_BENCH_BENCH_H
#define TK_BENCH_BENCH_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Pump.h"

class ITavroKessaUI;

namespace bench {

struct Row;

// --- Options ---------------------------------------------------------------

struct Options {
    int reps = 5;
    bool smoke = false;          // smallest sizes, one run each, no warm-up
    std::vector<std::string> only;  // groups to run (explore, history, progress, peer, memory, handlers); empty: all
    std::string csv = "bench-results.csv";
    std::string results;         // a folder for latest.md and latest.csv (then csv is ignored)
    double slowMs = 30000;       // one run of ours slower than this ends its case's larger sizes
    std::vector<std::string> profile;  // parts of the profile to run (open, refill, navigation, selection); empty: all
    long maxN = 0;               // sizes above this are skipped (0: none)
    long pauseMs = 250;          // untimed pause before each timed open
    // The sizes of a case that this run measures.
    std::vector<long> Sizes(std::vector<long> all) const;
    bool Wants(const char* group) const;
    int Reps() const { return smoke ? 1 : reps; }
    bool WarmUp() const { return !smoke; }
};

// --- Clock, pumps and windows: the dialog driver's ---------------------------------

using tkt::FindThreadDialog;
using tkt::ClickAt;
using tkt::ItemCentre;
using tkt::ItemCount;
using tkt::NowMs;
using tkt::PumpOne;
using tkt::PumpUntilIdle;
using tkt::SetDeadline;
using tkt::Settle;
using tkt::Text;

double Median(std::vector<double> samples);

// Times one user action: `act` posts its messages; the clock stops once the
// thread is idle again and `done` holds. -1 on timeout. Then, untimed, it waits
// until the dialogs have finished any work they put off to their idle time, so
// that none of it lands in the next measurement.
double TimeAction(const std::function<void()>& act, const std::function<bool()>& done = nullptr);
// What the last TimeAction's Settle found.
double LastDeferredMs();
// Makes `dialog` the active window with the keyboard focus in `focus`, untimed,
// so that a click posted next does not also pay for an activation.
void Activate(HWND dialog, HWND focus);
// Moves a top-level window to a corner of the screen (0: top left, 1: bottom right).
void MoveToCorner(HWND window, int corner);
void PostCancel(HWND dialog);

// --- Open to first paint ------------------------------------------------------------

// Times a modal dialog from the call that opens it to its first paint: a 1 ms
// thread timer, set just before `call`, fires inside the dialog's modal loop after
// the first paints. When it finds the dialog titled `title` for which `ready`
// holds, it shows and paints it if the dialog manager has not yet, and stops the
// clock there. Then `body` drives the open dialog and `close` ends it.
struct ModalRun {
    explicit ModalRun(const char* dialogTitle = nullptr, std::function<bool(HWND)> isReady = nullptr)
        : title(dialogTitle), ready(std::move(isReady)) {}
    const char* title = nullptr;
    std::function<bool(HWND)> ready;
    std::function<void(HWND)> body;
    std::function<void(HWND)> close = PostCancel;
};
struct ModalResult {
    bool painted = false;  // false: the dialog never came up, or never became ready
    bool gaveUp = false;   // it came up but never became ready, and was ended
    double ms = 0;         // call to first paint
    INT_PTR result = 0;    // what the call returned
};
ModalResult TimeModal(const ModalRun& run, const std::function<INT_PTR()>& call);
// Readiness: the list view `id` of the dialog holds `n` items.
std::function<bool(HWND)> ListHolds(int id, long n);
// Readiness of a baseline: its `list`, known once it is open, holds `n` items.
std::function<bool(HWND)> ListHolds(const HWND& list, long n);
// The untimed pause before each open (250 ms unless set).
void SetOpenPause(DWORD ms);
// Why a dialog could not be measured, for the table.
std::string NotOpened(const char* operation, const ModalResult& result);

// --- Alternating runs -----------------------------------------------------------------

// Runs `ours` and `base` alternately `Reps()` times, ours first on even runs,
// after one untimed warm-up of each. A negative time from `ours` means our dialog
// could not be measured: the row says so and only the baseline goes on. Returns
// false when one run of ours took longer than `slowMs`: the case's larger sizes
// are then skipped.
bool Alternate(const Options& options, Row& row, const std::function<double()>& ours,
               const std::function<double()>& base);

// --- Longest handler ----------------------------------------------------------------

// Records, for every window created on this thread while it is on, how long each
// message takes that is not sent from inside another one: the time one user
// action, one event or one paint keeps the thread from the user.
class HandlerClock {
public:
    // `nested`: also keep totals of the messages sent from inside others; that
    // costs about a microsecond a message, too much for the figures themselves.
    static void Start(bool nested = false);
    static void Stop();
    static void Reset();  // forgets what was recorded, keeps recording
    // Also times `window`'s messages outside any subclass its owner has put on it
    // since it was made, so that what that subclass does counts with the message.
    static void Wrap(HWND window);
    static double LongestMs();
    static std::string LongestWhat();
    // Every outermost message by kind ("WM_PAINT to SysListView32"): how many, and
    // their total time; the largest totals first.
    struct Total {
        std::string what;
        int count;
        double ms;
    };
    // With `nested`, the messages sent from inside others instead, each timed
    // with what it calls in turn.
    static std::vector<Total> Totals(bool nested = false);
};

// --- Figures ------------------------------------------------------------------------

enum class Target {
    None,         // reported for information
    Ratio,        // ours <= limit x baseline
    RatioPlusMs,  // ours <= limit x baseline + plusMs
    AtMostMs,     // ours <= limit milliseconds
    Growth,       // ours(10N) / ours(N) <= limit
    Exactly,      // ours == limit (a count)
};

struct Row {
    Row() = default;
    // What a row says before it is measured: the case at a size, what it stands
    // beside and the target it is held to.
    Row(std::string caseName, long size, std::string baseline, Target goal = Target::None, double goalLimit = 0)
        : name(std::move(caseName)), n(size), baseName(std::move(baseline)), target(goal), limit(goalLimit) {}

    std::string name;      // what is measured
    long n = 0;            // size
    std::string unit = "ms";
    std::vector<double> ours, base;
    std::string baseName;  // what the baseline is
    Target target = Target::None;
    double limit = 0, plusMs = 0;
    std::string note;
    bool oursMissing = false;  // our dialog could not be measured (see note)
    bool scales = false;       // measured at several sizes: growth rows are made from it

    double Ours() const { return target == Target::Exactly ? Worst() : Median(ours); }
    double Worst() const;  // the sample farthest from the limit
    double Base() const { return Median(base); }
    bool HasOurs() const { return !ours.empty() && !oursMissing; }
    bool HasBase() const { return !base.empty(); }
    std::string TargetText() const;
    // "met", "MISSED" or "" when there is no target or nothing to compare.
    std::string Verdict() const;
};

class Report {
public:
    Row& Add(Row row);
    Row* Find(const std::string& name, long n);
    // Adds a growth row for every case measured at N and 10N.
    void AddGrowth();
    void Print(FILE* out) const;
    bool WriteCsv(const std::string& path) const;
    // The table as a results page: `header` (machine, method) above it, `footer` below.
    bool WriteMarkdown(const std::string& path, const std::string& header, const std::string& footer) const;
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    std::vector<Row> m_rows;
};

// --- The cases -------------------------------------------------------------------------

void BenchExplore(ITavroKessaUI* ui, const Options& options, Report& report);
void BenchHistory(ITavroKessaUI* ui, const Options& options, Report& report);
void BenchProgress(ITavroKessaUI* ui, const Options& options, Report& report);
void BenchPeer(ITavroKessaUI* ui, const Options& options, Report& report);
void BenchHandlers(ITavroKessaUI* ui, const Options& options, Report& report);
void BenchMemory(const Options& options, Report& report);
// Where our time goes in the cases that miss: sections timed from the host's side
// and every message's share, printed, not tabled.
void Profile(ITavroKessaUI* ui, const Options& options);
// The memory case runs each dialog in a process of its own; this is that process.
int RunMemoryChild(ITavroKessaUI* ui, const std::string& what, long n, const std::string& out);

}  // namespace bench

#endif
