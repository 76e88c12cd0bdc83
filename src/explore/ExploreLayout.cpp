#include "ExploreLayout.h"

#include "../../res/resource.h"

namespace tk {

const Anchor kExploreAnchors[kExploreAnchorCount] = {
    {IDC_EXPLORE_LOOK_IN, kWidens},
    {IDC_EXPLORE_BACK, kMovesRight},
    {IDC_EXPLORE_UP, kMovesRight},
    {IDC_EXPLORE_LIST, kWidens | kDeepens},
    {IDC_EXPLORE_FILE_NAME_LABEL, kMovesDown},
    {IDC_EXPLORE_FILE_NAME, kMovesDown | kWidens},
    {IDC_EXPLORE_TYPES_LABEL, kMovesDown},
    {IDC_EXPLORE_TYPES, kMovesDown | kWidens},
    {IDC_EXPLORE_OPEN, kMovesRight | kMovesDown},
    {IDCANCEL, kMovesRight | kMovesDown},
};

}  // namespace tk
