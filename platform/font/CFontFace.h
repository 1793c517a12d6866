#pragma once
// Text in DejaVu Sans, monochrome, from the glyph table compiled into the
// program. A CFontFace is a small value naming one face of the table; copy it
// freely.
//
// Text is UTF-8. The table covers U+0020..U+007E and U+00A0..U+00FF; every
// other character, control characters included, and every ill-formed byte
// sequence draws and measures as '?'. A line box is LineHeight() pixels high
// with the baseline Ascent() pixels below its top; every glyph of the table
// lies inside it.
//
//   CFontFace font(CFontFace::Bold12);
//   int y = rc.top;
//   for (const std::string& line : font.WrapText(text, rc.Width())) {
//       font.DrawText(surface, {rc.left, y}, line, colour, rc);
//       y += font.LineHeight();
//   }

#include "platform/font/GlyphTable.h"
#include "platform/gfx/CSurface.h"
#include "platform/gfx/Geometry.h"

#include <string>
#include <string_view>
#include <vector>

class CFontFace {
public:
    enum Face { Normal11, Normal12, Bold12 };

    // A value outside Face falls back to Normal12.
    explicit CFontFace(Face face = Normal12);

    Face GetFace() const { return m_nFace; }
    int PixelSize() const;
    bool IsBold() const;

    int Ascent() const { return m_pFace->m_nAscent; }
    int Descent() const { return m_pFace->m_nDescent; }
    int LineHeight() const { return m_pFace->m_nLineHeight; }

    // Advance of one character, and the box its ink covers relative to the
    // top-left of a line box whose text starts at x = 0.
    int CharWidth(char32_t ch) const;
    CRect CharInkBox(char32_t ch) const;

    // Sum of the advances; drawing the text moves the pen this far.
    int TextWidth(std::string_view text) const;
    CSize TextExtent(std::string_view text) const { return {TextWidth(text), LineHeight()}; }

    // Draws one line of text in one colour with the top-left of its line box
    // at pt. Only pixels inside clip and inside the surface are written, and
    // only with colour; the background stays as it was.
    void DrawText(CSurface& surface, CPoint pt, std::string_view text, Pixel colour) const;
    void DrawText(CSurface& surface, CPoint pt, std::string_view text, Pixel colour, const CRect& clip) const;

    // Splits text into lines no wider than width. "\n", "\r\n" and a lone "\r"
    // end a line, and the lines they make are kept even when empty, so n
    // breaks give n + 1 lines. A line breaks at the last space that leaves it
    // within the width; the spaces at the break are dropped. A word wider
    // than the width breaks between characters, with at least one character
    // a line. The lines are slices of text, byte for byte.
    std::vector<std::string> WrapText(std::string_view text, int width) const;

private:
    const glyphs::CGlyphRecord& Glyph(char32_t ch) const;
    void WrapLine(std::string_view line, int width, std::vector<std::string>& lines) const;

    Face m_nFace;
    const glyphs::CFaceRecord* m_pFace;
};
