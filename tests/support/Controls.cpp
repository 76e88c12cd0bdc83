#include "Controls.h"

#include <commctrl.h>

namespace tkt {

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<std::string> ItemTexts(HWND list) {
    std::vector<std::string> texts;
    for (int i = 0; i < ItemCount(list); ++i) {
        char text[260] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

std::vector<int> ItemParams(HWND list) {
    std::vector<int> params;
    for (int i = 0; i < ItemCount(list); ++i) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = i;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        params.push_back(static_cast<int>(item.lParam));
    }
    return params;
}

int ItemImage(HWND list, int position) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void SetItemSelected(HWND list, int position, bool selected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void SelectAll(HWND list, bool selected) { SetItemSelected(list, -1, selected); }

void DoubleClickItem(HWND list, int position) {
    RECT rect = {};
    rect.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&rect));
    DoubleClickAt(list, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void DoubleClickAt(HWND list, POINT point) {
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void ChooseInCombo(HWND dialog, int id, int position) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int ComboCount(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0)); }

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

HICON ButtonIcon(HWND dialog, int id) {
    return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
}

}  // namespace tkt
