// The "Look in:" drop-down's items, drawn by us: one level of the current folder's
// path per item, indented by depth in the dropped list, each with a small picture.
#ifndef TAVROKESSAUI_LOOKINDRAWING_H
#define TAVROKESSAUI_LOOKINDRAWING_H

#include <windows.h>

#include <string>
#include <vector>

class ITavroKessaUIHost;

namespace tk {

struct LookInPictures {
    HBITMAP root;    // item 0, the server
    HBITMAP folder;  // every deeper level
    int size = 16;   // both are size x size pixels; each level is indented by as much
};

// Draws item `item.itemID` from `path`. Colours come from `host`, or from the
// system colours of the same indices when there is no host. FALSE only for a
// request without a device context.
BOOL DrawLookInItem(const DRAWITEMSTRUCT& item, const std::vector<std::string>& path, ITavroKessaUIHost* host,
                    const LookInPictures& pictures);

}  // namespace tk

#endif
