#include "OptionsDialog.h"

#include <string>

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"
#include "tavrokessaui.h"

INT_PTR OptionsDialog::Run(HWND parent) { return RunModal(parent, IDD_OPTIONS); }

BOOL OptionsDialog::OnInit() {
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
    return TRUE;  // focus to the first tab stop, OK
}

void OptionsDialog::OnOk() {
    WriteBack();
    End(1);
}

void OptionsDialog::OnCancel() {
    WriteBack();
    End(0);
}

bool OptionsDialog::OnCommand(int id, int, HWND) {
    if (id != IDC_OPTIONS_BROWSE) return false;
    OnBrowse();
    return true;
}

void OptionsDialog::OnBrowse() {
    HWND window = Window();
    char path[MAX_PATH] = {};
    // Copied: the picker runs its own loop, and the resource text buffer is shared.
    const char* loaded = tk::LoadResourceText(IDS_FOLDER_PICKER_TITLE);
    const std::string title = loaded != nullptr ? loaded : "";
    INT_PTR chosen = 0;
    if (!CallHost(Call::User, [&] {
            chosen = m_service.BrowseForFolder(window, loaded != nullptr ? title.c_str() : nullptr, path);
        }))
        return;
    path[MAX_PATH - 1] = '\0';
    if (chosen == 1) SetDlgItemTextA(window, IDC_OPTIONS_FOLDER, path);
}

void OptionsDialog::WriteBack() {
    HWND window = Window();
    // An emptied field never clears the folder (nothing is read from an empty one).
    std::string text;
    if (tk::GetWindowTextString(GetDlgItem(window, IDC_OPTIONS_FOLDER), text)) m_params.SetWorkingFolder(text.c_str());
    m_params.SetAutoLogin(IsDlgButtonChecked(window, IDC_OPTIONS_AUTO_LOGIN) == BST_CHECKED);
}
