// Corvane on Windows: the handheld's 240 x 320 screen in a window of
// Windows' own. A program of the Windows subsystem: no console opens with it.

#include "app/CProgram.h"
#include "platform/backend/win32/CWin32Backend.h"
#include "platform/win/WinApi.h"

#include <string>

int main()
{
    std::string error;
    auto backend = CWin32Backend::Create(SCREEN_WIDTH, SCREEN_HEIGHT, &error);
    if (!backend) {
        CWin32Backend::ShowError("Corvane cannot start: " + error + ".");
        return 1;
    }
    return CProgram(backend.get()).Run();
}
