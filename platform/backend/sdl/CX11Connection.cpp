#include "platform/backend/sdl/CX11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

std::optional<CX11Connection> CX11Connection::Of(SDL_Window* pWindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(pWindow, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return std::nullopt;
    return CX11Connection(info.info.x11.display, XConnectionNumber(info.info.x11.display));
}

bool CX11Connection::HasQueuedEvents() const
{
    return XEventsQueued(static_cast<Display*>(m_pDisplay), QueuedAlready) > 0;
}
