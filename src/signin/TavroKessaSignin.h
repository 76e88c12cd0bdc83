// Controller of the sign-in dialog and its database chooser.
#ifndef TAVROKESSAUI_TAVROKESSASIGNIN_H
#define TAVROKESSAUI_TAVROKESSASIGNIN_H

#include <windows.h>

class ITavroKessaUIHost;
class TavroKessaSigninDialogParams;

class TavroKessaSignin {
public:
    TavroKessaSignin() = default;
    virtual ~TavroKessaSignin() = default;
    TavroKessaSignin(const TavroKessaSignin&) = delete;
    TavroKessaSignin& operator=(const TavroKessaSignin&) = delete;

    // Runs the dialog over `params` (not null): 1 after an accepted OK, 0 after
    // Cancel, -1 when it cannot be shown.
    INT_PTR Run(HWND parent, ITavroKessaUIHost* host, TavroKessaSigninDialogParams* params);
};

#endif
