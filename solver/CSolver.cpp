#include "solver/CSolver.h"

#include <algorithm>
#include <array>
#include <queue>
#include <stdexcept>
#include <utility>

namespace {

// One turn towards a card deeper in the stock or the waste: the stock's top
// onto the waste, or, with the stock used up, the waste back onto it.
void Turn(CBoard& board)
{
    if (board.m_pStock != nullptr)
        board.TurnStock();
    else
        board.RecycleWaste();
}

// How far a position looks from one whose columns are all runs, to try the
// nearest first: in each column the cards under its last run, which must all
// leave it. Only the order of the search depends on it.
std::uint32_t Distance(const CSnapshot& abSnapshot)
{
    std::uint32_t nDistance = 0;
    int k = 0;
    for (int nPile = 0; nPile < CBoard::NUM_PILES; ++nPile) {
        const int nStart = k;
        while (abSnapshot[k] != CBoard::UNDO_SEPARATOR)
            ++k;
        if (nPile >= 2 + CBoard::NUM_FOUNDATIONS && k > nStart) {
            int i = k - 1;
            for (; i > nStart; --i) {
                const int nUpper = abSnapshot[i - 1];
                const int nLower = abSnapshot[i];
                if (nLower % 13 + 1 != nUpper % 13 || (nLower / 13) % 2 == (nUpper / 13) % 2)
                    break;
            }
            nDistance += static_cast<std::uint32_t>(i - nStart);
        }
        ++k;
    }
    return nDistance;
}

// With both decks on the board and the foundations in order, the game is
// won once every column is empty or one run, whatever the stock, the waste
// and the foundations hold: take the lowest rank not on the foundations.
// Both cards of every lower rank are up, so a foundation of the suit stands
// one below, and a card of that rank in a column has only lower cards above
// it in its run: none, so it lies exposed. It goes up, and the columns stay
// runs. A board laid with fewer cards must be won outright.
bool ColumnsAreRuns(const CBoard& board)
{
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        if (board.CardAt(c, 0) != nullptr && !board.IsRun(c, 0))
            return false;
    }
    return true;
}

int Count(const CCard* pCard)
{
    int n = 0;
    for (; pCard != nullptr; pCard = pCard->m_pNext)
        ++n;
    return n;
}

int LastIndex(const CBoard& board, int nColumn)
{
    int nIndex = 0;
    while (board.CardAt(nColumn, nIndex + 1) != nullptr)
        ++nIndex;
    return nIndex;
}

// Where a card goes up: where the double tap would send it, else the first
// foundation a tap may lay it on.
int FoundationFor(const CBoard& board, const CCard* pCard)
{
    if (pCard == nullptr)
        return CBoard::NO_FOUNDATION;
    const int f = board.PickFoundation(pCard);
    if (f != CBoard::NO_FOUNDATION)
        return f;
    for (int g = 0; g < CBoard::NUM_FOUNDATIONS; ++g) {
        if (board.FoundationAccepts(g, pCard))
            return g;
    }
    return CBoard::NO_FOUNDATION;
}


// The order of the search: nearer first, counting the cards under the
// columns' last runs most, the cards still in the stock and the waste less
// (a card laid from there is one more place to put a run), and the moves
// made so far a little, so that no line wanders on for ever.
constexpr std::uint64_t kDistanceWeight = 5;
constexpr std::uint64_t kTalonWeight = 2;

std::uint64_t Order(const CSnapshot& abSnapshot, std::int32_t nDepth, std::int32_t nNode)
{
    int nTalon = 0;
    for (int k = 0, nSeparators = 0; nSeparators < 2; ++k) {
        if (abSnapshot[k] == CBoard::UNDO_SEPARATOR)
            ++nSeparators;
        else
            ++nTalon;
    }
    const std::uint64_t nScore = kDistanceWeight * Distance(abSnapshot) + kTalonWeight * nTalon
                                 + static_cast<std::uint64_t>(nDepth);
    // Among equals the newest, which keeps a promising line going.
    return nScore << 32 | (0xFFFFFFFFu - static_cast<std::uint32_t>(nNode));
}

// What a search changes of a board besides its piles, given back when it
// ends: playing on the board writes its undo buffer and clears its selection.
class CKeptFields {
public:
    explicit CKeptFields(CBoard& board)
        : m_board(board), m_bCanUndo(board.m_bCanUndo), m_nSelKind(board.m_nSelKind),
          m_nSelPile(board.m_nSelPile), m_nSelCard(board.m_nSelCard)
    {
        std::copy(std::begin(board.m_abUndo), std::end(board.m_abUndo), m_abUndo.begin());
    }
    ~CKeptFields()
    {
        std::copy(m_abUndo.begin(), m_abUndo.end(), std::begin(m_board.m_abUndo));
        m_board.m_bCanUndo = m_bCanUndo;
        m_board.m_nSelKind = m_nSelKind;
        m_board.m_nSelPile = m_nSelPile;
        m_board.m_nSelCard = m_nSelCard;
    }
    CKeptFields(const CKeptFields&) = delete;
    CKeptFields& operator=(const CKeptFields&) = delete;

private:
    CBoard& m_board;
    CSnapshot m_abUndo;
    std::int32_t m_bCanUndo;
    std::uint8_t m_nSelKind;
    std::int32_t m_nSelPile;
    std::int32_t m_nSelCard;
};

}  // namespace

CSolver::CSolver(std::int64_t nBudget) : m_nBudget(nBudget) {}

void CSolver::FindSteps(const CBoard& board, bool bFocused)
{
    m_aStep.clear();
    const auto add = [this](int nTurns, CMove::EKind kind, int nFrom, int nIndex, int nTo) {
        m_aStep.push_back({static_cast<std::uint8_t>(nTurns),
                           {kind, static_cast<std::int8_t>(nFrom), static_cast<std::int8_t>(nIndex),
                            static_cast<std::int8_t>(nTo)}});
    };

    std::array<int, CBoard::NUM_COLUMNS> anLast{};
    std::array<const CCard*, CBoard::NUM_COLUMNS> apExposed{};
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        anLast[c] = LastIndex(board, c);
        apExposed[c] = board.CardAt(c, anLast[c]);
    }
    // Only a card one rank below a column's exposed card, or a King for an
    // empty one, is worth asking ColumnAccepts about.
    const auto columnMayTake = [&apExposed](int c, const CCard* pCard) {
        return apExposed[c] == nullptr ? pCard->m_nRank == CBoard::RANK_KING
                                       : apExposed[c]->m_nRank == pCard->m_nRank + 1;
    };

    std::array<bool, 2 * 13> abBaseWanted{};  // rank * 2 + colour
    std::array<bool, 4 * 13> abUpWanted{};    // suit * 13 + rank
    if (bFocused) {
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
            if (apExposed[c] == nullptr)
                continue;
            for (int i = anLast[c]; i >= 0 && board.IsRun(c, i); --i) {
                const CCard* pHead = board.CardAt(c, i);
                if (pHead->m_nRank != CBoard::RANK_KING)
                    abBaseWanted[(pHead->m_nRank + 1) * 2 + (pHead->m_nSuit + 1) % 2] = true;
            }
            if (apExposed[c]->m_nRank != CBoard::RANK_ACE)
                abUpWanted[apExposed[c]->m_nSuit * 13 + apExposed[c]->m_nRank - 1] = true;
        }
    }
    const auto toColumn = [&](const CCard* pCard) {
        return !bFocused || abBaseWanted[pCard->m_nRank * 2 + pCard->m_nSuit % 2];
    };
    const auto toFoundation = [&](const CCard* pCard) {
        return !bFocused || pCard->m_nRank == CBoard::RANK_ACE || abUpWanted[pCard->m_nSuit * 13 + pCard->m_nRank];
    };

    // Every card of the stock and the waste, with the turns that bring it to
    // the waste's top: the top itself, the stock's cards in turn, then, after
    // the turn that puts the waste back, the waste's cards from its bottom.
    std::vector<const CCard*> apWaste;
    for (const CCard* pCard = board.m_pWaste; pCard != nullptr; pCard = pCard->m_pNext)
        apWaste.push_back(pCard);
    std::vector<std::pair<const CCard*, int>> aTurned;
    if (!apWaste.empty())
        aTurned.emplace_back(apWaste.front(), 0);
    int nTurns = 0;
    for (const CCard* pCard = board.m_pStock; pCard != nullptr; pCard = pCard->m_pNext)
        aTurned.emplace_back(pCard, ++nTurns);
    ++nTurns;
    for (std::size_t i = apWaste.size(); i-- > 1;)
        aTurned.emplace_back(apWaste[i], ++nTurns);
    for (const auto& [pCard, nCardTurns] : aTurned) {
        if (toColumn(pCard)) {
            for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
                if (columnMayTake(c, pCard) && board.ColumnAccepts(c, pCard))
                    add(nCardTurns, CMove::EKind::WasteToColumn, 0, 0, c);
            }
        }
        if (toFoundation(pCard)) {
            for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
                if (CMove::FoundationTakes(board, f, pCard))
                    add(nCardTurns, CMove::EKind::WasteToFoundation, 0, 0, f);
            }
        }
    }

    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        if (apExposed[c] == nullptr)
            continue;
        // Runs start at every card from the last run's first to the end.
        for (int i = anLast[c]; i >= 0 && board.IsRun(c, i); --i) {
            const CCard* pHead = board.CardAt(c, i);
            for (int d = 0; d < CBoard::NUM_COLUMNS; ++d) {
                // A whole column into an empty one is the same position.
                if (d != c && columnMayTake(d, pHead) && board.ColumnAccepts(d, pHead)
                    && !(i == 0 && apExposed[d] == nullptr))
                    add(0, CMove::EKind::RunToColumn, c, i, d);
            }
        }
        for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
            if (CMove::FoundationTakes(board, f, apExposed[c]))
                add(0, CMove::EKind::CardToFoundation, c, anLast[c], f);
        }
    }

    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        const CCard* pTop = board.m_apFoundation[f];
        if (pTop == nullptr || !toColumn(pTop))
            continue;
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
            if (columnMayTake(c, pTop) && board.ColumnAccepts(c, pTop))
                add(0, CMove::EKind::FoundationToColumn, f, 0, c);
        }
    }
}

void CSolver::Play(CBoard& board, const CStep& step)
{
    for (int t = 0; t < step.m_nTurns; ++t)
        Turn(board);
    step.m_move.Apply(board);
}

std::vector<CSnapshot> CSolver::Successors(CBoard& board)
{
    const CKeptFields kept(board);
    CBoardRelinker relinker(board);
    const CSnapshot abStart = relinker.Snapshot();
    FindSteps(board, false);
    std::vector<CSnapshot> aSnapshot;
    for (const CStep& step : m_aStep) {
        Play(board, step);
        aSnapshot.push_back(relinker.Snapshot());
        relinker.Lay(abStart);
    }
    return aSnapshot;
}

std::int32_t CSolver::Search(CBoard& board, CBoardRelinker& relinker, const CSnapshot& abStart, bool bFocused,
                             std::int64_t nBudget, bool& bExhausted)
{
    const bool bFoundationPairs = CPositionKey::FoundationsInOrder(abStart);
    const bool bRunsWin = bFoundationPairs && relinker.HoldsBothDecks();
    const auto reached = [&board, bRunsWin] { return bRunsWin ? ColumnsAreRuns(board) : board.IsWon(); };
    m_table.Clear();
    m_aNode.clear();
    m_table.Insert(CPositionKey(abStart, bFoundationPairs));
    m_aNode.push_back({abStart, -1, 0, {}});
    bExhausted = false;
    if (reached())
        return 0;

    using CEntry = std::pair<std::uint64_t, std::int32_t>;
    std::priority_queue<CEntry, std::vector<CEntry>, std::greater<>> queue;
    queue.emplace(Order(abStart, 0, 0), 0);
    while (!queue.empty()) {
        const std::int32_t nNode = queue.top().second;
        queue.pop();
        const CSnapshot abParent = m_aNode[nNode].m_abSnapshot;
        const std::int32_t nDepth = m_aNode[nNode].m_nDepth + 1;
        relinker.Lay(abParent);
        FindSteps(board, bFocused);
        bool bLaid = true;
        for (const CStep& step : m_aStep) {
            if (!bLaid)
                relinker.Lay(abParent);
            bLaid = false;
            Play(board, step);
            const CSnapshot abChild = relinker.Snapshot();
            const std::int32_t nChild = m_table.Insert(CPositionKey(abChild, bFoundationPairs));
            if (nChild == CPositionTable::NOT_NEW)
                continue;
            // Only a position not seen before counts against the budget.
            if (nChild >= nBudget)
                return -1;
            m_aNode.push_back({abChild, nNode, nDepth, step});
            if (reached())
                return nChild;
            queue.emplace(Order(abChild, nDepth, nChild), nChild);
        }
    }
    bExhausted = true;
    return -1;
}

CSolver::CResult CSolver::Solve(CBoard& board)
{
    const CKeptFields kept(board);
    CBoardRelinker relinker(board);
    const CSnapshot abStart = relinker.Snapshot();

    CResult result;
    bool bExhausted = false;
    std::int32_t nFound = Search(board, relinker, abStart, true, m_nBudget, bExhausted);
    result.m_nPositions = m_table.Size();
    if (nFound < 0 && bExhausted) {
        nFound = Search(board, relinker, abStart, false, m_nBudget - result.m_nPositions, bExhausted);
        result.m_nPositions += m_table.Size();
    }
    result.m_nPositions = std::min(result.m_nPositions, m_nBudget);
    if (nFound >= 0) {
        result.m_outcome = EOutcome::Won;
        result.m_aMove = PathTo(nFound, board, relinker);
    } else {
        result.m_outcome = bExhausted ? EOutcome::CannotBeWon : EOutcome::Unknown;
    }

    relinker.Lay(abStart);
    return result;
}

template <typename PlayMove>
void CSolver::Finish(CBoard& board, const PlayMove& play)
{
    // Cards go up as the turns bring them; a column's card only when a whole
    // round of the stock and the waste brought none, the lowest first.
    int nIdle = 0;
    while (!board.IsWon()) {
        const CCard* pWaste = board.m_pWaste;
        const int f = pWaste == nullptr ? CBoard::NO_FOUNDATION : FoundationFor(board, pWaste);
        if (f != CBoard::NO_FOUNDATION) {
            play({CMove::EKind::WasteToFoundation, 0, 0, static_cast<std::int8_t>(f)});
            nIdle = 0;
            continue;
        }
        const int nTalon = Count(board.m_pStock) + Count(board.m_pWaste);
        if (nIdle <= nTalon) {
            play({board.m_pStock != nullptr ? CMove::EKind::TurnStock : CMove::EKind::RecycleWaste});
            ++nIdle;
            continue;
        }
        CMove best{};
        int nBestRank = 13;
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
            const int nLast = LastIndex(board, c);
            const CCard* pCard = board.CardAt(c, nLast);
            const int fCard = FoundationFor(board, pCard);
            if (fCard != CBoard::NO_FOUNDATION && pCard->m_nRank < nBestRank) {
                nBestRank = pCard->m_nRank;
                best = {CMove::EKind::CardToFoundation, static_cast<std::int8_t>(c),
                        static_cast<std::int8_t>(nLast), static_cast<std::int8_t>(fCard)};
            }
        }
        if (nBestRank == 13)
            throw std::logic_error("the columns are runs, yet no card goes up");
        play(best);
        nIdle = 0;
    }
}

std::vector<CMove> CSolver::PathTo(std::int32_t nNode, CBoard& board, CBoardRelinker& relinker) const
{
    std::vector<const CNode*> apNode;
    for (std::int32_t n = nNode; n > 0; n = m_aNode[n].m_nParent)
        apNode.push_back(&m_aNode[n]);
    std::reverse(apNode.begin(), apNode.end());

    // Played again from the start, each move only where the board's tests
    // allow it, with the game won at the end and not before.
    relinker.Lay(m_aNode[0].m_abSnapshot);
    std::vector<CMove> aMove;
    const auto play = [&](const CMove& move) {
        if (board.IsWon() || !move.IsAllowed(board))
            throw std::logic_error("the solver's win does not play by the board's rules");
        move.Apply(board);
        aMove.push_back(move);
    };
    for (const CNode* pNode : apNode) {
        for (int t = 0; t < pNode->m_step.m_nTurns; ++t)
            play({board.m_pStock != nullptr ? CMove::EKind::TurnStock : CMove::EKind::RecycleWaste});
        play(pNode->m_step.m_move);
    }
    if (!board.IsWon())
        Finish(board, play);
    return aMove;
}
