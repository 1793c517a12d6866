#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include "platform/fw/CDC.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using Clip = CHeadlessTest;

void FillThroughWindowContext(CWnd& wnd, COLORREF colour)
{
    CClientDC dc(&wnd);
    // Far more than the window, so only the clip can hold it back.
    dc.FillSolidRect(-500, -500, 2000, 2000, colour);
}

TEST_F(Clip, AWindowUnderAPopupNeverDrawsOverIt)
{
    CRecordingWnd under, popup;
    under.SetPaintColour(kGrey);
    popup.SetPaintColour(kBlue);
    ASSERT_TRUE(under.CreatePopup(nullptr, {0, 0, 240, 320}));
    ASSERT_TRUE(popup.CreatePopup(&under, {40, 60, 140, 120}));
    RunUntilScriptDone();
    FillThroughWindowContext(under, kRed);
    EXPECT_TRUE(ScreenRectIs({40, 60, 140, 120}, kBlue));
    EXPECT_TRUE(ScreenRectIs({0, 0, 240, 60}, kRed));
    EXPECT_TRUE(ScreenPixelIs({39, 60}, kRed));
    EXPECT_TRUE(ScreenPixelIs({140, 119}, kRed));
}

TEST_F(Clip, AParentDoesNotDrawOverItsChildren)
{
    CRecordingWnd parent, child, hiddenChild;
    parent.SetPaintColour(kGrey);
    child.SetPaintColour(kBlue);
    ASSERT_TRUE(parent.CreatePopup(nullptr, {0, 0, 200, 200}));
    ASSERT_TRUE(child.CreateChild(&parent, {20, 20, 60, 60}));
    ASSERT_TRUE(hiddenChild.CreateChild(&parent, {100, 100, 150, 150}, 0, 0));
    RunUntilScriptDone();
    FillThroughWindowContext(parent, kRed);
    EXPECT_TRUE(ScreenRectIs({20, 20, 60, 60}, kBlue));
    EXPECT_TRUE(ScreenRectIs({100, 100, 150, 150}, kRed)) << "a hidden child covers nothing";
    EXPECT_TRUE(ScreenRectIs({200, 0, 240, 200}, kBlack));
}

TEST_F(Clip, ALowerSiblingDoesNotDrawOverAHigherOne)
{
    // The first child created lies on top, as a dialog's first control does.
    CRecordingWnd parent, lower, higher;
    ASSERT_TRUE(parent.CreatePopup(nullptr, {0, 0, 200, 200}));
    ASSERT_TRUE(higher.CreateChild(&parent, {50, 50, 150, 150}));
    ASSERT_TRUE(lower.CreateChild(&parent, {10, 10, 100, 100}));
    EXPECT_EQ(GetChildren(parent.m_hWnd), (std::vector<HWND>{higher.m_hWnd, lower.m_hWnd}));
    higher.SetPaintColour(kBlue);
    RunUntilScriptDone();
    FillThroughWindowContext(lower, kRed);
    EXPECT_TRUE(ScreenRectIs({50, 50, 150, 150}, kBlue));
    EXPECT_TRUE(ScreenRectIs({10, 10, 100, 50}, kRed));

    // Brought to the top, the lower one now covers the other.
    BringWindowToTop(lower.m_hWnd);
    RunUntilScriptDone();
    FillThroughWindowContext(lower, kRed);
    EXPECT_TRUE(ScreenRectIs({50, 50, 100, 100}, kRed));
    FillThroughWindowContext(higher, kBlue);
    EXPECT_TRUE(ScreenRectIs({50, 50, 100, 100}, kRed));
}

TEST_F(Clip, DrawingStaysInTheVisibleClientArea)
{
    // A bordered child that sticks out of its parent's client area.
    CRecordingWnd parent, child;
    parent.SetPaintColour(kGrey);
    ASSERT_TRUE(parent.CreatePopup(nullptr, {10, 10, 110, 110}, 0, WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(child.CreateChild(&parent, {60, 60, 160, 160}, 0, WS_VISIBLE | WS_BORDER));
    RunUntilScriptDone();
    // The parent's client starts at (11, 11); the child's window at (71, 71), its client at (72, 72).
    FillThroughWindowContext(child, kRed);
    EXPECT_TRUE(ScreenRectIs({72, 72, 109, 109}, kRed));
    EXPECT_TRUE(ScreenPixelIs({71, 80}, kBlack)) << "the child's border";
    EXPECT_TRUE(ScreenPixelIs({109, 80}, kBlack)) << "the parent's border";
    EXPECT_TRUE(ScreenRectIs({110, 72, 170, 170}, kBlack)) << "outside the parent";
}

TEST_F(Clip, APaintContextDrawsOnlyWhatWasInvalid)
{
    CRecordingWnd wnd;
    wnd.SetPaintColour(kGrey);
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    wnd.SetPaintColour(kBlue);
    const CRect part{20, 30, 40, 50};
    wnd.InvalidateRect(&part, false);
    RunUntilScriptDone();
    EXPECT_TRUE(ScreenRectIs(part, kBlue));
    EXPECT_TRUE(ScreenPixelIs({19, 30}, kGrey));
    EXPECT_TRUE(ScreenPixelIs({40, 49}, kGrey));
}

TEST_F(Clip, MemoryContextIsClippedToItsBitmapOnly)
{
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&mem, 8, 6));
    CBitmap* old = mem.SelectObject(&bitmap);
    ASSERT_NE(old, nullptr);
    mem.FillSolidRect(-10, -10, 100, 100, kBlue);
    for (Pixel p : bitmap.Surface().Pixels()) {
        ASSERT_EQ(p, PixelFromColorRef(kBlue));
    }
    EXPECT_EQ(mem.SelectObject(old), &bitmap);
}

}  // namespace
