#include "platform/fw/CMenuPopup.h"

#include "platform/fw/CCmdUI.h"
#include "platform/fw/CCommandBar.h"
#include "platform/fw/CDC.h"

#include <algorithm>

namespace {
constexpr TextFace kFace = TextFace::Normal12;
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 7;
constexpr int kPadX = 10;
}  // namespace

constexpr MessageEntry CMenuPopup::s_entries[] = {
    OnPaintEntry<&CMenuPopup::OnPaint>(),
    OnLButtonDownEntry<&CMenuPopup::OnLButtonDown>(),
    OnLButtonDblClkEntry<&CMenuPopup::OnLButtonDown>(),
    OnMouseMoveEntry<&CMenuPopup::OnMouseMove>(),
    OnLButtonUpEntry<&CMenuPopup::OnLButtonUp>(),
};
constexpr MessageTable CMenuPopup::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CMenuPopup::GetMessageMap() const { return &s_messageTable; }

bool CMenuPopup::Open(CCommandBar* pBar, CWnd* pFrame, const PopupMenuTemplate& menu, CPoint screen)
{
    m_pBar = pBar;
    m_pFrame = pFrame;
    m_aEntries.clear();
    int width = 60;
    int y = 2;
    for (const MenuItemTemplate& item : menu.items) {
        const bool separator = (item.flags & MF_SEPARATOR) || !item.text;
        const int h = separator ? kSeparatorHeight : kItemHeight;
        bool enabled = false;
        if (!separator) {
            width = std::max(width, TextWidth(kFace, item.text) + 2 * kPadX);
            CCmdUI ui;
            ui.m_nID = item.id;
            enabled = pFrame && ui.DoUpdate(pFrame);
        }
        m_aEntries.push_back({&item, {0, y, 0, y + h}, enabled});
        y += h;
    }
    for (Entry& e : m_aEntries)
        e.rect.right = width;
    const int height = y + 2;
    const int x = std::clamp(screen.x, 0, std::max(0, SCREEN_WIDTH - width - 2));
    const CRect rect = CRect::FromSize(x, screen.y, width + 2, height + 2);
    if (!CreateEx(0, AfxRegisterWndClass(0), menu.text, WS_POPUP | WS_BORDER, rect, pFrame, 0))
        return false;
    ShowWindow(SW_SHOW);
    ::SetCapture(m_hWnd);
    m_bOpeningPress = true;
    return true;
}

void CMenuPopup::Close()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_hWnd)
        DestroyWindow();
}

int CMenuPopup::HitEntry(CPoint point) const
{
    for (std::size_t i = 0; i < m_aEntries.size(); ++i)
        if (m_aEntries[i].rect.Contains(point))
            return static_cast<int>(i);
    return -1;
}

void CMenuPopup::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, RGB(255, 255, 255));
    dc.SelectFace(kFace);
    for (std::size_t i = 0; i < m_aEntries.size(); ++i) {
        const Entry& e = m_aEntries[i];
        if (!e.item->text || (e.item->flags & MF_SEPARATOR)) {
            dc.FillSolidRect(e.rect.left + 2, e.rect.top + 3, e.rect.Width() - 4, 1, RGB(128, 128, 128));
            continue;
        }
        const bool hot = static_cast<int>(i) == m_nHot && e.enabled;
        if (hot)
            dc.FillSolidRect(e.rect, RGB(0, 0, 128));
        dc.SetTextColor(!e.enabled ? RGB(128, 128, 128) : hot ? RGB(255, 255, 255) : RGB(0, 0, 0));
        dc.DrawText(e.item->text, {e.rect.left + kPadX, e.rect.top, e.rect.right, e.rect.bottom},
                    DT_SINGLELINE | DT_VCENTER);
    }
}

void CMenuPopup::OnLButtonDown(UINT, CPoint point)
{
    m_bOpeningPress = false;
    CRect client;
    GetClientRect(&client);
    if (!client.Contains(point)) {
        // A tap outside closes the menu and does nothing else.
        m_pBar->OnPopupClosed();
        return;
    }
    m_nHot = HitEntry(point);
    Invalidate(false);
}

void CMenuPopup::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON))
        return;
    const int hot = HitEntry(point);
    if (hot != m_nHot) {
        m_nHot = hot;
        Invalidate(false);
    }
}

void CMenuPopup::OnLButtonUp(UINT, CPoint point)
{
    const int hit = HitEntry(point);
    if (hit < 0 || !m_aEntries[static_cast<std::size_t>(hit)].enabled ||
        !m_aEntries[static_cast<std::size_t>(hit)].item->text) {
        // Lifting the stylus from the menu's title leaves the menu open;
        // anywhere else off an item it closes.
        CRect client;
        GetClientRect(&client);
        if (!m_bOpeningPress && !client.Contains(point))
            m_pBar->OnPopupClosed();
        m_bOpeningPress = false;
        m_nHot = -1;
        if (m_hWnd)
            Invalidate(false);
        return;
    }
    const UINT id = m_aEntries[static_cast<std::size_t>(hit)].item->id;
    CWnd* frame = m_pFrame;
    m_pBar->OnPopupClosed();  // destroys us
    // Posted, so the menu is gone from the screen before the command runs.
    if (frame && frame->m_hWnd)
        frame->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(id), 0), 0);
}
