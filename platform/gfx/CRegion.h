#pragma once
// A set of pixels kept as non-overlapping rectangles: update regions and the
// visible parts of windows. Few rectangles ever take part, so plain lists do.

#include "platform/gfx/Geometry.h"

#include <vector>

class CRegion {
public:
    CRegion() = default;
    explicit CRegion(const CRect& r) { Union(r); }

    bool IsEmpty() const { return m_aRects.empty(); }
    const std::vector<CRect>& Rects() const { return m_aRects; }
    CRect Bounds() const;
    bool Contains(CPoint p) const;
    bool Intersects(const CRect& r) const;

    void Clear() { m_aRects.clear(); }
    void Union(const CRect& r);
    void Union(const CRegion& other);
    void Subtract(const CRect& r);
    void Subtract(const CRegion& other);
    void Intersect(const CRect& r);
    void Intersect(const CRegion& other);
    void Offset(int dx, int dy);

private:
    std::vector<CRect> m_aRects;
};
