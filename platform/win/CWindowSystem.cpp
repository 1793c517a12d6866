#include "platform/win/CWindowSystem.h"

#include "platform/gfx/Raster.h"
#include "platform/win/CScriptExhausted.h"

#include <algorithm>

CWindowSystem::CWindowSystem(CBackend* backend)
    : m_pBackend(backend), m_timers([backend] { return backend->Now(); })
{
}

HWND CWindowSystem::Create(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                           int cx, int cy, HWND parentOrOwner, UINT id, void* createParams)
{
    const WNDCLASS* wc = m_classes.Find(className);
    if (!wc || !wc->lpfnWndProc)
        return nullptr;
    Window* parent = m_tree.Desktop();
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parent = m_tree.Find(parentOrOwner);
        if (!parent)
            return nullptr;
    } else if (parentOrOwner) {
        // A popup's owner is always a top-level window.
        const Window* o = m_tree.Find(parentOrOwner);
        while (o && o->parent && o->parent != m_tree.Desktop())
            o = o->parent;
        owner = CWindowTree::Handle(o);
    }
    auto win = std::make_unique<Window>();
    win->className = className;
    win->wc = *wc;
    win->style = style & ~WS_VISIBLE;
    win->exStyle = exStyle;
    win->rect = CRect::FromSize(x, y, std::max(cx, 0), std::max(cy, 0));
    win->owner = owner;
    win->text = windowName ? windowName : "";
    win->ctrlId = (style & WS_CHILD) ? id : 0;
    const HWND hwnd = CWindowTree::Handle(m_tree.Insert(std::move(win), parent));

    CREATESTRUCT cs{createParams, CWindowTree::Handle(parent == m_tree.Desktop() ? nullptr : parent),
                    owner, id, x, y, cx, cy, style, windowName, className, exStyle};
    if (Send(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (Window* w = m_tree.Find(hwnd))
            Destroy(w);
        return nullptr;
    }
    Window* w = m_tree.Find(hwnd);
    if (!w)
        return nullptr;
    if (style & WS_VISIBLE)
        Show(w, SW_SHOW);
    return hwnd;
}

void CWindowSystem::Destroy(Window* w)
{
    // A handler of WM_DESTROY may ask for its own window's end again.
    if (w->destroyStarted)
        return;
    w->destroyStarted = true;
    const HWND hwnd = CWindowTree::Handle(w);
    const bool wasVisible = m_tree.VisibleChain(w);
    const CRect area = m_tree.WindowRectScreen(w);
    // Owned popups go first, then the children, then the window itself. They
    // are named by handle: one window's end may take another with it.
    std::vector<HWND> owned;
    for (const Window* top : m_tree.Desktop()->children)
        if (top->owner == hwnd)
            owned.push_back(CWindowTree::Handle(top));
    for (HWND o : owned)
        if (Window* ow = m_tree.Find(o))
            Destroy(ow);
    Send(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    for (const Window* c : w->children)
        children.push_back(CWindowTree::Handle(c));
    for (HWND c : children)
        if (Window* cw = m_tree.Find(c))
            Destroy(cw);
    w->destroying = true;
    if (m_hFocus == hwnd)
        m_hFocus = nullptr;
    m_input.Forget(hwnd);
    m_timers.KillAll(hwnd);
    // WM_NCDESTROY goes to the window procedure while the handle still resolves.
    w->destroying = false;
    Send(hwnd, WM_NCDESTROY, 0, 0);
    w->destroying = true;
    m_queue.Forget(hwnd);
    if (m_hHost == hwnd)
        m_hHost = nullptr;
    m_updates.Forget(w);
    m_tree.Remove(w);
    if (wasVisible)
        m_updates.InvalidateScreenArea(area);
}

bool CWindowSystem::Show(Window* w, int cmd)
{
    const HWND hwnd = CWindowTree::Handle(w);
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = cmd != SW_HIDE;
    if (show == wasVisible)
        return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        // Inside a hidden parent nothing shows yet, and what lies beneath
        // must not be asked to paint again; the parent's showing paints it.
        if (m_tree.VisibleChain(w))
            m_updates.InvalidateWhole(w);
    } else {
        const bool wasShown = m_tree.VisibleChain(w);
        const CRect area = m_tree.WindowRectScreen(w);
        w->style &= ~WS_VISIBLE;
        if (wasShown)
            m_updates.InvalidateScreenArea(area);
        // A hidden window can hold neither the focus nor the capture.
        for (HWND f = m_hFocus; f; f = m_tree.Parent(f))
            if (f == hwnd) {
                m_hFocus = nullptr;
                break;
            }
        m_input.LoseCapture(hwnd);
    }
    Send(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
    // An application's own top-level window takes the focus when it first
    // shows, as it becomes the active window; owned popups (boxes, menus,
    // tooltips) leave the focus to their owners' code. The window may have
    // gone in WM_SHOWWINDOW.
    if (show && m_tree.Find(hwnd) && w->parent == m_tree.Desktop() && !w->owner && !(w->style & WS_DISABLED) &&
        !m_tree.Find(m_hFocus))
        SetFocus(hwnd);
    return wasVisible;
}

bool CWindowSystem::Enable(Window* w, bool enable)
{
    const HWND hwnd = CWindowTree::Handle(w);
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable == wasDisabled) {
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        if (!enable)
            m_input.LoseCapture(hwnd);
        Send(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    }
    return wasDisabled;
}

bool CWindowSystem::Move(Window* w, const CRect& rectInParent, bool repaint)
{
    if (w->rect == rectInParent)
        return true;
    const bool visible = m_tree.VisibleChain(w);
    const CRect before = m_tree.WindowRectScreen(w);
    const CSize oldSize{w->rect.Width(), w->rect.Height()};
    w->rect = rectInParent;
    if (visible && repaint) {
        m_updates.InvalidateScreenArea(before);
        m_updates.InvalidateWhole(w);
    }
    if (oldSize != CSize{w->rect.Width(), w->rect.Height()}) {
        const CRect client = m_tree.ClientRectScreen(w);
        Send(CWindowTree::Handle(w), WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
    }
    return true;
}

void CWindowSystem::BringToTop(Window* w)
{
    if (w->parent && m_tree.BringToTop(w) && m_tree.VisibleChain(w))
        m_updates.InvalidateWhole(w);
}

void CWindowSystem::SetText(Window* w, const std::string& text)
{
    const HWND hwnd = CWindowTree::Handle(w);
    w->text = text;
    // The caption shows the text; the window's own painting shows the rest.
    m_updates.InvalidateWhole(w);
    if (hwnd == m_hHost)
        m_pBackend->SetTitle(text);
    Send(hwnd, WM_SETTEXT, 0, 0);
}

LRESULT CWindowSystem::Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const Window* w = m_tree.Find(hwnd);
    return w ? w->wc.lpfnWndProc(hwnd, msg, wParam, lParam) : 0;
}

bool CWindowSystem::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !m_tree.Find(hwnd))
        return false;
    m_queue.Post(MSG{hwnd, msg, wParam, lParam, m_pBackend->Now(), {}});
    return true;
}

bool CWindowSystem::Peek()
{
    return !m_queue.IsEmpty() || m_timers.AnyDue() || m_updates.FindPaintable() != nullptr;
}

bool CWindowSystem::PaintNonClient(const Window* w)
{
    return m_updates.PaintNonClient(w, m_input.OkPressed(CWindowTree::Handle(w)) && (w->exStyle & WS_EX_CAPTIONOKBTN));
}

bool CWindowSystem::GetMessage(MSG* msg)
{
    for (;;) {
        if (m_queue.Take(msg))
            return true;
        if (const auto code = m_queue.TakeQuit()) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*code), 0, m_pBackend->Now(), {}};
            return false;
        }
        CInputEvent ev;
        if (m_pBackend->PollEvent(ev)) {
            if (Translate(ev, msg))
                return true;
            continue;
        }
        if (m_timers.TakeDue(msg))
            return true;
        if (const Window* w = m_updates.FindPaintable()) {
            if (!PaintNonClient(w))
                continue;
            *msg = MSG{CWindowTree::Handle(w), WM_PAINT, 0, 0, m_pBackend->Now(), {}};
            return true;
        }
        // Nothing to do: show the screen, then sleep until input or a timer.
        m_screen.Flush(*m_pBackend);
        switch (m_pBackend->WaitEvent(m_timers.NextDue(), ev)) {
        case WaitResult::Event:
            if (Translate(ev, msg))
                return true;
            break;
        case WaitResult::Timeout:
            break;
        case WaitResult::Exhausted:
            throw CScriptExhausted(m_modal.empty() ? std::string{} : m_modal.back(), ModalDepth());
        }
    }
}

bool CWindowSystem::Translate(const CInputEvent& ev, MSG* msg)
{
    if (ev.kind == CInputEvent::Kind::Close) {
        // While a modal window has the host window disabled, its close box
        // is as dead as the rest of it: closing now would destroy the owner
        // under the caller that waits for the answer.
        if (const Window* host = m_tree.Find(m_hHost); host && m_tree.EnabledChain(host))
            Post(m_hHost, WM_CLOSE, 0, 0);
        return false;
    }
    const CInputRouter::Routed routed = m_input.Route(ev);
    if (const Window* w = m_tree.Find(routed.okChanged))
        m_updates.InvalidateWhole(w);
    if (routed.okClicked)
        Post(routed.okClicked, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    if (routed.deliver)
        *msg = routed.msg;
    return routed.deliver;
}

LRESULT CWindowSystem::Dispatch(const MSG& msg)
{
    if (m_dispatchHook)
        m_dispatchHook(msg);
    if (!msg.hwnd)
        return 0;
    const Window* before = m_tree.Find(msg.hwnd);
    const std::uint32_t beginPaints = before ? m_updates.BeginPaints(before) : 0;
    const LRESULT result = Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    // A window that ignores WM_PAINT must not be asked again and again; one
    // that painted keeps whatever became invalid while it did.
    if (msg.message == WM_PAINT)
        if (const Window* w = m_tree.Find(msg.hwnd); w && m_updates.BeginPaints(w) == beginPaints)
            m_updates.ValidateAll(w);
    return result;
}

HWND CWindowSystem::SetFocus(HWND hwnd)
{
    const HWND old = m_hFocus;
    if (hwnd && !m_tree.Find(hwnd))
        return old;
    if (hwnd == old)
        return old;
    m_hFocus = hwnd;
    if (old)
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // The handler of WM_KILLFOCUS may have moved the focus on already.
    if (hwnd && m_hFocus == hwnd)
        Send(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

void CWindowSystem::UpdateWindow(HWND hwnd)
{
    // Paints the window and its children at once, without the queue.
    std::vector<HWND> pending{hwnd};
    while (!pending.empty()) {
        const HWND h = pending.back();
        pending.pop_back();
        const Window* w = m_tree.Find(h);
        if (!w || !m_tree.VisibleChain(w))
            continue;
        if (!m_updates.Region(w).IsEmpty() && PaintNonClient(w))
            Dispatch(MSG{h, WM_PAINT, 0, 0, m_pBackend->Now(), {}});
        if (const Window* again = m_tree.Find(h))
            for (auto it = again->children.rbegin(); it != again->children.rend(); ++it)
                pending.push_back(CWindowTree::Handle(*it));
    }
}

bool CWindowSystem::BeginPaint(Window* w, PAINTSTRUCT* ps, DrawTarget* target)
{
    const HWND hwnd = CWindowTree::Handle(w);
    m_updates.CountBeginPaint(w);
    if (m_updates.TakeErase(w)) {
        ps->fErase = Send(hwnd, WM_ERASEBKGND, 0, 0) == 0;
        // Its handler may have ended the window: nothing is left to paint.
        if (!m_tree.Find(hwnd))
            return false;
    }
    const CRect nc = m_tree.NcInsets(w);
    CRegion update = m_updates.Take(w);
    update.Offset(-nc.left, -nc.top);
    ps->rcPaint = update.Bounds();
    if (target) {
        GetDrawTarget(w, target);
        update.Offset(target->origin.x, target->origin.y);
        target->clip.Intersect(update);
    }
    return true;
}

void CWindowSystem::GetDrawTarget(const Window* w, DrawTarget* target)
{
    target->surface = &m_screen.Surface();
    target->origin = m_tree.ClientOrigin(w);
    target->clip = m_tree.VisibleRegion(w, true);
}

bool CWindowSystem::EraseBackground(Window* w)
{
    if (!w->wc.hbrBackground)
        return false;
    const int index = static_cast<int>((w->wc.hbrBackground & ~SYS_COLOR_INDEX_FLAG) - 1);
    DrawTarget t;
    GetDrawTarget(w, &t);
    // Only the part waiting for paint is erased.
    CRegion clip = m_updates.Region(w);
    const CRect nc = m_tree.NcInsets(w);
    clip.Offset(t.origin.x - nc.left, t.origin.y - nc.top);
    clip.Intersect(t.clip);
    raster::Fill(*t.surface, &clip, t.surface->Bounds(), PixelFromColorRef(GetSysColor(index)));
    m_screen.Changed(clip.Bounds());
    return true;
}

void CWindowSystem::SetHostWindow(HWND hwnd)
{
    m_hHost = hwnd;
    if (const Window* w = m_tree.Find(hwnd))
        m_pBackend->SetTitle(w->text);
}

void CWindowSystem::LeaveModal()
{
    if (!m_modal.empty())
        m_modal.pop_back();
}
