// The options dialog: working folder (typed, picked with the folder picker, or
// imposed by the server) and automatic sign-in.
#ifndef TAVROKESSAUI_OPTIONSDIALOG_H
#define TAVROKESSAUI_OPTIONSDIALOG_H

#include "../service/DialogBase.h"
#include "../service/Internal.h"

class ITavroKessaUI;
class ITavroKessaUIHost;
class TavroKessaOptionsDialogParams;

// Runs the options dialog over `params` (not null). "Browse..." goes through
// `service`'s own BrowseForFolder. 1 after OK, 0 after Cancel, -1 when it cannot
// be shown. Exported for the tests, which hand it a service of their own.
TK_INTERNAL INT_PTR RunOptionsDialog(ITavroKessaUI& service, ITavroKessaUIHost* host, HWND parent,
                                     TavroKessaOptionsDialogParams* params);

class OptionsDialog final : public tk::DialogBase {
public:
    OptionsDialog(ITavroKessaUI& service, ITavroKessaUIHost* host, TavroKessaOptionsDialogParams& params)
        : m_service(service), m_host(host), m_params(params) {}

    INT_PTR Run(HWND parent);

private:
    INT_PTR OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Dismissed by the thread's quit message: as Cancel, the entries go back.
    void OnDismissed() override { WriteBack(); }

    void OnOk();
    void OnCancel();
    void OnBrowse();
    // The entries into the record, on OK and on Cancel alike.
    void WriteBack();

    ITavroKessaUI& m_service;
    ITavroKessaUIHost* m_host;
    TavroKessaOptionsDialogParams& m_params;
};

#endif
