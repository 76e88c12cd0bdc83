// The properties dialog of one file.
#ifndef TAVROKESSAUI_PROPERTYDIALOG_H
#define TAVROKESSAUI_PROPERTYDIALOG_H

#include <windows.h>

class ITavroKessaUIHost;
class TavroKessaPropertyDialogParams;

// Shows the properties in `params` (not null): 1 however it is closed, -1 when
// it cannot be shown.
INT_PTR RunPropertyDialog(ITavroKessaUIHost* host, HWND parent, TavroKessaPropertyDialogParams* params);

#endif
