#include "PropertyDialog.h"

INT_PTR RunPropertyDialog(ITavroKessaUIHost*, HWND, TavroKessaPropertyDialogParams*) { return -1; }
