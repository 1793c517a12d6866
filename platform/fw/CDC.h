#pragma once
// Device contexts: where drawing goes. A window context draws onto the
// screen inside the window's visible client area; a memory context draws into
// the bitmap selected into it.

#include "platform/fw/CBitmap.h"
#include "platform/fw/CObject.h"
#include "platform/gfx/CRegion.h"
#include "platform/res/Icon.h"
#include "platform/win/Text.h"
#include "platform/win/WinApi.h"

#include <string_view>

class CWnd;

// DrawText formats.
inline constexpr UINT DT_LEFT = 0x0000;
inline constexpr UINT DT_CENTER = 0x0001;
inline constexpr UINT DT_VCENTER = 0x0004;
inline constexpr UINT DT_WORDBREAK = 0x0010;
inline constexpr UINT DT_SINGLELINE = 0x0020;

class CDC : public CObject {
public:
    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context in the format of pDC, holding a 1 x 1 stock bitmap.
    bool CreateCompatibleDC(CDC* pDC);
    bool DeleteDC();
    // Selects a bitmap and returns the one selected before.
    CBitmap* SelectObject(CBitmap* pBitmap);

    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void FillSolidRect(const CRect& r, COLORREF colour) { FillSolidRect(r.left, r.top, r.Width(), r.Height(), colour); }
    bool BitBlt(int x, int y, int cx, int cy, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop);
    bool PatBlt(int x, int y, int cx, int cy, DWORD rop);
    void FrameRect(const CRect& r, COLORREF colour);
    // Copies src with mask-colour pixels left out.
    void DrawMasked(CPoint at, const CSurface& src, const CRect& srcRect, COLORREF mask);
    void DrawSurface(CPoint at, const CSurface& src, const CRect& srcRect);
    // Draws an icon image where its mask says it is opaque.
    void DrawIcon(CPoint at, const IconImage& icon);

    COLORREF SetTextColor(COLORREF colour);
    TextFace SelectFace(TextFace face);
    void TextOut(int x, int y, std::string_view text);
    // Lays text out in r (left or centred, one line or wrapped) and returns
    // the height it took.
    int DrawText(std::string_view text, const CRect& r, UINT format);
    int GetTextWidth(std::string_view text) const { return TextWidth(m_face, text); }
    int GetLineHeight() const { return TextLineHeight(m_face); }

    bool IsMemoryDC() const { return m_bMemory; }
    // The pixels this context draws into, with its origin and clip.
    CSurface* GetSurface() const { return m_pSurface; }

protected:
    // For window and paint contexts.
    void AttachTarget(const DrawTarget& target);
    void Drawn(const CRect& logical);

    CSurface* m_pSurface = nullptr;
    CPoint m_origin;
    CRegion m_clip;
    bool m_bClipped = false;
    bool m_bMemory = false;
    bool m_bScreen = false;
    CBitmap* m_pSelected = nullptr;
    CBitmap m_stockBitmap;
    COLORREF m_textColour = RGB(0, 0, 0);
    TextFace m_face = TextFace::Normal11;

private:
    const CRegion* Clip() const { return m_bClipped ? &m_clip : nullptr; }
};

// The context of a window's client area, as GetDC gives it.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
};

// Opened for WM_PAINT: clipped to the pending update region, and closing it
// ends the paint request.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
