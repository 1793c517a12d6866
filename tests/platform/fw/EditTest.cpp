#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include "platform/fw/AppResources.h"
#include "platform/fw/CEdit.h"
#include "platform/win/Text.h"

namespace {

std::string NumberedLines(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text += "Line " + std::to_string(i) + (i < n ? "\r\n" : "");
    return text;
}

class Edit : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        ASSERT_TRUE(m_parent.CreatePopup(nullptr, {0, 0, 240, 320}));
    }
    bool CreateEdit(CEdit& edit, const std::string& text, DWORD extra)
    {
        return edit.CreateEx(0, CEdit::ClassName(), text.c_str(),
                             WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY | extra, {20, 40, 200, 140},
                             &m_parent, 1001);
    }
    // Taps a point given in the edit's client coordinates.
    void TapClient(CEdit& edit, CPoint client) { m_backend.Tap(ClientToScreen(edit.m_hWnd, client)); }

    CRecordingWnd m_parent;
};

TEST_F(Edit, ScrollBarMovesByLinesAndPagesWithinTheText)
{
    CEdit edit;
    ASSERT_TRUE(CreateEdit(edit, NumberedLines(30), WS_VSCROLL));
    RunUntilScriptDone();
    ASSERT_EQ(edit.GetLineCount(), 30);
    const int visible = edit.GetVisibleLineCount();
    ASSERT_GT(visible, 2);
    ASSERT_LT(visible, 30);
    const int last = 30 - visible;
    const CPoint down = edit.DownArrowRect().Center();
    const CPoint up = edit.UpArrowRect().Center();
    const CPoint trackBottom{down.x, edit.DownArrowRect().top - 2};
    const CPoint trackTop{up.x, edit.UpArrowRect().bottom + 1};

    struct Step {
        CPoint at;
        int first;
    };
    const Step steps[] = {
        {up, 0},                      // nothing above the top
        {down, 1},       {down, 2}, {up, 1},
        {trackBottom, 1 + visible},   // a page towards the tap
        {trackTop, 1},
        {trackBottom, 1 + visible},   {trackBottom, std::min(last, 1 + 2 * visible)},
        {trackBottom, std::min(last, 1 + 3 * visible)},
    };
    for (const Step& s : steps) {
        TapClient(edit, s.at);
        RunUntilScriptDone();
        ASSERT_EQ(edit.GetFirstVisibleLine(), s.first) << "after a tap at " << s.at.x << "," << s.at.y;
    }
    // Never past the end: the last page shows the last line at the bottom.
    for (int i = 0; i < 30; ++i)
        TapClient(edit, i % 2 ? down : trackBottom);
    RunUntilScriptDone();
    EXPECT_EQ(edit.GetFirstVisibleLine(), last);
}

TEST_F(Edit, ScrollingRepaintsTheText)
{
    CEdit edit;
    ASSERT_TRUE(CreateEdit(edit, NumberedLines(30), WS_VSCROLL));
    RunUntilScriptDone();
    const CRect area = GetWindowRect(edit.m_hWnd);
    auto shot = [&] {
        CSurface s(area.Width(), area.Height());
        for (int y = 0; y < area.Height(); ++y)
            for (int x = 0; x < area.Width(); ++x)
                s.Set(x, y, ScreenPixel({area.left + x, area.top + y}));
        return s;
    };
    const CSurface before = shot();
    TapClient(edit, edit.DownArrowRect().Center());
    RunUntilScriptDone();
    EXPECT_NE(shot(), before);
    TapClient(edit, edit.UpArrowRect().Center());
    RunUntilScriptDone();
    EXPECT_EQ(shot(), before);
}

TEST_F(Edit, NewTextStartsAtTheTop)
{
    CEdit edit;
    ASSERT_TRUE(CreateEdit(edit, NumberedLines(30), WS_VSCROLL));
    edit.LineScroll(5);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 5);
    edit.SetWindowText(NumberedLines(12));
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
    EXPECT_EQ(edit.GetLineCount(), 12);
    edit.LineScroll(-3);
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
}

TEST_F(Edit, WithoutAScrollBarTapsScrollNothing)
{
    CEdit edit;
    ASSERT_TRUE(CreateEdit(edit, NumberedLines(30), 0));
    RunUntilScriptDone();
    CRect client;
    edit.GetClientRect(&client);
    TapClient(edit, {client.right - 3, client.bottom - 3});
    RunUntilScriptDone();
    EXPECT_EQ(edit.GetFirstVisibleLine(), 0);
}

TEST_F(Edit, LongLinesWrapWithinTheBox)
{
    CEdit edit;
    const std::string words =
        "The goal of this solitaire is to get all 104 cards into 8 packs in the top right. Into these packs you can "
        "put card of the same color in incerasing order.";
    ASSERT_TRUE(CreateEdit(edit, words, WS_VSCROLL));
    const std::vector<std::string> lines = edit.WrappedLines();
    ASSERT_GT(lines.size(), 2u);
    CRect client;
    edit.GetClientRect(&client);
    for (const std::string& line : lines) {
        EXPECT_LE(TextWidth(TextFace::Normal11, line), client.Width() - CEdit::kScrollBarWidth) << line;
    }
}

}  // namespace
