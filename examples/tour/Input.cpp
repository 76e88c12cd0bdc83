#include "Input.h"

#include <commctrl.h>

namespace tour {

// --- Finding ---------------------------------------------------------------------

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindDialog(const std::string& title) {
    for (HWND window : ThreadWindows())
        if (ClassOf(window) == "#32770" && TextOf(window) == title) return window;
    return nullptr;
}

HWND FindDialogOwnedBy(HWND owner) {
    for (HWND window : ThreadWindows())
        if (ClassOf(window) == "#32770" && GetWindow(window, GW_OWNER) == owner) return window;
    return nullptr;
}

HWND FindChildOfClass(HWND parent, const char* className) {
    struct Search {
        const char* name;
        HWND found;
    } search = {className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM context) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(context);
            if (ClassOf(child) != wanted->name) return TRUE;
            wanted->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// --- Acting -----------------------------------------------------------------------

void Click(HWND button) {
    // The button presses itself: it takes the focus and tells its dialog.
    PostMessageA(button, BM_CLICK, 0, 0);
}

void ClickAt(HWND window, POINT point, WPARAM keys) {
    // No WM_MOUSEMOVE: it would leave hot-tracked items lit in the pictures.
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, keys, at);
}

void DoubleClickAt(HWND window, POINT point) {
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void PressKey(HWND control, UINT vk) {
    if (GetFocus() != control) SetFocus(control);
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(control, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageA(control, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | 0xC0000000);
}

void TypeText(HWND control, const std::string& text) {
    HWND edit = ClassOf(control) == "ComboBox" ? ComboEdit(control) : control;
    if (edit == nullptr) return;
    SetFocus(edit);
    // Select what is there, so that the first character typed replaces it all.
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        PostMessageA(edit, WM_CHAR, VK_BACK, 1);
        return;
    }
    for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void CloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// --- Reading ----------------------------------------------------------------------

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

bool IsEnabled(HWND window) { return window != nullptr && IsWindowEnabled(window) != FALSE; }

int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ListText(HWND list, int item, int subItem) {
    char buffer[512] = {};
    LVITEMA entry = {};
    entry.iSubItem = subItem;
    entry.pszText = buffer;
    entry.cchTextMax = sizeof(buffer);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&entry));
    return buffer;
}

int ListFind(HWND list, const std::string& text, int subItem) {
    int count = ListCount(list);
    for (int item = 0; item < count; ++item)
        if (ListText(list, item, subItem) == text) return item;
    return -1;
}

int ListImage(HWND list, int item) {
    LVITEMA entry = {};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return -1;
    return entry.iImage;
}

std::vector<int> ListSelected(HWND list) {
    std::vector<int> selected;
    int item = -1;
    while ((item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED))) >=
           0)
        selected.push_back(item);
    return selected;
}

POINT ListItemCentre(HWND list, int item) {
    RECT rect = {};
    // The icon is part of the item in every view; a list view's cell is wider than
    // its label, and a click beside the label hits nothing.
    rect.left = LVIR_ICON;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int ComboCount(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); }
int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

HWND ComboEdit(HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

HWND ComboDroppedList(HWND combo) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info) || !SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return nullptr;
    return info.hwndList;
}

POINT ListBoxItemCentre(HWND listBox, int item) {
    RECT rect = {};
    SendMessageA(listBox, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

int ListBoxFind(HWND listBox, const std::string& text) {
    return static_cast<int>(
        SendMessageA(listBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

}  // namespace tour
