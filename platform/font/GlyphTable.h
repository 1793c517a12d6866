#pragma once
// The layout of the compiled-in glyph table. tools/glyphgen rasterises the
// faces at build time and writes the table in this layout; the text functions
// read it. Both include this header, so the faces, the covered characters and
// the record layout cannot drift apart.

#include <cstddef>
#include <cstdint>

namespace glyphs {

// The faces in table order. CFontFace::Face indexes this array.
struct CFaceStyle {
    bool m_bBold;
    int m_nPixelSize;
};
inline constexpr int kFaceCount = 3;
inline constexpr CFaceStyle kFaceStyles[kFaceCount] = {{false, 11}, {false, 12}, {true, 12}};

// Covered characters: printable ASCII and the printable half of Latin-1.
inline constexpr char32_t kAsciiFirst = 0x20;
inline constexpr char32_t kAsciiLast = 0x7E;
inline constexpr char32_t kLatinFirst = 0xA0;
inline constexpr char32_t kLatinLast = 0xFF;
inline constexpr int kAsciiCount = static_cast<int>(kAsciiLast - kAsciiFirst + 1);
inline constexpr int kGlyphCount = kAsciiCount + static_cast<int>(kLatinLast - kLatinFirst + 1);

// Table slot of a character, or -1 when the table has no glyph for it.
constexpr int GlyphIndex(char32_t ch)
{
    if (ch >= kAsciiFirst && ch <= kAsciiLast)
        return static_cast<int>(ch - kAsciiFirst);
    if (ch >= kLatinFirst && ch <= kLatinLast)
        return kAsciiCount + static_cast<int>(ch - kLatinFirst);
    return -1;
}

constexpr char32_t GlyphChar(int index)
{
    return index < kAsciiCount ? kAsciiFirst + static_cast<char32_t>(index)
                               : kLatinFirst + static_cast<char32_t>(index - kAsciiCount);
}

// One glyph: its advance, the ink box relative to the pen on the baseline
// (m_nTop counts upward from the baseline to the first row), and where its
// bits start. The bits are the ink box row by row, one bit a pixel, most
// significant bit first, rows not padded. The box is trimmed to the ink, so a
// blank glyph has an empty box.
struct CGlyphRecord {
    std::uint8_t m_nAdvance;
    std::int8_t m_nLeft;
    std::int8_t m_nTop;
    std::uint8_t m_nWidth;
    std::uint8_t m_nHeight;
    std::uint16_t m_nBitOffset;
};

// One face: the line box (ascent above the baseline, descent below it, the
// distance between baselines) and its glyphs in GlyphIndex order.
struct CFaceRecord {
    int m_nAscent;
    int m_nDescent;
    int m_nLineHeight;
    const CGlyphRecord* m_pGlyphs;
    const std::uint8_t* m_pBits;
    std::size_t m_nBitBytes;
};

// Defined in the generated source.
extern const CFaceRecord g_aFaceTable[kFaceCount];

}  // namespace glyphs
