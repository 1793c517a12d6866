#include "bench/probe/CChild.h"

#include <cerrno>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

CChild::~CChild()
{
    Stop();
    if (m_nOutFd >= 0)
        close(m_nOutFd);
}

bool CChild::Start(const std::vector<std::string>& argv, bool captureStdout, std::string* error)
{
    if (argv.empty()) {
        *error = "no program to start";
        return false;
    }
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFds[2] = {-1, -1};
    if (captureStdout) {
        if (pipe(pipeFds) != 0) {
            *error = std::string("pipe: ") + std::strerror(errno);
            posix_spawn_file_actions_destroy(&actions);
            return false;
        }
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    }
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    const int rc = posix_spawnp(&m_pid, args[0], &actions, &attr, args.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (captureStdout) {
        close(pipeFds[1]);
        m_nOutFd = pipeFds[0];
    }
    if (rc != 0) {
        m_pid = -1;
        *error = argv[0] + ": " + std::strerror(rc);
        return false;
    }
    return true;
}

std::string CChild::ReadAll()
{
    std::string out;
    if (m_nOutFd < 0)
        return out;
    char buf[256];
    for (;;) {
        const ssize_t n = read(m_nOutFd, buf, sizeof buf);
        if (n > 0)
            out.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(m_nOutFd);
    m_nOutFd = -1;
    return out;
}

int CChild::Wait(rusage* usage)
{
    if (m_pid < 0)
        return -1;
    int status = 0;
    rusage ru{};
    while (wait4(m_pid, &status, 0, &ru) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (usage)
        *usage = ru;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void CChild::Stop(int graceMs)
{
    if (m_pid < 0)
        return;
    kill(-m_pid, SIGTERM);
    for (int waited = 0; waited < graceMs; waited += 10) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            // What the program started may still be there.
            kill(-m_pid, SIGKILL);
            m_pid = -1;
            return;
        }
        const timespec tick{0, 10'000'000};
        nanosleep(&tick, nullptr);
    }
    kill(-m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}
