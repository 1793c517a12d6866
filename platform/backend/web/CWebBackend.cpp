#include "platform/backend/web/CWebBackend.h"

namespace {

// One answer as the JavaScript side writes it.
struct RawEvent {
    std::int32_t kind;  // 0 press, 1 release, 2 move
    std::int32_t x;
    std::int32_t y;
    std::uint32_t time;
    std::uint32_t now;  // the clock when the answer was given
};

}  // namespace

// The JavaScript side, CWebBackend.js, which the linker takes in: the input
// queue, the record of a game that a reload plays back, and the canvas.
extern "C" {
int corvane_web_has_canvas();
void corvane_web_attach();
void corvane_web_detach();
std::uint32_t corvane_web_start_clock();
double corvane_web_deal_seconds(double live);
void corvane_web_keep_from_last_deal();
// Suspends the program until input arrives or the deadline passes.
int corvane_web_wait(int hasDeadline, std::uint32_t deadline, RawEvent* out);
void corvane_web_blit(const void* rgba, int width, int height, int x, int y, int w, int h);
void corvane_web_set_title(const char* title);
void corvane_web_set_icon(const void* rgba, int width, int height);
}

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

CWebBackend::CWebBackend()
{
    corvane_web_attach();
    m_nNow = corvane_web_start_clock();
}

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

// Input waits for WaitEvent (see the record in CWebBackend.js).
bool CWebBackend::PollEvent(CInputEvent& out)
{
    (void)out;
    if (m_checkpoint)
        m_checkpoint();
    return false;
}

WaitResult CWebBackend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    if (m_checkpoint)
        m_checkpoint();
    RawEvent raw{};
    const bool got = corvane_web_wait(deadline ? 1 : 0, deadline.value_or(0), &raw) != 0;
    m_nNow = raw.now;
    if (got && Decode(raw, out))
        return WaitResult::Event;
    return WaitResult::Timeout;
}

// The clock moves only with the answers, which the record holds, so that a
// game played back reads the same times as the game it was.
std::uint32_t CWebBackend::Now() { return m_nNow; }

std::int64_t CWebBackend::DealSeconds(std::int64_t live)
{
    return static_cast<std::int64_t>(corvane_web_deal_seconds(static_cast<double>(live)));
}

void CWebBackend::KeepFromLastDeal() { corvane_web_keep_from_last_deal(); }

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
