#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// The parts of srcRect that exist in src, placed at dstAt and clipped:
// fn(part, dx, dy), where part is in dst and source pixels lie at -dx, -dy.
template <typename Fn>
void ForEachCopyPart(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect,
                     Fn&& fn)
{
    // Only the part of srcRect that exists in src can be copied.
    const CRect from = srcRect.Intersect(src.Bounds());
    if (from.IsEmpty())
        return;
    const int dx = dstAt.x - srcRect.left;
    const int dy = dstAt.y - srcRect.top;
    ForEachClipped(dst, clip, from.Offset(dx, dy), [&](const CRect& part) { fn(part, dx, dy); });
}

// Pixels in blocks: a branch per pixel costs more than blending whole
// blocks, and card images are mostly opaque rows 24 pixels wide. The
// compiler splits a wide block into what the machine has; on x86-64 the
// blending loop is also built for AVX2 and picked at run time.
using Lanes4 = std::int32_t __attribute__((vector_size(16)));
using Lanes8 = std::int32_t __attribute__((vector_size(32)));

// Blends the block at s into the block at d, or into a copy of it.
template <typename Lanes>
inline void BlendLanes(Lanes& to, const Pixel* d, const Pixel* s, std::int32_t mask)
{
    Lanes from;
    std::memcpy(&from, s, sizeof from);
    std::memcpy(&to, d, sizeof to);
    to = from == mask ? to : from;
}

// Picking the clone at load time takes ifunc, which Windows' program format lacks.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
#define CORVANE_ROW_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CORVANE_ROW_CLONES
#endif

CORVANE_ROW_CLONES void CopyRowsMasked(Pixel* d, std::ptrdiff_t dStride, const Pixel* s, std::ptrdiff_t sStride,
                                       int n, int rows, Pixel mask)
{
    const auto m = static_cast<std::int32_t>(mask);
    // Every width from 4 up is whole blocks, the last one overlapping the
    // block before it: blending a pixel twice gives what blending it once
    // gave. The last block is read before anything is stored, so that no
    // read waits for a store it half overlaps.
    for (; rows > 0; --rows, d += dStride, s += sStride) {
        if (n >= 8) {
            Lanes8 last;
            BlendLanes(last, d + n - 8, s + n - 8, m);
            for (int x = 0; x + 8 < n; x += 8) {
                Lanes8 block;
                BlendLanes(block, d + x, s + x, m);
                std::memcpy(d + x, &block, sizeof block);
            }
            std::memcpy(d + n - 8, &last, sizeof last);
        } else if (n >= 4) {
            Lanes4 first;
            Lanes4 last;
            BlendLanes(first, d, s, m);
            BlendLanes(last, d + n - 4, s + n - 4, m);
            std::memcpy(d, &first, sizeof first);
            std::memcpy(d + n - 4, &last, sizeof last);
        } else {
            for (int x = 0; x < n; ++x)
                if (s[x] != mask)
                    d[x] = s[x];
        }
    }
}

}  // namespace

void Copy(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect)
{
    // Over itself, the source is read as it was before the copy began.
    if (&dst == &src) {
        const CSurface before = src;
        Copy(dst, clip, dstAt, before, srcRect);
        return;
    }
    ForEachCopyPart(dst, clip, dstAt, src, srcRect, [&](const CRect& part, int dx, int dy) {
        const auto n = static_cast<std::size_t>(part.right - part.left);
        for (int y = part.top; y < part.bottom; ++y)
            std::memcpy(dst.Row(y) + part.left, src.Row(y - dy) + (part.left - dx), n * sizeof(Pixel));
    });
}

void CopyMasked(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect,
                Pixel mask)
{
    if (&dst == &src) {
        const CSurface before = src;
        CopyMasked(dst, clip, dstAt, before, srcRect, mask);
        return;
    }
    ForEachCopyPart(dst, clip, dstAt, src, srcRect, [&](const CRect& part, int dx, int dy) {
        CopyRowsMasked(dst.Row(part.top) + part.left, dst.Width(), src.Row(part.top - dy) + (part.left - dx),
                       src.Width(), part.right - part.left, part.bottom - part.top, mask);
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

CRect Changed(const CSurface& a, const CSurface& b, const CRect& r)
{
    const CRect area = r.Intersect(a.Bounds()).Intersect(b.Bounds());
    if (area.IsEmpty())
        return {};
    const auto n = static_cast<std::size_t>(area.right - area.left);
    const auto differs = [&](int y) {
        return std::memcmp(a.Row(y) + area.left, b.Row(y) + area.left, n * sizeof(Pixel)) != 0;
    };
    int top = area.top;
    while (top < area.bottom && !differs(top))
        ++top;
    if (top == area.bottom)
        return {};
    int bottom = area.bottom;
    while (!differs(bottom - 1))
        --bottom;
    int left = area.right;
    int right = area.left;
    for (int y = top; y < bottom; ++y) {
        const Pixel* pa = a.Row(y);
        const Pixel* pb = b.Row(y);
        for (int x = area.left; x < left; ++x)
            if (pa[x] != pb[x]) {
                left = x;
                break;
            }
        for (int x = area.right - 1; x >= right; --x)
            if (pa[x] != pb[x]) {
                right = x + 1;
                break;
            }
    }
    return {left, top, right, bottom};
}

void Scale(const CSurface& src, const CRect& r, int factor, Pixel* out, std::ptrdiff_t pitch)
{
    const CRect from = r.Intersect(src.Bounds());
    if (from.IsEmpty() || factor < 1)
        return;
    const auto width = static_cast<std::size_t>(from.right - from.left) * static_cast<std::size_t>(factor);
    for (int y = from.top; y < from.bottom; ++y) {
        Pixel* first = out + static_cast<std::ptrdiff_t>(y - r.top) * factor * pitch +
                       static_cast<std::ptrdiff_t>(from.left - r.left) * factor;
        const Pixel* row = src.Row(y);
        Pixel* at = first;
        for (int x = from.left; x < from.right; ++x)
            at = std::fill_n(at, factor, row[x]);
        // The other rows of the block are copies of the first.
        for (int i = 1; i < factor; ++i)
            std::memcpy(first + i * pitch, first, width * sizeof(Pixel));
    }
}

}  // namespace raster
