#pragma once
// The desktop host: the handheld's screen in an SDL2 window, scaled by the
// largest whole factor that fits the desktop, the mouse as the stylus.
// It sleeps in SDL until input or the window system's next deadline, so an
// idle game costs no CPU.

#include "platform/backend/CBackend.h"
#include "platform/backend/CViewport.h"
#include "platform/backend/sdl/CX11Connection.h"

#include <memory>
#include <string>

struct SDL_Window;
union SDL_Event;

class CSdlBackend : public CBackend {
public:
    // Opens the window, which shows at the first Present; null and why when
    // there is no display to show it on.
    static std::unique_ptr<CBackend> Create(std::string* error);
    ~CSdlBackend() override;

    CSdlBackend(const CSdlBackend&) = delete;
    CSdlBackend& operator=(const CSdlBackend&) = delete;

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent) override;

private:
    CSdlBackend(SDL_Window* pWindow, int nFactor);

    std::uint32_t WindowId() const;

    // True when the event is one for the window system; window events are
    // handled here.
    bool Translate(const SDL_Event& event, CInputEvent& out);
    // Draws screen rectangles, scaled, into the window and shows them.
    void Show(const CRect* pRects, int nCount);
    void ShowAll();

    SDL_Window* m_pWindow;
    std::optional<CX11Connection> m_display;  // on X: slept on in WaitEvent
    CViewport m_viewport;
    CSurface m_shown;  // what the window system last presented
    bool m_bVisible = false;
    bool m_bStylusDown = false;
    CPoint m_lastStylus;
};
