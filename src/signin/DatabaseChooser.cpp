#include "DatabaseChooser.h"

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"

INT_PTR DatabaseChooser::Run(HWND signinDialog) { return RunModal(signinDialog, IDD_DATABASES); }

INT_PTR DatabaseChooser::OnInitDialog() {
    HWND window = Window();
    // Placed before it is filled; it takes no icon and never goes topmost on its own.
    tk::CenterWindowOnParent(window, GetParent(window));
    HWND list = GetDlgItem(window, IDC_DATABASES_LIST);
    for (const std::string& name : m_names)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return TRUE;
}

INT_PTR DatabaseChooser::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return FALSE;
    // By control id alone: a double click in the list (LBN_DBLCLK) chooses nothing.
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOk();
        return TRUE;
    case IDCANCEL:
        EndModal(0);
        return TRUE;
    default:
        return FALSE;
    }
}

void DatabaseChooser::OnOk() {
    LRESULT selected = SendDlgItemMessageA(Window(), IDC_DATABASES_LIST, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) m_chosen = selected;
    EndModal(1);
}
