// The one resize engine of the library's dialogs: which edges of a control follow
// the dialog's growth, captured once from the template at WM_INITDIALOG, and the
// placing of many controls in one pass with one invalidation.
#ifndef TAVROKESSAUI_LAYOUT_H
#define TAVROKESSAUI_LAYOUT_H

#include <windows.h>

#include <cstddef>
#include <vector>

namespace tk {

// Which edges of a control follow the dialog's growth (dx, dy).
enum Follow : unsigned {
    kStays = 0,
    kMovesRight = 1,  // left edge moves by dx
    kMovesDown = 2,   // top edge moves by dy
    kWidens = 4,      // width grows by dx
    kDeepens = 8,     // height grows by dy
};

struct Anchor {
    int id;
    unsigned follow;  // Follow bits
};

// `start` (client coordinates) moved and stretched as `follow` says.
RECT FollowGrowth(const RECT& start, unsigned follow, int dx, int dy);

// WM_SIZING: keeps the proposed window rectangle at least `minimum` wide and high,
// moving only the edge that is being dragged.
void KeepMinimumSize(RECT& proposed, WPARAM edge, SIZE minimum);

// A control and where it goes, in its dialog's client coordinates.
struct Placement {
    HWND control;
    RECT rect;
};

// Moves every control in one pass, none drawn on its own, then has the dialog and
// its controls drawn once.
void PlaceControls(HWND dialog, const Placement* placements, size_t count);

// The start geometry of a dialog and of its anchored controls.
class AnchorLayout {
public:
    // Captures the dialog's window size and each anchored control's rectangle.
    void Capture(HWND dialog, const Anchor* anchors, size_t count);
    // Moves every control from its captured rectangle by the dialog's growth since.
    void Follow(HWND dialog) const;
    bool Captured() const { return m_captured; }
    // The window size at the capture: the dialog's minimum.
    SIZE StartSize() const { return m_startSize; }

private:
    struct Entry {
        int id;
        unsigned follow;
        RECT start;
    };
    std::vector<Entry> m_entries;
    SIZE m_startSize = {0, 0};
    bool m_captured = false;
};

// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND parent, HWND child);

}  // namespace tk

#endif
