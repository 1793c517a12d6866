// corvane_launch: starts a program again and again and measures it from
// outside, one JSON line a run.
//
//   corvane_launch headless [--runs N] FIRST_FRAME_EXE
//     exec to the first frame of the headless program, and its peak memory.
//   corvane_launch x11 [--runs N] [--long] [--name NAME] [--click FX,FY] -- CMD ARGS...
//     on the X screen in $DISPLAY: exec to the window mapped, and to its first
//     picture. With --long also resident memory 3 s after the start, CPU per
//     click over 20 clicks at (FX, FY), fractions of the window's size, and
//     CPU over 10 s of idle.

#include "bench/probe/CChild.h"
#include "bench/probe/CProcessStats.h"
#include "bench/probe/CX11Watch.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Options {
    std::string mode;
    int runs = 5;
    bool longRun = false;
    std::string name = "program";
    double clickX = 0.5;
    double clickY = 0.5;
    int clicks = 20;
    int clickGapMs = 600;  // longer than any double-click time, so every click is a single one
    int settleMs = 3000;
    int idleMs = 10000;
    int timeoutMs = 30000;
    std::vector<std::string> command;
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: corvane_launch headless [--runs N] FIRST_FRAME_EXE\n"
                 "       corvane_launch x11 [--runs N] [--long] [--name NAME] [--click FX,FY] -- CMD ARGS...\n");
    return 2;
}

bool ParseInt(const char* text, int lo, int* out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end || v < lo || v > 1'000'000)
        return false;
    *out = static_cast<int>(v);
    return true;
}

bool Parse(int argc, char** argv, Options& o)
{
    if (argc < 2)
        return false;
    o.mode = argv[1];
    if (o.mode != "headless" && o.mode != "x11")
        return false;
    int i = 2;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--") {
            ++i;
            break;
        } else if (a == "--runs" && hasValue) {
            if (!ParseInt(argv[++i], 1, &o.runs))
                return false;
        } else if (a == "--long") {
            o.longRun = true;
        } else if (a == "--name" && hasValue) {
            o.name = argv[++i];
        } else if (a == "--click" && hasValue) {
            if (std::sscanf(argv[++i], "%lf,%lf", &o.clickX, &o.clickY) != 2 || o.clickX < 0 || o.clickX > 1 ||
                o.clickY < 0 || o.clickY > 1)
                return false;
        } else if (a.rfind("--", 0) == 0) {
            return false;
        } else {
            break;
        }
    }
    for (; i < argc; ++i)
        o.command.emplace_back(argv[i]);
    return !o.command.empty();
}

// The JSON string of a plain name.
std::string Quoted(const std::string& s)
{
    std::string q = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            q += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            q += c;
    }
    return q + "\"";
}

bool RunHeadless(const Options& o, int run)
{
    CChild child;
    std::string error;
    const Clock::time_point start = Clock::now();
    if (!child.Start(o.command, true, &error)) {
        std::fprintf(stderr, "corvane_launch: %s\n", error.c_str());
        return false;
    }
    const std::string out = child.ReadAll();
    rusage usage{};
    const int status = child.Wait(&usage);
    long long shownNs = 0;
    if (status != 0 || std::sscanf(out.c_str(), "%lld", &shownNs) != 1) {
        std::fprintf(stderr, "corvane_launch: %s did not report its first frame (status %d)\n",
                     o.command[0].c_str(), status);
        return false;
    }
    const Clock::time_point shown{std::chrono::nanoseconds(shownNs)};
    const double cpuMs = (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    std::printf("{\"probe\":\"headless\",\"name\":%s,\"run\":%d,\"first_frame_ms\":%.3f,\"cpu_ms\":%.3f,"
                "\"peak_rss_kb\":%ld}\n",
                Quoted(o.name).c_str(), run, Ms(shown - start), cpuMs, usage.ru_maxrss);
    std::fflush(stdout);
    return true;
}

bool Click(const std::string& window, int x, int y)
{
    CChild xdotool;
    std::string error;
    if (!xdotool.Start({"xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y), "click",
                        "1"},
                       false, &error)) {
        std::fprintf(stderr, "corvane_launch: %s\n", error.c_str());
        return false;
    }
    return xdotool.Wait(nullptr) == 0;
}

bool RunX11(const Options& o, int run)
{
    CX11Watch watch;
    std::string error;
    if (!watch.Open(&error)) {
        std::fprintf(stderr, "corvane_launch: %s\n", error.c_str());
        return false;
    }
    CChild child;
    const Clock::time_point start = Clock::now();
    if (!child.Start(o.command, false, &error)) {
        std::fprintf(stderr, "corvane_launch: %s\n", error.c_str());
        return false;
    }
    const auto shown = watch.WaitForWindow(start + milliseconds(o.timeoutMs));
    if (!shown || !shown->framed) {
        std::fprintf(stderr, "corvane_launch: %s showed %s within %d ms\n", o.name.c_str(),
                     shown ? "no picture" : "no window", o.timeoutMs);
        return false;
    }
    std::string line = "{\"probe\":\"x11\",\"name\":" + Quoted(o.name) + ",\"run\":" + std::to_string(run);
    char buf[160];
    std::snprintf(buf, sizeof buf, ",\"map_ms\":%.3f,\"frame_ms\":%.3f", Ms(shown->mapped - start),
                  Ms(*shown->framed - start));
    line += buf;

    if (o.longRun) {
        // The window's owner; a launcher in between would not be the program.
        const pid_t pid = watch.WindowPid(shown->window).value_or(child.Pid());
        const CProcessStats stats(pid);
        std::this_thread::sleep_until(start + milliseconds(o.settleMs));
        const auto rss = stats.RssKb();
        int width = 0;
        int height = 0;
        if (!rss || !watch.WindowSize(shown->window, &width, &height)) {
            std::fprintf(stderr, "corvane_launch: %s went away\n", o.name.c_str());
            return false;
        }
        const std::string window = std::to_string(shown->window);
        const int x = static_cast<int>(o.clickX * width);
        const int y = static_cast<int>(o.clickY * height);
        const auto beforeClicks = stats.Cpu();
        for (int i = 0; i < o.clicks; ++i) {
            const Clock::time_point next = Clock::now() + milliseconds(o.clickGapMs);
            if (!Click(window, x, y)) {
                std::fprintf(stderr, "corvane_launch: xdotool failed\n");
                return false;
            }
            std::this_thread::sleep_until(next);
        }
        const auto afterClicks = stats.Cpu();
        std::this_thread::sleep_for(milliseconds(1000));
        const auto idleFrom = stats.Cpu();
        std::this_thread::sleep_for(milliseconds(o.idleMs));
        const auto idleTo = stats.Cpu();
        if (!beforeClicks || !afterClicks || !idleFrom || !idleTo) {
            std::fprintf(stderr, "corvane_launch: %s went away\n", o.name.c_str());
            return false;
        }
        const double clickMs = CProcessStats::CpuBetween(*beforeClicks, *afterClicks) / 1e6 / o.clicks;
        const double idleMs = CProcessStats::CpuBetween(*idleFrom, *idleTo) / 1e6;
        std::snprintf(buf, sizeof buf,
                      ",\"window\":\"%dx%d\",\"rss_kb\":%ld,\"cpu_per_click_ms\":%.3f,\"idle_cpu_ms\":%.3f,"
                      "\"idle_s\":%.1f",
                      width, height, *rss, clickMs, idleMs, o.idleMs / 1000.0);
        line += buf;
    }
    child.Stop();
    std::printf("%s}\n", line.c_str());
    std::fflush(stdout);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!Parse(argc, argv, o))
        return Usage();
    if (o.mode == "x11" && !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "corvane_launch: DISPLAY is not set\n");
        return 2;
    }
    int failed = 0;
    for (int run = 0; run < o.runs; ++run) {
        const bool ok = o.mode == "headless" ? RunHeadless(o, run) : RunX11(o, run);
        if (!ok)
            ++failed;
        // Let what the last run left behind settle before the next start.
        std::this_thread::sleep_for(milliseconds(o.mode == "headless" ? 20 : 500));
    }
    return failed == 0 ? 0 : 1;
}
