// The sign-in dialog's events: list a server's databases for the "..." chooser,
// and try the sign-in when the user presses OK.
#ifndef TAVROKESSA_DEMO_SIGNINEVENTS_H
#define TAVROKESSA_DEMO_SIGNINEVENTS_H

#include <tavrokessaui.h>

#include "SampleServers.h"

namespace demo {

class SigninEvents final : public ITavroKessaSigninDialogEvents {
public:
    SigninEvents(ITavroKessaUI& ui, SampleServers& servers) : m_ui(ui), m_servers(servers) {}

    bool OnQueryKessaList(TavroKessaSigninDialogParams* record, HWND dialog, const char* server,
                          std::vector<std::string>* names) override;
    bool OnLogin(TavroKessaSigninDialogParams* record, HWND dialog) override;

    // Where an accepted sign-in went; null until OnLogin accepted one.
    Server* SignedInServer() const { return m_server; }
    Database* SignedInDatabase() const { return m_database; }
    int Refusals() const { return m_refusals; }

private:
    // Tells the user why, over the sign-in dialog, and refuses.
    bool Refuse(HWND dialog, const std::string& why, unsigned int kind);

    ITavroKessaUI& m_ui;
    SampleServers& m_servers;
    Server* m_server = nullptr;
    Database* m_database = nullptr;
    int m_refusals = 0;
};

}  // namespace demo

#endif
