#include "bench/probe/CProcessStats.h"

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::optional<std::int64_t> ThreadsNs(pid_t pid)
{
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    DIR* d = opendir(dir.c_str());
    if (!d)
        return std::nullopt;
    std::int64_t sum = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.')
            continue;
        std::ifstream in(dir + "/" + e->d_name + "/schedstat");
        long long onCpu = 0;
        if (in >> onCpu)
            sum += onCpu;
    }
    closedir(d);
    return sum;
}

std::optional<std::int64_t> TicksNs(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    // The command name may hold blanks and parentheses: fields follow the last ')'.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 2));
    std::string f;
    long long utime = 0;
    long long stime = 0;
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    for (int field = 3; field <= 15 && fields >> f; ++field) {
        if (field == 14)
            utime = std::stoll(f);
        else if (field == 15)
            stime = std::stoll(f);
    }
    const long hz = sysconf(_SC_CLK_TCK);
    return (utime + stime) * (1'000'000'000LL / (hz > 0 ? hz : 100));
}

}  // namespace

std::optional<CProcessStats::CpuSample> CProcessStats::Cpu() const
{
    const auto threads = ThreadsNs(m_pid);
    const auto ticks = TicksNs(m_pid);
    if (!threads || !ticks)
        return std::nullopt;
    return CpuSample{*threads, *ticks};
}

std::int64_t CProcessStats::CpuBetween(const CpuSample& from, const CpuSample& to)
{
    const long hz = sysconf(_SC_CLK_TCK);
    const std::int64_t tick = 1'000'000'000LL / (hz > 0 ? hz : 100);
    const std::int64_t fine = to.threadsNs - from.threadsNs;
    const std::int64_t coarse = to.ticksNs - from.ticksNs;
    return coarse > fine + 2 * tick ? coarse : fine;
}

std::optional<long> CProcessStats::RssKb() const
{
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/status");
    std::string key;
    while (in >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            if (in >> kb)
                return kb;
            return std::nullopt;
        }
        in.ignore(4096, '\n');
    }
    return std::nullopt;
}
