#pragma once

// SIGINT and SIGTERM close the game as the close of its window would, at any
// moment: the program's entry catches them first thing (platform/core/
// TerminationSignals.h), so that one that comes before this object is kept
// for it. While it lives, the two signals are blocked in every thread made
// after it, its watcher thread's too, which takes them and asks the main
// window to close at once (kWmCloseAtOnce, as soon as there is a window): a
// box that is up then ends as if it were closed. Make it before any other
// thread. The signals stay caught until Release, which the program calls as
// it shuts down.

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
    // Ends the watcher and gives the two signals their default action again
    // (on the thread that made this object, the one that caught them): once
    // the program shuts down, one that comes ends it at once instead of
    // waiting for a reader that is gone.
    void Release();

private:
    void Watch();
    // Waits a little for a signal; true when one came.
    bool WaitForSignal();

    sigset_t m_Signals{};
    sigset_t m_Previous{};
    bool m_bCaught = false;
    bool m_bReleased = false;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bReceived{false};
    std::thread m_Watcher;
};
