#include "platform/fw/CWnd.h"

#include "platform/fw/CDC.h"
#include "platform/fw/CMessageBox.h"

#include <cstdio>
#include <set>

namespace {

// The object whose window CreateWindowEx is making: its first message
// (WM_CREATE) must already reach it. The first message takes it, so that a
// window refused and destroyed meanwhile leaves no object to hand on.
CWnd* g_pWndInit = nullptr;

std::set<std::string>& ClassNames()
{
    static std::set<std::string> names;
    return names;
}

class CWndInitGuard {
public:
    explicit CWndInitGuard(CWnd* w) : m_pWnd(w), m_pPrevious(g_pWndInit) { g_pWndInit = w; }
    ~CWndInitGuard() { g_pWndInit = m_pPrevious; }
    CWndInitGuard(const CWndInitGuard&) = delete;
    CWndInitGuard& operator=(const CWndInitGuard&) = delete;

    // Whether the window's first message has reached the object.
    bool Taken() const { return g_pWndInit != m_pWnd; }

private:
    CWnd* m_pWnd;
    CWnd* m_pPrevious;
};

}  // namespace

CWnd* AfxWndFromHandle(HWND hwnd) { return CWnd::FromHandle(hwnd); }

const char* AfxRegisterWndClass(UINT nClassStyle, const void* hCursor, std::uintptr_t hbrBackground, const void* hIcon)
{
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%llx:%p", nClassStyle, hCursor,
                  static_cast<unsigned long long>(hbrBackground), hIcon);
    // Names live as long as the process, as registered classes do.
    const std::string& stored = *ClassNames().insert(name).first;
    if (!GetClassInfo(stored.c_str(), nullptr)) {
        WNDCLASS wc;
        wc.style = nClassStyle;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = stored.c_str();
        RegisterClass(wc);
    }
    return stored.c_str();
}

const char* AfxEnsureClass(const char* name, UINT nClassStyle, std::uintptr_t hbrBackground)
{
    if (!GetClassInfo(name, nullptr)) {
        WNDCLASS wc;
        wc.style = nClassStyle;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        RegisterClass(wc);
    }
    return name;
}

LRESULT AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd && g_pWndInit) {
        wnd = g_pWndInit;
        g_pWndInit = nullptr;
        wnd->m_hWnd = hwnd;
        SetWindowUserData(hwnd, wnd);
    }
    if (!wnd)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    return wnd->WindowProc(msg, wParam, lParam);
}

constexpr MessageTable CWnd::s_messageTable{&CCmdTarget::s_messageTable, {}};

const MessageTable* CWnd::GetMessageMap() const { return &s_messageTable; }

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // An object going away takes its window with it, but never runs our
    // handlers from a destructor: it lets go first.
    if (m_hWnd && IsWindow(m_hWnd)) {
        const HWND h = Detach();
        ::DestroyWindow(h);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd || !IsWindow(hwnd))
        return nullptr;
    return static_cast<CWnd*>(GetWindowUserData(hwnd));
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    SetWindowUserData(hwnd, this);
}

HWND CWnd::Detach()
{
    const HWND h = m_hWnd;
    if (h && GetWindowUserData(h) == this)
        SetWindowUserData(h, nullptr);
    m_hWnd = nullptr;
    return h;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (!IsWindow(hwnd) || m_hWnd)
        return false;
    CWnd* previous = FromHandle(hwnd);
    if (previous == this)
        return true;
    if (previous) {
        previous->Detach();
        if (previous->m_bAutoDelete)
            delete previous;
    }
    Attach(hwnd);
    return true;
}

bool CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return pParent && SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

bool CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, SYS_COLOR_INDEX_FLAG | (COLOR_WINDOW + 1));
    return true;
}

bool CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

bool CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const CRect& rect, CWnd* pParentOrOwner, UINT nID, void* lpParam)
{
    if (m_hWnd)
        return false;
    CREATESTRUCT cs{lpParam, pParentOrOwner ? pParentOrOwner->m_hWnd : nullptr, nullptr, nID, rect.left, rect.top,
                    rect.Width(), rect.Height(), dwStyle, lpszWindowName, lpszClassName, dwExStyle};
    // A creation that fails ends the object's life as a window as a
    // destruction does, with PostNcDestroy once: a frame or control that
    // deletes itself is gone either way, and its creator never has to guess.
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return false;
    }
    HWND hwnd;
    bool taken;
    {
        CWndInitGuard guard(this);
        hwnd = CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                              cs.hwndParent, cs.id, cs.lpCreateParams);
        taken = guard.Taken();
    }
    if (!hwnd) {
        // A window that reached the object and was refused or destroyed has
        // had its WM_NCDESTROY: the object may be deleted, so leave it alone.
        if (!taken)
            PostNcDestroy();
        return false;
    }
    return m_hWnd == hwnd;
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        *pResult = 0;
        return OnCommand(wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        Detach();
        PostNcDestroy();
        *pResult = 0;
        return true;
    }
    const MessageEntry* e = GetMessageMap()->Find(message, 0, 0);
    if (!e)
        return false;
    return e->pfn(this, wParam, lParam, nullptr, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

void CWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

bool CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
bool CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
bool CWnd::EnableWindow(bool bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
bool CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
void CWnd::SetWindowText(const std::string& text) { ::SetWindowText(m_hWnd, text); }
std::string CWnd::GetWindowText() const { return ::GetWindowText(m_hWnd); }
DWORD CWnd::GetStyle() const { return GetWindowStyle(m_hWnd); }
DWORD CWnd::GetExStyle() const { return GetWindowExStyle(m_hWnd); }

bool CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd)
{
    const DWORD before = GetStyle();
    const DWORD after = (before & ~dwRemove) | dwAdd;
    if (after == before)
        return false;
    SetWindowStyle(m_hWnd, after);
    return true;
}

void CWnd::MoveWindow(const CRect& rect, bool bRepaint) { ::MoveWindow(m_hWnd, rect, bRepaint); }
void CWnd::GetClientRect(CRect* rect) const { *rect = ::GetClientRect(m_hWnd); }
void CWnd::GetWindowRect(CRect* rect) const { *rect = ::GetWindowRect(m_hWnd); }
void CWnd::Invalidate(bool bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(const CRect* rect, bool bErase) { ::InvalidateRect(m_hWnd, rect, bErase); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetOwner(m_hWnd)); }
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (HWND p = ::GetParent(h))
        h = p;
    return FromHandle(h);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CWnd* over = pAlternateOwner ? pAlternateOwner : GetOwner();
    const CRect area = over && over->m_hWnd ? ::GetWindowRect(over->m_hWnd) : CRect{};
    const CRect base = area.IsEmpty() ? CRect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT} : area;
    const CRect me = ::GetWindowRect(m_hWnd);
    int x = base.left + (base.Width() - me.Width()) / 2;
    int y = base.top + (base.Height() - me.Height()) / 2;
    // Keep the whole window on the screen.
    x = std::max(0, std::min(x, SCREEN_WIDTH - me.Width()));
    y = std::max(0, std::min(y, SCREEN_HEIGHT - me.Height()));
    CRect target = CRect::FromSize(x, y, me.Width(), me.Height());
    if (HWND parent = ::GetParent(m_hWnd)) {
        const CPoint o = ::ClientToScreen(parent, {0, 0});
        target = target.Offset(-o.x, -o.y);
    }
    ::MoveWindow(m_hWnd, target, true);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND child : GetChildren(m_hWnd)) {
        ::SendMessage(child, message, wParam, lParam);
        if (CWnd* w = FromHandle(child))
            w->SendMessageToDescendants(message, wParam, lParam);
    }
}

CDC* CWnd::GetDC() { return new CClientDC(this); }

int CWnd::ReleaseDC(CDC* pDC)
{
    delete pDC;
    return 1;
}

int CWnd::MessageBox(const char* lpszText, const char* lpszCaption, UINT nType)
{
    CMessageBox box(this, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "Error", nType);
    return box.DoModal();
}

namespace {

class CModalScope {
public:
    explicit CModalScope(const std::string& what) { WsEnterModal(what); }
    ~CModalScope() { WsLeaveModal(); }
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;
};

}  // namespace

int CWnd::RunModalLoop(const std::string& what)
{
    m_bInModalLoop = true;
    m_nModalResult = -1;
    CModalScope scope(what);
    MSG msg;
    while (m_bInModalLoop) {
        if (!GetMessage(&msg)) {
            // The program is quitting: let the outer loop see it too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_bInModalLoop = false;
            break;
        }
        DispatchMessage(msg);
        if (!m_hWnd || !IsWindow(m_hWnd))
            m_bInModalLoop = false;
    }
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    m_bInModalLoop = false;
}
