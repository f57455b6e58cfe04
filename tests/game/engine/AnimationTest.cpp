#include "game/engine/Animation.h"

#include "game/engine/SystemIni.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace
{

// The frames an animation shows on `count` calls of Advance.
std::vector<int> Frames(Animation& animation, int count)
{
    std::vector<int> frames;
    for (int i = 0; i < count; ++i)
    {
        frames.push_back(Animation::Advance(animation));
    }
    return frames;
}

// Runs of equal frames: {frame, length}.
std::vector<std::pair<int, int>> Runs(const std::vector<int>& frames)
{
    std::vector<std::pair<int, int>> runs;
    for (int frame : frames)
    {
        if (runs.empty() || runs.back().first != frame)
        {
            runs.push_back({frame, 0});
        }
        ++runs.back().second;
    }
    return runs;
}

class AnimationTest : public testing::Test
{
protected:
    void TearDown() override { ScaleAnimationTables(1.0); }
};

TEST_F(AnimationTest, AnimationOneShowsThreeFramesThenStaysOnFrameZero)
{
    ScaleAnimationTables(1.0);
    Animation animation{AnimationSetA};
    Animation::Start(animation, 1);
    EXPECT_EQ(Animation::Current(animation), 0);
    // Advance counts the frame being shown: six calls finish a row.
    std::vector<int> frames = Frames(animation, 40);
    EXPECT_EQ(Runs(frames), (std::vector<std::pair<int, int>>{{0, 5}, {1, 6}, {2, 6}, {0, 23}}));
    EXPECT_EQ(animation.m_nIndex, 0) << "the switch code started animation 0";
}

TEST_F(AnimationTest, ScalingBelowSixtyFramesScalesOnlyTheDurationsOfPictures)
{
    struct Case
    {
        int m_nFps;
        int m_nA1; // each picture row of A/1
        int m_nB0;
        int m_nB1;
    };
    for (Case c : {Case{60, 6, 11, 18}, Case{30, 3, 5, 9}, Case{20, 2, 3, 6}})
    {
        SCOPED_TRACE(c.m_nFps);
        ScaleAnimationTables(DeriveFrameValues(c.m_nFps).m_dFrameScale);
        const AnimationStep* a1 = AnimationSetA[1];
        for (int row = 0; row < 3; ++row)
        {
            EXPECT_EQ(a1[row].m_nFrame, row);
            EXPECT_EQ(a1[row].m_nDuration, c.m_nA1);
        }
        EXPECT_EQ(a1[3].m_nFrame, kAnimationSwitch);
        EXPECT_EQ(a1[3].m_nDuration, 0) << "the switch's animation index is no duration";
        EXPECT_EQ(AnimationSetA[0][0].m_nDuration,
                  c.m_nFps == 60 ? INT_MAX : static_cast<int>(INT_MAX * (c.m_nFps / 60.0)));
        EXPECT_EQ(AnimationSetA[0][1].m_nFrame, kAnimationRestart);
        EXPECT_EQ(AnimationSetB[0][0].m_nDuration, c.m_nB0);
        EXPECT_EQ(AnimationSetB[0][1].m_nDuration, c.m_nB1);
        EXPECT_EQ(AnimationSetB[0][2].m_nFrame, kAnimationEnd);
    }
    // Scaling again starts from the authored durations.
    ScaleAnimationTables(0.5);
    ScaleAnimationTables(0.5);
    EXPECT_EQ(AnimationSetA[1][0].m_nDuration, 3);
    // A duration that would round to no frames keeps one.
    ScaleAnimationTables(0.1);
    EXPECT_EQ(AnimationSetA[1][0].m_nDuration, 1);
}

TEST_F(AnimationTest, CodesRestartStayOrReachTheCaller)
{
    ScaleAnimationTables(1.0);
    Animation b{AnimationSetB};
    Animation::Start(b, 0);
    std::vector<int> frames = Frames(b, 40);
    EXPECT_EQ(Runs(frames), (std::vector<std::pair<int, int>>{{0, 10}, {1, 18}, {kAnimationEnd, 12}}));

    const AnimationStep stay[] = {{4, 2, 0}, {5, 3, 0}, {kAnimationStay, 0, 0}};
    const AnimationStep restart[] = {{7, 2, 0}, {8, 1, 0}, {kAnimationRestart, 0, 0}};
    const AnimationStep* const set[] = {stay, restart};
    Animation custom{set};
    Animation::Start(custom, 0);
    EXPECT_EQ(Runs(Frames(custom, 12)), (std::vector<std::pair<int, int>>{{4, 1}, {5, 11}}));
    Animation::Start(custom, 1);
    EXPECT_EQ(Frames(custom, 7), (std::vector<int>{7, 8, 7, 7, 8, 7, 7}));
}

} // namespace
