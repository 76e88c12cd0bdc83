#include "DialogHelpers.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "ActivationContext.h"
#include "FixedText.h"
#include "Handles.h"
#include "tavrokessaui.h"

namespace tk {
namespace {
// One buffer per thread: a host with two user-interface threads would otherwise
// show one dialog's texts in the other.
thread_local char g_resourceText[kResourceTextSize];
}

const char* LoadResourceText(UINT id) {
    HINSTANCE module = ModuleHandle();
    if (module == nullptr) return nullptr;
    int length = LoadStringA(module, id, g_resourceText, kResourceTextSize);
    if (length == 0) return nullptr;
    // An entry cut to the buffer ends on a whole character.
    if (length >= kResourceTextSize - 1) EndOnWholeCharacter(g_resourceText, kResourceTextSize);
    return g_resourceText;
}

bool GetWindowTextString(HWND window, std::string& destination) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return false;
    std::vector<char> buffer;
    try {
        buffer.resize(static_cast<size_t>(length) + 1);
    } catch (const std::bad_alloc&) {
        return false;
    }
    int copied = GetWindowTextA(window, buffer.data(), length + 1);
    // The text may have shrunk between the two calls; take what was copied.
    destination.assign(buffer.data(), static_cast<size_t>(std::max(copied, 0)));
    return true;
}

std::string WindowText(HWND window) {
    std::string text;
    GetWindowTextString(window, text);
    return text;
}

POINT CenteredOrigin(const RECT& reference, int width, int height, int screenWidth, int screenHeight) {
    // Integer division truncates toward zero, also for a reference smaller than
    // the window.
    int x = reference.left + ((reference.right - reference.left) - width) / 2;
    if (x < 0)
        x = 0;
    else if (x + width > screenWidth)
        x = screenWidth - width;
    int y = reference.top + ((reference.bottom - reference.top) - height) / 2;
    if (y < 0)
        y = 0;
    else if (y + height > screenHeight)
        y = screenHeight - height;
    return POINT{x, y};
}

SIZE DisplaySize(HDC dc) {
    SIZE size = {0, 0};
    if (dc != nullptr) size = SIZE{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    if (size.cx <= 0 || size.cy <= 0) size = SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return size;
}

void CenterWindowOnParent(HWND window, HWND reference) {
    SIZE screen;
    {
        WindowDC dc(window);
        screen = DisplaySize(dc.Get());
    }
    const int screenWidth = screen.cx;
    const int screenHeight = screen.cy;
    RECT area = {0, 0, screenWidth, screenHeight};
    if (reference != nullptr) GetWindowRect(reference, &area);
    RECT own = {};
    GetWindowRect(window, &own);
    POINT origin = CenteredOrigin(area, own.right - own.left, own.bottom - own.top, screenWidth, screenHeight);
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int GetComboDropHeight(HWND combo) {
    int screen = GetSystemMetrics(SM_CYSCREEN);
    long long count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    long long itemHeight = SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
    long long fieldHeight = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    // Room for one more item than the list holds; 64-bit so that a huge list
    // cannot overflow before the clamp.
    long long height = (count + 1) * itemHeight + fieldHeight;
    return static_cast<int>(std::min<long long>(height, screen));
}

void AddComboItem(HWND combo, const char* text, bool select) {
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (select && index != CB_ERR && index != CB_ERRSPACE) SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    FitComboDropHeight(combo);
}

void FitComboDropHeight(HWND combo, int narrower) {
    // The combo box's window height sets the length of its dropped list.
    RECT client = {};
    GetClientRect(combo, &client);
    SetWindowPos(combo, nullptr, 0, 0, client.right - client.left - narrower, GetComboDropHeight(combo),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void AttachTooltip(HWND control, const char* text) {
    HWND tooltip;
    {
        ActivationScope scope;
        tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                                  ModuleHandle(), nullptr);
    }
    if (tooltip == nullptr) return;
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;  // up to lParam, without the reserved pointer
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = control;
    info.uId = 0;
    GetClientRect(control, &info.rect);
    info.hinst = ModuleHandle();
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool HostWantsTopmost(ITavroKessaUIHost* host) {
    return host != nullptr && (host->GetDisplayFlags() & TAVROKESSA_DISPLAY_TOPMOST) != 0;
}

void ApplyStartAppearance(HWND dialog, ITavroKessaUIHost* host) {
    HWND parent = GetParent(dialog);
    LONG_PTR icon = parent != nullptr ? static_cast<LONG_PTR>(GetClassLongPtrA(parent, GCLP_HICONSM)) : 0;
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, icon);
    if (HostWantsTopmost(host)) SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tk
