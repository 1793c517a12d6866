#include "platform/font/CFontFace.h"

#include "platform/font/GlyphTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace {

const CFontFace::Face kFaces[] = {CFontFace::Normal11, CFontFace::Normal12, CFontFace::Bold12};

constexpr Pixel kPaper = PixelFromRGB(0xAB, 0xCD, 0xEF);
constexpr Pixel kInk = PixelFromRGB(0x12, 0x34, 0x56);

// UTF-8 of a character of the table (all below U+0100).
std::string Utf8(char32_t ch)
{
    if (ch < 0x80)
        return std::string(1, static_cast<char>(ch));
    return {static_cast<char>(0xC0 | (ch >> 6)), static_cast<char>(0x80 | (ch & 0x3F))};
}

std::string AllGlyphs()
{
    std::string text;
    for (int i = 0; i < glyphs::kGlyphCount; ++i)
        text += Utf8(glyphs::GlyphChar(i));
    return text;
}

bool IsBlank(char32_t ch) { return ch == U' ' || ch == 0xA0; }

// Bounding box of the pixels that are not paper; empty when there are none.
CRect InkBounds(const CSurface& surface)
{
    CRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (surface.At(x, y) != kPaper) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.IsEmpty() ? CRect{} : box;
}

CSurface Drawn(const CFontFace& font, const std::string& text, int width, int height, CPoint pt = {8, 4})
{
    CSurface surface(width, height, kPaper);
    font.DrawText(surface, pt, text, kInk);
    return surface;
}

std::string FaceName(CFontFace::Face face)
{
    return "face " + std::to_string(static_cast<int>(face));
}

TEST(FontFace, FacesDiffer)
{
    const CFontFace normal11(CFontFace::Normal11), normal12(CFontFace::Normal12), bold12(CFontFace::Bold12);
    EXPECT_EQ(normal11.PixelSize(), 11);
    EXPECT_EQ(normal12.PixelSize(), 12);
    EXPECT_EQ(bold12.PixelSize(), 12);
    EXPECT_FALSE(normal12.IsBold());
    EXPECT_TRUE(bold12.IsBold());

    const std::string text = "Deal again?";
    EXPECT_LT(normal11.TextWidth(text), normal12.TextWidth(text));
    EXPECT_LT(normal12.TextWidth(text), bold12.TextWidth(text));
    EXPECT_LE(normal11.LineHeight(), normal12.LineHeight());
    EXPECT_NE(Drawn(normal12, text, 100, 24), Drawn(bold12, text, 100, 24));

    const CFontFace unknown(static_cast<CFontFace::Face>(7));
    EXPECT_EQ(unknown.GetFace(), CFontFace::Normal12);
    EXPECT_EQ(unknown.TextWidth(text), normal12.TextWidth(text));
}

TEST(FontFace, TableIsWellFormed)
{
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const glyphs::CFaceRecord& record = glyphs::g_aFaceTable[face];
        const CFontFace font(face);
        EXPECT_GT(font.Ascent(), font.PixelSize() / 2);
        EXPECT_GT(font.Descent(), 0);
        EXPECT_GE(font.LineHeight(), font.Ascent() + font.Descent());
        EXPECT_LE(font.LineHeight(), 2 * font.PixelSize());
        for (int i = 0; i < glyphs::kGlyphCount; ++i) {
            const char32_t ch = glyphs::GlyphChar(i);
            SCOPED_TRACE("U+" + std::to_string(static_cast<unsigned>(ch)));
            const glyphs::CGlyphRecord& glyph = record.m_pGlyphs[i];
            EXPECT_GT(glyph.m_nAdvance, 0);
            EXPECT_LE(glyph.m_nBitOffset + glyph.m_nWidth * glyph.m_nHeight, record.m_nBitBytes * 8);
            const CRect box = font.CharInkBox(ch);
            EXPECT_EQ(box.IsEmpty(), IsBlank(ch));
            if (!box.IsEmpty()) {
                // Every glyph fits its line box, accented capitals included.
                EXPECT_GE(box.top, 0);
                EXPECT_LE(box.bottom, font.LineHeight());
            }
        }
    }
}

// Every glyph draws exactly its ink box, relative to the point given: ink
// touches each edge of the box and nothing lies outside it.
TEST(FontFace, EachGlyphDrawsItsInkBox)
{
    const CPoint pt{12, 5};
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const CFontFace font(face);
        for (int i = 0; i < glyphs::kGlyphCount; ++i) {
            const char32_t ch = glyphs::GlyphChar(i);
            SCOPED_TRACE("U+" + std::to_string(static_cast<unsigned>(ch)));
            const CSurface surface = Drawn(font, Utf8(ch), 40, 30, pt);
            const CRect expected = font.CharInkBox(ch);
            EXPECT_EQ(InkBounds(surface), expected.IsEmpty() ? CRect{} : expected.Offset(pt));
        }
    }
}

TEST(FontFace, GlyphsSitOnTheBaseline)
{
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const CFontFace font(face);
        const CRect H = font.CharInkBox('H'), x = font.CharInkBox('x'), g = font.CharInkBox('g');
        const CRect p = font.CharInkBox('p'), A = font.CharInkBox(0xC0);
        EXPECT_EQ(H.bottom, font.Ascent());
        EXPECT_EQ(x.bottom, font.Ascent());
        EXPECT_GT(x.top, H.top);
        EXPECT_GT(g.bottom, font.Ascent());
        EXPECT_EQ(p.bottom, g.bottom);
        EXPECT_LT(A.top, H.top);  // the grave accent rises above the capital
        EXPECT_EQ(A.bottom, font.Ascent());
    }
}

TEST(FontFace, WritesOnlyTheColourGiven)
{
    const std::string text = AllGlyphs();
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const CFontFace font(face);
        CSurface first(font.TextWidth(text) + 16, font.LineHeight() + 8, kPaper);
        font.DrawText(first, {8, 4}, text, kInk);
        int nInk = 0;
        for (Pixel pixel : first.Pixels()) {
            ASSERT_TRUE(pixel == kPaper || pixel == kInk) << std::hex << pixel;
            nInk += pixel == kInk;
        }
        EXPECT_GT(nInk, 1000);

        // Another colour on another background inks the same pixels.
        const Pixel paper = PixelFromRGB(0, 160, 0), ink = PixelFromRGB(255, 255, 255);
        CSurface second(first.Width(), first.Height(), paper);
        font.DrawText(second, {8, 4}, text, ink);
        for (std::size_t i = 0; i < first.Pixels().size(); ++i)
            ASSERT_EQ(first.Pixels()[i] == kInk, second.Pixels()[i] == ink) << i;
    }
}

TEST(FontFace, WidthsAddUp)
{
    const std::string text = "Kings, Queens & 10 \xC3\x84sse";
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const CFontFace font(face);
        EXPECT_EQ(font.TextWidth(""), 0);
        EXPECT_EQ(font.TextWidth("Kings, Queens"), font.TextWidth("Kings,") + font.TextWidth(" Queens"));

        int sum = 0;
        for (int i = 0; i < glyphs::kGlyphCount; ++i)
            sum += font.CharWidth(glyphs::GlyphChar(i));
        EXPECT_EQ(font.TextWidth(AllGlyphs()), sum);
        EXPECT_EQ(font.TextExtent(text), (CSize{font.TextWidth(text), font.LineHeight()}));

        // Drawing the text moves the pen by each character's width.
        const int width = font.TextWidth(text) + 16;
        const CSurface whole = Drawn(font, text, width, 24);
        CSurface pieces(width, 24, kPaper);
        CPoint pen{8, 4};
        for (const char* piece : {"K", "i", "n", "g", "s", ",", " ", "Q", "u", "e", "e", "n", "s", " ", "&", " ", "1",
                                  "0", " ", "\xC3\x84", "s", "s", "e"}) {
            font.DrawText(pieces, pen, piece, kInk);
            pen.x += font.TextWidth(piece);
        }
        EXPECT_EQ(pen.x - 8, font.TextWidth(text));
        EXPECT_EQ(whole, pieces);
    }
}

// Characters outside the table and ill-formed bytes draw and measure as '?'.
TEST(FontFace, UnknownAndInvalidDrawAsQuestionMarks)
{
    struct Case {
        std::string text;
        std::string same;
    };
    const Case cases[] = {
        {"\xE2\x82\xAC", "?"},                  // the euro sign is not in the table
        {"\xF0\x9F\x82\xA1", "?"},              // nor a playing card
        {"\t", "?"},                            // control characters
        {std::string("a\0b", 3), "a?b"},
        {"\x7F", "?"},
        {"\xC2\x85", "?"},                      // a C1 control
        {"a\xFF" "b", "a?b"},                   // stray byte
        {"\xE2\x82", "?"},                      // cut short
        {"\xE2\x82" "A", "?A"},
        {"\xC0\xAF", "??"},                     // overlong
        {"\xED\xA0\x80", "???"},                // surrogate
        {"\xF4\x90\x80\x80", "????"},           // past U+10FFFF
        {"\xC3", "?"},                          // lead byte at the end
    };
    for (CFontFace::Face face : kFaces) {
        const CFontFace font(face);
        for (const Case& c : cases) {
            SCOPED_TRACE(FaceName(face) + " " + c.same);
            EXPECT_EQ(font.TextWidth(c.text), font.TextWidth(c.same));
            EXPECT_EQ(Drawn(font, c.text, 60, 24), Drawn(font, c.same, 60, 24));
        }
        EXPECT_NE(Drawn(font, "\xC3\xA9", 60, 24), Drawn(font, "?", 60, 24));
    }
}

struct ClipCase {
    const char* name;
    int nWidth;
    int nHeight;
    CPoint pt;
    CRect clip;
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

class FontClip : public ::testing::TestWithParam<ClipCase> {};

// A clipped drawing matches an unclipped one inside the clip and the surface
// and leaves every other pixel alone.
TEST_P(FontClip, MatchesUnclippedInsideOnly)
{
    const ClipCase& c = GetParam();
    const std::string text = "Jig \xC3\x80gypt";
    for (CFontFace::Face face : kFaces) {
        SCOPED_TRACE(FaceName(face));
        const CFontFace font(face);
        const int margin = 8;
        const CSurface reference = Drawn(font, text, font.TextWidth(text) + 2 * margin,
                                         font.LineHeight() + 2 * margin, {margin, margin});

        CSurface surface(c.nWidth, c.nHeight, kPaper);
        font.DrawText(surface, c.pt, text, kInk, c.clip);
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x) {
                const long long rx = static_cast<long long>(x) - c.pt.x + margin;
                const long long ry = static_cast<long long>(y) - c.pt.y + margin;
                Pixel expected = kPaper;
                if (c.clip.Contains({x, y}) && rx >= 0 && ry >= 0 && rx < reference.Width() && ry < reference.Height())
                    expected = reference.At(static_cast<int>(rx), static_cast<int>(ry));
                ASSERT_EQ(surface.At(x, y), expected) << "at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontClip,
    ::testing::Values(ClipCase{"unclipped", 90, 20, {2, 2}, {0, 0, 90, 20}},
                      ClipCase{"inside_rect", 90, 20, {0, 0}, {5, 3, 25, 9}},
                      ClipCase{"rect_cuts_a_glyph", 90, 20, {3, 1}, {6, 0, 9, 20}},
                      ClipCase{"negative_x", 90, 20, {-13, 1}, {0, 0, 90, 20}},
                      ClipCase{"negative_y", 90, 20, {3, -7}, {0, 0, 90, 20}},
                      ClipCase{"negative_both", 90, 20, {-20, -9}, {-50, -50, 90, 20}},
                      ClipCase{"past_right_and_bottom", 60, 20, {40, 12}, {0, 0, 60, 20}},
                      ClipCase{"rect_larger_than_surface", 40, 10, {1, -2}, {-100, -100, 1000, 1000}},
                      ClipCase{"rect_partly_off_surface", 60, 20, {-4, 3}, {-5, 4, 30, 100}},
                      ClipCase{"rect_off_surface", 60, 20, {0, 0}, {70, 0, 90, 20}},
                      ClipCase{"empty_rect", 60, 20, {0, 0}, {10, 2, 10, 20}},
                      ClipCase{"inverted_rect", 60, 20, {0, 0}, {30, 15, 10, 5}},
                      ClipCase{"far_left", 60, 20, {INT_MIN, 0}, {0, 0, 60, 20}},
                      ClipCase{"far_right", 60, 20, {INT_MAX, 0}, {0, 0, 60, 20}},
                      ClipCase{"far_up", 60, 20, {0, INT_MIN}, {0, 0, 60, 20}},
                      ClipCase{"far_down", 60, 20, {0, INT_MAX}, {0, 0, 60, 20}},
                      ClipCase{"empty_surface", 0, 0, {0, 0}, {0, 0, 60, 20}}),
    [](const ::testing::TestParamInfo<ClipCase>& param) { return std::string(param.param.name); });

struct WrapCase {
    std::string text;
    std::string fit;  // the width is the width of this text plus nDelta
    int nDelta;
    std::vector<std::string> lines;
};

// Names the case in the test list: bytes outside printable ASCII as \xNN.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char ch : text) {
        if (ch >= 0x20 && ch < 0x7F) {
            out += static_cast<char>(ch);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", ch);
            out += buf;
        }
    }
    return out;
}

void PrintTo(const WrapCase& c, std::ostream* os)
{
    *os << '"' << Escaped(c.text) << "\" in \"" << Escaped(c.fit.size() > 20 ? "(wide)" : c.fit) << "\" "
        << std::showpos << c.nDelta;
}

class FontWrap : public ::testing::TestWithParam<WrapCase> {};

TEST_P(FontWrap, BreaksLines)
{
    const WrapCase& c = GetParam();
    const CFontFace font(CFontFace::Normal12);
    EXPECT_EQ(font.WrapText(c.text, font.TextWidth(c.fit) + c.nDelta), c.lines);
}

const std::string kWide(40, 'W');

INSTANTIATE_TEST_SUITE_P(
    HardBreaks, FontWrap,
    ::testing::Values(WrapCase{"", kWide, 0, {""}}, WrapCase{"abc", kWide, 0, {"abc"}},
                      WrapCase{"a\nb", kWide, 0, {"a", "b"}}, WrapCase{"a\r\nb", kWide, 0, {"a", "b"}},
                      WrapCase{"a\rb", kWide, 0, {"a", "b"}}, WrapCase{"a\n\nb", kWide, 0, {"a", "", "b"}},
                      WrapCase{"a\r\n\r\nb", kWide, 0, {"a", "", "b"}}, WrapCase{"a\n\r\nb", kWide, 0, {"a", "", "b"}},
                      WrapCase{"a\n", kWide, 0, {"a", ""}}, WrapCase{"\n", kWide, 0, {"", ""}},
                      WrapCase{"\r\n\r\n", kWide, 0, {"", "", ""}}, WrapCase{"a\n\rb", kWide, 0, {"a", "", "b"}}));

INSTANTIATE_TEST_SUITE_P(
    SoftBreaks, FontWrap,
    ::testing::Values(
        WrapCase{"one two", "one two", 0, {"one two"}},           // exact fit
        WrapCase{"one two", "one two", -1, {"one", "two"}},       // one pixel short
        WrapCase{"one two three", "one two", 0, {"one two", "three"}},
        WrapCase{"one two three", "one two t", 0, {"one two", "three"}},
        WrapCase{"one   two", "one", 0, {"one", "two"}},          // spaces at the break go
        WrapCase{"one   two", "one ", 0, {"one", "two"}},
        WrapCase{"a  b", kWide, 0, {"a  b"}},                     // spaces inside stay
        WrapCase{"  indented", kWide, 0, {"  indented"}},
        WrapCase{"abc   ", "abc", 0, {"abc"}},                   // trailing spaces that overflow
        WrapCase{"      ", " ", 0, {""}},
        WrapCase{"one two\nthree four", "one two", 0, {"one two", "three", "four"}},
        WrapCase{"a\xC2\xA0" "b c", "a\xC2\xA0" "b c", -1, {"a\xC2\xA0" "b", "c"}}));  // no break at NBSP

INSTANTIATE_TEST_SUITE_P(
    LongWords, FontWrap,
    ::testing::Values(WrapCase{"xxxxxxxx", "xxx", 0, {"xxx", "xxx", "xx"}},
                      WrapCase{"xxxxxxxx", "xxx", -1, {"xx", "xx", "xx", "xx"}},
                      WrapCase{"a xxxxxx b", "xxx", 0, {"a", "xxx", "xxx", "b"}},
                      WrapCase{"\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9", 0, {"\xC3\xA9", "\xC3\xA9", "\xC3\xA9"}},
                      WrapCase{"ab\xFF" "cd", "ab?", 0, {"ab\xFF", "cd"}},  // ill-formed bytes stay intact
                      WrapCase{"ab c", "", 0, {"a", "b", "c"}},             // zero width: a character a line
                      WrapCase{"ab", "", -50, {"a", "b"}}));

// Over a long text and every width: no line is wider than the width unless
// it holds a single character, and no character other than a space at a
// break is lost or reordered.
TEST(FontWrapText, KeepsEveryCharacterWithinTheWidth)
{
    const std::string text =
        "The object of the game is to build eight foundations up in suit from Ace to King.\r\n"
        "Columns build down in alternating colours; an empty column takes only a King.\n\n"
        "Supercalifragilisticexpialidocious  words  break  anywhere.";
    std::string letters;
    for (char ch : text)
        if (ch != ' ' && ch != '\r' && ch != '\n')
            letters += ch;

    for (CFontFace::Face face : kFaces) {
        const CFontFace font(face);
        for (int width = 1; width <= 240; ++width) {
            SCOPED_TRACE(FaceName(face) + " width " + std::to_string(width));
            const std::vector<std::string> lines = font.WrapText(text, width);
            std::string joined;
            for (const std::string& line : lines) {
                if (line.size() > 1) {
                    EXPECT_LE(font.TextWidth(line), width) << line;
                }
                for (char ch : line)
                    if (ch != ' ')
                        joined += ch;
            }
            ASSERT_EQ(joined, letters);
            EXPECT_NE(std::find(lines.begin(), lines.end(), ""), lines.end());  // the empty line stays
        }
    }
}

}  // namespace
