#include "game/program/CloseSignals.h"

#include "game/engine/GameWindow.h"

#include <pthread.h>

namespace
{
// How often the watcher looks for a signal and for the stop.
constexpr long kWatchNanoseconds = 50'000'000;
} // namespace

CloseSignals::CloseSignals()
{
    sigemptyset(&m_Signals);
    sigaddset(&m_Signals, SIGINT);
    sigaddset(&m_Signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_Signals, &m_Previous);
    m_Watcher = std::thread([this] { Watch(); });
}

CloseSignals::~CloseSignals()
{
    Stop();
    pthread_sigmask(SIG_SETMASK, &m_Previous, nullptr);
}

void CloseSignals::Stop()
{
    if (m_Watcher.joinable())
    {
        m_bStop.store(true);
        m_Watcher.join();
    }
}

void CloseSignals::Watch()
{
    const timespec wait{0, kWatchNanoseconds};
    bool pending = false;
    while (!m_bStop.load())
    {
        if (sigtimedwait(&m_Signals, nullptr, &wait) > 0)
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
