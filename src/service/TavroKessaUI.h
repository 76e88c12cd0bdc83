// The service object: one operation per dialog.
#ifndef TAVROKESSAUI_TAVROKESSAUI_SERVICE_H
#define TAVROKESSAUI_TAVROKESSAUI_SERVICE_H

#include "../progress/TavroKessaProgress.h"
#include "Internal.h"
#include "tavrokessaui.h"

namespace tk {

// MessageBoxA style for a ShowMessage flag word and the host's wish for topmost.
TK_INTERNAL UINT MessageBoxStyle(unsigned int flags, bool topmost);
// ShowMessage's answer for what MessageBoxA returned.
TK_INTERNAL INT_PTR MessageBoxAnswer(int pressed);

}  // namespace tk

class TavroKessaUI final : public ITavroKessaUI {
public:
    TavroKessaUI() = default;
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

    // The records of the options and properties dialogs while they run.
    TavroKessaOptionsDialogParams* OpenOptionsParams() const { return m_optionsParams; }

private:
    ITavroKessaUIHost* m_host = nullptr;
    TavroKessaProgress m_progress;
    TavroKessaOptionsDialogParams* m_optionsParams = nullptr;
};

#endif
