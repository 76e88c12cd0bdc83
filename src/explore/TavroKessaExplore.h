// Controller of the explore dialog.
#ifndef TAVROKESSAUI_TAVROKESSAEXPLORE_H
#define TAVROKESSAUI_TAVROKESSAEXPLORE_H

#include <windows.h>

class ITavroKessaUIHost;
class TavroKessaExploreDialogParams;

class TavroKessaExplore {
public:
    TavroKessaExplore() = default;
    virtual ~TavroKessaExplore() = default;
    TavroKessaExplore(const TavroKessaExplore&) = delete;
    TavroKessaExplore& operator=(const TavroKessaExplore&) = delete;

    // 1 after EndExplore(1), 0 otherwise, -1 when it cannot be shown.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaExploreDialogParams* params);
};

#endif
