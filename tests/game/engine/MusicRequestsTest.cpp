#include "game/engine/MusicRequests.h"

#include <gtest/gtest.h>

namespace
{

TEST(MusicRequestsTest, TheSenderChoosesFromItsSceneState)
{
    using enum MusicAction;
    const struct
    {
        int m_nScene;
        bool m_bEventRunning;
        int m_nPrevious;
        MusicAction m_Action;
        int m_nPause;
        int m_nRestart;
        int m_nMode;
    } cases[] = {
        {0, false, 1, Play, 0, 1, 0},     // title: restarts its track
        {1, false, 0, Play, 0, 0, 0},     // camp: a playing track goes on
        {2, false, 1, Play, 0, 0, 0},     // world map
        {3, true, 4, Play, 1, 1, 0},      // stage while an event runs
        {3, false, 2, Play, 1, 1, 0},     // stage entered from the world map
        {3, false, 4, Resume, 1, 0, 1},   // stage back from a battle: resumes where it stopped
        {3, false, 3, None, 0, 0, 0},     // stage otherwise: nothing
        {4, false, 3, Play, 0, 1, 0},     // battle
        {5, false, 3, None, 0, 0, 0},     // no scene
    };
    for (const auto& c : cases)
    {
        MusicRequest request = MusicRequestForScene(c.m_nScene, c.m_bEventRunning, c.m_nPrevious, 1, 2);
        EXPECT_EQ(request.m_nChannel, 1);
        EXPECT_EQ(request.m_nTrack, 2);
        EXPECT_FALSE(request.m_bSetFile);
        EXPECT_EQ(request.m_Action, c.m_Action) << c.m_nScene << " " << c.m_nPrevious;
        EXPECT_EQ(request.m_nPause, c.m_nPause) << c.m_nScene << " " << c.m_nPrevious;
        EXPECT_EQ(request.m_nRestart, c.m_nRestart) << c.m_nScene << " " << c.m_nPrevious;
        EXPECT_EQ(request.m_nMode, c.m_nMode) << c.m_nScene << " " << c.m_nPrevious;
    }
}

} // namespace
