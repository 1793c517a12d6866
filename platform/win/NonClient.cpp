#include "platform/win/NonClient.h"

#include "platform/gfx/Raster.h"
#include "platform/win/Text.h"

namespace nonclient {
namespace {

constexpr Pixel kBorder = PixelFromRGB(0, 0, 0);
constexpr Pixel kCaption = PixelFromRGB(0, 0, 128);
constexpr Pixel kCaptionText = PixelFromRGB(255, 255, 255);

}  // namespace

CRect Insets(DWORD style, DWORD exStyle)
{
    (void)exStyle;
    CRect nc;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        nc = {1, CAPTION_HEIGHT, 1, 1};
    } else if (style & (WS_BORDER | WS_DLGFRAME)) {
        nc = {1, 1, 1, 1};
    }
    if (style & WS_VSCROLL)
        nc.right += 0;  // scroll bars are drawn by the controls that own them
    return nc;
}

CRect OkButtonRect(const CRect& windowRect)
{
    return {windowRect.right - 1 - 26, windowRect.top + 2, windowRect.right - 3, windowRect.top + CAPTION_HEIGHT - 2};
}

void Paint(CSurface& screen, const CRegion& clip, const CRect& windowRect, DWORD style, DWORD exStyle,
           const std::string& caption, bool okPressed)
{
    if (!(style & (WS_BORDER | WS_DLGFRAME)))
        return;
    raster::Frame(screen, &clip, windowRect, kBorder);
    if ((style & WS_CAPTION) != WS_CAPTION)
        return;
    const CRect bar{windowRect.left + 1, windowRect.top + 1, windowRect.right - 1, windowRect.top + CAPTION_HEIGHT};
    raster::Fill(screen, &clip, bar, kCaption);
    const int textTop = bar.top + (bar.Height() - TextLineHeight(TextFace::Bold12)) / 2;
    CRegion textClip = clip;
    CRect textArea = bar;
    if (exStyle & WS_EX_CAPTIONOKBTN)
        textArea.right = OkButtonRect(windowRect).left - 2;
    textClip.Intersect(textArea);
    DrawTextAt(screen, &textClip, {bar.left + 4, textTop}, caption, TextFace::Bold12, kCaptionText);
    if (exStyle & WS_EX_CAPTIONOKBTN) {
        const CRect ok = OkButtonRect(windowRect);
        const Pixel face = okPressed ? kCaptionText : kCaption;
        const Pixel ink = okPressed ? kCaption : kCaptionText;
        raster::Fill(screen, &clip, ok, face);
        raster::Frame(screen, &clip, ok, kCaptionText);
        const int w = TextWidth(TextFace::Bold12, "OK");
        DrawTextAt(screen, &clip, {ok.left + (ok.Width() - w) / 2, ok.top + (ok.Height() - TextLineHeight(TextFace::Bold12)) / 2},
                   "OK", TextFace::Bold12, ink);
    }
}

}  // namespace nonclient
