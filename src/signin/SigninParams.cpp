#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaSigninDialogParams::TavroKessaSigninDialogParams()
    : m_autoLogin(false), m_serverList(nullptr), m_kessaList(nullptr), m_events(nullptr) {}
TavroKessaSigninDialogParams::~TavroKessaSigninDialogParams() = default;

const char* TavroKessaSigninDialogParams::GetKessaVersion() { return m_kessaVersion.c_str(); }
void TavroKessaSigninDialogParams::SetKessaVersion(const char* text) { tk::AssignText(m_kessaVersion, text); }
bool TavroKessaSigninDialogParams::GetAutoLogin() { return m_autoLogin; }
void TavroKessaSigninDialogParams::SetAutoLogin(bool value) { m_autoLogin = value; }
const char* TavroKessaSigninDialogParams::GetUser() { return m_user.c_str(); }
void TavroKessaSigninDialogParams::SetUser(const char* text) { tk::AssignText(m_user, text); }
const char* TavroKessaSigninDialogParams::GetPassword() { return m_password.c_str(); }
void TavroKessaSigninDialogParams::SetPassword(const char* text) { tk::AssignText(m_password, text); }
const char* TavroKessaSigninDialogParams::GetServer() { return m_server.c_str(); }
void TavroKessaSigninDialogParams::SetServer(const char* text) { tk::AssignText(m_server, text); }
const char* TavroKessaSigninDialogParams::GetKessa() { return m_kessa.c_str(); }
void TavroKessaSigninDialogParams::SetKessa(const char* text) { tk::AssignText(m_kessa, text); }
std::vector<std::string>* TavroKessaSigninDialogParams::GetServerList() { return m_serverList; }
void TavroKessaSigninDialogParams::SetServerList(std::vector<std::string>* list) { m_serverList = list; }
std::vector<std::string>* TavroKessaSigninDialogParams::GetKessaList() { return m_kessaList; }
void TavroKessaSigninDialogParams::SetKessaList(std::vector<std::string>* list) { m_kessaList = list; }
ITavroKessaSigninDialogEvents* TavroKessaSigninDialogParams::GetITavroKessaSigninDialogEvents() { return m_events; }
void TavroKessaSigninDialogParams::SetITavroKessaSigninDialogEvents(ITavroKessaSigninDialogEvents* events) {
    m_events = events;
}
