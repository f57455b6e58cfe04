#include "EventTest.h"
#include "game/data/ValueOperations.h"
#include "game/engine/DebugKeys.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TestPlay.h"
#include "platform/window/WindowMessages.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace
{

using EventThreadTest = EventTest;

// Waits up to five seconds for the condition; whether it came.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 5000 && !condition(); ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

TEST_F(EventThreadTest, AnEmptyPageStartsAndEndsTheEventThreadOnce)
{
    Map({"a"});
    AddEvent(0, 0, {Page(kTriggerStageStart, {})});
    for (int run = 1; run <= 2; ++run)
    {
        m_Host.ResetFrames();
        EXPECT_EQ(m_Events.RunTrigger(nullptr, kTriggerStageStart), kEventResultNone);
        EXPECT_EQ(m_Host.m_nWaits, 1);
        EXPECT_EQ(m_Host.m_nPolls, 1);
        EXPECT_EQ(m_Host.m_nPresents, 0);
        EXPECT_EQ(m_Host.m_FrameThreads, std::set<const Thread*>{&thEvent});
        EXPECT_TRUE(thEvent.IsFinished());
        EXPECT_EQ(Stage.m_Event.At(0).m_bDone, 1);
    }
}

TEST_F(EventThreadTest, RequestsAreServedInOrderWhileTheEventRuns)
{
    Map({"a"});
    std::vector<ThreadRequest> served;
    std::atomic<int> servedCount = 0;
    m_Events.SetRequestServer(
        [&](const ThreadRequest& request)
        {
            served.push_back(request);
            ++servedCount;
        });
    // Frames: 1 music, 2-3 the message until button 1, 4-6 the shop, which
    // plays its own sounds through the same list, 7 music, 8 the end.
    m_Host.m_nShopLength = 3;
    m_Host.m_ShopFrame = [](int frame) { thEvent.QueueRequest(kEventRequestSound, 10 + frame, 0); };
    m_Host.m_Button1Frames = {3};
    // Between the frames the game thread serves what the frames before asked for.
    bool servedMeanwhile = false;
    m_Host.m_BeforeFrame = [&](int frame)
    {
        if (frame == 6)
        {
            servedMeanwhile = Eventually([&] { return servedCount == 4; });
        }
    };
    AddEvent(0, 0,
             {Page(kTriggerPlayerTurnStart, {Command(kCommandMusic, {0}, "bgm\\a.ogg"), Command(kCommandMessage, {}, "!"),
                                             Command(kCommandShop, {0}), Command(kCommandMusic, {0}, "bgm\\b.ogg")})});

    GameDataLock frame; // as the game thread, which lets go of it while the event runs
    EXPECT_EQ(m_Events.RunTrigger(nullptr, kTriggerPlayerTurnStart), kEventResultNone);
    EXPECT_TRUE(servedMeanwhile);
    const std::vector<ThreadRequest> expected = {{kEventRequestStageMusic, 0, 0}, {kEventRequestSound, kSeMessage, 0},
                                                 {kEventRequestSound, 11, 0},     {kEventRequestSound, 12, 0},
                                                 {kEventRequestSound, 13, 0},     {kEventRequestStageMusic, 0, 0}};
    EXPECT_EQ(served, expected);
    EXPECT_EQ(Progress.m_strMusic[0], "bgm\\b.ogg");
    EXPECT_EQ(thEvent.RequestCount(), 0);
}

TEST_F(EventThreadTest, ADebugKeyDuringAnEventTakesTheGameDataLock)
{
    Map({"a"});
    BeginTestPlayReports(true, "unused endpoint");
    GameScenes.SetCurrentScene(kSceneStage);
    constexpr int kCommands = 200;
    std::vector<EventCommand> commands(kCommands, Command(kCommandMoney, {1}));
    AddEvent(0, 0, {Page(kTriggerPlayerTurnStart, commands)});
    m_Host.m_nFrameMilliseconds = 1;

    std::atomic<bool> over = false;
    std::thread game(
        [&]
        {
            GameDataLock frame;
            m_Events.RunTrigger(nullptr, kTriggerPlayerTurnStart);
            over = true;
        });
    int presses = 0;
    while (!over)
    {
        HandleGameKey(platform::kVkF1 + 2); // money + 100
        ++presses;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    game.join();
    EXPECT_GT(presses, 1);
    EXPECT_EQ(Progress.m_nMoney, kCommands + 100 * presses); // no change of either thread was lost

    BeginTestPlayReports(false);
    GameScenes.SetCurrentScene(kSceneTitle);
}

TEST_F(EventThreadTest, AnEventThatEndsTheStageStopsTheTriggerPoint)
{
    Map({"a"});
    for (int32_t code : {kCommandStageClear, kCommandGameOver})
    {
        Stage.m_Event.clear();
        Progress.SetVariable(1, 0);
        Progress.SetVariable(2, 0);
        AddEvent(0, 0, {Page(kTriggerEnemyTurnStart, {Command(kCommandVariable, {1, kOperatorAdd, 1})})});
        AddEvent(1, 0, {Page(kTriggerEnemyTurnStart, {Command(code, {})})});
        AddEvent(2, 0, {Page(kTriggerEnemyTurnStart, {Command(kCommandVariable, {1, kOperatorAdd, 1})})});
        AddEvent(3, 0, {Page(kTriggerTurnStart, {Command(kCommandVariable, {2, kOperatorAdd, 1})})});
        const int result = code == kCommandStageClear ? kEventResultStageClear : kEventResultGameOver;
        EXPECT_EQ(m_Events.RunTriggers(nullptr, {kTriggerEnemyTurnStart, kTriggerTurnStart}), result);
        EXPECT_EQ(Progress.GetVariable(1), 1);
        EXPECT_EQ(Progress.GetVariable(2), 0); // the second trigger of the point never ran
    }
    Stage.m_Event.At(1).m_Page.At(0).m_Action.clear();
    EXPECT_EQ(m_Events.RunTriggers(nullptr, {kTriggerEnemyTurnStart, kTriggerTurnStart}), kEventResultNone);
    EXPECT_EQ(Progress.GetVariable(1), 3);
    EXPECT_EQ(Progress.GetVariable(2), 1);
}

TEST_F(EventThreadTest, ATriggerPointStopsAfterItsLimitOfEventsWithALogLine)
{
    Map({"a"});
    for (int32_t x = 0; x < 3; ++x)
    {
        AddEvent(x, 0, {Page(kTriggerPlayerTurnEnd, {})});
    }
    m_Events.SetEventLimit(2);
    EXPECT_EQ(m_Events.RunTrigger(nullptr, kTriggerPlayerTurnEnd), kEventResultNone);
    EXPECT_EQ(m_Host.m_nWaits, 2);
    EXPECT_NE(m_Folder.ReadText("Report.txt").find("RunTrigger: trigger 1 stopped after 2 events"), std::string::npos);
}

TEST_F(EventThreadTest, TheCloseOfTheGameEndsARunningEvent)
{
    Map({"a"});
    AddEvent(0, 0, {Page(kTriggerPlayerTurnStart, {Command(kCommandMessage, {}, "never closed")})});
    m_Host.m_nFrameMilliseconds = 1;
    Thread game("game");
    std::atomic<int> result = -1;
    ASSERT_TRUE(game.Start(
        [&]
        {
            GameDataLock frame;
            result = m_Events.RunTrigger(nullptr, kTriggerPlayerTurnStart);
        }));
    ASSERT_TRUE(Eventually([] { return thEvent.HasThread(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    game.Exit();
    EXPECT_EQ(result, kEventResultNone);
    EXPECT_TRUE(thEvent.IsFinished());
    EXPECT_FALSE(thEvent.HasThread());
    EXPECT_NE(m_Folder.ReadText("EC.txt").find("thEvent WM_QUIT"), std::string::npos);

    // Once the event thread is closed for good, a trigger point runs nothing and says nothing.
    thEvent.Close();
    m_Host.ResetFrames();
    EXPECT_EQ(m_Events.RunTrigger(nullptr, kTriggerPlayerTurnStart), kEventResultNone);
    EXPECT_EQ(m_Host.m_nWaits, 0);
    EXPECT_EQ(m_Folder.ReadText("Report.txt").find("RunTrigger"), std::string::npos);
}

} // namespace
