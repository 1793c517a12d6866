#pragma once
// What a host gives our window system: somewhere to show the screen, the
// next input event, and the time. Headless, desktop and web hosts implement it.

#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"

#include <cstdint>
#include <optional>
#include <string>

struct CInputEvent {
    enum class Kind { Press, Release, Move, Close };
    Kind kind = Kind::Press;
    CPoint pt;            // screen pixels
    std::uint32_t time = 0;  // milliseconds on the host's clock
};

enum class WaitResult {
    Event,     // an input event arrived
    Timeout,   // the deadline passed first
    Exhausted  // a scripted host has nothing more to give
};

// A scripted host's clock moving on to its next step, due `after`
// milliseconds from now. True when the step comes before the deadline: now
// is the step's time. False when the deadline comes first: now moves to the
// deadline (never back) and the step keeps what remains of its wait.
inline bool ReachScriptedStep(std::uint32_t& now, std::uint32_t& after, std::optional<std::uint32_t> deadline)
{
    const std::uint32_t due = now + after;
    if (deadline && static_cast<std::int32_t>(*deadline - due) < 0) {
        after = due - *deadline;
        if (static_cast<std::int32_t>(*deadline - now) > 0)
            now = *deadline;
        return false;
    }
    now = due;
    return true;
}

class CBackend {
public:
    virtual ~CBackend() = default;

    // Shows the screen; only the dirty part changed since the last call.
    virtual void Present(const CSurface& screen, const CRegion& dirty) = 0;
    // Takes an event that is already waiting, without blocking.
    virtual bool PollEvent(CInputEvent& out) = 0;
    // Blocks until an event arrives or the deadline (on Now()'s clock) passes.
    virtual WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) = 0;
    virtual std::uint32_t Now() = 0;

    // The host window's title and icon follow the main window's.
    virtual void SetTitle(const std::string& title) { (void)title; }
    virtual void SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
    {
        (void)image;
        (void)transparent;
    }
};
