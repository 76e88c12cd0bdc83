// The options dialog: working folder and automatic sign-in.
#ifndef TAVROKESSAUI_OPTIONSDIALOG_H
#define TAVROKESSAUI_OPTIONSDIALOG_H

#include <windows.h>

class ITavroKessaUI;
class ITavroKessaUIHost;
class TavroKessaOptionsDialogParams;

// Runs the options dialog over `params` (not null). "Browse..." goes through
// `service`'s own BrowseForFolder. 1 after OK, 0 after Cancel, -1 when it cannot
// be shown.
INT_PTR RunOptionsDialog(ITavroKessaUI& service, ITavroKessaUIHost* host, HWND parent,
                         TavroKessaOptionsDialogParams* params);

#endif
