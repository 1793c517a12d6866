#include "app/CMainFrame.h"

#include "res/Resource.h"

// Never made by name, never stored.
const CRuntimeClass CMainFrame::classCMainFrame{"CMainFrame", sizeof(CMainFrame), 0xFFFF, nullptr,
                                                &CFrameWnd::classCFrameWnd};

const CRuntimeClass* CMainFrame::GetRuntimeClass() const { return &classCMainFrame; }

constexpr MessageEntry CMainFrame::s_entries[] = {
    OnCreateEntry<&CMainFrame::OnCreate>(),
    OnSetFocusEntry<&CMainFrame::OnSetFocus>(),
};
constexpr MessageTable CMainFrame::s_messageTable{&CFrameWnd::s_messageTable, s_entries};

const MessageTable* CMainFrame::GetMessageMap() const { return &s_messageTable; }

// The tooltip table is filled when the window is created.
CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return false;
    cs.lpszClass = AfxRegisterWndClass(0, nullptr, 0, nullptr);
    return true;
}

int CMainFrame::OnCreate(CREATESTRUCT* lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndBoard.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                           AFX_IDW_PANE_FIRST, nullptr))
        return -1;
    m_apszToolTips[0] = L"b";
    m_apszToolTips[1] = L"c";
    m_apszToolTips[2] = L"Exit";
    m_apszToolTips[3] = L"Deal again";
    m_apszToolTips[4] = L"Undo";
    m_apszToolTips[5] = L"About and help";
    if (!m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR))
        return -1;
    if (!m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME, 0xFFFF))
        return -1;
    if (!m_wndCommandBar.AddAdornments(0))
        return -1;
    if (!m_wndCommandBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndCommandBar.SendMessage(TB_SETTOOLTIPS, 6, reinterpret_cast<LPARAM>(m_apszToolTips)))
        return -1;
    m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
    return 0;
}

void CMainFrame::OnSetFocus(CWnd* pOldWnd)
{
    (void)pOldWnd;
    m_wndBoard.SetFocus();
}

bool CMainFrame::OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (m_wndBoard.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
