// glyphgen: rasterises the faces of the glyph table with FreeType and writes
// them as a C++ source, so the program draws text with no font library at run
// time and every backend shows the same pixels.
//
//   glyphgen OUTPUT.cpp REGULAR.ttf BOLD.ttf
//
// Glyphs are hinted for monochrome output and rendered one bit a pixel: they
// stay crisp when the screen is scaled up by whole factors.

#include "platform/font/GlyphTable.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CRasterGlyph {
    int m_nAdvance = 0;
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<bool> m_aInk;  // m_nWidth * m_nHeight, row by row
};

struct CRasterFace {
    int m_nAscent = 0;
    int m_nDescent = 0;
    int m_nLineHeight = 0;
    std::vector<CRasterGlyph> m_aGlyphs;
};

// Thrown with a message naming what went wrong; main prints it and fails.
struct CFailure {
    std::string m_strWhat;
};

// FreeType's own messages, from its error list; the library is usually built
// without FT_Error_String.
struct CFtMessage {
    int m_nCode;
    const char* m_pText;
};
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {v, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const CFtMessage kFtMessages[] =
#include FT_ERRORS_H

std::string FtError(FT_Error err)
{
    for (const CFtMessage& message : kFtMessages)
        if (message.m_pText && message.m_nCode == FT_ERROR_BASE(err))
            return message.m_pText;
    return "FreeType error " + std::to_string(err);
}

std::string CharName(char32_t ch)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(ch));
    return buf;
}

// Trims the rendered bitmap to its ink so the table holds no blank rows or
// columns and the ink box is exact.
CRasterGlyph Rasterise(FT_Face face, char32_t ch, const std::string& strFile)
{
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (index == 0)
        throw CFailure{strFile + " has no glyph for " + CharName(ch)};
    if (FT_Error err = FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO))
        throw CFailure{strFile + ": loading " + CharName(ch) + ": " + FtError(err)};
    FT_GlyphSlot slot = face->glyph;
    if (FT_Error err = FT_Render_Glyph(slot, FT_RENDER_MODE_MONO))
        throw CFailure{strFile + ": rendering " + CharName(ch) + ": " + FtError(err)};
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.rows > 0 && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        throw CFailure{strFile + ": " + CharName(ch) + " did not render one bit a pixel"};

    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    auto ink = [&](int x, int y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        return (row[x >> 3] & (0x80u >> (x & 7))) != 0;
    };

    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (ink(x, y)) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }

    CRasterGlyph glyph;
    glyph.m_nAdvance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (x1 < 0)
        return glyph;
    glyph.m_nLeft = slot->bitmap_left + x0;
    glyph.m_nTop = slot->bitmap_top - y0;
    glyph.m_nWidth = x1 - x0 + 1;
    glyph.m_nHeight = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            glyph.m_aInk.push_back(ink(x, y));
    return glyph;
}

CRasterFace LoadFace(FT_Library library, const std::string& strFile, int nPixelSize)
{
    FT_Face face = nullptr;
    if (FT_Error err = FT_New_Face(library, strFile.c_str(), 0, &face))
        throw CFailure{"cannot open font " + strFile + ": " + FtError(err)};
    const std::unique_ptr<FT_FaceRec, decltype(&FT_Done_Face)> owner(face, &FT_Done_Face);

    if (!FT_IS_SCALABLE(face))
        throw CFailure{strFile + " is not a scalable font"};
    if (FT_Error err = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(nPixelSize)))
        throw CFailure{strFile + ": setting " + std::to_string(nPixelSize) + " px: " + FtError(err)};

    CRasterFace result;
    const FT_Size_Metrics& metrics = face->size->metrics;
    result.m_nAscent = static_cast<int>(metrics.ascender >> 6);
    result.m_nDescent = static_cast<int>(-metrics.descender >> 6);
    int nFontHeight = static_cast<int>(metrics.height >> 6);
    for (int i = 0; i < glyphs::kGlyphCount; ++i) {
        CRasterGlyph glyph = Rasterise(face, glyphs::GlyphChar(i), strFile);
        if (glyph.m_nHeight > 0) {
            // Accented capitals may reach above the font's ascender: the line
            // box grows so that every glyph lies inside it.
            result.m_nAscent = std::max(result.m_nAscent, glyph.m_nTop);
            result.m_nDescent = std::max(result.m_nDescent, glyph.m_nHeight - glyph.m_nTop);
        }
        result.m_aGlyphs.push_back(std::move(glyph));
    }
    result.m_nLineHeight = std::max(nFontHeight, result.m_nAscent + result.m_nDescent);
    return result;
}

void CheckRange(int value, int lo, int hi, const char* what, char32_t ch)
{
    if (value < lo || value > hi)
        throw CFailure{CharName(ch) + ": " + what + " " + std::to_string(value) + " does not fit the table"};
}

void WriteFace(std::ostream& out, const CRasterFace& face, int nFace)
{
    std::vector<std::uint8_t> aBits;
    std::uint32_t nBit = 0;
    std::vector<std::uint32_t> aOffsets;
    for (const CRasterGlyph& glyph : face.m_aGlyphs) {
        aOffsets.push_back(nBit);
        for (bool ink : glyph.m_aInk) {
            if (nBit % 8 == 0)
                aBits.push_back(0);
            if (ink)
                aBits.back() = static_cast<std::uint8_t>(aBits.back() | (0x80u >> (nBit % 8)));
            ++nBit;
        }
    }
    if (aBits.empty())
        aBits.push_back(0);  // no zero-length arrays

    out << "constexpr std::uint8_t kBits" << nFace << "[" << aBits.size() << "] = {";
    for (std::size_t i = 0; i < aBits.size(); ++i) {
        out << (i % 16 == 0 ? "\n    " : " ");
        char buf[8];
        std::snprintf(buf, sizeof buf, "0x%02X,", aBits[i]);
        out << buf;
    }
    out << "\n};\n\n";

    out << "constexpr CGlyphRecord kGlyphs" << nFace << "[kGlyphCount] = {\n";
    for (int i = 0; i < glyphs::kGlyphCount; ++i) {
        const CRasterGlyph& glyph = face.m_aGlyphs[static_cast<std::size_t>(i)];
        const char32_t ch = glyphs::GlyphChar(i);
        CheckRange(glyph.m_nAdvance, 0, 255, "advance", ch);
        CheckRange(glyph.m_nLeft, -128, 127, "left bearing", ch);
        CheckRange(glyph.m_nTop, -128, 127, "top", ch);
        CheckRange(glyph.m_nWidth, 0, 255, "width", ch);
        CheckRange(glyph.m_nHeight, 0, 255, "height", ch);
        CheckRange(static_cast<int>(aOffsets[static_cast<std::size_t>(i)]), 0, UINT16_MAX, "bit offset", ch);
        out << "    {" << glyph.m_nAdvance << ", " << glyph.m_nLeft << ", " << glyph.m_nTop << ", " << glyph.m_nWidth
            << ", " << glyph.m_nHeight << ", " << aOffsets[static_cast<std::size_t>(i)] << "},  // "
            << CharName(ch);
        if (ch < 0x7F && ch != '\\')
            out << " '" << static_cast<char>(ch) << "'";
        out << "\n";
    }
    out << "};\n\n";
}

void Generate(const std::string& strOutput, const std::string& strRegular, const std::string& strBold)
{
    FT_Library library = nullptr;
    if (FT_Error err = FT_Init_FreeType(&library))
        throw CFailure{"cannot start FreeType: " + FtError(err)};
    const std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> owner(library, &FT_Done_FreeType);

    FT_Int major = 0, minor = 0, patch = 0;
    FT_Library_Version(library, &major, &minor, &patch);

    std::ostringstream out;
    out << "// Generated by tools/glyphgen with FreeType " << major << "." << minor << "." << patch
        << " from\n// " << std::filesystem::path(strRegular).filename().string() << " and "
        << std::filesystem::path(strBold).filename().string() << ". Do not edit.\n\n"
        << "#include \"platform/font/GlyphTable.h\"\n\n"
        << "namespace glyphs {\nnamespace {\n\n";

    std::vector<CRasterFace> aFaces;
    for (int i = 0; i < glyphs::kFaceCount; ++i) {
        const glyphs::CFaceStyle& style = glyphs::kFaceStyles[i];
        out << "// " << (style.m_bBold ? "bold " : "regular ") << style.m_nPixelSize << " px\n";
        aFaces.push_back(LoadFace(library, style.m_bBold ? strBold : strRegular, style.m_nPixelSize));
        WriteFace(out, aFaces.back(), i);
    }

    out << "}  // namespace\n\n"
        << "constexpr CFaceRecord g_aFaceTable[kFaceCount] = {\n";
    for (int i = 0; i < glyphs::kFaceCount; ++i) {
        const CRasterFace& face = aFaces[static_cast<std::size_t>(i)];
        out << "    {" << face.m_nAscent << ", " << face.m_nDescent << ", " << face.m_nLineHeight << ", kGlyphs" << i
            << ", kBits" << i << ", sizeof kBits" << i << "},\n";
    }
    out << "};\n\n}  // namespace glyphs\n";

    // Written beside the target and renamed, so a failed run never leaves a
    // half table that the build would take as up to date.
    const std::string strTemp = strOutput + ".tmp";
    {
        std::ofstream file(strTemp, std::ios::binary | std::ios::trunc);
        file << out.str();
        file.close();
        if (!file)
            throw CFailure{"cannot write " + strTemp};
    }
    std::error_code ec;
    std::filesystem::rename(strTemp, strOutput, ec);
    if (ec)
        throw CFailure{"cannot rename " + strTemp + " to " + strOutput + ": " + ec.message()};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: glyphgen OUTPUT.cpp REGULAR.ttf BOLD.ttf\n";
        return 2;
    }
    try {
        Generate(argv[1], argv[2], argv[3]);
    } catch (const CFailure& failure) {
        std::cerr << "glyphgen: " << failure.m_strWhat << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "glyphgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
