#include "platform/backend/CViewport.h"

#include <algorithm>

CViewport::CViewport(int nScreenWidth, int nScreenHeight)
    : m_nScreenWidth(nScreenWidth), m_nScreenHeight(nScreenHeight), m_nWindowWidth(nScreenWidth),
      m_nWindowHeight(nScreenHeight)
{
}

int CViewport::FitFactor(int nDesktopWidth, int nDesktopHeight, CSize frame) const
{
    const int across = (nDesktopWidth - frame.cx) / m_nScreenWidth;
    const int down = (nDesktopHeight - frame.cy) / m_nScreenHeight;
    return std::max(1, std::min(across, down));
}

void CViewport::SetWindowSize(int nWidth, int nHeight)
{
    m_nWindowWidth = std::max(0, nWidth);
    m_nWindowHeight = std::max(0, nHeight);
    m_nFactor = std::max(1, std::min(m_nWindowWidth / m_nScreenWidth, m_nWindowHeight / m_nScreenHeight));
    // A window too small for the screen shows its top left part, where the
    // menus are, rather than cutting both edges.
    m_origin = {std::max(0, (m_nWindowWidth - m_nScreenWidth * m_nFactor) / 2),
                std::max(0, (m_nWindowHeight - m_nScreenHeight * m_nFactor) / 2)};
}

CRect CViewport::ScreenArea() const
{
    return CRect::FromSize(m_origin.x, m_origin.y, m_nScreenWidth * m_nFactor, m_nScreenHeight * m_nFactor);
}

CRect CViewport::ToWindow(const CRect& screenRect) const
{
    return {m_origin.x + screenRect.left * m_nFactor, m_origin.y + screenRect.top * m_nFactor,
            m_origin.x + screenRect.right * m_nFactor, m_origin.y + screenRect.bottom * m_nFactor};
}

std::optional<CPoint> CViewport::ToScreen(CPoint window) const
{
    const CRect area = ScreenArea();
    if (!area.Contains(window) || window.x >= m_nWindowWidth || window.y >= m_nWindowHeight)
        return std::nullopt;
    return CPoint{(window.x - area.left) / m_nFactor, (window.y - area.top) / m_nFactor};
}

CPoint CViewport::ToScreenClamped(CPoint window) const
{
    const CRect area = ScreenArea();
    const int x = std::clamp(window.x, area.left, area.right - 1);
    const int y = std::clamp(window.y, area.top, area.bottom - 1);
    return {(x - area.left) / m_nFactor, (y - area.top) / m_nFactor};
}
