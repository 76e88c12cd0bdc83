#include "TavroKessaProgress.h"

#include <commctrl.h>

#include "../../res/resource.h"
#include "tavrokessaui.h"

TavroKessaProgress::~TavroKessaProgress() { Close(); }

bool TavroKessaProgress::Open(HWND parent, TavroKessaProgressDialogParams* params) {
    // One window at a time: never lose a window we could no longer close.
    Close();
    m_params = params;
    HWND window = CreateModeless(parent, IDD_PROGRESS);
    if (window == nullptr) return false;
    ShowWindow(window, SW_SHOW);
    return true;
}

bool TavroKessaProgress::Update(TavroKessaProgressDialogParams* params) {
    if (!IsOpen()) return false;
    Refresh(params);
    return true;
}

bool TavroKessaProgress::Close() {
    HWND window = Window();
    if (window == nullptr) return false;
    // WM_NCDESTROY forgets the handle.
    return DestroyWindow(window) != FALSE;
}

BOOL TavroKessaProgress::OnInit() {
    SendDlgItemMessageA(Window(), IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    Refresh(m_params);
    return TRUE;
}

bool TavroKessaProgress::OnCommand(int id, int, HWND) {
    // Escape (IDCANCEL) neither closes the window nor tells the host: only the button does.
    if (id != IDC_PROGRESS_CANCEL) return false;
    NotifyCancel();
    return true;
}

void TavroKessaProgress::Refresh(TavroKessaProgressDialogParams* params) {
    m_params = params;
    HWND window = Window();
    if (window == nullptr || params == nullptr) return;
    // An empty text keeps what the window shows.
    if (*params->GetCaption() != '\0') SetWindowTextA(window, params->GetCaption());
    if (*params->GetMessageA() != '\0') SetDlgItemTextA(window, IDC_PROGRESS_MESSAGE, params->GetMessageA());
    if (*params->GetFile() != '\0') SetDlgItemTextA(window, IDC_PROGRESS_FILE, params->GetFile());
    SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(params->GetProgress()), 0);
    UpdateWindow(window);

    // A click on Cancel, or the space bar on it, may be waiting while the host is
    // busy transferring and not pumping messages: report it now. The messages stay
    // queued for the host's loop.
    MSG pending;
    HWND cancel = GetDlgItem(window, IDC_PROGRESS_CANCEL);
    if (cancel == nullptr) return;
    const bool clicked = PeekMessageA(&pending, cancel, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE) != FALSE;
    // The button presses itself on the space bar; the first key waiting for it tells.
    const bool spaced = !clicked && PeekMessageA(&pending, cancel, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE) &&
                        pending.wParam == VK_SPACE;
    if (clicked || spaced) NotifyCancel();
}

void TavroKessaProgress::NotifyCancel() {
    TavroKessaProgressDialogParams* params = m_params;
    if (params == nullptr) return;
    ITavroKessaProgressDialogEvents* events = params->GetITavroKessaProgressDialogEvents();
    if (events == nullptr) return;
    // Never while an OnCancel of this window runs: a host that updates the window
    // from inside OnCancel would find the same waiting click again, and again.
    CallHost(Call::User, [&] { events->OnCancel(params); });
}
