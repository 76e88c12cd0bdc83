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

BOOL TavroKessaSignin::OnInit() {
    HWND window = Window();
    tk::ApplyStartAppearance(window, m_host);

    if (*m_params->GetUser() != '\0') SetDlgItemTextA(window, IDC_SIGNIN_USER, m_params->GetUser());
    if (*m_params->GetPassword() != '\0') SetDlgItemTextA(window, IDC_SIGNIN_PASSWORD, m_params->GetPassword());
    FillCombo(IDC_SIGNIN_SERVER, m_params->GetServerList(), m_params->GetServer());
    FillCombo(IDC_SIGNIN_DATABASE, m_params->GetKessaList(), m_params->GetKessa());
    if (m_params->GetAutoLogin()) CheckDlgButton(window, IDC_SIGNIN_AUTO_LOGIN, BST_CHECKED);
    ShowVersionInTitle();
    return TRUE;  // focus to the first tab stop, OK
}

bool TavroKessaSignin::OnCommand(int id, int, HWND) {
    if (id != IDC_SIGNIN_QUERY) return false;
    OnQueryDatabases();
    return true;
}

void TavroKessaSignin::OnOk() {
    HWND window = Window();
    TavroKessaSigninDialogParams* params = m_params;
    bool accepted = true;
    // The entries go into the record as the event starts: an OK pressed while an
    // event runs starts nothing and writes nothing.
    if (!CallHost(Call::User, [&] {
            WriteBack();
            ITavroKessaSigninDialogEvents* events = params->GetITavroKessaSigninDialogEvents();
            // A refusal keeps the dialog open with the entries already in the record.
            if (events != nullptr) accepted = events->OnLogin(params, window);
        }))
        return;
    if (accepted) End(1);
}

void TavroKessaSignin::OnCancel() {
    if (CallsRunning())
        m_writeBackWhenCallsReturn = true;
    else
        WriteBack();
    End(0);
}

void TavroKessaSignin::OnCallsReturned() {
    if (!m_writeBackWhenCallsReturn) return;
    m_writeBackWhenCallsReturn = false;
    WriteBack();
}

void TavroKessaSignin::OnQueryDatabases() {
    HWND window = Window();
    TavroKessaSigninDialogParams* params = m_params;
    bool offer = false;
    // The list and the server text belong to the running query until it returns:
    // a "..." pressed meanwhile starts nothing and clears nothing.
    if (!CallHost(Call::User, [&] {
            m_chosen = -1;
            m_databaseNames.clear();
            m_serverText.clear();
            tk::GetWindowTextString(GetDlgItem(window, IDC_SIGNIN_SERVER), m_serverText);
            // The record still holds what it held at the start (or at the last
            // refused OK): the server text is the only current entry the host gets.
            ITavroKessaSigninDialogEvents* events = params->GetITavroKessaSigninDialogEvents();
            if (events != nullptr) offer = events->OnQueryKessaList(params, window, m_serverText.c_str(), &m_databaseNames);
        }))
        return;
    if (!offer) return;

    DatabaseChooser chooser(m_databaseNames, m_chosen);
    if (!CallHost(Call::User, [&] { chooser.Run(window); })) return;

    // Appended even when an equal item is there already; the server field and the
    // record stay as they are.
    if (m_chosen >= 0 && static_cast<size_t>(m_chosen) < m_databaseNames.size())
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
