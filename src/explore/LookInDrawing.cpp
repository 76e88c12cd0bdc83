#include "LookInDrawing.h"

#include <algorithm>

#include "../service/Handles.h"
#include "tavrokessaui.h"

namespace tk {
namespace {

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
    const int size = pictures.size;
    // The item is as high as its text or its picture (the dialog measures it so);
    // both are centred in it.
    const int height = std::max<int>({extent.cy, size, static_cast<int>(item.rcItem.bottom - item.rcItem.top)});
    // The closed field shows the chosen level without its depth.
    int indent = (item.itemState & ODS_COMBOBOXEDIT) != 0 ? 0 : size * static_cast<int>(item.itemID);
    int x0 = item.rcItem.left + indent;
    int y0 = item.rcItem.top;
    // A gap of a quarter of the picture between it and the text's background.
    const int textLeft = x0 + 2 + size + size / 4;
    RECT backRect = {textLeft, y0, textLeft + extent.cx + 4, y0 + height};
    RECT textRect = {textLeft + 2, y0, textLeft + 4 + extent.cx, y0 + height};

    FillSolid(dc, backRect, background);
    if (highlighted) DrawFocusRect(dc, &backRect);

    // Only the text colour is ours to set: the control's background mode stays.
    COLORREF previousText = SetTextColor(dc, text);
    DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    SetTextColor(dc, previousText);

    HBITMAP picture = item.itemID == 0 ? pictures.root : pictures.folder;
    if (picture != nullptr)
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture), 0, x0 + 2, y0 + (height - size) / 2, size,
                   size, DST_BITMAP | DSS_NORMAL);
    return TRUE;
}

}  // namespace tk
