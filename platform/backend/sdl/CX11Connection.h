#pragma once
// The X display an SDL window is shown on, as far as the host needs it to
// sleep until the display has something for it. Kept apart from the rest of
// the host so that Xlib's macros (None, Bool, Status, ...) stay out of it.

#include <optional>

struct SDL_Window;

class CX11Connection {
public:
    // Nothing when the window is not on X.
    static std::optional<CX11Connection> Of(SDL_Window* pWindow);

    int Socket() const { return m_nSocket; }
    // Events Xlib has read from the socket but nobody has taken yet. SDL can
    // leave some behind after its pump, when something it does last (a
    // focus change's keyboard query) waits for a reply; the socket then says
    // nothing of them.
    bool HasQueuedEvents() const;

private:
    CX11Connection(void* pDisplay, int nSocket) : m_pDisplay(pDisplay), m_nSocket(nSocket) {}

    void* m_pDisplay;  // the Display
    int m_nSocket;
};
