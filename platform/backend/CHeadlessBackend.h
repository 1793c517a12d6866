#pragma once
// A host with no screen: a real framebuffer that Present copies into, a
// fake clock, and input from a script. When the script runs dry the window
// system is told so, and a modal loop waiting for an answer fails loudly
// instead of hanging.

#include "platform/backend/CBackend.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>

class CHeadlessBackend : public CBackend {
public:
    // Finds where to tap when the step is reached (a button of a box that
    // only then exists); nothing found fails the run with the step's name.
    using Locator = std::function<std::optional<CPoint>()>;

    // Gaps between scripted events, in milliseconds of the fake clock. Taps
    // are spaced well apart so that two of them never make a double tap.
    static constexpr std::uint32_t kTapGap = 700;
    static constexpr std::uint32_t kHold = 40;
    static constexpr std::uint32_t kDoubleTapGap = 120;

    CHeadlessBackend();

    void Press(CPoint pt, std::uint32_t after = kTapGap);
    void Release(CPoint pt, std::uint32_t after = kHold);
    void Move(CPoint pt, std::uint32_t after = kHold);
    void Tap(CPoint pt);
    void DoubleTap(CPoint pt);
    void TapAt(Locator where, std::string what);
    void Wait(std::uint32_t ms);
    void CloseHostWindow();
    std::size_t Pending() const { return m_script.size(); }
    void ClearScript() { m_script.clear(); }

    const CSurface& Framebuffer() const { return m_framebuffer; }
    int PresentCount() const { return m_nPresents; }
    const std::string& Title() const { return m_strTitle; }
    const CSurface& Icon() const { return m_icon; }
    void SetNow(std::uint32_t ms) { m_nNow = ms; }

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override { return m_nNow; }
    void SetTitle(const std::string& title) override { m_strTitle = title; }
    void SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent) override;

private:
    struct Step {
        enum class Kind { Press, Release, Move, Close, Wait } kind;
        CPoint pt;
        std::uint32_t after;
        Locator where;
        std::string what;
    };

    std::deque<Step> m_script;
    CSurface m_framebuffer;
    int m_nPresents = 0;
    std::uint32_t m_nNow = 1000;
    std::string m_strTitle;
    CSurface m_icon;
    std::optional<CPoint> m_locatedPress;  // where a located tap pressed
};
