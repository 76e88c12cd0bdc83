// The one frame every dialog of the library stands on.
//
// Binding: the controller arrives as the creation parameter, lives in the
// window's user data from WM_INITDIALOG until WM_NCDESTROY (unhooked before the
// controller hears of the window's end), and every message reaches it through
// one static procedure with an exception barrier, cracked into named handlers.
//
// Host calls: every call out of a dialog that may run a message loop (a host
// event, the folder picker, a nested dialog) goes through CallHost, which knows
// how deep the calls nest, whether the dialog still stands when a call returns,
// and what work waits for the outermost call to return. A host event may run its
// own message loop while the user keeps clicking; the frame's rules hold for
// every dialog alike:
//  * while a host event of a dialog runs, input that would start another event
//    of the same dialog is not acted on (a User call is refused);
//  * Cancel, Escape and the close box always work, and the first end stands: a
//    later end changes neither the result nor the record;
//  * no host event is called once the dialog has ended.
#ifndef TAVROKESSAUI_DIALOGBASE_H
#define TAVROKESSAUI_DIALOGBASE_H

#include <windows.h>

namespace tk {

// The private messages of the library's dialogs, in one list so that no two of
// them share a number.
enum PrivateMessage : UINT {
    kMsgGatherSelection = WM_APP + 1,  // explore: a burst of selection changes has passed
    kMsgSelectionSettled,              // history: likewise
    kMsgDropDownClosed,                // explore: a drop-down closed on a choice (wParam: its id)
    kMsgLastPrivate,
};

// Keeps an object alive while a window of its works; see DialogBase::SetKeeper.
class Keeper {
public:
    virtual void Hold() = 0;
    // The last action of whoever holds: it may free the keeper's owner.
    virtual void Let() = 0;

protected:
    ~Keeper() = default;
};

class DialogBase {
public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    HWND Window() const { return m_window; }
    // The window exists, no end has been asked for and it is not being destroyed.
    bool Standing() const { return m_window != nullptr && !m_ended && !m_destroying; }

protected:
    // How a call out of the dialog stands to the others.
    enum class Call {
        // Started by the user's input: refused while another call of this dialog
        // (of this window, for a modeless one) is running.
        User,
        // Part of answering the host or of drawing (CanGoToLastFolder inside
        // ClearLookIn): made whenever the dialog stands.
        Nested,
    };

    DialogBase() = default;
    // A modeless window still open is destroyed after it has been unhooked, so
    // that no message reaches a controller that is gone.
    virtual ~DialogBase();

    // Runs template `templateId` modally over `parent`; its end value, or -1 when
    // it could not be created.
    INT_PTR RunModal(HWND parent, UINT templateId);
    // Creates template `templateId` modelessly; null when it cannot be created.
    HWND CreateModeless(HWND parent, UINT templateId);

    // --- Handlers. Each runs inside the frame's exception barrier. ---------------
    // WM_INITDIALOG, the window known. TRUE: the dialog manager sets the focus.
    // Afterwards the frame centres the dialog over its parent, if it still stands.
    virtual BOOL OnInit() = 0;
    // IDOK and IDCANCEL, whatever the notification code.
    virtual void OnOk() {}
    virtual void OnCancel() {}
    // Every other WM_COMMAND, by control id. True: handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; a result other than 0 becomes the message's answer.
    virtual LRESULT OnNotify(int /*id*/, NMHDR& /*header*/) { return 0; }
    // WM_SIZE, except SIZE_MINIMIZED: the new client size.
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual BOOL OnDrawItem(int /*id*/, const DRAWITEMSTRUCT& /*item*/) { return FALSE; }
    virtual BOOL OnMeasureItem(int /*id*/, MEASUREITEMSTRUCT& /*item*/) { return FALSE; }
    // WM_CONTEXTMENU; `screen` is (-1, -1) from the keyboard. True: handled.
    virtual bool OnContextMenu(HWND /*target*/, POINT /*screen*/) { return false; }
    // One of the private messages above, sent or posted to this dialog.
    virtual bool OnPrivateMessage(UINT /*message*/, WPARAM, LPARAM) { return false; }
    // The outermost call out has returned: the moment for work that was held back
    // while it ran (drawing again, settling buttons, a selection that waited).
    virtual void OnCallsReturned() {}
    // The modal loop was left without an end asked for: the thread's quit message
    // arrived (it stays queued for the host's own loop). The controls still exist;
    // the dialog then ends with DismissedResult().
    virtual void OnDismissed() {}
    virtual INT_PTR DismissedResult() const { return 0; }
    // WM_NCDESTROY, after the window has been unhooked: handles of its controls
    // may soon name other windows.
    virtual void OnWindowGone() {}

    // Ends the modal dialog with `result`; the first end stands.
    void End(INT_PTR result);
    // A C++ exception escaped a handler or a host call: a modal dialog ends with
    // -1 (it could not do what it was asked), a modeless one carries on.
    void Fail();

    // Makes `call` (a callable without arguments) out of the dialog. False when
    // it was not made (the dialog has ended, or a User call while another call
    // runs) or when the dialog no longer stands after it: whatever the call
    // answered is then to be ignored. A C++ exception from the call fails a modal
    // dialog and gives false; a modeless window has no end to report it with, so
    // the exception goes on to whoever made the window work (an update then
    // reports failure).
    template <typename Callable>
    bool CallHost(Call kind, Callable&& call);
    // A call out of this dialog is running.
    bool CallsRunning() const { return m_callDepth > 0; }
    // A User call of this window is running: the user's input that would start
    // another one is not acted on.
    bool UserCallRunning() const { return m_userCallRunning && m_userGeneration == m_generation; }

    // WM_SIZING keeps the window at least this large (zero: no minimum).
    void SetMinimumSize(SIZE minimum) { m_minimum = minimum; }
    // The frame centres the dialog after OnInit; a dialog that places itself
    // earlier turns that off.
    void CentreAfterInit(bool centre) { m_centreAfterInit = centre; }
    // `keeper` is held for every message this window handles (a modeless window
    // of an object the host may release from inside the window's own events).
    void SetKeeper(Keeper* keeper) { m_keeper = keeper; }

private:
    // One call out: counts the nesting, marks a User call as running for this
    // window, and when the outermost call returns runs the work held back.
    class CallScope {
    public:
        CallScope(DialogBase& dialog, Call kind);
        ~CallScope();
        CallScope(const CallScope&) = delete;
        CallScope& operator=(const CallScope&) = delete;

    private:
        DialogBase& m_dialog;
        bool m_user;
        bool m_previousUserRunning;
        unsigned m_previousUserGeneration;
    };

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // After a call out: the window of `generation` still stands. A modal dialog
    // the host ended with the platform's own EndDialog (hidden after it was shown)
    // counts as ended, so that no later end replaces the host's result.
    bool StandsAfterCall(unsigned generation);

    HWND m_window = nullptr;
    Keeper* m_keeper = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    bool m_destroying = false;
    bool m_dismissed = false;
    bool m_initialised = false;
    bool m_shown = false;
    bool m_centreAfterInit = true;
    SIZE m_minimum = {0, 0};
    // Each window this controller makes is a generation of its own: a modeless
    // controller reopened from inside its own event makes a new one.
    unsigned m_generation = 0;
    int m_callDepth = 0;
    // A User call made on the window of generation m_userGeneration is running.
    bool m_userCallRunning = false;
    unsigned m_userGeneration = 0;
};

template <typename Callable>
bool DialogBase::CallHost(Call kind, Callable&& call) {
    if (!Standing()) return false;
    if (kind == Call::User && UserCallRunning()) return false;
    const unsigned generation = m_generation;
    bool threw = false;
    {
        CallScope scope(*this, kind);
        try {
            call();
        } catch (...) {
            if (!m_modal) throw;
            threw = true;
        }
    }
    if (threw) {
        Fail();
        return false;
    }
    // The window the call started on still stands, also after the held-back work.
    return StandsAfterCall(generation);
}

}  // namespace tk

#endif
