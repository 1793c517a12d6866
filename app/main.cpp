// Corvane on the desktop: the handheld's 240 x 320 screen in a window.

#include "app/CProgram.h"
#include "platform/backend/sdl/CSdlBackend.h"

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
    return CProgram(backend.get()).Run();
}
