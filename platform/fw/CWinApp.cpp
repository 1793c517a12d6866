#include "platform/fw/CWinApp.h"

#include "platform/fw/CWnd.h"

#include <cstdio>

namespace {
CWinApp* g_pApp = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName) { g_pApp = this; }

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

bool CWinApp::InitInstance() { return true; }

int CWinApp::Run()
{
    MSG msg;
    bool idle = true;
    for (;;) {
        if (idle && !PeekMessage()) {
            OnIdle(0);
            idle = false;
        }
        if (!GetMessage(&msg)) {
            ExitInstance();
            return static_cast<int>(msg.wParam);
        }
        DispatchMessage(msg);
        idle = true;
    }
}

bool CWinApp::OnIdle(long lCount)
{
    (void)lCount;
    if (m_pMainWnd && m_pMainWnd->m_hWnd) {
        m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, 1);
        m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, 1);
    }
    return false;
}

int CWinApp::ExitInstance() { return 0; }

void CWinApp::SetRegistryKey(const char* lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : ""; }

int AfxWinMain()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (!app->InitInstance()) {
        app->ExitInstance();
        return 1;
    }
    // Without a main window there is nothing to run: say so rather than wait.
    if (!app->m_pMainWnd || !app->m_pMainWnd->m_hWnd) {
        std::fprintf(stderr, "%s: the main window could not be created\n", app->m_pszAppName ? app->m_pszAppName : "program");
        return 1;
    }
    return app->Run();
}
