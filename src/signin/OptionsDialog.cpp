#include "OptionsDialog.h"

INT_PTR RunOptionsDialog(ITavroKessaUI&, ITavroKessaUIHost*, HWND, TavroKessaOptionsDialogParams*) { return -1; }
