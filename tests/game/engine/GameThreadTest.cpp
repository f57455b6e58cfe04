#include "game/engine/GameThread.h"

#include "RuntimeFolderScope.h"
#include "common/window/WindowBase.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"
#include "platform/core/Clock.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"
#include "tests/game/engine/DisplayFixture.h"
#include "tests/game/engine/StubScene.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{

// Counts the frames it was asked about and ends them after the count given (0: never).
class CountingDriver : public FrameDriver
{
public:
    explicit CountingDriver(int last = 0) : m_nLast(last) {}
    bool BeforeFrame() override
    {
        EXPECT_TRUE(GameDataLock::HeldByThisThread());
        ++m_nFrames;
        return m_nLast == 0 || m_nFrames <= m_nLast;
    }
    std::atomic<int> m_nFrames{0};
    int m_nLast;
};

class GameThreadTest : public StubSceneTest
{
protected:
    void SetUp() override
    {
        StubSceneTest::SetUp();
        platform::DriveClock(0);
        ResetFrameTimers();
        SetFramePacing(true);
        ASSERT_TRUE(m_Session.Open(m_System, platform::kShowStateNormal));
        m_nWasActive = AppActive.load();
        AppActive = 1;
    }
    void TearDown() override
    {
        m_Session.Close();
        SetFrameDriver(nullptr);
        SetFramePacing(false);
        platform::StopDrivingClock();
        ResetFrameTimers();
        AppActive = m_nWasActive;
        StubSceneTest::TearDown();
    }

    RuntimeFolderScope m_Runtime;
    platform::DummyWindowSystem m_System;
    GameSession m_Session;
    int m_nWasActive = 0;
};

TEST_F(GameThreadTest, FramesRunOnlyWhileTheGameIsActiveEachPacedAndLocked)
{
    CountingDriver driver;
    SetFrameDriver(&driver);
    AppActive = 0;
    ASSERT_TRUE(thGame.Start(GameThreadProc));
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(driver.m_nFrames, 0);

    const uint32_t start = platform::TickCount();
    AppActive = 1;
    while (driver.m_nFrames < 30)
    {
        std::this_thread::yield();
    }
    thGame.Exit();
    // The driven clock moved one frame period (16 ms at 60 frames a second) a frame.
    const int frames = driver.m_nFrames;
    EXPECT_GE(platform::TickCount() - start, static_cast<uint32_t>((frames - 1) * 16));
    EXPECT_LE(platform::TickCount() - start, static_cast<uint32_t>(frames * 16));
    EXPECT_GE(m_Records[kSceneTitle].m_nLoads, 1);
    EXPECT_FALSE(GameFailureReported());
}

TEST_F(GameThreadTest, ADriverThatEndsTheFramesEndsTheThread)
{
    CountingDriver driver(5);
    SetFrameDriver(&driver);
    ASSERT_TRUE(thGame.Start(GameThreadProc));
    while (!thGame.IsFinished())
    {
        std::this_thread::yield();
    }
    EXPECT_EQ(driver.m_nFrames, 6);
    EXPECT_EQ(m_Records[kSceneTitle].m_nMade, 1);
}

TEST_F(GameThreadTest, AFrameThatCannotGoOnClosesTheWindowAndEndsTheThread)
{
    Load({3});
    DDSimulateDisplayChange();
    m_Folder.WriteFile("bmp/Title.bmp", std::string("not a bitmap"));
    ASSERT_TRUE(thGame.Start(GameThreadProc));
    EXPECT_EQ(m_Session.RunLoop(), 0); // the close the thread asked for ends the loop
    EXPECT_TRUE(thGame.IsFinished());
    EXPECT_TRUE(GameFailureReported());
    EXPECT_EQ(m_Records[kSceneTitle].m_nMade, 0);
}

} // namespace
