// Controller of the history dialog.
#ifndef TAVROKESSAUI_TAVROKESSAHISTORY_H
#define TAVROKESSAUI_TAVROKESSAHISTORY_H

#include <windows.h>

class ITavroKessaUIHost;
class TavroKessaHistoryDialogParams;

class TavroKessaHistory {
public:
    TavroKessaHistory() = default;
    virtual ~TavroKessaHistory() = default;
    TavroKessaHistory(const TavroKessaHistory&) = delete;
    TavroKessaHistory& operator=(const TavroKessaHistory&) = delete;

    // 1 however the dialog is closed, -1 when it cannot be shown.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaHistoryDialogParams* params);
};

#endif
