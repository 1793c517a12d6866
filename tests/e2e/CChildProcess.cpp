#include "tests/e2e/CChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::vector<std::string> MergedEnvironment(const CChildProcess::Environment& changes)
{
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const auto eq = entry.find('=');
        if (eq != std::string::npos)
            merged[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    for (const auto& [name, value] : changes) {
        if (value.empty())
            merged.erase(name);
        else
            merged[name] = value;
    }
    std::vector<std::string> out;
    for (const auto& [name, value] : merged)
        out.push_back(name + "=" + value);
    return out;
}

int StatusOf(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : -WTERMSIG(raw); }

}  // namespace

CChildProcess::~CChildProcess()
{
    if (m_nInput >= 0)
        close(m_nInput);
    Stop();
}

bool CChildProcess::Start(const std::vector<std::string>& argv, const Environment& env,
                          const std::string& outputPath, std::string* error)
{
    if (argv.empty()) {
        *error = "nothing to start";
        return false;
    }
    // Everything the child needs is prepared before the fork.
    std::vector<std::string> envText = MergedEnvironment(env);
    std::vector<char*> envp;
    for (std::string& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argText = argv;
    std::vector<char*> args;
    for (std::string& a : argText)
        args.push_back(a.data());
    args.push_back(nullptr);

    const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        *error = "cannot write " + outputPath + ": " + std::strerror(errno);
        return false;
    }
    int input[2] = {-1, -1};
    // A child that dies early must fail the test, not kill it through a write.
    if (m_bPipeInput)
        std::signal(SIGPIPE, SIG_IGN);
    if (m_bPipeInput && pipe2(input, O_CLOEXEC) != 0) {
        close(out);
        *error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        close(out);
        *error = std::string("fork: ") + std::strerror(errno);
        return false;
    }
    if (pid == 0) {
        const int in = m_bPipeInput ? input[0] : open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        execvpe(args[0], args.data(), envp.data());
        const std::string why = "cannot start " + argText[0] + ": " + std::strerror(errno) + "\n";
        (void)!write(2, why.data(), why.size());
        _exit(127);
    }
    close(out);
    if (m_bPipeInput) {
        close(input[0]);
        m_nInput = input[1];
    }
    m_nPid = pid;
    m_status.reset();
    return true;
}

bool CChildProcess::WriteInput(const std::string& text)
{
    return m_nInput >= 0 && write(m_nInput, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::optional<int> CChildProcess::Wait(std::chrono::milliseconds limit)
{
    if (m_status || m_nPid < 0)
        return m_status;
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int raw = 0;
        const pid_t done = waitpid(m_nPid, &raw, WNOHANG);
        if (done == m_nPid) {
            m_status = StatusOf(raw);
            return m_status;
        }
        if (done < 0)
            return std::nullopt;
        if (std::chrono::steady_clock::now() >= until)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool CChildProcess::Running() { return m_nPid >= 0 && !Wait(std::chrono::milliseconds(0)); }

void CChildProcess::Stop(std::chrono::milliseconds grace)
{
    if (!Running())
        return;
    kill(m_nPid, SIGTERM);
    if (!Wait(grace)) {
        kill(m_nPid, SIGKILL);
        Wait(std::chrono::milliseconds(5000));
    }
}

std::optional<long> CChildProcess::CpuTicks() const
{
    const std::string text = ReadFile("/proc/" + std::to_string(m_nPid) + "/stat");
    // Fields after the command name, which may hold spaces and parentheses.
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    // State is field 3; utime and stime are fields 14 and 15.
    for (int n = 3; n <= 15 && fields >> field; ++n) {
        if (n == 14)
            utime = std::atol(field.c_str());
        if (n == 15)
            stime = std::atol(field.c_str());
    }
    if (!fields)
        return std::nullopt;
    return utime + stime;
}

std::optional<long> CChildProcess::ContextSwitches() const
{
    const std::filesystem::path tasks = "/proc/" + std::to_string(m_nPid) + "/task";
    std::error_code error;
    long total = 0;
    bool any = false;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream status(task.path() / "status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) {
                total += std::atol(line.substr(line.find(':') + 1).c_str());
                any = true;
            }
    }
    if (error || !any)
        return std::nullopt;
    return total;
}

std::optional<int> CChildProcess::Run(const std::vector<std::string>& argv, const Environment& env,
                                      std::chrono::milliseconds limit, std::string* output)
{
    char path[] = "/tmp/corvane-e2e-run-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return std::nullopt;
    close(fd);
    std::optional<int> status;
    {
        CChildProcess child;
        std::string error;
        if (!child.Start(argv, env, path, &error)) {
            if (output)
                *output = error;
            unlink(path);
            return std::nullopt;
        }
        status = child.Wait(limit);
    }
    if (output)
        *output = ReadFile(path);
    unlink(path);
    return status;
}

std::string CChildProcess::ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
