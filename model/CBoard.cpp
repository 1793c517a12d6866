#include "model/CBoard.h"

#include "platform/runtime/Runtime.h"

#include <utility>

namespace {

constexpr int NUM_SWAPS = 100;
constexpr int NUM_STOCK_FIRST = 55;  // positions 0-54 go to the columns

// Suits 0 and 2 are black, 1 and 3 red.
bool SameColour(const CCard& a, const CCard& b) { return a.m_nSuit % 2 == b.m_nSuit % 2; }

CCard* LastCard(CCard* pCard)
{
    if (pCard == nullptr)
        return nullptr;
    while (pCard->m_pNext != nullptr)
        pCard = pCard->m_pNext;
    return pCard;
}

void FreePile(CCard*& pHead)
{
    while (pHead != nullptr) {
        CCard* pCard = pHead;
        pHead = pCard->m_pNext;
        delete pCard;
    }
}

// Deal value v stands for suit v / 26 and rank v % 13: each suit takes 26
// consecutive values holding every rank twice.
CCard* NewCardFromValue(int nValue)
{
    return new CCard(static_cast<std::uint8_t>(nValue / 26), static_cast<std::uint8_t>(nValue % 13));
}

}  // namespace

CBoard::CBoard()
    : m_pStock(nullptr), m_pWaste(nullptr), m_apColumn{}, m_apFoundation{}, m_abUndo{},
      m_bCanUndo(0), m_nSelKind(SEL_NONE), m_nSelPile(0), m_nSelCard(0)
{
    // Nothing selected and every pile empty before the first deal.
    Deal();
    SaveUndo();
    m_bCanUndo = 0;
}

CBoard::~CBoard() { FreeAllCards(); }

void CBoard::Deal()
{
    crt::srand(static_cast<std::uint32_t>(crt::time()));

    int anValue[NUM_CARDS];
    for (int i = 0; i < NUM_CARDS; ++i)
        anValue[i] = i;
    for (int n = 0; n < NUM_SWAPS; ++n) {
        // Two separate statements: i is drawn before j.
        const int i = crt::rand() % NUM_CARDS;
        const int j = crt::rand() % NUM_CARDS;
        std::swap(anValue[i], anValue[j]);
    }

    // The old game goes only once the new order is known.
    FreeAllCards();

    int nPos = 0;
    for (int c = 0; c < NUM_COLUMNS; ++c) {
        // Pushing at the front: the first value taken ends as the exposed card.
        for (int k = 0; k <= c; ++k) {
            CCard* pCard = NewCardFromValue(anValue[nPos + k]);
            pCard->m_pNext = m_apColumn[c];
            m_apColumn[c] = pCard;
        }
        nPos += c + 1;
    }
    for (nPos = NUM_STOCK_FIRST; nPos < NUM_CARDS; ++nPos) {
        CCard* pCard = NewCardFromValue(anValue[nPos]);
        pCard->m_pNext = m_pStock;
        m_pStock = pCard;
    }

    m_nSelKind = SEL_NONE;
}

void CBoard::FreeAllCards()
{
    for (CCard*& pFoundation : m_apFoundation)
        FreePile(pFoundation);
    for (CCard*& pColumn : m_apColumn)
        FreePile(pColumn);
    FreePile(m_pStock);
    FreePile(m_pWaste);
}

CCard* CBoard::CardAt(int nColumn, int nIndex) const
{
    if (!IsColumn(nColumn) || nIndex < 0)
        return nullptr;
    CCard* pCard = m_apColumn[nColumn];
    for (int i = 0; i < nIndex && pCard != nullptr; ++i)
        pCard = pCard->m_pNext;
    return pCard;
}

int CBoard::HitRow(int nColumn, int nRow) const
{
    if (nRow <= 0 || CardAt(nColumn, 0) == nullptr)
        return 0;
    // A row beyond the column's end means its last card.
    int nIndex = 0;
    for (const CCard* pCard = m_apColumn[nColumn]; pCard->m_pNext != nullptr && nIndex < nRow;
         pCard = pCard->m_pNext)
        ++nIndex;
    return nIndex;
}

bool CBoard::IsRun(int nColumn, int nIndex) const
{
    const CCard* pA = CardAt(nColumn, nIndex);
    if (pA == nullptr)
        return false;
    for (const CCard* pB = pA->m_pNext; pB != nullptr; pA = pB, pB = pB->m_pNext) {
        if (pB->m_nRank + 1 != pA->m_nRank || SameColour(*pA, *pB))
            return false;
    }
    return true;
}

bool CBoard::ColumnAccepts(int nColumn, const CCard* pCard) const
{
    if (pCard == nullptr || !IsColumn(nColumn))
        return false;
    const CCard* pExposed = LastCard(m_apColumn[nColumn]);
    if (pExposed == nullptr)
        return pCard->m_nRank == RANK_KING;
    return pCard->m_nRank + 1 == pExposed->m_nRank && !SameColour(*pCard, *pExposed);
}

bool CBoard::FoundationAccepts(int nFoundation, const CCard* pCard) const
{
    if (pCard == nullptr || !IsFoundation(nFoundation))
        return false;
    // An empty foundation refuses even an Ace: only a double tap starts one.
    const CCard* pTop = m_apFoundation[nFoundation];
    if (pTop == nullptr)
        return false;
    return pCard->m_nSuit == pTop->m_nSuit && pCard->m_nRank == pTop->m_nRank + 1;
}

int CBoard::PickFoundation(const CCard* pCard) const
{
    if (pCard == nullptr || pCard->m_nSuit >= NUM_FOUNDATIONS / 2)
        return NO_FOUNDATION;
    const int nA = 2 * pCard->m_nSuit;
    const int nB = nA + 1;
    if (pCard->m_nRank == RANK_ACE) {
        if (m_apFoundation[nA] == nullptr)
            return nA;
        // Only two Aces per suit exist, so the second always finds b empty;
        // the test keeps a damaged board from stacking an Ace on a card.
        return m_apFoundation[nB] == nullptr ? nB : NO_FOUNDATION;
    }
    // The pair fills from its first foundation: with a empty, b is not tried.
    if (m_apFoundation[nA] == nullptr)
        return NO_FOUNDATION;
    if (m_apFoundation[nA]->m_nRank + 1 == pCard->m_nRank)
        return nA;
    if (m_apFoundation[nB] != nullptr && m_apFoundation[nB]->m_nRank + 1 == pCard->m_nRank)
        return nB;
    return NO_FOUNDATION;
}

bool CBoard::IsWon() const
{
    if (m_pStock != nullptr || m_pWaste != nullptr)
        return false;
    for (int c = 0; c < NUM_COLUMNS; ++c) {
        if (m_apColumn[c] != nullptr && !IsRun(c, 0))
            return false;
    }
    return true;
}

void CBoard::TurnStock()
{
    CCard* pCard = m_pStock;
    if (pCard == nullptr)
        return;
    m_pStock = pCard->m_pNext;
    pCard->m_pNext = m_pWaste;
    m_pWaste = pCard;
}

void CBoard::RecycleWaste()
{
    // Card by card: the waste's bottom card, the first one turned, ends on top.
    while (m_pWaste != nullptr) {
        CCard* pCard = m_pWaste;
        m_pWaste = pCard->m_pNext;
        pCard->m_pNext = m_pStock;
        m_pStock = pCard;
    }
}

void CBoard::WasteToColumn(int nColumn)
{
    CCard* pCard = m_pWaste;
    if (pCard == nullptr || !IsColumn(nColumn))
        return;
    m_pWaste = pCard->m_pNext;
    pCard->m_pNext = nullptr;
    AppendToColumn(nColumn, pCard);
}

void CBoard::WasteToFoundation(int nFoundation)
{
    CCard* pCard = m_pWaste;
    if (pCard == nullptr || !IsFoundation(nFoundation))
        return;
    m_pWaste = pCard->m_pNext;
    pCard->m_pNext = m_apFoundation[nFoundation];
    m_apFoundation[nFoundation] = pCard;
}

void CBoard::RunToColumn(int nSrcColumn, int nIndex, int nDstColumn)
{
    // A run laid behind its own column's last card would link the list into
    // a ring.
    if (!IsColumn(nSrcColumn) || !IsColumn(nDstColumn) || nSrcColumn == nDstColumn)
        return;
    CCard* pRun = CutColumn(nSrcColumn, nIndex);
    if (pRun != nullptr)
        AppendToColumn(nDstColumn, pRun);
}

void CBoard::CardToFoundation(int nColumn, int nIndex, int nFoundation)
{
    CCard* pCard = CardAt(nColumn, nIndex);
    // Only the exposed card may go: a covered one would take the cards below
    // it out of every pile.
    if (pCard == nullptr || pCard->m_pNext != nullptr || !IsFoundation(nFoundation))
        return;
    CutColumn(nColumn, nIndex);
    pCard->m_pNext = m_apFoundation[nFoundation];
    m_apFoundation[nFoundation] = pCard;
}

void CBoard::FoundationToColumn(int nFoundation, int nColumn)
{
    if (!IsFoundation(nFoundation) || !IsColumn(nColumn))
        return;
    CCard* pCard = m_apFoundation[nFoundation];
    if (pCard == nullptr)
        return;
    m_apFoundation[nFoundation] = pCard->m_pNext;
    pCard->m_pNext = nullptr;
    AppendToColumn(nColumn, pCard);
}

void CBoard::SaveUndo()
{
    m_bCanUndo = 1;
    int k = 0;
    for (int nPile = 0; nPile < NUM_PILES; ++nPile) {
        // Room is kept for every separator still to come, so even a board
        // holding too many cards leaves a snapshot that reads back whole.
        const int nRoom = UNDO_SIZE - (NUM_PILES - nPile);
        for (const CCard* pCard = SnapshotPile(nPile); pCard != nullptr && k < nRoom;
             pCard = pCard->m_pNext)
            m_abUndo[k++] = static_cast<std::uint8_t>(pCard->m_nSuit * 13 + pCard->m_nRank);
        m_abUndo[k++] = UNDO_SEPARATOR;
    }
}

void CBoard::RestoreUndo()
{
    m_bCanUndo = 0;
    // The buffer is public: a damaged one leaves the game as it is rather
    // than reading past its end or making impossible cards.
    if (!IsUndoReadable())
        return;

    FreeAllCards();
    int k = 0;
    for (int nPile = 0; nPile < NUM_PILES; ++nPile) {
        CCard*& pHead = SnapshotPile(nPile);
        CCard* pTail = nullptr;
        // Appending keeps the snapshot's order: its first byte is the first card.
        for (; m_abUndo[k] != UNDO_SEPARATOR; ++k) {
            CCard* pCard = new CCard(static_cast<std::uint8_t>(m_abUndo[k] / 13),
                                     static_cast<std::uint8_t>(m_abUndo[k] % 13));
            if (pTail == nullptr)
                pHead = pCard;
            else
                pTail->m_pNext = pCard;
            pTail = pCard;
        }
        ++k;
    }
    m_nSelKind = SEL_NONE;
}

CCard*& CBoard::SnapshotPile(int nPile)
{
    if (nPile == 0)
        return m_pStock;
    if (nPile == 1)
        return m_pWaste;
    if (nPile < 2 + NUM_FOUNDATIONS)
        return m_apFoundation[nPile - 2];
    return m_apColumn[nPile - 2 - NUM_FOUNDATIONS];
}

bool CBoard::IsUndoReadable() const
{
    int nSeparators = 0;
    for (int k = 0; k < UNDO_SIZE && nSeparators < NUM_PILES; ++k) {
        if (m_abUndo[k] == UNDO_SEPARATOR)
            ++nSeparators;
        else if (m_abUndo[k] >= 4 * 13)
            return false;
    }
    return nSeparators == NUM_PILES;
}

CCard* CBoard::CutColumn(int nColumn, int nIndex)
{
    if (!IsColumn(nColumn) || nIndex < 0)
        return nullptr;
    if (nIndex == 0) {
        CCard* pCards = m_apColumn[nColumn];
        m_apColumn[nColumn] = nullptr;
        return pCards;
    }
    CCard* pBefore = CardAt(nColumn, nIndex - 1);
    if (pBefore == nullptr)
        return nullptr;
    CCard* pCards = pBefore->m_pNext;
    pBefore->m_pNext = nullptr;
    return pCards;
}

void CBoard::AppendToColumn(int nColumn, CCard* pCards)
{
    CCard* pLast = LastCard(m_apColumn[nColumn]);
    if (pLast == nullptr)
        m_apColumn[nColumn] = pCards;
    else
        pLast->m_pNext = pCards;
}
