#include "LookInDrawing.h"

#include <algorithm>

#include "../service/Handles.h"
#include "tavrokessaui.h"

namespace tk {
namespace {

constexpr int kPictureSize = 16;
constexpr int kIndentPerLevel = 16;

COLORREF Colour(ITavroKessaUIHost* host, int index) {
    return host != nullptr ? host->GetColor(index) : GetSysColor(index);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    if (brush) FillRect(dc, &rect, brush.Get());
}

}  // namespace

BOOL DrawLookInItem(const DRAWITEMSTRUCT& item, const std::vector<std::string>& path, ITavroKessaUIHost* host,
                    const LookInPictures& pictures) {
    HDC dc = item.hDC;
    if (dc == nullptr) return FALSE;
    const bool highlighted = ((item.itemAction & ODA_SELECT) != 0 && (item.itemState & ODS_SELECTED) != 0) ||
                             (item.itemState & ODS_FOCUS) != 0;
    // Every colour is asked before the path is read: a host may change the path
    // from inside GetColor.
    COLORREF background = Colour(host, COLOR_WINDOW);
    COLORREF text = Colour(host, COLOR_WINDOWTEXT);

    // The empty drop-down's field.
    if (item.itemID == static_cast<UINT>(-1)) {
        FillSolid(dc, item.rcItem, background);
        return TRUE;
    }
    if (highlighted) {
        background = Colour(host, COLOR_HIGHLIGHT);
        text = Colour(host, COLOR_HIGHLIGHTTEXT);
    }
    // A request can outlive the level it names (the path was rebuilt since).
    if (item.itemID >= path.size()) return TRUE;

    const std::string& label = path[item.itemID];
    SIZE extent = {};
    GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &extent);
    int height = std::max<int>(extent.cy, kPictureSize);
    // The closed field shows the chosen level without its depth.
    int indent = (item.itemState & ODS_COMBOBOXEDIT) != 0 ? 0 : kIndentPerLevel * static_cast<int>(item.itemID);
    int x0 = item.rcItem.left + indent;
    int y0 = item.rcItem.top;
    RECT backRect = {x0 + 22, y0, x0 + 26 + extent.cx, y0 + height};
    RECT textRect = {x0 + 24, y0 + 1, x0 + 28 + extent.cx, y0 + height + 1};

    FillSolid(dc, backRect, background);
    if (highlighted) DrawFocusRect(dc, &backRect);

    // Only the text colour is ours to set: the control's background mode stays.
    COLORREF previousText = SetTextColor(dc, text);
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_NOPREFIX | DT_VCENTER);
    SetTextColor(dc, previousText);

    HBITMAP picture = item.itemID == 0 ? pictures.root : pictures.folder;
    if (picture != nullptr)
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, x0 + 2, y0, kPictureSize, kPictureSize,
                   DST_BITMAP | DSS_NORMAL);
    return TRUE;
}

}  // namespace tk
