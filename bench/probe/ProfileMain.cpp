// corvane_profile: repeats one measured operation a given number of times
// with callgrind collecting only inside it, so that instructions per
// operation come out exact and the same on every run, however busy the
// machine is. Run as
//   valgrind --tool=callgrind --collect-atstart=no corvane_profile CASE COUNT
// Cases: floor, redraw-fresh, redraw-crowded, tap-stock, tap-select, start-up.
// Outside valgrind it simply does the work.

#include "bench/CBenchSession.h"
#include "bench/CrowdedBoard.h"
#include "view/CBoardView.h"

#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Collect() { CALLGRIND_TOGGLE_COLLECT; }

int Fail(const char* what)
{
    std::fprintf(stderr, "corvane_profile: %s\n", what);
    return 1;
}

int Floor(int count)
{
    CSurface offScreen(CBoardView::kWidth, CBoardView::kHeight);
    CSurface screen(CBoardView::kWidth, CBoardView::kHeight);
    const Pixel background = PixelFromColorRef(CBoardView::kBackground);
    Collect();
    for (int i = 0; i < count; ++i) {
        std::fill(offScreen.Pixels().begin(), offScreen.Pixels().end(), background);
        std::copy(offScreen.Pixels().begin(), offScreen.Pixels().end(), screen.Pixels().begin());
    }
    Collect();
    return screen.Pixels()[0] == background ? 0 : Fail("the floor copied nothing");
}

int Redraw(int count, bool crowd)
{
    CBenchSession session;
    bool laid = true;
    const bool ran = session.RunWhenIdle([&](CBenchSession& s) {
        CBoardView& view = s.Frame()->m_wndBoard;
        if (crowd && !crowded::Lay(view.Board())) {
            laid = false;
            return;
        }
        Collect();
        for (int i = 0; i < count; ++i)
            view.Redraw();
        Collect();
    });
    if (!laid)
        return Fail("the crowded board could not be laid");
    return ran ? 0 : Fail("the program did not start and end cleanly");
}

// From each press handed over until the frame after it is presented: the
// first wait after a press comes right after that frame.
int Tap(int count, CPoint boardPt)
{
    CBenchSession session;
    CBenchHost& host = session.Host();
    const CPoint pt = CBenchSession::BoardPoint(boardPt.x, boardPt.y);
    int pressed = 0;
    bool releaseDue = false;
    bool collecting = false;
    host.SetFeeder([&](CInputEvent& ev) {
        ev.pt = pt;
        if (collecting) {
            Collect();
            collecting = false;
        }
        if (releaseDue) {
            releaseDue = false;
            ev.kind = CInputEvent::Kind::Release;
            return true;
        }
        if (pressed == count)
            return false;
        ++pressed;
        ev.kind = CInputEvent::Kind::Press;
        releaseDue = collecting = true;
        Collect();
        return true;
    });
    return session.Run() ? 0 : Fail("the program did not end cleanly");
}

int StartUp(int count)
{
    for (int i = 0; i < count; ++i) {
        Collect();
        bool first = true;
        CBenchSession session;
        session.Host().SetFeeder([&](CInputEvent&) {
            // The first wait comes right after the first frame.
            if (first) {
                Collect();
                first = false;
            }
            return false;
        });
        if (!session.Run())
            return Fail("the program did not end cleanly");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: corvane_profile floor|redraw-fresh|redraw-crowded|tap-stock|tap-select|start-up COUNT");
    const std::string what = argv[1];
    const int count = std::atoi(argv[2]);
    if (count <= 0)
        return Fail("COUNT must be a positive number");
    if (what == "floor")
        return Floor(count);
    if (what == "redraw-fresh")
        return Redraw(count, false);
    if (what == "redraw-crowded")
        return Redraw(count, true);
    if (what == "tap-stock")
        return Tap(count, {12, 14});
    if (what == "tap-select")
        return Tap(count, {9 * 24 + 12, 35 + 10 * 9 + 14});
    if (what == "start-up")
        return StartUp(count);
    return Fail("unknown case");
}
