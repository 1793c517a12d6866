#include "platform/gfx/Raster.h"

#include <algorithm>

namespace raster {
namespace {

// Calls fn(rect) for each part of r that lies on the surface and in the clip.
template <typename Fn>
void ForEachClipped(const CSurface& dst, const CRegion* clip, const CRect& r, Fn&& fn)
{
    const CRect onSurface = r.Intersect(dst.Bounds());
    if (onSurface.IsEmpty())
        return;
    if (!clip) {
        fn(onSurface);
        return;
    }
    for (const CRect& c : clip->Rects()) {
        const CRect part = onSurface.Intersect(c);
        if (!part.IsEmpty())
            fn(part);
    }
}

}  // namespace

void Fill(CSurface& dst, const CRegion* clip, const CRect& r, Pixel colour)
{
    ForEachClipped(dst, clip, r, [&](const CRect& part) {
        for (int y = part.top; y < part.bottom; ++y)
            std::fill(dst.Row(y) + part.left, dst.Row(y) + part.right, colour);
    });
}

void Invert(CSurface& dst, const CRegion* clip, const CRect& r)
{
    ForEachClipped(dst, clip, r, [&](const CRect& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            Pixel* row = dst.Row(y);
            for (int x = part.left; x < part.right; ++x)
                row[x] = ~row[x] & 0x00FFFFFFu;
        }
    });
}

namespace {

template <typename PixelFn>
void CopyWith(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect,
              PixelFn&& put)
{
    // Only the part of srcRect that exists in src can be copied.
    const CRect from = srcRect.Intersect(src.Bounds());
    if (from.IsEmpty())
        return;
    const int dx = dstAt.x - srcRect.left;
    const int dy = dstAt.y - srcRect.top;
    const bool same = &dst == &src;
    CSurface copy;
    const CSurface* source = &src;
    if (same) {
        copy = src;
        source = &copy;
    }
    ForEachClipped(dst, clip, from.Offset(dx, dy), [&](const CRect& part) {
        for (int y = part.top; y < part.bottom; ++y) {
            const Pixel* s = source->Row(y - dy);
            Pixel* d = dst.Row(y);
            for (int x = part.left; x < part.right; ++x)
                put(d[x], s[x - dx]);
        }
    });
}

}  // namespace

void Copy(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect)
{
    CopyWith(dst, clip, dstAt, src, srcRect, [](Pixel& d, Pixel s) { d = s; });
}

void CopyMasked(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect,
                Pixel mask)
{
    CopyWith(dst, clip, dstAt, src, srcRect, [mask](Pixel& d, Pixel s) {
        if (s != mask)
            d = s;
    });
}

void Frame(CSurface& dst, const CRegion* clip, const CRect& r, Pixel colour)
{
    if (r.IsEmpty())
        return;
    Fill(dst, clip, {r.left, r.top, r.right, r.top + 1}, colour);
    Fill(dst, clip, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
    Fill(dst, clip, {r.left, r.top, r.left + 1, r.bottom}, colour);
    Fill(dst, clip, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

}  // namespace raster
