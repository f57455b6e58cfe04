#include "game/program/CloseSignals.h"

#include "game/engine/GameWindow.h"
#include "platform/core/TerminationSignals.h"

#include <poll.h>
#include <pthread.h>

namespace
{
// How often the watcher looks for a signal and for the stop.
constexpr int kWatchMilliseconds = 50;
} // namespace

CloseSignals::CloseSignals()
{
    // Already caught by the entry; a run without it catches them here.
    m_bCaught = platform::CatchTerminationSignals();
    sigemptyset(&m_Signals);
    sigaddset(&m_Signals, SIGINT);
    sigaddset(&m_Signals, SIGTERM);
    // Blocked in every thread, the watcher's too: no thread's wait is broken
    // into, and the watcher reads them off the descriptor (or, without one,
    // waits for them).
    pthread_sigmask(SIG_BLOCK, &m_Signals, &m_Previous);
    m_Watcher = std::thread([this] { Watch(); });
}

CloseSignals::~CloseSignals()
{
    Stop();
    if (!m_bReleased)
    {
        pthread_sigmask(SIG_SETMASK, &m_Previous, nullptr);
    }
}

void CloseSignals::Release()
{
    Stop();
    if (m_bReleased)
    {
        return;
    }
    m_bReleased = true;
    if (m_bCaught)
    {
        // What came after the watcher's last look is taken with the catch.
        platform::ReleaseTerminationSignals();
    }
    else
    {
        pthread_sigmask(SIG_SETMASK, &m_Previous, nullptr);
    }
}

void CloseSignals::Stop()
{
    if (m_Watcher.joinable())
    {
        m_bStop.store(true);
        m_Watcher.join();
    }
}

bool CloseSignals::WaitForSignal()
{
    if (!m_bCaught)
    {
        // Without the handler's descriptor the blocked signals are waited for here.
        const timespec wait{0, kWatchMilliseconds * 1'000'000L};
        return sigtimedwait(&m_Signals, nullptr, &wait) > 0;
    }
    pollfd descriptor{platform::TerminationDescriptor(), POLLIN, 0};
    ::poll(&descriptor, 1, kWatchMilliseconds);
    return platform::TakeTerminationSignals();
}

void CloseSignals::Watch()
{
    bool pending = false;
    while (!m_bStop.load())
    {
        if (WaitForSignal())
        {
            m_bReceived.store(true);
            pending = true;
        }
        // Until the window takes it: a signal may come before the window is made.
        if (pending && platform::PostWindowMessage(MainWindowHandle(), kWmCloseAtOnce, 0, 0))
        {
            pending = false;
        }
    }
}
