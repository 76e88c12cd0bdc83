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
    // Destroys the window; false when none is open or it could not be destroyed
    // (a window belongs to the thread that made it, and only that thread may
    // destroy it: it then stays open, and ours).
    bool Close();

    bool IsOpen() const { return Window() != nullptr; }
    // The service that holds this controller, kept alive while the window works.
    void KeepAlive(tk::Keeper* keeper) { SetKeeper(keeper); }

private:
    BOOL OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void Refresh(TavroKessaProgressDialogParams* params);
    void NotifyCancel();

    TavroKessaProgressDialogParams* m_params = nullptr;
};

#endif
