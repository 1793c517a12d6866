#include "platform/font/CFontFace.h"

#include "platform/font/CUtf8Reader.h"

#include <algorithm>
#include <climits>
#include <cstdint>

static_assert(glyphs::kFaceCount == 3);
static_assert(glyphs::kFaceStyles[CFontFace::Normal11].m_nPixelSize == 11 &&
              !glyphs::kFaceStyles[CFontFace::Normal11].m_bBold);
static_assert(glyphs::kFaceStyles[CFontFace::Normal12].m_nPixelSize == 12 &&
              !glyphs::kFaceStyles[CFontFace::Normal12].m_bBold);
static_assert(glyphs::kFaceStyles[CFontFace::Bold12].m_nPixelSize == 12 &&
              glyphs::kFaceStyles[CFontFace::Bold12].m_bBold);
static_assert(glyphs::GlyphIndex('?') >= 0);

CFontFace::CFontFace(Face face)
    : m_nFace(face >= Normal11 && face <= Bold12 ? face : Normal12), m_pFace(&glyphs::g_aFaceTable[m_nFace])
{
}

int CFontFace::PixelSize() const { return glyphs::kFaceStyles[m_nFace].m_nPixelSize; }

bool CFontFace::IsBold() const { return glyphs::kFaceStyles[m_nFace].m_bBold; }

const glyphs::CGlyphRecord& CFontFace::Glyph(char32_t ch) const
{
    int index = glyphs::GlyphIndex(ch);
    if (index < 0)
        index = glyphs::GlyphIndex('?');
    return m_pFace->m_pGlyphs[index];
}

int CFontFace::CharWidth(char32_t ch) const { return Glyph(ch).m_nAdvance; }

CRect CFontFace::CharInkBox(char32_t ch) const
{
    const glyphs::CGlyphRecord& glyph = Glyph(ch);
    if (glyph.m_nWidth == 0 || glyph.m_nHeight == 0)
        return {};
    return CRect::FromSize(glyph.m_nLeft, Ascent() - glyph.m_nTop, glyph.m_nWidth, glyph.m_nHeight);
}

int CFontFace::TextWidth(std::string_view text) const
{
    // Kept wide so an absurdly long text saturates instead of overflowing.
    long long width = 0;
    CUtf8Reader reader(text);
    char32_t ch = 0;
    while (reader.Next(ch))
        width += Glyph(ch).m_nAdvance;
    return static_cast<int>(std::min<long long>(width, INT_MAX));
}

void CFontFace::DrawText(CSurface& surface, CPoint pt, std::string_view text, Pixel colour) const
{
    DrawText(surface, pt, text, colour, surface.Bounds());
}

void CFontFace::DrawText(CSurface& surface, CPoint pt, std::string_view text, Pixel colour, const CRect& clip) const
{
    const CRect area = clip.Intersect(surface.Bounds());
    if (area.IsEmpty())
        return;

    // Pen positions are kept wide: a point far off the surface must clip, not
    // overflow.
    long long penX = pt.x;
    const long long baseline = static_cast<long long>(pt.y) + Ascent();
    const std::uint8_t* bits = m_pFace->m_pBits;
    CUtf8Reader reader(text);
    char32_t ch = 0;
    // A glyph reaches at most 128 pixels left of its pen (the bearing is 8
    // bits), so once the pen is that far past the area nothing more shows.
    while (penX + INT8_MIN < area.right && reader.Next(ch)) {
        const glyphs::CGlyphRecord& glyph = Glyph(ch);
        const long long left = penX + glyph.m_nLeft;
        const long long top = baseline - glyph.m_nTop;
        const long long x0 = std::max<long long>(left, area.left);
        const long long x1 = std::min<long long>(left + glyph.m_nWidth, area.right);
        const long long y0 = std::max<long long>(top, area.top);
        const long long y1 = std::min<long long>(top + glyph.m_nHeight, area.bottom);
        for (long long y = y0; y < y1; ++y) {
            Pixel* row = surface.Row(static_cast<int>(y));
            std::size_t bit = glyph.m_nBitOffset + static_cast<std::size_t>((y - top) * glyph.m_nWidth + (x0 - left));
            for (long long x = x0; x < x1; ++x, ++bit)
                if (bits[bit >> 3] & (0x80u >> (bit & 7)))
                    row[x] = colour;
        }
        penX += glyph.m_nAdvance;
    }
}

std::vector<std::string> CFontFace::WrapText(std::string_view text, int width) const
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            WrapLine(text.substr(pos), width, lines);
            return lines;
        }
        WrapLine(text.substr(pos, end - pos), width, lines);
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
}

void CFontFace::WrapLine(std::string_view line, int width, std::vector<std::string>& lines) const
{
    struct CUnit {
        std::size_t m_nBegin;
        std::size_t m_nEnd;
        int m_nAdvance;
        bool m_bSpace;
    };
    std::vector<CUnit> aUnits;
    CUtf8Reader reader(line);
    char32_t ch = 0;
    for (std::size_t begin = 0; reader.Next(ch); begin = reader.Position())
        aUnits.push_back({begin, reader.Position(), Glyph(ch).m_nAdvance, ch == U' '});

    const std::size_t count = aUnits.size();
    auto emit = [&](std::size_t first, std::size_t last) {
        if (first >= last)
            lines.emplace_back();
        else
            lines.emplace_back(line.substr(aUnits[first].m_nBegin, aUnits[last - 1].m_nEnd - aUnits[first].m_nBegin));
    };

    bool bEmitted = false;
    std::size_t start = 0;
    for (;;) {
        long long used = 0;
        bool bInk = false;                          // a non-space since start
        std::size_t spaceRun = std::string::npos;  // last run of spaces after ink
        std::size_t i = start;
        for (; i < count; ++i) {
            const CUnit& unit = aUnits[i];
            if (unit.m_bSpace && bInk && !aUnits[i - 1].m_bSpace)
                spaceRun = i;
            if (used + unit.m_nAdvance > width)
                break;
            used += unit.m_nAdvance;
            bInk = bInk || !unit.m_bSpace;
        }
        if (i == count) {
            emit(start, count);
            return;
        }

        std::size_t lineEnd = 0;
        if (aUnits[i].m_bSpace) {
            lineEnd = i;
            while (lineEnd > start && aUnits[lineEnd - 1].m_bSpace)
                --lineEnd;
        } else if (spaceRun != std::string::npos) {
            lineEnd = spaceRun;
        } else {
            lineEnd = std::max(i, start + 1);
        }
        // Spaces with no ink before them (an indent wider than the line)
        // make no line of their own.
        if (lineEnd > start) {
            emit(start, lineEnd);
            bEmitted = true;
        }
        std::size_t next = lineEnd;
        while (next < count && aUnits[next].m_bSpace)
            ++next;
        if (next >= count) {
            if (!bEmitted)
                emit(0, 0);
            return;
        }
        start = next;
    }
}
