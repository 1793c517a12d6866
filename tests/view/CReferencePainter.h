#pragma once
// A second painter of the board, kept apart from the view: the card artwork is
// drawn up here from its own pixel grids (card outline, face, back ornament,
// pips, glyphs) and laid out by the board's geometry, so that a picture the
// view paints can be checked against one made without any of its code or its
// bitmaps.

#include "model/CBoard.h"
#include "platform/gfx/CSurface.h"

#include <string_view>

class CReferencePainter {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 320;

    static constexpr Pixel kBackground = PixelFromRGB(0, 160, 0);
    static constexpr Pixel kBlack = PixelFromRGB(0, 0, 0);
    static constexpr Pixel kNavy = PixelFromRGB(0, 0, 128);
    static constexpr Pixel kTeal = PixelFromRGB(0, 128, 128);
    static constexpr Pixel kSilver = PixelFromRGB(192, 192, 192);
    static constexpr Pixel kRed = PixelFromRGB(255, 0, 0);
    static constexpr Pixel kWhite = PixelFromRGB(255, 255, 255);

    // The whole board with its selection, as the off-screen picture has it.
    static CSurface Paint(const CBoard& board);

    // The pieces, each drawn at (x, y) of dst; transparent pixels are left.
    static void DrawFace(CSurface& dst, int x, int y);
    static void DrawFaceTop(CSurface& dst, int x, int y);
    static void DrawBack(CSurface& dst, int x, int y);
    static void DrawPip(CSurface& dst, int nSuit, int x, int y);
    static void DrawGlyph(CSurface& dst, int nSuit, int nRank, int x, int y);
    // Inverts every pixel of the block; right and bottom exclusive.
    static void Invert(CSurface& dst, int left, int top, int right, int bottom);

private:
    enum class EFill { Face, Back };
    // Marks a transparent pixel of a card image: no screen pixel has it.
    static constexpr Pixel kNone = 0xFF000000u;
    // The 24 x 28 card: outline, cut corners, transparent last column, and the
    // interior.
    static CSurface CardImage(EFill fill);
    // Draws the card's rows above nRows.
    static void DrawCard(CSurface& dst, int x, int y, EFill fill, int nRows);
    // A 5 x 5 grid of '#' ink on '.' white, the white left undrawn.
    static void DrawGrid(CSurface& dst, std::string_view strGrid, Pixel ink, int x, int y);
    static void Put(CSurface& dst, int x, int y, Pixel p);
};
