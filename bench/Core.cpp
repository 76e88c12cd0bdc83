#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <map>

#include "Bench.h"
#include "DialogDriver.h"

namespace bench {

std::vector<long> Options::Sizes(std::vector<long> all) const {
    if (smoke) all.resize(1);
    if (maxN > 0) all.erase(std::remove_if(all.begin(), all.end(), [this](long n) { return n > maxN; }), all.end());
    return all;
}

bool Options::Wants(const char* group) const {
    return only.empty() || std::find(only.begin(), only.end(), group) != only.end();
}

// --- Clock -------------------------------------------------------------------------

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    size_t middle = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

namespace {
double g_lastDeferred = 0;
}  // namespace

double LastDeferredMs() { return g_lastDeferred; }

double TimeAction(const std::function<void()>& act, const std::function<bool()>& done) {
    double start = NowMs();
    act();
    if (!PumpUntilIdle(done, 300000)) return -1;
    double took = NowMs() - start;
    g_lastDeferred = Settle();
    return took;
}

void Activate(HWND dialog, HWND focus) {
    SetActiveWindow(dialog);
    SetFocus(focus);
    Settle();
}

void PostCancel(HWND dialog) { tkt::Click(dialog, IDCANCEL); }

void MoveToCorner(HWND window, int corner) {
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int x = 0, y = 0;
    if (corner == 1) {
        x = GetSystemMetrics(SM_CXSCREEN) - width;
        y = GetSystemMetrics(SM_CYSCREEN) - height;
    }
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- Open to first paint ----------------------------------------------------------------

namespace {

// A dialog that is up but not what the benchmark expects after this long is ended.
constexpr double kReadyTimeoutMs = 120000;
DWORD g_pauseMs = 250;

}  // namespace

void SetOpenPause(DWORD ms) { g_pauseMs = ms; }

std::function<bool(HWND)> ListHolds(int id, long n) {
    return [id, n](HWND dialog) { return ItemCount(GetDlgItem(dialog, id)) == n; };
}

std::function<bool(HWND)> ListHolds(const HWND& list, long n) {
    return [&list, n](HWND) { return ItemCount(list) == n; };
}

ModalResult TimeModal(const ModalRun& run, const std::function<INT_PTR()>& call) {
    // The X server and the Wine server tear the last dialog's windows down after
    // our thread is done with them; a dialog opened meanwhile competes with that,
    // the more so the more windows it has. Every open starts on a quiet machine.
    if (g_pauseMs > 0) {
        Sleep(g_pauseMs);
        Settle();
    }
    // The driver ticks right after the first paints: the clock stops in the tick
    // that finds the dialog ready, before any other message. Its own time limit
    // is off; a dialog that never becomes ready is given up here instead, and the
    // dialog's body has no other limit than the phase's watchdog.
    tkt::Driver driver(INFINITE, 1);
    ModalResult result;
    double start = 0, stop = 0;
    driver.Wait("our dialog, ready, then driven and closed", [&] {
        HWND dialog = tkt::FindThreadDialog(run.title);
        if (dialog == nullptr) return false;
        if (run.ready && !run.ready(dialog)) {
            if (tkt::NowMs() - start > kReadyTimeoutMs) {
                result.gaveUp = true;
                std::fprintf(stderr, "bench: '%s' never became ready; ending it\n", run.title);
                driver.StopTicking();
                PostCancel(dialog);
                EndDialog(dialog, -99);
            }
            return false;
        }
        driver.StopTicking();
        // A dialog that is not visible in its template is shown by the dialog
        // manager only after its first timer message: that timer may be this one.
        if (!IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        stop = tkt::NowMs();
        result.painted = true;
        if (run.body) run.body(dialog);
        if (IsWindow(dialog) && run.close) run.close(dialog);
        return true;
    });
    result.result = driver.Run([&] {
        start = tkt::NowMs();
        return call();
    });
    result.ms = result.painted ? stop - start : 0;
    // What the closing left behind (destroyed windows' last messages) is not ours
    // to time, but it must not land in the next measurement.
    Settle();
    return result;
}

std::string NotOpened(const char* operation, const ModalResult& result) {
    char note[160];
    if (result.gaveUp)
        std::snprintf(note, sizeof(note), "our dialog opened but never showed the expected items");
    else
        std::snprintf(note, sizeof(note), "our dialog did not open (%s returned %lld)", operation,
                      static_cast<long long>(result.result));
    return note;
}

// --- Longest handler ---------------------------------------------------------------------

namespace {

struct Hooked {
    WNDPROC previous;
    bool unicode;
};

struct HandlerState {
    HHOOK hook = nullptr;
    std::map<HWND, Hooked> windows;
    std::map<HWND, Hooked> outer;
    int depth = 0;
    bool recordNested = false;
    double longest = 0;
    std::string what;
    std::map<std::pair<std::string, UINT>, std::pair<int, double>> totals;
    std::map<std::pair<std::string, UINT>, std::pair<int, double>> nested;
} g_handlers;

std::string Describe(HWND window, UINT message) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    const char* known = nullptr;
    switch (message) {
        case WM_INITDIALOG: known = "WM_INITDIALOG"; break;
        case WM_COMMAND: known = "WM_COMMAND"; break;
        case WM_NOTIFY: known = "WM_NOTIFY"; break;
        case WM_PAINT: known = "WM_PAINT"; break;
        case WM_DESTROY: known = "WM_DESTROY"; break;
        case WM_NCDESTROY: known = "WM_NCDESTROY"; break;
        case WM_LBUTTONDOWN: known = "WM_LBUTTONDOWN"; break;
        case WM_LBUTTONUP: known = "WM_LBUTTONUP"; break;
        case WM_LBUTTONDBLCLK: known = "WM_LBUTTONDBLCLK"; break;
        case LVM_SETITEMSTATE: known = "LVM_SETITEMSTATE"; break;
        case WM_SIZE: known = "WM_SIZE"; break;
        case WM_TIMER: known = "WM_TIMER"; break;
        default: break;
    }
    char text[128];
    if (known != nullptr)
        std::snprintf(text, sizeof(text), "%s to %s", known, name);
    else
        std::snprintf(text, sizeof(text), "message 0x%04X to %s", message, name);
    return text;
}

LRESULT Timed(std::map<HWND, Hooked>& hooks, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = hooks.find(window);
    if (found == hooks.end()) return DefWindowProcA(window, message, wParam, lParam);
    Hooked hooked = found->second;
    if (message == WM_NCDESTROY) {
        // Put the window back as it was before it goes.
        if (hooked.unicode)
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hooked.previous));
        else
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hooked.previous));
        hooks.erase(found);
    }
    bool outermost = g_handlers.depth == 0;
    ++g_handlers.depth;
    double start = NowMs();
    LRESULT result = hooked.unicode ? CallWindowProcW(hooked.previous, window, message, wParam, lParam)
                                    : CallWindowProcA(hooked.previous, window, message, wParam, lParam);
    double took = NowMs() - start;
    --g_handlers.depth;
    const bool recordNested = g_handlers.recordNested;
    char name[64] = {};
    if (outermost || recordNested) GetClassNameA(window, name, sizeof(name));
    if (!outermost && recordNested) {
        auto& inner = g_handlers.nested[{name, message}];
        ++inner.first;
        inner.second += took;
    }
    if (outermost) {
        auto& total = g_handlers.totals[{name, message}];
        ++total.first;
        total.second += took;
        if (took > g_handlers.longest) {
            g_handlers.longest = took;
            g_handlers.what = Describe(window, message);
        }
    }
    return result;
}

// Windows are wrapped twice: once at creation, under any subclass their owner
// adds later, and once on request, over it.
LRESULT CALLBACK TimedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Timed(g_handlers.windows, window, message, wParam, lParam);
}

LRESULT CALLBACK OuterTimedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Timed(g_handlers.outer, window, message, wParam, lParam);
}

LRESULT CALLBACK OnCreate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        bool unicode = IsWindowUnicode(window) != FALSE;
        LONG_PTR previous = unicode
                                ? SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedProc))
                                : SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedProc));
        if (previous != 0) g_handlers.windows[window] = Hooked{reinterpret_cast<WNDPROC>(previous), unicode};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void HandlerClock::Start(bool nested) {
    g_handlers.recordNested = nested && std::getenv("BENCH_NO_NESTED") == nullptr;
    g_handlers.longest = 0;
    g_handlers.what.clear();
    g_handlers.totals.clear();
    g_handlers.nested.clear();
    g_handlers.depth = 0;
    if (g_handlers.hook == nullptr)
        g_handlers.hook = SetWindowsHookExA(WH_CBT, &OnCreate, nullptr, GetCurrentThreadId());
}

void HandlerClock::Wrap(HWND window) {
    if (window == nullptr || g_handlers.outer.count(window) != 0) return;
    bool unicode = IsWindowUnicode(window) != FALSE;
    LONG_PTR previous = unicode
                            ? SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterTimedProc))
                            : SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterTimedProc));
    if (previous != 0) g_handlers.outer[window] = Hooked{reinterpret_cast<WNDPROC>(previous), unicode};
}

void HandlerClock::Reset() {
    g_handlers.longest = 0;
    g_handlers.what.clear();
    g_handlers.totals.clear();
    g_handlers.nested.clear();
}

void HandlerClock::Stop() {
    if (g_handlers.hook != nullptr) UnhookWindowsHookEx(g_handlers.hook);
    g_handlers.hook = nullptr;
}

double HandlerClock::LongestMs() { return g_handlers.longest; }

std::vector<HandlerClock::Total> HandlerClock::Totals(bool nested) {
    std::vector<Total> totals;
    for (const auto& entry : nested ? g_handlers.nested : g_handlers.totals) {
        std::string what = Describe(nullptr, entry.first.second);
        what = what.substr(0, what.find(" to ")) + " to " + entry.first.first;
        totals.push_back(Total{what, entry.second.first, entry.second.second});
    }
    std::sort(totals.begin(), totals.end(), [](const Total& a, const Total& b) { return a.ms > b.ms; });
    return totals;
}
std::string HandlerClock::LongestWhat() { return g_handlers.what; }

}  // namespace bench

namespace bench {

bool Alternate(const Options& options, Row& row, const std::function<double()>& ours,
               const std::function<double()>& base) {
    bool oursWorks = !row.oursMissing;
    auto runOurs = [&](bool keep) {
        if (!oursWorks) return true;
        double ms = ours();
        if (ms < 0) {
            oursWorks = false;
            row.oursMissing = true;
            return true;
        }
        if (keep) row.ours.push_back(ms);
        if (ms > options.slowMs) {
            char note[128];
            std::snprintf(note, sizeof(note), "one run of ours took %.1f s: fewer runs, larger sizes skipped",
                          ms / 1000);
            row.note = note;
            return false;
        }
        return true;
    };
    auto runBase = [&](bool keep) {
        double ms = base();
        if (keep && ms >= 0) row.base.push_back(ms);
    };
    if (options.WarmUp()) {
        if (!runOurs(false)) {
            runBase(true);
            return false;
        }
        runBase(false);
    }
    for (int run = 0; run < options.Reps(); ++run) {
        bool fast = true;
        if (run % 2 == 0) {
            fast = runOurs(true);
            runBase(true);
        } else {
            runBase(true);
            fast = runOurs(true);
        }
        if (!fast) return false;
    }
    return true;
}

}  // namespace bench
