// Drives dialogs from inside their own modal loops, as a user would.
//
// A script is a list of steps. Run() starts a thread timer and makes the call
// that opens the first dialog; the timer fires inside whatever modal loop is
// running (a dialog's, a message box's, the host's own while a transfer runs)
// and works through the steps: a waiting step is asked again on every tick until
// its condition holds, an acting step posts a click or a key and is done. Nothing
// sleeps. If the steps are not through in time, every dialog of the thread is
// ended so that the call returns and the tour can report what it waited for.
#ifndef TAVROKESSA_TOUR_SCRIPT_H
#define TAVROKESSA_TOUR_SCRIPT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tour {

class Script {
public:
    using Condition = std::function<bool()>;

    Script() = default;
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // A step asked on each tick until it returns true.
    Script& Wait(std::string what, Condition ready);
    // A step that acts once.
    Script& Do(std::string what, std::function<void()> action);

    // Runs `call` with the steps ticking inside its loops. True when every step
    // ran and the call returned before `timeoutMs`.
    bool Run(const std::function<void()>& call, DWORD timeoutMs = 20000);

    // True once every step ran or the time ran out: a loop run by the call itself
    // (rather than a dialog's) stops on it.
    bool Over() const { return m_timedOut || m_next >= m_steps.size(); }

    // What went wrong, for the report: the step that never finished, or that the
    // dialog stayed open after the last step.
    std::string Problem() const;

private:
    struct Step {
        std::string what;
        Condition run;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    // Ends every dialog and transfer of the thread so that the running call returns.
    static void EndEverything();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_start = 0;
    DWORD m_timeoutMs = 0;
    bool m_timedOut = false;
    bool m_running = false;
    UINT_PTR m_timer = 0;
};

// Ends the process with a message if the whole tour runs longer than `seconds`:
// a tour that hangs must fail, not stall a test run.
void StartWatchdog(unsigned seconds);

}  // namespace tour

#endif
