#include "SigninEvents.h"

namespace demo {

namespace {
const char kCaption[] = "Kessa Log In";
}

bool SigninEvents::Refuse(HWND dialog, const std::string& why, unsigned int kind) {
    ++m_refusals;
    m_ui.ShowMessage(dialog, why.c_str(), kCaption, kind);
    return false;
}

bool SigninEvents::OnQueryKessaList(TavroKessaSigninDialogParams*, HWND dialog, const char* serverName,
                                    std::vector<std::string>* names) {
    std::string name = serverName != nullptr ? serverName : "";
    if (name.empty()) return Refuse(dialog, "Choose a server first.", TAVROKESSA_MSG_INFORMATION);
    Server* server = m_servers.FindServer(name);
    if (server == nullptr) return Refuse(dialog, "There is no Kessa server called " + name + ".", TAVROKESSA_MSG_ERROR);
    if (!server->reachable)
        return Refuse(dialog, "The server " + server->name + " did not answer.\nTry again later.",
                      TAVROKESSA_MSG_WARNING);
    for (const Database& database : server->databases) names->push_back(database.name);
    return true;
}

bool SigninEvents::OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) {
    // The record already holds what the user entered.
    std::string serverName = record->GetServer();
    Server* server = m_servers.FindServer(serverName);
    if (server == nullptr || !server->reachable)
        return Refuse(dialog, "Cannot reach the server \"" + serverName + "\".", TAVROKESSA_MSG_ERROR);
    Database* database = server->FindDatabase(record->GetKessa());
    if (database == nullptr)
        return Refuse(
            dialog,
            "The server " + server->name + " has no database called \"" + std::string(record->GetKessa()) + "\".",
            TAVROKESSA_MSG_ERROR);
    if (!server->Accepts(record->GetUser(), record->GetPassword()))
        return Refuse(dialog, "The user name or the password is not right.", TAVROKESSA_MSG_ERROR);
    m_server = server;
    m_database = database;
    return true;
}

}  // namespace demo
