#include "tests/e2e/CXClient.h"

#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <thread>

namespace {

// A window may go between two requests; the default handler would end the
// test process for that.
int IgnoreError(Display*, XErrorEvent*) { return 0; }

unsigned Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const unsigned long value = (pixel & mask) >> std::countr_zero(mask);
    const unsigned long top = mask >> std::countr_zero(mask);
    return static_cast<unsigned>(value * 255 / top);
}

std::optional<std::string> TextProperty(Display* d, Window w, const char* name, Atom type)
{
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, type, &actual, &format, &count, &after,
                           &data) != Success ||
        !data)
        return std::nullopt;
    std::string text(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (actual != type)
        return std::nullopt;
    return text;
}

}  // namespace

CXClient::CXClient(const std::string& display) : m_pDisplay(XOpenDisplay(display.c_str()))
{
    XSetErrorHandler(IgnoreError);
}

CXClient::~CXClient()
{
    if (m_pDisplay)
        XCloseDisplay(m_pDisplay);
}

std::string CXClient::Title(WindowId window)
{
    if (auto utf8 = TextProperty(m_pDisplay, window, "_NET_WM_NAME", XInternAtom(m_pDisplay, "UTF8_STRING", False)))
        return *utf8;
    return TextProperty(m_pDisplay, window, "WM_NAME", XA_STRING).value_or("");
}

std::optional<CXClient::WindowId> CXClient::FindWindow(const std::string& title, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    do {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(m_pDisplay, XDefaultRootWindow(m_pDisplay), &root, &parent, &children, &count)) {
            std::optional<WindowId> found;
            for (unsigned i = 0; i < count && !found; ++i) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(m_pDisplay, children[i], &attributes) &&
                    attributes.map_state == IsViewable && Title(children[i]) == title)
                    found = children[i];
            }
            if (children)
                XFree(children);
            if (found)
                return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

CRect CXClient::Geometry(WindowId window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_pDisplay, window, &attributes))
        return {};
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_pDisplay, window, XDefaultRootWindow(m_pDisplay), 0, 0, &x, &y, &child);
    return CRect::FromSize(x, y, attributes.width, attributes.height);
}

std::optional<CSurface> CXClient::Capture(WindowId window)
{
    const CRect where = Geometry(window);
    if (where.IsEmpty())
        return std::nullopt;
    XImage* image = XGetImage(m_pDisplay, window, 0, 0, static_cast<unsigned>(where.Width()),
                              static_cast<unsigned>(where.Height()), ~0UL, ZPixmap);
    if (!image)
        return std::nullopt;
    CSurface out(where.Width(), where.Height());
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x) {
            const unsigned long p = image->f.get_pixel(image, x, y);
            out.Set(x, y, PixelFromRGB(Channel(p, image->red_mask), Channel(p, image->green_mask),
                                       Channel(p, image->blue_mask)));
        }
    image->f.destroy_image(image);
    return out;
}

std::optional<CSurface> CXClient::Icon(WindowId window, std::vector<std::uint8_t>* alpha)
{
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_pDisplay, window, XInternAtom(m_pDisplay, "_NET_WM_ICON", False), 0, 1 << 16, False,
                           XA_CARDINAL, &actual, &format, &count, &after, &data) != Success ||
        !data)
        return std::nullopt;
    // Format 32 comes as longs: width, height, then ARGB pixels.
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    std::optional<CSurface> icon;
    if (format == 32 && count >= 2) {
        const unsigned long w = values[0];
        const unsigned long h = values[1];
        if (w > 0 && h > 0 && w <= 256 && h <= 256 && count >= 2 + w * h) {
            icon.emplace(static_cast<int>(w), static_cast<int>(h));
            alpha->assign(w * h, 0);
            for (unsigned long i = 0; i < w * h; ++i) {
                icon->Pixels()[i] = static_cast<Pixel>(values[2 + i] & 0x00FFFFFFu);
                (*alpha)[i] = static_cast<std::uint8_t>((values[2 + i] >> 24) & 0xFFu);
            }
        }
    }
    XFree(data);
    return icon;
}

std::optional<int> CXClient::IconPixelsUnlikeIcon128(WindowId window, std::string* why)
{
    InstallResources(CorvaneResourceData());
    std::vector<std::uint8_t> alpha;
    const auto shown = Icon(window, &alpha);
    if (!shown) {
        *why = "the window has no icon";
        return std::nullopt;
    }
    const auto icon = LoadIconResource(128, shown->Width());
    if (!icon || icon->Width() != shown->Width() || icon->Height() != shown->Height()) {
        *why = "icon 128 has no image of " + std::to_string(shown->Width()) + " x " + std::to_string(shown->Height());
        return std::nullopt;
    }
    int wrong = 0;
    for (int y = 0; y < icon->Height(); ++y)
        for (int x = 0; x < icon->Width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y * icon->Width() + x);
            const bool ok = icon->IsOpaque(x, y) ? alpha[i] == 0xFF && shown->At(x, y) == icon->color.At(x, y)
                                                 : alpha[i] == 0;
            wrong += ok ? 0 : 1;
        }
    return wrong;
}

bool CXClient::RequestClose(WindowId window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_pDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_pDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(m_pDisplay, window, False, NoEventMask, &event) != 0;
    XFlush(m_pDisplay);
    return sent;
}
