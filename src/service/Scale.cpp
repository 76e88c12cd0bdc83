#include "Scale.h"

#include "Handles.h"

namespace tk {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);

// Windows 10 and later only: looked up rather than imported, so that the DLL still
// loads where it is missing.
DpiForWindow FindDpiForWindow() {
    HMODULE user = GetModuleHandleA("user32.dll");
    if (user == nullptr) return nullptr;
    return reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")));
}

}  // namespace

int WindowDpi(HWND window) {
    static const DpiForWindow dpiForWindow = FindDpiForWindow();
    if (dpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    WindowDC dc(window);
    const int dpi = dc.Get() != nullptr ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

int PictureFactor(int dpi) { return dpi >= 2 * kBaseDpi ? dpi / kBaseDpi : 1; }

int LargestFitting(const int* sizes, size_t count, int room) {
    if (count == 0) return 0;
    int chosen = sizes[0];
    for (size_t i = 0; i < count; ++i)
        if (sizes[i] <= room) chosen = sizes[i];
    return chosen;
}

HBITMAP EnlargeBitmap(HBITMAP source, int factor) {
    BITMAP facts = {};
    if (source == nullptr || factor < 1 || GetObjectA(source, sizeof(facts), &facts) == 0) return nullptr;
    const int width = facts.bmWidth * factor;
    const int height = facts.bmHeight * factor;
    WindowDC screen(nullptr);
    UniqueMemoryDC from(CreateCompatibleDC(screen.Get()));
    UniqueMemoryDC to(CreateCompatibleDC(screen.Get()));
    if (from.Get() == nullptr || to.Get() == nullptr) return nullptr;
    // A mask stays a mask: image lists read its bits as they are.
    UniqueBitmap target(facts.bmBitsPixel == 1 ? CreateBitmap(width, height, 1, 1, nullptr)
                                               : CreateCompatibleBitmap(screen.Get(), width, height));
    if (!target) return nullptr;
    bool drawn;
    {
        SelectionGuard readFrom(from.Get(), source);
        SelectionGuard drawInto(to.Get(), target.Get());
        // Whole pixels, never blended: the art stays crisp.
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        drawn = StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, facts.bmWidth, facts.bmHeight, SRCCOPY) !=
                FALSE;
    }
    if (!drawn) return nullptr;
    return target.Release();
}

}  // namespace tk
