// The calls of WinApi.h: each finds the window it names and hands over to
// the part of the window system that holds what it asks about.

#include "platform/win/CWindowSystem.h"
#include "platform/win/NonClient.h"

#include <stdexcept>

namespace {

// Deliberately not a static with a destructor: a program that ends through
// exit() with its windows standing leaves them, and the objects they point
// to, to the end of the process instead of freeing half of them on the way.
CWindowSystem* g_ws = nullptr;

CWindowTree::Window* Find(HWND hwnd) { return Ws().Tree().Find(hwnd); }

}  // namespace

CWindowSystem& Ws()
{
    if (!g_ws)
        throw std::logic_error("the window system is not started");
    return *g_ws;
}

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

CBackend* WsBackend() { return g_ws ? g_ws->Backend() : nullptr; }

const CSurface& WsScreen() { return Ws().Screen().Surface(); }

void WsFlush()
{
    CWindowSystem& ws = Ws();
    ws.Screen().Flush(*ws.Backend());
}

// Classes.

bool RegisterClass(const WNDCLASS& wc) { return Ws().Classes().Register(wc); }

bool GetClassInfo(const char* className, WNDCLASS* out)
{
    const WNDCLASS* wc = Ws().Classes().Find(className);
    if (wc && out)
        *out = *wc;
    return wc != nullptr;
}

UINT GetClassStyle(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->wc.style : 0;
}

std::string GetClassName(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->className : std::string{};
}

// Windows.

HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parentOrOwner, UINT id, void* createParams)
{
    return Ws().Create(exStyle, className, windowName, style, x, y, cx, cy, parentOrOwner, id, createParams);
}

bool DestroyWindow(HWND hwnd)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Tree().Find(hwnd);
    if (!w || w == ws.Tree().Desktop())
        return false;
    ws.Destroy(w);
    return true;
}

bool IsWindow(HWND hwnd) { return g_ws && Find(hwnd) != nullptr; }

HWND GetDesktopWindow() { return CWindowTree::Handle(Ws().Tree().Desktop()); }

HWND GetParent(HWND hwnd) { return Ws().Tree().Parent(hwnd); }

HWND GetOwner(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->owner : nullptr;
}

HWND GetDlgItem(HWND parent, int id)
{
    auto* w = Find(parent);
    if (!w)
        return nullptr;
    for (auto* c : w->children)
        if (static_cast<int>(c->ctrlId) == id)
            return CWindowTree::Handle(c);
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? static_cast<int>(w->ctrlId) : 0;
}

std::vector<HWND> GetChildren(HWND hwnd)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = hwnd ? tree.Find(hwnd) : tree.Desktop();
    std::vector<HWND> out;
    if (w)
        for (auto* c : w->children)
            out.push_back(CWindowTree::Handle(c));
    return out;
}

DWORD GetWindowStyle(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->style : 0;
}

void SetWindowStyle(HWND hwnd, DWORD style)
{
    auto* w = Find(hwnd);
    if (!w)
        return;
    // Visibility and enabled state change only through their own calls.
    constexpr DWORD kept = WS_VISIBLE | WS_DISABLED;
    w->style = (style & ~kept) | (w->style & kept);
}

DWORD GetWindowExStyle(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->exStyle : 0;
}

void SetWindowUserData(HWND hwnd, void* data)
{
    if (auto* w = Find(hwnd))
        w->userData = data;
}

void* GetWindowUserData(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->userData : nullptr;
}

bool SetWindowText(HWND hwnd, const std::string& text)
{
    auto* w = Find(hwnd);
    if (!w)
        return false;
    Ws().SetText(w, text);
    return true;
}

std::string GetWindowText(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->text : std::string{};
}

bool ShowWindow(HWND hwnd, int cmd)
{
    auto* w = Find(hwnd);
    return w && Ws().Show(w, cmd);
}

bool IsWindowVisible(HWND hwnd)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = tree.Find(hwnd);
    return w && tree.VisibleChain(w);
}

bool EnableWindow(HWND hwnd, bool enable)
{
    auto* w = Find(hwnd);
    return w && Ws().Enable(w, enable);
}

bool IsWindowEnabled(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

bool MoveWindow(HWND hwnd, const CRect& rectInParent, bool repaint)
{
    auto* w = Find(hwnd);
    return w && Ws().Move(w, rectInParent, repaint);
}

void BringWindowToTop(HWND hwnd)
{
    if (auto* w = Find(hwnd))
        Ws().BringToTop(w);
}

CRect GetWindowRect(HWND hwnd)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = tree.Find(hwnd);
    return w ? tree.WindowRectScreen(w) : CRect{};
}

CRect GetClientRect(HWND hwnd)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = tree.Find(hwnd);
    if (!w)
        return {};
    const CRect c = tree.ClientRectScreen(w);
    return {0, 0, c.Width(), c.Height()};
}

CRect GetWindowRectInParent(HWND hwnd)
{
    auto* w = Find(hwnd);
    return w ? w->rect : CRect{};
}

CPoint ClientToScreen(HWND hwnd, CPoint p)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = tree.Find(hwnd);
    return w ? p + tree.ClientOrigin(w) : p;
}

CPoint ScreenToClient(HWND hwnd, CPoint p)
{
    CWindowTree& tree = Ws().Tree();
    auto* w = tree.Find(hwnd);
    return w ? p - tree.ClientOrigin(w) : p;
}

HWND WindowFromPoint(CPoint screen) { return CWindowTree::Handle(Ws().Tree().HitTest(screen)); }

CRect GetNonClientInsets(DWORD style, DWORD exStyle) { return nonclient::Insets(style, exStyle); }

// Messages.

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Ws().Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Ws().Post(hwnd, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) { Ws().Queue().PostQuit(exitCode); }

bool PeekMessage() { return Ws().Peek(); }

bool GetMessage(MSG* msg) { return Ws().GetMessage(msg); }

LRESULT DispatchMessage(const MSG& msg) { return Ws().Dispatch(msg); }

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
        auto* w = Find(hwnd);
        return w && Ws().EraseBackground(w) ? 1 : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    default:
        return 0;
    }
}

DWORD GetTickCount() { return Ws().Backend()->Now(); }

void WsEnterModal(const std::string& what) { Ws().EnterModal(what); }

void WsLeaveModal() { Ws().LeaveModal(); }

int WsModalDepth() { return g_ws ? g_ws->ModalDepth() : 0; }

void WsSetDispatchHook(MessageHook hook) { Ws().SetDispatchHook(std::move(hook)); }

// Focus and capture.

HWND SetFocus(HWND hwnd) { return Ws().SetFocus(hwnd); }

HWND GetFocus() { return Ws().Focus(); }

HWND SetCapture(HWND hwnd) { return Ws().Input().SetCapture(hwnd); }

void ReleaseCapture() { Ws().Input().SetCapture(nullptr); }

HWND GetCapture() { return Ws().Input().Capture(); }

// Timers.

void SetTimer(HWND hwnd, UINT id, UINT elapse)
{
    if (Find(hwnd))
        Ws().Timers().Set(hwnd, id, elapse);
}

void KillTimer(HWND hwnd, UINT id) { Ws().Timers().Kill(hwnd, id); }

// Painting.

bool InvalidateRect(HWND hwnd, const CRect* clientRect, bool erase)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Tree().Find(hwnd);
    if (!w)
        return false;
    const CWindowTree& tree = ws.Tree();
    const CRect nc = tree.NcInsets(w);
    const CPoint o = tree.WindowOrigin(w);
    const CRect client = tree.ClientRectScreen(w).Offset(-o.x, -o.y);
    ws.Updates().Invalidate(w, clientRect ? clientRect->Offset(nc.left, nc.top).Intersect(client) : client, erase);
    return true;
}

bool ValidateRect(HWND hwnd, const CRect* clientRect)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Tree().Find(hwnd);
    if (!w)
        return false;
    if (!clientRect) {
        ws.Updates().ValidateAll(w);
        return true;
    }
    const CRect nc = ws.Tree().NcInsets(w);
    ws.Updates().Validate(w, clientRect->Offset(nc.left, nc.top));
    return true;
}

bool GetUpdateRect(HWND hwnd, CRect* out)
{
    CWindowSystem& ws = Ws();
    auto* w = ws.Tree().Find(hwnd);
    if (!w)
        return false;
    const CRect nc = ws.Tree().NcInsets(w);
    const CRect b = ws.Updates().Region(w).Bounds();
    if (out)
        *out = b.IsEmpty() ? CRect{} : b.Offset(-nc.left, -nc.top);
    return !b.IsEmpty();
}

void UpdateWindow(HWND hwnd) { Ws().UpdateWindow(hwnd); }

bool BeginPaint(HWND hwnd, PAINTSTRUCT* ps, DrawTarget* target)
{
    auto* w = Find(hwnd);
    return w && Ws().BeginPaint(w, ps, target);
}

void EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    (void)hwnd;
    (void)ps;
}

bool GetWindowDrawTarget(HWND hwnd, DrawTarget* target)
{
    auto* w = Find(hwnd);
    if (!w)
        return false;
    Ws().GetDrawTarget(w, target);
    return true;
}

void WsScreenDrawn(const CRect& screenRect) { Ws().Screen().Changed(screenRect); }

// The host.

void WsSetHostWindow(HWND hwnd) { Ws().SetHostWindow(hwnd); }

HWND WsGetHostWindow() { return Ws().HostWindow(); }

void WsSetHostIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    Ws().Backend()->SetIcon(image, transparent);
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
