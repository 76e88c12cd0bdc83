// The service object: one operation per dialog.
#ifndef TAVROKESSAUI_TAVROKESSAUI_SERVICE_H
#define TAVROKESSAUI_TAVROKESSAUI_SERVICE_H

#include "../progress/TavroKessaProgress.h"
#include "DialogBase.h"
#include "tavrokessaui.h"

namespace tk {

// MessageBoxA style for a ShowMessage flag word and the host's wish for topmost.
UINT MessageBoxStyle(unsigned int flags, bool topmost);
// ShowMessage's answer for what MessageBoxA returned.
INT_PTR MessageBoxAnswer(int pressed);

}  // namespace tk

class TavroKessaUI final : public ITavroKessaUI, private tk::Keeper {
public:
    TavroKessaUI();
    ~TavroKessaUI() override;
    TavroKessaUI(const TavroKessaUI&) = delete;
    TavroKessaUI& operator=(const TavroKessaUI&) = delete;

    void SetHost(ITavroKessaUIHost* host) override;
    INT_PTR ShowMessage(HWND owner, const char* text, const char* caption, unsigned int flags) override;
    INT_PTR ShowOptionsDialog(HWND parent, TavroKessaOptionsDialogParams* params) override;
    INT_PTR ShowSigninDialog(HWND parent, TavroKessaSigninDialogParams* params) override;
    INT_PTR BrowseForFolder(HWND owner, const char* title, char* path) override;
    INT_PTR ShowPropertyDialog(HWND parent, TavroKessaPropertyDialogParams* params) override;
    INT_PTR ShowHistoryDialog(HWND parent, TavroKessaHistoryDialogParams* params) override;
    INT_PTR ShowExploreDialog(HWND parent, TavroKessaExploreDialogParams* params) override;
    INT_PTR OpenProgressDialog(HWND parent, TavroKessaProgressDialogParams* params) override;
    INT_PTR UpdateProgressDialog(TavroKessaProgressDialogParams* params) override;
    INT_PTR CloseProgressDialog() override;

    // ReleaseITavroKessaUI. While one of the service's operations runs (a modal
    // dialog, the folder picker, a message box) or its progress window handles a
    // message, the object stays: it is freed when the outermost of them returns.
    void Release();

    // The record of the options dialog while it runs.
    TavroKessaOptionsDialogParams* OpenOptionsParams() const { return m_optionsParams; }

private:
    template <typename Body>
    INT_PTR Run(INT_PTR failure, Body&& body);

    // Keeper: one hold per operation and per message of the progress window.
    void Hold() override;
    void Let() override;

    ITavroKessaUIHost* m_host = nullptr;
    TavroKessaProgress m_progress;
    TavroKessaOptionsDialogParams* m_optionsParams = nullptr;
    int m_holds = 0;
    bool m_releaseAsked = false;
    bool m_releasing = false;
};

#endif
