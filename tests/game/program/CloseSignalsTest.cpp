// The game's close signals in this process: caught as the program's entry
// catches them, before the watcher exists.

#include "game/program/CloseSignals.h"

#include "platform/core/TerminationSignals.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace
{

bool WaitForReceived(const CloseSignals& signals)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!signals.Received() && std::chrono::steady_clock::now() < end)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return signals.Received();
}

TEST(CloseSignalsTest, ASignalFromTheFirstInstantReachesTheWatcherMadeLater)
{
    ASSERT_TRUE(platform::CatchTerminationSignals());
    for (int number : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(number);
        // Sent to the process before the watcher exists: kept for it, not
        // the end of the process.
        ASSERT_EQ(::kill(::getpid(), number), 0);
        {
            CloseSignals signals;
            EXPECT_TRUE(WaitForReceived(signals));
        }
        // One sent to the process while the watcher lives.
        CloseSignals signals;
        ASSERT_EQ(::kill(::getpid(), number), 0);
        EXPECT_TRUE(WaitForReceived(signals));
    }
    platform::ReleaseTerminationSignals();
}

TEST(CloseSignalsTest, OnceReleasedASignalEndsTheProgramAtOnce)
{
    // As the program shuts down: the watcher is gone, and a signal that comes
    // then is not left blocked with nothing to read it.
    for (int number : {SIGTERM, SIGINT})
    {
        SCOPED_TRACE(number);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            platform::CatchTerminationSignals();
            CloseSignals signals;
            signals.Release();
            ::kill(::getpid(), number);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), number);
    }
}

} // namespace
