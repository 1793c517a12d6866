#include "platform/fw/CImageList.h"

#include "platform/fw/CDC.h"
#include "platform/res/ResourceTable.h"

bool CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    DeleteImageList();
    auto bitmap = LoadBitmapResource(nBitmapID, nullptr);
    if (!bitmap || cx <= 0 || bitmap->Width() < cx)
        return false;
    m_bitmap = std::move(*bitmap);
    m_nCx = cx;
    m_nCount = m_bitmap.Width() / cx;
    m_nGrow = nGrow;
    m_crMask = crMask;
    return true;
}

bool CImageList::DeleteImageList()
{
    const bool had = m_nCount > 0;
    m_bitmap = CSurface();
    m_nCx = m_nCount = m_nGrow = 0;
    return had;
}

bool CImageList::Draw(CDC* pDC, int nImage, CPoint pt, UINT nStyle) const
{
    (void)nStyle;
    if (!pDC || nImage < 0 || nImage >= m_nCount)
        return false;
    pDC->DrawMasked(pt, m_bitmap, CRect::FromSize(nImage * m_nCx, 0, m_nCx, m_bitmap.Height()), m_crMask);
    return true;
}
