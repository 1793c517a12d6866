#include "platform/win/CDoubleClick.h"

#include <cstdlib>

bool CDoubleClick::Press(HWND hwnd, UINT classStyle, CPoint screen, std::uint32_t time)
{
    const bool near = std::abs(screen.x - m_lastPt.x) <= DOUBLE_CLICK_DISTANCE &&
                      std::abs(screen.y - m_lastPt.y) <= DOUBLE_CLICK_DISTANCE;
    // Unsigned, so the clock may wrap between the two presses.
    if ((classStyle & CS_DBLCLKS) && m_bValid && m_hLast == hwnd && near && time - m_nLastTime <= DOUBLE_CLICK_TIME) {
        m_bValid = false;
        return true;
    }
    m_bValid = true;
    m_hLast = hwnd;
    m_nLastTime = time;
    m_lastPt = screen;
    return false;
}

void CDoubleClick::Forget(HWND hwnd)
{
    if (m_hLast == hwnd)
        m_bValid = false;
}
