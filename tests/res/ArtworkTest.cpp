// The shipped artwork, read back through the resource table exactly as the
// program reads it, against the drawings the cards are made of.

#include "platform/res/Icon.h"
#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"
#include "tests/support/ArtworkFacts.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>

namespace {

constexpr Pixel kBlack = 0x000000, kMaroon = 0x800000, kGreen = 0x008000, kNavy = 0x000080, kPurple = 0x800080,
                kTeal = 0x008080, kSilver = 0xC0C0C0, kGrey = 0x808080, kRed = 0xFF0000, kLime = 0x00FF00,
                kBlue = 0x0000FF, kWhite = 0xFFFFFF;

class Artwork : public testing::Test {
protected:
    static void SetUpTestSuite() { InstallResources(CorvaneResourceData()); }
    static void TearDownTestSuite() { InstallResources({}); }

    static CSurface Bitmap(unsigned id)
    {
        std::string error;
        auto surface = LoadBitmapResource(id, &error);
        EXPECT_TRUE(surface) << error;
        return surface ? *surface : CSurface();
    }
};

TEST_F(Artwork, SizesGiveTheStripImageCounts)
{
    struct {
        unsigned id;
        int width, height, imageWidth, images;
    } const strips[] = {
        {135, 24, 28, 24, 1}, {134, 24, 28, 24, 1}, {129, 24, 28, 24, 1}, {133, 24, 10, 24, 1},
        {130, 24, 5, 6, 4},   {131, 65, 5, 5, 13},  {136, 65, 5, 5, 13},
    };
    for (const auto& s : strips) {
        SCOPED_TRACE(s.id);
        const CSurface b = Bitmap(s.id);
        EXPECT_EQ(b.Width(), s.width);
        EXPECT_EQ(b.Height(), s.height);
        EXPECT_EQ(b.Width() % s.imageWidth, 0);
        EXPECT_EQ(b.Width() / s.imageWidth, s.images);
    }
    EXPECT_FALSE(LoadBitmapResource(132));
}

TEST_F(Artwork, EveryBitmapIsFourBitBottomUpWithTheVgaPalette)
{
    static constexpr std::uint8_t kVga[16][3] = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},     {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    for (unsigned id : {128u, 129u, 130u, 131u, 133u, 134u, 135u, 136u}) {
        SCOPED_TRACE(id);
        const auto b = FindResource(ResourceType::Bitmap, id);
        ASSERT_GE(b.size(), 14u + 40u + 64u);
        const auto u32 = [&](std::size_t at) { return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24; };
        EXPECT_EQ(u32(14), 40);                     // BITMAPINFOHEADER
        EXPECT_GT(u32(22), 0);                      // positive height: bottom-up
        EXPECT_EQ(b[28] | b[29] << 8, 4);           // 4 bits per pixel
        EXPECT_EQ(u32(30), 0);                      // uncompressed
        EXPECT_TRUE(u32(46) == 0 || u32(46) == 16);  // 16 colours
        for (std::size_t i = 0; i < 16; ++i) {
            const std::size_t at = 54 + 4 * i;
            EXPECT_EQ(b[at + 2], kVga[i][0]) << "entry " << i;
            EXPECT_EQ(b[at + 1], kVga[i][1]) << "entry " << i;
            EXPECT_EQ(b[at], kVga[i][2]) << "entry " << i;
        }
    }
}

enum class Part { Transparent, Border, Interior };

// The card outline: a black border with three pixels cut from each corner,
// and column 23 transparent.
Part OutlineAt(int x, int y)
{
    if (x == 23)
        return Part::Transparent;
    if (y == 0 || y == 27)
        return x <= 1 || x >= 21 ? Part::Transparent : Part::Border;
    if (y == 1 || y == 26) {
        if (x == 0 || x == 22)
            return Part::Transparent;
        return x == 1 || x == 21 ? Part::Border : Part::Interior;
    }
    return x == 0 || x == 22 ? Part::Border : Part::Interior;
}

void ExpectOutline(const CSurface& card, int rows)
{
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < 24; ++x) {
            const Part part = OutlineAt(x, y);
            const Pixel p = card.At(x, y);
            if (part == Part::Transparent) {
                EXPECT_EQ(p, kLime) << x << ", " << y;
            } else if (part == Part::Border) {
                EXPECT_EQ(p, kBlack) << x << ", " << y;
            } else {
                EXPECT_NE(p, kLime) << x << ", " << y;  // green only where the card is cut
            }
        }
}

TEST_F(Artwork, FaceIsTheOutlineAroundWhite)
{
    const CSurface face = Bitmap(134);
    ASSERT_EQ(face.Height(), 28);
    ExpectOutline(face, 28);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 24; ++x)
            if (OutlineAt(x, y) == Part::Interior) {
                EXPECT_EQ(face.At(x, y), kWhite) << x << ", " << y;
            }
}

TEST_F(Artwork, FaceTopIsTheFaceFirstTenRows)
{
    const CSurface face = Bitmap(134);
    const CSurface top = Bitmap(133);
    ASSERT_EQ(top.Height(), 10);
    ASSERT_EQ(face.Height(), 28);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_EQ(top.At(x, y), face.At(x, y)) << x << ", " << y;
    ExpectOutline(top, 10);
}

TEST_F(Artwork, BackIsTealWithTheSilverOrnament)
{
    // Silver where the ornament says so; every other interior pixel is teal.
    const CSurface back = Bitmap(129);
    ASSERT_EQ(back.Height(), 28);
    ExpectOutline(back, 28);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 24; ++x) {
            if (OutlineAt(x, y) != Part::Interior)
                continue;
            const bool silver = artwork::IsBackSilver(x, y);
            EXPECT_EQ(back.At(x, y), silver ? kSilver : kTeal) << x << ", " << y;
            EXPECT_EQ(back.At(x, y), back.At(22 - x, y)) << "mirror of " << x << ", " << y;
        }
}

using artwork::Grid;

void ExpectShape(const CSurface& strip, int image, int width, const Grid& grid, Pixel ink)
{
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inked = x < 5 && grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#';
            EXPECT_EQ(strip.At(image * width + x, y), inked ? ink : kWhite)
                << "image " << image << " at " << x << ", " << y;
        }
}

TEST_F(Artwork, SuitPips)
{
    struct {
        Grid grid;
        Pixel ink;
    } const pips[4] = {
        {artwork::kPips[0], kBlack},  // spade
        {artwork::kPips[1], kRed},    // heart
        {artwork::kPips[2], kBlack},  // club
        {artwork::kPips[3], kRed},    // diamond
    };
    CSurface strip = Bitmap(130);
    ASSERT_EQ(strip.Width(), 24);
    // The spade's centre is navy; with that one pixel set aside, every pip
    // is its grid in its suit's ink, column 5 white.
    EXPECT_EQ(strip.At(2, 2), kNavy);
    strip.Set(2, 2, kBlack);
    for (int suit = 0; suit < 4; ++suit)
        ExpectShape(strip, suit, 6, pips[suit].grid, pips[suit].ink);
}

TEST_F(Artwork, RankGlyphsBlackAndRed)
{
    const CSurface black = Bitmap(131);
    const CSurface red = Bitmap(136);
    ASSERT_EQ(black.Width(), 65);
    ASSERT_EQ(red.Width(), 65);
    for (int rank = 0; rank < 13; ++rank) {
        ExpectShape(black, rank, 5, artwork::kGlyphs[static_cast<std::size_t>(rank)], kBlack);
        ExpectShape(red, rank, 5, artwork::kGlyphs[static_cast<std::size_t>(rank)], kRed);
    }
}

TEST_F(Artwork, ArrowTile)
{
    // The up arrow's black pixels by row; the down arrow mirrors it, row r
    // of the up arrow becoming row 27 - r.
    static const std::set<std::pair<int, int>> kArrows = [] {
        const std::pair<int, std::set<int>> up[] = {
            {4, {11}},
            {5, {10, 11, 12}},
            {6, {9, 10, 12, 13}},
            {7, {8, 9, 13, 14}},
            {8, {7, 8, 14, 15}},
            {9, {6, 7, 15, 16}},
            {10, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        };
        std::set<std::pair<int, int>> pixels;
        for (const auto& [row, columns] : up)
            for (int x : columns) {
                pixels.insert({x, row});
                pixels.insert({x, 27 - row});
            }
        return pixels;
    }();

    const CSurface tile = Bitmap(135);
    ASSERT_EQ(tile.Height(), 28);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 24; ++x) {
            Pixel expected;
            if (x == 23)
                expected = kLime;
            else if (y == 0)
                expected = kWhite;
            else if (y == 27 || x == 22)
                expected = kBlack;
            else if (x == 0)
                expected = kWhite;
            else if (kArrows.count({x, y}))
                expected = kBlack;
            else
                expected = (y == 13 || y == 14) ? kGrey : kSilver;
            EXPECT_EQ(tile.At(x, y), expected) << x << ", " << y;
        }
}

TEST_F(Artwork, ToolbarHasFourButtonsOnTheButtonFace)
{
    const CSurface bar = Bitmap(128);
    ASSERT_EQ(bar.Width(), 64);
    ASSERT_EQ(bar.Height(), 16);
    // Exit: red cross; Deal: blue circular arrow; Undo: dark red and purple;
    // About: green question mark. Each on light grey, nothing else.
    const std::set<Pixel> inks[4] = {{kRed}, {kBlue}, {kMaroon, kPurple}, {kGreen}};
    for (int button = 0; button < 4; ++button) {
        std::set<Pixel> seen;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                seen.insert(bar.At(16 * button + x, y));
        EXPECT_EQ(bar.At(16 * button, 0), kSilver) << "button " << button;
        EXPECT_EQ(seen.erase(kSilver), 1u) << "button " << button;
        EXPECT_EQ(seen, inks[button]) << "button " << button;
    }
}

TEST_F(Artwork, IconHasA32AndA16Image)
{
    const auto bytes = FindResource(ResourceType::Icon, 128);
    std::string error;
    const auto images = DecodeIcon(bytes, &error);
    ASSERT_TRUE(images) << error;
    ASSERT_EQ(images->size(), 2u);
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        const auto icon = LoadIconResource(128, size, &error);
        ASSERT_TRUE(icon) << error;
        ASSERT_EQ(icon->Width(), size);
        ASSERT_EQ(icon->Height(), size);
        // Two cards with black borders and white faces, red and black pips,
        // on a transparent ground.
        std::set<Pixel> drawn;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (icon->IsOpaque(x, y))
                    drawn.insert(icon->color.At(x, y));
        EXPECT_EQ(drawn, (std::set<Pixel>{kBlack, kWhite, kRed}));
        EXPECT_FALSE(icon->IsOpaque(0, size - 1));  // lower left: beside the front card, below the back one
        EXPECT_FALSE(icon->IsOpaque(size - 1, 0));  // upper right: beside the back card, above the front one
        EXPECT_TRUE(icon->IsOpaque(size / 2, size / 2));
    }
}

// The embedded bytes are the files in res/, byte for byte.
TEST_F(Artwork, EmbeddedBytesAreTheFiles)
{
    struct {
        ResourceType type;
        unsigned id;
        const char* file;
    } const files[] = {
        {ResourceType::Bitmap, 128, "toolbar.bmp"},     {ResourceType::Bitmap, 129, "cardback.bmp"},
        {ResourceType::Bitmap, 130, "suits.bmp"},       {ResourceType::Bitmap, 131, "ranks-black.bmp"},
        {ResourceType::Bitmap, 133, "facetop.bmp"},     {ResourceType::Bitmap, 134, "face.bmp"},
        {ResourceType::Bitmap, 135, "arrow.bmp"},       {ResourceType::Bitmap, 136, "ranks-red.bmp"},
        {ResourceType::Icon, 128, "corvane.ico"},
    };
    EXPECT_EQ(CorvaneResourceData().size(), std::size(files));
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        std::ifstream in(std::string(CORVANE_RES_DIR) + "/" + f.file, std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto embedded = FindResource(f.type, f.id);
        EXPECT_TRUE(std::equal(file.begin(), file.end(), embedded.begin(), embedded.end()));
    }
}

}  // namespace
