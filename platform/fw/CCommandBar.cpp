#include "platform/fw/CCommandBar.h"

#include "platform/fw/CCmdUI.h"
#include "platform/fw/CDC.h"
#include "platform/fw/CMenuPopup.h"
#include "platform/fw/CToolTipWnd.h"
#include "platform/fw/ControlPaint.h"
#include "platform/res/ResourceTable.h"

namespace {

constexpr TextFace kMenuFace = TextFace::Normal12;
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
constexpr int kTop = 2;
constexpr UINT kToolTipTimer = 1;
constexpr UINT kToolTipHideTimer = 2;
constexpr UINT kToolTipDelay = 500;
constexpr UINT kToolTipLife = 4000;
constexpr Pixel kImageFace = PixelFromRGB(192, 192, 192);

std::string Utf8(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | ((c >> 12) & 0x0F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

constexpr MessageEntry CCommandBar::s_entries[] = {
    OnPaintEntry<&CCommandBar::OnPaint>(),
    OnLButtonDownEntry<&CCommandBar::OnLButtonDown>(),
    OnLButtonDblClkEntry<&CCommandBar::OnLButtonDown>(),
    OnMouseMoveEntry<&CCommandBar::OnMouseMove>(),
    OnLButtonUpEntry<&CCommandBar::OnLButtonUp>(),
    OnTimerEntry<&CCommandBar::OnTimer>(),
    OnDestroyEntry<&CCommandBar::OnDestroy>(),
    OnMessageEntry<TB_SETTOOLTIPS, &CCommandBar::OnSetToolTips>(),
    OnMessageEntry<WM_IDLEUPDATECMDUI, &CCommandBar::OnIdleUpdateCmdUI>(),
};
constexpr MessageTable CCommandBar::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CCommandBar::GetMessageMap() const { return &s_messageTable; }

CCommandBar::CCommandBar() = default;
CCommandBar::~CCommandBar() = default;

bool CCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (!pParentWnd || !pParentWnd->m_hWnd)
        return false;
    // The bar styles live in the low word; the window styles in the high.
    m_dwStyle = dwStyle & 0xFFFF;
    const CRect rect{0, 0, SCREEN_WIDTH, kHeight};
    if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, SYS_COLOR_INDEX_FLAG | (COLOR_BTNFACE + 1)), nullptr,
                  (dwStyle & 0xFFFF0000u) | WS_CHILD, rect, pParentWnd, nID))
        return false;
    Layout();
    return true;
}

bool CCommandBar::InsertMenuBar(UINT nIDResource, UINT nButton)
{
    (void)nButton;  // ours always go first, before the buttons
    if (!m_hWnd || m_pMenu)
        return false;
    m_pMenu = FindMenuResource(nIDResource);
    if (!m_pMenu)
        return false;
    Layout();
    return true;
}

bool CCommandBar::AddAdornments(DWORD dwFlags)
{
    if (!m_hWnd || (dwFlags & ~(CMDBAR_HELP | CMDBAR_OK)))
        return false;
    m_bClose = true;
    Layout();
    return true;
}

bool CCommandBar::LoadToolBar(UINT nIDResource)
{
    if (!m_hWnd)
        return false;
    const ToolbarTemplate* t = FindToolbarResource(nIDResource);
    if (!t)
        return false;
    auto images = LoadBitmapResource(nIDResource, nullptr);
    if (!images)
        return false;
    m_pToolbar = t;
    m_buttonImages = std::move(*images);
    Layout();
    return true;
}

void CCommandBar::Layout()
{
    m_aItems.clear();
    int x = 2;
    if (m_pMenu) {
        for (std::size_t i = 0; i < m_pMenu->popups.size(); ++i) {
            const int w = TextWidth(kMenuFace, m_pMenu->popups[i].text) + 12;
            m_aItems.push_back({ItemKind::Menu, static_cast<int>(i), 0, CRect::FromSize(x, kTop, w, kButtonHeight)});
            x += w;
        }
        x += 4;
    }
    if (m_pToolbar) {
        int index = 0;
        for (UINT id : m_pToolbar->buttons) {
            if (id == 0) {
                x += 6;
                continue;
            }
            m_aItems.push_back({ItemKind::Button, index++, id, CRect::FromSize(x, kTop, kButtonWidth, kButtonHeight)});
            x += kButtonWidth;
        }
    }
    if (m_bClose)
        m_aItems.push_back({ItemKind::Close, 0, 0, CRect::FromSize(SCREEN_WIDTH - 2 - kButtonWidth, kTop,
                                                                   kButtonWidth, kButtonHeight)});
    if (m_hWnd)
        Invalidate(true);
}

CWnd* CCommandBar::Frame() const { return GetParent(); }

std::string CCommandBar::ToolTipFor(const Item& item) const
{
    // The table is matched to positions in order, the menus first; menus and
    // the close button show none.
    if (item.kind != ItemKind::Button || !m_ppToolTips)
        return {};
    const int menus = m_pMenu ? static_cast<int>(m_pMenu->popups.size()) : 0;
    const int position = menus + item.index;
    if (position < 0 || position >= m_nToolTips)
        return {};
    return Utf8(m_ppToolTips[position]);
}

bool CCommandBar::IsMenuOpen() const
{
    // A closed popup's object lingers until the next menu opens: its window tells.
    return m_pPopup && m_pPopup->m_hWnd;
}

std::string CCommandBar::VisibleToolTip() const
{
    if (!m_pToolTip || !m_pToolTip->m_hWnd || !m_pToolTip->IsWindowVisible())
        return {};
    return m_pToolTip->GetWindowText();
}

int CCommandBar::HitItem(CPoint point) const
{
    for (std::size_t i = 0; i < m_aItems.size(); ++i)
        if (m_aItems[i].rect.Contains(point))
            return static_cast<int>(i);
    return -1;
}

void CCommandBar::PaintButtonImage(CDC& dc, const Item& item, bool pressed)
{
    if (!m_pToolbar || m_buttonImages.IsEmpty())
        return;
    const int cx = m_pToolbar->cx;
    const int cy = m_pToolbar->cy;
    const CRect src = CRect::FromSize(item.index * cx, 0, cx, cy);
    CPoint at{item.rect.left + (item.rect.Width() - cx) / 2, item.rect.top + (item.rect.Height() - cy) / 2};
    if (pressed)
        at = at + CPoint{1, 1};
    if (item.enabled) {
        dc.DrawMasked(at, m_buttonImages, src, ColorRefFromPixel(kImageFace));
        return;
    }
    // Disabled: the image's shape embossed in white and grey.
    CSurface shape(cx, cy, kImageFace);
    for (int y = 0; y < cy && y < m_buttonImages.Height(); ++y)
        for (int x = 0; x < cx && src.left + x < m_buttonImages.Width(); ++x)
            if (m_buttonImages.At(src.left + x, y) != kImageFace)
                shape.Set(x, y, PixelFromRGB(255, 255, 255));
    dc.DrawMasked(at + CPoint{1, 1}, shape, shape.Bounds(), ColorRefFromPixel(kImageFace));
    for (Pixel& p : shape.Pixels())
        if (p != kImageFace)
            p = PixelFromRGB(128, 128, 128);
    dc.DrawMasked(at, shape, shape.Bounds(), ColorRefFromPixel(kImageFace));
}

void CCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    dc.FillSolidRect(r, controlpaint::kFace);
    dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, controlpaint::kInk);
    dc.SelectFace(kMenuFace);
    for (std::size_t i = 0; i < m_aItems.size(); ++i) {
        const Item& item = m_aItems[i];
        const bool held = static_cast<int>(i) == m_nTracking && m_bTrackInside && item.enabled;
        switch (item.kind) {
        case ItemKind::Menu: {
            const bool open = static_cast<int>(i) == m_nOpenMenu;
            if (open)
                dc.FillSolidRect(item.rect, RGB(0, 0, 128));
            dc.SetTextColor(open ? RGB(255, 255, 255) : RGB(0, 0, 0));
            dc.DrawText(m_pMenu->popups[static_cast<std::size_t>(item.index)].text, item.rect,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        case ItemKind::Button:
            if (held)
                controlpaint::Bevel(dc, item.rect, true);
            PaintButtonImage(dc, item, held);
            break;
        case ItemKind::Close: {
            controlpaint::Bevel(dc, item.rect, held);
            // A cross of two thick diagonals.
            const CPoint c = item.rect.Center() + (held ? CPoint{1, 1} : CPoint{0, 0});
            for (int d = -4; d <= 4; ++d) {
                dc.FillSolidRect(c.x + d - 1, c.y + d, 2, 1, controlpaint::kInk);
                dc.FillSolidRect(c.x + d - 1, c.y - d, 2, 1, controlpaint::kInk);
            }
            break;
        }
        }
    }
}

void CCommandBar::OpenMenu(int item)
{
    OnPopupClosed();
    HideToolTip();
    const Item& it = m_aItems[static_cast<std::size_t>(item)];
    m_nOpenMenu = item;
    m_pPopup = std::make_unique<CMenuPopup>();
    const CPoint below = ::ClientToScreen(m_hWnd, {it.rect.left, kHeight - 1});
    if (!m_pPopup->Open(this, Frame(), m_pMenu->popups[static_cast<std::size_t>(it.index)], below)) {
        m_pPopup.reset();
        m_nOpenMenu = -1;
    }
    Invalidate(false);
}

void CCommandBar::OnPopupClosed()
{
    if (m_pPopup)
        m_pPopup->Close();
    // The object is freed later: this may run inside one of its handlers.
    if (m_nOpenMenu >= 0) {
        m_nOpenMenu = -1;
        if (m_hWnd)
            Invalidate(false);
    }
}

void CCommandBar::OnLButtonDown(UINT, CPoint point)
{
    const int hit = HitItem(point);
    if (hit < 0)
        return;
    const Item& item = m_aItems[static_cast<std::size_t>(hit)];
    if (item.kind == ItemKind::Menu) {
        OpenMenu(hit);
        return;
    }
    // A disabled button is held all the same, to show its tooltip; it only
    // sends nothing when released.
    HideToolTip();
    m_nTracking = hit;
    m_bTrackInside = true;
    ::SetCapture(m_hWnd);
    if (item.kind == ItemKind::Button) {
        m_nHover = hit;
        ::SetTimer(m_hWnd, kToolTipTimer, kToolTipDelay);
    }
    Invalidate(false);
}

void CCommandBar::OnMouseMove(UINT nFlags, CPoint point)
{
    const int hit = HitItem(point);
    if (m_nTracking >= 0) {
        const bool inside = hit == m_nTracking;
        if (inside != m_bTrackInside) {
            m_bTrackInside = inside;
            Invalidate(false);
        }
        return;
    }
    if (nFlags & MK_LBUTTON)
        return;
    // Resting over a button shows its tooltip, as holding it does.
    const bool overButton = hit >= 0 && m_aItems[static_cast<std::size_t>(hit)].kind == ItemKind::Button;
    if (!overButton) {
        HideToolTip();
        return;
    }
    if (hit != m_nHover) {
        HideToolTip();
        m_nHover = hit;
        ::SetTimer(m_hWnd, kToolTipTimer, kToolTipDelay);
    }
}

void CCommandBar::OnLButtonUp(UINT, CPoint point)
{
    if (m_nTracking < 0)
        return;
    const int tracked = m_nTracking;
    m_nTracking = -1;
    ::ReleaseCapture();
    HideToolTip();
    Invalidate(false);
    if (HitItem(point) != tracked)
        return;
    const Item item = m_aItems[static_cast<std::size_t>(tracked)];
    CWnd* frame = Frame();
    if (!frame)
        return;
    if (item.kind == ItemKind::Close)
        frame->PostMessage(WM_CLOSE);
    else if (item.kind == ItemKind::Button && item.enabled)
        frame->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(item.id), 0), 0);
}

void CCommandBar::OnTimer(UINT nIDEvent)
{
    ::KillTimer(m_hWnd, nIDEvent);
    if (nIDEvent == kToolTipHideTimer) {
        HideToolTip();
        return;
    }
    if (m_nHover >= 0 && (m_nTracking < 0 || (m_nTracking == m_nHover && m_bTrackInside)))
        ShowToolTip(m_nHover);
}

void CCommandBar::ShowToolTip(int item)
{
    if (!(m_dwStyle & CBRS_TOOLTIPS))
        return;
    const std::string text = ToolTipFor(m_aItems[static_cast<std::size_t>(item)]);
    if (text.empty())
        return;
    if (!m_pToolTip)
        m_pToolTip = std::make_unique<CToolTipWnd>();
    const CRect r = m_aItems[static_cast<std::size_t>(item)].rect;
    m_pToolTip->Show(GetTopLevelParent(), text, ::ClientToScreen(m_hWnd, {r.left, kHeight + 1}));
    ::SetTimer(m_hWnd, kToolTipHideTimer, kToolTipLife);
}

void CCommandBar::HideToolTip()
{
    if (m_hWnd) {
        ::KillTimer(m_hWnd, kToolTipTimer);
        ::KillTimer(m_hWnd, kToolTipHideTimer);
    }
    m_nHover = -1;
    if (m_pToolTip && m_pToolTip->m_hWnd)
        m_pToolTip->ShowWindow(SW_HIDE);
}

void CCommandBar::OnDestroy()
{
    if (m_pPopup)
        m_pPopup->Close();
    if (m_pToolTip && m_pToolTip->m_hWnd)
        m_pToolTip->DestroyWindow();
}

LRESULT CCommandBar::OnSetToolTips(WPARAM wParam, LPARAM lParam)
{
    // The bar keeps the caller's table, not a copy.
    m_nToolTips = static_cast<int>(wParam);
    m_ppToolTips = reinterpret_cast<const wchar_t* const*>(lParam);
    return m_ppToolTips && m_nToolTips > 0 ? 1 : 0;
}

LRESULT CCommandBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    CWnd* frame = Frame();
    if (!frame)
        return 0;
    for (Item& item : m_aItems) {
        if (item.kind != ItemKind::Button)
            continue;
        CCmdUI ui;
        ui.m_nID = item.id;
        const bool enabled = ui.DoUpdate(frame);
        if (enabled != item.enabled) {
            item.enabled = enabled;
            InvalidateRect(&item.rect, false);
        }
    }
    return 0;
}
