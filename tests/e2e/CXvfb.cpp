#include "tests/e2e/CXvfb.h"

#include <X11/Xlib.h>

#include <filesystem>
#include <thread>

namespace {

bool Answers(const std::string& display)
{
    ::Display* d = XOpenDisplay(display.c_str());
    if (!d)
        return false;
    XCloseDisplay(d);
    return true;
}

}  // namespace

bool CXvfb::Start(std::string* why)
{
    using namespace std::chrono_literals;
    std::string lastLog;
    for (int n = 90; n < 130; ++n) {
        // A lock or a socket means another server has the number.
        if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock") ||
            std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)))
            continue;
        // Appended rather than ":" + ...: GCC 12 at -O3 warns falsely about the latter.
        const std::string display = std::string(":").append(std::to_string(n));
        const std::string log = "/tmp/corvane-e2e-xvfb-" + std::to_string(n) + ".log";
        const std::string screen = std::to_string(m_nWidth) + "x" + std::to_string(m_nHeight) + "x24";
        if (!m_server.Start({"Xvfb", display, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, {}, log, why))
            return false;
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (m_server.Running() && std::chrono::steady_clock::now() < until) {
            if (Answers(display)) {
                m_strDisplay = display;
                std::filesystem::remove(log);
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        // Lost a race for the number, or no server at all: say why at the end.
        m_server.Stop();
        lastLog = CChildProcess::ReadFile(log);
        std::filesystem::remove(log);
        if (lastLog.find("already active") == std::string::npos)
            break;
    }
    *why = "Xvfb did not start: " + (lastLog.empty() ? std::string("no free display number") : lastLog);
    return false;
}
