#pragma once
// The screen every window draws into, and the part of it that changed since
// the host last showed it.

#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"

class CBackend;

class CScreen {
public:
    // All of a new screen is still to be shown.
    CScreen(int width, int height);

    CSurface& Surface() { return m_surface; }
    const CSurface& Surface() const { return m_surface; }
    // Marks part of the screen as drawn, so the next flush presents it.
    void Changed(const CRect& rect);
    void Changed(const CRegion& region);
    // Shows what changed through the host, if anything did.
    void Flush(CBackend& host);

private:
    CSurface m_surface;
    CRegion m_changed;
};
