#include "OptionsDialog.h"

#include <string>

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"
#include "tavrokessaui.h"

INT_PTR RunOptionsDialog(ITavroKessaUI& service, ITavroKessaUIHost* host, HWND parent,
                         TavroKessaOptionsDialogParams* params) {
    if (params == nullptr) return -1;
    OptionsDialog dialog(service, host, *params);
    return dialog.Run(parent);
}

INT_PTR OptionsDialog::Run(HWND parent) { return RunModal(parent, IDD_OPTIONS); }

INT_PTR OptionsDialog::OnInitDialog() {
    HWND window = Window();
    tk::ApplyStartAppearance(window, m_host);

    SetDlgItemTextA(window, IDC_OPTIONS_FOLDER, m_params.GetWorkingFolder());
    if (m_params.GetEnforceWorkingFolder()) {
        // The server sets the folder: shown, not editable.
        EnableWindow(GetDlgItem(window, IDC_OPTIONS_FOLDER), FALSE);
        EnableWindow(GetDlgItem(window, IDC_OPTIONS_BROWSE), FALSE);
    } else {
        ShowWindow(GetDlgItem(window, IDC_OPTIONS_ENFORCED_NOTE), SW_HIDE);
    }
    if (m_params.GetAutoLogin()) CheckDlgButton(window, IDC_OPTIONS_AUTO_LOGIN, BST_CHECKED);
    tk::CenterWindowOnParent(window, GetParent(window));
    return TRUE;  // focus to the first tab stop, OK
}

INT_PTR OptionsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return FALSE;
    // By control id alone, whatever the notification code.
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOk();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case IDC_OPTIONS_BROWSE:
        OnBrowse();
        return TRUE;
    default:
        return FALSE;
    }
}

void OptionsDialog::OnOk() {
    WriteBack();
    EndModal(1);
}

void OptionsDialog::OnCancel() {
    WriteBack();
    EndModal(0);
}

void OptionsDialog::OnBrowse() {
    HWND window = Window();
    char path[MAX_PATH] = {};
    // Copied: the picker runs its own loop, and the resource text buffer is shared.
    const char* loaded = tk::LoadResourceText(IDS_FOLDER_PICKER_TITLE);
    std::string title = loaded != nullptr ? loaded : "";
    INT_PTR chosen = m_service.BrowseForFolder(window, loaded != nullptr ? title.c_str() : nullptr, path);
    path[MAX_PATH - 1] = '\0';
    // Only locals from here on: the dialog may have been ended while the picker ran.
    if (chosen == 1 && IsWindow(window)) SetDlgItemTextA(window, IDC_OPTIONS_FOLDER, path);
}

void OptionsDialog::WriteBack() {
    HWND window = Window();
    // An emptied field never clears the folder (nothing is read from an empty one).
    std::string text;
    if (tk::GetWindowTextString(GetDlgItem(window, IDC_OPTIONS_FOLDER), text))
        m_params.SetWorkingFolder(text.c_str());
    m_params.SetAutoLogin(IsDlgButtonChecked(window, IDC_OPTIONS_AUTO_LOGIN) == BST_CHECKED);
}
