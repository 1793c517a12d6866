#include "tests/soak/CSoakMonitor.h"
#include "tests/support/CAppSession.h"

#include <gtest/gtest.h>

namespace {

bool Mentions(const std::vector<std::string>& problems, const std::string& text)
{
    for (const std::string& p : problems)
        if (p.find(text) != std::string::npos)
            return true;
    return false;
}

// The whole program, idle after its first paint, holds up; a stale pixel on
// the board and an Undo button that has not caught up are caught.
TEST(SoakMonitor, FindsAStaleScreenAndAStaleUndoButton)
{
    CAppSession s;
    s.Run();
    CSoakMonitor monitor;
    const std::vector<std::string> clean = monitor.Inspect(s.Host().Framebuffer());
    EXPECT_TRUE(clean.empty()) << (clean.empty() ? "" : clean.front());

    CSurface stale = s.Host().Framebuffer();
    const CPoint card = CAppSession::BoardPoint(5, 40);
    stale.Set(card.x, card.y, stale.At(card.x, card.y) ^ 0xFFFFFF);
    EXPECT_TRUE(Mentions(monitor.Inspect(stale), "the screen shows a stale board: 1 pixels differ"));

    s.Game().m_bCanUndo = 1;
    EXPECT_TRUE(Mentions(monitor.Inspect(s.Host().Framebuffer()), "the Undo button is disabled, yet Undo is possible"));
}

}  // namespace
