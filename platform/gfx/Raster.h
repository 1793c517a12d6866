#pragma once
// Pixel operations on surfaces, clipped to the surface and, when given, to a
// region in the surface's coordinates. Everything that draws goes through here.

#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"

namespace raster {

void Fill(CSurface& dst, const CRegion* clip, const CRect& r, Pixel colour);
void Invert(CSurface& dst, const CRegion* clip, const CRect& r);
// Copies srcRect of src to dst at dstAt. src may be dst itself.
void Copy(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect);
// As Copy, but pixels of the mask colour leave the destination unchanged.
void CopyMasked(CSurface& dst, const CRegion* clip, CPoint dstAt, const CSurface& src, const CRect& srcRect,
                Pixel mask);
// Draws a 1-pixel frame inside r.
void Frame(CSurface& dst, const CRegion* clip, const CRect& r, Pixel colour);

// The smallest rectangle inside r (clipped to both surfaces) where a and b
// differ; empty when they are the same there.
CRect Changed(const CSurface& a, const CSurface& b, const CRect& r);
// Writes r of src enlarged by a whole factor, each pixel a factor x factor
// block, into 32-bit rows: out points at the block of r's top left pixel,
// rows are pitch pixels apart. Pixels lying off src are skipped.
void Scale(const CSurface& src, const CRect& r, int factor, Pixel* out, std::ptrdiff_t pitch);

}  // namespace raster
