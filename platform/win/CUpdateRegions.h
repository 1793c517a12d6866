#pragma once
// What of each window waits to be painted (in window coordinates), which
// window paints next, and the frames (borders, captions) that the window
// system paints itself.

#include "platform/win/CScreen.h"
#include "platform/win/CWindowTree.h"

#include <cstdint>
#include <map>

class CUpdateRegions {
public:
    using Window = CWindowTree::Window;

    CUpdateRegions(const CWindowTree& tree, CScreen& screen);

    const CRegion& Region(const Window* w) const;
    void Invalidate(const Window* w, const CRect& rect, bool erase);
    void Validate(const Window* w, const CRect& rect);
    void ValidateAll(const Window* w);
    // Hands the region over to a paint and clears it.
    CRegion Take(const Window* w);
    // Whether the next paint erases the background first; taking it clears it.
    bool TakeErase(const Window* w);
    // How often BeginPaint has run for the window, so a window that ignores
    // WM_PAINT can be told from one that painted.
    void CountBeginPaint(const Window* w);
    std::uint32_t BeginPaints(const Window* w) const;
    void Forget(const Window* w);

    // Every window showing in that part of the screen has it to paint again,
    // background and all; what no window covers turns black.
    void InvalidateScreenArea(const CRect& screenRect);
    void InvalidateWhole(const Window* w);
    // The next window to paint, parents before children so a child's paint is
    // never overdrawn. Hidden windows lose what they had waiting.
    Window* FindPaintable();
    // Paints the frame part of the window's update region now and keeps the
    // client part; false when nothing of the client area waits.
    bool PaintNonClient(const Window* w, bool okPressed);

private:
    struct Pending {
        CRegion update;
        bool erase = false;
        std::uint32_t beginPaints = 0;
    };

    Window* FindPaintable(Window* w);
    Pending& At(const Window* w) { return m_pending[w->id]; }
    const Pending* Get(const Window* w) const;

    const CWindowTree& m_tree;
    CScreen& m_screen;
    std::map<std::uint32_t, Pending> m_pending;  // by window id
};
