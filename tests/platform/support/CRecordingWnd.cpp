#include "tests/platform/support/CRecordingWnd.h"

#include "platform/fw/CDC.h"

bool CRecordingWnd::CreateChild(CWnd* pParent, const CRect& rect, UINT nClassStyle, DWORD dwStyle, UINT nID)
{
    return CreateEx(0, AfxRegisterWndClass(nClassStyle), nullptr, dwStyle | WS_CHILD, rect, pParent, nID);
}

bool CRecordingWnd::CreatePopup(CWnd* pOwner, const CRect& rect, UINT nClassStyle, DWORD dwStyle)
{
    return CreateEx(0, AfxRegisterWndClass(nClassStyle), nullptr, (dwStyle & ~WS_CHILD) | WS_POPUP, rect, pOwner, 0);
}

LRESULT CRecordingWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG m{m_hWnd, message, wParam, lParam, 0, {}};
    m_aLog.push_back(m);
    if (m_pSharedTrace)
        m_pSharedTrace->push_back(m);
    if (message == WM_PAINT) {
        ++m_nPaints;
        CPaintDC dc(this);
        m_lastPaint = dc.m_ps.rcPaint;
        if (m_colour) {
            CRect client;
            GetClientRect(&client);
            dc.FillSolidRect(client, *m_colour);
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<UINT> CRecordingWnd::Messages(std::initializer_list<UINT> only) const
{
    std::vector<UINT> out;
    for (const MSG& m : m_aLog)
        for (UINT wanted : only)
            if (m.message == wanted) {
                out.push_back(m.message);
                break;
            }
    return out;
}
