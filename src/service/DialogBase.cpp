#include "DialogBase.h"

#include <commctrl.h>

#include "ActivationContext.h"
#include "Internal.h"

namespace tk {

DialogBase::~DialogBase() {
    if (m_window != nullptr && IsWindow(m_window)) {
        HWND window = m_window;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        DestroyWindow(window);
    }
}

namespace {

// The common-control classes the templates use, registered in the library's own
// activation context.
void RegisterControlClasses() {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                         ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

INT_PTR DialogBase::RunModal(HWND parent, UINT templateId) {
    m_modal = true;
    m_endRequested = false;
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

void DialogBase::EndModal(INT_PTR result) {
    if (m_window == nullptr) return;
    m_endRequested = true;
    EndDialog(m_window, result);
}

HWND DialogBase::CreateModeless(HWND parent, UINT templateId) {
    m_modal = false;
    ActivationScope scope;
    RegisterControlClasses();
    return CreateDialogParamA(ModuleHandle(), MAKEINTRESOURCEA(templateId), parent, &DialogBase::DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void DialogBase::OnException() {
    if (m_modal) EndModal(-1);
}

INT_PTR DialogBase::SetNotifyResult(LRESULT result) {
    SetWindowLongPtrA(m_window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogBase* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<DialogBase*>(lParam);
        if (self == nullptr) return FALSE;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->m_window = window;
        self->m_initialised = true;
    } else {
        self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self == nullptr) return FALSE;
    }

    INT_PTR result = FALSE;
    try {
        result = message == WM_INITDIALOG ? self->OnInitDialog() : self->OnMessage(message, wParam, lParam);
    } catch (...) {
        try {
            self->OnException();
        } catch (...) {
        }
        result = FALSE;
    }

    if (message == WM_DESTROY && self->m_modal && !self->m_endRequested) {
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
        // Unhook first: nothing may reach the controller once its window is gone.
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        if (self->m_window == window) self->m_window = nullptr;
    }
    return result;
}

}  // namespace tk
