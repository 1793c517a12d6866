#pragma once
// The headless host, fed by a benchmark instead of a script: every time the
// program waits for input the feeder is asked for the next event, and the
// host notes, on a real clock, when a press went in and when the screen that
// followed it was presented.

#include "platform/backend/CHeadlessBackend.h"

#include <chrono>
#include <functional>
#include <optional>

class CBenchHost : public CHeadlessBackend {
public:
    using Clock = std::chrono::steady_clock;
    // Fills the next event (kind and point); false closes the program.
    using Feeder = std::function<bool(CInputEvent&)>;

    // Fake milliseconds between fed events: presses this far apart never
    // make a double tap.
    static constexpr std::uint32_t kGap = 700;

    void SetFeeder(Feeder feeder) { m_feeder = std::move(feeder); }

    // When the last press was handed to the program, and when the first
    // frame after it was presented (none yet: nullopt).
    Clock::time_point PressedAt() const { return m_tPressed; }
    std::optional<Clock::time_point> PresentedAfterPress() const { return m_tPresentedAfterPress; }
    std::optional<Clock::time_point> FirstPresent() const { return m_tFirstPresent; }
    // The same two moments in this thread's CPU time, which a busy machine
    // does not stretch: nanoseconds used from the press to its frame.
    std::optional<std::int64_t> CpuNsToPresentAfterPress() const;

    static std::int64_t ThreadCpuNs();

    void Present(const CSurface& screen, const CRegion& dirty) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;

private:
    Feeder m_feeder;
    std::optional<CInputEvent> m_pending;  // fed, waiting for a timer to pass
    Clock::time_point m_tPressed{};
    std::optional<Clock::time_point> m_tPresentedAfterPress;
    std::optional<Clock::time_point> m_tFirstPresent;
    std::int64_t m_nPressedCpuNs = 0;
    std::optional<std::int64_t> m_nPresentedCpuNs;
};
