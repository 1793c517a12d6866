#pragma once
// The windows themselves: their records, the handles that name them, the
// tree under the desktop with its z-order, and everything that follows from
// geometry alone (origins, client areas, visible parts, hit testing).

#include "platform/gfx/CRegion.h"
#include "platform/win/WinDefs.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CWindowTree {
public:
    struct Window {
        std::uint32_t id = 0;
        std::string className;
        WNDCLASS wc;
        DWORD style = 0;
        DWORD exStyle = 0;
        CRect rect;  // in the parent's client coordinates
        Window* parent = nullptr;
        HWND owner = nullptr;
        std::vector<Window*> children;  // topmost first
        std::string text;
        UINT ctrlId = 0;
        void* userData = nullptr;
        bool destroyStarted = false;  // WM_DESTROY is on its way: a second DestroyWindow does nothing
        bool destroying = false;
    };

    // The desktop covers a screen this size.
    CWindowTree(int screenWidth, int screenHeight);

    // A window on its way out finds nothing, like a stale handle.
    Window* Find(HWND hwnd) const;
    static HWND Handle(const Window* w);
    Window* Desktop() const { return m_pDesktop; }
    // Null for top-level windows, as for the desktop and stale handles.
    HWND Parent(HWND hwnd) const;
    const std::map<std::uint32_t, std::unique_ptr<Window>>& All() const { return m_windows; }

    // A new top-level window comes to the top; a new child goes below its
    // siblings, so a dialog's first control lies over the later ones.
    Window* Insert(std::unique_ptr<Window> w, Window* parent);
    // Takes the window out of its parent's list and forgets it.
    void Remove(Window* w);
    // False when it was on top of its siblings already.
    bool BringToTop(Window* w);

    CRect NcInsets(const Window* w) const;
    CPoint WindowOrigin(const Window* w) const;  // screen
    CPoint ClientOrigin(const Window* w) const;  // screen
    CRect WindowRectScreen(const Window* w) const;
    CRect ClientRectScreen(const Window* w) const;
    bool VisibleChain(const Window* w) const;
    bool EnabledChain(const Window* w) const;
    // What of the window (or only its client area) shows on the screen.
    CRegion VisibleRegion(const Window* w, bool clientOnly) const;
    // What the shown top-level windows leave of the screen rectangle.
    CRegion Uncovered(const CRect& screenRect) const;
    // The deepest shown window under the point that takes input; transparent
    // windows let it through.
    Window* HitTest(CPoint screen) const;

private:
    Window* HitTest(const Window* parent, CPoint screen) const;

    std::map<std::uint32_t, std::unique_ptr<Window>> m_windows;
    Window* m_pDesktop = nullptr;
    std::uint32_t m_nNextId = 1;
};
