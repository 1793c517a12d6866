#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CPinnedClock.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

using testboard::Describe;
using testboard::HoldsFullBoard;

enum EMove { TURN_STOCK, RECYCLE_WASTE, WASTE_TO_COLUMN, WASTE_TO_FOUNDATION, RUN_TO_COLUMN,
             CARD_TO_FOUNDATION, FOUNDATION_TO_COLUMN, NUM_MOVE_KINDS };

struct CMove {
    EMove m_eKind;
    int m_nA;
    int m_nB;
    int m_nC;
};

std::string Name(const CMove& move)
{
    static const char* const apszName[] = {"TurnStock", "RecycleWaste", "WasteToColumn", "WasteToFoundation",
                                           "RunToColumn", "CardToFoundation", "FoundationToColumn"};
    return std::string(apszName[move.m_eKind]) + "(" + std::to_string(move.m_nA) + ", "
           + std::to_string(move.m_nB) + ", " + std::to_string(move.m_nC) + ")";
}

int ColumnLength(const CBoard& board, int c)
{
    int n = 0;
    while (board.CardAt(c, n) != nullptr)
        ++n;
    return n;
}

// Every move whose test passes, as a tap or a double tap would make it.
std::vector<CMove> LegalMoves(const CBoard& board)
{
    std::vector<CMove> aMove;
    if (board.m_pStock != nullptr)
        aMove.push_back({TURN_STOCK, 0, 0, 0});
    else if (board.m_pWaste != nullptr)
        aMove.push_back({RECYCLE_WASTE, 0, 0, 0});

    if (const CCard* pWaste = board.m_pWaste) {
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
            if (board.ColumnAccepts(c, pWaste))
                aMove.push_back({WASTE_TO_COLUMN, c, 0, 0});
        }
        for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
            if (board.FoundationAccepts(f, pWaste))
                aMove.push_back({WASTE_TO_FOUNDATION, f, 0, 0});
        }
        if (const int f = board.PickFoundation(pWaste); f != CBoard::NO_FOUNDATION)
            aMove.push_back({WASTE_TO_FOUNDATION, f, 0, 0});
    }

    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        const int n = ColumnLength(board, c);
        for (int i = 0; i < n; ++i) {
            if (!board.IsRun(c, i))
                continue;
            for (int d = 0; d < CBoard::NUM_COLUMNS; ++d) {
                if (d != c && board.ColumnAccepts(d, board.CardAt(c, i)))
                    aMove.push_back({RUN_TO_COLUMN, c, i, d});
            }
        }
        if (n > 0) {
            const CCard* pExposed = board.CardAt(c, n - 1);
            for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
                if (board.FoundationAccepts(f, pExposed))
                    aMove.push_back({CARD_TO_FOUNDATION, c, n - 1, f});
            }
            if (const int f = board.PickFoundation(pExposed); f != CBoard::NO_FOUNDATION)
                aMove.push_back({CARD_TO_FOUNDATION, c, n - 1, f});
        }
    }

    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
            if (board.m_apFoundation[f] != nullptr && board.ColumnAccepts(c, board.m_apFoundation[f]))
                aMove.push_back({FOUNDATION_TO_COLUMN, f, c, 0});
        }
    }
    return aMove;
}

void Apply(CBoard& board, const CMove& move)
{
    switch (move.m_eKind) {
    case TURN_STOCK: board.TurnStock(); break;
    case RECYCLE_WASTE: board.RecycleWaste(); break;
    case WASTE_TO_COLUMN: board.WasteToColumn(move.m_nA); break;
    case WASTE_TO_FOUNDATION: board.WasteToFoundation(move.m_nA); break;
    case RUN_TO_COLUMN: board.RunToColumn(move.m_nA, move.m_nB, move.m_nC); break;
    case CARD_TO_FOUNDATION: board.CardToFoundation(move.m_nA, move.m_nB, move.m_nC); break;
    case FOUNDATION_TO_COLUMN: board.FoundationToColumn(move.m_nA, move.m_nB); break;
    case NUM_MOVE_KINDS: break;
    }
}

TEST(RandomPlay, EveryLegalMoveKeepsTheBoardWholeAndUndoBringsItBack)
{
    constexpr int NUM_STEPS = 1500;
    std::array<int, NUM_MOVE_KINDS> anPlayed{};
    int nUndos = 0;

    for (const unsigned nSeed : {1u, 7u, 42u, 1765372800u, 2024u, 99u}) {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        std::mt19937 random(nSeed);
        CPinnedClock clock(nSeed);
        CBoard board;
        ASSERT_TRUE(HoldsFullBoard(board));

        for (int nStep = 0; nStep < NUM_STEPS; ++nStep) {
            std::vector<CMove> aMove = LegalMoves(board);
            if (board.IsWon() || aMove.empty() || nStep % 750 == 749) {
                clock.Set(static_cast<std::int64_t>(random()));
                board.Deal();
                ASSERT_TRUE(HoldsFullBoard(board)) << "deal at step " << nStep;
                continue;
            }
            // The stock move, when there is one, comes first: play it a third
            // of the time, so that the stock runs out and the waste goes back,
            // and otherwise one of the others.
            const bool bStockMove = aMove.front().m_eKind <= RECYCLE_WASTE;
            std::size_t nPick = 0;
            if (!bStockMove)
                nPick = random() % aMove.size();
            else if (aMove.size() > 1 && random() % 3 != 0)
                nPick = 1 + random() % (aMove.size() - 1);
            const CMove& move = aMove[nPick];
            SCOPED_TRACE("step " + std::to_string(nStep) + ": " + Name(move));

            const testboard::CLayout before = Describe(board);
            const std::vector<std::uint8_t> abBefore = testboard::SnapshotOf(board);
            board.SaveUndo();
            ASSERT_EQ(testboard::UndoHex(board), testboard::Hex(abBefore));
            Apply(board, move);
            ++anPlayed[move.m_eKind];
            ASSERT_TRUE(HoldsFullBoard(board));
            ASSERT_NE(Describe(board), before) << "the move changed nothing";

            if (random() % 5 == 0) {
                board.m_nSelKind = CBoard::SEL_WASTE;
                board.RestoreUndo();
                ++nUndos;
                ASSERT_EQ(Describe(board), before);
                ASSERT_EQ(board.m_bCanUndo, 0);
                ASSERT_EQ(board.m_nSelKind, CBoard::SEL_NONE);
                ASSERT_TRUE(HoldsFullBoard(board));
                board.SaveUndo();
                ASSERT_EQ(testboard::UndoHex(board), testboard::Hex(abBefore));
            }
        }
    }

    // The walk must have reached every kind of move, or it proves little.
    for (int nKind = 0; nKind < NUM_MOVE_KINDS; ++nKind)
        EXPECT_GT(anPlayed[nKind], 0) << Name({static_cast<EMove>(nKind), 0, 0, 0});
    EXPECT_GT(nUndos, 0);
}

}  // namespace
