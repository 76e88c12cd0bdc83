// Owners for the handles the demo makes: each is given back exactly once, when
// its owner goes, and can be moved but not copied. A raw handle is borrowed.
#ifndef TAVROKESSA_DEMO_HANDLES_H
#define TAVROKESSA_DEMO_HANDLES_H

#include <windows.h>

#include <memory>
#include <type_traits>

namespace demo {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// Selects an object into a DC for the length of a scope and puts back what was there.
class SelectionScope {
public:
    SelectionScope(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectionScope() {
        if (m_previous != nullptr) SelectObject(m_dc, m_previous);
    }
    SelectionScope(const SelectionScope&) = delete;
    SelectionScope& operator=(const SelectionScope&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace demo

#endif
