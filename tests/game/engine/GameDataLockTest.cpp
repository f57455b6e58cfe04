#include "game/data/GameData.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/Thread.h"

#include <atomic>
#include <chrono>
#include <thread>
#include <gtest/gtest.h>

namespace
{

// The game thread runs frames that change two fields of the play-through
// together, and every tenth frame waits for an event thread whose frames
// change two others together; the main thread applies debug edits meanwhile.
// An edit that saw a frame half done, or a thread that kept the lock while
// it waited, would show here, and ThreadSanitizer watches every access.
TEST(GameDataLockTest, DebugEditsLandBetweenTheFramesOfBothGameThreads)
{
    constexpr int kFrames = 400;
    constexpr int kEventFrames = 5;
    Progress.m_nMoney = 0;
    Progress.m_nScoutPoints = 0;
    Progress.m_nMapX = 0;
    Progress.m_nMapY = 0;

    Thread game("game");
    Thread events("events");
    std::atomic<int> eventRuns{0};
    ASSERT_TRUE(game.Start([&] {
        for (int frame = 1; frame <= kFrames; ++frame)
        {
            GameDataLock lock;
            Progress.m_nMoney += 1;
            Progress.m_nScoutPoints = Progress.m_nMoney;
            if (frame % 10 != 0)
            {
                continue;
            }
            ASSERT_TRUE(events.Start([&] {
                for (int step = 0; step < kEventFrames; ++step)
                {
                    GameDataLock eventFrame;
                    Progress.m_nMapX += 1;
                    Progress.m_nMapY = Progress.m_nMapX;
                }
            }));
            ++eventRuns;
            // The stage map waits for the event, serving its requests; the lock is let go of meanwhile.
            ASSERT_TRUE(game.WaitUntil([&] { return events.IsFinished(); }));
            EXPECT_TRUE(GameDataLock::HeldByThisThread());
        }
    }));

    std::atomic<int> torn{0};
    int edits = 0;
    while (!game.IsFinished())
    {
        ++edits;
        ApplyDebugEdit([&] {
            if (Progress.m_nScoutPoints != Progress.m_nMoney || Progress.m_nMapY != Progress.m_nMapX)
            {
                ++torn;
            }
            Progress.m_nMoney += 100;
            Progress.m_nScoutPoints += 100;
        });
    }
    game.Exit();
    events.Exit();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(edits, 0);
    EXPECT_EQ(Progress.m_nMoney, kFrames + 100 * edits);
    EXPECT_EQ(Progress.m_nMapX, eventRuns * kEventFrames);
    EXPECT_FALSE(GameDataLock::HeldByThisThread());
}

TEST(GameDataLockTest, NestedLevelsAreLetGoOfTogetherAndTakenBack)
{
    GameDataLock outer;
    {
        GameDataLock inner;
        GameDataUnlocked waiting;
        EXPECT_FALSE(GameDataLock::HeldByThisThread());
        // Another thread can take it meanwhile.
        std::thread other([] { ApplyDebugEdit([] {}); });
        other.join();
    }
    EXPECT_TRUE(GameDataLock::HeldByThisThread());
}

} // namespace

namespace
{

// The shut-down ends the event thread while it waits for the lock that the
// game thread holds for its frame, and the game thread, in that frame, starts
// an event and ends one: nobody may wait for anybody in a circle.
TEST(GameDataLockTest, EndingAnEventThreadThatWaitsForTheLockNeverHangs)
{
    Thread game("game");
    Thread events("events");
    std::atomic<bool> framing{false};
    std::atomic<bool> eventWaits{false};
    std::atomic<bool> startedAgain{true};
    ASSERT_TRUE(game.Start([&] {
        GameDataLock frame;
        ASSERT_TRUE(events.Start([&] {
            while (!events.QuitRequested())
            {
                eventWaits = true;
                GameDataLock eventFrame;
            }
        }));
        framing = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the main thread is joining by now
        startedAgain = events.Start([] {});
        events.Exit();
    }));
    while (!framing || !eventWaits)
    {
    }
    events.Close();
    game.Exit();
    EXPECT_FALSE(startedAgain);
    EXPECT_TRUE(events.IsFinished());
}

} // namespace
