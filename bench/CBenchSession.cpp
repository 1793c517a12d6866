#include "bench/CBenchSession.h"

#include "app/CSolitaireApp.h"
#include "platform/runtime/Runtime.h"
#include "platform/win/WinApi.h"
#include "res/CorvaneResources.h"
#include "res/ResourceData.h"

CBenchSession::CBenchSession()
{
    // Every run deals the same game.
    crt::SetTimeSource([] { return kDealSecond; });
    WsStartup(&m_host);
    InstallResources(CorvaneResourceData());
    InstallAppResources(CorvaneAppResources());
    theApp.m_pMainWnd = nullptr;
    theApp.InitInstance();
}

CBenchSession::~CBenchSession()
{
    if (CWnd* main = theApp.m_pMainWnd; main && main->m_hWnd)
        main->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    WsShutdown();
    crt::SetTimeSource({});
}

bool CBenchSession::Run() { return theApp.Run() == 0; }

CMainFrame* CBenchSession::Frame() const { return dynamic_cast<CMainFrame*>(theApp.m_pMainWnd); }
