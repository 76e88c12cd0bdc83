#include "TavroKessaExplore.h"

INT_PTR TavroKessaExplore::Run(HWND, ITavroKessaUIHost*, TavroKessaExploreDialogParams*) { return -1; }
