#include "platform/win/CWindowTree.h"

#include "platform/win/NonClient.h"

#include <algorithm>

CWindowTree::CWindowTree(int screenWidth, int screenHeight)
{
    auto desktop = std::make_unique<Window>();
    desktop->className = "#desktop";
    desktop->style = WS_VISIBLE;
    desktop->rect = {0, 0, screenWidth, screenHeight};
    desktop->id = m_nNextId++;
    m_pDesktop = desktop.get();
    m_windows[m_pDesktop->id] = std::move(desktop);
}

CWindowTree::Window* CWindowTree::Find(HWND hwnd) const
{
    const auto id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd));
    auto it = m_windows.find(id);
    if (it == m_windows.end() || it->second->destroying)
        return nullptr;
    return it->second.get();
}

HWND CWindowTree::Handle(const Window* w)
{
    return w ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w->id)) : nullptr;
}

HWND CWindowTree::Parent(HWND hwnd) const
{
    const Window* w = Find(hwnd);
    if (!w || !w->parent || w->parent == m_pDesktop)
        return nullptr;
    return Handle(w->parent);
}

CWindowTree::Window* CWindowTree::Insert(std::unique_ptr<Window> win, Window* parent)
{
    Window* w = win.get();
    w->id = m_nNextId++;
    w->parent = parent;
    m_windows[w->id] = std::move(win);
    parent->children.push_back(w);
    if (parent == m_pDesktop)
        std::rotate(parent->children.begin(), parent->children.end() - 1, parent->children.end());
    return w;
}

void CWindowTree::Remove(Window* w)
{
    if (w->parent)
        std::erase(w->parent->children, w);
    m_windows.erase(w->id);
}

bool CWindowTree::BringToTop(Window* w)
{
    auto& siblings = w->parent->children;
    if (!siblings.empty() && siblings.front() == w)
        return false;
    // Slides the siblings above it down by one and puts it first.
    const auto at = std::find(siblings.begin(), siblings.end(), w);
    std::rotate(siblings.begin(), at, at + 1);
    return true;
}

CRect CWindowTree::NcInsets(const Window* w) const { return nonclient::Insets(w->style, w->exStyle); }

CPoint CWindowTree::WindowOrigin(const Window* w) const
{
    if (!w->parent)
        return w->rect.TopLeft();
    return ClientOrigin(w->parent) + w->rect.TopLeft();
}

CPoint CWindowTree::ClientOrigin(const Window* w) const
{
    const CRect nc = NcInsets(w);
    return WindowOrigin(w) + CPoint{nc.left, nc.top};
}

CRect CWindowTree::WindowRectScreen(const Window* w) const
{
    const CPoint o = WindowOrigin(w);
    return CRect::FromSize(o.x, o.y, w->rect.Width(), w->rect.Height());
}

CRect CWindowTree::ClientRectScreen(const Window* w) const
{
    const CRect r = WindowRectScreen(w);
    const CRect nc = NcInsets(w);
    CRect c{r.left + nc.left, r.top + nc.top, r.right - nc.right, r.bottom - nc.bottom};
    if (c.right < c.left)
        c.right = c.left;
    if (c.bottom < c.top)
        c.bottom = c.top;
    return c;
}

bool CWindowTree::VisibleChain(const Window* w) const
{
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE) || w->destroying)
            return false;
    return true;
}

bool CWindowTree::EnabledChain(const Window* w) const
{
    for (; w; w = w->parent)
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

CRegion CWindowTree::VisibleRegion(const Window* w, bool clientOnly) const
{
    if (!VisibleChain(w))
        return {};
    CRegion region(clientOnly ? ClientRectScreen(w) : WindowRectScreen(w));
    for (const Window* a = w; a->parent; a = a->parent) {
        region.Intersect(ClientRectScreen(a->parent));
        // Siblings above cover a window; windows never draw over one another.
        for (const Window* s : a->parent->children) {
            if (s == a)
                break;
            if ((s->style & WS_VISIBLE) && !s->destroying)
                region.Subtract(WindowRectScreen(s));
        }
    }
    for (const Window* c : w->children)
        if ((c->style & WS_VISIBLE) && !c->destroying)
            region.Subtract(WindowRectScreen(c));
    return region;
}

CRegion CWindowTree::Uncovered(const CRect& screenRect) const
{
    CRegion bare(screenRect.Intersect(m_pDesktop->rect));
    for (const Window* top : m_pDesktop->children)
        if ((top->style & WS_VISIBLE) && !top->destroying)
            bare.Subtract(WindowRectScreen(top));
    return bare;
}

CWindowTree::Window* CWindowTree::HitTest(CPoint screen) const { return HitTest(m_pDesktop, screen); }

CWindowTree::Window* CWindowTree::HitTest(const Window* parent, CPoint screen) const
{
    for (Window* c : parent->children) {
        if (!(c->style & WS_VISIBLE) || c->destroying || (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (!WindowRectScreen(c).Contains(screen))
            continue;
        if (ClientRectScreen(c).Contains(screen))
            if (Window* deeper = HitTest(c, screen))
                return deeper;
        return c;
    }
    return nullptr;
}
