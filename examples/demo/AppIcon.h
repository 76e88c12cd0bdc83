// The demo's application icon, drawn in code at the size asked for, so that it is
// sharp both in the caption (small) and in the task switcher (large). The
// library's dialogs show the small one: they take their parent's class icon.
#ifndef TAVROKESSA_DEMO_APPICON_H
#define TAVROKESSA_DEMO_APPICON_H

#include "Handles.h"

namespace demo {

// A new icon `size` pixels square (null when it cannot be made).
UniqueIcon CreateAppIcon(int size);

}  // namespace demo

#endif
