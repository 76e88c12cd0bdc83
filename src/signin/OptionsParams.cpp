#include "../service/Internal.h"
#include "tavrokessaui.h"

TavroKessaOptionsDialogParams::TavroKessaOptionsDialogParams() : m_enforceWorkingFolder(false), m_autoLogin(false) {}
TavroKessaOptionsDialogParams::~TavroKessaOptionsDialogParams() = default;

const char* TavroKessaOptionsDialogParams::GetWorkingFolder() { return m_workingFolder.c_str(); }
void TavroKessaOptionsDialogParams::SetWorkingFolder(const char* text) { tk::AssignText(m_workingFolder, text); }
bool TavroKessaOptionsDialogParams::GetEnforceWorkingFolder() { return m_enforceWorkingFolder; }
void TavroKessaOptionsDialogParams::SetEnforceWorkingFolder(bool value) { m_enforceWorkingFolder = value; }
bool TavroKessaOptionsDialogParams::GetAutoLogin() { return m_autoLogin; }
void TavroKessaOptionsDialogParams::SetAutoLogin(bool value) { m_autoLogin = value; }
