#pragma once
// The browser as host, for the program compiled with emscripten and Asyncify.
// The screen goes into the page's canvas (Module.canvas); pointer presses,
// releases and moves of the mouse or of touch on the canvas are the stylus.
// WaitEvent suspends the program through Asyncify and hands the browser back
// its main thread until input arrives or the deadline passes, so the blocking
// message loop and the modal loops nested inside handlers run unchanged.

#include "platform/backend/CBackend.h"

#include <cstdint>
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

private:
    // The screen as the canvas takes it: RGBA bytes, rows top-down.
    std::vector<std::uint8_t> m_aRgba;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
