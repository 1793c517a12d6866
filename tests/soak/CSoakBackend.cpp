#include "tests/soak/CSoakBackend.h"

#include "platform/gfx/Raster.h"
#include "platform/win/WinApi.h"
#include "tests/soak/CSoakProbe.h"
#include "tools/png/PngWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// A life that waits this long for its next event hangs somewhere.
constexpr unsigned kWatchdogSeconds = 120;

void CopyText(char* dst, std::size_t size, const std::string& text)
{
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(dst, text.data(), n);
    dst[n] = '\0';
}

const char* KindName(CInputEvent::Kind kind)
{
    switch (kind) {
    case CInputEvent::Kind::Press: return "press";
    case CInputEvent::Kind::Release: return "release";
    case CInputEvent::Kind::Move: return "move";
    case CInputEvent::Kind::Close: return "close";
    }
    return "?";
}

}  // namespace

CSoakBackend::CSoakBackend(std::uint64_t nSeed, std::uint64_t nBudget, CSoakRecord* pRecord)
    : m_pRecord(pRecord), m_nBudget(nBudget), m_player(nSeed), m_framebuffer(SCREEN_WIDTH, SCREEN_HEIGHT, 0)
{
}

void CSoakBackend::Present(const CSurface& screen, const CRegion& dirty)
{
    for (const CRect& r : dirty.Rects())
        raster::Copy(m_framebuffer, nullptr, r.TopLeft(), screen, r);
}

bool CSoakBackend::PollEvent(CInputEvent& out)
{
    // Events are made up only when the program waits for one.
    (void)out;
    return false;
}

void CSoakBackend::OnDispatch(const MSG& msg) { m_monitor.OnDispatch(msg); }

WaitResult CSoakBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    alarm(kWatchdogSeconds);
    Check();
    if (m_pRecord->m_nIntent != CSoakRecord::INTENT_NONE)
        Fail(std::string("the program went on after: ") + CSoakRecord::IntentName(m_pRecord->m_nIntent));
    if (m_steps.empty()) {
        if (m_pRecord->m_nEvents >= m_nBudget)
            EndLife(CSoakRecord::END_BUDGET);
        CSoakPlayer::CAction action = m_player.Next();
        m_strAction = action.strWhat;
        CopyText(m_pRecord->m_szLastAction, sizeof m_pRecord->m_szLastAction, m_strAction);
        for (const CSoakStep& step : action.aSteps)
            m_steps.push_back(step);
        if (m_steps.empty())
            Fail("the player made up an action with no events: " + m_strAction);
        if (Tracing())
            std::fprintf(stderr, "soak: event %llu: %s\n", static_cast<unsigned long long>(m_pRecord->m_nEvents + 1),
                         m_strAction.c_str());
    }

    CSoakStep& step = m_steps.front();
    if (!ReachScriptedStep(m_nNow, step.after, deadline))
        return WaitResult::Timeout;  // a timer comes first
    out.kind = step.kind;
    out.pt = step.pt;
    out.time = m_nNow;
    m_steps.pop_front();
    ++m_pRecord->m_nEvents;
    if (Tracing())
        std::fprintf(stderr, "soak:   %llu %s (%d, %d) at %u ms\n",
                     static_cast<unsigned long long>(m_pRecord->m_nEvents), KindName(out.kind), out.pt.x, out.pt.y,
                     static_cast<unsigned>(m_nNow));
    // Whatever ends the program does so while this event is handled.
    switch (out.kind) {
    case CInputEvent::Kind::Press: {
        const auto [ending, rect] = CSoakProbe::EndingUnder(out.pt);
        m_pressedEnding = ending == CSoakProbe::Ending::ExitYes      ? CSoakRecord::INTENT_EXIT_YES
                          : ending == CSoakProbe::Ending::WinNo       ? CSoakRecord::INTENT_WIN_NO
                          : ending == CSoakProbe::Ending::CloseButton ? CSoakRecord::INTENT_CLOSE_BUTTON
                                                                      : CSoakRecord::INTENT_NONE;
        m_pressedEndingRect = rect;
        break;
    }
    case CInputEvent::Kind::Release:
        if (m_pressedEnding != CSoakRecord::INTENT_NONE && m_pressedEndingRect.Contains(out.pt))
            m_pRecord->m_nIntent = m_pressedEnding;
        m_pressedEnding = CSoakRecord::INTENT_NONE;
        break;
    case CInputEvent::Kind::Close:
        // A modal window leaves the host window disabled, close box and all.
        if (const HWND host = WsGetHostWindow(); host && IsWindowEnabled(host))
            m_pRecord->m_nIntent = CSoakRecord::INTENT_HOST_CLOSE;
        break;
    case CInputEvent::Kind::Move: break;
    }
    return WaitResult::Event;
}

void CSoakBackend::Check()
{
    ++m_pRecord->m_nChecks;
    const std::vector<std::string> problems = m_monitor.Inspect(m_framebuffer);
    m_pRecord->m_nGamesWon = static_cast<std::uint32_t>(m_monitor.GamesWon());
    if (problems.empty())
        return;
    std::string text;
    for (const std::string& p : problems)
        text += (text.empty() ? "" : "\n  ") + p;
    if (!m_strPictures.empty()) {
        WritePng(m_framebuffer, m_strPictures + "screen.png");
        WritePng(m_monitor.Painted(), m_strPictures + "painted.png");
    }
    Fail(text);
}

void CSoakBackend::Fail(const std::string& what)
{
    m_pRecord->m_nViolationEvent = m_pRecord->m_nEvents;
    CopyText(m_pRecord->m_szViolation, sizeof m_pRecord->m_szViolation, what);
    if (m_nTraceFrom)
        std::fprintf(stderr, "soak: violation after event %llu: %s\n",
                     static_cast<unsigned long long>(m_pRecord->m_nEvents), what.c_str());
    EndLife(CSoakRecord::END_VIOLATION);
}

void CSoakBackend::EndLife(CSoakRecord::End end)
{
    m_pRecord->m_nEnd = end;
    // This life is a process of its own: nothing of it needs to be kept.
    std::fflush(stderr);
    _exit(0);
}
