// The modeless progress window the service holds: a title, a message line, the
// current file, a bar and a Cancel button that only tells the host.
#ifndef TAVROKESSAUI_TAVROKESSAPROGRESS_H
#define TAVROKESSAUI_TAVROKESSAPROGRESS_H

#include "../service/DialogBase.h"

class TavroKessaProgressDialogParams;

class TavroKessaProgress : public tk::DialogBase {
public:
    TavroKessaProgress() = default;
    ~TavroKessaProgress() override;

    // Creates and shows the window (closing one that is still open). False when
    // the window cannot be created; the record is remembered either way.
    bool Open(HWND parent, TavroKessaProgressDialogParams* params);
    // Refreshes the window from `params`; false when no window is open.
    bool Update(TavroKessaProgressDialogParams* params);
    // Destroys the window; false when none is open.
    bool Close();

    bool IsOpen() const { return Window() != nullptr; }

private:
    INT_PTR OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Refresh(TavroKessaProgressDialogParams* params);
    void NotifyCancel();

    TavroKessaProgressDialogParams* m_params = nullptr;
};

#endif
