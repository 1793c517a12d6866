#include "view/CBoardView.h"

#include "res/Resource.h"

#include <cstdlib>

namespace {

constexpr COLORREF kCardMask = RGB(0, 255, 0);
constexpr COLORREF kInkMask = RGB(255, 255, 255);

// The board's grid, in board pixels: ten slots across, the top row of
// stock, waste and foundations, and the columns below it.
constexpr int kSlot = 24;
constexpr int kCardImageWidth = 24;
constexpr int kCardWidth = kCardImageWidth - 1;  // the image's last column is transparent
constexpr int kCardHeight = 28;
constexpr int kPipWidth = 6;
constexpr int kGlyphWidth = 5;
constexpr int kTopRowY = 1;  // the stock's top card and the foundations
// The stock and the waste show their top card and, as bands of two rows,
// up to two cards beneath it.
constexpr int kStackShown = 3;
constexpr int kBand = 2;
constexpr int kWasteX = kSlot;
constexpr int kWasteY = kTopRowY + kBand * (kStackShown - 1);
constexpr int kFoundationX = 2 * kSlot;
constexpr int kTopRowHeight = 28;  // taps above this row act on the top row
constexpr int kColumnsTop = 35;
constexpr int kFan = 10;
// A face's marks, from the card's top-left corner.
constexpr int kGlyphX = 10;
constexpr int kPipX = 16;
constexpr int kMarkY = 2;

constexpr int FoundationX(int f) { return kFoundationX + kSlot * f; }
constexpr int ColumnX(int c) { return kSlot * c; }
constexpr int ColumnCardY(int k) { return kColumnsTop + kFan * k; }

}  // namespace

constexpr MessageEntry CBoardView::s_entries[] = {
    OnPaintEntry<&CBoardView::OnPaint>(),
    OnLButtonDownEntry<&CBoardView::OnLButtonDown>(),
    OnLButtonUpEntry<&CBoardView::OnLButtonUp>(),
    OnLButtonDblClkEntry<&CBoardView::OnLButtonDblClk>(),
    OnCommandEntry<ID_GAME_DEAL, &CBoardView::OnGameDeal>(),
    OnCommandEntry<IDOK, &CBoardView::OnFileExit>(),
    OnCommandEntry<ID_GAME_UNDO, &CBoardView::OnGameUndo>(),
    OnUpdateCommandUIEntry<ID_GAME_UNDO, &CBoardView::OnUpdateGameUndo>(),
};
constexpr MessageTable CBoardView::s_messageTable{&CWnd::s_messageTable, s_entries};

const MessageTable* CBoardView::GetMessageMap() const { return &s_messageTable; }

CBoardView::CBoardView() = default;

// The board releases every card first, then the strips go in reverse order.
CBoardView::~CBoardView() = default;

bool CBoardView::BuildStrips()
{
    m_ilArrow.Create(IDB_ARROW, kCardImageWidth, 1, kCardMask);
    m_ilFace.Create(IDB_FACE, kCardImageWidth, 1, kCardMask);
    m_ilBack.Create(IDB_CARDBACK, kCardImageWidth, 1, kCardMask);
    m_ilFaceTop.Create(IDB_FACETOP, kCardImageWidth, 1, kCardMask);
    m_ilSuit.Create(IDB_SUITS, kPipWidth, 4, kInkMask);
    m_ilRank[0].Create(IDB_RANKS_BLACK, kGlyphWidth, 13, kInkMask);
    m_ilRank[1].Create(IDB_RANKS_RED, kGlyphWidth, 13, kInkMask);
    return true;
}

bool CBoardView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return false;
    // Double taps reach the board only through CS_DBLCLKS.
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, nullptr,
                                       SYS_COLOR_INDEX_FLAG | (COLOR_WINDOW + 1), nullptr);
    cs.style &= ~WS_BORDER;
    return true;
}

// ---------------------------------------------------------------------------
// Painting.

void InvertRectangle(CDC* pDC, CRect r)
{
    pDC->PatBlt(r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

void CBoardView::DrawFace(CDC* pDC, const CCard* pCard, int x, int y) const
{
    m_ilSuit.Draw(pDC, pCard->m_nSuit, {x + kPipX, y + kMarkY}, ILD_TRANSPARENT);
    m_ilRank[pCard->m_nSuit % 2].Draw(pDC, pCard->m_nRank, {x + kGlyphX, y + kMarkY}, ILD_TRANSPARENT);
}

void CBoardView::PaintBoard(CDC* pDC) const
{
    pDC->FillSolidRect(0, 0, kWidth, kHeight, kBackground);

    // The stock, face down: a back, with a band for each of two more cards.
    int stock = 0;
    for (const CCard* p = m_board.m_pStock; p && stock < kStackShown; p = p->m_pNext)
        ++stock;
    for (int i = stock - 1; i >= 0; --i)
        m_ilBack.Draw(pDC, 0, {0, kTopRowY + kBand * i}, ILD_NORMAL);

    // The waste: the top card's face below the edges of two more.
    int waste = 0;
    for (const CCard* p = m_board.m_pWaste; p && waste < kStackShown; p = p->m_pNext)
        ++waste;
    for (int i = waste - 1; i >= 1; --i)
        m_ilFaceTop.Draw(pDC, 0, {kWasteX, kWasteY - kBand * i}, ILD_TRANSPARENT);
    if (const CCard* w = m_board.m_pWaste) {
        m_ilFace.Draw(pDC, 0, {kWasteX, kWasteY}, ILD_NORMAL);
        DrawFace(pDC, w, kWasteX, kWasteY);
    }

    // The foundations: a back while empty, else the top card.
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        const int x = FoundationX(f);
        if (const CCard* t = m_board.m_apFoundation[f]) {
            m_ilFace.Draw(pDC, 0, {x, kTopRowY}, ILD_NORMAL);
            DrawFace(pDC, t, x, kTopRowY);
        } else {
            m_ilBack.Draw(pDC, 0, {x, kTopRowY}, ILD_NORMAL);
        }
    }

    // The columns, every card face up; covered cards show their top rows.
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        int k = 0;
        for (const CCard* p = m_board.m_apColumn[c]; p; p = p->m_pNext, ++k) {
            const int x = ColumnX(c);
            const int y = ColumnCardY(k);
            (p->m_pNext ? m_ilFaceTop : m_ilFace).Draw(pDC, 0, {x, y}, ILD_TRANSPARENT);
            DrawFace(pDC, p, x, y);
        }
    }

    // The selection, inverted over the cards' visible width: the top card,
    // or the run from its first card to the bottom of the column's last.
    switch (m_board.m_nSelKind) {
    case CBoard::SEL_WASTE:
        InvertRectangle(pDC, CRect::FromSize(kWasteX, kWasteY, kCardWidth, kCardHeight));
        break;
    case CBoard::SEL_FOUNDATION:
        InvertRectangle(pDC, CRect::FromSize(FoundationX(m_board.m_nSelPile), kTopRowY, kCardWidth, kCardHeight));
        break;
    case CBoard::SEL_COLUMN: {
        const int c = m_board.m_nSelPile;
        const int k = m_board.m_nSelCard;
        int m = 0;
        for (const CCard* p = m_board.CardAt(c, k); p; p = p->m_pNext)
            ++m;
        const int x = ColumnX(c);
        InvertRectangle(pDC, {x, ColumnCardY(k), x + kCardWidth, ColumnCardY(k + m - 1) + kCardHeight});
        break;
    }
    default:
        break;
    }
}

void CBoardView::Redraw()
{
    CDC* pDC = GetDC();
    CDC* pMemDC = new CDC;
    if (!pMemDC->CreateCompatibleDC(pDC)) {
        delete pMemDC;
        ReleaseDC(pDC);
        return;
    }
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, kWidth, kHeight);
    CBitmap* pOldBitmap = pMemDC->SelectObject(&bitmap);

    PaintBoard(pMemDC);
    pDC->BitBlt(0, 0, kWidth, kHeight, pMemDC, 0, 0, SRCCOPY);

    pMemDC->SelectObject(pOldBitmap);
    pMemDC->DeleteDC();
    delete pMemDC;
    ReleaseDC(pDC);

    if (!m_bAskingWin && m_board.IsWon())
        ShowWinPrompt();
}

void CBoardView::ShowWinPrompt()
{
    // The prompt's modal loop may deliver a paint to the board, whose redraw
    // would find the same won game and ask again, without end.
    m_bAskingWin = true;
    const int nAnswer = MessageBox("You have won the game. Congratulations!\n\nDeal again?", "Winner", MB_YESNO);
    m_bAskingWin = false;
    if (nAnswer == IDYES) {
        // The new game shows with the next redraw, such as the paint that
        // follows the prompt's closing.
        m_board.Deal();
        return;
    }
    std::exit(0);
}

void CBoardView::OnPaint()
{
    CPaintDC dc(this);
    Redraw();
}

// ---------------------------------------------------------------------------
// Taps. Each branch is one row of the tap table; the model does the work.

void CBoardView::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    // A point off the board (a wider window, a captured stylus) means nothing.
    if (point.x < 0 || point.x >= kWidth || point.y < 0)
        return;
    if (point.y < kTopRowHeight) {
        if (point.x < kSlot)
            TapStock();
        else if (point.x < kFoundationX)
            TapWaste();
        else if (point.x > kFoundationX)
            TapFoundation((point.x - kFoundationX) / kSlot);
        return;  // x = 48 belongs to nothing
    }
    if (point.y < kColumnsTop)
        return;  // the band between the rows
    const int c = point.x / kSlot;
    TapColumn(c, m_board.HitRow(c, (point.y - kColumnsTop) / kFan));
}

void CBoardView::TapStock()
{
    CBoard& b = m_board;
    b.m_nSelKind = CBoard::SEL_NONE;
    if (b.m_pStock) {
        b.SaveUndo();
        b.TurnStock();
    } else if (b.m_pWaste) {
        b.SaveUndo();  // once for the whole recycle
        b.RecycleWaste();
    }
    Redraw();
}

void CBoardView::TapWaste()
{
    CBoard& b = m_board;
    if (!b.m_pWaste)
        return;
    b.m_nSelKind = b.m_nSelKind == CBoard::SEL_WASTE ? CBoard::SEL_NONE : CBoard::SEL_WASTE;
    Redraw();
}

void CBoardView::TapFoundation(int f)
{
    CBoard& b = m_board;
    if (!b.m_apFoundation[f])
        return;  // an empty foundation takes nothing by a tap
    auto selectFoundation = [&] {
        b.m_nSelKind = CBoard::SEL_FOUNDATION;
        b.m_nSelPile = f;
    };
    switch (b.m_nSelKind) {
    case CBoard::SEL_FOUNDATION:
        if (b.m_nSelPile == f)
            b.m_nSelKind = CBoard::SEL_NONE;
        else
            selectFoundation();
        break;
    case CBoard::SEL_WASTE:
        if (b.FoundationAccepts(f, b.m_pWaste)) {
            b.SaveUndo();
            b.WasteToFoundation(f);
            b.m_nSelKind = CBoard::SEL_NONE;
        } else {
            selectFoundation();
        }
        break;
    case CBoard::SEL_COLUMN: {
        const CCard* h = b.CardAt(b.m_nSelPile, b.m_nSelCard);
        if (b.FoundationAccepts(f, h) && !h->m_pNext) {
            b.SaveUndo();
            b.CardToFoundation(b.m_nSelPile, b.m_nSelCard, f);
            b.m_nSelKind = CBoard::SEL_NONE;
        } else {
            selectFoundation();
        }
        break;
    }
    default:
        selectFoundation();
        break;
    }
    Redraw();
}

void CBoardView::Reselect(int c, int i)
{
    CBoard& b = m_board;
    if (b.IsRun(c, i)) {
        b.m_nSelKind = CBoard::SEL_COLUMN;
        b.m_nSelPile = c;
        b.m_nSelCard = i;
    } else {
        b.m_nSelKind = CBoard::SEL_NONE;
    }
}

void CBoardView::TapColumn(int c, int i)
{
    CBoard& b = m_board;
    const bool empty = b.m_apColumn[c] == nullptr;
    switch (b.m_nSelKind) {
    case CBoard::SEL_NONE:
        if (!b.IsRun(c, i))
            return;
        Reselect(c, i);
        break;
    case CBoard::SEL_WASTE: {
        const CCard* w = b.m_pWaste;
        if (empty && w->m_nRank != CBoard::RANK_KING)
            return;
        if (b.ColumnAccepts(c, w)) {
            b.SaveUndo();
            b.WasteToColumn(c);
            b.m_nSelKind = CBoard::SEL_NONE;
        } else {
            Reselect(c, i);
        }
        break;
    }
    case CBoard::SEL_FOUNDATION: {
        const CCard* t = b.m_apFoundation[b.m_nSelPile];
        if (b.ColumnAccepts(c, t)) {
            b.SaveUndo();
            b.FoundationToColumn(b.m_nSelPile, c);
            b.m_nSelKind = CBoard::SEL_NONE;
        } else if (empty) {
            b.m_nSelKind = CBoard::SEL_NONE;
        } else {
            Reselect(c, i);
        }
        break;
    }
    case CBoard::SEL_COLUMN: {
        if (c == b.m_nSelPile && i == b.m_nSelCard) {
            b.m_nSelKind = CBoard::SEL_NONE;
            break;
        }
        const CCard* h = b.CardAt(b.m_nSelPile, b.m_nSelCard);
        if (empty && h->m_nRank != CBoard::RANK_KING)
            return;
        if (b.ColumnAccepts(c, h)) {
            b.SaveUndo();
            b.RunToColumn(b.m_nSelPile, b.m_nSelCard, c);
            b.m_nSelKind = CBoard::SEL_NONE;
        } else {
            Reselect(c, i);
        }
        break;
    }
    default:
        return;
    }
    Redraw();
}

void CBoardView::OnLButtonUp(UINT nFlags, CPoint point)
{
    // Lifting the stylus does nothing: cards are never dragged.
    (void)nFlags;
    (void)point;
}

void CBoardView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (point.x < 0 || point.x >= kWidth || point.y < 0)
        return;
    CBoard& b = m_board;
    // The waste's own zone leaves out the tap region's first pixel column.
    if (point.y < kTopRowHeight && point.x > kWasteX && point.x < kFoundationX) {
        if (!b.m_pWaste)
            return;
        const int f = b.PickFoundation(b.m_pWaste);
        if (f == CBoard::NO_FOUNDATION)
            return;
        b.SaveUndo();
        b.WasteToFoundation(f);
        b.m_nSelKind = CBoard::SEL_NONE;
        Redraw();
        return;
    }
    if (point.y < kColumnsTop) {
        OnLButtonDown(nFlags, point);  // a second tap, nothing more
        return;
    }
    const int c = point.x / kSlot;
    const int i = b.HitRow(c, (point.y - kColumnsTop) / kFan);
    const CCard* card = b.CardAt(c, i);
    if (!card || card->m_pNext)
        return;
    const int f = b.PickFoundation(card);
    if (f == CBoard::NO_FOUNDATION)
        return;
    b.SaveUndo();
    b.CardToFoundation(c, i, f);
    b.m_nSelKind = CBoard::SEL_NONE;
    Redraw();
}

// ---------------------------------------------------------------------------
// Commands.

void CBoardView::OnGameDeal()
{
    if (MessageBox("Really deal again?", "Deal", MB_YESNO) != IDYES)
        return;
    m_board.Deal();
    Redraw();
}

void CBoardView::OnFileExit()
{
    if (MessageBox("Do you really wont to exit the game?", "Exit", MB_YESNO) == IDYES)
        std::exit(0);  // at once: nothing is closed or saved
}

void CBoardView::OnGameUndo()
{
    m_board.RestoreUndo();
    Redraw();
}

void CBoardView::OnUpdateGameUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_board.m_bCanUndo != 0); }
