#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"
#include "tests/platform/support/CTestResources.h"
#include "tests/platform/support/DibBuilder.h"

#include "platform/fw/CDC.h"
#include "platform/fw/CImageList.h"

#include <array>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

constexpr unsigned kStripId = 900;
// Two images of 4 x 3 side by side; palette index 2 is the mask colour green.
constexpr std::array<COLORREF, 5> kPalette{kBlack, kRed, kGreen, kBlue, kWhite};
constexpr std::array<std::uint8_t, 24> kStrip{
    1, 2, 2, 1, /**/ 3, 3, 3, 2,  //
    2, 0, 4, 2, /**/ 3, 2, 3, 3,  //
    1, 2, 2, 1, /**/ 2, 3, 3, 3,  //
};

using DeviceContext = CHeadlessTest;

CSurface Pattern(int w, int h)
{
    CSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Set(x, y, static_cast<Pixel>((x * 37 + y * 101) & 0xFFFFFF));
    return s;
}

TEST_F(DeviceContext, InvertingTwiceGivesThePictureBack)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 240, 320));
    CBitmap* old = mem.SelectObject(&bitmap);
    bitmap.Surface() = Pattern(240, 320);
    const CSurface before = bitmap.Surface();

    ASSERT_TRUE(mem.PatBlt(24, 35, 23, 48, DSTINVERT));
    EXPECT_EQ(bitmap.Surface().At(24, 35), ~before.At(24, 35) & 0xFFFFFFu);
    EXPECT_EQ(bitmap.Surface().At(46, 82), ~before.At(46, 82) & 0xFFFFFFu);
    EXPECT_EQ(bitmap.Surface().At(47, 82), before.At(47, 82)) << "right is exclusive";
    EXPECT_EQ(bitmap.Surface().At(46, 83), before.At(46, 83)) << "bottom is exclusive";
    ASSERT_TRUE(mem.PatBlt(24, 35, 23, 48, DSTINVERT));
    EXPECT_EQ(bitmap.Surface(), before);
    EXPECT_FALSE(mem.PatBlt(0, 0, 10, 10, SRCCOPY)) << "only DSTINVERT is a pattern operation here";
    mem.SelectObject(old);
}

TEST_F(DeviceContext, InvertingOnAWindowTwiceRestoresTheScreen)
{
    CRecordingWnd under, wnd;
    under.SetPaintColour(kRed);
    wnd.SetPaintColour(kBlue);
    ASSERT_TRUE(under.CreatePopup(nullptr, {0, 0, 240, 320}));
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {20, 20, 120, 120}));
    RunUntilScriptDone();
    CClientDC dc(&wnd);
    ASSERT_TRUE(dc.PatBlt(-10, -10, 60, 60, DSTINVERT));
    EXPECT_TRUE(ScreenRectIs({20, 20, 70, 70}, RGB(255, 255, 0)));
    EXPECT_TRUE(ScreenPixelIs({19, 19}, kRed)) << "inverted outside the window";
    ASSERT_TRUE(dc.PatBlt(-10, -10, 60, 60, DSTINVERT));
    EXPECT_TRUE(ScreenRectIs({20, 20, 120, 120}, kBlue));
}

TEST_F(DeviceContext, OffScreenPictureArrivesInOneCopy)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 26, 240, 320}));
    RunUntilScriptDone();
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(pDC, nullptr);
    auto* mem = new CDC;
    ASSERT_TRUE(mem->CreateCompatibleDC(pDC));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(pDC, 240, 320));
    CBitmap* old = mem->SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    mem->FillSolidRect(0, 0, 240, 320, RGB(0, 160, 0));
    mem->FillSolidRect(10, 10, 5, 5, kRed);
    ASSERT_TRUE(pDC->BitBlt(0, 0, 240, 320, mem, 0, 0, SRCCOPY));
    EXPECT_FALSE(pDC->BitBlt(0, 0, 240, 320, mem, 0, 0, DSTINVERT));
    EXPECT_EQ(mem->SelectObject(old), &bitmap);
    delete mem;
    wnd.ReleaseDC(pDC);

    EXPECT_TRUE(ScreenRectIs({0, 26, 240, 36}, RGB(0, 160, 0)));
    EXPECT_TRUE(ScreenRectIs({10, 36, 15, 41}, kRed));
    EXPECT_TRUE(ScreenPixelIs({239, 319}, RGB(0, 160, 0)));
}

TEST_F(DeviceContext, BitmapsRefuseSizesTheyCannotHave)
{
    CBitmap b;
    EXPECT_FALSE(b.CreateCompatibleBitmap(nullptr, 0, 10));
    EXPECT_FALSE(b.CreateCompatibleBitmap(nullptr, 10, -1));
    EXPECT_FALSE(b.CreateCompatibleBitmap(nullptr, 100000, 10));
    EXPECT_TRUE(b.IsNull());
    EXPECT_TRUE(b.CreateCompatibleBitmap(nullptr, 3, 2));
    EXPECT_EQ(b.GetSize(), (CSize{3, 2}));
}

class ImageList : public CHeadlessTest, public ::testing::WithParamInterface<UINT> {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        m_res.WithArtwork().AddBitmap(kStripId, MakeBmp4(8, 3, kPalette, kStrip)).Install();
    }
    CTestResources m_res;
};

TEST_P(ImageList, MaskColourPixelsLeaveTheDestinationUntouched)
{
    CImageList strip;
    ASSERT_TRUE(strip.Create(kStripId, 4, 2, kGreen));
    EXPECT_EQ(strip.GetImageCount(), 2);
    EXPECT_EQ(strip.GetImageSize(), (CSize{4, 3}));
    EXPECT_EQ(strip.GetGrow(), 2);

    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 12, 5));
    mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, 12, 5, kYellow);
    ASSERT_TRUE(strip.Draw(&mem, 0, {1, 1}, GetParam()));
    ASSERT_TRUE(strip.Draw(&mem, 1, {6, 1}, GetParam()));
    EXPECT_FALSE(strip.Draw(&mem, 2, {0, 0}, GetParam()));
    EXPECT_FALSE(strip.Draw(&mem, -1, {0, 0}, GetParam()));

    const CSurface& s = bitmap.Surface();
    for (int img = 0; img < 2; ++img)
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const COLORREF source = kPalette[kStrip[static_cast<std::size_t>(y * 8 + img * 4 + x)]];
                const COLORREF want = source == kGreen ? kYellow : source;
                const int dx = (img == 0 ? 1 : 6) + x;
                ASSERT_EQ(s.At(dx, 1 + y), PixelFromColorRef(want)) << "image " << img << " pixel " << x << "," << y;
            }
    EXPECT_EQ(s.At(5, 2), PixelFromColorRef(kYellow)) << "drawn between the images";
}

TEST_P(ImageList, WhiteMaskShowsOnlyTheInk)
{
    CImageList strip;
    ASSERT_TRUE(strip.Create(kStripId, 4, 2, kWhite));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 4, 3));
    mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, 4, 3, kYellow);
    ASSERT_TRUE(strip.Draw(&mem, 0, {0, 0}, GetParam()));
    EXPECT_EQ(bitmap.Surface().At(2, 1), PixelFromColorRef(kYellow));
    EXPECT_EQ(bitmap.Surface().At(1, 0), PixelFromColorRef(kGreen));
}

// The card face from the artwork: cut corners and the last column show what lies beneath.
TEST_P(ImageList, CardFaceArtworkKeepsItsCornersTransparent)
{
    CImageList face;
    ASSERT_TRUE(face.Create(134, 24, 1, kGreen));
    EXPECT_EQ(face.GetImageCount(), 1);
    EXPECT_EQ(face.GetImageSize(), (CSize{24, 28}));
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 24, 28));
    mem.SelectObject(&bitmap);
    mem.FillSolidRect(0, 0, 24, 28, RGB(0, 160, 0));
    ASSERT_TRUE(face.Draw(&mem, 0, {0, 0}, GetParam()));
    const CSurface& s = bitmap.Surface();
    const Pixel board = PixelFromColorRef(RGB(0, 160, 0));
    for (CPoint p : {CPoint{0, 0}, CPoint{1, 0}, CPoint{0, 1}, CPoint{22, 27}, CPoint{21, 27}, CPoint{22, 26}}) {
        EXPECT_EQ(s.At(p.x, p.y), board) << p.x << "," << p.y;
    }
    for (int y = 0; y < 28; ++y) {
        ASSERT_EQ(s.At(23, y), board) << "last column, row " << y;
    }
    EXPECT_EQ(s.At(2, 0), PixelFromColorRef(kBlack));
    EXPECT_EQ(s.At(10, 14), PixelFromColorRef(kWhite));
}

INSTANTIATE_TEST_SUITE_P(Styles, ImageList, ::testing::Values(ILD_NORMAL, ILD_TRANSPARENT),
                         [](const ::testing::TestParamInfo<UINT>& p) {
                             return p.param == ILD_NORMAL ? std::string("Normal") : std::string("Transparent");
                         });

TEST_F(DeviceContext, ImageListsRefuseWhatTheyCannotCut)
{
    CTestResources res;
    res.AddBitmap(kStripId, MakeBmp4(8, 3, kPalette, kStrip)).Install();
    CImageList strip;
    EXPECT_FALSE(strip.Create(kStripId, 9, 1, kGreen)) << "images wider than the bitmap";
    EXPECT_FALSE(strip.Create(kStripId, 0, 1, kGreen));
    EXPECT_FALSE(strip.Create(kStripId + 1, 4, 1, kGreen)) << "no such bitmap";
    EXPECT_EQ(strip.GetImageCount(), 0);
    CDC mem;
    EXPECT_FALSE(strip.Draw(&mem, 0, {0, 0}, ILD_NORMAL));
    EXPECT_TRUE(strip.Create(kStripId, 3, 1, kGreen));
    EXPECT_EQ(strip.GetImageCount(), 2) << "a partial image at the end is not one";
}

}  // namespace
