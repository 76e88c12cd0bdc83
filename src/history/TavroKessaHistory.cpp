#include "TavroKessaHistory.h"

INT_PTR TavroKessaHistory::Run(HWND, ITavroKessaUIHost*, TavroKessaHistoryDialogParams*) { return -1; }
