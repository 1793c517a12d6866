#pragma once
// A host whose input is the fuzzer's bytes, three to an event: what the
// stylus does and after how long, then where on the screen. After every
// event it checks the game and the screen as the soak run does; a fault
// aborts, so that the fuzzer keeps the input.
//
//   byte 0: bits 0-2 what (tap, press, release, move, double tap, tap, long
//           wait, host close), bits 3-6 the gap before it, bit 7 the ninth
//           bit of y
//   byte 1: x, modulo 240
//   byte 2: y's low eight bits; y is taken modulo 320
//
// The bytes running out end the run (the window system is told its input
// is exhausted). A press that would end the process through the runtime's
// exit (Yes to Exit, No to the win prompt) ends the run instead.

#include "platform/backend/CBackend.h"
#include "tests/soak/CSoakMonitor.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

class CFuzzInputBackend : public CBackend {
public:
    static constexpr std::size_t kBytesPerEvent = 3;
    // Enough for many moves; longer inputs only slow the fuzzer down.
    static constexpr std::size_t kMaxEvents = 300;

    explicit CFuzzInputBackend(std::span<const std::uint8_t> bytes);

    void OnDispatch(const MSG& msg) { m_monitor.OnDispatch(msg); }

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override { return m_nNow; }

private:
    struct CStep {
        CInputEvent::Kind kind;
        CPoint pt;
        std::uint32_t after;
    };
    // Turns the next three bytes into steps; false when the bytes are used up.
    bool Decode();

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_nEvents = 0;
    std::deque<CStep> m_steps;
    std::uint32_t m_nNow = 1000;
    CSurface m_framebuffer;
    CSoakMonitor m_monitor;
};
