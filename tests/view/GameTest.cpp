// A whole game, the deal of the pinned second played to the win prompt with
// taps and double taps at screen points. After every tap the screen shows the
// board as a fresh off-screen picture and the reference painter have it, and
// after every move the board is whole, nothing is selected and the undo
// snapshot holds the position before the move.

#include "tests/view/CBoardSession.h"
#include "tests/view/PictureCheck.h"
#include "tests/view/TapPoints.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using viewcheck::CardPoint;

// One move of the game file.
struct CMove {
    enum class EKind { Stock, DoubleWaste, DoubleColumn, WasteTo, ColumnTo } m_kind;
    int m_nColumn = 0;  // DoubleColumn, ColumnTo: the column tapped first
    int m_nCard = 0;    // ColumnTo: the card tapped first
    bool m_bToColumn = false;  // WasteTo, ColumnTo: a column, else a foundation
    int m_nTarget = 0;
    int m_nLine = 0;
    std::string m_strText;
};

// "column C card I" or "waste", then "> column D" or "> foundation F".
::testing::AssertionResult ParseMove(const std::string& strLine, CMove& move)
{
    std::istringstream in(strLine);
    std::string strWord;
    in >> strWord;
    auto target = [&]() {
        std::string strArrow, strPile;
        int n = -1;
        if (!(in >> strArrow >> strPile >> n) || strArrow != ">" || (strPile != "column" && strPile != "foundation"))
            return false;
        move.m_bToColumn = strPile == "column";
        move.m_nTarget = n;
        return n >= 0 && n < (move.m_bToColumn ? CBoard::NUM_COLUMNS : CBoard::NUM_FOUNDATIONS);
    };
    bool bOk = false;
    if (strWord == "stock") {
        move.m_kind = CMove::EKind::Stock;
        bOk = true;
    } else if (strWord == "double") {
        in >> strWord;
        if (strWord == "waste") {
            move.m_kind = CMove::EKind::DoubleWaste;
            bOk = true;
        } else if (strWord == "column") {
            move.m_kind = CMove::EKind::DoubleColumn;
            bOk = static_cast<bool>(in >> move.m_nColumn) && move.m_nColumn >= 0 && move.m_nColumn < CBoard::NUM_COLUMNS;
        }
    } else if (strWord == "waste") {
        move.m_kind = CMove::EKind::WasteTo;
        bOk = target();
    } else if (strWord == "column") {
        move.m_kind = CMove::EKind::ColumnTo;
        std::string strCard;
        bOk = static_cast<bool>(in >> move.m_nColumn >> strCard >> move.m_nCard) && strCard == "card"
              && move.m_nColumn >= 0 && move.m_nColumn < CBoard::NUM_COLUMNS && move.m_nCard >= 0 && target();
    }
    if (bOk && !(in >> strWord))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not a move: \"" << strLine << "\"";
}

::testing::AssertionResult LoadGame(const std::string& strPath, std::vector<CMove>& aMove)
{
    std::ifstream file(strPath);
    if (!file)
        return ::testing::AssertionFailure() << "cannot open " << strPath;
    std::string strLine;
    for (int nLine = 1; std::getline(file, strLine); ++nLine) {
        if (strLine.empty() || strLine[0] == '#')
            continue;
        CMove move{};
        if (auto result = ParseMove(strLine, move); !result)
            return ::testing::AssertionFailure() << strPath << ":" << nLine << ": " << result.message();
        move.m_nLine = nLine;
        move.m_strText = strLine;
        aMove.push_back(move);
    }
    return ::testing::AssertionSuccess();
}

int CountCards(const CCard* pCard)
{
    int n = 0;
    for (; pCard; pCard = pCard->m_pNext)
        ++n;
    return n;
}

// The taps of a move at board points, worked out from the board as it stands.
// Points vary within their regions so that the clamp below a column and the
// edges of the waste zone are crossed too.
std::vector<CPoint> FirstTaps(const CMove& move, int nMove)
{
    switch (move.m_kind) {
    case CMove::EKind::Stock: return {{nMove % 24, nMove % 28}};
    case CMove::EKind::WasteTo: return {{24 + nMove % 24, 5 + nMove % 23}};
    case CMove::EKind::ColumnTo: return {CardPoint(move.m_nColumn, move.m_nCard)};
    default: return {};
    }
}

CPoint TargetTap(const CBoard& b, const CMove& move, int nMove)
{
    if (!move.m_bToColumn)
        return {48 + 24 * move.m_nTarget + 1 + nMove % 23, nMove % 28};
    // Below the exposed card now and then: the tap hits it all the same.
    const int n = CountCards(b.m_apColumn[move.m_nTarget]);
    return nMove % 3 ? CardPoint(move.m_nTarget, n > 0 ? n - 1 : 0) : CPoint{24 * move.m_nTarget + 20, 290};
}

CPoint DoubleTapPoint(const CBoard& b, const CMove& move, int nMove)
{
    if (move.m_kind == CMove::EKind::DoubleWaste)
        return {25 + nMove % 23, nMove % 28};
    const int n = CountCards(b.m_apColumn[move.m_nColumn]);
    return nMove % 2 ? CardPoint(move.m_nColumn, n - 1) : CPoint{24 * move.m_nColumn + 3, 280};
}

// Plays the move's taps up to its last, which is only scripted: the caller
// plays it. Checks the screen after each earlier tap.
::testing::AssertionResult ScriptMove(CBoardSession& s, const CMove& move, int nMove)
{
    const CBoard& b = s.Game();
    if (move.m_kind == CMove::EKind::DoubleWaste || move.m_kind == CMove::EKind::DoubleColumn) {
        const CPoint pt = DoubleTapPoint(b, move, nMove);
        s.Host().DoubleTap(CAppSession::BoardPoint(pt.x, pt.y));
        return ::testing::AssertionSuccess();
    }
    const std::vector<CPoint> aFirst = FirstTaps(move, nMove);
    if (move.m_kind == CMove::EKind::Stock) {
        s.Host().Tap(CAppSession::BoardPoint(aFirst[0].x, aFirst[0].y));
        return ::testing::AssertionSuccess();
    }
    // The first tap selects; the selection shows before the second.
    if (auto result = s.TapBoard(aFirst[0]); !result)
        return result;
    const CSelection selected = move.m_kind == CMove::EKind::WasteTo
                                    ? CSelection::Waste()
                                    : CSelection::Column(move.m_nColumn, move.m_nCard);
    if (CSelection::Of(b) != selected)
        return ::testing::AssertionFailure() << "the first tap selected something else";
    if (auto result = s.ShowsBoard("selected"); !result)
        return result;
    if (auto result = viewcheck::SamePicture(s.ShownBoard(), viewcheck::Crop(s.PaintedBoard(), s.ShownBoard().Bounds()),
                                             "selected-painted");
        !result)
        return result;
    const CPoint pt = TargetTap(b, move, nMove);
    s.Host().Tap(CAppSession::BoardPoint(pt.x, pt.y));
    return ::testing::AssertionSuccess();
}

TEST(WholeGame, PlayedWithTapsToTheWinPrompt)
{
    std::vector<CMove> aMove;
    ASSERT_TRUE(LoadGame(viewcheck::DataPath("game-1765372800.txt"), aMove));
    ASSERT_FALSE(aMove.empty());

    CBoardSession s;
    CBoard& b = s.Game();
    ASSERT_TRUE(testboard::HoldsFullBoard(b));
    ASSERT_TRUE(s.ShowsBoard("deal"));

    const int nMoves = static_cast<int>(aMove.size());
    for (int k = 0; k < nMoves - 1; ++k) {
        const CMove& move = aMove[static_cast<std::size_t>(k)];
        SCOPED_TRACE("move " + std::to_string(k + 1) + ", line " + std::to_string(move.m_nLine) + ": "
                     + move.m_strText);
        const testboard::CLayout before = testboard::Describe(b);
        const std::vector<std::uint8_t> abBefore = testboard::SnapshotOf(b);

        ASSERT_TRUE(ScriptMove(s, move, k));
        ASSERT_TRUE(s.Play());

        ASSERT_NE(testboard::Describe(b), before) << "no card moved";
        ASSERT_TRUE(testboard::HoldsFullBoard(b));
        ASSERT_EQ(CSelection::Of(b), CSelection::None());
        ASSERT_EQ(b.m_bCanUndo, 1);
        ASSERT_EQ(testboard::UndoHex(b), testboard::Hex(abBefore));
        ASSERT_FALSE(b.IsWon()) << "won before the last move";
        const CSurface shown = s.ShownBoard();
        ASSERT_TRUE(viewcheck::SamePicture(shown, viewcheck::Crop(s.PaintedBoard(), shown.Bounds()), "painted"));
        ASSERT_TRUE(s.ShowsBoard("reference"));
    }

    // The last move wins. The prompt comes up over the won board; Yes deals
    // the game of the clock's new second.
    const CMove& last = aMove.back();
    SCOPED_TRACE("last move, line " + std::to_string(last.m_nLine) + ": " + last.m_strText);
    const std::vector<std::uint8_t> abBeforeLast = testboard::SnapshotOf(b);
    s.Clock().Set(CAppSession::kDealSecond + 1);
    ASSERT_TRUE(ScriptMove(s, last, nMoves - 1));
    bool bWon = false;
    bool bWholeBoard = false;
    testboard::CLayout won;
    ::testing::AssertionResult wonPicture = ::testing::AssertionSuccess();
    s.AnswerWinPrompt("Yes", [&](HWND box) {
        bWon = b.IsWon();
        bWholeBoard = testboard::HoldsFullBoard(b);
        won = testboard::Describe(b);
        // The board shows the won game wherever the prompt leaves it bare.
        CSurface shown = s.ShownBoard();
        CSurface expected = s.Expected();
        const CRect board = GetWindowRect(s.Board().m_hWnd);
        const CRect cover = GetWindowRect(box).Offset(-board.left, -board.top);
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                if (cover.Contains({x, y}))
                    shown.Set(x, y, expected.At(x, y));
        wonPicture = viewcheck::SamePicture(shown, expected, "won");
    });
    ASSERT_TRUE(s.Play());

    EXPECT_TRUE(bWon);
    EXPECT_TRUE(bWholeBoard);
    EXPECT_TRUE(won.m_strStock.empty() && won.m_strWaste.empty()) << testboard::FormatLayout(won);
    EXPECT_TRUE(wonPicture);

    const CBoard dealt;
    EXPECT_EQ(testboard::Describe(b), testboard::Describe(dealt));
    EXPECT_EQ(CSelection::Of(b), CSelection::None());
    EXPECT_TRUE(testboard::HoldsFullBoard(b));
    // Undo would bring back the position before the winning move.
    EXPECT_EQ(b.m_bCanUndo, 1);
    EXPECT_EQ(testboard::UndoHex(b), testboard::Hex(abBeforeLast));
    EXPECT_TRUE(s.ShowsBoard("new-deal"));
}

}  // namespace
