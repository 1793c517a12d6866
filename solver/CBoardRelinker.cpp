#include "solver/CBoardRelinker.h"

#include <algorithm>
#include <stdexcept>

CCard*& SnapshotPile(CBoard& board, int nPile)
{
    if (nPile == 0)
        return board.m_pStock;
    if (nPile == 1)
        return board.m_pWaste;
    if (nPile < 2 + CBoard::NUM_FOUNDATIONS)
        return board.m_apFoundation[nPile - 2];
    return board.m_apColumn[nPile - 2 - CBoard::NUM_FOUNDATIONS];
}

CBoardRelinker::CBoardRelinker(CBoard& board) : m_board(board)
{
    for (int nPile = 0; nPile < CBoard::NUM_PILES; ++nPile) {
        for (CCard* pCard = SnapshotPile(board, nPile); pCard != nullptr; pCard = pCard->m_pNext) {
            if (pCard->m_nSuit >= 4 || pCard->m_nRank >= 13 || m_apCard.size() == CBoard::NUM_CARDS)
                throw std::invalid_argument("the board does not hold a position of the game");
            m_apCard.push_back(pCard);
        }
    }
    const auto value = [](const CCard* pCard) { return pCard->m_nSuit * 13 + pCard->m_nRank; };
    std::stable_sort(m_apCard.begin(), m_apCard.end(),
                     [&value](const CCard* pA, const CCard* pB) { return value(pA) < value(pB); });
    int k = 0;
    for (int v = 0; v <= NUM_VALUES; ++v) {
        m_anFirst[v] = k;
        while (k < static_cast<int>(m_apCard.size()) && value(m_apCard[k]) == v)
            ++k;
    }
}

CSnapshot CBoardRelinker::Snapshot()
{
    m_board.SaveUndo();
    CSnapshot abSnapshot{};
    const int nUsed = static_cast<int>(m_apCard.size()) + CBoard::NUM_PILES;
    std::copy(std::begin(m_board.m_abUndo), std::begin(m_board.m_abUndo) + nUsed, abSnapshot.begin());
    return abSnapshot;
}

void CBoardRelinker::Lay(const CSnapshot& abSnapshot)
{
    std::array<int, NUM_VALUES> anNext;
    std::copy(m_anFirst.begin(), m_anFirst.end() - 1, anNext.begin());
    int k = 0;
    for (int nPile = 0; nPile < CBoard::NUM_PILES; ++nPile) {
        CCard** ppLink = &SnapshotPile(m_board, nPile);
        for (; abSnapshot[k] != CBoard::UNDO_SEPARATOR; ++k) {
            CCard* pCard = m_apCard[anNext[abSnapshot[k]]++];
            *ppLink = pCard;
            ppLink = &pCard->m_pNext;
        }
        *ppLink = nullptr;
        ++k;
    }
    m_board.m_nSelKind = CBoard::SEL_NONE;
}

bool CBoardRelinker::HoldsBothDecks() const
{
    for (int v = 0; v < NUM_VALUES; ++v) {
        if (m_anFirst[v + 1] - m_anFirst[v] != 2)
            return false;
    }
    return true;
}
