#pragma once
// Watches an X screen for the window of a program being started: when its
// top-level window is mapped, and when that window first shows a picture
// (its content is no longer one flat colour). Damage reports on the root
// window say when anything was drawn, so the content is read only then,
// with a slow poll as a fallback.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>

class CX11Watch {
public:
    using Clock = std::chrono::steady_clock;

    struct Shown {
        Window window = 0;
        Clock::time_point mapped{};
        std::optional<Clock::time_point> framed;
    };

    CX11Watch() = default;
    ~CX11Watch();
    CX11Watch(const CX11Watch&) = delete;
    CX11Watch& operator=(const CX11Watch&) = delete;

    // Connects to $DISPLAY and starts watching, before the program starts.
    bool Open(std::string* error);
    // The first top-level window mapped since Open, and its first picture,
    // waited for until the deadline.
    std::optional<Shown> WaitForWindow(Clock::time_point deadline);
    // The process that owns the window, as the window says (_NET_WM_PID).
    std::optional<pid_t> WindowPid(Window w);
    bool WindowSize(Window w, int* width, int* height);

private:
    bool ShowsPicture(Window w);
    void Drain(Shown& shown, bool& found);

    Display* m_pDisplay = nullptr;
    Window m_root = 0;
    Damage m_damage = 0;
    int m_nDamageEvent = 0;
};
