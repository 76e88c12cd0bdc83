#include "Redraw.h"

namespace tk {

void RedrawSuspension::Take(unsigned hold) {
    if (m_window == nullptr || (m_holds & hold) == hold) return;
    const bool wasDrawing = m_holds == 0;
    m_holds |= hold;
    if (wasDrawing) SendMessageA(m_window, WM_SETREDRAW, FALSE, 0);
}

void RedrawSuspension::Let(unsigned hold) {
    if ((m_holds & hold) == 0) return;
    m_holds &= ~hold;
    if (m_holds != 0 || m_window == nullptr || !IsWindow(m_window)) return;
    SendMessageA(m_window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_window, nullptr, TRUE);
}

}  // namespace tk
