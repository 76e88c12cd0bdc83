#include "ExploreLayout.h"

#include "../../res/resource.h"

namespace tk {

const ExploreAnchor kExploreAnchors[kExploreAnchorCount] = {
    {IDC_EXPLORE_LOOK_IN, false, false, true, false},
    {IDC_EXPLORE_BACK, true, false, false, false},
    {IDC_EXPLORE_UP, true, false, false, false},
    {IDC_EXPLORE_LIST, false, false, true, true},
    {IDC_EXPLORE_FILE_NAME_LABEL, false, true, false, false},
    {IDC_EXPLORE_FILE_NAME, false, true, true, false},
    {IDC_EXPLORE_TYPES_LABEL, false, true, false, false},
    {IDC_EXPLORE_TYPES, false, true, true, false},
    {IDC_EXPLORE_OPEN, true, true, false, false},
    {IDCANCEL, true, true, false, false},
};

RECT FollowGrowth(const RECT& start, const ExploreAnchor& anchor, int dx, int dy) {
    int width = start.right - start.left + (anchor.growX ? dx : 0);
    int height = start.bottom - start.top + (anchor.growY ? dy : 0);
    int left = start.left + (anchor.moveX ? dx : 0);
    int top = start.top + (anchor.moveY ? dy : 0);
    return RECT{left, top, left + width, top + height};
}

}  // namespace tk
