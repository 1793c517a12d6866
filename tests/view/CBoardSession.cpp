#include "tests/view/CBoardSession.h"

#include "tests/view/CReferencePainter.h"
#include "tests/view/PictureCheck.h"

#include <exception>

CBoardSession::CBoardSession(std::int64_t nSecond) : CAppSession(nSecond)
{
    // The start-up shows the window and answers its first paint.
    Run();
}

::testing::AssertionResult CBoardSession::Lay(const testboard::CLayout& layout, const CSelection& selection)
{
    if (auto result = testboard::Lay(Game(), layout); !result)
        return result;
    selection.ApplyTo(Game());
    return ::testing::AssertionSuccess();
}

void CBoardSession::Scribble()
{
    CClientDC dc(&Board());
    dc.FillSolidRect(0, 0, CBoardView::kWidth, CBoardView::kHeight, kScribble);
}

::testing::AssertionResult CBoardSession::Play()
{
    try {
        Run();
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure() << e.what();
    }
    if (Ended())
        return ::testing::AssertionFailure() << "the program ended";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CBoardSession::TapBoard(CPoint pt)
{
    Host().Tap(BoardPoint(pt.x, pt.y));
    return Play();
}

::testing::AssertionResult CBoardSession::SendToBoard(UINT message, CPoint pt)
{
    Board().SendMessage(message, MK_LBUTTON, LParamFromPoint(pt));
    return Play();
}

void CBoardSession::Watch()
{
    Game().m_bCanUndo = 0;
    m_abWatched = testboard::SnapshotOf(Game());
    m_strUndoWatched = testboard::UndoHex(Game());
    Scribble();
}

::testing::AssertionResult CBoardSession::Outcome(const testboard::CLayout& after, const CSelection& selection,
                                                  bool bSnapshot, bool bRedraw) const
{
    const CBoard& b = Game();
    auto failure = ::testing::AssertionFailure();
    bool bFailed = false;
    const auto fail = [&]() -> ::testing::AssertionResult& {
        failure << (bFailed ? "\n" : "");
        bFailed = true;
        return failure;
    };
    if (const testboard::CLayout now = testboard::Describe(b); now != after)
        fail() << "the position is\n" << testboard::FormatLayout(now) << "instead of\n" << testboard::FormatLayout(after);
    if (CSelection::Of(b) != selection)
        fail() << "the selection is " << ::testing::PrintToString(CSelection::Of(b)) << " instead of "
               << ::testing::PrintToString(selection);
    // A laid position holds fewer than 104 cards: its snapshot fills the
    // buffer's start only.
    const std::string strUndo = testboard::UndoHex(b);
    if (bSnapshot && (b.m_bCanUndo != 1 || strUndo.substr(0, 2 * m_abWatched.size()) != testboard::Hex(m_abWatched)))
        fail() << "no snapshot of the position before (Undo flag " << b.m_bCanUndo << ")";
    if (!bSnapshot && (b.m_bCanUndo != 0 || strUndo != m_strUndoWatched))
        fail() << "a snapshot was written (Undo flag " << b.m_bCanUndo << ")";
    if (bRedraw) {
        if (auto shown = ShowsBoard("redrawn"); !shown)
            fail() << shown.message();
    } else if (!ShowsScribble()) {
        fail() << "the board was drawn again";
    }
    return bFailed ? failure : ::testing::AssertionSuccess();
}

void CBoardSession::AnswerWinPrompt(const std::string& strButton, std::function<void(HWND)> onSeen)
{
    Host().TapAt(
        [strButton, onSeen]() -> std::optional<CPoint> {
            const HWND box = FindWindowByText("Winner");
            if (!box)
                return std::nullopt;
            if (onSeen)
                onSeen(box);
            return CentreOf(FindChildByText(box, strButton));
        },
        "the " + strButton + " button of the win prompt");
}

CSurface CBoardSession::Expected() const
{
    const CRect r = GetWindowRect(Board().m_hWnd);
    return viewcheck::Crop(CReferencePainter::Paint(Game()), {0, 0, r.Width(), r.Height()});
}

::testing::AssertionResult CBoardSession::ShowsBoard(const std::string& strWhat) const
{
    return viewcheck::SamePicture(ShownBoard(), Expected(), strWhat);
}

bool CBoardSession::ShowsScribble() const
{
    const Pixel scribble = PixelFromColorRef(kScribble);
    const CSurface shown = ShownBoard();
    for (Pixel p : shown.Pixels())
        if (p != scribble)
            return false;
    return true;
}
