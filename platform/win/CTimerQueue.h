#pragma once
// Timers: WM_TIMER for a window with the timer's id, every elapse
// milliseconds on the clock the queue is given. The clock is 32 bits of
// milliseconds and may wrap; times compare by their difference.

#include "platform/win/WinDefs.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CTimerQueue {
public:
    using Clock = std::function<std::uint32_t()>;

    explicit CTimerQueue(Clock now);

    // Sets the window's timer of that id afresh; an elapse of 0 counts as 1.
    void Set(HWND hwnd, UINT id, UINT elapse);
    void Kill(HWND hwnd, UINT id);
    void KillAll(HWND hwnd);
    // When the next timer is due, if any is set.
    std::optional<std::uint32_t> NextDue() const;
    bool AnyDue() const;
    // The WM_TIMER of the timer most overdue (the first set, of those due
    // together), which is due again elapse from now.
    bool TakeDue(MSG* msg);

private:
    struct Timer {
        HWND hwnd;
        UINT id;
        UINT elapse;
        std::uint32_t due;
    };

    Clock m_now;
    std::vector<Timer> m_timers;  // in the order they were set
};
