#include "platform/backend/sdl/CSdlBackend.h"

#include "platform/backend/sdl/CX11Connection.h"

#include "platform/gfx/Raster.h"
#include "platform/gfx/Screen.h"

#include <SDL.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Drivers that draw into memory and never show anything: with them the game
// would run in a window nobody can see. SDL may pick one when no display is
// reachable, or be told to through SDL_VIDEODRIVER.
bool DriverShowsNothing(const char* name)
{
    for (const char* blind : {"offscreen", "dummy", "evdev"})
        if (name && std::strcmp(name, blind) == 0)
            return true;
    return false;
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && (text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

std::unique_ptr<CBackend> Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return nullptr;
}

}  // namespace

std::unique_ptr<CBackend> CSdlBackend::Create(std::string* error)
{
    // Ctrl+C and kill end the process as they end any other; the game keeps
    // nothing that would need a tidy close.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Closing the window asks the main window to close; SDL must not add a
    // quit request of its own to that.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A patience game left open must not keep the screen awake.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A 240 x 320 picture needs no GPU: the plain window surface starts in a
    // fraction of the time and memory that an OpenGL context costs.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The display already sends a held button's motion and release to the
    // window it was pressed in; SDL's own capture would add two round trips
    // to the display server to every tap.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");

    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const std::string why = OneLine(SDL_GetError());
        SDL_Quit();
        return Fail(error, "cannot open a window: no display available (" + why + ")");
    }
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (DriverShowsNothing(driver.c_str())) {
        SDL_Quit();
        const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);
        if (requested && *requested)
            return Fail(error, "cannot open a window: the video driver \"" + driver + "\" (SDL_VIDEODRIVER=" +
                                   requested + ") shows nothing");
        return Fail(error,
                    "cannot open a window: no display available (DISPLAY or WAYLAND_DISPLAY must name a running one)");
    }

    CViewport fit(SCREEN_WIDTH, SCREEN_HEIGHT);
    SDL_Rect desktop{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (SDL_GetDisplayUsableBounds(0, &desktop) != 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0)
            desktop = {0, 0, mode.w, mode.h};
    }
    const int factor = fit.FitFactor(desktop.w, desktop.h);

    // Hidden until the first picture is ready, so it never shows garbage.
    SDL_Window* window =
        SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, SCREEN_WIDTH * factor,
                         SCREEN_HEIGHT * factor, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window) {
        const std::string why = OneLine(SDL_GetError());
        SDL_Quit();
        return Fail(error, "cannot open a window: " + why);
    }
    SDL_SetWindowMinimumSize(window, SCREEN_WIDTH, SCREEN_HEIGHT);
    return std::unique_ptr<CBackend>(new CSdlBackend(window, factor));
}

CSdlBackend::CSdlBackend(SDL_Window* pWindow, int nFactor)
    : m_pWindow(pWindow), m_display(CX11Connection::Of(pWindow)), m_viewport(SCREEN_WIDTH, SCREEN_HEIGHT),
      m_shown(SCREEN_WIDTH, SCREEN_HEIGHT, 0)
{
    m_viewport.SetWindowSize(SCREEN_WIDTH * nFactor, SCREEN_HEIGHT * nFactor);
}

CSdlBackend::~CSdlBackend()
{
    SDL_DestroyWindow(m_pWindow);
    SDL_Quit();
}

std::uint32_t CSdlBackend::WindowId() const { return SDL_GetWindowID(m_pWindow); }

std::uint32_t CSdlBackend::Now() { return SDL_GetTicks(); }

void CSdlBackend::SetTitle(const std::string& title) { SDL_SetWindowTitle(m_pWindow, title.c_str()); }

void CSdlBackend::SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    if (image.IsEmpty() || transparent.size() != image.Pixels().size())
        return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, image.Width(), image.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!icon)
        return;
    for (int y = 0; y < image.Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(icon->pixels) +
                                                     static_cast<std::ptrdiff_t>(y) * icon->pitch);
        for (int x = 0; x < image.Width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width()) +
                                  static_cast<std::size_t>(x);
            row[x] = transparent[i] ? 0u : (0xFF000000u | (image.Pixels()[i] & 0x00FFFFFFu));
        }
    }
    SDL_SetWindowIcon(m_pWindow, icon);
    SDL_FreeSurface(icon);
}

void CSdlBackend::Present(const CSurface& screen, const CRegion& dirty)
{
    if (screen.Width() != SCREEN_WIDTH || screen.Height() != SCREEN_HEIGHT)
        return;
    // The window system repaints whole windows: a card turned on the stock
    // presents the whole board. Only what differs from the picture already
    // shown is scaled and sent to the display.
    std::vector<CRect> rects;
    for (const CRect& r : dirty.Rects()) {
        const CRect changed = raster::Changed(m_shown, screen, r);
        if (changed.IsEmpty())
            continue;
        raster::Copy(m_shown, nullptr, {changed.left, changed.top}, screen, changed);
        rects.push_back(changed);
    }
    if (!m_bVisible) {
        SDL_ShowWindow(m_pWindow);
        m_bVisible = true;
        ShowAll();
        return;
    }
    if (!rects.empty())
        Show(rects.data(), static_cast<int>(rects.size()));
}

void CSdlBackend::ShowAll()
{
    SDL_Surface* target = SDL_GetWindowSurface(m_pWindow);
    if (!target)
        return;
    m_viewport.SetWindowSize(target->w, target->h);
    // The bars around the screen.
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    const CRect all = m_shown.Bounds();
    Show(&all, 1);
    SDL_UpdateWindowSurface(m_pWindow);
}

void CSdlBackend::Show(const CRect* pRects, int nCount)
{
    SDL_Surface* target = SDL_GetWindowSurface(m_pWindow);
    if (!target)
        return;
    const int k = m_viewport.Factor();
    const CRect window{0, 0, target->w, target->h};
    // A 24-bit X display hands out 32-bit xRGB window surfaces, our own
    // pixel format: the screen is scaled straight into them.
    const bool direct = target->format->format == SDL_PIXELFORMAT_RGB888 && !SDL_MUSTLOCK(target);
    const std::ptrdiff_t pitch = target->pitch / static_cast<int>(sizeof(Pixel));
    std::vector<SDL_Rect> updated;
    for (int i = 0; i < nCount; ++i) {
        const CRect& r = pRects[i];
        const CRect to = m_viewport.ToWindow(r);
        if (direct && to.Intersect(window) == to) {
            raster::Scale(m_shown, r, k, static_cast<Pixel*>(target->pixels) + to.top * pitch + to.left, pitch);
            updated.push_back({to.left, to.top, to.Width(), to.Height()});
            continue;
        }
        // Any other format, or a window too small for the screen: SDL
        // converts and clips.
        SDL_Surface* part =
            SDL_CreateRGBSurfaceWithFormat(0, r.Width() * k, r.Height() * k, 32, SDL_PIXELFORMAT_RGB888);
        if (!part)
            continue;
        raster::Scale(m_shown, r, k, static_cast<Pixel*>(part->pixels), part->pitch / static_cast<int>(sizeof(Pixel)));
        SDL_Rect shown{to.left, to.top, to.Width(), to.Height()};
        SDL_BlitSurface(part, nullptr, target, &shown);
        SDL_FreeSurface(part);
        if (shown.w > 0 && shown.h > 0)
            updated.push_back(shown);
    }
    if (!updated.empty())
        SDL_UpdateWindowSurfaceRects(m_pWindow, updated.data(), static_cast<int>(updated.size()));
}

bool CSdlBackend::Translate(const SDL_Event& event, CInputEvent& out)
{
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN: {
        // Every press goes to the window system as a press: it makes double
        // taps itself, so SDL's click count is not used.
        if (event.button.button != SDL_BUTTON_LEFT || event.button.windowID != WindowId())
            return false;
        const auto pt = m_viewport.ToScreen({event.button.x, event.button.y});
        if (!pt)
            return false;  // a press in the bars goes nowhere
        m_bStylusDown = true;
        m_lastStylus = *pt;
        out = {CInputEvent::Kind::Press, *pt, event.button.timestamp};
        return true;
    }
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT || !m_bStylusDown)
            return false;
        m_bStylusDown = false;
        m_lastStylus = m_viewport.ToScreenClamped({event.button.x, event.button.y});
        out = {CInputEvent::Kind::Release, m_lastStylus, event.button.timestamp};
        return true;
    case SDL_MOUSEMOTION: {
        if (event.motion.windowID != WindowId())
            return false;
        if (m_bStylusDown) {
            m_lastStylus = m_viewport.ToScreenClamped({event.motion.x, event.motion.y});
            out = {CInputEvent::Kind::Move, m_lastStylus, event.motion.timestamp};
            return true;
        }
        // A stylus is seen only while it touches, but a mouse is always
        // there: resting it on a tool button shows the button's tooltip.
        const auto pt = m_viewport.ToScreen({event.motion.x, event.motion.y});
        if (!pt)
            return false;
        out = {CInputEvent::Kind::Move, *pt, event.motion.timestamp};
        return true;
    }
    case SDL_QUIT:
        out = {CInputEvent::Kind::Close, {}, event.quit.timestamp};
        return true;
    case SDL_WINDOWEVENT:
        if (event.window.windowID != WindowId())
            return false;
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out = {CInputEvent::Kind::Close, {}, event.window.timestamp};
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // The button may come up where we never hear of it: lift the stylus.
            if (!m_bStylusDown)
                return false;
            m_bStylusDown = false;
            out = {CInputEvent::Kind::Release, m_lastStylus, event.window.timestamp};
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_EXPOSED:
            if (m_bVisible)
                ShowAll();
            return false;
        default:
            return false;
        }
    default:
        return false;
    }
}

bool CSdlBackend::PollEvent(CInputEvent& out)
{
    // One look at the display for everything queued, rather than one per
    // event as SDL_PollEvent would take.
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        if (Translate(event, out))
            return true;
    return false;
}

WaitResult CSdlBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    for (;;) {
        if (PollEvent(out))
            return WaitResult::Event;
        int timeout = -1;  // no deadline: sleep until something happens
        if (deadline) {
            const auto left = static_cast<std::int32_t>(*deadline - Now());
            if (left <= 0)
                return WaitResult::Timeout;
            timeout = left;
        }
        // SDL's own wait, SDL_WaitEventTimeout, wakes itself by sending an event
        // to the window over a second connection to the display. One sent as the
        // window closes can reach the display after the window is gone, and Xlib
        // ends the process over that error when SDL closes the connection. It
        // also costs a request and an event more for every event. On X the host
        // sleeps on the display connection instead.
        if (m_display) {
            // Once SDL has handled all that Xlib read, the socket says when
            // there is more.
            if (m_display->HasQueuedEvents())
                continue;
            pollfd socket{m_display->Socket(), POLLIN, 0};
            if (poll(&socket, 1, timeout) < 0 && errno != EINTR)
                SDL_Delay(10);  // do not turn a failing wait into a busy loop
            continue;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, timeout)) {
            if (Translate(event, out))
                return WaitResult::Event;
        } else if (!deadline) {
            // Waiting without a deadline failed; do not turn that into a busy loop.
            SDL_Delay(10);
        }
    }
}
