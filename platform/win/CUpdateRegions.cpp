#include "platform/win/CUpdateRegions.h"

#include "platform/gfx/Raster.h"
#include "platform/win/NonClient.h"

CUpdateRegions::CUpdateRegions(const CWindowTree& tree, CScreen& screen) : m_tree(tree), m_screen(screen) {}

const CUpdateRegions::Pending* CUpdateRegions::Get(const Window* w) const
{
    auto it = m_pending.find(w->id);
    return it == m_pending.end() ? nullptr : &it->second;
}

const CRegion& CUpdateRegions::Region(const Window* w) const
{
    static const CRegion none;
    const Pending* p = Get(w);
    return p ? p->update : none;
}

void CUpdateRegions::Invalidate(const Window* w, const CRect& rect, bool erase)
{
    Pending& p = At(w);
    p.update.Union(rect);
    p.erase = p.erase || erase;
}

void CUpdateRegions::Validate(const Window* w, const CRect& rect)
{
    if (auto it = m_pending.find(w->id); it != m_pending.end())
        it->second.update.Subtract(rect);
}

void CUpdateRegions::ValidateAll(const Window* w)
{
    if (auto it = m_pending.find(w->id); it != m_pending.end())
        it->second.update.Clear();
}

CRegion CUpdateRegions::Take(const Window* w)
{
    auto it = m_pending.find(w->id);
    if (it == m_pending.end())
        return {};
    CRegion taken = std::move(it->second.update);
    it->second.update.Clear();
    return taken;
}

bool CUpdateRegions::TakeErase(const Window* w)
{
    auto it = m_pending.find(w->id);
    if (it == m_pending.end() || !it->second.erase)
        return false;
    it->second.erase = false;
    return true;
}

void CUpdateRegions::CountBeginPaint(const Window* w) { ++At(w).beginPaints; }

std::uint32_t CUpdateRegions::BeginPaints(const Window* w) const
{
    const Pending* p = Get(w);
    return p ? p->beginPaints : 0;
}

void CUpdateRegions::Forget(const Window* w) { m_pending.erase(w->id); }

void CUpdateRegions::InvalidateScreenArea(const CRect& screenRect)
{
    for (const auto& [id, w] : m_tree.All()) {
        const Window* win = w.get();
        if (win == m_tree.Desktop() || win->destroying)
            continue;
        CRegion part = m_tree.VisibleRegion(win, false);
        part.Intersect(screenRect);
        if (part.IsEmpty())
            continue;
        const CPoint o = m_tree.WindowOrigin(win);
        part.Offset(-o.x, -o.y);
        Pending& p = At(win);
        p.update.Union(part);
        p.erase = true;
    }
    // Nothing covers this part of the screen any more: clear it to black.
    const CRegion bare = m_tree.Uncovered(screenRect);
    if (!bare.IsEmpty()) {
        raster::Fill(m_screen.Surface(), &bare, m_screen.Surface().Bounds(), 0);
        m_screen.Changed(bare);
    }
}

void CUpdateRegions::InvalidateWhole(const Window* w) { InvalidateScreenArea(m_tree.WindowRectScreen(w)); }

CUpdateRegions::Window* CUpdateRegions::FindPaintable() { return FindPaintable(m_tree.Desktop()); }

CUpdateRegions::Window* CUpdateRegions::FindPaintable(Window* w)
{
    if (w != m_tree.Desktop())
        if (auto it = m_pending.find(w->id); it != m_pending.end() && !it->second.update.IsEmpty()) {
            if (m_tree.VisibleChain(w))
                return w;
            it->second.update.Clear();
        }
    for (Window* c : w->children)
        if (Window* found = FindPaintable(c))
            return found;
    return nullptr;
}

bool CUpdateRegions::PaintNonClient(const Window* w, bool okPressed)
{
    auto it = m_pending.find(w->id);
    if (it == m_pending.end())
        return false;
    CRegion& update = it->second.update;
    const CRect whole{0, 0, w->rect.Width(), w->rect.Height()};
    const CRect nc = m_tree.NcInsets(w);
    const CRect client{nc.left, nc.top, whole.right - nc.right, whole.bottom - nc.bottom};
    CRegion ncPart = update;
    ncPart.Subtract(client);
    if (!ncPart.IsEmpty()) {
        update.Intersect(client);
        CRegion clip = m_tree.VisibleRegion(w, false);
        const CPoint o = m_tree.WindowOrigin(w);
        ncPart.Offset(o.x, o.y);
        clip.Intersect(ncPart);
        if (!clip.IsEmpty()) {
            nonclient::Paint(m_screen.Surface(), clip, m_tree.WindowRectScreen(w), w->style, w->exStyle, w->text,
                             okPressed);
            m_screen.Changed(clip.Bounds());
        }
    }
    return !update.IsEmpty();
}
