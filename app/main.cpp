// Corvane on the desktop: the handheld's 240 x 320 screen in a window.

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
    const int status = AfxWinMain();
    WsShutdown();
    return status;
}
