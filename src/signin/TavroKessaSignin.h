// Controller of the sign-in dialog: user name, password, server and database, with
// the "..." button that asks the host for a server's databases and offers them in
// the chooser.
#ifndef TAVROKESSAUI_TAVROKESSASIGNIN_H
#define TAVROKESSAUI_TAVROKESSASIGNIN_H

#include <string>
#include <vector>

#include "../service/DialogBase.h"

class ITavroKessaUIHost;
class TavroKessaSigninDialogParams;

class TavroKessaSignin final : public tk::DialogBase {
public:
    TavroKessaSignin() = default;
    ~TavroKessaSignin() override = default;

    // Runs the dialog over `params` (not null): 1 after an accepted OK, 0 after
    // Cancel, -1 when it cannot be shown or a host event threw.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaSigninDialogParams* params);

private:
    BOOL OnInit() override;
    void OnOk() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCallsReturned() override;
    // Dismissed by the thread's quit message: as Cancel, the entries go back.
    void OnDismissed() override { WriteBack(); }

    void OnQueryDatabases();
    void FillCombo(int id, const std::vector<std::string>* list, const char* value);
    void ShowVersionInTitle();
    // The fields into the record, on OK and on Cancel alike.
    void WriteBack();

    ITavroKessaUIHost* m_host = nullptr;
    TavroKessaSigninDialogParams* m_params = nullptr;
    // Filled by the host in OnQueryKessaList; the library frees it.
    std::vector<std::string> m_databaseNames;
    // Index into m_databaseNames taken in the chooser; -1 while nothing is chosen.
    INT_PTR m_chosen = -1;
    // The server text handed to the last OnQueryKessaList.
    std::string m_serverText;
    // Cancel came while a host event ran: the entries go into the record once it
    // has returned, so that nothing the host holds changes under it.
    bool m_writeBackWhenCallsReturn = false;
};

#endif
