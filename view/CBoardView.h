#pragma once
// The board window: it holds the game, turns taps and double taps into
// selections and moves, and paints the whole board off screen on every change.

#include "model/CBoard.h"
#include "platform/fw/CCmdUI.h"
#include "platform/fw/CDC.h"
#include "platform/fw/CImageList.h"
#include "platform/fw/CWnd.h"

class CBoardView : public CWnd {
public:
    CBoardView();
    ~CBoardView() override;

    const MessageTable* GetMessageMap() const override;
    bool PreCreateWindow(CREATESTRUCT& cs) override;

    // Paints the board into the off-screen surface, inverts the selection,
    // shows it in one copy, then asks whether the game is won.
    void Redraw();
    // The off-screen picture alone (steps 3 to 5 of a redraw): background,
    // piles, selection.
    void PaintBoard(CDC* pDC) const;

    CBoard& Board() { return m_board; }
    const CBoard& Board() const { return m_board; }

    static constexpr int kWidth = 240;
    static constexpr int kHeight = 320;
    static constexpr COLORREF kBackground = RGB(0, 160, 0);

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

    // The image strips, in member order, before the game.
    // The arrow tile (bitmap 135) is part of the game's artwork and is built
    // first, like the others, but nothing in the game draws it: the board
    // has no place for it. It stays so that the strips, their bitmaps and
    // the order they are built in are the game's own.
    CImageList m_ilArrow;
    CImageList m_ilFace;
    CImageList m_ilBack;
    CImageList m_ilFaceTop;
    CImageList m_ilSuit;
    CImageList m_ilRank[2];

private:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnGameDeal();
    void OnFileExit();
    void OnGameUndo();
    void OnUpdateGameUndo(CCmdUI* pCmdUI);

    bool BuildStrips();
    void TapStock();
    void TapWaste();
    void TapFoundation(int f);
    void TapColumn(int c, int i);
    void Reselect(int c, int i);
    // The pip and the glyph of a face-up card whose image is at (x, y).
    void DrawFace(CDC* pDC, const CCard* pCard, int x, int y) const;
    void ShowWinPrompt();

    // Built in member order before the board deals its first game.
    const bool m_bStripsBuilt = BuildStrips();
    CBoard m_board;
    // Set while the win prompt waits for its answer: a paint meanwhile
    // redraws the board without asking again.
    bool m_bAskingWin = false;
};

// Inverts the block of r; right and bottom are exclusive.
void InvertRectangle(CDC* pDC, CRect r);
