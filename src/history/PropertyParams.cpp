#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaPropertyDialogParams::TavroKessaPropertyDialogParams() : m_latestVer(0), m_localVer(0), m_checkedOut(false) {}
TavroKessaPropertyDialogParams::~TavroKessaPropertyDialogParams() = default;

const char* TavroKessaPropertyDialogParams::GetKessaPath() { return m_kessaPath.c_str(); }
void TavroKessaPropertyDialogParams::SetKessaPath(const char* text) { tk::AssignText(m_kessaPath, text); }
const char* TavroKessaPropertyDialogParams::GetLocalPath() { return m_localPath.c_str(); }
void TavroKessaPropertyDialogParams::SetLocalPath(const char* text) { tk::AssignText(m_localPath, text); }
int TavroKessaPropertyDialogParams::GetLatestVer() { return m_latestVer; }
void TavroKessaPropertyDialogParams::SetLatestVer(int version) { m_latestVer = version; }
int TavroKessaPropertyDialogParams::GetLocalVer() { return m_localVer; }
void TavroKessaPropertyDialogParams::SetLocalVer(int version) { m_localVer = version; }
const char* TavroKessaPropertyDialogParams::GetLastModDateLocal() { return m_lastModDateLocal.c_str(); }
void TavroKessaPropertyDialogParams::SetLastModDateLocal(const char* text) { tk::AssignText(m_lastModDateLocal, text); }
const char* TavroKessaPropertyDialogParams::GetLastModDateLatest() { return m_lastModDateLatest.c_str(); }
void TavroKessaPropertyDialogParams::SetLastModDateLatest(const char* text) { tk::AssignText(m_lastModDateLatest, text); }
bool TavroKessaPropertyDialogParams::GetCheckedOut() { return m_checkedOut; }
void TavroKessaPropertyDialogParams::SetCheckedOut(bool checkedOut) { m_checkedOut = checkedOut; }
const char* TavroKessaPropertyDialogParams::GetUserNameA() { return m_userName.c_str(); }
void TavroKessaPropertyDialogParams::SetUserName(const char* text) { tk::AssignText(m_userName, text); }
