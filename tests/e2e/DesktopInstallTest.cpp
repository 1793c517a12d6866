// Installing puts the program where a Debian desktop finds it: the
// executable in games, its menu entry in share/applications, its icons in
// the hicolor theme, drawn from icon 128, its metainfo and its manual page.

#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"
#include "tests/e2e/CChildProcess.h"
#include "tests/e2e/CTempDir.h"
#include "tests/platform/support/PngReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// The installed tree: cmake --install into a fresh folder, or, when
// CORVANE_INSTALLED_PREFIX names one, a tree installed before (the package
// unpacked with dpkg-deb -x, its usr/ folder).
TEST(DesktopInstall, PutsTheProgramItsMenuEntryIconsMetainfoAndManPageInTheUsualPlaces)
{
    CTempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    fs::path prefix = dir.Path();
    if (const char* installed = std::getenv("CORVANE_INSTALLED_PREFIX")) {
        prefix = installed;
    } else {
        std::string output;
        const std::vector<std::string> install{CMAKE_PROGRAM, "--install", CORVANE_BUILD_DIR, "--prefix",
                                               prefix.string()};
        ASSERT_EQ(CChildProcess::Run(install, {}, 120s, &output), 0) << output;
    }
    const std::string id = CORVANE_APP_ID;

    const fs::path program = prefix / "games" / "corvane";
    ASSERT_TRUE(fs::is_regular_file(program));
    EXPECT_NE(fs::status(program).permissions() & fs::perms::owner_exec, fs::perms::none);

    const fs::path entryFile = prefix / "share" / "applications" / (id + ".desktop");
    ASSERT_TRUE(fs::is_regular_file(entryFile));
    const auto entry = DesktopEntry(CChildProcess::ReadFile(entryFile.string()));
    EXPECT_EQ(entry.count("Type") ? entry.at("Type") : "", "Application");
    EXPECT_EQ(entry.count("Name") ? entry.at("Name") : "", "Corvane");
    // The menu starts the installed program and shows the installed icon.
    EXPECT_EQ(entry.count("Exec") ? entry.at("Exec") : "", program.filename().string());
    EXPECT_EQ(entry.count("Icon") ? entry.at("Icon") : "", id);
    EXPECT_EQ(entry.count("Terminal") ? entry.at("Terminal") : "", "false");

    const std::string metainfo =
        CChildProcess::ReadFile((prefix / "share" / "metainfo" / (id + ".metainfo.xml")).string());
    EXPECT_NE(metainfo.find("<id>" + id + "</id>"), std::string::npos);
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">" + id + ".desktop</launchable>"), std::string::npos);
    EXPECT_NE(metainfo.find("<release version=\"1.0.0.3\""), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(prefix / "share" / "man" / "man6" / "corvane.6.gz"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share" / "doc" / "corvane" / "copyright"));

    // Every hicolor size, each a whole-factor enlargement of one of icon
    // 128's images, centred, clear where the icon is.
    InstallResources(CorvaneResourceData());
    const auto images = DecodeIcon(FindResource(ResourceType::Icon, 128));
    ASSERT_TRUE(images);
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        SCOPED_TRACE(size);
        const std::string dim = std::to_string(size) + "x" + std::to_string(size);
        const fs::path iconFile = prefix / "share" / "icons" / "hicolor" / dim / "apps" / (id + ".png");
        std::string error;
        std::vector<std::uint8_t> alpha;
        const auto png = ReadPng(iconFile.string(), &error, &alpha);
        ASSERT_TRUE(png) << error;
        ASSERT_EQ(png->Width(), size);
        ASSERT_EQ(png->Height(), size);
        bool matched = false;
        for (const IconImage& image : *images) {
            const int factor = size / image.Width();
            if (factor < 1)
                continue;
            const int offset = (size - image.Width() * factor) / 2;
            int wrong = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int ix = (x - offset) / factor, iy = (y - offset) / factor;
                    const bool inside = x >= offset && y >= offset && ix < image.Width() && iy < image.Height();
                    const bool opaque = inside && image.IsOpaque(ix, iy);
                    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(size) +
                                           static_cast<std::size_t>(x);
                    wrong += alpha[at] != (opaque ? 0xFF : 0) ||
                             (opaque && png->At(x, y) != image.color.At(ix, iy));
                }
            matched = matched || wrong == 0;
        }
        EXPECT_TRUE(matched) << iconFile << " is no whole-factor enlargement of an image of icon 128";
    }
}

}  // namespace
