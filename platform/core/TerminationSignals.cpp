#include "platform/core/TerminationSignals.h"

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <atomic>

namespace platform
{

namespace
{

std::atomic<int> g_nDescriptor{-1};
// The catching thread's mask before the catch.
sigset_t g_Previous;

sigset_t TerminationSet()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

} // namespace

bool CatchTerminationSignals()
{
    if (g_nDescriptor >= 0)
    {
        return true;
    }
    const sigset_t signals = TerminationSet();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &signals, &previous);
    const int fd = ::signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0)
    {
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        return false;
    }
    g_Previous = previous;
    g_nDescriptor = fd;
    return true;
}

void ReleaseTerminationSignals()
{
    if (g_nDescriptor < 0)
    {
        return;
    }
    TakeTerminationSignals();
    ::close(g_nDescriptor.exchange(-1));
    pthread_sigmask(SIG_SETMASK, &g_Previous, nullptr);
}

int TerminationDescriptor()
{
    return g_nDescriptor;
}

bool TakeTerminationSignals()
{
    const int fd = g_nDescriptor;
    if (fd < 0)
    {
        return false;
    }
    bool any = false;
    signalfd_siginfo taken[4];
    while (::read(fd, taken, sizeof(taken)) > 0)
    {
        any = true;
    }
    return any;
}

sigset_t StartedProgramSignalMask()
{
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    if (g_nDescriptor >= 0)
    {
        for (int signal : {SIGTERM, SIGINT})
        {
            if (!sigismember(&g_Previous, signal))
            {
                sigdelset(&mask, signal);
            }
        }
    }
    return mask;
}

} // namespace platform
