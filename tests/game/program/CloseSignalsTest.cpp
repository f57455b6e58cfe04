// The game's close signals in this process: caught as the program's entry
// catches them, before the watcher exists.

#include "game/program/CloseSignals.h"
#include "platform/core/TerminationSignals.h"

#include <gtest/gtest.h>
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

} // namespace
