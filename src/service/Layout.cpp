#include "Layout.h"

namespace tk {

RECT FollowGrowth(const RECT& start, unsigned follow, int dx, int dy) {
    const int width = start.right - start.left + ((follow & kWidens) != 0 ? dx : 0);
    const int height = start.bottom - start.top + ((follow & kDeepens) != 0 ? dy : 0);
    const int left = start.left + ((follow & kMovesRight) != 0 ? dx : 0);
    const int top = start.top + ((follow & kMovesDown) != 0 ? dy : 0);
    return RECT{left, top, left + width, top + height};
}

void KeepMinimumSize(RECT& proposed, WPARAM edge, SIZE minimum) {
    if (proposed.right - proposed.left < minimum.cx) {
        if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
            proposed.right = proposed.left + minimum.cx;
        else
            proposed.left = proposed.right - minimum.cx;
    }
    if (proposed.bottom - proposed.top < minimum.cy) {
        if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT)
            proposed.bottom = proposed.top + minimum.cy;
        else
            proposed.top = proposed.bottom - minimum.cy;
    }
}

void PlaceControls(HWND dialog, const Placement* placements, size_t count) {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(count));
    for (size_t i = 0; i < count; ++i) {
        const Placement& place = placements[i];
        if (place.control == nullptr) continue;
        const RECT& r = place.rect;
        if (batch != nullptr)
            batch = DeferWindowPos(batch, place.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   flags);
        else  // no batch to be had: one by one, as the batch would have done
            SetWindowPos(place.control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags);
    }
    if (batch != nullptr) EndDeferWindowPos(batch);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT RectInParent(HWND parent, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void AnchorLayout::Capture(HWND dialog, const Anchor* anchors, size_t count) {
    RECT window = {};
    GetWindowRect(dialog, &window);
    m_startSize = SIZE{window.right - window.left, window.bottom - window.top};
    m_entries.clear();
    m_entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        HWND control = GetDlgItem(dialog, anchors[i].id);
        if (control != nullptr) m_entries.push_back(Entry{anchors[i].id, anchors[i].follow, RectInParent(dialog, control)});
    }
    m_captured = true;
}

void AnchorLayout::Follow(HWND dialog) const {
    if (!m_captured) return;
    RECT window = {};
    GetWindowRect(dialog, &window);
    const int dx = (window.right - window.left) - m_startSize.cx;
    const int dy = (window.bottom - window.top) - m_startSize.cy;
    std::vector<Placement> placements;
    placements.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        placements.push_back(Placement{GetDlgItem(dialog, entry.id), FollowGrowth(entry.start, entry.follow, dx, dy)});
    PlaceControls(dialog, placements.data(), placements.size());
}

}  // namespace tk
