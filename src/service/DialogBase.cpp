#include "DialogBase.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ActivationContext.h"
#include "DialogHelpers.h"
#include "Internal.h"
#include "Layout.h"

namespace tk {

namespace {

// The common-control classes the templates use, registered in the library's own
// activation context.
void RegisterControlClasses() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                         ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
}

// Holds a keeper for the length of one message.
class KeeperHold {
public:
    explicit KeeperHold(Keeper* keeper) : m_keeper(keeper) {
        if (m_keeper != nullptr) m_keeper->Hold();
    }
    ~KeeperHold() {
        if (m_keeper != nullptr) m_keeper->Let();
    }
    KeeperHold(const KeeperHold&) = delete;
    KeeperHold& operator=(const KeeperHold&) = delete;

private:
    Keeper* m_keeper;
};

}  // namespace

DialogBase::~DialogBase() {
    if (m_window != nullptr && IsWindow(m_window)) {
        HWND window = m_window;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        DestroyWindow(window);
    }
}

INT_PTR DialogBase::RunModal(HWND parent, UINT templateId) {
    m_modal = true;
    m_ended = false;
    m_dismissed = false;
    m_initialised = false;
    INT_PTR result;
    {
        ActivationScope scope;
        RegisterControlClasses();
        result = DialogBoxParamA(ModuleHandle(), MAKEINTRESOURCEA(templateId), parent, &DialogBase::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    }
    // Never created (an owner that is not a window makes the platform answer 0,
    // which would read as Cancel): the one failure value for every dialog.
    if (!m_initialised) return -1;
    // Left by a quit message: whatever the modal loop says, the user chose nothing.
    return m_dismissed ? DismissedResult() : result;
}

HWND DialogBase::CreateModeless(HWND parent, UINT templateId) {
    m_modal = false;
    m_ended = false;
    ActivationScope scope;
    RegisterControlClasses();
    return CreateDialogParamA(ModuleHandle(), MAKEINTRESOURCEA(templateId), parent, &DialogBase::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void DialogBase::End(INT_PTR result) {
    if (!m_modal || !Standing()) return;
    m_ended = true;
    EndDialog(m_window, result);
}

void DialogBase::Fail() { End(-1); }

bool DialogBase::StandsAfterCall(unsigned generation) {
    if (m_generation != generation) return false;
    if (m_modal && m_shown && Standing() && !IsWindowVisible(m_window)) m_ended = true;
    return Standing();
}

DialogBase::CallScope::CallScope(DialogBase& dialog, Call kind)
    : m_dialog(dialog),
      m_user(kind == Call::User),
      m_previousUserRunning(dialog.m_userCallRunning),
      m_previousUserGeneration(dialog.m_userGeneration) {
    ++m_dialog.m_callDepth;
    if (m_user) {
        m_dialog.m_userCallRunning = true;
        m_dialog.m_userGeneration = m_dialog.m_generation;
    }
}

DialogBase::CallScope::~CallScope() {
    if (m_user) {
        m_dialog.m_userCallRunning = m_previousUserRunning;
        m_dialog.m_userGeneration = m_previousUserGeneration;
    }
    if (--m_dialog.m_callDepth != 0 || m_dialog.m_window == nullptr) return;
    try {
        m_dialog.OnCallsReturned();
    } catch (...) {
        m_dialog.Fail();
    }
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogBase* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogBase*>(lParam);
        if (self == nullptr) return FALSE;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
        self->m_initialised = true;
        self->m_destroying = false;
        self->m_shown = false;
        ++self->m_generation;
    } else {
        self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) return FALSE;
    }

    // Whatever the handler does, the keeper is let go last: letting go may free
    // the controller itself.
    KeeperHold hold(self->m_keeper);
    // From here on no host event is made: the controls are going.
    if (message == WM_DESTROY) self->m_destroying = true;
    INT_PTR result = FALSE;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        try {
            self->Fail();
        } catch (...) {
        }
        result = FALSE;
    }

    if (message == WM_DESTROY && self->m_modal && !self->m_ended) {
        // The modal loop puts the quit message back before it destroys the dialog.
        MSG quit;
        if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
            self->m_dismissed = true;
            try {
                self->OnDismissed();
            } catch (...) {
            }
        }
    }
    if (message == WM_NCDESTROY) {
        // Unhooked first: nothing may reach the controller once its window is gone.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self->m_window == window) {
            self->m_window = nullptr;
            try {
                self->OnWindowGone();
            } catch (...) {
            }
        }
    }
    return result;
}

INT_PTR DialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        BOOL focus = OnInit();
        if (m_centreAfterInit && Standing()) CenterWindowOnParent(m_window, GetParent(m_window));
        return focus;
    }
    case WM_COMMAND: {
        // By control id alone, whatever the notification code.
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            if (id == IDOK)
                OnOk();
            else
                OnCancel();
            return TRUE;
        }
        return OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    case WM_NOTIFY: {
        // Messages that carry a structure are refused without one.
        if (lParam == 0) return FALSE;
        NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
        const LRESULT answer = OnNotify(static_cast<int>(wParam), header);
        if (answer == 0 || m_window == nullptr) return FALSE;
        SetWindowLongPtrA(m_window, DWLP_MSGRESULT, answer);
        return TRUE;
    }
    case WM_SHOWWINDOW:
        if (wParam != FALSE) m_shown = true;
        return FALSE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) OnSize(LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_SIZING:
        if (lParam == 0) return FALSE;
        if (m_minimum.cx > 0 || m_minimum.cy > 0) KeepMinimumSize(*reinterpret_cast<RECT*>(lParam), wParam, m_minimum);
        return TRUE;
    case WM_DRAWITEM:
        if (lParam == 0) return FALSE;
        return OnDrawItem(static_cast<int>(wParam), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_MEASUREITEM:
        if (lParam == 0) return FALSE;
        return OnMeasureItem(static_cast<int>(wParam), *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_CONTEXTMENU:
        return OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})
                   ? TRUE
                   : FALSE;
    default:
        if (message >= kMsgGatherSelection && message < kMsgLastPrivate)
            return OnPrivateMessage(message, wParam, lParam) ? TRUE : FALSE;
        return FALSE;
    }
}

}  // namespace tk
