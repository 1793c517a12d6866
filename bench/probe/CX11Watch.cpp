#include "bench/probe/CX11Watch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <cstring>

namespace {

// A window may go away while it is looked at; that is no reason to stop.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

constexpr int kFallbackPollMs = 20;

}  // namespace

CX11Watch::~CX11Watch()
{
    if (!m_pDisplay)
        return;
    if (m_damage)
        XDamageDestroy(m_pDisplay, m_damage);
    XCloseDisplay(m_pDisplay);
}

bool CX11Watch::Open(std::string* error)
{
    m_pDisplay = XOpenDisplay(nullptr);
    if (!m_pDisplay) {
        *error = "cannot open the X display (is DISPLAY set?)";
        return false;
    }
    XSetErrorHandler(IgnoreErrors);
    int damageError = 0;
    if (!XDamageQueryExtension(m_pDisplay, &m_nDamageEvent, &damageError)) {
        *error = "the X server has no DAMAGE extension";
        return false;
    }
    m_root = DefaultRootWindow(m_pDisplay);
    XSelectInput(m_pDisplay, m_root, SubstructureNotifyMask);
    m_damage = XDamageCreate(m_pDisplay, m_root, XDamageReportNonEmpty);
    XSync(m_pDisplay, False);
    // Whatever happened before the program starts is not its doing.
    while (XPending(m_pDisplay)) {
        XEvent ev;
        XNextEvent(m_pDisplay, &ev);
    }
    XDamageSubtract(m_pDisplay, m_damage, None, None);
    return true;
}

bool CX11Watch::ShowsPicture(Window w)
{
    int width = 0;
    int height = 0;
    if (!WindowSize(w, &width, &height) || width <= 0 || height <= 0)
        return false;
    XImage* image = XGetImage(m_pDisplay, w, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool varied = false;
    for (int y = 0; y < height && !varied; ++y)
        for (int x = 0; x < width; ++x)
            if (XGetPixel(image, x, y) != first) {
                varied = true;
                break;
            }
    XDestroyImage(image);
    return varied;
}

void CX11Watch::Drain(Shown& shown, bool& found)
{
    bool drawn = false;
    while (XPending(m_pDisplay)) {
        XEvent ev;
        XNextEvent(m_pDisplay, &ev);
        if (ev.type == MapNotify && !found && ev.xmap.event == m_root && !ev.xmap.override_redirect) {
            shown.window = ev.xmap.window;
            shown.mapped = Clock::now();
            found = true;
            drawn = true;  // it may have drawn before we looked
        } else if ((ev.type == UnmapNotify || ev.type == DestroyNotify) && found && !shown.framed &&
                   ev.xany.window == m_root &&
                   (ev.type == UnmapNotify ? ev.xunmap.window : ev.xdestroywindow.window) == shown.window) {
            // A window taken down before it showed anything was not the one
            // the program is shown in (a toolkit may map one and start over).
            found = false;
            shown = Shown{};
        } else if (ev.type == m_nDamageEvent + XDamageNotify) {
            drawn = true;
        }
    }
    if (drawn) {
        XDamageSubtract(m_pDisplay, m_damage, None, None);
        XFlush(m_pDisplay);
    }
    if (found && !shown.framed && drawn && ShowsPicture(shown.window))
        shown.framed = Clock::now();
}

std::optional<CX11Watch::Shown> CX11Watch::WaitForWindow(Clock::time_point deadline)
{
    Shown shown;
    bool found = false;
    pollfd fd{ConnectionNumber(m_pDisplay), POLLIN, 0};
    for (;;) {
        Drain(shown, found);
        if (shown.framed)
            return shown;
        const auto now = Clock::now();
        if (now >= deadline)
            return found ? std::optional<Shown>(shown) : std::nullopt;
        int waitMs = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count());
        if (found && waitMs > kFallbackPollMs)
            waitMs = kFallbackPollMs;
        if (poll(&fd, 1, waitMs) == 0 && found && ShowsPicture(shown.window))
            shown.framed = Clock::now();
    }
}

std::optional<pid_t> CX11Watch::WindowPid(Window w)
{
    const Atom pidAtom = XInternAtom(m_pDisplay, "_NET_WM_PID", True);
    if (pidAtom == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<pid_t> pid;
    if (XGetWindowProperty(m_pDisplay, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1) {
        // Format 32 properties come back as longs.
        long value = 0;
        std::memcpy(&value, data, sizeof value);
        pid = static_cast<pid_t>(value);
    }
    if (data)
        XFree(data);
    return pid;
}

bool CX11Watch::WindowSize(Window w, int* width, int* height)
{
    XWindowAttributes attrs;
    if (!XGetWindowAttributes(m_pDisplay, w, &attrs) || attrs.map_state != IsViewable)
        return false;
    *width = attrs.width;
    *height = attrs.height;
    return true;
}
