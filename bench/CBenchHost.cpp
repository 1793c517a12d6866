#include "bench/CBenchHost.h"

#include <time.h>

std::int64_t CBenchHost::ThreadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::optional<std::int64_t> CBenchHost::CpuNsToPresentAfterPress() const
{
    if (!m_nPresentedCpuNs)
        return std::nullopt;
    return *m_nPresentedCpuNs - m_nPressedCpuNs;
}

void CBenchHost::Present(const CSurface& screen, const CRegion& dirty)
{
    CHeadlessBackend::Present(screen, dirty);
    const Clock::time_point now = Clock::now();
    if (!m_tFirstPresent)
        m_tFirstPresent = now;
    if (!m_tPresentedAfterPress) {
        m_tPresentedAfterPress = now;
        m_nPresentedCpuNs = ThreadCpuNs();
    }
}

WaitResult CBenchHost::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    if (!m_pending) {
        CInputEvent ev;
        if (!m_feeder || !m_feeder(ev))
            ev.kind = CInputEvent::Kind::Close;
        ev.time = Now() + kGap;
        m_pending = ev;
    }
    // A timer that falls due first is served first; the event waits.
    if (deadline && static_cast<std::int32_t>(*deadline - m_pending->time) < 0) {
        if (static_cast<std::int32_t>(*deadline - Now()) > 0)
            SetNow(*deadline);
        return WaitResult::Timeout;
    }
    out = *m_pending;
    m_pending.reset();
    SetNow(out.time);
    if (out.kind == CInputEvent::Kind::Press) {
        m_tPresentedAfterPress.reset();
        m_nPresentedCpuNs.reset();
        m_nPressedCpuNs = ThreadCpuNs();
        m_tPressed = Clock::now();
    }
    return WaitResult::Event;
}
