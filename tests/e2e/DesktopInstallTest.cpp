// cmake --install puts the program where a desktop finds it: the executable
// in bin, its menu entry in share/applications, its icon in the hicolor
// theme at 32 x 32, drawn from icon 128.

#include "platform/backend/PngCodec.h"
#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"
#include "tests/e2e/CChildProcess.h"
#include "tests/e2e/CTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The [Desktop Entry] group of a .desktop file, key by key.
std::map<std::string, std::string> DesktopEntry(const std::string& text)
{
    std::map<std::string, std::string> keys;
    std::istringstream lines(text);
    bool inEntry = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const auto eq = line.find('=');
        if (inEntry && eq != std::string::npos)
            keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

TEST(DesktopInstall, PutsTheProgramItsMenuEntryAndItsIconInTheUsualPlaces)
{
    CTempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    const fs::path prefix = dir.Path();
    std::string output;
    const std::vector<std::string> install{CMAKE_PROGRAM, "--install", CORVANE_BUILD_DIR, "--prefix",
                                           prefix.string()};
    ASSERT_EQ(CChildProcess::Run(install, {}, 120s, &output), 0) << output;

    const fs::path program = prefix / "bin" / "corvane";
    ASSERT_TRUE(fs::is_regular_file(program));
    EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none);

    const fs::path entryFile = prefix / "share" / "applications" / "corvane.desktop";
    ASSERT_TRUE(fs::is_regular_file(entryFile));
    const auto entry = DesktopEntry(CChildProcess::ReadFile(entryFile.string()));
    EXPECT_EQ(entry.count("Type") ? entry.at("Type") : "", "Application");
    EXPECT_EQ(entry.count("Name") ? entry.at("Name") : "", "Corvane");
    // The menu starts the installed program and shows the installed icon.
    EXPECT_EQ(entry.count("Exec") ? entry.at("Exec") : "", program.filename().string());
    EXPECT_EQ(entry.count("Icon") ? entry.at("Icon") : "", "corvane");
    EXPECT_EQ(entry.count("Terminal") ? entry.at("Terminal") : "", "false");

    const fs::path iconFile = prefix / "share" / "icons" / "hicolor" / "32x32" / "apps" / "corvane.png";
    ASSERT_TRUE(fs::is_regular_file(iconFile));
    const std::string bytes = CChildProcess::ReadFile(iconFile.string());
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[25], 6) << "the icon has no alpha channel";
    std::string error;
    const auto png = ReadPng(iconFile.string(), &error);
    ASSERT_TRUE(png) << error;
    InstallResources(CorvaneResourceData());
    const auto icon = LoadIconResource(128, 32);
    ASSERT_TRUE(icon);
    ASSERT_EQ(png->Width(), 32);
    ASSERT_EQ(png->Height(), 32);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            wrong += (icon->IsOpaque(x, y) ? icon->color.At(x, y) : 0) == png->At(x, y) ? 0 : 1;
    EXPECT_EQ(wrong, 0) << "pixels of the installed icon unlike icon 128";
}

}  // namespace
