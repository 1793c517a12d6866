// The win prompt: asked by the first redraw that finds the game won, whatever
// called it. Yes deals a new game, which the next paint shows; No ends the
// process at once with status 0.

#include "tests/view/CBoardSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using testboard::CLayout;

constexpr char kCaption[] = "Winner";
constexpr char kText[] = "You have won the game. Congratulations!\n\nDeal again?";
constexpr std::int64_t kNextDealSecond = CAppSession::kDealSecond + 86400;

struct CWinCase {
    const char* m_pszName;
    CLayout m_layout;
    bool m_bMove;  // whether the game is won by a move, which writes the snapshot
    // Scripts or does what leads to the redraw that finds the game won.
    std::function<void(CBoardSession&)> m_win;
    bool m_bAskedInPaint = false;  // the redraw that asks runs in a paint
};

void PrintTo(const CWinCase& c, std::ostream* pOut) { *pOut << c.m_pszName; }

const std::vector<CWinCase>& WinCases()
{
    static const std::vector<CWinCase> cases = {
        // The waste's last card onto a column: every column is then one run.
        {"ByTapMove",
         {.m_strWaste = "5H", .m_astrColumn = {"6S", "KD QS JH"}, .m_astrFoundation = {"AS"}},
         true,
         [](CBoardSession& s) {
             s.Host().Tap(CAppSession::BoardPoint(36, 14));
             s.Host().Tap(CAppSession::BoardPoint(12, 40));
         }},
        {"ByDoubleTapMove",
         {.m_astrColumn = {"9C 2S", "KD QS JH"}, .m_astrFoundation = {"AS"}},
         true,
         [](CBoardSession& s) { s.Host().DoubleTap(CAppSession::BoardPoint(12, 48)); }},
        // No move: the empty stock's tap redraws, and the game is won.
        {"ByTapOnEmptyStock",
         {.m_astrColumn = {"9C", "KD QS JH"}},
         false,
         [](CBoardSession& s) { s.Host().Tap(CAppSession::BoardPoint(5, 5)); }},
        {"ByPaintRequest",
         {.m_astrColumn = {"9C", "KD QS JH"}},
         false,
         [](CBoardSession& s) { s.Board().Invalidate(); },
         true},
    };
    return cases;
}

class WinPrompt : public ::testing::TestWithParam<CWinCase> {};

TEST_P(WinPrompt, YesDealsANewGameShownByTheNextPaint)
{
    const CWinCase& c = GetParam();
    CBoardSession s;
    CBoard& b = s.Game();
    ASSERT_TRUE(s.Lay(c.m_layout, CSelection::None()));
    ASSERT_FALSE(b.m_pStock) << "the case must leave nothing to turn";
    b.m_bCanUndo = 0;
    const std::vector<std::uint8_t> abLaid = testboard::SnapshotOf(b);
    const std::string strUndoBefore = testboard::UndoHex(b);
    s.Clock().Set(kNextDealSecond);

    c.m_win(s);
    bool bText = false;
    s.AnswerWinPrompt("Yes", [&](HWND box) { bText = CAppSession::FindChildByText(box, kText) != nullptr; });
    ASSERT_TRUE(s.Play());

    EXPECT_TRUE(bText) << "the prompt does not say: " << kText;
    EXPECT_EQ(CAppSession::FindWindowByText(kCaption), nullptr) << "the prompt is still up";
    // The deal of the clock's second, nothing selected.
    const CBoard dealt;
    EXPECT_EQ(testboard::Describe(b), testboard::Describe(dealt));
    EXPECT_EQ(CSelection::Of(b), CSelection::None());
    EXPECT_TRUE(testboard::HoldsFullBoard(b));
    EXPECT_FALSE(b.IsWon());
    // The deal leaves the undo state as the winning move left it: Undo
    // would bring back the position before that move.
    if (c.m_bMove) {
        EXPECT_EQ(b.m_bCanUndo, 1);
        EXPECT_EQ(testboard::UndoHex(b).substr(0, 2 * abLaid.size()), testboard::Hex(abLaid));
    } else {
        EXPECT_EQ(b.m_bCanUndo, 0);
        EXPECT_EQ(testboard::UndoHex(b), strUndoBefore);
    }
    // The prompt's closing uncovered the board, also when it was asked from
    // inside the board's own paint: the paint that follows shows the new deal.
    EXPECT_TRUE(s.ShowsBoard("new-deal"));
}

INSTANTIATE_TEST_SUITE_P(WinPrompt, WinPrompt, ::testing::ValuesIn(WinCases()),
                         [](const auto& p) { return std::string(p.param.m_pszName); });

// A paint request while the prompt waits (the board uncovered by another
// window, say) redraws the won board; it must not ask a second time.
TEST(WinPromptWhileAsking, PaintRedrawsWithoutAskingAgain)
{
    CBoardSession s;
    CBoard& b = s.Game();
    ASSERT_TRUE(s.Lay(WinCases().front().m_layout, CSelection::None()));
    WinCases().front().m_win(s);
    s.Host().TapAt(
        [&s]() -> std::optional<CPoint> {
            const HWND box = CAppSession::FindWindowByText(kCaption);
            if (!box)
                return std::nullopt;
            s.Board().Invalidate();
            s.Scribble();
            // The prompt's text: a tap there answers nothing.
            return CAppSession::CentreOf(CAppSession::FindChildByText(box, kText));
        },
        "the text of the win prompt, after asking for a paint");
    bool bRepainted = false;
    s.AnswerWinPrompt("Yes", [&](HWND box) {
        // What the box does not cover shows the won board again.
        const CSurface shown = s.ShownBoard();
        const CSurface expected = s.Expected();
        const CRect cover = GetWindowRect(box).Offset(-GetWindowRect(s.Board().m_hWnd).left,
                                                      -GetWindowRect(s.Board().m_hWnd).top);
        bRepainted = true;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                if (!cover.Contains({x, y}) && shown.At(x, y) != expected.At(x, y))
                    bRepainted = false;
    });
    // A second prompt would have taken the Yes, and the first would still
    // wait for its answer when the script ran out.
    ASSERT_TRUE(s.Play());

    EXPECT_TRUE(bRepainted);
    EXPECT_EQ(CAppSession::FindWindowByText(kCaption), nullptr);
    EXPECT_TRUE(testboard::HoldsFullBoard(b)) << "Yes dealt a new game";
}

TEST(WinPromptDeathTest, NoEndsTheProcessWithStatusZero)
{
    for (const CWinCase& c : WinCases()) {
        SCOPED_TRACE(c.m_pszName);
        EXPECT_EXIT(
            {
                CBoardSession s;
                if (s.Lay(c.m_layout, CSelection::None())) {
                    c.m_win(s);
                    s.AnswerWinPrompt("No");
                    (void)s.Play();
                }
                std::_Exit(3);  // still running: the answer did not end it
            },
            ::testing::ExitedWithCode(0), "");
    }
}

}  // namespace
