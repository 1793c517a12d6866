#include "platform/win/Text.h"

#include "platform/font/CFontFace.h"

namespace {

const CFontFace& Face(TextFace face)
{
    static const CFontFace normal11(CFontFace::Normal11);
    static const CFontFace normal12(CFontFace::Normal12);
    static const CFontFace bold12(CFontFace::Bold12);
    switch (face) {
    case TextFace::Normal11: return normal11;
    case TextFace::Bold12: return bold12;
    case TextFace::Normal12: break;
    }
    return normal12;
}

}  // namespace

int TextWidth(TextFace face, std::string_view utf8) { return Face(face).TextWidth(utf8); }

int TextLineHeight(TextFace face) { return Face(face).LineHeight(); }

void DrawTextAt(CSurface& surface, const CRegion* clip, CPoint topLeft, std::string_view utf8, TextFace face,
                Pixel colour)
{
    if (!clip) {
        Face(face).DrawText(surface, topLeft, utf8, colour);
        return;
    }
    for (const CRect& r : clip->Rects())
        Face(face).DrawText(surface, topLeft, utf8, colour, r);
}

std::vector<std::string> WrapTextLines(std::string_view utf8, TextFace face, int width)
{
    return Face(face).WrapText(utf8, width);
}
