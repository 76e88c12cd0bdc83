// Drives real dialogs from inside their own modal loops: the one harness of the
// tests, the demo's tour and the benchmark.
//
// A caller queues steps, then makes the call that runs a dialog. A thread timer
// fires inside whatever modal loop is running (a dialog's, a message box's, a
// host's own while a transfer runs) and works through the steps: a step either
// waits (returns false until its condition holds) or acts (posts a click, a key
// or a message, reads a state) and returns true. Actions post rather than send
// where they can, so the dialog handles them in its own loop just as it would
// handle the user. When the steps do not finish in time every dialog of the
// thread is ended, so a stuck dialog fails its run instead of hanging it.
//
// A run also records every top-level window created on the thread, so that the
// caller can check that none outlives it, and, where the program can see the
// library's handle counts (see SetHandleCounter), how many handles it left.
#ifndef TK_DRIVER_DIALOGDRIVER_H
#define TK_DRIVER_DIALOGDRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "Input.h"

namespace tkt {

class Driver {
public:
    using Step = std::function<bool()>;

    // `tickMs`: how often the steps are asked; Wine's timers do not fire more
    // often than every 10 ms, Windows' do.
    explicit Driver(DWORD timeoutMs = 15000, UINT tickMs = 10);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // A step that may wait: it is asked again on each tick until it returns true.
    // `what` names it in Problem().
    Driver& Wait(Step step);
    Driver& Wait(std::string what, Step step);
    // A step that acts once.
    Driver& Do(std::function<void()> action);
    Driver& Do(std::string what, std::function<void()> action);
    // Waits until a dialog that this run created, with `title` (any dialog when
    // `title` is null), is visible, and makes it the current dialog (the newest
    // such dialog).
    Driver& WaitDialog(const char* title = nullptr);

    // Runs `call` (which opens a dialog) with the steps ticking inside its loop.
    INT_PTR Run(const std::function<INT_PTR()>& call);
    // From inside a step: no more ticks, and so no time limit, for the rest of
    // the run. What the step does next (a measurement that waits for an idle
    // queue, say) sees no timer messages of ours.
    void StopTicking();

    // The dialog the last WaitDialog found.
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    bool TimedOut() const { return m_timedOut; }
    bool AllStepsDone() const { return m_next >= m_steps.size(); }
    // Every step ran or the time ran out: a loop that the call runs itself
    // (rather than a dialog's) stops on it.
    bool Over() const { return m_timedOut || AllStepsDone(); }
    // What went wrong, for a report: the step that never finished, or that the
    // dialog stayed open after the last step; empty when nothing did.
    std::string Problem() const;

    // Every top-level window created on this thread while Run was running.
    const std::vector<HWND>& CreatedWindows() const { return m_created; }
    // Windows created during Run that still exist.
    int LiveCreatedWindows() const;
    // Library handles made during Run and not given back; 0 without a counter.
    int LeakedHandles() const { return m_leakedHandles; }

private:
    struct Entry {
        std::string what;
        Step run;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    void Tick();
    static void EndEverything();

    std::vector<Entry> m_steps;
    size_t m_next = 0;
    DWORD m_timeoutMs;
    UINT m_tickMs;
    DWORD m_start = 0;
    bool m_timedOut = false;
    HWND m_dialog = nullptr;
    UINT_PTR m_timer = 0;
    HHOOK m_hook = nullptr;
    std::vector<HWND> m_created;
    int m_leakedHandles = 0;
    Driver* m_outer = nullptr;
};

// The library's count of live handles, for programs that can see it (a test
// linked against the library's core installs tk::LiveHandlesTotal). Without one
// a run checks its windows only.
void SetHandleCounter(int (*counter)());
// The count now; 0 without a counter.
int LiveHandles();

// Ends the process when the program, or the phase named last, runs longer than
// its time: a hang must become a failure, not a stalled test run. 0 seconds
// starts the watchdog disarmed.
void StartWatchdog(unsigned seconds);
// Names the phase now running and gives it `seconds` from now (0 disarms).
void SetDeadline(const std::string& phase, unsigned seconds);

}  // namespace tkt

#endif
