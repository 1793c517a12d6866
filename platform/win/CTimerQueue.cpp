#include "platform/win/CTimerQueue.h"

#include <algorithm>

namespace {

// Whether a comes before b on a clock that wraps.
bool Before(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

}  // namespace

CTimerQueue::CTimerQueue(Clock now) : m_now(std::move(now)) {}

void CTimerQueue::Set(HWND hwnd, UINT id, UINT elapse)
{
    Kill(hwnd, id);
    elapse = std::max<UINT>(elapse, 1);
    m_timers.push_back({hwnd, id, elapse, m_now() + elapse});
}

void CTimerQueue::Kill(HWND hwnd, UINT id)
{
    std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
}

void CTimerQueue::KillAll(HWND hwnd)
{
    std::erase_if(m_timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<std::uint32_t> CTimerQueue::NextDue() const
{
    std::optional<std::uint32_t> due;
    for (const Timer& t : m_timers)
        if (!due || Before(t.due, *due))
            due = t.due;
    return due;
}

bool CTimerQueue::AnyDue() const
{
    const auto due = NextDue();
    return due && !Before(m_now(), *due);
}

bool CTimerQueue::TakeDue(MSG* msg)
{
    const std::uint32_t now = m_now();
    Timer* next = nullptr;
    for (Timer& t : m_timers)
        if (!Before(now, t.due) && (!next || Before(t.due, next->due)))
            next = &t;
    if (!next)
        return false;
    next->due = now + next->elapse;
    *msg = MSG{next->hwnd, WM_TIMER, next->id, 0, now, {}};
    return true;
}
