#pragma once
// The browser as host, for the program compiled with emscripten and Asyncify.
// The screen goes into the page's canvas (Module.canvas); pointer presses,
// releases and moves of the mouse or of touch on the canvas are the stylus.
// WaitEvent suspends the program through Asyncify and hands the browser back
// its main thread until input arrives or the deadline passes, so the blocking
// message loop and the modal loops nested inside handlers run unchanged.
//
// The host also keeps the game. It writes down every answer it gives the
// program (each event or its absence, each timeout, each second read for a
// deal) with the clock's reading at that moment, and Now() moves only with
// those answers. Given the same answers the program does the same things, so
// a page that hands the record back (Module.corvaneKept) gets the game exactly
// as it was: the host answers from the record, shows nothing, and goes live
// where the record ends.

#include "platform/backend/CBackend.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CWebBackend : public CBackend {
public:
    // Starts taking input from the canvas; the page must have set
    // Module.canvas before the program runs.
    CWebBackend();
    ~CWebBackend() override;
    CWebBackend(const CWebBackend&) = delete;
    CWebBackend& operator=(const CWebBackend&) = delete;

    // True when the page gave the module a canvas to draw into.
    static bool HasCanvas();

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent) override;

    // The second a deal reads: `live` while playing, the recorded one while
    // the record plays back.
    std::int64_t DealSeconds(std::int64_t live);
    // Nothing before the last deal can matter any more: the record may start
    // there, as a fresh program started at that second, provided the window
    // system was then as quiet as a fresh program's (no timer pending).
    void KeepFromLastDeal();
    // Called before every answer, so that the caller may look at the game
    // between two of them.
    void SetCheckpoint(std::function<void()> checkpoint) { m_checkpoint = std::move(checkpoint); }

private:
    // The screen as the canvas takes it: RGBA bytes, rows top-down.
    std::vector<std::uint8_t> m_aRgba;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::uint32_t m_nNow = 0;
    std::function<void()> m_checkpoint;
};
