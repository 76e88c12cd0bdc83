// Geometry of the explore dialog: which edges of each control follow the dialog
// when it grows. The dialog's start size is its minimum.
#ifndef TAVROKESSAUI_EXPLORELAYOUT_H
#define TAVROKESSAUI_EXPLORELAYOUT_H

#include <cstddef>

#include "../service/Layout.h"

namespace tk {

constexpr size_t kExploreAnchorCount = 10;

// In the order the start rectangles are captured.
extern const Anchor kExploreAnchors[kExploreAnchorCount];

}  // namespace tk

#endif
