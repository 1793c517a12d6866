#pragma once
// The socket of the X display an SDL window is shown on, so that the host can
// sleep on it. Kept apart from the rest of the host so that Xlib's macros
// (None, Bool, Status, ...) stay out of it.

struct SDL_Window;

// The connection's file descriptor, or -1 when the window is not on X.
int X11ConnectionOf(SDL_Window* pWindow);
