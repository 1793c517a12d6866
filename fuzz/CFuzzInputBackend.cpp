#include "fuzz/CFuzzInputBackend.h"

#include "platform/gfx/Raster.h"
#include "platform/win/WinApi.h"
#include "tests/soak/CSoakProbe.h"

#include <cstdio>
#include <cstdlib>

namespace {

using Kind = CInputEvent::Kind;

// Gaps in milliseconds: double-tap distances, tooltip delays, and beyond.
constexpr std::uint32_t kGaps[16] = {0, 10, 30, 60, 100, 150, 200, 300, 400, 480, 520, 700, 1000, 2000, 4500, 6000};
constexpr std::uint32_t kHold = 40;

}  // namespace

CFuzzInputBackend::CFuzzInputBackend(std::span<const std::uint8_t> bytes)
    : m_bytes(bytes), m_framebuffer(SCREEN_WIDTH, SCREEN_HEIGHT, 0)
{
}

void CFuzzInputBackend::Present(const CSurface& screen, const CRegion& dirty)
{
    for (const CRect& r : dirty.Rects())
        raster::Copy(m_framebuffer, nullptr, r.TopLeft(), screen, r);
}

bool CFuzzInputBackend::PollEvent(CInputEvent& out)
{
    (void)out;
    return false;
}

bool CFuzzInputBackend::Decode()
{
    if (m_bytes.size() < kBytesPerEvent || m_nEvents >= kMaxEvents)
        return false;
    const std::uint8_t op = m_bytes[0];
    const CPoint pt{m_bytes[1] % SCREEN_WIDTH, (m_bytes[2] | ((op & 0x80) << 1)) % SCREEN_HEIGHT};
    m_bytes = m_bytes.subspan(kBytesPerEvent);
    ++m_nEvents;
    const std::uint32_t gap = kGaps[(op >> 3) & 0x0F];
    switch (op & 0x07) {
    case 0:
    case 5:
        m_steps.push_back({Kind::Press, pt, gap});
        m_steps.push_back({Kind::Release, pt, kHold});
        break;
    case 1: m_steps.push_back({Kind::Press, pt, gap}); break;
    case 2: m_steps.push_back({Kind::Release, pt, gap}); break;
    case 3: m_steps.push_back({Kind::Move, pt, gap}); break;
    case 4:
        m_steps.push_back({Kind::Press, pt, gap});
        m_steps.push_back({Kind::Release, pt, kHold});
        m_steps.push_back({Kind::Press, pt, kHold});
        m_steps.push_back({Kind::Release, pt, kHold});
        break;
    case 6: m_steps.push_back({Kind::Move, pt, gap + 5000}); break;
    default: m_steps.push_back({Kind::Close, pt, gap}); break;
    }
    return true;
}

WaitResult CFuzzInputBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    const std::vector<std::string> problems = m_monitor.Inspect(m_framebuffer);
    if (!problems.empty()) {
        for (const std::string& p : problems)
            std::fprintf(stderr, "fuzz_input: %s\n", p.c_str());
        std::abort();
    }
    if (m_steps.empty() && !Decode())
        return WaitResult::Exhausted;

    CStep& step = m_steps.front();
    if (!ReachScriptedStep(m_nNow, step.after, deadline))
        return WaitResult::Timeout;  // a timer comes first
    // The runtime's exit would end the fuzzer with the program: stop short of it.
    if (step.kind == Kind::Press) {
        const CSoakProbe::Ending ending = CSoakProbe::EndingUnder(step.pt).first;
        if (ending == CSoakProbe::Ending::ExitYes || ending == CSoakProbe::Ending::WinNo) {
            m_steps.clear();
            m_bytes = {};
            return WaitResult::Exhausted;
        }
    }
    out.kind = step.kind;
    out.pt = step.pt;
    out.time = m_nNow;
    m_steps.pop_front();
    return WaitResult::Event;
}
