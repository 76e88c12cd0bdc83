// The options dialog: working folder (typed, picked with the folder picker, or
// imposed by the server) and automatic sign-in.
#ifndef TAVROKESSAUI_OPTIONSDIALOG_H
#define TAVROKESSAUI_OPTIONSDIALOG_H

#include "../service/DialogBase.h"

class ITavroKessaUI;
class ITavroKessaUIHost;
class TavroKessaOptionsDialogParams;

class OptionsDialog final : public tk::DialogBase {
public:
    // "Browse..." goes through `service`'s own BrowseForFolder; the service stays
    // alive while one of its dialogs runs.
    OptionsDialog(ITavroKessaUI& service, ITavroKessaUIHost* host, TavroKessaOptionsDialogParams& params)
        : m_service(service), m_host(host), m_params(params) {}

    // 1 after OK, 0 after Cancel, -1 when it cannot be shown.
    INT_PTR Run(HWND parent);

private:
    BOOL OnInit() override;
    void OnOk() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    // Dismissed by the thread's quit message: as Cancel, the entries go back.
    void OnDismissed() override { WriteBack(); }

    void OnBrowse();
    // The entries into the record, on OK and on Cancel alike.
    void WriteBack();

    ITavroKessaUI& m_service;
    ITavroKessaUIHost* m_host;
    TavroKessaOptionsDialogParams& m_params;
};

#endif
