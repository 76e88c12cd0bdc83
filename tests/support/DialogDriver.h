// Drives real dialogs from inside their own modal loops.
//
// A test queues steps, then makes the call that runs a dialog. A thread timer
// fires inside whatever modal loop is running and works through the steps: a
// step either waits (returns false until its condition holds) or acts (posts a
// click, a key or a message, reads a state) and returns true. Actions post rather
// than send where they can, so the dialog handles them in its own loop just as
// it would handle the user. A watchdog ends every dialog of the thread when the
// steps do not finish in time, so a stuck dialog fails its test instead of
// hanging it.
#ifndef TK_TESTS_DIALOGDRIVER_H
#define TK_TESTS_DIALOGDRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tkt {

class Driver {
public:
    using Step = std::function<bool()>;

    explicit Driver(DWORD timeoutMs = 15000);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // A step that may wait: it is asked again on each tick until it returns true.
    Driver& Wait(Step step);
    // A step that acts once.
    Driver& Do(std::function<void()> action);
    // Waits until a dialog that this run created, with `title` (any dialog when
    // `title` is null), is visible, and makes it the current dialog (the newest
    // such dialog).
    Driver& WaitDialog(const char* title = nullptr);

    // Runs `call` (which opens a dialog) with the steps ticking inside its loop.
    INT_PTR Run(const std::function<INT_PTR()>& call);

    // The dialog the last WaitDialog found.
    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    bool TimedOut() const { return m_timedOut; }
    bool AllStepsDone() const { return m_next >= m_steps.size(); }
    // Every top-level window created on this thread while Run was running.
    const std::vector<HWND>& CreatedWindows() const { return m_created; }
    // Windows created during Run that still exist.
    int LiveCreatedWindows() const;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam);
    void Tick();
    void EndEverything();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    DWORD m_timeoutMs;
    DWORD m_start = 0;
    bool m_timedOut = false;
    HWND m_dialog = nullptr;
    UINT_PTR m_timer = 0;
    HHOOK m_hook = nullptr;
    std::vector<HWND> m_created;
    Driver* m_outer = nullptr;
};

// --- Finding windows -------------------------------------------------------

// The most recently shown visible dialog (class #32770) of this thread with the
// given title (any title when null), or null.
HWND FindDialog(const char* title = nullptr);
// Every visible top-level window of this thread.
std::vector<HWND> ThreadWindows();
std::string Text(HWND window);
std::string ClassOf(HWND window);

// --- Acting as the user ------------------------------------------------------

// Posts the command a click on button `id` sends.
void Click(HWND dialog, int id);
// Presses a key in the focused control of `dialog`, as the dialog manager sees it.
void PressKey(HWND dialog, UINT vk);
// Types text into an edit or combo field (replacing what it holds) and tells the
// dialog the text changed.
void TypeText(HWND dialog, int id, const char* text);
// Posts WM_CLOSE, as the caption's close box does.
void CloseBox(HWND dialog);

// --- Reading -------------------------------------------------------------------

bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
bool IsTopmost(HWND window);
bool IsChecked(HWND dialog, int id);
RECT ClientRectOf(HWND dialog, int id);  // a control's rectangle in its dialog's client coordinates

// Ends the process if the test program as a whole runs longer than `seconds`.
void StartWatchdog(unsigned seconds);

}  // namespace tkt

#endif
