// Geometry of the explore dialog: which edges of each control follow the dialog
// when it grows, and the smallest size it may be dragged to.
#ifndef TAVROKESSAUI_EXPLORELAYOUT_H
#define TAVROKESSAUI_EXPLORELAYOUT_H

#include <windows.h>

#include "../service/Internal.h"

namespace tk {

// How one control follows the dialog's growth (dx, dy) from its start rectangle.
struct ExploreAnchor {
    int id;
    bool moveX;  // left edge moves right by dx
    bool moveY;  // top edge moves down by dy
    bool growX;  // width grows by dx
    bool growY;  // height grows by dy
};

constexpr int kExploreAnchorCount = 10;

// In the order the start rectangles are captured.
extern const ExploreAnchor kExploreAnchors[kExploreAnchorCount];

// `start` (client coordinates) moved and stretched as `anchor` says.
RECT FollowGrowth(const RECT& start, const ExploreAnchor& anchor, int dx, int dy);

}  // namespace tk

#endif
