#include "platform/core/ChildProcess.h"

#include "platform/core/TerminationSignals.h"

#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace platform
{

namespace
{

// A descriptor of the process that polls readable once it has ended; -1 where the kernel has none.
int OpenProcessDescriptor(pid_t pid)
{
#ifdef SYS_pidfd_open
    long fd = ::syscall(SYS_pidfd_open, pid, 0);
    if (fd >= 0)
    {
        // The descriptor is close-on-exec from the start: programs started later never hold it.
        return static_cast<int>(fd);
    }
#else
    (void)pid;
#endif
    return -1;
}

std::vector<std::string> MergedEnvironment(const ChildProcess::Environment& variables)
{
    std::vector<std::string> merged;
    for (char** entry = environ; entry && *entry; ++entry)
    {
        std::string_view text = *entry;
        bool replaced = false;
        for (const auto& [name, value] : variables)
        {
            if (text.size() > name.size() && text.compare(0, name.size(), name) == 0 && text[name.size()] == '=')
            {
                replaced = true;
                break;
            }
        }
        if (!replaced)
        {
            merged.emplace_back(text);
        }
    }
    for (const auto& [name, value] : variables)
    {
        merged.push_back(name + "=" + value);
    }
    return merged;
}

} // namespace

ChildProcess::~ChildProcess()
{
    Forget();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_nPid(std::exchange(other.m_nPid, 0)), m_nExitFd(std::exchange(other.m_nExitFd, -1)),
      m_bReaped(std::exchange(other.m_bReaped, false)), m_nExitCode(std::exchange(other.m_nExitCode, 0))
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other)
    {
        Forget();
        m_nPid = std::exchange(other.m_nPid, 0);
        m_nExitFd = std::exchange(other.m_nExitFd, -1);
        m_bReaped = std::exchange(other.m_bReaped, false);
        m_nExitCode = std::exchange(other.m_nExitCode, 0);
    }
    return *this;
}

void ChildProcess::Forget()
{
    if (m_nExitFd >= 0)
    {
        ::close(m_nExitFd);
    }
    m_nPid = 0;
    m_nExitFd = -1;
    m_bReaped = false;
    m_nExitCode = 0;
}

bool ChildProcess::Start(const std::string& diskPath, const Environment& variables)
{
    Forget();
    if (diskPath.empty())
    {
        return false;
    }
    std::vector<std::string> environment = MergedEnvironment(variables);
    std::vector<char*> envp;
    for (std::string& entry : environment)
    {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string program = diskPath;
    char* argv[] = {program.data(), nullptr};
    // The program is not held to this one's taking of the termination signals.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    const sigset_t mask = StartedProgramSignalMask();
    posix_spawnattr_setsigmask(&attributes, &mask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    // The C library reports a program that cannot be executed as the spawn's own failure.
    const int error = ::posix_spawn(&pid, program.c_str(), nullptr, &attributes, argv, envp.data());
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
    {
        return false;
    }
    m_nPid = pid;
    m_nExitFd = OpenProcessDescriptor(pid);
    return true;
}

bool ChildProcess::Reap(int* exitCode)
{
    if (m_nPid <= 0)
    {
        return false;
    }
    if (!m_bReaped)
    {
        int status = 0;
        pid_t got = 0;
        do
        {
            got = ::waitpid(m_nPid, &status, WNOHANG);
        } while (got < 0 && errno == EINTR);
        if (got == 0)
        {
            return false;
        }
        m_bReaped = true;
        // Collected elsewhere (got < 0): it has ended all the same.
        m_nExitCode = got > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (exitCode)
    {
        *exitCode = m_nExitCode;
    }
    return true;
}

} // namespace platform
