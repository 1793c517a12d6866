#include "tests/e2e/CScriptedWindow.h"

#include "tests/e2e/CChildProcess.h"
#include "tests/e2e/PinnedClock.h"
#include "tools/png/PngWriter.h"

#include <cctype>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = CScriptedWindow::kScreenWidth;
constexpr int kScreenHeight = CScriptedWindow::kScreenHeight;

// The screen inside a capture of the window, one pixel per block, and what
// is wrong with the scaling: blocks of more than one colour, bars not black.
struct Unscaled {
    CSurface screen;
    int mixedBlocks = 0;
    int litBarPixels = 0;
};

Unscaled Unscale(const CSurface& window)
{
    const auto at = CScriptedWindow::PlacementIn(window.Width(), window.Height());
    Unscaled out{CSurface(kScreenWidth, kScreenHeight), 0, 0};
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            const int wx = at.area.left + x * at.factor;
            const int wy = at.area.top + y * at.factor;
            const Pixel p = window.At(wx, wy);
            out.screen.Set(x, y, p);
            bool mixed = false;
            for (int dy = 0; dy < at.factor; ++dy)
                for (int dx = 0; dx < at.factor; ++dx)
                    mixed = mixed || window.At(wx + dx, wy + dy) != p;
            out.mixedBlocks += mixed ? 1 : 0;
        }
    for (int y = 0; y < window.Height(); ++y)
        for (int x = 0; x < window.Width(); ++x)
            if (!at.area.Contains({x, y}) && window.At(x, y) != 0)
                ++out.litBarPixels;
    return out;
}

std::string SafeName(std::string name)
{
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '-';
    return name;
}

}  // namespace

CScriptedWindow::Placement CScriptedWindow::PlacementIn(int width, int height)
{
    const int factor = std::max(1, std::min(width / kScreenWidth, height / kScreenHeight));
    const int x = std::max(0, (width - kScreenWidth * factor) / 2);
    const int y = std::max(0, (height - kScreenHeight * factor) / 2);
    return {factor, CRect::FromSize(x, y, kScreenWidth * factor, kScreenHeight * factor)};
}

CScriptedWindow::CScriptedWindow(CXClient& x, std::string display, CXClient::WindowId window, std::string clockFile,
                                 std::string outputDir)
    : m_x(x), m_strDisplay(std::move(display)), m_window(window), m_strClock(std::move(clockFile)),
      m_strOutputDir(std::move(outputDir))
{
}

CPoint CScriptedWindow::ToWindow(CPoint pt)
{
    const CRect geometry = m_x.Geometry(m_window);
    const Placement at = PlacementIn(geometry.Width(), geometry.Height());
    return {at.area.left + pt.x * at.factor + at.factor / 2, at.area.top + pt.y * at.factor + at.factor / 2};
}

void CScriptedWindow::Tap(CPoint pt, bool twice) { TapWindow(ToWindow(pt), twice); }

void CScriptedWindow::TapWindow(CPoint windowPt, bool twice)
{
    std::vector<std::string> args{"click"};
    if (twice)
        args.insert(args.end(), {"--repeat", "2", "--delay", "100"});
    args.push_back("1");
    Mouse(windowPt, args);
}

void CScriptedWindow::Hover(CPoint pt) { Mouse(ToWindow(pt), {}); }

void CScriptedWindow::Mouse(CPoint windowPt, const std::vector<std::string>& then)
{
    std::this_thread::sleep_until(m_lastInput + kBetweenTaps);
    std::vector<std::string> args{"xdotool", "mousemove", "--window", std::to_string(m_window),
                                  std::to_string(windowPt.x), std::to_string(windowPt.y)};
    args.insert(args.end(), then.begin(), then.end());
    std::string output;
    const auto status = CChildProcess::Run(args, {{"DISPLAY", m_strDisplay}}, 10s, &output);
    m_lastInput = Clock::now();
    ASSERT_EQ(status, 0) << "xdotool: " << output;
}

::testing::AssertionResult CScriptedWindow::Shows(const CSurface& expected, const std::string& name)
{
    const auto until = Clock::now() + kSettle;
    std::optional<CSurface> window;
    Unscaled last;
    do {
        window = m_x.Capture(m_window);
        if (window && window->Width() >= kScreenWidth && window->Height() >= kScreenHeight) {
            last = Unscale(*window);
            if (last.screen == expected && last.mixedBlocks == 0 && last.litBarPixels == 0) {
                // The program took the last tap: the next one counts from here.
                m_lastInput = std::max(m_lastInput, Clock::now());
                // What the real window showed, kept for a look (and the README).
                WritePng(*window, m_strOutputDir + "/shown-" + SafeName(name) + ".png");
                return ::testing::AssertionSuccess();
            }
        }
        std::this_thread::sleep_for(50ms);
    } while (Clock::now() < until);

    if (!window)
        return ::testing::AssertionFailure() << "\"" << name << "\": the window could not be read";
    const std::string base = m_strOutputDir + "/" + SafeName(name);
    WritePng(*window, base + "-window.png");
    WritePng(expected, base + "-expected.png");
    int differ = 0;
    if (last.screen.Width() == expected.Width() && last.screen.Height() == expected.Height())
        for (std::size_t i = 0; i < expected.Pixels().size(); ++i)
            differ += last.screen.Pixels()[i] != expected.Pixels()[i] ? 1 : 0;
    return ::testing::AssertionFailure() << "\"" << name << "\" not shown within " << kSettle.count() << " s: "
                                         << differ << " screen pixels differ, " << last.mixedBlocks
                                         << " scaled pixels are not one colour, " << last.litBarPixels
                                         << " bar pixels are not black; pictures in " << base << "-*.png";
}

void CScriptedWindow::Play(const CDesktopScript& script, const std::string& last)
{
    for (const CScriptAction& action : script.Actions()) {
        switch (action.m_kind) {
        case CScriptAction::Kind::Tap:
            ASSERT_NO_FATAL_FAILURE(Tap(action.m_pt));
            break;
        case CScriptAction::Kind::DoubleTap:
            ASSERT_NO_FATAL_FAILURE(Tap(action.m_pt, true));
            break;
        case CScriptAction::Kind::Hover:
            ASSERT_NO_FATAL_FAILURE(Hover(action.m_pt));
            break;
        case CScriptAction::Kind::Look:
            ASSERT_TRUE(Shows(script.Picture(action.m_strName), action.m_strName));
            if (action.m_strName == last)
                return;
            break;
        case CScriptAction::Kind::SetSecond:
            WriteClock(m_strClock, action.m_nSecond);
            break;
        }
    }
    ASSERT_TRUE(last.empty()) << "the script has no picture \"" << last << "\"";
}
