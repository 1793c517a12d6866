// Icon 128 at any size: which image, which whole factor, where; and the
// picture drawn from it, block by block against the icon's own pixels.

#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"
#include "tools/iconpng/IconPicture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<IconImage> Icon128()
{
    InstallResources(CorvaneResourceData());
    auto images = DecodeIcon(FindResource(ResourceType::Icon, 128));
    return images ? *images : std::vector<IconImage>{};
}

struct LayoutCase {
    int size;
    bool maskable;
    int source, factor, offset;  // source 0: nothing fits
};

// The hicolor sizes and the manifest's; the safe circle of a maskable icon
// holds a square of at most 0.8 x size / sqrt 2 (108 of 192, 289 of 512),
// none of 16 pixels below 30.
constexpr LayoutCase kLayouts[] = {
    {16, false, 16, 1, 0},   {24, false, 16, 1, 4},   {32, false, 32, 1, 0},   {48, false, 16, 3, 0},
    {64, false, 32, 2, 0},   {128, false, 32, 4, 0},  {192, false, 32, 6, 0},  {256, false, 32, 8, 0},
    {512, false, 32, 16, 0}, {100, false, 32, 3, 2},  {47, false, 32, 1, 7},   {15, false, 0, 0, 0},
    {16, true, 0, 0, 0},     {48, true, 16, 1, 16},   {192, true, 32, 3, 48},  {512, true, 32, 9, 112},
    {29, true, 0, 0, 0},     {30, true, 16, 1, 7},    {57, true, 16, 1, 20},   {60, true, 32, 1, 14},
};

TEST(IconLayout, TheLargestWholeFactorThatFitsCentred)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(testing::Message() << c.size << (c.maskable ? " maskable" : ""));
        const auto layout = LayOutIcon({16, 32}, c.size, c.maskable);
        if (c.source == 0) {
            EXPECT_FALSE(layout);
            continue;
        }
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->source, c.source);
        EXPECT_EQ(layout->factor, c.factor);
        EXPECT_EQ(layout->offset, c.offset);
    }
}

TEST(IconLayout, AMaskableIconsCornersStayInsideTheSafeCircle)
{
    for (int size = 30; size <= 600; ++size) {
        const auto layout = LayOutIcon({16, 32}, size, true);
        ASSERT_TRUE(layout) << size;
        const int side = layout->source * layout->factor;
        // The corners farthest from the centre, in pixel edges.
        const double radius = 0.4 * size;
        const double centre = size / 2.0;
        for (const double corner : {double(layout->offset), double(layout->offset + side)})
            EXPECT_LE(std::hypot(corner - centre, corner - centre), radius + 1e-9) << size;
        // And one factor more would not fit.
        const int bigger = layout->source * (layout->factor + 1);
        const double near = (size - bigger) / 2;
        EXPECT_GT(std::hypot(near - centre, near - centre), radius) << size;
    }
}

// Every pixel of the picture: inside the enlarged image, each factor x factor
// block is one pixel of it where that pixel is drawn; everywhere else the
// background, clear or the board's green.
void ExpectTheImageOnItsBackground(const IconPicture& picture, const std::vector<IconImage>& images, int size,
                                   bool maskable)
{
    ASSERT_EQ(picture.color.Width(), size);
    ASSERT_EQ(picture.color.Height(), size);
    ASSERT_EQ(picture.alpha.size(), static_cast<std::size_t>(size * size));
    const auto layout = LayOutIcon({16, 32}, size, maskable);
    ASSERT_TRUE(layout);
    const IconImage& image = images[0].Width() == layout->source ? images[0] : images[1];
    ASSERT_EQ(image.Width(), layout->source);
    const int side = layout->source * layout->factor;
    int wrong = 0, drawn = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int ix = x - layout->offset, iy = y - layout->offset;
            const bool inside = ix >= 0 && iy >= 0 && ix < side && iy < side;
            const bool opaque = inside && image.IsOpaque(ix / layout->factor, iy / layout->factor);
            const Pixel colour = opaque ? image.color.At(ix / layout->factor, iy / layout->factor)
                                        : maskable ? kIconBackground : 0;
            const std::uint8_t alpha = opaque || maskable ? 0xFF : 0;
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(size) + static_cast<std::size_t>(x);
            wrong += picture.color.Pixels()[at] != colour || picture.alpha[at] != alpha;
            drawn += opaque;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(drawn, side * side / 4);
    EXPECT_LT(drawn, side * side) << "icon 128 has clear pixels of its own";
}

TEST(IconPicture, TheIconsImageEnlargedOnAClearOrGreenSquare)
{
    const auto images = Icon128();
    ASSERT_EQ(images.size(), 2u);
    for (const bool maskable : {false, true}) {
        for (const int size : {16, 24, 32, 48, 64, 128, 192, 256, 512}) {
            if (maskable && size < 30)
                continue;
            SCOPED_TRACE(testing::Message() << size << (maskable ? " maskable" : ""));
            const auto picture = DrawIconPicture(images, size, maskable);
            ASSERT_TRUE(picture);
            ExpectTheImageOnItsBackground(*picture, images, size, maskable);
        }
    }
}

TEST(IconPicture, NothingWhenNoImageFits)
{
    EXPECT_FALSE(DrawIconPicture(Icon128(), 12, false));
    EXPECT_FALSE(DrawIconPicture({}, 64, false));
}

}  // namespace
