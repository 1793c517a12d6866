#include "platform/gfx/Raster.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr Pixel kRed = PixelFromRGB(255, 0, 0);
constexpr Pixel kBlue = PixelFromRGB(0, 0, 255);
constexpr Pixel kMask = PixelFromRGB(0, 255, 0);

// A surface whose every pixel differs, so that a copy from the wrong place shows.
CSurface Numbered(int w, int h)
{
    CSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Set(x, y, static_cast<Pixel>(0x010000 * x + 0x000100 * y + 0x40));
    return s;
}

int CountOf(const CSurface& s, Pixel p)
{
    int n = 0;
    for (Pixel q : s.Pixels())
        n += q == p;
    return n;
}

TEST(Raster, FillStaysOnTheSurfaceAndInTheClip)
{
    CSurface s(10, 10, 0);
    raster::Fill(s, nullptr, {-5, -5, 3, 20}, kRed);
    EXPECT_EQ(CountOf(s, kRed), 30);
    EXPECT_EQ(s.At(2, 9), kRed);
    EXPECT_EQ(s.At(3, 0), 0u);

    CSurface t(10, 10, 0);
    CRegion clip({0, 0, 4, 4});
    clip.Union(CRect{6, 6, 12, 12});
    raster::Fill(t, &clip, t.Bounds(), kBlue);
    EXPECT_EQ(CountOf(t, kBlue), 16 + 16);
    EXPECT_EQ(t.At(5, 5), 0u);

    const CRegion none;
    raster::Fill(t, &none, t.Bounds(), kRed);
    EXPECT_EQ(CountOf(t, kRed), 0);
}

TEST(Raster, InvertTwiceGivesThePictureBack)
{
    const CSurface original = Numbered(16, 12);
    CSurface s = original;
    CRegion clip({0, 0, 16, 12});
    clip.Subtract(CRect{4, 4, 8, 8});
    raster::Invert(s, &clip, {2, 2, 30, 10});
    EXPECT_EQ(s.At(2, 2), ~original.At(2, 2) & 0x00FFFFFFu);
    EXPECT_EQ(s.At(5, 5), original.At(5, 5)) << "the clip's hole stays as it was";
    EXPECT_EQ(s.At(1, 1), original.At(1, 1));
    raster::Invert(s, &clip, {2, 2, 30, 10});
    EXPECT_EQ(s, original);
}

TEST(Raster, CopyTakesOnlyWhatTheSourceHas)
{
    const CSurface src = Numbered(4, 4);
    CSurface dst(8, 8, kBlue);
    // Asks for 6 x 6 from (-2, -2): only the source's own 4 x 4 arrives, in place.
    raster::Copy(dst, nullptr, {1, 1}, src, {-2, -2, 4, 4});
    EXPECT_EQ(dst.At(3, 3), src.At(0, 0));
    EXPECT_EQ(dst.At(6, 6), src.At(3, 3));
    EXPECT_EQ(dst.At(2, 2), kBlue);
    EXPECT_EQ(dst.At(7, 7), kBlue);
    EXPECT_EQ(CountOf(dst, kBlue), 64 - 16);
}

TEST(Raster, CopyWithinOneSurfaceReadsTheOldPixels)
{
    // Scrolling down by one row over itself must not smear the first row.
    const CSurface original = Numbered(5, 6);
    CSurface s = original;
    raster::Copy(s, nullptr, {0, 1}, s, {0, 0, 5, 5});
    for (int y = 1; y < 6; ++y)
        for (int x = 0; x < 5; ++x) {
            ASSERT_EQ(s.At(x, y), original.At(x, y - 1)) << x << "," << y;
        }
    EXPECT_EQ(s.At(0, 0), original.At(0, 0));
}

TEST(Raster, CopyMaskedLeavesMaskPixelsAlone)
{
    CSurface src(3, 1);
    src.Set(0, 0, kRed);
    src.Set(1, 0, kMask);
    src.Set(2, 0, kBlue);
    CSurface dst(5, 1, 0x123456);
    const CRegion clip({0, 0, 3, 1});
    raster::CopyMasked(dst, &clip, {1, 0}, src, src.Bounds(), kMask);
    EXPECT_EQ(dst.At(0, 0), 0x123456u);
    EXPECT_EQ(dst.At(1, 0), kRed);
    EXPECT_EQ(dst.At(2, 0), 0x123456u) << "mask colour drawn";
    EXPECT_EQ(dst.At(3, 0), 0x123456u) << "drawn outside the clip";
}

TEST(Raster, FrameIsOnePixelInsideTheRectangle)
{
    CSurface s(6, 5, 0);
    raster::Frame(s, nullptr, {1, 1, 5, 4}, kRed);
    EXPECT_EQ(CountOf(s, kRed), 10);
    EXPECT_EQ(s.At(1, 1), kRed);
    EXPECT_EQ(s.At(4, 3), kRed);
    EXPECT_EQ(s.At(2, 2), 0u);
    EXPECT_EQ(s.At(5, 4), 0u);
}

struct ChangedCase {
    const char* name;
    std::vector<CPoint> touched;  // pixels of b that differ from a
    CRect within;
    CRect expected;
};

class RasterChanged : public ::testing::TestWithParam<ChangedCase> {};

TEST_P(RasterChanged, IsTheSmallestRectangleHoldingEveryDifference)
{
    const CSurface a = Numbered(12, 9);
    CSurface b = a;
    for (CPoint p : GetParam().touched)
        b.Set(p.x, p.y, kRed);
    EXPECT_EQ(raster::Changed(a, b, GetParam().within), GetParam().expected);
    EXPECT_EQ(raster::Changed(b, a, GetParam().within), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RasterChanged,
    ::testing::Values(ChangedCase{"Same", {}, {0, 0, 12, 9}, {}},
                      ChangedCase{"OnePixel", {{5, 4}}, {0, 0, 12, 9}, {5, 4, 6, 5}},
                      ChangedCase{"Corners", {{0, 0}, {11, 8}}, {0, 0, 12, 9}, {0, 0, 12, 9}},
                      // The widest row need not be the first or the last.
                      ChangedCase{"Diagonal", {{6, 1}, {2, 4}, {9, 5}, {4, 7}}, {0, 0, 12, 9}, {2, 1, 10, 8}},
                      ChangedCase{"OutsideTheRectangle", {{1, 1}, {10, 7}}, {3, 2, 9, 6}, {}},
                      ChangedCase{"ClippedToTheRectangle", {{1, 1}, {4, 3}, {10, 7}}, {3, 2, 9, 6}, {4, 3, 5, 4}},
                      ChangedCase{"RectangleOffTheSurface", {{11, 8}}, {8, 6, 40, 40}, {11, 8, 12, 9}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Raster, ScaleMakesEachPixelABlockAtItsPlace)
{
    const CSurface src = Numbered(5, 4);
    for (int k : {1, 2, 3}) {
        // A destination wider than the blocks, with a guard column on the
        // right, so that a wrong pitch or a write past the rectangle shows.
        const CRect r{1, 1, 4, 3};
        const int pitch = r.Width() * k + 2;
        std::vector<Pixel> out(static_cast<std::size_t>(pitch * r.Height() * k), kMask);
        raster::Scale(src, r, k, out.data(), pitch);
        for (int y = 0; y < r.Height() * k; ++y)
            for (int x = 0; x < pitch; ++x) {
                const Pixel got = out[static_cast<std::size_t>(y * pitch + x)];
                const Pixel want = x < r.Width() * k ? src.At(r.left + x / k, r.top + y / k) : kMask;
                ASSERT_EQ(got, want) << "factor " << k << " at " << x << "," << y;
            }
    }
}

TEST(Raster, ScaleSkipsWhatLiesOffTheSurface)
{
    const CSurface src = Numbered(3, 3);
    const CRect r{-1, 2, 2, 4};  // one column left of the surface, one row below it
    const int k = 2;
    const int pitch = r.Width() * k;
    std::vector<Pixel> out(static_cast<std::size_t>(pitch * r.Height() * k), kMask);
    raster::Scale(src, r, k, out.data(), pitch);
    for (int y = 0; y < r.Height() * k; ++y)
        for (int x = 0; x < pitch; ++x) {
            const int sx = r.left + x / k;
            const int sy = r.top + y / k;
            const bool on = sx >= 0 && sy < 3;
            EXPECT_EQ(out[static_cast<std::size_t>(y * pitch + x)], on ? src.At(sx, sy) : kMask) << x << "," << y;
        }
}

}  // namespace
