// Stops a window drawing while any of several holds lasts, and has it drawn once,
// whole, when the last of them lets go. Filling a list view of 10,000 items takes
// seconds with drawing on and milliseconds without.
#ifndef TAVROKESSAUI_REDRAW_H
#define TAVROKESSAUI_REDRAW_H

#include <windows.h>

namespace tk {

class RedrawSuspension {
public:
    // Why the window is not drawing; any mix of these may hold at once.
    enum Hold : unsigned {
        kFill = 1,            // rows going in
        kHostCalls = 2,       // the host refills from inside its events
        kSelectionBurst = 4,  // a large selection change is being gathered
    };

    RedrawSuspension() = default;
    explicit RedrawSuspension(HWND window) : m_window(window) {}
    // Lets go of every hold: a window left not drawing would stay blank.
    ~RedrawSuspension() { Let(~0u); }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

    void Attach(HWND window) { m_window = window; }
    // The window is gone: forgets it and every hold, sending nothing.
    void Detach() {
        m_window = nullptr;
        m_holds = 0;
    }
    void Take(unsigned hold);
    void Let(unsigned hold);
    bool Holds(unsigned hold) const { return (m_holds & hold) != 0; }

private:
    HWND m_window = nullptr;
    unsigned m_holds = 0;
};

// A hold for the length of a scope.
class ScopedRedrawHold {
public:
    ScopedRedrawHold(RedrawSuspension& suspension, unsigned hold) : m_suspension(suspension), m_hold(hold) {
        m_suspension.Take(m_hold);
    }
    ~ScopedRedrawHold() { m_suspension.Let(m_hold); }
    ScopedRedrawHold(const ScopedRedrawHold&) = delete;
    ScopedRedrawHold& operator=(const ScopedRedrawHold&) = delete;

private:
    RedrawSuspension& m_suspension;
    unsigned m_hold;
};

}  // namespace tk

#endif
