#pragma once

// Another program started by this one, and the means to learn when it has
// ended without waiting for it: a descriptor that becomes readable then, for
// the program's event loop. The program runs in the current folder with this
// program's environment and the variables given on top; it is given no
// arguments. It keeps running when this object (or this program) goes. It
// takes SIGTERM and SIGINT as it would have before this program took them for
// itself (TerminationSignals.h).

#include <string>
#include <utility>
#include <vector>

namespace platform
{

class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;

    using Environment = std::vector<std::pair<std::string, std::string>>;

    // Starts the program (UTF-8 path on disk) with the variables set, each
    // replacing one of the same name. False when it cannot be started (not
    // found, not executable, no process to be had); an object already running
    // one lets go of it first.
    bool Start(const std::string& diskPath, const Environment& variables);

    // The process id; 0 when none was started.
    int Id() const { return m_nPid; }
    // Readable once the program has ended; -1 when the system cannot tell
    // (then only Reap finds it out).
    int ExitDescriptor() const { return m_nExitFd; }
    // Collects the program's end without waiting: true once it has ended (its
    // exit code, or -1 when a signal ended it).
    bool Reap(int* exitCode = nullptr);
    bool HasEnded() const { return m_bReaped; }

private:
    void Forget();

    int m_nPid = 0;
    int m_nExitFd = -1;
    bool m_bReaped = false;
    int m_nExitCode = 0;
};

} // namespace platform
