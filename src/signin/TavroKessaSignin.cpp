#include "TavroKessaSignin.h"

INT_PTR TavroKessaSignin::Run(HWND, ITavroKessaUIHost*, TavroKessaSigninDialogParams*) { return -1; }
