// A small program on our framework, run end to end on the headless host: a
// frame with a bar and a pane that paints off screen through a memory
// context and image lists, taps and a double tap, and a Yes/No question.

#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CTestResources.h"
#include "tests/platform/support/Locators.h"

#include "platform/fw/CControlBar.h"
#include "platform/fw/CDC.h"
#include "platform/fw/CFrameWnd.h"
#include "platform/fw/CImageList.h"
#include "platform/fw/CWinApp.h"

#include <array>

namespace {

constexpr UINT IDR_DEMO = 128;
constexpr COLORREF kBoard = RGB(0, 160, 0);
constexpr COLORREF kBarGrey = RGB(192, 192, 192);
constexpr int kBarHeight = 26;
constexpr CPoint kCard{24, 5};  // in the pane

constexpr std::array<StringTemplate, 1> kStrings{{{IDR_DEMO, "Demo\n\nDemo"}}};
constexpr AppResources kResources{kStrings, {}, {}, {}, nullptr};

// What the program saw, kept outside its windows, which go with the frame.
struct CRecord {
    std::vector<UINT> aMouse;
    std::vector<CPoint> aPoints;
    int nAnswer = 0;
    bool bBoxUpDuringTaps = false;
};
CRecord g_record;

class CStripBar : public CControlBar {
public:
    int CalcHeight() const override { return kBarHeight; }
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(r, kBarGrey);
    }
};
constexpr MessageEntry CStripBar::s_entries[] = {OnPaintEntry<&CStripBar::OnPaint>()};
constexpr MessageTable CStripBar::s_messageTable{&CWnd::s_messageTable, s_entries};

class CDemoView : public CWnd {
public:
    CDemoView()
    {
        m_ilFace.Create(134, 24, 1, RGB(0, 255, 0));
        m_ilSuit.Create(130, 6, 4, RGB(255, 255, 255));
    }
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    bool PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr,
                                           SYS_COLOR_INDEX_FLAG | (COLOR_WINDOW + 1));
        return true;
    }

    // The whole picture off screen, then one copy to the window.
    void Redraw()
    {
        CRect client;
        GetClientRect(&client);
        CDC* pDC = GetDC();
        CDC mem;
        mem.CreateCompatibleDC(pDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
        CBitmap* old = mem.SelectObject(&bitmap);
        mem.FillSolidRect(0, 0, client.Width(), client.Height(), kBoard);
        m_ilFace.Draw(&mem, 0, kCard, ILD_NORMAL);
        m_ilSuit.Draw(&mem, 1, kCard + CPoint{16, 2}, ILD_TRANSPARENT);
        if (m_bInverted)
            mem.PatBlt(kCard.x, kCard.y, 23, 28, DSTINVERT);
        pDC->BitBlt(0, 0, client.Width(), client.Height(), &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
        mem.DeleteDC();
        ReleaseDC(pDC);
    }

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnPaint()
    {
        CPaintDC dc(this);
        Redraw();
    }
    void Record(UINT message, CPoint point)
    {
        g_record.aMouse.push_back(message);
        g_record.aPoints.push_back(point);
    }
    // A tap on the card asks whether to invert it, as the stylus goes down.
    void OnLButtonDown(UINT, CPoint point)
    {
        Record(WM_LBUTTONDOWN, point);
        if (!CRect::FromSize(kCard.x, kCard.y, 23, 28).Contains(point))
            return;
        g_record.nAnswer = MessageBox("Invert the card?", "Demo", MB_YESNO);
        if (g_record.nAnswer == IDYES) {
            m_bInverted = true;
            Redraw();
        }
    }
    void OnLButtonUp(UINT, CPoint point) { Record(WM_LBUTTONUP, point); }
    void OnLButtonDblClk(UINT, CPoint point) { Record(WM_LBUTTONDBLCLK, point); }

    CImageList m_ilFace;
    CImageList m_ilSuit;
    bool m_bInverted = false;
};
constexpr MessageEntry CDemoView::s_entries[] = {
    OnPaintEntry<&CDemoView::OnPaint>(),
    OnLButtonDownEntry<&CDemoView::OnLButtonDown>(),
    OnLButtonUpEntry<&CDemoView::OnLButtonUp>(),
    OnLButtonDblClkEntry<&CDemoView::OnLButtonDblClk>(),
};
constexpr MessageTable CDemoView::s_messageTable{&CWnd::s_messageTable, s_entries};

class CDemoFrame : public CFrameWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    CStripBar m_wndBar;
    CDemoView m_wndView;
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    int OnCreate(CREATESTRUCT* cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        if (!m_wndView.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {}, this, AFX_IDW_PANE_FIRST))
            return -1;
        if (!m_wndBar.CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE, {}, this, AFX_IDW_TOOLBAR))
            return -1;
        return 0;
    }
};
constexpr MessageEntry CDemoFrame::s_entries[] = {OnCreateEntry<&CDemoFrame::OnCreate>()};
constexpr MessageTable CDemoFrame::s_messageTable{&CFrameWnd::s_messageTable, s_entries};

class CDemoApp : public CWinApp {
public:
    bool InitInstance() override
    {
        auto* frame = new CDemoFrame;
        m_pMainWnd = frame;
        frame->LoadFrame(IDR_DEMO);
        frame->ShowWindow(m_nCmdShow);
        frame->UpdateWindow();
        return true;
    }
};

class Program : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        g_record = {};
        m_res.WithArtwork().SetAppResources(&kResources).Install();
    }
    static CPoint Screen(CPoint inPane) { return inPane + CPoint{0, kBarHeight}; }

    CTestResources m_res;
};

TEST_F(Program, TapsDoubleTapAndQuestionOnTheHeadlessHost)
{
    CDemoApp app;
    m_backend.Tap(Screen({100, 150}));
    m_backend.DoubleTap(Screen({60, 200}));
    m_backend.Tap(Screen(kCard + CPoint{5, 5}));
    // The question is up: a tap on the pane goes nowhere, then Yes answers.
    m_backend.Tap(Screen({120, 120}));
    m_backend.TapAt(
        [&]() {
            g_record.bBoxUpDuringTaps = FindWindowByText("Invert the card?") != nullptr && g_record.nAnswer == 0;
            return ClientCentre(FindWindowByText("Yes"));
        },
        "the Yes button");
    ASSERT_EQ(RunUntilScriptDone(&AfxWinMain), std::nullopt) << "the program ended before its script";

    auto* frame = dynamic_cast<CDemoFrame*>(app.m_pMainWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(m_backend.Title(), "Demo");
    EXPECT_EQ(GetWindowRectInParent(frame->m_wndView.m_hWnd), (CRect{0, kBarHeight, 240, 320}));

    // The tap on the card ends in the question; its release and the tap
    // beside the question fall on the disabled frame and reach nobody.
    const std::vector<UINT> expected{WM_LBUTTONDOWN,   WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                     WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_LBUTTONDOWN};
    EXPECT_EQ(g_record.aMouse, expected);
    ASSERT_EQ(g_record.aPoints.size(), expected.size());
    EXPECT_EQ(g_record.aPoints[0], (CPoint{100, 150}));
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(g_record.aPoints[i], (CPoint{60, 200})) << i;
    }
    EXPECT_EQ(g_record.aPoints[6], (kCard + CPoint{5, 5}));
    EXPECT_TRUE(g_record.bBoxUpDuringTaps) << "the question returned before Yes was tapped";
    EXPECT_EQ(g_record.nAnswer, IDYES);
    EXPECT_EQ(FindWindowByText("Invert the card?"), nullptr);

    // The picture: the bar, then the board with the card inverted after Yes.
    const CPoint card = Screen(kCard);
    EXPECT_TRUE(ScreenRectIs({0, 0, 240, kBarHeight}, kBarGrey));
    EXPECT_TRUE(ScreenPixelIs(card, RGB(255, 95, 255))) << "cut corner: the inverted board";
    EXPECT_TRUE(ScreenPixelIs(card + CPoint{2, 0}, RGB(255, 255, 255))) << "inverted black border";
    EXPECT_TRUE(ScreenRectIs(CRect::FromSize(card.x + 2, card.y + 10, 19, 15), RGB(0, 0, 0))) << "inverted face";
    EXPECT_TRUE(ScreenRectIs(CRect::FromSize(card.x + 23, card.y, 1, 28), kBoard)) << "the last column is clear";
    EXPECT_TRUE(ScreenRectIs({0, 100, 240, 320}, kBoard));
    int pip = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            pip += ScreenPixel(card + CPoint{16 + x, 2 + y}) == PixelFromRGB(0, 255, 255);
    EXPECT_GT(pip, 0) << "no inverted red ink of the heart";

    // Closing the host window ends the program the ordinary way.
    m_backend.CloseHostWindow();
    EXPECT_EQ(RunUntilScriptDone(), std::optional<int>(0));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(GetChildren(nullptr).empty());
}

TEST_F(Program, FirstPictureBeforeAnyInput)
{
    CDemoApp app;
    ASSERT_EQ(RunUntilScriptDone(&AfxWinMain), std::nullopt);
    const CPoint card = Screen(kCard);
    EXPECT_TRUE(ScreenPixelIs(card, kBoard));
    EXPECT_TRUE(ScreenPixelIs(card + CPoint{2, 0}, RGB(0, 0, 0)));
    EXPECT_TRUE(ScreenRectIs(CRect::FromSize(card.x + 2, card.y + 10, 19, 15), RGB(255, 255, 255)));
    EXPECT_TRUE(ScreenRectIs({0, 100, 240, 320}, kBoard));
}

}  // namespace
