#include "app/Program.h"

#include "app/CSolitaireApp.h"
#include "platform/fw/CWinApp.h"
#include "platform/win/WinApi.h"
#include "res/CorvaneResources.h"
#include "res/ResourceData.h"

int RunProgram(CBackend* backend)
{
    WsStartup(backend);
    InstallResources(CorvaneResourceData());
    InstallAppResources(CorvaneAppResources());
    // Naming theApp links it in: from a library the linker takes only what
    // something refers to, and the framework finds the object only at run time.
    if (AfxGetApp() != &theApp)
        return 1;
    const int status = AfxWinMain();
    WsShutdown();
    return status;
}
