// Corvane on the desktop: the handheld's 240 x 320 screen in a window.

#include "app/CSolitaireApp.h"
#include "platform/backend/sdl/CSdlBackend.h"
#include "platform/fw/CWinApp.h"
#include "platform/win/WinApi.h"
#include "res/CorvaneResources.h"
#include "res/ResourceData.h"

#include <cstdio>
#include <string>

int main()
{
    std::string error;
    auto backend = CSdlBackend::Create(&error);
    if (!backend) {
        std::fprintf(stderr, "corvane: %s\n", error.c_str());
        return 1;
    }
    WsStartup(backend.get());
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
