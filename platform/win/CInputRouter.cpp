#include "platform/win/CInputRouter.h"

#include "platform/win/NonClient.h"

CInputRouter::CInputRouter(const CWindowTree& tree) : m_tree(tree) {}

HWND CInputRouter::SetCapture(HWND hwnd)
{
    const HWND old = m_hCapture;
    m_hCapture = m_tree.Find(hwnd) ? hwnd : nullptr;
    return old;
}

void CInputRouter::LoseCapture(HWND hwnd)
{
    if (m_hCapture == hwnd)
        m_hCapture = nullptr;
}

void CInputRouter::Forget(HWND hwnd)
{
    LoseCapture(hwnd);
    m_doubleClick.Forget(hwnd);
    if (m_hOkPressed == hwnd)
        m_hOkPressed = nullptr;
}

const CWindowTree::Window* CInputRouter::Target(CPoint screen, bool* nonClient) const
{
    if (const CWindowTree::Window* captured = m_tree.Find(m_hCapture))
        return captured;
    const CWindowTree::Window* target = m_tree.HitTest(screen);
    // A disabled window, or one inside a disabled window, takes no input.
    if (!target || !m_tree.EnabledChain(target))
        return nullptr;
    *nonClient = !m_tree.ClientRectScreen(target).Contains(screen);
    return target;
}

CInputRouter::Routed CInputRouter::Route(const CInputEvent& ev)
{
    using Kind = CInputEvent::Kind;
    Routed out;
    if (ev.kind == Kind::Press)
        m_bButtonDown = true;
    else if (ev.kind == Kind::Release)
        m_bButtonDown = false;

    bool nonClient = false;
    const CWindowTree::Window* target = Target(ev.pt, &nonClient);
    if (ev.kind != Kind::Move && (m_hOkPressed || (target && nonClient))) {
        RouteOkButton(ev, target, out);
        return out;
    }
    if (!target || nonClient)
        return out;

    const HWND hwnd = CWindowTree::Handle(target);
    out.msg = MSG{hwnd, 0, 0, LParamFromPoint(ev.pt - m_tree.ClientOrigin(target)), ev.time, ev.pt};
    switch (ev.kind) {
    case Kind::Press:
        out.msg.message =
            m_doubleClick.Press(hwnd, target->wc.style, ev.pt, ev.time) ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        out.msg.wParam = MK_LBUTTON;
        break;
    case Kind::Release:
        out.msg.message = WM_LBUTTONUP;
        break;
    case Kind::Move:
        out.msg.message = WM_MOUSEMOVE;
        out.msg.wParam = m_bButtonDown ? MK_LBUTTON : 0;
        break;
    case Kind::Close:
        return out;
    }
    out.deliver = true;
    return out;
}

// While the OK button is held, presses and releases go to it and nowhere
// else; so do those on a window's frame, which take no input of their own.
void CInputRouter::RouteOkButton(const CInputEvent& ev, const CWindowTree::Window* target, Routed& out)
{
    using Kind = CInputEvent::Kind;
    if (ev.kind == Kind::Press && target && (target->exStyle & WS_EX_CAPTIONOKBTN) &&
        nonclient::OkButtonRect(m_tree.WindowRectScreen(target)).Contains(ev.pt)) {
        m_hOkPressed = CWindowTree::Handle(target);
        out.okChanged = m_hOkPressed;
    } else if (ev.kind == Kind::Release && m_hOkPressed) {
        const HWND pressed = m_hOkPressed;
        m_hOkPressed = nullptr;
        if (const CWindowTree::Window* w = m_tree.Find(pressed)) {
            out.okChanged = pressed;
            if (nonclient::OkButtonRect(m_tree.WindowRectScreen(w)).Contains(ev.pt))
                out.okClicked = pressed;
        }
    }
}
