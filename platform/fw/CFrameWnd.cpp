#include "platform/fw/CFrameWnd.h"

#include "platform/fw/AppResources.h"
#include "platform/fw/CWinApp.h"
#include "platform/res/ResourceTable.h"

#include <string>

const CRuntimeClass CFrameWnd::classCFrameWnd{"CFrameWnd", sizeof(CFrameWnd), 0xFFFF, nullptr,
                                              &CObject::classCObject};

const CRuntimeClass* CFrameWnd::GetRuntimeClass() const { return &classCFrameWnd; }

constexpr MessageEntry CFrameWnd::s_entries[] = {
    OnCreateEntry<&CFrameWnd::OnCreate>(),
    OnSetFocusEntry<&CFrameWnd::OnSetFocus>(),
    OnSizeEntry<&CFrameWnd::OnSize>(),
    OnDestroyEntry<&CFrameWnd::OnDestroy>(),
    OnMessageEntry<WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI>(),
};
constexpr MessageTable CFrameWnd::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CFrameWnd::GetMessageMap() const { return &s_messageTable; }

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(0);
    return true;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void* pContext)
{
    // The title is the first field of the string; there is no document name.
    std::string title;
    if (const char* s = FindStringResource(nIDResource)) {
        title = s;
        title = title.substr(0, title.find('\n'));
    }
    const CRect screen{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (!CreateEx(0, nullptr, title.c_str(), dwDefaultStyle & ~(WS_CHILD | WS_VISIBLE), screen, pParentWnd, 0,
                  pContext))
        return false;
    RecalcLayout();
    if (AfxGetMainWnd() == this) {
        WsSetHostWindow(m_hWnd);
        if (auto icon = LoadIconResource(nIDResource, 32, nullptr)) {
            std::vector<std::uint8_t> transparent(static_cast<std::size_t>(icon->Width() * icon->Height()));
            for (int y = 0; y < icon->Height(); ++y)
                for (int x = 0; x < icon->Width(); ++x)
                    transparent[static_cast<std::size_t>(y * icon->Width() + x)] = icon->IsOpaque(x, y) ? 0 : 1;
            WsSetHostIcon(icon->color, transparent);
        }
    }
    return true;
}

int CFrameWnd::OnCreate(CREATESTRUCT* lpCreateStruct)
{
    (void)lpCreateStruct;
    return 0;
}

bool CFrameWnd::OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int top = client.top;
    HWND pane = nullptr;
    // Bars go top to bottom in creation order.
    for (HWND child : GetChildren(m_hWnd)) {
        if (::GetDlgCtrlID(child) == static_cast<int>(AFX_IDW_PANE_FIRST)) {
            pane = child;
            continue;
        }
        auto* bar = dynamic_cast<CControlBar*>(CWnd::FromHandle(child));
        if (!bar || !(GetWindowStyle(child) & WS_VISIBLE))
            continue;
        const int height = bar->CalcHeight();
        ::MoveWindow(child, {client.left, top, client.right, top + height}, true);
        top += height;
    }
    if (pane)
        ::MoveWindow(pane, {client.left, top, client.right, client.bottom}, true);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    if (CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)))
        pane->SetFocus();
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

void CFrameWnd::OnDestroy()
{
    // The main window's end is the message loop's end.
    if (AfxGetMainWnd() == this)
        PostQuitMessage(0);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) { return 0; }

void CFrameWnd::PostNcDestroy()
{
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
    delete this;
}
