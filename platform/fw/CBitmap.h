#pragma once
// A bitmap object: a surface that a memory device context can draw into, or
// a bitmap resource.

#include "platform/fw/CObject.h"
#include "platform/gfx/CSurface.h"
#include "platform/win/WinDefs.h"

class CDC;

class CBitmap : public CObject {
public:
    CBitmap() = default;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    bool CreateCompatibleBitmap(CDC* pDC, int cx, int cy);
    bool LoadBitmap(UINT nIDResource);
    bool DeleteObject();
    bool IsNull() const { return m_surface.IsEmpty(); }
    CSize GetSize() const { return {m_surface.Width(), m_surface.Height()}; }

    CSurface& Surface() { return m_surface; }
    const CSurface& Surface() const { return m_surface; }

private:
    CSurface m_surface;
};
