// The gestures corvane-solve --taps prints for a win, played through the
// whole program on the headless host from its start at that second, must win
// the game there: the win prompt comes up after the last one and not before.
// A double tap reaches the board first as a tap, as on the handheld.
#include "solver/CSolveCommand.h"
#include "solver/CSolver.h"
#include "tests/support/CAppSession.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char kCaption[] = "Winner";
constexpr char kText[] = "You have won the game. Congratulations!\n\nDeal again?";

struct CTap {
    bool m_bDouble;
    CPoint m_pt;
};

// The command's output for one second: the answer, then one gesture a line.
::testing::AssertionResult ReadTaps(std::int64_t nSecond, std::vector<CTap>& aTap)
{
    std::ostringstream out, err;
    const int nStatus = CSolveCommand::Run({"--taps", std::to_string(nSecond)}, out, err);
    if (nStatus != 0 || !err.str().empty())
        return ::testing::AssertionFailure() << "status " << nStatus << ": " << err.str();
    std::istringstream in(out.str());
    std::string strLine;
    std::getline(in, strLine);
    if (strLine.rfind("won in ", 0) != 0)
        return ::testing::AssertionFailure() << "no win: " << strLine;
    while (std::getline(in, strLine)) {
        std::istringstream words(strLine);
        std::string strKind;
        CTap tap{};
        if (!(words >> strKind >> tap.m_pt.x >> tap.m_pt.y) || (strKind != "tap" && strKind != "double"))
            return ::testing::AssertionFailure() << "not a gesture: " << strLine;
        if (tap.m_pt.x < 0 || tap.m_pt.x >= 240 || tap.m_pt.y < 0)
            return ::testing::AssertionFailure() << "off the board: " << strLine;
        tap.m_bDouble = strKind == "double";
        aTap.push_back(tap);
    }
    if (aTap.empty())
        return ::testing::AssertionFailure() << "no gestures";
    return ::testing::AssertionSuccess();
}

void Script(CAppSession& session, const CTap& tap)
{
    const CPoint pt = CAppSession::BoardPoint(tap.m_pt.x, tap.m_pt.y);
    if (tap.m_bDouble)
        session.Host().DoubleTap(pt);
    else
        session.Host().Tap(pt);
}

// The first seconds of the day whose deals the solver wins.
std::vector<std::int64_t> WonSeconds(std::size_t nWanted)
{
    std::vector<std::int64_t> anSecond;
    for (std::int64_t nSecond = 1767225600; nSecond < 1767225630 && anSecond.size() < nWanted; ++nSecond) {
        CPinnedClock clock(nSecond);
        CBoard board;
        if (CSolver().Solve(board).m_outcome == CSolver::EOutcome::Won)
            anSecond.push_back(nSecond);
    }
    return anSecond;
}

TEST(Taps, PlayTheWinThroughTheProgramToTheWinPrompt)
{
    const std::vector<std::int64_t> anSecond = WonSeconds(3);
    ASSERT_EQ(anSecond.size(), 3u);
    for (const std::int64_t nSecond : anSecond) {
        SCOPED_TRACE(nSecond);
        std::vector<CTap> aTap;
        ASSERT_TRUE(ReadTaps(nSecond, aTap));

        CAppSession session(nSecond);
        ASSERT_FALSE(session.Run()) << "the program ended at its start";
        const CRect board = GetWindowRect(session.Board().m_hWnd);
        for (std::size_t i = 0; i + 1 < aTap.size(); ++i) {
            ASSERT_LT(aTap[i].m_pt.y, board.Height()) << "gesture " << i << " is below the board";
            Script(session, aTap[i]);
        }
        ASSERT_FALSE(session.Run()) << "the program ended before the last gesture";
        ASSERT_EQ(CAppSession::FindWindowByText(kCaption), nullptr) << "won before the last gesture";
        ASSERT_FALSE(session.Game().IsWon());

        Script(session, aTap.back());
        bool bAsked = false;
        session.Host().TapAt(
            [&bAsked]() -> std::optional<CPoint> {
                const HWND box = CAppSession::FindWindowByText(kCaption);
                if (box == nullptr)
                    return std::nullopt;
                bAsked = CAppSession::FindChildByText(box, kText) != nullptr;
                return CAppSession::CentreOf(CAppSession::FindChildByText(box, "Yes"));
            },
            "the Yes button of the win prompt");
        ASSERT_FALSE(session.Run()) << "the program ended";
        EXPECT_TRUE(bAsked) << "the prompt does not say: " << kText;
        EXPECT_EQ(CAppSession::FindWindowByText(kCaption), nullptr) << "the prompt is still up";
    }
}

}  // namespace
