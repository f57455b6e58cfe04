#include "RuntimeFolderScope.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace
{

std::optional<std::string> GetVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void PutBack(const char* name, const std::optional<std::string>& value)
{
    if (value)
    {
        setenv(name, value->c_str(), 1);
    }
    else
    {
        unsetenv(name);
    }
}

} // namespace

RuntimeFolderScope::RuntimeFolderScope()
    : m_PreviousRuntime(GetVariable("XDG_RUNTIME_DIR")), m_PreviousTemp(GetVariable("TMPDIR"))
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tk-run-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) // made 0700: nobody else may enter
    {
        throw std::runtime_error("cannot create a runtime folder");
    }
    m_Path = pattern;
    setenv("XDG_RUNTIME_DIR", m_Path.c_str(), 1);
    setenv("TMPDIR", m_Path.c_str(), 1);
}

RuntimeFolderScope::~RuntimeFolderScope()
{
    PutBack("XDG_RUNTIME_DIR", m_PreviousRuntime);
    PutBack("TMPDIR", m_PreviousTemp);
    std::error_code ec;
    std::filesystem::remove_all(m_Path, ec);
}

HelperProcess::HelperProcess(const std::string& program, const std::vector<std::string>& arguments, bool withErrors)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
    {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    if (withErrors)
    {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
    {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
    {
        m_nPid = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    m_nOutput = pipeEnds[0];
}

HelperProcess::~HelperProcess()
{
    Kill();
    Wait();
    if (m_nOutput >= 0)
    {
        ::close(m_nOutput);
    }
}

std::string HelperProcess::ReadLine()
{
    std::string line;
    char c = 0;
    while (m_nOutput >= 0 && ::read(m_nOutput, &c, 1) == 1 && c != '\n')
    {
        line.push_back(c);
    }
    return line;
}

std::string HelperProcess::ReadAll()
{
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while (m_nOutput >= 0 && ((n = ::read(m_nOutput, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)))
    {
        text.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    }
    return text;
}

void HelperProcess::Kill()
{
    if (m_nPid > 0 && !m_bReaped)
    {
        ::kill(m_nPid, SIGKILL);
    }
}

void HelperProcess::Signal(int number)
{
    if (m_nPid > 0 && !m_bReaped)
    {
        ::kill(m_nPid, number);
    }
}

bool HelperProcess::IsRunning()
{
    if (m_nPid <= 0 || m_bReaped)
    {
        return false;
    }
    pid_t got = 0;
    while ((got = ::waitpid(m_nPid, &m_nStatus, WNOHANG)) < 0 && errno == EINTR)
    {
    }
    if (got == 0)
    {
        return true;
    }
    m_bReaped = true;
    return false;
}

bool HelperProcess::WaitFor(int milliseconds)
{
    for (int waited = 0; IsRunning(); waited += 10)
    {
        if (waited >= milliseconds)
        {
            return false;
        }
        ::usleep(10000);
    }
    return true;
}

int HelperProcess::Wait()
{
    if (m_nPid <= 0)
    {
        return -1;
    }
    if (!m_bReaped)
    {
        while (::waitpid(m_nPid, &m_nStatus, 0) < 0 && errno == EINTR)
        {
        }
        m_bReaped = true;
    }
    return WIFEXITED(m_nStatus) ? WEXITSTATUS(m_nStatus) : -1;
}
