#include "platform/fw/CToolTipWnd.h"

#include "platform/fw/CDC.h"

#include <algorithm>

namespace {
constexpr TextFace kFace = TextFace::Normal11;
constexpr COLORREF kBack = RGB(255, 255, 225);
}  // namespace

constexpr MessageEntry CToolTipWnd::s_entries[] = {
    OnPaintEntry<&CToolTipWnd::OnPaint>(),
};
constexpr MessageTable CToolTipWnd::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CToolTipWnd::GetMessageMap() const { return &s_messageTable; }

bool CToolTipWnd::Show(CWnd* pOwner, const std::string& text, CPoint screen)
{
    const int width = TextWidth(kFace, text) + 8;
    const int height = TextLineHeight(kFace) + 4;
    const int x = std::clamp(screen.x, 0, std::max(0, SCREEN_WIDTH - width));
    const CRect rect = CRect::FromSize(x, screen.y, width, height);
    if (m_hWnd) {
        SetWindowText(text);
        MoveWindow(rect);
    } else if (!CreateEx(WS_EX_TRANSPARENT, AfxRegisterWndClass(0), text.c_str(), WS_POPUP | WS_BORDER, rect, pOwner,
                         0)) {
        return false;
    }
    ShowWindow(SW_SHOW);
    return true;
}

void CToolTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, kBack);
    dc.SelectFace(kFace);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(3, 1, GetWindowText());
}
