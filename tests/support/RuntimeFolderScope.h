#pragma once

// A private runtime folder (XDG_RUNTIME_DIR) and temporary folder (TMPDIR) of
// the test's own for the life of the object, so that lock files and link
// sockets of tests running side by side never meet. The variables are put
// back after.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class RuntimeFolderScope
{
public:
    RuntimeFolderScope();
    ~RuntimeFolderScope();
    RuntimeFolderScope(const RuntimeFolderScope&) = delete;
    RuntimeFolderScope& operator=(const RuntimeFolderScope&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }

private:
    std::filesystem::path m_Path;
    std::optional<std::string> m_PreviousRuntime;
    std::optional<std::string> m_PreviousTemp;
};

// Runs a helper program with the arguments; its standard output (and, when
// asked, its standard error stream) is read line by line. The process is
// killed (SIGKILL) and reaped when the object goes.
class HelperProcess
{
public:
    HelperProcess(const std::string& program, const std::vector<std::string>& arguments, bool withErrors = false);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool Started() const { return m_nPid > 0; }
    // The next line of its output ("" at its end).
    std::string ReadLine();
    // Everything it writes from now until its end.
    std::string ReadAll();
    // Kills it at once, as a crash or a kill would end it.
    void Kill();
    // Sends it a signal.
    void Signal(int number);
    // Waits for its end; its exit code (-1 when killed or not started).
    int Wait();
    // Waits at most that long: false when it is still running.
    bool WaitFor(int milliseconds);
    // Whether it is still running.
    bool IsRunning();
    int Id() const { return m_nPid; }

private:
    int m_nPid = -1;
    int m_nOutput = -1;
    bool m_bReaped = false;
    int m_nStatus = 0;
};
