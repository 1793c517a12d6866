// The corvane executable itself: its window under Xvfb, tapped with
// xdotool, its clock pinned by faketime, compared pixel for pixel with the
// headless host playing the same game.

#include "tests/e2e/CChildProcess.h"
#include "tests/e2e/CDesktopScript.h"
#include "tests/e2e/CScriptedWindow.h"
#include "tests/e2e/CTempDir.h"
#include "tests/e2e/CXClient.h"
#include "tests/e2e/CXvfb.h"
#include "tests/e2e/PinnedClock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kScreenWidth = CScriptedWindow::kScreenWidth;
constexpr int kScreenHeight = CScriptedWindow::kScreenHeight;

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

class DesktopWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string why;
        if (!m_xvfb.Start(&why))
            GTEST_SKIP() << "the window cannot be tested here: " << why;
        m_pX = std::make_unique<CXClient>(m_xvfb.Display());
        ASSERT_TRUE(m_pX->IsOpen()) << "cannot reach " << m_xvfb.Display();
        ASSERT_FALSE(m_dir.Path().empty());
        ASSERT_FALSE(FaketimeLibrary().empty()) << "faketime is missing (tools/deps.sh installs it)";
        m_strClock = m_dir.Path() + "/clock";
        m_strOutput = m_dir.Path() + "/output";
    }

    void TearDown() override
    {
        if (m_program.Running()) {
            m_program.Stop();
            ADD_FAILURE() << "corvane was still running; its output:\n" << Output();
        }
    }

    std::string Output() const { return CChildProcess::ReadFile(m_strOutput); }

    // Starts corvane at the script's first second and waits for its window.
    void Launch()
    {
        WriteClock(m_strClock, CDesktopScript::kFirstSecond);
        CChildProcess::Environment env = PinnedClockEnvironment(m_strClock);
        env["DISPLAY"] = m_xvfb.Display();
        env["WAYLAND_DISPLAY"] = "";  // the X server under test, whatever the session
        env["SDL_VIDEODRIVER"] = "";
        std::string error;
        // CORVANE_E2E_PROGRAM tests another build of corvane, the packaged one.
        const char* program = std::getenv("CORVANE_E2E_PROGRAM");
        ASSERT_TRUE(m_program.Start({program ? program : CORVANE_EXE}, env, m_strOutput, &error)) << error;
        const auto until = Clock::now() + 15s;
        std::optional<CXClient::WindowId> window;
        while (!window && m_program.Running() && Clock::now() < until)
            window = m_pX->FindWindow("Corvane", 100ms);
        const auto status = m_program.Wait(0ms);
        ASSERT_TRUE(window) << "no window titled Corvane appeared; corvane "
                            << (status ? "ended with status " + std::to_string(*status) : std::string("runs"))
                            << " and said:\n"
                            << Output();
        m_window = *window;
        m_pWindow = std::make_unique<CScriptedWindow>(*m_pX, m_xvfb.Display(), m_window, m_strClock, E2E_OUTPUT_DIR);
    }

    void Tap(CPoint pt, bool twice = false) { m_pWindow->Tap(pt, twice); }
    void TapWindow(CPoint windowPt, bool twice = false) { m_pWindow->TapWindow(windowPt, twice); }
    ::testing::AssertionResult Shows(const CSurface& expected, const std::string& name)
    {
        return m_pWindow->Shows(expected, name);
    }
    void Play(const CDesktopScript& script, const std::string& last = "") { m_pWindow->Play(script, last); }

    // Closes the host window as a window manager would; the program must end
    // the ordinary way.
    void CloseAndExpectStatusZero()
    {
        ASSERT_TRUE(m_pX->RequestClose(m_window));
        const auto status = m_program.Wait(10s);
        ASSERT_TRUE(status) << "corvane did not end when its window was closed";
        EXPECT_EQ(*status, 0) << Output();
    }

    CXvfb m_xvfb;
    CTempDir m_dir;
    std::unique_ptr<CXClient> m_pX;
    CChildProcess m_program;
    CXClient::WindowId m_window = 0;
    std::unique_ptr<CScriptedWindow> m_pWindow;
    std::string m_strClock;
    std::string m_strOutput;
};

const CDesktopScript& PlayedScript()
{
    static CDesktopScript script;
    static std::string why;
    static const bool played = script.PlayHeadless(&why);
    if (!played)
        ADD_FAILURE() << "the headless host did not play the game as planned: " << why;
    return script;
}

TEST_F(DesktopWindowTest, PlaysTheGameAsTheHeadlessHostShowsItAndClosesWithStatusZero)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    // Every step shows something new, so none can pass by doing nothing.
    const auto& names = script.PictureNames();
    for (std::size_t i = 1; i < names.size(); ++i)
        ASSERT_FALSE(script.Picture(names[i]) == script.Picture(names[i - 1])) << names[i] << " changes nothing";
    ASSERT_FALSE(script.Picture("the deal of the next second") == script.Picture(names.front()))
        << "the second deal is the first";

    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(Play(script));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
    EXPECT_EQ(Output(), "") << "corvane printed something";
}

TEST_F(DesktopWindowTest, ClosingTheWindowWhileTheDealQuestionWaitsWaitsForTheAnswer)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(Play(script, "the Deal question"));

    // The main window is disabled while the question waits: the request is
    // let go, and the question stays.
    ASSERT_TRUE(m_pX->RequestClose(m_window));
    std::this_thread::sleep_for(1s);
    ASSERT_TRUE(m_program.Running()) << Output();
    ASSERT_TRUE(Shows(script.Picture("the Deal question"), "the Deal question after a close request"));

    // No leaves the game as it was; then the window closes the ordinary way.
    ASSERT_NO_FATAL_FAILURE(Tap(script.NoButton()));
    ASSERT_TRUE(Shows(script.Picture("the Ace of clubs home"), "the game after No"));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST_F(DesktopWindowTest, WindowIsTheScreenAtTheLargestFactorWithTheMainWindowsTitleAndIcon)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    // 1024 x 768 holds 480 x 640 and a window frame, not 720 x 960.
    const CRect geometry = m_pX->Geometry(m_window);
    EXPECT_EQ(geometry.Width(), 2 * kScreenWidth);
    EXPECT_EQ(geometry.Height(), 2 * kScreenHeight);
    EXPECT_EQ(m_pX->Title(m_window), "Corvane");

    std::string why;
    const auto wrong = m_pX->IconPixelsUnlikeIcon128(m_window, &why);
    ASSERT_TRUE(wrong) << why;
    EXPECT_EQ(*wrong, 0) << "icon pixels unlike icon 128";
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST_F(DesktopWindowTest, IdleGameUsesNoProcessorTime)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(Shows(script.Picture(script.PictureNames().front()), "idle start"));
    const auto ticksBefore = m_program.CpuTicks();
    const auto wakesBefore = m_program.ContextSwitches();
    std::this_thread::sleep_for(2s);
    const auto ticksAfter = m_program.CpuTicks();
    const auto wakesAfter = m_program.ContextSwitches();
    ASSERT_TRUE(ticksBefore && ticksAfter && wakesBefore && wakesAfter);
    // A busy loop would burn most of the two seconds (200 ticks); a loop that
    // polls every millisecond costs little time but wakes 2000 times.
    EXPECT_LE(*ticksAfter - *ticksBefore, 5) << "clock ticks of processor time while idle";
    EXPECT_LE(*wakesAfter - *wakesBefore, 20) << "wake-ups while idle";
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST_F(DesktopWindowTest, ResizedWindowIsLetterboxedAndItsBarsTakeNoTaps)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    const CSurface& first = script.Picture(script.PictureNames()[0]);
    const CSurface& turned = script.Picture(script.PictureNames()[1]);
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(Shows(first, "before resizing"));

    // Wide: factor 2 with bars left and right. Small: factor 1, bars all round.
    for (const auto& [width, height] : {std::pair{1000, 700}, std::pair{300, 400}}) {
        std::string output;
        const std::string id = std::to_string(m_window);
        ASSERT_EQ(CChildProcess::Run({"xdotool", "windowmove", id, "0", "0", "windowsize", id, std::to_string(width),
                                      std::to_string(height)},
                                     {{"DISPLAY", m_xvfb.Display()}}, 10s, &output),
                  0)
            << output;
        const auto until = Clock::now() + CScriptedWindow::kSettle;
        while (m_pX->Geometry(m_window).Width() != width && Clock::now() < until)
            std::this_thread::sleep_for(50ms);
        ASSERT_EQ(m_pX->Geometry(m_window), CRect(0, 0, width, height));
        ASSERT_TRUE(Shows(first, "letterboxed " + std::to_string(width) + "x" + std::to_string(height)));
    }

    // In the left bar, level with the stock: a host that clamped the press to
    // the screen would turn the stock.
    const auto at = CScriptedWindow::PlacementIn(300, 400);
    ASSERT_EQ(at.factor, 1);
    ASSERT_NO_FATAL_FAILURE(TapWindow({at.area.left / 2, at.area.top + 26 + 14}));
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(Shows(first, "after a tap in the bar"));
    ASSERT_NO_FATAL_FAILURE(Tap(CPoint{12, 26 + 14}));
    ASSERT_TRUE(Shows(turned, "the stock turned in the small window"));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST(DesktopProgram, WithoutADisplaySaysSoInOneLineAndFails)
{
    std::string output;
    const auto status =
        CChildProcess::Run({CORVANE_EXE}, {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}}, 20s,
                           &output);
    ASSERT_TRUE(status) << "corvane kept running with no display";
    EXPECT_NE(*status, 0);
    const auto lines = LinesStartingWith(output, "corvane: ");
    ASSERT_EQ(lines.size(), 1u) << output;
    EXPECT_NE(lines[0].find("no display"), std::string::npos) << lines[0];
}

TEST(DesktopProgram, RefusesVideoDriversThatShowNothing)
{
    for (const char* driver : {"offscreen", "dummy"}) {
        std::string output;
        const auto status = CChildProcess::Run({CORVANE_EXE}, {{"DISPLAY", ""}, {"SDL_VIDEODRIVER", driver}}, 20s,
                                               &output);
        ASSERT_TRUE(status) << "corvane ran on " << driver << " with nothing to show";
        EXPECT_NE(*status, 0) << driver;
        const auto lines = LinesStartingWith(output, "corvane: ");
        ASSERT_EQ(lines.size(), 1u) << output;
        EXPECT_NE(lines[0].find(driver), std::string::npos) << lines[0];
    }
}

TEST(DesktopProgram, FaketimePinsTheSecondWhileSdlMillisecondsRun)
{
    ASSERT_FALSE(FaketimeLibrary().empty()) << "faketime is missing (tools/deps.sh installs it)";
    CTempDir dir;
    const std::string clock = dir.Path() + "/clock";
    const std::string output = dir.Path() + "/output";
    WriteClock(clock, CDesktopScript::kFirstSecond);
    CChildProcess probe;
    probe.KeepInputOpen();
    std::string error;
    ASSERT_TRUE(probe.Start({TICKS_PROBE_EXE}, PinnedClockEnvironment(clock), output, &error)) << error;
    std::this_thread::sleep_for(400ms);
    WriteClock(clock, CDesktopScript::kFirstSecond + 1);
    ASSERT_TRUE(probe.WriteInput("go\n"));
    ASSERT_EQ(probe.Wait(10s), 0) << CChildProcess::ReadFile(output);

    long long first = 0;
    long long last = 0;
    unsigned ticks = 0;
    ASSERT_EQ(std::sscanf(CChildProcess::ReadFile(output).c_str(), "seconds %lld %lld ticks %u", &first, &last, &ticks),
              3)
        << CChildProcess::ReadFile(output);
    EXPECT_EQ(first, CDesktopScript::kFirstSecond);
    EXPECT_EQ(last, CDesktopScript::kFirstSecond + 1);
    // Part of the 400 ms went on starting the probe; a stopped clock gives 0.
    EXPECT_GE(ticks, 100u) << "SDL's milliseconds stood still under faketime";
    EXPECT_LT(ticks, 10000u);
}

}  // namespace
