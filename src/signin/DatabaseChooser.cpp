#include "DatabaseChooser.h"

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"

INT_PTR DatabaseChooser::Run(HWND signinDialog) { return RunModal(signinDialog, IDD_DATABASES); }

BOOL DatabaseChooser::OnInit() {
    HWND window = Window();
    // It takes no icon and never goes topmost on its own.
    tk::CenterWindowOnParent(window, GetParent(window));
    HWND list = GetDlgItem(window, IDC_DATABASES_LIST);
    for (const std::string& name : m_names) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    return TRUE;
}

// Only OK takes the selection: a double click in the list (LBN_DBLCLK) chooses nothing.
void DatabaseChooser::OnOk() {
    LRESULT selected = SendDlgItemMessageA(Window(), IDC_DATABASES_LIST, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) m_chosen = selected;
    End(1);
}
