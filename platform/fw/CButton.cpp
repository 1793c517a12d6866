#include "platform/fw/CButton.h"

#include "platform/fw/AppResources.h"
#include "platform/fw/CDC.h"
#include "platform/fw/ControlPaint.h"

constexpr MessageEntry CButton::s_entries[] = {
    OnPaintEntry<&CButton::OnPaint>(),
    OnLButtonDownEntry<&CButton::OnLButtonDown>(),
    OnLButtonDblClkEntry<&CButton::OnLButtonDown>(),
    OnMouseMoveEntry<&CButton::OnMouseMove>(),
    OnLButtonUpEntry<&CButton::OnLButtonUp>(),
    OnSetFocusEntry<&CButton::OnSetFocus>(),
    OnKillFocusEntry<&CButton::OnKillFocus>(),
};
constexpr MessageTable CButton::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CButton::GetMessageMap() const { return &s_messageTable; }

const char* CButton::ClassName() { return AfxEnsureClass("BUTTON"); }

void CButton::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    const bool isDefault = (GetStyle() & BS_DEFPUSHBUTTON) || ::GetFocus() == m_hWnd;
    controlpaint::Button(dc, r, m_bPressed, isDefault);
    dc.SelectFace(TextFace::Normal12);
    dc.SetTextColor(IsWindowEnabled() ? RGB(0, 0, 0) : RGB(128, 128, 128));
    const CRect text = m_bPressed ? r.Offset(1, 1) : r;
    dc.DrawText(GetWindowText(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CButton::SetPressed(bool pressed)
{
    if (pressed == m_bPressed)
        return;
    m_bPressed = pressed;
    Invalidate(false);
}

void CButton::OnLButtonDown(UINT, CPoint)
{
    m_bTracking = true;
    ::SetCapture(m_hWnd);
    if (GetStyle() & WS_TABSTOP)
        SetFocus();
    SetPressed(true);
}

void CButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    CRect r;
    GetClientRect(&r);
    SetPressed(r.Contains(point));
}

void CButton::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bTracking)
        return;
    m_bTracking = false;
    ::ReleaseCapture();
    CRect r;
    GetClientRect(&r);
    const bool clicked = r.Contains(point);
    SetPressed(false);
    if (clicked)
        ::SendMessage(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                      reinterpret_cast<LPARAM>(m_hWnd));
}

void CButton::OnSetFocus(CWnd*) { Invalidate(false); }
void CButton::OnKillFocus(CWnd*) { Invalidate(false); }
