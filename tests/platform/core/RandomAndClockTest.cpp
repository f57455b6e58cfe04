#include "platform/core/Clock.h"
#include "platform/core/Random.h"

#include <gtest/gtest.h>

namespace
{

TEST(RandomTest, FollowsTheWindowsRuntimeSequence)
{
    SeedRand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    EXPECT_EQ(Rand(), 26500);
    SeedRand(12345);
    int first = Rand();
    SeedRand(12345);
    EXPECT_EQ(Rand(), first);
}

TEST(RandomTest, ScriptedSourceReplacesAndCountsDraws)
{
    SeedRand(1);
    {
        int next = 0;
        platform::ScopedRandomSource script([&] { return next++ * 10; });
        EXPECT_EQ(Rand(), 0);
        EXPECT_EQ(Rand(), 10);
        EXPECT_EQ(script.Draws(), 2);
    }
    EXPECT_EQ(Rand(), 41); // the generator itself was not advanced
}

TEST(ClockTest, OverrideFixesTheClock)
{
    uint32_t now = 1000;
    platform::SetTickCountOverride([&] { return now; });
    EXPECT_EQ(platform::TickCount(), 1000u);
    now = 2500;
    EXPECT_EQ(platform::TickCount(), 2500u);
    platform::SetTickCountOverride(nullptr);
    uint32_t a = platform::TickCount();
    EXPECT_LE(a, platform::TickCount());
}

} // namespace
