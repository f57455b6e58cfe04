#include "MemoryLimit.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <new>

namespace
{

constexpr int kOutOfMemoryExit = 99;

} // namespace

bool AddressSpaceLimitsWork()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

std::size_t AddressSpaceInUse()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

std::string ChildResult::Describe() const
{
    if (m_bOutOfMemory)
    {
        return "ran out of memory";
    }
    if (m_nSignal != 0)
    {
        return "ended by signal " + std::to_string(m_nSignal);
    }
    return "exited with " + std::to_string(m_nExitCode);
}

ChildResult RunWithAddressSpaceLimit(std::size_t limitBytes, const std::function<int()>& work)
{
    ChildResult result;
    pid_t child = ::fork();
    if (child == 0)
    {
        rlimit limit{limitBytes, limitBytes};
        ::setrlimit(RLIMIT_AS, &limit);
        int code = 0;
        try
        {
            code = work();
        }
        catch (const std::bad_alloc&)
        {
            code = kOutOfMemoryExit;
        }
        ::_exit(code);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
    {
        return result;
    }
    if (WIFSIGNALED(status))
    {
        result.m_nSignal = WTERMSIG(status);
    }
    else if (WIFEXITED(status))
    {
        result.m_nExitCode = WEXITSTATUS(status);
        result.m_bOutOfMemory = result.m_nExitCode == kOutOfMemoryExit;
    }
    return result;
}
