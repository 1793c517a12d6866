// corvane_icon_png as the build runs it: a PNG with transparency, the size
// asked for; and bad arguments refused with one line and status 2.

#include "tests/platform/support/PngReader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun RunTool(const std::string& arguments)
{
    ToolRun run;
    const std::string command = std::string(ICON_PNG_EXE) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[256];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

TEST(IconPngTool, WritesAnRgbaPictureOfTheSizeAskedFor)
{
    const std::string path = testing::TempDir() + "icon-png-test.png";
    for (const auto& [arguments, maskable] : {std::pair{"48", false}, std::pair{"192", true}}) {
        SCOPED_TRACE(arguments);
        std::filesystem::remove(path);
        const ToolRun run = RunTool(std::string(arguments) + " " + path + (maskable ? " --maskable" : ""));
        ASSERT_EQ(run.status, 0) << run.output;
        EXPECT_EQ(run.output, "");
        std::string error;
        std::vector<std::uint8_t> alpha;
        const auto png = ReadPng(path, &error, &alpha);
        ASSERT_TRUE(png) << error;
        EXPECT_EQ(png->Width(), std::stoi(arguments));
        EXPECT_EQ(png->Height(), std::stoi(arguments));
        // A clear corner, or an opaque green one behind a maskable icon.
        EXPECT_EQ(alpha.front(), maskable ? 0xFF : 0);
        EXPECT_EQ(png->At(0, 0), maskable ? PixelFromRGB(0, 160, 0) : 0);
    }
    std::filesystem::remove(path);
}

TEST(IconPngTool, BadArgumentsGetOneLineAndStatusTwo)
{
    const std::string out = testing::TempDir() + "icon-png-bad.png";
    const std::string cases[] = {
        "", "48", "48 " + out + " --round", "48 " + out + " --maskable extra", "abc " + out, "15 " + out,
        "4097 " + out, "32px " + out, "-32 " + out, "0x20 " + out, "24 " + out + " --maskable",
    };
    for (const std::string& arguments : cases) {
        SCOPED_TRACE("arguments: " + arguments);
        std::filesystem::remove(out);
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2);
        ASSERT_FALSE(run.output.empty());
        EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << run.output;
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << run.output;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(IconPngTool, AnUnwritableOutputIsAnErrorNotAPicture)
{
    const ToolRun run = RunTool("32 /nonexistent-folder/icon.png");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("/nonexistent-folder/icon.png"), std::string::npos) << run.output;
}

}  // namespace
