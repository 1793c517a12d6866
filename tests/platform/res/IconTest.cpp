#include "platform/res/Icon.h"

#include "platform/res/DibFormat.h"

#include "tests/platform/res/DibBytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace dibtest;

constexpr Pixel kClear = 0xFFFFFF;  // the mask's transparent value

// A 4-bit 3 x 2 image: colours 9 (red), 12 (blue), 15 (white) and black,
// with its top-left and bottom-right pixels transparent.
DibPicture FourBit()
{
    DibPicture s;
    s.width = 3;
    s.height = 2;
    s.bitCount = 4;
    s.palette.assign(16, 0);
    s.palette[9] = 0xFF0000;
    s.palette[12] = 0x0000FF;
    s.palette[15] = 0xFFFFFF;
    s.rows = {{0, 9, 12}, {15, 9, 0}};
    return s;
}
const std::vector<std::vector<int>> kFourBitMask = {{1, 0, 0}, {0, 0, 1}};

DibPicture Square(int size, int bits)
{
    DibPicture s;
    s.width = size;
    s.height = size;
    s.bitCount = bits;
    if (bits <= 8)
        s.palette.assign(std::size_t{1} << bits, 0x00FF00);
    s.rows.assign(static_cast<std::size_t>(size), std::vector<std::uint32_t>(static_cast<std::size_t>(size), 0));
    return s;
}

std::vector<std::vector<int>> Opaque(int size)
{
    return std::vector<std::vector<int>>(static_cast<std::size_t>(size), std::vector<int>(static_cast<std::size_t>(size), 0));
}

TEST(DecodeIcon, ReadsColoursAndMask)
{
    const Bytes ico = MakeIco({MakeIconImage(FourBit(), kFourBitMask)}, {3});
    std::string error;
    const auto images = DecodeIcon(ico, &error);
    ASSERT_TRUE(images) << error;
    ASSERT_EQ(images->size(), 1u);
    const IconImage& image = images->front();
    ASSERT_EQ(image.Width(), 3);
    ASSERT_EQ(image.Height(), 2);
    EXPECT_EQ(image.color.At(1, 0), 0xFF0000u);
    EXPECT_EQ(image.color.At(2, 0), 0x0000FFu);
    EXPECT_EQ(image.color.At(0, 1), 0xFFFFFFu);
    const bool opaque[2][3] = {{false, true, true}, {true, true, false}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(image.IsOpaque(x, y), opaque[y][x]) << x << ", " << y;
            EXPECT_EQ(image.mask.At(x, y), opaque[y][x] ? 0u : kClear);
        }
}

TEST(DecodeIcon, TakesTransparencyFromAlphaWhenPresent)
{
    DibPicture s = Square(2, 32);
    s.rows = {{0xFF112233, 0x00445566}, {0x80FFFFFF, 0x7F000000}};
    // The AND mask says the opposite everywhere; the alpha channel wins.
    const auto images = DecodeIcon(MakeIco({MakeIconImage(s, {{1, 0}, {1, 0}})}, {2}));
    ASSERT_TRUE(images);
    const IconImage& image = images->front();
    EXPECT_EQ(image.color.At(0, 0), 0x112233u);
    EXPECT_TRUE(image.IsOpaque(0, 0));
    EXPECT_FALSE(image.IsOpaque(1, 0));
    EXPECT_TRUE(image.IsOpaque(0, 1));
    EXPECT_FALSE(image.IsOpaque(1, 1));

    // Without any alpha the AND mask decides.
    s.rows = {{0x112233, 0x445566}, {0xFFFFFF, 0x000000}};
    const auto plain = DecodeIcon(MakeIco({MakeIconImage(s, {{1, 0}, {1, 0}})}, {2}));
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->front().IsOpaque(0, 0));
    EXPECT_TRUE(plain->front().IsOpaque(1, 0));
}

TEST(DecodeIcon, ReadsEveryImageInOrder)
{
    const Bytes ico = MakeIco({MakeIconImage(Square(32, 4), Opaque(32)), MakeIconImage(Square(16, 1), Opaque(16)),
                               MakeIconImage(Square(48, 8), Opaque(48))},
                              {32, 16, 48});
    const auto images = DecodeIcon(ico);
    ASSERT_TRUE(images);
    ASSERT_EQ(images->size(), 3u);
    EXPECT_EQ((*images)[0].Width(), 32);
    EXPECT_EQ((*images)[1].Width(), 16);
    EXPECT_EQ((*images)[2].Width(), 48);
    EXPECT_EQ((*images)[1].color.At(15, 15), 0x00FF00u);

    struct {
        int asked;
        int picked;
    } const picks[] = {{16, 16}, {32, 32}, {48, 48}, {20, 32}, {8, 16}, {64, 48}};
    for (const auto& p : picks) {
        const IconImage* image = PickIconImage(*images, p.asked);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), p.picked) << "asked for " << p.asked;
    }
    EXPECT_EQ(PickIconImage({}, 16), nullptr);
}

struct Malformed {
    const char* name;
    std::function<void(Bytes&)> mutate;
    const char* message;
};

constexpr std::size_t kEntry = 6;     // the first directory entry
constexpr std::size_t kImage = 6 + 16;  // where the one image starts

TEST(DecodeIcon, RefusesMalformedFiles)
{
    const Malformed cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }, "truncated directory header"},
        {"reserved field set", [](Bytes& b) { PutU16(b, 0, 1); }, "not an ICO file"},
        {"unknown type", [](Bytes& b) { PutU16(b, 2, 3); }, "not an ICO file"},
        {"cursor", [](Bytes& b) { PutU16(b, 2, 2); }, "cursor files"},
        {"no images", [](Bytes& b) { PutU16(b, 4, 0); }, "no images"},
        {"too many images", [](Bytes& b) { PutU16(b, 4, 65); }, "65 images, more than 64"},
        {"directory truncated", [](Bytes& b) { PutU16(b, 4, 2); b.resize(6 + 20); }, "directory of 2 images truncated"},
        {"image past the end", [](Bytes& b) { PutU32(b, kEntry + 8, static_cast<std::uint32_t>(b.size())); },
         "runs past the end"},
        {"largest offset and length",
         [](Bytes& b) { PutU32(b, kEntry + 8, 0xFFFFFFFF); PutU32(b, kEntry + 12, 0xFFFFFFFF); }, "runs past the end"},
        {"image over the directory", [](Bytes& b) { PutU32(b, kEntry + 12, 4); }, "overlaps the directory"},
        {"PNG image", [](Bytes& b) { b[kImage] = 0x89; b[kImage + 1] = 'P'; b[kImage + 2] = 'N'; b[kImage + 3] = 'G'; },
         "PNG-compressed"},
        {"bad header size", [](Bytes& b) { PutU32(b, kImage + kHeaderSize, 41); }, "image 0: unknown info header size 41"},
        {"odd stored height", [](Bytes& b) { PutU32(b, kImage + kHeight, 5); }, "does not cover the image and its mask"},
        {"top-down", [](Bytes& b) { PutU32(b, kImage + kHeight, static_cast<std::uint32_t>(-4)); }, "top-down"},
        {"wider than 256", [](Bytes& b) { PutU32(b, kImage + kWidth, 257); }, "exceeds the limit of 256"},
        {"compressed", [](Bytes& b) { PutU32(b, kImage + kCompression, 2); }, "RLE4"},
        {"mask missing", [](Bytes& b) { PutU32(b, kEntry + 8, 40 + 64 + 8); }, "transparency mask: pixel data truncated"},
        {"colour rows cut", [](Bytes& b) { PutU32(b, kEntry + 8, 40 + 64 + 2); }, "pixel data truncated"},
        {"colour table cut", [](Bytes& b) { PutU32(b, kEntry + 8, 40 + 20); }, "colour table truncated"},
    };
    const Bytes good = MakeIco({MakeIconImage(FourBit(), kFourBitMask)}, {3});
    ASSERT_TRUE(DecodeIcon(good));
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = good;
        c.mutate(b);
        std::string error;
        EXPECT_FALSE(DecodeIcon(b, &error));
        EXPECT_EQ(error.rfind("icon: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_FALSE(DecodeIcon(b, nullptr));
    }
}

TEST(DecodeIcon, RefusesEveryTruncation)
{
    const Bytes good = MakeIco({MakeIconImage(Square(16, 4), Opaque(16)), MakeIconImage(FourBit(), kFourBitMask)},
                               {16, 3});
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(DecodeIcon(std::span(good.data(), n))) << n << " bytes";
}

TEST(DecodeIcon, RefusesPixelsPastAShortColourTable)
{
    DibPicture s = FourBit();
    s.palette.resize(4);
    s.colorsUsed = 4;
    std::string error;
    EXPECT_FALSE(DecodeIcon(MakeIco({MakeIconImage(s, kFourBitMask)}, {3}), &error));
    EXPECT_NE(error.find("of a 4-entry colour table"), std::string::npos) << error;
}

TEST(DecodeIcon, OneBadImageFailsTheWholeIcon)
{
    Bytes ico = MakeIco({MakeIconImage(Square(16, 4), Opaque(16)), MakeIconImage(FourBit(), kFourBitMask)}, {16, 3});
    const std::size_t second = dib::ReadU32(ico, 6 + 16 + 12);
    PutU16(ico, second + kBitCount, 16);
    std::string error;
    EXPECT_FALSE(DecodeIcon(ico, &error));
    EXPECT_NE(error.find("image 1: 16-bit pixels"), std::string::npos) << error;
}

}  // namespace
