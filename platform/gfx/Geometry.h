#pragma once
// Points, sizes and rectangles in pixels. Rectangles are half-open: right and
// bottom are exclusive, as the window system has them.

#include <algorithm>

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
    constexpr CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
};

struct CSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    static constexpr CRect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr CRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr CRect Offset(CPoint d) const { return Offset(d.x, d.y); }
    constexpr CRect Intersect(const CRect& o) const
    {
        CRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.IsEmpty() ? CRect{} : r;
    }
    constexpr bool Intersects(const CRect& o) const { return !Intersect(o).IsEmpty(); }
    friend constexpr bool operator==(const CRect&, const CRect&) = default;
};
