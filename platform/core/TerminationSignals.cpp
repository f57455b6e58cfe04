#include "platform/core/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

namespace
{

int g_nPipe[2] = {-1, -1};
std::atomic<int> g_nWriteEnd{-1};

extern "C" void OnTerminationSignal(int)
{
    int saved = errno;
    int fd = g_nWriteEnd.load();
    if (fd >= 0)
    {
        char byte = 1;
        [[maybe_unused]] ssize_t written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

bool CatchTerminationSignals()
{
    if (g_nPipe[0] >= 0)
    {
        return true;
    }
    if (::pipe2(g_nPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    {
        g_nPipe[0] = g_nPipe[1] = -1;
        return false;
    }
    g_nWriteEnd = g_nPipe[1];
    struct sigaction action{};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    return true;
}

void ReleaseTerminationSignals()
{
    if (g_nPipe[0] < 0)
    {
        return;
    }
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    g_nWriteEnd = -1;
    ::close(g_nPipe[0]);
    ::close(g_nPipe[1]);
    g_nPipe[0] = g_nPipe[1] = -1;
}

int TerminationDescriptor()
{
    return g_nPipe[0];
}

bool TakeTerminationSignals()
{
    if (g_nPipe[0] < 0)
    {
        return false;
    }
    bool any = false;
    char drain[64];
    ssize_t got = 0;
    while ((got = ::read(g_nPipe[0], drain, sizeof(drain))) > 0)
    {
        any = true;
    }
    return any;
}

} // namespace platform
