#include "platform/fw/CDC.h"

#include "platform/fw/CWnd.h"
#include "platform/gfx/Raster.h"

CDC::CDC() = default;

CDC::~CDC() { DeleteDC(); }

bool CDC::CreateCompatibleDC(CDC* pDC)
{
    (void)pDC;
    DeleteDC();
    m_stockBitmap.CreateCompatibleBitmap(this, 1, 1);
    m_bMemory = true;
    m_pSelected = &m_stockBitmap;
    m_pSurface = &m_stockBitmap.Surface();
    m_origin = {};
    m_bClipped = false;
    return true;
}

bool CDC::DeleteDC()
{
    const bool had = m_pSurface != nullptr;
    m_pSurface = nullptr;
    m_pSelected = nullptr;
    m_bMemory = false;
    m_bScreen = false;
    return had;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (!m_bMemory || !pBitmap)
        return nullptr;
    CBitmap* old = m_pSelected;
    m_pSelected = pBitmap;
    m_pSurface = &pBitmap->Surface();
    return old;
}

void CDC::AttachTarget(const DrawTarget& target)
{
    m_pSurface = target.surface;
    m_origin = target.origin;
    m_clip = target.clip;
    m_bClipped = true;
    m_bScreen = true;
}

void CDC::Drawn(const CRect& logical)
{
    if (m_bScreen)
        WsScreenDrawn(logical.Offset(m_origin));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF colour)
{
    if (!m_pSurface)
        return;
    const CRect r = CRect::FromSize(x, y, cx, cy);
    raster::Fill(*m_pSurface, Clip(), r.Offset(m_origin), PixelFromColorRef(colour));
    Drawn(r);
}

bool CDC::BitBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop)
{
    if (!m_pSurface || !pSrcDC || !pSrcDC->m_pSurface || rop != SRCCOPY)
        return false;
    const CRect src = CRect::FromSize(xSrc, ySrc, cx, cy).Offset(pSrcDC->m_origin);
    raster::Copy(*m_pSurface, Clip(), CPoint{x, y} + m_origin, *pSrcDC->m_pSurface, src);
    Drawn(CRect::FromSize(x, y, cx, cy));
    return true;
}

bool CDC::PatBlt(int x, int y, int cx, int cy, DWORD rop)
{
    if (!m_pSurface || rop != DSTINVERT)
        return false;
    const CRect r = CRect::FromSize(x, y, cx, cy);
    raster::Invert(*m_pSurface, Clip(), r.Offset(m_origin));
    Drawn(r);
    return true;
}

void CDC::FrameRect(const CRect& r, COLORREF colour)
{
    if (!m_pSurface)
        return;
    raster::Frame(*m_pSurface, Clip(), r.Offset(m_origin), PixelFromColorRef(colour));
    Drawn(r);
}

void CDC::DrawMasked(CPoint at, const CSurface& src, const CRect& srcRect, COLORREF mask)
{
    if (!m_pSurface)
        return;
    raster::CopyMasked(*m_pSurface, Clip(), at + m_origin, src, srcRect, PixelFromColorRef(mask));
    Drawn(CRect::FromSize(at.x, at.y, srcRect.Width(), srcRect.Height()));
}

void CDC::DrawSurface(CPoint at, const CSurface& src, const CRect& srcRect)
{
    if (!m_pSurface)
        return;
    raster::Copy(*m_pSurface, Clip(), at + m_origin, src, srcRect);
    Drawn(CRect::FromSize(at.x, at.y, srcRect.Width(), srcRect.Height()));
}

void CDC::DrawIcon(CPoint at, const IconImage& icon)
{
    if (!m_pSurface)
        return;
    // The mask is white where the icon is transparent: copy the colour
    // pixels through a copy of the image with those pixels keyed out.
    constexpr Pixel key = 0xFF000000u;  // never a real pixel
    CSurface keyed = icon.color;
    for (int y = 0; y < keyed.Height(); ++y)
        for (int x = 0; x < keyed.Width(); ++x)
            if (!icon.IsOpaque(x, y))
                keyed.Set(x, y, key);
    raster::CopyMasked(*m_pSurface, Clip(), at + m_origin, keyed, keyed.Bounds(), key);
    Drawn(CRect::FromSize(at.x, at.y, keyed.Width(), keyed.Height()));
}

COLORREF CDC::SetTextColor(COLORREF colour)
{
    const COLORREF old = m_textColour;
    m_textColour = colour;
    return old;
}

TextFace CDC::SelectFace(TextFace face)
{
    const TextFace old = m_face;
    m_face = face;
    return old;
}

void CDC::TextOut(int x, int y, std::string_view text)
{
    if (!m_pSurface)
        return;
    DrawTextAt(*m_pSurface, Clip(), CPoint{x, y} + m_origin, text, m_face, PixelFromColorRef(m_textColour));
    Drawn(CRect::FromSize(x, y, TextWidth(m_face, text), TextLineHeight(m_face)));
}

int CDC::DrawText(std::string_view text, const CRect& r, UINT format)
{
    if (!m_pSurface)
        return 0;
    const int lineHeight = TextLineHeight(m_face);
    std::vector<std::string> lines;
    if (format & DT_SINGLELINE)
        lines.emplace_back(text);
    else
        lines = WrapTextLines(text, m_face, r.Width());
    const int height = lineHeight * static_cast<int>(lines.size());
    int y = r.top;
    if ((format & DT_VCENTER) && (format & DT_SINGLELINE))
        y = r.top + (r.Height() - lineHeight) / 2;
    // Text never spills out of its rectangle.
    CRegion clip(r.Offset(m_origin));
    if (m_bClipped)
        clip.Intersect(m_clip);
    for (const std::string& line : lines) {
        int x = r.left;
        if (format & DT_CENTER)
            x = r.left + (r.Width() - TextWidth(m_face, line)) / 2;
        DrawTextAt(*m_pSurface, &clip, CPoint{x, y} + m_origin, line, m_face, PixelFromColorRef(m_textColour));
        y += lineHeight;
    }
    Drawn(r);
    return height;
}

CClientDC::CClientDC(CWnd* pWnd)
{
    DrawTarget t;
    if (pWnd && GetWindowDrawTarget(pWnd->m_hWnd, &t))
        AttachTarget(t);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    DrawTarget t;
    if (m_hWnd && BeginPaint(m_hWnd, &m_ps, &t))
        AttachTarget(t);
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd)
        EndPaint(m_hWnd, &m_ps);
}
