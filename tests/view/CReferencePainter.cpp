#include "tests/view/CReferencePainter.h"

#include "tests/support/ArtworkFacts.h"

namespace {

constexpr int kCardWidth = 24;
constexpr int kCardHeight = 28;
constexpr int kFaceTopRows = 10;

using artwork::Grid;
using artwork::IsBackSilver;
using artwork::kGlyphs;
using artwork::kPips;

int CountPile(const CCard* pCard)
{
    int n = 0;
    for (; pCard; pCard = pCard->m_pNext)
        ++n;
    return n;
}

Pixel InkOf(int nSuit) { return nSuit % 2 ? CReferencePainter::kRed : CReferencePainter::kBlack; }

}  // namespace

void CReferencePainter::Put(CSurface& dst, int x, int y, Pixel p)
{
    if (x >= 0 && y >= 0 && x < dst.Width() && y < dst.Height())
        dst.Set(x, y, p);
}

CSurface CReferencePainter::CardImage(EFill fill)
{
    CSurface image(kCardWidth, kCardHeight, kNone);
    for (int row = 0; row < kCardHeight; ++row) {
        for (int col = 0; col < kCardWidth; ++col) {
            const bool edgeRow = row == 0 || row == kCardHeight - 1;
            const bool nextRow = row == 1 || row == kCardHeight - 2;
            bool transparent = col == 23;
            bool border = false;
            if (edgeRow) {
                transparent = transparent || col <= 1 || col >= 21;
                border = !transparent;
            } else if (nextRow) {
                transparent = transparent || col == 0 || col == 22;
                border = col == 1 || col == 21;
            } else {
                border = col == 0 || col == 22;
            }
            if (transparent)
                continue;
            Pixel p = kBlack;
            if (!border)
                p = fill == EFill::Face ? kWhite : (IsBackSilver(col, row) ? kSilver : kTeal);
            image.Set(col, row, p);
        }
    }
    return image;
}

void CReferencePainter::DrawCard(CSurface& dst, int x, int y, EFill fill, int nRows)
{
    // Worked out once for each fill.
    static const CSurface face = CardImage(EFill::Face);
    static const CSurface back = CardImage(EFill::Back);
    const CSurface& image = fill == EFill::Face ? face : back;
    for (int row = 0; row < nRows; ++row)
        for (int col = 0; col < kCardWidth; ++col)
            if (const Pixel p = image.Row(row)[col]; p != kNone)
                Put(dst, x + col, y + row, p);
}

void CReferencePainter::DrawFace(CSurface& dst, int x, int y) { DrawCard(dst, x, y, EFill::Face, kCardHeight); }

void CReferencePainter::DrawFaceTop(CSurface& dst, int x, int y) { DrawCard(dst, x, y, EFill::Face, kFaceTopRows); }

void CReferencePainter::DrawBack(CSurface& dst, int x, int y) { DrawCard(dst, x, y, EFill::Back, kCardHeight); }

void CReferencePainter::DrawGrid(CSurface& dst, std::string_view strGrid, Pixel ink, int x, int y)
{
    for (int k = 0; k < static_cast<int>(strGrid.size()); ++k)
        if (strGrid[static_cast<std::size_t>(k)] == '#')
            Put(dst, x + k % 5, y + k / 5, ink);
}

void CReferencePainter::DrawPip(CSurface& dst, int nSuit, int x, int y)
{
    const Grid& grid = kPips[static_cast<std::size_t>(nSuit)];
    for (int row = 0; row < 5; ++row)
        DrawGrid(dst, grid[static_cast<std::size_t>(row)], InkOf(nSuit), x, y + row);
    if (nSuit == 0)
        Put(dst, x + 2, y + 2, kNavy);  // the spade's one navy pixel
}

void CReferencePainter::DrawGlyph(CSurface& dst, int nSuit, int nRank, int x, int y)
{
    const Grid& grid = kGlyphs[static_cast<std::size_t>(nRank)];
    for (int row = 0; row < 5; ++row)
        DrawGrid(dst, grid[static_cast<std::size_t>(row)], InkOf(nSuit), x, y + row);
}

void CReferencePainter::Invert(CSurface& dst, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (x >= 0 && y >= 0 && x < dst.Width() && y < dst.Height())
                dst.Set(x, y, dst.At(x, y) ^ 0xFFFFFFu);
}

CSurface CReferencePainter::Paint(const CBoard& board)
{
    CSurface s(kWidth, kHeight, kBackground);

    // Face down, with a two-pixel band showing for each of two deeper cards.
    const int nStock = CountPile(board.m_pStock);
    if (nStock >= 3)
        DrawBack(s, 0, 5);
    if (nStock >= 2)
        DrawBack(s, 0, 3);
    if (nStock >= 1)
        DrawBack(s, 0, 1);

    // The top card's face, below the bare top edges of up to two more.
    const int nWaste = CountPile(board.m_pWaste);
    if (nWaste >= 3)
        DrawFaceTop(s, 24, 1);
    if (nWaste >= 2)
        DrawFaceTop(s, 24, 3);
    if (const CCard* w = board.m_pWaste) {
        DrawFace(s, 24, 5);
        DrawPip(s, w->m_nSuit, 40, 7);
        DrawGlyph(s, w->m_nSuit, w->m_nRank, 34, 7);
    }

    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        const int x = 48 + 24 * f;
        if (const CCard* t = board.m_apFoundation[f]) {
            DrawFace(s, x, 1);
            DrawPip(s, t->m_nSuit, x + 16, 3);
            DrawGlyph(s, t->m_nSuit, t->m_nRank, x + 10, 3);
        } else {
            DrawBack(s, x, 1);
        }
    }

    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        int k = 0;
        for (const CCard* p = board.m_apColumn[c]; p; p = p->m_pNext, ++k) {
            const int x = 24 * c;
            const int y = 35 + 10 * k;
            if (p->m_pNext)
                DrawFaceTop(s, x, y);
            else
                DrawFace(s, x, y);
            DrawPip(s, p->m_nSuit, x + 16, y + 2);
            DrawGlyph(s, p->m_nSuit, p->m_nRank, x + 10, y + 2);
        }
    }

    switch (board.m_nSelKind) {
    case CBoard::SEL_WASTE:
        Invert(s, 24, 5, 47, 33);
        break;
    case CBoard::SEL_FOUNDATION:
        Invert(s, 48 + 24 * board.m_nSelPile, 1, 71 + 24 * board.m_nSelPile, 29);
        break;
    case CBoard::SEL_COLUMN: {
        const int c = board.m_nSelPile;
        const int k = board.m_nSelCard;
        const int n = CountPile(board.m_apColumn[c]);
        // From the selected card's top to the bottom of the column's last card.
        Invert(s, 24 * c, 35 + 10 * k, 24 * c + 23, 35 + 10 * (n - 1) + 28);
        break;
    }
    default:
        break;
    }
    return s;
}
