#include "app/CProgram.h"

#include "app/CSolitaireApp.h"
#include "platform/fw/AppResources.h"
#include "platform/fw/CWnd.h"
#include "platform/win/WinApi.h"
#include "res/CorvaneResources.h"
#include "res/ResourceData.h"

CProgram::CProgram(CBackend* pHost)
{
    WsStartup(pHost);
    InstallResources(CorvaneResourceData());
    InstallAppResources(CorvaneAppResources());
    // A program started before in this process may have left its pointer.
    theApp.m_pMainWnd = nullptr;
}

CProgram::~CProgram()
{
    if (CWnd* main = theApp.m_pMainWnd; main && main->m_hWnd)
        main->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    WsShutdown();
}

int CProgram::Run()
{
    // Naming theApp links it in: from a library the linker takes only what
    // something refers to, and the framework finds the object only at run time.
    if (AfxGetApp() != &theApp)
        return 1;
    return AfxWinMain();
}

void CProgram::Start() { theApp.InitInstance(); }
