#pragma once

// SIGINT and SIGTERM close the game as the close of its window would, at any
// moment: while an object lives, the two signals are blocked in every thread
// made after it and taken by a watcher thread of its own, which asks the main
// window to close at once (kWmCloseAtOnce, as soon as there is a window): a
// box that is up then ends as if it were closed. Make it before any other
// thread.

#include <atomic>
#include <csignal>
#include <thread>

class CloseSignals
{
public:
    CloseSignals();
    ~CloseSignals();
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;

    bool Received() const { return m_bReceived.load(); }
    // Ends the watcher; call it before the window system goes, which the
    // watcher posts to. The signals stay blocked until the destruction.
    void Stop();

private:
    void Watch();

    sigset_t m_Signals{};
    sigset_t m_Previous{};
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bReceived{false};
    std::thread m_Watcher;
};
