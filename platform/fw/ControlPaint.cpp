#include "platform/fw/ControlPaint.h"

namespace controlpaint {

void Bevel(CDC& dc, const CRect& r, bool pressed)
{
    dc.FillSolidRect(r, kFace);
    const COLORREF lightEdge = pressed ? kShadow : kHighlight;
    const COLORREF darkEdge = pressed ? kHighlight : kShadow;
    dc.FillSolidRect(r.left, r.top, r.Width(), 1, lightEdge);
    dc.FillSolidRect(r.left, r.top, 1, r.Height(), lightEdge);
    dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, darkEdge);
    dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), darkEdge);
}

void Button(CDC& dc, const CRect& r, bool pressed, bool isDefault)
{
    dc.FrameRect(r, kInk);
    CRect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (isDefault) {
        dc.FrameRect(inner, kInk);
        inner = {inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
    }
    Bevel(dc, inner, pressed);
}

void Arrow(CDC& dc, const CRect& r, bool up, COLORREF colour)
{
    const CPoint c = r.Center();
    for (int row = 0; row < 4; ++row) {
        const int y = up ? c.y - 2 + row : c.y + 1 - row;
        dc.FillSolidRect(c.x - row, y, 2 * row + 1, 1, colour);
    }
}

}  // namespace controlpaint
