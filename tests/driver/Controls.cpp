#include "Controls.h"

namespace tkt {
namespace {

// EnumThreadWindows lists the z-order from the top.
std::vector<HWND> TopLevelWindows(bool visibleOnly) {
    struct Search {
        bool visibleOnly;
        std::vector<HWND> found;
    } search{visibleOnly, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(context);
            if (!wanted->visibleOnly || IsWindowVisible(window)) wanted->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FirstDialog(bool visibleOnly, const char* title) {
    for (HWND window : TopLevelWindows(visibleOnly))
        if (IsDialog(window) && (title == nullptr || Text(window) == title)) return window;
    return nullptr;
}

// The fields `mask` of a list view item; false when there is no such item.
bool GetItem(HWND list, int item, UINT mask, LVITEMA& entry) {
    entry = {};
    entry.mask = mask;
    entry.iItem = item;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)) != FALSE;
}

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace

// --- Windows ---------------------------------------------------------------------

std::vector<HWND> ThreadWindows(bool visibleOnly) { return TopLevelWindows(visibleOnly); }

HWND FindDialog(const char* title) { return FirstDialog(true, title); }

HWND FindThreadDialog(const char* title) { return FirstDialog(false, title); }

HWND FindDialogOwnedBy(HWND owner) {
    for (HWND window : ThreadWindows())
        if (IsDialog(window) && GetWindow(window, GW_OWNER) == owner) return window;
    return nullptr;
}

HWND PopupMenu() {
    for (HWND window : ThreadWindows())
        if (ClassOf(window) == "#32768") return window;
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

bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

std::string Text(HWND window) {
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

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOf(HWND dialog, int id) {
    RECT rect = WindowRect(GetDlgItem(dialog, id));
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsEnabled(HWND window) { return window != nullptr && IsWindowEnabled(window) != FALSE; }
bool IsEnabled(HWND dialog, int id) { return IsEnabled(GetDlgItem(dialog, id)); }
bool IsVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }
bool IsTopmost(HWND window) { return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

HICON ButtonIcon(HWND dialog, int id) {
    return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
}

// --- List views ------------------------------------------------------------------

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string ItemText(HWND list, int item, int subItem) {
    char text[512] = {};
    LVITEMA entry = {};
    entry.iSubItem = subItem;
    entry.pszText = text;
    entry.cchTextMax = sizeof(text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&entry));
    return text;
}

std::vector<std::string> ItemTexts(HWND list) {
    std::vector<std::string> texts;
    for (int i = 0; i < ItemCount(list); ++i) texts.push_back(ItemText(list, i));
    return texts;
}

LPARAM ItemParam(HWND list, int item) {
    LVITEMA entry;
    return GetItem(list, item, LVIF_PARAM, entry) ? entry.lParam : -1;
}

std::vector<int> ItemParams(HWND list) {
    std::vector<int> params;
    for (int i = 0; i < ItemCount(list); ++i) params.push_back(static_cast<int>(ItemParam(list, i)));
    return params;
}

int ItemImage(HWND list, int item) {
    LVITEMA entry;
    return GetItem(list, item, LVIF_IMAGE, entry) ? entry.iImage : -1;
}

int FindItem(HWND list, const std::string& text, int subItem) {
    int count = ItemCount(list);
    for (int item = 0; item < count; ++item)
        if (ItemText(list, item, subItem) == text) return item;
    return -1;
}

int FirstSelectedItem(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> SelectedItems(HWND list) {
    std::vector<int> selected;
    int item = -1;
    while ((item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED))) >=
           0)
        selected.push_back(item);
    return selected;
}

POINT ItemCentre(HWND list, int item, int part) {
    RECT rect = {};
    rect.left = part;
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return Centre(rect);
}

// --- Drop-downs and list boxes ---------------------------------------------------

int ComboCount(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0)); }
int ComboCount(HWND dialog, int id) { return ComboCount(GetDlgItem(dialog, id)); }
int ComboSelection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
int ComboSelection(HWND dialog, int id) { return ComboSelection(GetDlgItem(dialog, id)); }

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
    return Centre(rect);
}

int ListBoxFind(HWND listBox, const std::string& text) {
    return static_cast<int>(
        SendMessageA(listBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

}  // namespace tkt
