#pragma once
// An image strip: equally wide images cut side by side from one bitmap, with
// a mask colour whose pixels are never drawn.

#include "platform/fw/CObject.h"
#include "platform/gfx/CSurface.h"
#include "platform/win/WinDefs.h"

class CDC;

class CImageList : public CObject {
public:
    CImageList() = default;
    ~CImageList() override = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Cuts bitmap resource nBitmapID into images cx wide. nGrow is how many
    // images the strip would grow by; nothing is ever added to ours.
    bool Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    bool DeleteImageList();
    int GetImageCount() const { return m_nCount; }
    CSize GetImageSize() const { return {m_nCx, m_bitmap.Height()}; }
    int GetGrow() const { return m_nGrow; }
    COLORREF GetMaskColor() const { return m_crMask; }
    // Both styles leave mask-colour pixels untouched: the strips carry no
    // background colour.
    bool Draw(CDC* pDC, int nImage, CPoint pt, UINT nStyle) const;
    const CSurface& Bitmap() const { return m_bitmap; }

private:
    CSurface m_bitmap;
    int m_nCx = 0;
    int m_nCount = 0;
    int m_nGrow = 0;
    COLORREF m_crMask = 0;
};
