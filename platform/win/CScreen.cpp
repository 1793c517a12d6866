#include "platform/win/CScreen.h"

#include "platform/backend/CBackend.h"

CScreen::CScreen(int width, int height) : m_surface(width, height, 0), m_changed(m_surface.Bounds()) {}

void CScreen::Changed(const CRect& rect) { m_changed.Union(rect.Intersect(m_surface.Bounds())); }

void CScreen::Changed(const CRegion& region) { m_changed.Union(region); }

void CScreen::Flush(CBackend& host)
{
    if (m_changed.IsEmpty())
        return;
    host.Present(m_surface, m_changed);
    m_changed.Clear();
}
