// The one frame every dialog of the library shares: the controller arrives as the
// creation parameter, lives in the window's user data from WM_INITDIALOG until
// WM_NCDESTROY, and every message reaches it through one static procedure with an
// exception barrier, so no C++ exception ever crosses into the system or the host.
#ifndef TAVROKESSAUI_DIALOGBASE_H
#define TAVROKESSAUI_DIALOGBASE_H

#include <windows.h>

namespace tk {

class DialogBase {
public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND Window() const { return m_window; }

protected:
    DialogBase() = default;
    // Destroys a window that is still open (a modeless one whose owner forgot it),
    // after unhooking it, so that no message reaches a controller that is gone.
    virtual ~DialogBase();

    // Runs template `templateId` modally over `parent` and returns its end value
    // (-1 when it cannot be created).
    INT_PTR RunModal(HWND parent, UINT templateId);
    // Creates template `templateId` modelessly; null when it cannot be created.
    HWND CreateModeless(HWND parent, UINT templateId);

    // WM_INITDIALOG, once the window is known: fill the dialog. The result goes
    // back to the dialog manager (TRUE: default focus).
    virtual INT_PTR OnInitDialog() = 0;
    // Every later message. Return the dialog procedure's result.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // A C++ exception escaped a handler. A modal dialog ends with -1 (it could not
    // do what it was asked); a modeless one carries on.
    virtual void OnException();

    // The WM_NOTIFY result that matters goes through here.
    INT_PTR SetNotifyResult(LRESULT result);

    // Ends the modal dialog with `result`. Controllers end their dialogs only
    // through here, so that an end the dialog did not ask for can be told apart.
    void EndModal(INT_PTR result);
    // The modal loop was left without the dialog asking: the thread's quit
    // message arrived (it stays queued for the host's own loop). Called while the
    // controls still exist; the dialog then ends with DismissedResult().
    virtual void OnDismissed() {}
    virtual INT_PTR DismissedResult() const { return 0; }


private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    bool m_modal = false;
    bool m_endRequested = false;
    bool m_dismissed = false;
    bool m_initialised = false;
};

}  // namespace tk

#endif
