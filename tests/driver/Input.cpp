#include "Input.h"

#include <commctrl.h>

#include "Controls.h"

namespace tkt {

// --- Buttons and commands ---------------------------------------------------------

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void CloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// --- The mouse --------------------------------------------------------------------

void ClickAt(HWND window, POINT point, WPARAM keys) {
    // No WM_MOUSEMOVE: it would leave hot-tracked items lit in the pictures.
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, keys, at);
}

void DoubleClickAt(HWND window, POINT point) {
    ClickAt(window, point);
    LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void PostDoubleClick(HWND window, POINT point) {
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void DoubleClickItem(HWND list, int position) { PostDoubleClick(list, ItemCentre(list, position, LVIR_LABEL)); }

// --- The keyboard -----------------------------------------------------------------

void PressKey(HWND window, UINT vk) {
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != window && !IsChild(window, focus))) {
        bool isDialog = (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0;
        focus = isDialog ? GetNextDlgTabItem(window, nullptr, FALSE) : window;
        if (focus == nullptr) focus = window;
        SetFocus(focus);
    }
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(focus, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(focus, WM_KEYUP, vk, 1 | scan | 0xC0000000);
}

void TypeText(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    SetWindowTextA(control, text);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(control));
}

void TypeKeys(HWND control, const std::string& text) {
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

bool PressRealKeys(const std::string& names) {
    char program[MAX_PATH] = "/usr/bin/xdotool";
    const DWORD named = GetEnvironmentVariableA("TK_XDOTOOL", program, sizeof(program));
    if (named == 0 || named >= sizeof(program)) lstrcpynA(program, "/usr/bin/xdotool", sizeof(program));
    // Unquoted: Wine finds a Unix program by its path only so.
    std::string line = std::string(program) + " key --delay 1 " + names;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // Wine starts a Unix program detached: its handle cannot be waited on, and the
    // keys are known to have arrived only by what they do.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// --- Selections -------------------------------------------------------------------

void SetItemSelected(HWND list, int position, bool selected) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void SelectAll(HWND list, bool selected) { SetItemSelected(list, -1, selected); }

void ChooseInCombo(HWND dialog, int id, int position) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

}  // namespace tkt
