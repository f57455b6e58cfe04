#include "common/services/Log.h"
#include "game/engine/Thread.h"

#include "TempFolder.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace
{

TEST(ThreadTest, RequestsQueuedWhileTheOwnerTakesThemArriveInOrder)
{
    constexpr int kCount = 10000;
    Thread worker("worker");
    ASSERT_TRUE(worker.Start([&] {
        for (int i = 0; i < kCount; ++i)
        {
            worker.QueueRequest(i % 2, i, -i);
        }
    }));
    int next = 0;
    ThreadRequest request;
    while (next < kCount)
    {
        if (worker.TakeRequest(request))
        {
            ASSERT_EQ(request, (ThreadRequest{next % 2, next, -next}));
            ++next;
        }
    }
    worker.Exit();
    EXPECT_FALSE(worker.TakeRequest(request));
    EXPECT_EQ(worker.RequestCount(), 0);
}

TEST(ThreadTest, ExitOnAThreadThatNeverStartedReturnsAtOnceAndLogsNothing)
{
    TempFolder project;
    InitErrorLog(1, "EC_Game.txt");
    Thread never("never");
    never.Exit();
    EXPECT_FALSE(never.HasThread());
    EXPECT_TRUE(never.IsFinished());
    EXPECT_FALSE(std::filesystem::exists("EC_Game.txt"));

    // A running thread is asked to end, joined, and its end traced.
    Thread running("running");
    ASSERT_TRUE(running.Start([&] {
        while (!running.QuitRequested())
        {
            running.Sleep(1000);
        }
    }));
    running.Exit();
    EXPECT_TRUE(running.IsFinished());
    EXPECT_FALSE(running.HasThread());
    EXPECT_EQ(project.ReadText("EC_Game.txt"), "Exit A\r\nExit B\r\nExit C\r\nExit D\r\nExit E\r\n");
    InitErrorLog(0, "EC_Game.txt");
}

TEST(ThreadTest, WaitsOfTheThreadEndWhenTheQuitComes)
{
    Thread events("events");
    std::atomic<int> stage{0};
    ASSERT_TRUE(events.Start([&] {
        stage = events.Sleep(3600 * 1000) ? -1 : 1; // an hour, unless stopped
        stage = events.WaitUntil([] { return false; }) ? -1 : 2;
    }));
    events.Exit();
    EXPECT_EQ(stage, 2);

    // A condition that comes true ends the wait; Notify wakes it to look.
    std::atomic<bool> ready{false};
    std::atomic<bool> waited{false};
    ASSERT_TRUE(events.Start([&] { waited = events.WaitUntil([&] { return ready.load(); }); }));
    ready = true;
    events.Notify();
    while (!events.IsFinished())
    {
    }
    events.Exit();
    EXPECT_TRUE(waited);
}

TEST(ThreadTest, StartJoinsAFinishedThreadRefusesARunningOneAndEverythingAfterClose)
{
    Thread events("events");
    std::atomic<bool> release{false};
    ASSERT_TRUE(events.Start([] {}));
    while (!events.IsFinished())
    {
    }
    EXPECT_TRUE(events.HasThread()); // finished, not yet joined
    events.QueueRequest(1, 2, 3);
    ASSERT_TRUE(events.Start([&] {
        while (!release)
        {
            events.Sleep(1);
        }
    }));
    EXPECT_EQ(events.RequestCount(), 0); // a new run starts with no requests
    EXPECT_FALSE(events.Start([] {}));
    release = true;

    events.Close();
    EXPECT_TRUE(events.IsFinished());
    EXPECT_FALSE(events.Start([] {}));
    events.Reopen();
    EXPECT_TRUE(events.Start([] {}));
    events.Exit();
}

TEST(ThreadTest, ExitCalledOnTheGameThreadEndsTheProgramWithItsStatus)
{
    // As a library's fatal error handler does (Xlib's, on an X error): the
    // program ends with the status, not aborted by thGame's std::thread
    // destroyed on the thread it runs.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            thGame.Start([] { std::exit(3); });
            for (;;)
            {
                std::this_thread::sleep_for(std::chrono::seconds(1));
            }
        },
        testing::ExitedWithCode(3), "");
}

TEST(ThreadTest, SeveralCallersOfExitReturnOnceTheThreadHasEnded)
{
    Thread events("events");
    std::atomic<bool> ended{false};
    ASSERT_TRUE(events.Start([&] {
        while (!events.QuitRequested())
        {
            events.Sleep(1000);
        }
        events.Sleep(20); // stopped already: returns at once
        ended = true;
    }));
    std::atomic<int> sawEnded{0};
    std::vector<std::thread> callers;
    for (int i = 0; i < 4; ++i)
    {
        callers.emplace_back([&] {
            events.Exit();
            sawEnded += ended ? 1 : 0;
        });
    }
    for (auto& caller : callers)
    {
        caller.join();
    }
    EXPECT_EQ(sawEnded, 4);

    // From the thread itself Exit only asks.
    std::atomic<bool> asked{false};
    ASSERT_TRUE(events.Start([&] {
        events.Exit();
        asked = events.QuitRequested();
    }));
    events.Exit();
    EXPECT_TRUE(asked);
}

} // namespace
