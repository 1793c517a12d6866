#include "platform/fw/CBitmap.h"

#include "platform/res/ResourceTable.h"

bool CBitmap::CreateCompatibleBitmap(CDC* pDC, int cx, int cy)
{
    (void)pDC;  // every context here has the screen's 32-bit format
    if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096)
        return false;
    m_surface = CSurface(cx, cy, 0);
    return true;
}

bool CBitmap::LoadBitmap(UINT nIDResource)
{
    auto s = LoadBitmapResource(nIDResource, nullptr);
    if (!s)
        return false;
    m_surface = std::move(*s);
    return true;
}

bool CBitmap::DeleteObject()
{
    const bool had = !m_surface.IsEmpty();
    m_surface = CSurface();
    return had;
}
