#include "platform/gfx/CRegion.h"

namespace {

// Appends the parts of a that lie outside b (at most four rectangles).
void AppendDifference(const CRect& a, const CRect& b, std::vector<CRect>& out)
{
    const CRect i = a.Intersect(b);
    if (i.IsEmpty()) {
        out.push_back(a);
        return;
    }
    if (a.top < i.top)
        out.push_back({a.left, a.top, a.right, i.top});
    if (i.bottom < a.bottom)
        out.push_back({a.left, i.bottom, a.right, a.bottom});
    if (a.left < i.left)
        out.push_back({a.left, i.top, i.left, i.bottom});
    if (i.right < a.right)
        out.push_back({i.right, i.top, a.right, i.bottom});
}

}  // namespace

CRect CRegion::Bounds() const
{
    if (m_aRects.empty())
        return {};
    CRect b = m_aRects.front();
    for (const CRect& r : m_aRects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool CRegion::Contains(CPoint p) const
{
    for (const CRect& r : m_aRects)
        if (r.Contains(p))
            return true;
    return false;
}

bool CRegion::Intersects(const CRect& rect) const
{
    for (const CRect& r : m_aRects)
        if (r.Intersects(rect))
            return true;
    return false;
}

void CRegion::Union(const CRect& r)
{
    if (r.IsEmpty())
        return;
    // Keep the rectangles disjoint: add only what no rectangle covers yet.
    std::vector<CRect> pieces{r};
    for (const CRect& existing : m_aRects) {
        std::vector<CRect> next;
        for (const CRect& p : pieces)
            AppendDifference(p, existing, next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    m_aRects.insert(m_aRects.end(), pieces.begin(), pieces.end());
}

void CRegion::Union(const CRegion& other)
{
    for (const CRect& r : other.m_aRects)
        Union(r);
}

void CRegion::Subtract(const CRect& r)
{
    if (r.IsEmpty())
        return;
    std::vector<CRect> next;
    for (const CRect& existing : m_aRects)
        AppendDifference(existing, r, next);
    m_aRects.swap(next);
}

void CRegion::Subtract(const CRegion& other)
{
    // Subtracting rewrites the list, which may be the one being read.
    if (&other == this) {
        Clear();
        return;
    }
    for (const CRect& r : other.m_aRects)
        Subtract(r);
}

void CRegion::Intersect(const CRect& r)
{
    std::vector<CRect> next;
    for (const CRect& existing : m_aRects) {
        const CRect i = existing.Intersect(r);
        if (!i.IsEmpty())
            next.push_back(i);
    }
    m_aRects.swap(next);
}

void CRegion::Intersect(const CRegion& other)
{
    std::vector<CRect> next;
    for (const CRect& a : m_aRects)
        for (const CRect& b : other.m_aRects) {
            const CRect i = a.Intersect(b);
            if (!i.IsEmpty())
                next.push_back(i);
        }
    m_aRects.swap(next);
}

void CRegion::Offset(int dx, int dy)
{
    for (CRect& r : m_aRects)
        r = r.Offset(dx, dy);
}
