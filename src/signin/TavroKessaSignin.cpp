#include "TavroKessaSignin.h"

#include "../../res/resource.h"
#include "../service/DialogHelpers.h"
#include "../service/FixedText.h"
#include "DatabaseChooser.h"
#include "SigninRules.h"
#include "tavrokessaui.h"

INT_PTR TavroKessaSignin::Run(HWND parent, ITavroKessaUIHost* host, TavroKessaSigninDialogParams* params) {
    if (params == nullptr) return -1;
    m_host = host;
    m_params = params;
    INT_PTR result = RunModal(parent, IDD_SIGNIN);
    m_params = nullptr;
    m_host = nullptr;
    return result;
}

INT_PTR TavroKessaSignin::OnInitDialog() {
    HWND window = Window();
    tk::ApplyStartAppearance(window, m_host);

    if (*m_params->GetUser() != '\0') SetDlgItemTextA(window, IDC_SIGNIN_USER, m_params->GetUser());
    if (*m_params->GetPassword() != '\0') SetDlgItemTextA(window, IDC_SIGNIN_PASSWORD, m_params->GetPassword());
    FillCombo(IDC_SIGNIN_SERVER, m_params->GetServerList(), m_params->GetServer());
    FillCombo(IDC_SIGNIN_DATABASE, m_params->GetKessaList(), m_params->GetKessa());
    if (m_params->GetAutoLogin()) CheckDlgButton(window, IDC_SIGNIN_AUTO_LOGIN, BST_CHECKED);
    ShowVersionInTitle();
    tk::CenterWindowOnParent(window, GetParent(window));
    return TRUE;  // focus to the first tab stop, OK
}

INT_PTR TavroKessaSignin::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return FALSE;
    // By control id alone, whatever the notification code.
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOk();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    case IDC_SIGNIN_QUERY:
        OnQueryDatabases();
        return TRUE;
    default:
        return FALSE;
    }
}

void TavroKessaSignin::OnOk() {
    WriteBack();
    HWND window = Window();
    TavroKessaSigninDialogParams* params = m_params;
    ITavroKessaSigninDialogEvents* events = params->GetITavroKessaSigninDialogEvents();
    // A refusal keeps the dialog open with the entries already in the record.
    bool accepted = events == nullptr || events->OnLogin(params, window);
    // The host may have shown windows, ended or destroyed the dialog meanwhile:
    // only locals from here on.
    if (accepted && IsWindow(window)) EndModal(1);
}

void TavroKessaSignin::OnCancel() {
    WriteBack();
    EndModal(0);
}

void TavroKessaSignin::OnQueryDatabases() {
    HWND window = Window();
    m_chosen = -1;
    m_databaseNames.clear();
    m_serverText.clear();
    tk::GetWindowTextString(GetDlgItem(window, IDC_SIGNIN_SERVER), m_serverText);

    // The record still holds what it held at the start (or at the last refused OK):
    // the server text is the only current entry the host gets.
    ITavroKessaSigninDialogEvents* events = m_params->GetITavroKessaSigninDialogEvents();
    if (events == nullptr) return;
    if (!events->OnQueryKessaList(m_params, window, m_serverText.c_str(), &m_databaseNames)) return;
    // A host that ended (hidden) or destroyed the dialog from inside the event gets
    // no chooser over it.
    if (!IsWindowVisible(window)) return;

    DatabaseChooser chooser(m_databaseNames, m_chosen);
    chooser.Run(window);

    // Appended even when an equal item is there already; the server field and the
    // record stay as they are.
    if (m_chosen >= 0 && static_cast<size_t>(m_chosen) < m_databaseNames.size() && IsWindow(window))
        tk::AddComboItem(GetDlgItem(window, IDC_SIGNIN_DATABASE), m_databaseNames[m_chosen].c_str(), true);
}

void TavroKessaSignin::FillCombo(int id, const std::vector<std::string>* list, const char* value) {
    HWND combo = GetDlgItem(Window(), id);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    if (list != nullptr) {
        for (const std::string& item : *list) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        tk::FitComboDropHeight(combo, 1);
    }

    tk::ComboShow show = tk::ChooseComboShow(list, value);
    switch (show.kind) {
    case tk::ComboShow::Kind::Select:
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(show.index), 0);
        break;
    case tk::ComboShow::Kind::Text:
        // Not a look-alike item: the saved value itself, so that OK or Cancel
        // without typing gives it back unchanged.
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetWindowTextA(combo, value);
        break;
    case tk::ComboShow::Kind::Nothing:
        break;
    }
}

void TavroKessaSignin::ShowVersionInTitle() {
    const char* version = m_params->GetKessaVersion();
    if (*version == '\0') return;
    const char* format = tk::LoadResourceText(IDS_SIGNIN_TITLE_FORMAT);
    if (format == nullptr) return;
    tk::FixedText<tk::kSigninTitleSize> title;
    // A version too long for the buffer gives a cut title, never an overrun.
    title.FillWith([&](char(&text)[tk::kSigninTitleSize]) {
        return tk::FormatSigninTitle(text, sizeof(text), format, version);
    });
    SetWindowTextA(Window(), title.c_str());
}

void TavroKessaSignin::WriteBack() {
    HWND window = Window();
    TavroKessaSigninDialogParams* params = m_params;
    params->SetUser(tk::WindowText(GetDlgItem(window, IDC_SIGNIN_USER)).c_str());
    params->SetPassword(tk::WindowText(GetDlgItem(window, IDC_SIGNIN_PASSWORD)).c_str());
    params->SetServer(tk::WindowText(GetDlgItem(window, IDC_SIGNIN_SERVER)).c_str());
    params->SetKessa(tk::WindowText(GetDlgItem(window, IDC_SIGNIN_DATABASE)).c_str());
    params->SetAutoLogin(IsDlgButtonChecked(window, IDC_SIGNIN_AUTO_LOGIN) == BST_CHECKED);
}
