#include "platform/backend/CHeadlessBackend.h"

#include "platform/gfx/Raster.h"

#include <stdexcept>

CHeadlessBackend::CHeadlessBackend() : m_framebuffer(240, 320, 0) {}

void CHeadlessBackend::Press(CPoint pt, std::uint32_t after)
{
    m_script.push_back({Step::Kind::Press, pt, after, {}, {}});
}

void CHeadlessBackend::Release(CPoint pt, std::uint32_t after)
{
    m_script.push_back({Step::Kind::Release, pt, after, {}, {}});
}

void CHeadlessBackend::Move(CPoint pt, std::uint32_t after)
{
    m_script.push_back({Step::Kind::Move, pt, after, {}, {}});
}

void CHeadlessBackend::Tap(CPoint pt)
{
    Press(pt);
    Release(pt);
}

void CHeadlessBackend::DoubleTap(CPoint pt)
{
    Press(pt);
    Release(pt);
    Press(pt, kDoubleTapGap);
    Release(pt);
}

void CHeadlessBackend::TapAt(Locator where, std::string what)
{
    m_script.push_back({Step::Kind::Press, {}, kTapGap, where, what});
    // The release goes where the press went.
    m_script.push_back({Step::Kind::Release, {}, kHold, nullptr, "release of " + what});
}

void CHeadlessBackend::Wait(std::uint32_t ms) { m_script.push_back({Step::Kind::Wait, {}, ms, {}, {}}); }

void CHeadlessBackend::CloseHostWindow() { m_script.push_back({Step::Kind::Close, {}, kTapGap, {}, {}}); }

void CHeadlessBackend::Present(const CSurface& screen, const CRegion& dirty)
{
    for (const CRect& r : dirty.Rects())
        raster::Copy(m_framebuffer, nullptr, r.TopLeft(), screen, r);
    ++m_nPresents;
}

bool CHeadlessBackend::PollEvent(CInputEvent& out)
{
    // Scripted input arrives only when the program waits for it.
    (void)out;
    return false;
}

WaitResult CHeadlessBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    while (!m_script.empty()) {
        Step& step = m_script.front();
        if (!ReachScriptedStep(m_nNow, step.after, deadline))
            return WaitResult::Timeout;  // a timer comes first
        Step taken = std::move(step);
        m_script.pop_front();
        if (taken.kind == Step::Kind::Wait)
            continue;
        CPoint pt = taken.pt;
        if (taken.where) {
            auto found = taken.where();
            if (!found)
                throw std::runtime_error("scripted tap found nothing to tap: " + taken.what);
            pt = *found;
            m_locatedPress = pt;
        } else if (taken.kind == Step::Kind::Release && !taken.what.empty() && m_locatedPress) {
            pt = *m_locatedPress;
        }
        out.pt = pt;
        out.time = m_nNow;
        switch (taken.kind) {
        case Step::Kind::Press: out.kind = CInputEvent::Kind::Press; break;
        case Step::Kind::Release: out.kind = CInputEvent::Kind::Release; break;
        case Step::Kind::Move: out.kind = CInputEvent::Kind::Move; break;
        case Step::Kind::Close: out.kind = CInputEvent::Kind::Close; break;
        case Step::Kind::Wait: break;
        }
        return WaitResult::Event;
    }
    return WaitResult::Exhausted;
}

void CHeadlessBackend::SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    (void)transparent;
    m_icon = image;
}
