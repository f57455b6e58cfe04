#include "game/engine/FrameTimer.h"
#include "game/engine/Thread.h"
#include "platform/core/Clock.h"

#include <atomic>
#include <gtest/gtest.h>

namespace
{

class FrameTimerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetFrameTimers();
        platform::SetTickCountOverride([this] { return m_nNow; });
    }
    void TearDown() override
    {
        platform::SetTickCountOverride(nullptr);
        platform::StopDrivingClock();
        SetFramePacing(false);
        ResetFrameTimers();
    }

    uint32_t m_nNow = 1000;
};

TEST_F(FrameTimerTest, AtSixtyFramesAFrameIsDueEverySixteenMilliseconds)
{
    const struct
    {
        uint32_t m_nNow;
        bool m_bDue;
    } steps[] = {
        {1000, true}, // the first call is due at once
        {1000, false}, {1015, false}, {1016, true}, {1031, false}, {1032, true},
        {1100, true},  // late: the next one counts from now
        {1115, false}, {1116, true},
    };
    for (const auto& step : steps)
    {
        m_nNow = step.m_nNow;
        EXPECT_EQ(WaitFrameTimer(60), step.m_bDue) << step.m_nNow;
    }
    EXPECT_TRUE(WaitFrameTimer(0)); // no rate: always due
    m_nNow = 1117;
    EXPECT_FALSE(WaitFrameTimer(30));
}

TEST_F(FrameTimerTest, CountFpsGivesThePreviousSecondsFrames)
{
    for (int i = 0; i < 60; ++i)
    {
        EXPECT_EQ(CountFps(), 0);
        m_nNow += 16;
    }
    m_nNow = 2000; // the call that closes the second is not counted
    EXPECT_EQ(CountFps(), 60);
    m_nNow = 2999;
    EXPECT_EQ(CountFps(), 60);
    m_nNow = 3000;
    EXPECT_EQ(CountFps(), 1);
}

TEST_F(FrameTimerTest, ADrivenClockRunsPacedFramesWithoutWaiting)
{
    platform::SetTickCountOverride(nullptr);
    platform::DriveClock(5000);
    SetFramePacing(true);
    for (int frame = 0; frame < 1000; ++frame)
    {
        ASSERT_TRUE(PaceFrame(60));
    }
    // The first frame was due at once, each later one 16 ms after it: 999 x 16 ms passed.
    EXPECT_EQ(platform::TickCount(), 5000u + 999 * 16);
}

TEST_F(FrameTimerTest, PacingEndsWhenTheThreadIsAskedToQuit)
{
    platform::SetTickCountOverride(nullptr);
    SetFramePacing(true);
    Thread game("game");
    std::atomic<int> first{-1};
    std::atomic<int> second{-1};
    ASSERT_TRUE(game.Start([&] {
        first = PaceFrame(1);
        second = PaceFrame(1); // a second away, unless stopped
    }));
    while (first == -1)
    {
    }
    game.Exit();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);

    SetFramePacing(false);
    EXPECT_TRUE(PaceFrame(1)); // no pacing: no wait
}

} // namespace
