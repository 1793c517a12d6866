// The pictures in docs/ (the README's and the metainfo's screenshots) are
// the headless host's screen of a pinned game, twice the screen's size. When
// the program's look changes they go stale and this fails; refresh them with
//   cmake --build BUILD --target screenshots

#include "tests/app/AppScript.h"

#include "platform/gfx/Raster.h"
#include "platform/win/Text.h"
#include "res/Resource.h"
#include "tests/platform/support/PngReader.h"
#include "tools/png/PngWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace apptest;

constexpr int kFactor = 2;

CSurface Enlarged(const CSurface& screen)
{
    CSurface out(screen.Width() * kFactor, screen.Height() * kFactor);
    raster::Scale(screen, screen.Bounds(), kFactor, out.Pixels().data(), out.Width());
    return out;
}

// The board of a game under way: the stock turned once, the 7 of diamonds
// (column 2's exposed card) selected.
CSurface BoardUnderWay()
{
    CAppSession s;
    s.Host().Tap(CAppSession::BoardPoint(10, 10));
    s.Host().Tap(CAppSession::BoardPoint(2 * 24 + 10, 35 + 2 * 10 + 14));
    s.Run();
    return Enlarged(s.Host().Framebuffer());
}

// The About dialog over the fresh deal, its Rules button tapped.
CSurface AboutWithTheRules()
{
    CAppSession s;
    TapToolButton(s, kAboutButton);
    s.Host().TapAt([] { return CAppSession::CentreOf(GetDlgItem(TopWindow(), IDC_RULES_BUTTON)); },
                   "the Rules button");
    CSurface shown;
    Inspect(s, [&] { shown = s.Host().Framebuffer(); });
    TapCaptionOk(s);
    s.Run();
    return Enlarged(shown);
}

struct Screenshot {
    const char* file;
    CSurface (*draw)();
};

const Screenshot kScreenshots[] = {
    {"screenshot-board.png", BoardUnderWay},
    {"screenshot-about.png", AboutWithTheRules},
};

TEST(Screenshots, TheDocsPicturesAreWhatTheProgramShows)
{
    // The refresh target sets this to write the pictures instead.
    const bool write = std::getenv("CORVANE_WRITE_SCREENSHOTS") != nullptr;
    for (const Screenshot& shot : kScreenshots) {
        SCOPED_TRACE(shot.file);
        const CSurface picture = shot.draw();
        ASSERT_EQ(picture.Width(), 480);
        ASSERT_EQ(picture.Height(), 640);
        const std::string path = std::string(CORVANE_DOCS_DIR) + "/" + shot.file;
        std::string error;
        if (write) {
            ASSERT_TRUE(WritePng(picture, path, &error)) << error;
            continue;
        }
        const auto kept = ReadPng(path, &error);
        ASSERT_TRUE(kept) << error;
        if (*kept == picture)
            continue;
        const std::string fresh = testing::TempDir() + shot.file;
        WritePng(picture, fresh);
        ADD_FAILURE() << path << " is stale: the program now shows " << fresh
                      << "; cmake --build BUILD --target screenshots refreshes it";
    }
}

// The two pictures differ from each other and from the fresh deal, so that
// neither passes by showing nothing that happened.
TEST(Screenshots, ShowWhatTheirScriptsDid)
{
    // One program at a time: the window system is the process's own.
    const CSurface fresh = [] {
        CAppSession s;
        s.Run();
        return Enlarged(s.Host().Framebuffer());
    }();
    const CSurface board = BoardUnderWay();
    const CSurface about = AboutWithTheRules();
    EXPECT_FALSE(board == fresh);
    EXPECT_FALSE(about == fresh);
    EXPECT_FALSE(about == board);
}

}  // namespace
