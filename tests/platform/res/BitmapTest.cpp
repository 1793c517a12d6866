#include "platform/res/Bitmap.h"

#include "tests/platform/res/DibBytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace dibtest;

const std::vector<Pixel> kSixteen = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

CSurface Expected(const DibPicture& s)
{
    CSurface out(s.width, s.height);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            out.Set(x, y, s.bitCount <= 8 ? s.palette[v] : v & 0xFFFFFF);
        }
    return out;
}

// A 5 x 3 picture at each depth: odd widths cross byte and nibble
// boundaries and need row padding.
DibPicture Sample(int bits, bool topDown)
{
    DibPicture s;
    s.width = 5;
    s.height = 3;
    s.bitCount = bits;
    s.topDown = topDown;
    switch (bits) {
    case 1:
        s.palette = {0x102030, 0xF0E0D0};
        s.rows = {{1, 0, 0, 1, 1}, {0, 1, 0, 1, 0}, {1, 1, 1, 0, 0}};
        break;
    case 4:
        s.palette = kSixteen;
        s.rows = {{0, 15, 9, 12, 1}, {2, 3, 4, 5, 6}, {7, 8, 10, 11, 14}};
        break;
    case 8:
        for (unsigned i = 0; i < 256; ++i)
            s.palette.push_back(PixelFromRGB(i, 255 - i, i / 2));
        s.rows = {{0, 255, 128, 7, 200}, {1, 2, 3, 254, 99}, {17, 34, 51, 68, 85}};
        break;
    default:
        s.rows = {{0x123456, 0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00},
                  {0x0000FF, 0xABCDEF, 0x010203, 0x808080, 0xC0C0C0},
                  {0x7F7F7F, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x102030}};
        if (bits == 32)
            for (auto& row : s.rows)
                for (auto& v : row)
                    v |= 0x5A000000;  // alpha is ignored
        break;
    }
    return s;
}

TEST(DecodeBitmap, ReadsEveryDepthBothWaysUp)
{
    for (int bits : {1, 4, 8, 24, 32})
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << "-bit, " << (topDown ? "top-down" : "bottom-up"));
            const DibPicture picture = Sample(bits, topDown);
            std::string error;
            const auto surface = DecodeBitmap(MakeBmp(picture), &error);
            ASSERT_TRUE(surface) << error;
            EXPECT_EQ(*surface, Expected(picture));
        }
}

TEST(DecodeBitmap, ReadsHandWrittenFiles)
{
    // 2 x 2, 24 bits, bottom-up: the last stored row is the top one.
    const Bytes rgb = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0, 0,  // bottom: blue, green
        0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,  // top: red, white
    };
    auto s = DecodeBitmap(rgb);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->Width(), 2);
    ASSERT_EQ(s->Height(), 2);
    EXPECT_EQ(s->At(0, 0), 0xFF0000u);
    EXPECT_EQ(s->At(1, 0), 0xFFFFFFu);
    EXPECT_EQ(s->At(0, 1), 0x0000FFu);
    EXPECT_EQ(s->At(1, 1), 0x00FF00u);

    // 3 x 2, 1 bit, top-down, black and white; the first pixel is the high bit.
    const Bytes mono = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,
        40, 0, 0, 0, 3, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 1, 0, 0, 0, 0, 0, 8, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0,
        0xA0, 0, 0, 0,  // row 0: 1 0 1
        0x60, 0, 0, 0,  // row 1: 0 1 1
    };
    s = DecodeBitmap(mono);
    ASSERT_TRUE(s);
    const CSurface expected = [] {
        CSurface e(3, 2);
        e.Set(0, 0, 0xFFFFFF);
        e.Set(2, 0, 0xFFFFFF);
        e.Set(1, 1, 0xFFFFFF);
        e.Set(2, 1, 0xFFFFFF);
        return e;
    }();
    EXPECT_EQ(*s, expected);
}

TEST(DecodeBitmap, HonoursLayoutVariants)
{
    const DibPicture picture = Sample(4, false);
    const CSurface expected = Expected(picture);
    const Bytes base = MakeBmp(picture);

    // A V5 header (124 bytes) in place of the 40-byte one.
    Bytes v5 = base;
    v5.insert(v5.begin() + 54, 84, 0);
    PutU32(v5, kInfo + kHeaderSize, 124);
    PutU32(v5, kPixelOffset, 14 + 124 + 64);
    auto s = DecodeBitmap(v5);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, expected);

    // Pixels placed after a gap: the offset field is what counts.
    Bytes gap = base;
    gap.insert(gap.begin() + 54 + 64, 6, 0xEE);
    PutU32(gap, kPixelOffset, 54 + 64 + 6);
    s = DecodeBitmap(gap);
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, expected);

    // A short colour table, as long as no pixel points past it.
    DibPicture shortTable;
    shortTable.width = 3;
    shortTable.height = 1;
    shortTable.bitCount = 8;
    shortTable.palette = {0x111111, 0x222222, 0x333333};
    shortTable.colorsUsed = 3;
    shortTable.rows = {{2, 0, 1}};
    s = DecodeBitmap(MakeBmp(shortTable));
    ASSERT_TRUE(s);
    EXPECT_EQ(*s, Expected(shortTable));
}

// 32-bit pixels with bit-field masks after the 40-byte header.
Bytes WithBitFields(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    Bytes b = MakeBmp(Sample(32, true));
    PutU32(b, kInfo + kCompression, 3);
    Bytes masks;
    AppendU32(masks, red);
    AppendU32(masks, green);
    AppendU32(masks, blue);
    b.insert(b.begin() + 54, masks.begin(), masks.end());
    PutU32(b, kPixelOffset, 54 + 12);
    return b;
}

TEST(DecodeBitmap, AcceptsOnlyTheStandardBitFields)
{
    std::string error;
    const auto s = DecodeBitmap(WithBitFields(0xFF0000, 0x00FF00, 0x0000FF), &error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(*s, Expected(Sample(32, true)));

    EXPECT_FALSE(DecodeBitmap(WithBitFields(0x0000FF, 0x00FF00, 0xFF0000), &error));
    EXPECT_NE(error.find("bit-field masks"), std::string::npos) << error;
}

struct Malformed {
    const char* name;
    std::function<void(Bytes&)> mutate;
    const char* message;  // a part of the expected error
};

TEST(DecodeBitmap, RefusesMalformedFiles)
{
    const Malformed cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }, "truncated file header"},
        {"shorter than the file header", [](Bytes& b) { b.resize(13); }, "truncated file header"},
        {"no signature", [](Bytes& b) { b[0] = 'X'; }, "signature"},
        {"only the file header", [](Bytes& b) { b.resize(16); }, "truncated before the info header"},
        {"core header", [](Bytes& b) { PutU32(b, kInfo + kHeaderSize, 12); }, "core headers"},
        {"unknown header size", [](Bytes& b) { PutU32(b, kInfo + kHeaderSize, 20); }, "unknown info header size 20"},
        {"huge header size", [](Bytes& b) { PutU32(b, kInfo + kHeaderSize, 0xFFFFFFFF); }, "unknown info header size"},
        {"truncated header", [](Bytes& b) { b.resize(kInfo + 30); }, "truncated info header"},
        {"zero width", [](Bytes& b) { PutU32(b, kInfo + kWidth, 0); }, "width 0 is not positive"},
        {"negative width", [](Bytes& b) { PutU32(b, kInfo + kWidth, 0xFFFFFFFD); }, "width -3"},
        {"zero height", [](Bytes& b) { PutU32(b, kInfo + kHeight, 0); }, "height is 0"},
        {"too wide", [](Bytes& b) { PutU32(b, kInfo + kWidth, 4097); }, "exceeds the limit of 4096"},
        {"too tall top-down", [](Bytes& b) { PutU32(b, kInfo + kHeight, static_cast<std::uint32_t>(-4097)); },
         "exceeds the limit"},
        {"most negative height", [](Bytes& b) { PutU32(b, kInfo + kHeight, 0x80000000); }, "exceeds the limit"},
        {"largest width", [](Bytes& b) { PutU32(b, kInfo + kWidth, 0x7FFFFFFF); }, "exceeds the limit"},
        {"two planes", [](Bytes& b) { PutU16(b, kInfo + kPlanes, 2); }, "plane count 2"},
        {"16-bit pixels", [](Bytes& b) { PutU16(b, kInfo + kBitCount, 16); }, "16-bit pixels are not supported"},
        {"0-bit pixels", [](Bytes& b) { PutU16(b, kInfo + kBitCount, 0); }, "0-bit pixels are not supported"},
        {"RLE8", [](Bytes& b) { PutU32(b, kInfo + kCompression, 1); }, "RLE8"},
        {"RLE4", [](Bytes& b) { PutU32(b, kInfo + kCompression, 2); }, "RLE4"},
        {"PNG inside", [](Bytes& b) { PutU32(b, kInfo + kCompression, 5); }, "PNG"},
        {"unknown compression", [](Bytes& b) { PutU32(b, kInfo + kCompression, 77); }, "compression 77"},
        {"bit fields on 4-bit pixels", [](Bytes& b) { PutU32(b, kInfo + kCompression, 3); }, "32-bit pixels only"},
        {"colour table too long", [](Bytes& b) { PutU32(b, kInfo + kColorsUsed, 17); }, "17 entries is too long"},
        {"pixel offset past the end", [](Bytes& b) { PutU32(b, kPixelOffset, static_cast<std::uint32_t>(b.size() + 1)); },
         "beyond the end of the file"},
        {"largest pixel offset", [](Bytes& b) { PutU32(b, kPixelOffset, 0xFFFFFFFF); }, "beyond the end of the file"},
        {"pixel offset inside the colour table", [](Bytes& b) { PutU32(b, kPixelOffset, 54 + 10); }, "overlaps"},
        {"pixel offset inside the header", [](Bytes& b) { PutU32(b, kPixelOffset, 20); }, "overlaps"},
        {"last byte missing", [](Bytes& b) { b.pop_back(); }, "pixel data truncated"},
        {"claims 4096 x 4096", [](Bytes& b) { PutU32(b, kInfo + kWidth, 4096); PutU32(b, kInfo + kHeight, 4096); },
         "pixel data truncated"},
        {"pixel past a short colour table", [](Bytes& b) { PutU32(b, kInfo + kColorsUsed, 2); },
         "of a 2-entry colour table"},
    };
    const Bytes good = MakeBmp(Sample(4, false));
    ASSERT_TRUE(DecodeBitmap(good));
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = good;
        c.mutate(b);
        std::string error;
        EXPECT_FALSE(DecodeBitmap(b, &error));
        EXPECT_EQ(error.rfind("bitmap: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(DecodeBitmap(b, nullptr));  // no error wanted: still refused, no crash
    }
}

TEST(DecodeBitmap, RefusesEveryTruncation)
{
    for (int bits : {1, 8, 24}) {
        const Bytes good = MakeBmp(Sample(bits, bits == 8));
        for (std::size_t n = 0; n < good.size(); ++n) {
            std::string error;
            EXPECT_FALSE(DecodeBitmap(std::span(good.data(), n), &error)) << bits << "-bit, " << n << " bytes";
            EXPECT_FALSE(error.empty());
        }
    }
}

}  // namespace
