#include "tests/e2e/CHeadlessProgram.h"

#include "app/CMainFrame.h"
#include "app/CSolitaireApp.h"
#include "res/CorvaneResources.h"
#include "res/ResourceData.h"

CHeadlessProgram::CHeadlessProgram(CBackend* pHost)
{
    WsStartup(pHost);
    InstallResources(CorvaneResourceData());
    InstallAppResources(CorvaneAppResources());
    theApp.m_pMainWnd = nullptr;
    theApp.InitInstance();
}

CHeadlessProgram::~CHeadlessProgram()
{
    if (CWnd* main = theApp.m_pMainWnd; main && main->m_hWnd)
        main->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    WsShutdown();
}

CBoard& CHeadlessProgram::Game() const { return dynamic_cast<CMainFrame&>(*theApp.m_pMainWnd).m_wndBoard.Board(); }
