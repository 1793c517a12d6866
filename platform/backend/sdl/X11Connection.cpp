#include "platform/backend/sdl/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

int X11ConnectionOf(SDL_Window* pWindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(pWindow, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return -1;
    return XConnectionNumber(info.info.x11.display);
}
