// Owners for the GDI and USER handles the library creates. Each owned handle has
// exactly one owner; raw handles elsewhere are borrowed. Every owner counts its
// live handles per kind, so the tests can show that each dialog gives back all
// it took (Wine has no GetGuiResources).
#ifndef TAVROKESSAUI_HANDLES_H
#define TAVROKESSAUI_HANDLES_H

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "Internal.h"

namespace tk {

enum class HandleKind : int { Bitmap, ImageList, Menu, Brush, Icon, DC, Count };

// Live handles of one kind that the library's owners hold right now.
int LiveHandles(HandleKind kind);
// Live handles of every kind.
int LiveHandlesTotal();
void CountHandle(HandleKind kind, int delta);

struct GdiObjectDeleter {
    void operator()(HGDIOBJ handle) const { DeleteObject(handle); }
};
struct ImageListDeleter {
    void operator()(HIMAGELIST handle) const { ImageList_Destroy(handle); }
};
struct MenuDeleter {
    void operator()(HMENU handle) const { DestroyMenu(handle); }
};
struct IconDeleter {
    void operator()(HICON handle) const { DestroyIcon(handle); }
};
struct MemoryDCDeleter {
    void operator()(HDC handle) const { DeleteDC(handle); }
};

template <typename Handle, HandleKind Kind, typename Deleter>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) { Reset(handle); }
    ~Unique() { Reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            Reset();
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }

    void Reset(Handle handle = nullptr) {
        if (m_handle != nullptr) {
            Deleter()(m_handle);
            CountHandle(Kind, -1);
        }
        m_handle = handle;
        if (m_handle != nullptr) CountHandle(Kind, +1);
    }
    Handle Get() const { return m_handle; }
    // Gives the handle up without deleting it: the next owner counts it.
    Handle Release() {
        Handle handle = m_handle;
        if (m_handle != nullptr) CountHandle(Kind, -1);
        m_handle = nullptr;
        return handle;
    }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    Handle m_handle = nullptr;
};

using UniqueBitmap = Unique<HBITMAP, HandleKind::Bitmap, GdiObjectDeleter>;
using UniqueBrush = Unique<HBRUSH, HandleKind::Brush, GdiObjectDeleter>;
using UniqueImageList = Unique<HIMAGELIST, HandleKind::ImageList, ImageListDeleter>;
using UniqueMenu = Unique<HMENU, HandleKind::Menu, MenuDeleter>;
using UniqueIcon = Unique<HICON, HandleKind::Icon, IconDeleter>;
// A memory device context (CreateCompatibleDC); a window's is a WindowDC.
using UniqueMemoryDC = Unique<HDC, HandleKind::DC, MemoryDCDeleter>;

// A window's device context, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {
        if (m_dc != nullptr) CountHandle(HandleKind::DC, +1);
    }
    ~WindowDC() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
            CountHandle(HandleKind::DC, -1);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// `object` selected into `dc` for the length of a scope; what was there before is
// put back, so the object can be deleted afterwards.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(dc != nullptr && object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectionGuard() {
        if (m_previous != nullptr) SelectObject(m_dc, m_previous);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// An item identifier list the shell allocated, freed through the shell's own
// allocator. When that allocator cannot be had the list is left as it is: it
// cannot be freed any other way.
class ShellItemList {
public:
    ShellItemList() = default;
    ~ShellItemList() { Reset(); }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;

    // Frees the list held and takes `list`.
    void Reset(LPITEMIDLIST list = nullptr);
    // For a call that returns a new list through a pointer: frees the list held.
    LPITEMIDLIST* Receive() {
        Reset();
        return &m_list;
    }
    LPITEMIDLIST Get() const { return m_list; }
    explicit operator bool() const { return m_list != nullptr; }

private:
    LPITEMIDLIST m_list = nullptr;
};

}  // namespace tk

#endif
