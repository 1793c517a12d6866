#include "platform/win/CWindowSystem.h"

#include "platform/gfx/Raster.h"
#include "platform/win/CScriptExhausted.h"
#include "platform/win/NonClient.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

// Deliberately not a static with a destructor: a program that ends through
// exit() with its windows standing leaves them, and the objects they point
// to, to the end of the process instead of freeing half of them on the way.
CWindowSystem* g_ws = nullptr;

constexpr std::uint32_t DOUBLE_CLICK_TIME = 500;  // ms between the two presses
constexpr int DOUBLE_CLICK_DISTANCE = 4;          // pixels either way

}  // namespace

CWindowSystem& Ws()
{
    if (!g_ws)
        throw std::logic_error("the window system is not started");
    return *g_ws;
}

CWindowSystem::CWindowSystem(CBackend* backend) : m_pBackend(backend)
{
    auto desktop = std::make_unique<Window>();
    desktop->id = m_nNextId++;
    desktop->className = "#desktop";
    desktop->style = WS_VISIBLE;
    desktop->rect = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    m_pDesktop = desktop.get();
    m_windows[desktop->id] = std::move(desktop);
    m_dirty.Union(m_screen.Bounds());
}

CWindowSystem::~CWindowSystem() = default;

CWindowSystem::Window* CWindowSystem::Find(HWND hwnd) const
{
    const auto id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd));
    auto it = m_windows.find(id);
    if (it == m_windows.end() || it->second->destroying)
        return nullptr;
    return it->second.get();
}

HWND CWindowSystem::Handle(const Window* w)
{
    return w ? reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w->id)) : nullptr;
}

CRect CWindowSystem::NcInsets(const Window* w) const { return GetNonClientInsets(w->style, w->exStyle); }

CPoint CWindowSystem::WindowOrigin(const Window* w) const
{
    if (!w->parent)
        return w->rect.TopLeft();
    return ClientOrigin(w->parent) + w->rect.TopLeft();
}

CPoint CWindowSystem::ClientOrigin(const Window* w) const
{
    const CRect nc = NcInsets(w);
    return WindowOrigin(w) + CPoint{nc.left, nc.top};
}

CRect CWindowSystem::WindowRectScreen(const Window* w) const
{
    const CPoint o = WindowOrigin(w);
    return CRect::FromSize(o.x, o.y, w->rect.Width(), w->rect.Height());
}

CRect CWindowSystem::ClientRectScreen(const Window* w) const
{
    const CRect r = WindowRectScreen(w);
    const CRect nc = NcInsets(w);
    CRect c{r.left + nc.left, r.top + nc.top, r.right - nc.right, r.bottom - nc.bottom};
    if (c.right < c.left)
        c.right = c.left;
    if (c.bottom < c.top)
        c.bottom = c.top;
    return c;
}

bool CWindowSystem::VisibleChain(const Window* w) const
{
    for (; w; w = w->parent)
        if (!(w->style & WS_VISIBLE) || w->destroying)
            return false;
    return true;
}

bool CWindowSystem::EnabledChain(const Window* w) const
{
    for (; w; w = w->parent)
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

CRegion CWindowSystem::VisibleRegion(const Window* w, bool clientOnly) const
{
    if (!VisibleChain(w))
        return {};
    CRegion region(clientOnly ? ClientRectScreen(w) : WindowRectScreen(w));
    for (const Window* a = w; a->parent; a = a->parent) {
        region.Intersect(ClientRectScreen(a->parent));
        // Siblings above cover a window; windows never draw over one another.
        for (const Window* s : a->parent->children) {
            if (s == a)
                break;
            if ((s->style & WS_VISIBLE) && !s->destroying)
                region.Subtract(WindowRectScreen(s));
        }
    }
    for (const Window* c : w->children)
        if ((c->style & WS_VISIBLE) && !c->destroying)
            region.Subtract(WindowRectScreen(c));
    return region;
}

void CWindowSystem::InvalidateScreenArea(const CRect& screenRect)
{
    for (auto& [id, w] : m_windows) {
        Window* win = w.get();
        if (win == m_pDesktop || win->destroying)
            continue;
        CRegion part = VisibleRegion(win, false);
        part.Intersect(screenRect);
        if (part.IsEmpty())
            continue;
        const CPoint o = WindowOrigin(win);
        part.Offset(-o.x, -o.y);
        win->update.Union(part);
        win->erase = true;
    }
    // Nothing covers this part of the screen any more: clear it to black.
    CRegion bare(screenRect.Intersect(m_screen.Bounds()));
    for (const Window* top : m_pDesktop->children)
        if ((top->style & WS_VISIBLE) && !top->destroying)
            bare.Subtract(WindowRectScreen(top));
    if (!bare.IsEmpty()) {
        raster::Fill(m_screen, &bare, m_screen.Bounds(), 0);
        m_dirty.Union(bare);
    }
}

void CWindowSystem::InvalidateWhole(Window* w)
{
    InvalidateScreenArea(WindowRectScreen(w));
}

// Parents before children, so a child's paint is never overdrawn.
CWindowSystem::Window* CWindowSystem::FindPaintable(Window* w)
{
    if (w != m_pDesktop && !w->update.IsEmpty()) {
        if (VisibleChain(w))
            return w;
        w->update.Clear();
    }
    for (Window* c : w->children)
        if (Window* found = FindPaintable(c))
            return found;
    return nullptr;
}

void CWindowSystem::PaintNonClient(Window* w)
{
    const CRect whole{0, 0, w->rect.Width(), w->rect.Height()};
    const CRect nc = NcInsets(w);
    const CRect client{nc.left, nc.top, whole.right - nc.right, whole.bottom - nc.bottom};
    CRegion ncPart = w->update;
    ncPart.Subtract(client);
    if (ncPart.IsEmpty())
        return;
    w->update.Intersect(client);
    CRegion clip = VisibleRegion(w, false);
    CRegion ncScreen = ncPart;
    const CPoint o = WindowOrigin(w);
    ncScreen.Offset(o.x, o.y);
    clip.Intersect(ncScreen);
    if (clip.IsEmpty())
        return;
    nonclient::Paint(m_screen, clip, WindowRectScreen(w), w->style, w->exStyle, w->text,
                     w->exStyle & WS_EX_CAPTIONOKBTN ? m_hOkPressed == Handle(w) : false);
    m_dirty.Union(clip.Bounds());
}

CWindowSystem::Window* CWindowSystem::HitTest(Window* parent, CPoint screen) const
{
    for (Window* c : parent->children) {
        if (!(c->style & WS_VISIBLE) || c->destroying || (c->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (!WindowRectScreen(c).Contains(screen))
            continue;
        if (ClientRectScreen(c).Contains(screen))
            if (Window* deeper = HitTest(c, screen))
                return deeper;
        return c;
    }
    return nullptr;
}

bool CWindowSystem::TranslateInput(const CInputEvent& ev, MSG* msg)
{
    using Kind = CInputEvent::Kind;
    if (ev.kind == Kind::Close) {
        // While a modal window has the host window disabled, its close box
        // is as dead as the rest of it: closing now would destroy the owner
        // under the caller that waits for the answer.
        if (Window* host = Find(m_hHost); host && EnabledChain(host))
            PostMessage(m_hHost, WM_CLOSE);
        return false;
    }
    if (ev.kind == Kind::Press)
        m_bButtonDown = true;
    else if (ev.kind == Kind::Release)
        m_bButtonDown = false;

    Window* target = Find(m_hCapture);
    bool nonClient = false;
    if (!target) {
        target = HitTest(m_pDesktop, ev.pt);
        // A disabled window, or one inside a disabled window, takes no input.
        if (!target || !EnabledChain(target))
            target = nullptr;
        else
            nonClient = !ClientRectScreen(target).Contains(ev.pt);
    }

    // The caption's OK button: pressed here, answered on release over it.
    if (ev.kind != Kind::Move && (m_hOkPressed || (target && nonClient))) {
        if (ev.kind == Kind::Press && target && (target->exStyle & WS_EX_CAPTIONOKBTN) &&
            nonclient::OkButtonRect(WindowRectScreen(target)).Contains(ev.pt)) {
            m_hOkPressed = Handle(target);
            InvalidateWhole(target);
        } else if (ev.kind == Kind::Release && m_hOkPressed) {
            const HWND pressed = m_hOkPressed;
            m_hOkPressed = nullptr;
            if (Window* w = Find(pressed)) {
                InvalidateWhole(w);
                if (nonclient::OkButtonRect(WindowRectScreen(w)).Contains(ev.pt))
                    PostMessage(pressed, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
            }
        }
        return false;
    }
    if (!target || nonClient)
        return false;

    const HWND hwnd = Handle(target);
    const CPoint client = ev.pt - ClientOrigin(target);
    *msg = MSG{hwnd, 0, 0, LParamFromPoint(client), ev.time, ev.pt};
    switch (ev.kind) {
    case Kind::Press: {
        msg->message = WM_LBUTTONDOWN;
        msg->wParam = MK_LBUTTON;
        const bool near = std::abs(ev.pt.x - m_lastPressPt.x) <= DOUBLE_CLICK_DISTANCE &&
                          std::abs(ev.pt.y - m_lastPressPt.y) <= DOUBLE_CLICK_DISTANCE;
        if ((target->wc.style & CS_DBLCLKS) && m_bLastPressValid && m_hLastPress == hwnd && near &&
            ev.time - m_nLastPressTime <= DOUBLE_CLICK_TIME) {
            msg->message = WM_LBUTTONDBLCLK;
            m_bLastPressValid = false;  // a third press starts afresh
        } else {
            m_bLastPressValid = true;
            m_hLastPress = hwnd;
            m_nLastPressTime = ev.time;
            m_lastPressPt = ev.pt;
        }
        break;
    }
    case Kind::Release:
        msg->message = WM_LBUTTONUP;
        break;
    case Kind::Move:
        msg->message = WM_MOUSEMOVE;
        msg->wParam = m_bButtonDown ? MK_LBUTTON : 0;
        break;
    case Kind::Close:
        return false;
    }
    return true;
}

void CWindowSystem::Destroy(Window* w)
{
    // A handler of WM_DESTROY may ask for its own window's end again.
    if (w->destroyStarted)
        return;
    w->destroyStarted = true;
    const HWND hwnd = Handle(w);
    const bool wasVisible = VisibleChain(w);
    const CRect area = WindowRectScreen(w);
    // Owned popups go first, then the children, then the window itself. They
    // are named by handle: one window's end may take another with it.
    std::vector<HWND> owned;
    for (Window* top : m_pDesktop->children)
        if (top->owner == hwnd)
            owned.push_back(Handle(top));
    for (HWND o : owned)
        if (Window* ow = Find(o))
            Destroy(ow);
    SendMessage(hwnd, WM_DESTROY);
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(Handle(c));
    for (HWND c : children)
        if (Window* cw = Find(c))
            Destroy(cw);
    w->destroying = true;
    if (m_hFocus == hwnd)
        m_hFocus = nullptr;
    if (m_hCapture == hwnd)
        m_hCapture = nullptr;
    if (m_hLastPress == hwnd)
        m_bLastPressValid = false;
    if (m_hOkPressed == hwnd)
        m_hOkPressed = nullptr;
    std::erase_if(m_timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
    // WM_NCDESTROY goes to the window procedure while the handle still resolves.
    w->destroying = false;
    SendMessage(hwnd, WM_NCDESTROY);
    w->destroying = true;
    if (w->parent)
        std::erase(w->parent->children, w);
    std::erase_if(m_queue, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
    if (m_hHost == hwnd)
        m_hHost = nullptr;
    m_windows.erase(w->id);
    if (wasVisible)
        InvalidateScreenArea(area);
}

std::optional<std::uint32_t> CWindowSystem::NextTimerDue() const
{
    std::optional<std::uint32_t> due;
    for (const Timer& t : m_timers)
        if (!due || static_cast<std::int32_t>(t.due - *due) < 0)
            due = t.due;
    return due;
}

bool CWindowSystem::TakeDueTimer(MSG* msg)
{
    const std::uint32_t now = m_pBackend->Now();
    for (Timer& t : m_timers) {
        if (static_cast<std::int32_t>(now - t.due) >= 0) {
            t.due = now + t.elapse;
            *msg = MSG{t.hwnd, WM_TIMER, t.id, 0, now, {}};
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// The calls.

void WsStartup(CBackend* backend)
{
    delete g_ws;
    g_ws = new CWindowSystem(backend);
}

void WsShutdown()
{
    delete g_ws;
    g_ws = nullptr;
}

CBackend* WsBackend() { return g_ws ? g_ws->m_pBackend : nullptr; }

const CSurface& WsScreen() { return Ws().m_screen; }

void WsFlush()
{
    CWindowSystem& ws = Ws();
    if (ws.m_dirty.IsEmpty())
        return;
    ws.m_pBackend->Present(ws.m_screen, ws.m_dirty);
    ws.m_dirty.Clear();
}

bool RegisterClass(const WNDCLASS& wc)
{
    if (!wc.lpszClassName || !*wc.lpszClassName)
        return false;
    CWindowSystem& ws = Ws();
    auto [it, inserted] = ws.m_classes.try_emplace(wc.lpszClassName, wc);
    if (inserted)
        it->second.lpszClassName = it->first.c_str();
    return inserted;
}

bool GetClassInfo(const char* className, WNDCLASS* out)
{
    if (!className)
        return false;
    CWindowSystem& ws = Ws();
    auto it = ws.m_classes.find(className);
    if (it == ws.m_classes.end())
        return false;
    if (out)
        *out = it->second;
    return true;
}

UINT GetClassStyle(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->wc.style : 0;
}

std::string GetClassName(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->className : std::string{};
}

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parentOrOwner, UINT id, void* createParams)
{
    CWindowSystem& ws = Ws();
    WNDCLASS wc;
    if (!GetClassInfo(className, &wc) || !wc.lpfnWndProc)
        return nullptr;
    auto* parent = ws.m_pDesktop;
    HWND owner = nullptr;
    if (style & WS_CHILD) {
        parent = ws.Find(parentOrOwner);
        if (!parent)
            return nullptr;
    } else if (parentOrOwner) {
        // A popup's owner is always a top-level window.
        auto* o = ws.Find(parentOrOwner);
        while (o && o->parent && o->parent != ws.m_pDesktop)
            o = o->parent;
        owner = CWindowSystem::Handle(o);
    }
    auto win = std::make_unique<CWindowSystem::Window>();
    auto* w = win.get();
    w->id = ws.m_nNextId++;
    w->className = className;
    w->wc = wc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->rect = CRect::FromSize(x, y, std::max(cx, 0), std::max(cy, 0));
    w->parent = parent;
    w->owner = owner;
    w->text = windowName ? windowName : "";
    w->ctrlId = (style & WS_CHILD) ? id : 0;
    ws.m_windows[w->id] = std::move(win);
    // A new top-level window comes to the top; a new child goes below its
    // siblings, so a dialog's first control lies over the later ones.
    parent->children.push_back(w);
    if (parent == ws.m_pDesktop)
        std::rotate(parent->children.begin(), parent->children.end() - 1, parent->children.end());
    const HWND hwnd = CWindowSystem::Handle(w);

    CREATESTRUCT cs{createParams, CWindowSystem::Handle(parent == ws.m_pDesktop ? nullptr : parent), owner, id,
                    x, y, cx, cy, style, windowName, className, exStyle};
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (ws.Find(hwnd))
            DestroyWindow(hwnd);
        return nullptr;
    }
    if (!ws.Find(hwnd))
        return nullptr;
    if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return hwnd;
}

bool DestroyWindow(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w || w == ws.m_pDesktop)
        return false;
    ws.Destroy(w);
    return true;
}

bool IsWindow(HWND hwnd) { return g_ws && Ws().Find(hwnd) != nullptr; }

HWND GetDesktopWindow() { return CWindowSystem::Handle(Ws().m_pDesktop); }

HWND GetParent(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w || !w->parent || w->parent == ws.m_pDesktop)
        return nullptr;
    return CWindowSystem::Handle(w->parent);
}

HWND GetOwner(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->owner : nullptr;
}

HWND GetDlgItem(HWND parent, int id)
{
    auto* w = Ws().Find(parent);
    if (!w)
        return nullptr;
    for (auto* c : w->children)
        if (static_cast<int>(c->ctrlId) == id)
            return CWindowSystem::Handle(c);
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? static_cast<int>(w->ctrlId) : 0;
}

std::vector<HWND> GetChildren(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = hwnd ? ws.Find(hwnd) : ws.m_pDesktop;
    std::vector<HWND> out;
    if (w)
        for (auto* c : w->children)
            out.push_back(CWindowSystem::Handle(c));
    return out;
}

DWORD GetWindowStyle(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->style : 0;
}

void SetWindowStyle(HWND hwnd, DWORD style)
{
    auto* w = Ws().Find(hwnd);
    if (!w)
        return;
    // Visibility and enabled state change only through their own calls.
    constexpr DWORD kept = WS_VISIBLE | WS_DISABLED;
    w->style = (style & ~kept) | (w->style & kept);
}

DWORD GetWindowExStyle(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->exStyle : 0;
}

void SetWindowUserData(HWND hwnd, void* data)
{
    if (auto* w = Ws().Find(hwnd))
        w->userData = data;
}

void* GetWindowUserData(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->userData : nullptr;
}

bool SetWindowText(HWND hwnd, const std::string& text)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    w->text = text;
    // The caption shows the text; the window's own painting shows the rest.
    ws.InvalidateWhole(w);
    if (hwnd == ws.m_hHost)
        ws.m_pBackend->SetTitle(text);
    SendMessage(hwnd, WM_SETTEXT, 0, 0);
    return true;
}

std::string GetWindowText(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->text : std::string{};
}

bool ShowWindow(HWND hwnd, int cmd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = cmd != SW_HIDE;
    if (show == wasVisible)
        return wasVisible;
    if (show) {
        w->style |= WS_VISIBLE;
        // Inside a hidden parent nothing shows yet, and what lies beneath
        // must not be asked to paint again; the parent's showing paints it.
        if (ws.VisibleChain(w))
            ws.InvalidateWhole(w);
    } else {
        const bool wasShown = ws.VisibleChain(w);
        const CRect area = ws.WindowRectScreen(w);
        w->style &= ~WS_VISIBLE;
        if (wasShown)
            ws.InvalidateScreenArea(area);
        // A hidden window can hold neither the focus nor the capture.
        for (HWND f = ws.m_hFocus; f; f = GetParent(f))
            if (f == hwnd) {
                ws.m_hFocus = nullptr;
                break;
            }
        if (ws.m_hCapture == hwnd)
            ws.m_hCapture = nullptr;
    }
    SendMessage(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
    // An application's own top-level window takes the focus when it first
    // shows, as it becomes the active window; owned popups (boxes, menus,
    // tooltips) leave the focus to their owners' code.
    if (show && w->parent == ws.m_pDesktop && !w->owner && !(w->style & WS_DISABLED) && ws.Find(hwnd) &&
        !ws.Find(ws.m_hFocus))
        SetFocus(hwnd);
    return wasVisible;
}

bool IsWindowVisible(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    return w && ws.VisibleChain(w);
}

bool EnableWindow(HWND hwnd, bool enable)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable == wasDisabled) {
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        if (!enable && ws.m_hCapture == hwnd)
            ws.m_hCapture = nullptr;
        SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    }
    return wasDisabled;
}

bool IsWindowEnabled(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

bool MoveWindow(HWND hwnd, const CRect& rectInParent, bool repaint)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    if (w->rect == rectInParent)
        return true;
    const bool visible = ws.VisibleChain(w);
    const CRect before = ws.WindowRectScreen(w);
    const CSize oldSize{w->rect.Width(), w->rect.Height()};
    w->rect = rectInParent;
    if (visible && repaint) {
        ws.InvalidateScreenArea(before);
        ws.InvalidateWhole(w);
    }
    if (oldSize != CSize{w->rect.Width(), w->rect.Height()}) {
        const CRect client = GetClientRect(hwnd);
        SendMessage(hwnd, WM_SIZE, 0, MAKELPARAM(client.Width(), client.Height()));
    }
    return true;
}

void BringWindowToTop(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w || !w->parent)
        return;
    auto& siblings = w->parent->children;
    if (!siblings.empty() && siblings.front() == w)
        return;
    // Slides the siblings above it down by one and puts it first.
    const auto at = std::find(siblings.begin(), siblings.end(), w);
    std::rotate(siblings.begin(), at, at + 1);
    if (ws.VisibleChain(w))
        ws.InvalidateWhole(w);
}

CRect GetWindowRect(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    return w ? ws.WindowRectScreen(w) : CRect{};
}

CRect GetClientRect(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return {};
    const CRect c = ws.ClientRectScreen(w);
    return {0, 0, c.Width(), c.Height()};
}

CRect GetWindowRectInParent(HWND hwnd)
{
    auto* w = Ws().Find(hwnd);
    return w ? w->rect : CRect{};
}

CPoint ClientToScreen(HWND hwnd, CPoint p)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    return w ? p + ws.ClientOrigin(w) : p;
}

CPoint ScreenToClient(HWND hwnd, CPoint p)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    return w ? p - ws.ClientOrigin(w) : p;
}

HWND WindowFromPoint(CPoint screen)
{
    CWindowSystem& ws = Ws();
    return CWindowSystem::Handle(ws.HitTest(ws.m_pDesktop, screen));
}

CRect GetNonClientInsets(DWORD style, DWORD exStyle)
{
    (void)exStyle;
    CRect nc;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        nc = {1, CAPTION_HEIGHT, 1, 1};
    } else if (style & (WS_BORDER | WS_DLGFRAME)) {
        nc = {1, 1, 1, 1};
    }
    if (style & WS_VSCROLL)
        nc.right += 0;  // scroll bars are drawn by the controls that own them
    return nc;
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return 0;
    return w->wc.lpfnWndProc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWindowSystem& ws = Ws();
    if (hwnd && !ws.Find(hwnd))
        return false;
    ws.m_queue.push_back(MSG{hwnd, msg, wParam, lParam, ws.m_pBackend->Now(), {}});
    return true;
}

void PostQuitMessage(int exitCode) { Ws().m_quitCode = exitCode; }

bool PeekMessage()
{
    CWindowSystem& ws = Ws();
    if (!ws.m_queue.empty() || ws.m_quitCode)
        return true;
    if (auto due = ws.NextTimerDue(); due && static_cast<std::int32_t>(ws.m_pBackend->Now() - *due) >= 0)
        return true;
    return ws.FindPaintable(ws.m_pDesktop) != nullptr;
}

bool GetMessage(MSG* msg)
{
    CWindowSystem& ws = Ws();
    for (;;) {
        if (!ws.m_queue.empty()) {
            *msg = ws.m_queue.front();
            ws.m_queue.pop_front();
            return true;
        }
        if (ws.m_quitCode) {
            *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*ws.m_quitCode), 0, ws.m_pBackend->Now(), {}};
            ws.m_quitCode.reset();
            return false;
        }
        CInputEvent ev;
        if (ws.m_pBackend->PollEvent(ev)) {
            if (ws.TranslateInput(ev, msg))
                return true;
            continue;
        }
        if (ws.TakeDueTimer(msg))
            return true;
        if (auto* w = ws.FindPaintable(ws.m_pDesktop)) {
            ws.PaintNonClient(w);
            if (w->update.IsEmpty())
                continue;
            *msg = MSG{CWindowSystem::Handle(w), WM_PAINT, 0, 0, ws.m_pBackend->Now(), {}};
            return true;
        }
        // Nothing to do: show the screen, then sleep until input or a timer.
        WsFlush();
        switch (ws.m_pBackend->WaitEvent(ws.NextTimerDue(), ev)) {
        case WaitResult::Event:
            if (ws.TranslateInput(ev, msg))
                return true;
            break;
        case WaitResult::Timeout:
            break;
        case WaitResult::Exhausted:
            throw CScriptExhausted(ws.m_modal.empty() ? std::string{} : ws.m_modal.back(),
                                   static_cast<int>(ws.m_modal.size()));
        }
    }
}

LRESULT DispatchMessage(const MSG& msg)
{
    CWindowSystem& ws = Ws();
    if (ws.m_dispatchHook)
        ws.m_dispatchHook(msg);
    if (!msg.hwnd)
        return 0;
    const auto* before = ws.Find(msg.hwnd);
    const std::uint32_t beginPaints = before ? before->beginPaints : 0;
    const LRESULT result = SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    // A window that ignores WM_PAINT must not be asked again and again; one
    // that painted keeps whatever became invalid while it did.
    if (msg.message == WM_PAINT)
        if (auto* w = ws.Find(msg.hwnd); w && w->beginPaints == beginPaints)
            w->update.Clear();
    return result;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        DrawTarget t;
        BeginPaint(hwnd, &ps, &t);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        CWindowSystem& ws = Ws();
        auto* w = ws.Find(hwnd);
        if (!w || !w->wc.hbrBackground)
            return 0;
        const int index = static_cast<int>((w->wc.hbrBackground & ~SYS_COLOR_INDEX_FLAG) - 1);
        DrawTarget t;
        if (!GetWindowDrawTarget(hwnd, &t))
            return 0;
        // Only the part waiting for paint is erased.
        CRegion clip = w->update;
        const CRect nc = ws.NcInsets(w);
        clip.Offset(-nc.left, -nc.top);
        clip.Offset(t.origin.x, t.origin.y);
        clip.Intersect(t.clip);
        raster::Fill(*t.surface, &clip, t.surface->Bounds(), PixelFromColorRef(GetSysColor(index)));
        WsScreenDrawn(clip.Bounds());
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    default:
        return 0;
    }
}

DWORD GetTickCount() { return Ws().m_pBackend->Now(); }

void WsEnterModal(const std::string& what) { Ws().m_modal.push_back(what); }

void WsLeaveModal()
{
    CWindowSystem& ws = Ws();
    if (!ws.m_modal.empty())
        ws.m_modal.pop_back();
}

int WsModalDepth() { return g_ws ? static_cast<int>(Ws().m_modal.size()) : 0; }

void WsSetDispatchHook(MessageHook hook) { Ws().m_dispatchHook = std::move(hook); }

HWND SetFocus(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    const HWND old = ws.m_hFocus;
    if (hwnd && !ws.Find(hwnd))
        return old;
    if (hwnd == old)
        return old;
    ws.m_hFocus = hwnd;
    if (old)
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // The handler of WM_KILLFOCUS may have moved the focus on already.
    if (hwnd && ws.m_hFocus == hwnd)
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return Ws().m_hFocus; }

HWND SetCapture(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    const HWND old = ws.m_hCapture;
    ws.m_hCapture = ws.Find(hwnd) ? hwnd : nullptr;
    return old;
}

void ReleaseCapture() { Ws().m_hCapture = nullptr; }

HWND GetCapture() { return Ws().m_hCapture; }

void SetTimer(HWND hwnd, UINT id, UINT elapse)
{
    CWindowSystem& ws = Ws();
    if (!ws.Find(hwnd))
        return;
    KillTimer(hwnd, id);
    ws.m_timers.push_back({hwnd, id, std::max<UINT>(elapse, 1), ws.m_pBackend->Now() + std::max<UINT>(elapse, 1)});
}

void KillTimer(HWND hwnd, UINT id)
{
    std::erase_if(Ws().m_timers, [&](const CWindowSystem::Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

bool InvalidateRect(HWND hwnd, const CRect* clientRect, bool erase)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    const CRect nc = ws.NcInsets(w);
    const CRect client = ws.ClientRectScreen(w).Offset(-ws.WindowOrigin(w).x, -ws.WindowOrigin(w).y);
    CRect r = clientRect ? clientRect->Offset(nc.left, nc.top).Intersect(client) : client;
    w->update.Union(r);
    w->erase = w->erase || erase;
    return true;
}

bool ValidateRect(HWND hwnd, const CRect* clientRect)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    if (!clientRect) {
        w->update.Clear();
        return true;
    }
    const CRect nc = ws.NcInsets(w);
    w->update.Subtract(clientRect->Offset(nc.left, nc.top));
    return true;
}

bool GetUpdateRect(HWND hwnd, CRect* out)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    const CRect nc = ws.NcInsets(w);
    const CRect b = w->update.Bounds();
    if (out)
        *out = b.IsEmpty() ? CRect{} : b.Offset(-nc.left, -nc.top);
    return !b.IsEmpty();
}

void UpdateWindow(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    // Paints the window and its children at once, without the queue.
    std::vector<HWND> pending{hwnd};
    while (!pending.empty()) {
        const HWND h = pending.back();
        pending.pop_back();
        auto* w = ws.Find(h);
        if (!w || !ws.VisibleChain(w))
            continue;
        if (!w->update.IsEmpty()) {
            ws.PaintNonClient(w);
            if (!w->update.IsEmpty()) {
                MSG m{h, WM_PAINT, 0, 0, ws.m_pBackend->Now(), {}};
                DispatchMessage(m);
            }
        }
        if (auto* again = ws.Find(h))
            for (auto it = again->children.rbegin(); it != again->children.rend(); ++it)
                pending.push_back(CWindowSystem::Handle(*it));
    }
}

bool BeginPaint(HWND hwnd, PAINTSTRUCT* ps, DrawTarget* target)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    ++w->beginPaints;
    if (w->erase) {
        w->erase = false;
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND) == 0;
    }
    const CRect nc = ws.NcInsets(w);
    CRegion update = w->update;
    update.Offset(-nc.left, -nc.top);
    ps->rcPaint = update.Bounds();
    w->update.Clear();
    if (target) {
        GetWindowDrawTarget(hwnd, target);
        update.Offset(target->origin.x, target->origin.y);
        target->clip.Intersect(update);
    }
    return true;
}

void EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    (void)hwnd;
    (void)ps;
}

bool GetWindowDrawTarget(HWND hwnd, DrawTarget* target)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Find(hwnd);
    if (!w)
        return false;
    target->surface = &ws.m_screen;
    target->origin = ws.ClientOrigin(w);
    target->clip = ws.VisibleRegion(w, true);
    return true;
}

void WsScreenDrawn(const CRect& screenRect)
{
    CWindowSystem& ws = Ws();
    ws.m_dirty.Union(screenRect.Intersect(ws.m_screen.Bounds()));
}

void WsSetHostWindow(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    ws.m_hHost = hwnd;
    if (auto* w = ws.Find(hwnd))
        ws.m_pBackend->SetTitle(w->text);
}

HWND WsGetHostWindow() { return Ws().m_hHost; }

void WsSetHostIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    Ws().m_pBackend->SetIcon(image, transparent);
}

COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(192, 192, 192);
    default:
        return RGB(0, 0, 0);
    }
}
