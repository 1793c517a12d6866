// The Windows program as a player gets it: the file itself (what it
// imports, its resources, the zip it ships in), then its window under Wine
// on an Xvfb of its own, tapped with xdotool, its clock pinned by faketime,
// compared pixel for pixel with the headless host playing the same game.
//
// ./check runs it after tools/windows.sh has built the program; the
// program's path comes from CORVANE_WINDOWS_EXE or the build's own place.

#include "tests/e2e/CChildProcess.h"
#include "tests/e2e/CDesktopScript.h"
#include "tests/e2e/CPeResources.h"
#include "tests/e2e/CScriptedWindow.h"
#include "tests/e2e/CTempDir.h"
#include "tests/e2e/CXClient.h"
#include "tests/e2e/CXvfb.h"
#include "tests/e2e/PinnedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string ProgramPath()
{
    const char* exe = std::getenv("CORVANE_WINDOWS_EXE");
    return exe && *exe ? exe : WINDOWS_EXE;
}

std::string ZipPath() { return std::filesystem::path(ProgramPath()).parent_path().parent_path() / WINDOWS_ZIP_NAME; }

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class WindowsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(ProgramPath()))
            << ProgramPath() << " is missing: tools/windows.sh builds it";
    }
};

TEST_F(WindowsFileTest, ImportsOnlyDllsThatEveryWindowsHas)
{
    std::string output;
    ASSERT_EQ(CChildProcess::Run({"x86_64-w64-mingw32-objdump", "-p", ProgramPath()}, {}, 30s, &output), 0) << output;
    // Windows' own: the kernel, windows, drawing, and the C runtime that
    // ships with every Windows since 2000.
    const std::set<std::string> system{"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"};
    std::vector<std::string> imported;
    for (const std::string& line : Lines(output))
        if (const auto at = line.find("DLL Name: "); at != std::string::npos)
            imported.push_back(Lower(line.substr(at + 10)));
    ASSERT_FALSE(imported.empty()) << "no import table found:\n" << output;
    for (const std::string& dll : imported)
        EXPECT_TRUE(system.count(dll)) << dll << " is not part of Windows (libstdc++, libgcc and winpthread "
                                       << "must be linked in)";
    EXPECT_TRUE(std::count(imported.begin(), imported.end(), "user32.dll")) << "a window needs user32";
}

// One node of a version resource: key, value, children.
struct VersionNode {
    std::u16string key;
    std::vector<std::uint8_t> value;
    std::vector<VersionNode> children;
};

std::optional<VersionNode> ParseVersionNode(const std::vector<std::uint8_t>& data, std::size_t at, std::size_t end)
{
    auto u16 = [&](std::size_t i) { return i + 1 < data.size() ? std::uint32_t(data[i] | data[i + 1] << 8) : 0u; };
    auto align = [](std::size_t i) { return (i + 3) & ~std::size_t(3); };
    const std::size_t length = u16(at);
    if (length < 6 || at + length > end)
        return std::nullopt;
    const std::size_t valueLength = u16(at + 2);
    const bool text = u16(at + 4) == 1;  // text values count UTF-16 units
    VersionNode node;
    std::size_t i = at + 6;
    for (; i + 1 < at + length && u16(i) != 0; i += 2)
        node.key.push_back(static_cast<char16_t>(u16(i)));
    i = align(i + 2);
    const std::size_t valueBytes = text ? valueLength * 2 : valueLength;
    if (i + valueBytes > at + length)
        return std::nullopt;
    node.value.assign(data.begin() + static_cast<std::ptrdiff_t>(i),
                      data.begin() + static_cast<std::ptrdiff_t>(i + valueBytes));
    for (i = align(i + valueBytes); i < at + length; i = align(i + u16(i))) {
        auto child = ParseVersionNode(data, i, at + length);
        if (!child)
            return std::nullopt;
        node.children.push_back(std::move(*child));
    }
    return node;
}

const VersionNode* Child(const VersionNode& node, const std::u16string& key)
{
    for (const VersionNode& c : node.children)
        if (c.key == key)
            return &c;
    return nullptr;
}

std::u16string TextValue(const VersionNode& node)
{
    std::u16string text;
    for (std::size_t i = 0; i + 1 < node.value.size(); i += 2)
        if (const char16_t c = static_cast<char16_t>(node.value[i] | node.value[i + 1] << 8))
            text.push_back(c);
    return text;
}

std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t at)
{
    return at + 3 < d.size() ? std::uint32_t(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | std::uint32_t(d[at + 3]) << 24)
                             : 0u;
}

constexpr unsigned kRtIcon = 3;
constexpr unsigned kRtGroupIcon = 14;
constexpr unsigned kRtVersion = 16;
constexpr unsigned kRtManifest = 24;

TEST_F(WindowsFileTest, HoldsIcon128WithBothImagesOfTheIconFile)
{
    CPeResources resources;
    std::string why;
    ASSERT_TRUE(resources.Load(ProgramPath(), &why)) << why;
    const auto group = resources.Find(kRtGroupIcon, 128);
    ASSERT_TRUE(group) << "no icon 128";
    EXPECT_EQ(resources.Count(kRtGroupIcon), 1u) << "one icon, so the file manager shows this one";
    // The group is the icon file's directory, with resource numbers in
    // place of file offsets; each image must be the file's, byte for byte.
    const std::string ico = CChildProcess::ReadFile(CORVANE_ICO);
    const std::vector<std::uint8_t> file(ico.begin(), ico.end());
    ASSERT_GE(file.size(), 6u);
    const std::size_t count = file[4] | file[5] << 8;
    ASSERT_EQ(count, 2u) << "the icon file has two images";
    ASSERT_EQ(group->size(), 6 + 14 * count);
    EXPECT_EQ((*group)[4] | (*group)[5] << 8, static_cast<int>(count));
    std::set<int> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t g = 6 + 14 * i;
        const std::size_t f = 6 + 16 * i;
        EXPECT_TRUE(std::equal(group->begin() + static_cast<std::ptrdiff_t>(g),
                               group->begin() + static_cast<std::ptrdiff_t>(g + 12), file.begin() + static_cast<std::ptrdiff_t>(f)))
            << "image " << i << ": the directory entry differs";
        const unsigned id = (*group)[g + 12] | (*group)[g + 13] << 8;
        const auto image = resources.Find(kRtIcon, id);
        ASSERT_TRUE(image) << "icon image " << id << " is missing";
        const std::size_t size = U32(file, f + 8);
        const std::size_t offset = U32(file, f + 12);
        ASSERT_LE(offset + size, file.size());
        EXPECT_TRUE(image->size() == size &&
                    std::equal(image->begin(), image->end(), file.begin() + static_cast<std::ptrdiff_t>(offset)))
            << "icon image " << id << " is not the file's image " << i;
        sizes.insert(file[f]);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST_F(WindowsFileTest, HoldsTheVersionAndTheManifest)
{
    CPeResources resources;
    std::string why;
    ASSERT_TRUE(resources.Load(ProgramPath(), &why)) << why;
    const auto version = resources.Find(kRtVersion, 1);
    ASSERT_TRUE(version) << "no version information";
    const auto root = ParseVersionNode(*version, 0, version->size());
    ASSERT_TRUE(root) << "the version information is damaged";
    EXPECT_EQ(root->key, u"VS_VERSION_INFO");
    const auto& fixed = root->value;
    ASSERT_EQ(fixed.size(), 52u);
    EXPECT_EQ(U32(fixed, 0), 0xFEEF04BDu);
    EXPECT_EQ(U32(fixed, 8), 0x00010000u) << "file version 1.0";
    EXPECT_EQ(U32(fixed, 12), 0x00000003u) << "file version .0.3";
    EXPECT_EQ(U32(fixed, 16), 0x00010000u) << "product version 1.0";
    EXPECT_EQ(U32(fixed, 20), 0x00000003u) << "product version .0.3";
    EXPECT_EQ(U32(fixed, 36), 1u) << "file type: application";

    const VersionNode* strings = Child(*root, u"StringFileInfo");
    ASSERT_TRUE(strings);
    ASSERT_EQ(strings->children.size(), 1u) << "one string block";
    const VersionNode& block = strings->children.front();
    EXPECT_EQ(block.key, u"040504b0");
    for (const char16_t* key : {u"FileVersion", u"ProductVersion"}) {
        const VersionNode* value = Child(block, key);
        ASSERT_TRUE(value) << "no " << std::string(key, key + std::char_traits<char16_t>::length(key));
        EXPECT_EQ(TextValue(*value), u"1, 0, 0, 3");
    }
    const VersionNode* vars = Child(*root, u"VarFileInfo");
    ASSERT_TRUE(vars);
    const VersionNode* translation = Child(*vars, u"Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(U32(translation->value, 0), 0x04B00405u) << "language 0x0405, code page 1200";

    const auto manifest = resources.Find(kRtManifest, 1);
    ASSERT_TRUE(manifest) << "no application manifest";
    const std::string text(manifest->begin(), manifest->end());
    EXPECT_NE(text.find(">PerMonitorV2"), std::string::npos) << text;
    EXPECT_NE(text.find("version=\"1.0.0.3\""), std::string::npos) << text;
}

TEST_F(WindowsFileTest, ZipHoldsTheProgramAndHowToPlay)
{
    std::string listing;
    ASSERT_EQ(CChildProcess::Run({"unzip", "-Z1", ZipPath()}, {}, 30s, &listing), 0) << listing;
    EXPECT_EQ(Lines(listing), (std::vector<std::string>{"corvane.exe", "README.txt"}));
    CTempDir dir;
    std::string output;
    ASSERT_EQ(CChildProcess::Run({"unzip", "-q", ZipPath(), "-d", dir.Path()}, {}, 30s, &output), 0) << output;
    EXPECT_TRUE(CChildProcess::ReadFile(dir.Path() + "/corvane.exe") == CChildProcess::ReadFile(ProgramPath()))
        << "the zipped program is not the one built";
    const std::string readme = CChildProcess::ReadFile(dir.Path() + "/README.txt");
    EXPECT_NE(readme.find("double click"), std::string::npos) << readme;
    EXPECT_NE(readme.find("\r\n"), std::string::npos) << "lines end in CR LF for Windows";
}

// Wine, on an Xvfb of its own. Its prefix lives in the build, prepared by
// the first run; its server is started here and ended with -k, so that
// nothing of it outlives the test.
class WineWindowTest : public ::testing::Test {
protected:
    // 600 pixels down hold 320 and a window frame, not 640: factor 1.
    explicit WineWindowTest(CSize display = {800, 600}) : m_xvfb(display.cx, display.cy) {}

    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(ProgramPath()))
            << ProgramPath() << " is missing: tools/windows.sh builds it";
        ASSERT_FALSE(FaketimeLibrary().empty()) << "faketime is missing (tools/deps.sh installs it)";
        std::string why;
        ASSERT_TRUE(m_xvfb.Start(&why)) << why;
        m_pX = std::make_unique<CXClient>(m_xvfb.Display());
        ASSERT_TRUE(m_pX->IsOpen()) << "cannot reach " << m_xvfb.Display();
        ASSERT_FALSE(m_dir.Path().empty());
        m_strClock = m_dir.Path() + "/clock";
        m_strOutput = m_dir.Path() + "/output";
        ASSERT_NO_FATAL_FAILURE(PreparePrefix());
        // The server runs on the true clock; only the program's is pinned.
        ASSERT_TRUE(m_server.Start({"wineserver", "--foreground", "--persistent"}, WineEnvironment(),
                                   m_dir.Path() + "/wineserver", &why))
            << why;
    }

    void TearDown() override
    {
        const bool running = m_program.Running();
        if (running)
            m_program.Stop();
        std::string output;
        CChildProcess::Run({"wineserver", "--kill"}, WineEnvironment(), 10s, &output);
        if (!m_server.Wait(10s))
            m_server.Stop();
        if (running)
            ADD_FAILURE() << "corvane.exe was still running; Wine said:\n" << Output();
    }

    static CChildProcess::Environment WineEnvironment()
    {
        return {{"WINEPREFIX", WINE_PREFIX}, {"WINEDEBUG", "-all"}, {"WINEDLLOVERRIDES", "mscoree,mshtml="}};
    }

    // Once per build: wineboot writes the prefix, and its server goes.
    static void PreparePrefix()
    {
        if (std::filesystem::exists(std::string(WINE_PREFIX) + "/system.reg"))
            return;
        CChildProcess::Environment env = WineEnvironment();
        env["DISPLAY"] = "";
        std::string output;
        const auto status = CChildProcess::Run({"wine", "wineboot", "--init"}, env, 180s, &output);
        CChildProcess::Run({"wineserver", "--wait"}, env, 60s, &output);
        ASSERT_EQ(status, 0) << "wineboot could not prepare " << WINE_PREFIX << ":\n" << output;
    }

    std::string Output() const { return CChildProcess::ReadFile(m_strOutput); }

    // Starts corvane.exe at the script's first second and waits for its
    // window; how long until it shows the first picture is reported.
    void Launch(const CSurface* pFirstPicture = nullptr)
    {
        WriteClock(m_strClock, CDesktopScript::kFirstSecond);
        CChildProcess::Environment env = PinnedClockEnvironment(m_strClock);
        for (const auto& [name, value] : WineEnvironment())
            env[name] = value;
        env["DISPLAY"] = m_xvfb.Display();
        env["WAYLAND_DISPLAY"] = "";
        std::string error;
        const auto start = Clock::now();
        ASSERT_TRUE(m_program.Start({"wine", ProgramPath()}, env, m_strOutput, &error)) << error;
        const auto until = start + 30s;
        std::optional<CXClient::WindowId> window;
        while (!window && m_program.Running() && Clock::now() < until)
            window = m_pX->FindWindow("Corvane", 100ms);
        const auto status = m_program.Wait(0ms);
        ASSERT_TRUE(window) << "no window titled Corvane appeared; corvane.exe "
                            << (status ? "ended with status " + std::to_string(*status) : std::string("runs"))
                            << " and Wine said:\n"
                            << Output();
        m_window = *window;
        m_pWindow = std::make_unique<CScriptedWindow>(*m_pX, m_xvfb.Display(), m_window, m_strClock, E2E_OUTPUT_DIR);
        if (pFirstPicture) {
            ASSERT_TRUE(m_pWindow->Shows(*pFirstPicture, "wine first picture"));
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
            RecordProperty("start_to_first_picture_ms", static_cast<int>(ms));
            std::printf("start to first picture under Wine: %lld ms\n", static_cast<long long>(ms));
        }
    }

    void CloseAndExpectStatusZero()
    {
        ASSERT_TRUE(m_pX->RequestClose(m_window));
        const auto status = m_program.Wait(15s);
        ASSERT_TRUE(status) << "corvane.exe did not end when its window was closed";
        EXPECT_EQ(*status, 0) << Output();
    }

    CXvfb m_xvfb;
    CTempDir m_dir;
    std::unique_ptr<CXClient> m_pX;
    CChildProcess m_server;
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

TEST_F(WineWindowTest, PlaysTheGameAsTheHeadlessHostShowsItAndClosesWithStatusZero)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Launch(&script.Picture(script.PictureNames().front())));
    EXPECT_EQ(m_pX->Title(m_window), "Corvane");
    const CRect geometry = m_pX->Geometry(m_window);
    EXPECT_EQ(geometry.Width(), CScriptedWindow::kScreenWidth) << "the screen at a factor of 1";
    EXPECT_EQ(geometry.Height(), CScriptedWindow::kScreenHeight);
    std::string why;
    const auto unlike = m_pX->IconPixelsUnlikeIcon128(m_window, &why);
    ASSERT_TRUE(unlike) << why;
    EXPECT_EQ(*unlike, 0) << "icon pixels unlike icon 128";
    ASSERT_NO_FATAL_FAILURE(m_pWindow->Play(script));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST_F(WineWindowTest, ClosingTheWindowWhileTheDealQuestionWaitsWaitsForTheAnswer)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(m_pWindow->Play(script, "the Deal question"));
    ASSERT_TRUE(m_pX->RequestClose(m_window));
    std::this_thread::sleep_for(1s);
    ASSERT_TRUE(m_program.Running()) << Output();
    ASSERT_TRUE(m_pWindow->Shows(script.Picture("the Deal question"), "wine the Deal question after a close request"));
    ASSERT_NO_FATAL_FAILURE(m_pWindow->Tap(script.NoButton()));
    ASSERT_TRUE(m_pWindow->Shows(script.Picture("the Ace of clubs home"), "wine the game after No"));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

TEST_F(WineWindowTest, IdleGameUsesNoProcessorTime)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    ASSERT_NO_FATAL_FAILURE(Launch(&script.Picture(script.PictureNames().front())));
    const auto ticksBefore = m_program.CpuTicks();
    const auto wakesBefore = m_program.ContextSwitches();
    std::this_thread::sleep_for(3s);
    const auto ticksAfter = m_program.CpuTicks();
    const auto wakesAfter = m_program.ContextSwitches();
    ASSERT_TRUE(ticksBefore && ticksAfter && wakesBefore && wakesAfter);
    std::printf("idle under Wine over 3 s: %ld clock ticks, %ld wake-ups\n", *ticksAfter - *ticksBefore,
                *wakesAfter - *wakesBefore);
    // A busy loop would burn most of the three seconds (300 ticks); a loop
    // that polls every few milliseconds costs little time but wakes hundreds
    // of times.
    EXPECT_LE(*ticksAfter - *ticksBefore, 5) << "clock ticks of processor time while idle";
    EXPECT_LE(*wakesAfter - *wakesBefore, 30) << "wake-ups while idle";
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

// 768 pixels down hold 640 and a window frame: factor 2, and room to resize.
class WineLargeScreenTest : public WineWindowTest {
protected:
    WineLargeScreenTest() : WineWindowTest({1024, 768}) {}
};

TEST_F(WineLargeScreenTest, ResizedWindowIsLetterboxedAndItsBarsTakeNoTaps)
{
    const CDesktopScript& script = PlayedScript();
    ASSERT_FALSE(HasFailure());
    const CSurface& first = script.Picture(script.PictureNames()[0]);
    const CSurface& turned = script.Picture(script.PictureNames()[1]);
    ASSERT_NO_FATAL_FAILURE(Launch(&first));
    EXPECT_EQ(m_pX->Geometry(m_window).Width(), 2 * CScriptedWindow::kScreenWidth);
    EXPECT_EQ(m_pX->Geometry(m_window).Height(), 2 * CScriptedWindow::kScreenHeight);

    // Large: factor 2 with bars left and right. Small: factor 1, bars all round.
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
        ASSERT_TRUE(m_pWindow->Shows(first, "wine letterboxed " + std::to_string(width) + "x" + std::to_string(height)));
    }

    // In the left bar, level with the stock: a host that clamped the press to
    // the screen would turn the stock.
    const auto at = CScriptedWindow::PlacementIn(300, 400);
    ASSERT_NO_FATAL_FAILURE(m_pWindow->TapWindow({at.area.left / 2, at.area.top + 26 + 14}));
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(m_pWindow->Shows(first, "wine after a tap in the bar"));
    ASSERT_NO_FATAL_FAILURE(m_pWindow->Tap(CPoint{12, 26 + 14}));
    ASSERT_TRUE(m_pWindow->Shows(turned, "wine the stock turned in the small window"));
    ASSERT_NO_FATAL_FAILURE(CloseAndExpectStatusZero());
}

}  // namespace
