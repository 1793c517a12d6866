#include "platform/backend/web/CWebBackend.h"

#include <emscripten.h>

#include <algorithm>

namespace {

// One input event as the JavaScript side writes it.
struct RawEvent {
    std::int32_t kind;  // 0 press, 1 release, 2 move
    std::int32_t x;
    std::int32_t y;
    std::uint32_t time;
};

}  // namespace

// The JavaScript side lives in the module: the input queue and its listeners
// hang off Module.corvaneHost. Events carry screen pixels and the time
// in milliseconds on performance.now()'s clock, the clock Now() reads.

EM_JS(int, corvane_web_has_canvas, (), {
    const canvas = Module['canvas'];
    return canvas && typeof canvas.getContext === 'function' ? 1 : 0;
});

EM_JS(void, corvane_web_attach, (), {
    const canvas = Module['canvas'];
    const host = { queue: [], wake: null, pointer: null, context: null };
    Module['corvaneHost'] = host;

    /* Scaled by CSS, the canvas still holds the screen's own pixels. */
    const screenPoint = (e) => {
        const r = canvas.getBoundingClientRect();
        const sx = r.width > 0 ? canvas.width / r.width : 1;
        const sy = r.height > 0 ? canvas.height / r.height : 1;
        return [Math.floor((e.clientX - r.left) * sx), Math.floor((e.clientY - r.top) * sy)];
    };
    /* The event's own time, so that a double tap is judged by when the
       presses happened rather than by when the program got round to them. */
    const stamp = (e) => {
        const now = performance.now();
        return e.timeStamp > 0 && e.timeStamp <= now ? e.timeStamp : now;
    };
    const push = (kind, e) => {
        const [x, y] = screenPoint(e);
        const ev = { kind: kind, x: x, y: y, time: stamp(e) };
        const last = host.queue.length ? host.queue[host.queue.length - 1] : null;
        if (kind === 2 && last && last.kind === 2)
            host.queue[host.queue.length - 1] = ev;
        else
            host.queue.push(ev);
        if (host.wake) {
            const wake = host.wake;
            host.wake = null;
            wake();
        }
    };

    /* One stylus: the primary pointer's main button, mouse or touch alike. */
    const down = (e) => {
        if (host.pointer !== null || !e.isPrimary || e.button !== 0)
            return;
        e.preventDefault();
        host.pointer = e.pointerId;
        try {
            canvas.setPointerCapture(e.pointerId);
        } catch (err) {
        }
        push(0, e);
    };
    /* A cancelled touch or a lost capture lifts the stylus as well, so that
       nothing in the program waits for a release that never comes. */
    const up = (e) => {
        if (host.pointer === null || e.pointerId !== host.pointer)
            return;
        e.preventDefault();
        host.pointer = null;
        push(1, e);
    };
    const move = (e) => {
        if (host.pointer !== null ? e.pointerId !== host.pointer : e.pointerType !== 'mouse')
            return;
        push(2, e);
    };
    const noMenu = (e) => e.preventDefault();

    const listeners = [
        ['pointerdown', down], ['pointerup', up], ['pointercancel', up], ['lostpointercapture', up],
        ['pointermove', move], ['contextmenu', noMenu]
    ];
    listeners.forEach((l) => canvas.addEventListener(l[0], l[1]));
    canvas.style.touchAction = 'none';

    host.take = (out) => {
        const ev = host.queue.shift();
        if (!ev)
            return 0;
        const at = out >> 2;
        HEAP32[at] = ev.kind;
        HEAP32[at + 1] = ev.x;
        HEAP32[at + 2] = ev.y;
        HEAPU32[at + 3] = Math.floor(ev.time) >>> 0;
        return 1;
    };
    host.detach = () => {
        listeners.forEach((l) => canvas.removeEventListener(l[0], l[1]));
        host.queue.length = 0;
        host.pointer = null;
    };
});

EM_JS(void, corvane_web_detach, (), {
    const host = Module['corvaneHost'];
    if (host)
        host.detach();
});

EM_JS(int, corvane_web_poll, (RawEvent* out), {
    return Module['corvaneHost'].take(out);
});

// Suspends the program (Asyncify) until input arrives or timeoutMs passes;
// a negative timeout waits for input alone, and the page then idles. The
// program resumes inside the browser's callback, where its exit() unwinds by
// throwing ExitStatus after the page has been told: that is the end of the
// run, not an error. CMake lists this function among Asyncify's imports.
EM_JS(int, corvane_web_wait, (double timeoutMs, RawEvent* out), {
    const host = Module['corvaneHost'];
    return Asyncify.handleSleep((wakeUp) => {
        let timer = null;
        const resume = () => {
            host.wake = null;
            if (timer !== null)
                clearTimeout(timer);
            try {
                wakeUp(host.take(out));
            } catch (e) {
                if (!e || e.name !== 'ExitStatus')
                    throw e;
            }
        };
        if (host.queue.length) {
            resume();
            return;
        }
        host.wake = resume;
        if (timeoutMs >= 0)
            timer = setTimeout(resume, timeoutMs);
    });
});

EM_JS(double, corvane_web_now, (), {
    return performance.now();
});

EM_JS(void, corvane_web_blit, (const void* rgba, int width, int height, int x, int y, int w, int h), {
    const canvas = Module['canvas'];
    const host = Module['corvaneHost'];
    if (canvas.width !== width || canvas.height !== height) {
        canvas.width = width;
        canvas.height = height;
        host.context = null;
    }
    if (!host.context)
        host.context = canvas.getContext('2d');
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    host.context.putImageData(new ImageData(pixels, width, height), 0, 0, x, y, w, h);
});

EM_JS(void, corvane_web_set_title, (const char* title), {
    document.title = UTF8ToString(title);
});

EM_JS(void, corvane_web_set_icon, (const void* rgba, int width, int height), {
    const picture = document.createElement('canvas');
    picture.width = width;
    picture.height = height;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    picture.getContext('2d').putImageData(new ImageData(pixels.slice(), width, height), 0, 0);
    let link = document.querySelector('link[rel~="icon"]');
    if (!link) {
        link = document.createElement('link');
        link.rel = 'icon';
        document.head.appendChild(link);
    }
    link.type = 'image/png';
    link.href = picture.toDataURL('image/png');
});

namespace {

enum EventKind { kPress = 0, kRelease = 1, kMove = 2 };

bool Decode(const RawEvent& raw, CInputEvent& out)
{
    switch (raw.kind) {
    case kPress: out.kind = CInputEvent::Kind::Press; break;
    case kRelease: out.kind = CInputEvent::Kind::Release; break;
    case kMove: out.kind = CInputEvent::Kind::Move; break;
    default: return false;
    }
    out.pt = {raw.x, raw.y};
    out.time = raw.time;
    return true;
}

void PutRgba(std::uint8_t* p, Pixel pixel, std::uint8_t alpha)
{
    p[0] = static_cast<std::uint8_t>(pixel >> 16);
    p[1] = static_cast<std::uint8_t>(pixel >> 8);
    p[2] = static_cast<std::uint8_t>(pixel);
    p[3] = alpha;
}

}  // namespace

CWebBackend::CWebBackend() { corvane_web_attach(); }

CWebBackend::~CWebBackend() { corvane_web_detach(); }

bool CWebBackend::HasCanvas() { return corvane_web_has_canvas() != 0; }

void CWebBackend::Present(const CSurface& screen, const CRegion& dirty)
{
    // A new size clears the canvas, so everything goes across.
    const bool resized = screen.Width() != m_nWidth || screen.Height() != m_nHeight;
    if (resized) {
        m_nWidth = screen.Width();
        m_nHeight = screen.Height();
        m_aRgba.assign(static_cast<std::size_t>(m_nWidth) * static_cast<std::size_t>(m_nHeight) * 4, 0);
    }
    if (m_aRgba.empty())
        return;
    auto send = [&](const CRect& area) {
        const CRect r = area.Intersect(screen.Bounds());
        if (r.IsEmpty())
            return;
        for (int y = r.top; y < r.bottom; ++y) {
            const Pixel* src = screen.Row(y) + r.left;
            std::uint8_t* dst = m_aRgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                                                  static_cast<std::size_t>(r.left)) * 4;
            for (int x = r.left; x < r.right; ++x, ++src, dst += 4)
                PutRgba(dst, *src, 255);
        }
        corvane_web_blit(m_aRgba.data(), m_nWidth, m_nHeight, r.left, r.top, r.Width(), r.Height());
    };
    if (resized) {
        send(screen.Bounds());
        return;
    }
    for (const CRect& r : dirty.Rects())
        send(r);
}

bool CWebBackend::PollEvent(CInputEvent& out)
{
    RawEvent raw{};
    while (corvane_web_poll(&raw))
        if (Decode(raw, out))
            return true;
    return false;
}

WaitResult CWebBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    double timeout = -1;
    if (deadline) {
        const auto left = static_cast<std::int32_t>(*deadline - Now());
        timeout = std::max(left, 0);
    }
    RawEvent raw{};
    if (corvane_web_wait(timeout, &raw) && Decode(raw, out))
        return WaitResult::Event;
    return WaitResult::Timeout;
}

std::uint32_t CWebBackend::Now()
{
    // Milliseconds since the page began, wrapping as the window system expects.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(corvane_web_now()));
}

void CWebBackend::SetTitle(const std::string& title) { corvane_web_set_title(title.c_str()); }

void CWebBackend::SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    if (image.IsEmpty())
        return;
    const std::size_t count = static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height());
    std::vector<std::uint8_t> rgba(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const bool clear = i < transparent.size() && transparent[i] != 0;
        PutRgba(rgba.data() + i * 4, image.Pixels()[i], clear ? 0 : 255);
    }
    corvane_web_set_icon(rgba.data(), image.Width(), image.Height());
}
