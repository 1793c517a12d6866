#include "platform/fw/CEdit.h"

#include "platform/fw/AppResources.h"
#include "platform/fw/CDC.h"
#include "platform/fw/ControlPaint.h"

#include <algorithm>

namespace {
constexpr TextFace kFace = TextFace::Normal11;
constexpr int kMargin = 2;
}  // namespace

constexpr MessageEntry CEdit::s_entries[] = {
    OnPaintEntry<&CEdit::OnPaint>(),
    OnLButtonDownEntry<&CEdit::OnLButtonDown>(),
    OnLButtonDblClkEntry<&CEdit::OnLButtonDown>(),
    OnVScrollEntry<&CEdit::OnVScroll>(),
    OnMessageEntry<WM_SETTEXT, &CEdit::OnSetText>(),
};
constexpr MessageTable CEdit::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CEdit::GetMessageMap() const { return &s_messageTable; }

const char* CEdit::ClassName() { return AfxEnsureClass("EDIT"); }

CRect CEdit::TextRect() const
{
    CRect r;
    GetClientRect(&r);
    if (HasScrollBar())
        r.right -= kScrollBarWidth;
    return {r.left + kMargin, r.top + kMargin, std::max(r.left + kMargin, r.right - kMargin), r.bottom - kMargin};
}

const std::vector<std::string>& CEdit::WrappedLines()
{
    const std::string text = GetWindowText();
    const int width = TextRect().Width();
    if (text != m_strWrappedFor || width != m_nWrappedWidth) {
        m_strWrappedFor = text;
        m_nWrappedWidth = width;
        m_aLines = WrapTextLines(text, kFace, width);
    }
    return m_aLines;
}

int CEdit::GetLineCount() { return static_cast<int>(WrappedLines().size()); }

int CEdit::GetVisibleLineCount() const { return std::max(1, TextRect().Height() / TextLineHeight(kFace)); }

int CEdit::MaxTopLine() { return std::max(0, GetLineCount() - GetVisibleLineCount()); }

void CEdit::LineScroll(int nLines)
{
    const int top = std::clamp(m_nTopLine + nLines, 0, MaxTopLine());
    if (top == m_nTopLine)
        return;
    m_nTopLine = top;
    Invalidate(false);
}

CRect CEdit::UpArrowRect() const
{
    CRect r;
    GetClientRect(&r);
    return {r.right - kScrollBarWidth, r.top, r.right, r.top + kScrollBarWidth};
}

CRect CEdit::DownArrowRect() const
{
    CRect r;
    GetClientRect(&r);
    return {r.right - kScrollBarWidth, r.bottom - kScrollBarWidth, r.right, r.bottom};
}

void CEdit::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, RGB(255, 255, 255));
    const std::vector<std::string> lines = WrappedLines();
    m_nTopLine = std::clamp(m_nTopLine, 0, MaxTopLine());
    const CRect textRect = TextRect();
    dc.SelectFace(kFace);
    dc.SetTextColor(RGB(0, 0, 0));
    const int lineHeight = TextLineHeight(kFace);
    int y = textRect.top;
    for (int i = m_nTopLine; i < static_cast<int>(lines.size()) && y < textRect.bottom; ++i, y += lineHeight)
        dc.DrawText(lines[static_cast<std::size_t>(i)], {textRect.left, y, textRect.right, std::min(y + lineHeight, textRect.bottom)},
                    DT_SINGLELINE);
    if (!HasScrollBar())
        return;
    // The bar: two arrow buttons and a track with a thumb in proportion.
    const CRect up = UpArrowRect();
    const CRect down = DownArrowRect();
    const CRect track{up.left, up.bottom, up.right, down.top};
    dc.FillSolidRect(track, RGB(224, 224, 224));
    dc.FillSolidRect(track.left, track.top, 1, track.Height(), controlpaint::kShadow);
    const bool canScroll = MaxTopLine() > 0;
    const COLORREF arrow = canScroll ? controlpaint::kInk : controlpaint::kShadow;
    controlpaint::Bevel(dc, up, false);
    controlpaint::Arrow(dc, up, true, arrow);
    controlpaint::Bevel(dc, down, false);
    controlpaint::Arrow(dc, down, false, arrow);
    if (canScroll && track.Height() > 6) {
        const int total = GetLineCount();
        const int visible = GetVisibleLineCount();
        const int thumbHeight = std::max(8, track.Height() * visible / total);
        const int travel = track.Height() - thumbHeight;
        const int thumbTop = track.top + travel * m_nTopLine / std::max(1, MaxTopLine());
        controlpaint::Bevel(dc, {track.left, thumbTop, track.right, thumbTop + thumbHeight}, false);
    }
}

void CEdit::OnLButtonDown(UINT, CPoint point)
{
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    if (!HasScrollBar())
        return;
    const CRect up = UpArrowRect();
    const CRect down = DownArrowRect();
    if (up.Contains(point))
        OnVScroll(SB_LINEUP, 0);
    else if (down.Contains(point))
        OnVScroll(SB_LINEDOWN, 0);
    else if (point.x >= up.left) {
        // On the track: a page towards the tap.
        const CRect track{up.left, up.bottom, up.right, down.top};
        const int travel = std::max(1, MaxTopLine());
        const int thumbCentre = track.top + track.Height() * m_nTopLine / (travel + GetVisibleLineCount());
        OnVScroll(point.y < thumbCentre ? SB_PAGEUP : SB_PAGEDOWN, 0);
    }
}

void CEdit::OnVScroll(UINT nCode, UINT nPos)
{
    switch (nCode) {
    case SB_LINEUP: LineScroll(-1); break;
    case SB_LINEDOWN: LineScroll(1); break;
    case SB_PAGEUP: LineScroll(-GetVisibleLineCount()); break;
    case SB_PAGEDOWN: LineScroll(GetVisibleLineCount()); break;
    case SB_THUMBPOSITION: LineScroll(static_cast<int>(nPos) - m_nTopLine); break;
    default: break;
    }
}

LRESULT CEdit::OnSetText(WPARAM, LPARAM)
{
    m_nTopLine = 0;
    Invalidate(true);
    return 1;
}
