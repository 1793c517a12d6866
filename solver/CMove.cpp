#include "solver/CMove.h"

#include "model/CBoard.h"

namespace {

// Points well inside the board view's hit regions: the top row answers taps
// for y < 28, the stock at x < 24, the waste at 24 <= x < 48 (its double-tap
// zone from x = 25), foundation f from x = 48 + 24f (49 for the first) to
// 71 + 24f; card i of column c owns the band y = 35 + 10i to 44 + 10i of
// its 24-pixel slot.
constexpr int kTopRowY = 14;
constexpr CGesture kStockTap{false, 12, kTopRowY};
constexpr CGesture kWasteTap{false, 36, kTopRowY};

constexpr CGesture Tap(int x, int y) { return {false, x, y}; }
constexpr CGesture FoundationTap(int nFoundation) { return Tap(60 + 24 * nFoundation, kTopRowY); }
constexpr CGesture CardTap(int nColumn, int nIndex) { return Tap(24 * nColumn + 12, 40 + 10 * nIndex); }

CGesture Doubled(CGesture gesture)
{
    gesture.m_bDouble = true;
    return gesture;
}

bool IsColumn(int nColumn) { return nColumn >= 0 && nColumn < CBoard::NUM_COLUMNS; }
bool IsFoundation(int nFoundation) { return nFoundation >= 0 && nFoundation < CBoard::NUM_FOUNDATIONS; }

int LastIndex(const CBoard& board, int nColumn)
{
    int nIndex = 0;
    while (board.CardAt(nColumn, nIndex + 1) != nullptr)
        ++nIndex;
    return nIndex;
}

// Any card of the column names it as a target; its exposed card is the one a
// player would tap.
CGesture ColumnTap(const CBoard& board, int nColumn) { return CardTap(nColumn, LastIndex(board, nColumn)); }

}  // namespace

bool CMove::FoundationTakes(const CBoard& board, int nFoundation, const CCard* pCard)
{
    return board.FoundationAccepts(nFoundation, pCard)
           || (IsFoundation(nFoundation) && board.PickFoundation(pCard) == nFoundation);
}

bool CMove::IsAllowed(const CBoard& board) const
{
    switch (m_kind) {
    case EKind::TurnStock:
        return board.m_pStock != nullptr;
    case EKind::RecycleWaste:
        return board.m_pStock == nullptr && board.m_pWaste != nullptr;
    case EKind::WasteToColumn:
        return board.ColumnAccepts(m_nTo, board.m_pWaste);
    case EKind::WasteToFoundation:
        return board.m_pWaste != nullptr && FoundationTakes(board, m_nTo, board.m_pWaste);
    case EKind::RunToColumn:
        return m_nFrom != m_nTo && board.IsRun(m_nFrom, m_nIndex)
               && board.ColumnAccepts(m_nTo, board.CardAt(m_nFrom, m_nIndex));
    case EKind::CardToFoundation: {
        const CCard* pCard = board.CardAt(m_nFrom, m_nIndex);
        return pCard != nullptr && pCard->m_pNext == nullptr && FoundationTakes(board, m_nTo, pCard);
    }
    case EKind::FoundationToColumn:
        return IsFoundation(m_nFrom) && IsColumn(m_nTo)
               && board.ColumnAccepts(m_nTo, board.m_apFoundation[m_nFrom]);
    }
    return false;
}

void CMove::Apply(CBoard& board) const
{
    switch (m_kind) {
    case EKind::TurnStock: board.TurnStock(); break;
    case EKind::RecycleWaste: board.RecycleWaste(); break;
    case EKind::WasteToColumn: board.WasteToColumn(m_nTo); break;
    case EKind::WasteToFoundation: board.WasteToFoundation(m_nTo); break;
    case EKind::RunToColumn: board.RunToColumn(m_nFrom, m_nIndex, m_nTo); break;
    case EKind::CardToFoundation: board.CardToFoundation(m_nFrom, m_nIndex, m_nTo); break;
    case EKind::FoundationToColumn: board.FoundationToColumn(m_nFrom, m_nTo); break;
    }
}

std::vector<CGesture> CMove::Gestures(const CBoard& board) const
{
    switch (m_kind) {
    case EKind::TurnStock:
    case EKind::RecycleWaste:
        return {kStockTap};
    case EKind::WasteToColumn:
        return {kWasteTap, ColumnTap(board, m_nTo)};
    case EKind::WasteToFoundation:
        // The double tap's first tap selects the waste; its second lays the card.
        if (board.PickFoundation(board.m_pWaste) == m_nTo)
            return {Doubled(kWasteTap)};
        return {kWasteTap, FoundationTap(m_nTo)};
    case EKind::RunToColumn:
        return {CardTap(m_nFrom, m_nIndex), ColumnTap(board, m_nTo)};
    case EKind::CardToFoundation:
        // The double tap's first tap selects the exposed card; its second lays it.
        if (board.PickFoundation(board.CardAt(m_nFrom, m_nIndex)) == m_nTo)
            return {Doubled(CardTap(m_nFrom, m_nIndex))};
        return {CardTap(m_nFrom, m_nIndex), FoundationTap(m_nTo)};
    case EKind::FoundationToColumn:
        return {FoundationTap(m_nFrom), ColumnTap(board, m_nTo)};
    }
    return {};
}
