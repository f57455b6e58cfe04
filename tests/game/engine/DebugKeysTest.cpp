#include "game/engine/DebugKeys.h"

#include "../data/GameDataTest.h"
#include "RuntimeFolderScope.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/TestPlay.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"
#include "tests/game/engine/StubScene.h"

#include <functional>

namespace
{

using platform::kVkF1;

class DebugKeysTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        BeginTestPlayReports(true, "unused endpoint");
        UseStubScenes(GameScenes, m_Records);
        ResetPlay();
    }
    void TearDown() override
    {
        DropStubScenes(GameScenes);
        BeginTestPlayReports(false);
        GameDataTest::TearDown();
    }

    // A camp with a party of two, slot 1 empty, and a play-through at its start.
    void ResetPlay()
    {
        InitGameData();
        Progress = ProgressRecord();
        Progress.Validate();
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(2) = Member(2);
        GameScenes.SetCurrentScene(kSceneCamp);
    }

    std::map<int, StubRecord> m_Records;
};

TEST_F(DebugKeysTest, EachFunctionKeyMakesItsEdit)
{
    struct Case
    {
        int m_nKey;
        std::function<void()> m_Prepare;
        std::function<void()> m_Check;
    };
    const std::vector<Case> cases = {
        {kVkF1, [] {},
         []
         {
             EXPECT_EQ(PartyUnits.At(0).m_nLevel, 4);
             EXPECT_EQ(PartyUnits.At(2).m_nLevel, 3);
         }},
        {kVkF1 + 1, [] {},
         []
         {
             EXPECT_EQ(PartyUnits.At(0).m_nLevel, 4);
             EXPECT_EQ(PartyUnits.At(2).m_nLevel, 4);
             EXPECT_EQ(PartyUnits.At(1).m_nClass, 0); // an empty slot stays empty
         }},
        {kVkF1 + 2, [] { Progress.m_nMoney = kMaxMoney - 40; }, [] { EXPECT_EQ(Progress.m_nMoney, kMaxMoney); }},
        {kVkF1 + 3, [] { Progress.m_nScoutPoints = 995; }, [] { EXPECT_EQ(Progress.m_nScoutPoints, 1000); }},
        {kVkF1 + 3, [] { Progress.m_nScoutPoints = -50; }, [] { EXPECT_EQ(Progress.m_nScoutPoints, 1); }},
        {kVkF1 + 4, [] { PartyUnits.At(2).m_nPlayC = 1; }, [] { EXPECT_EQ(PartyUnits.At(2).m_nPlayC, 0); }},
        {kVkF1 + 5,
         []
         {
             PartyUnits.At(0).m_Param[0].m_nValue = 1;
             PartyUnits.At(2).m_Param[1].m_nValue = 0;
         },
         []
         {
             EXPECT_EQ(PartyUnits.At(0).m_Param[0].m_nValue, PartyUnits.At(0).m_Param[0].m_nBase);
             EXPECT_EQ(PartyUnits.At(2).m_Param[1].m_nValue, PartyUnits.At(2).m_Param[1].m_nBase);
         }},
        {kVkF1 + 7, [] {},
         []
         {
             for (int32_t item = 1; item < ItemTable.Count(); ++item)
             {
                 EXPECT_EQ(Progress.GetItemCount(item), 1) << item;
             }
             EXPECT_EQ(PartyUnits.At(2).CountSkills(), SkillTable.Count() - 1);
             EXPECT_GE(PartyUnits.At(2).FindSkill(SkillTable.Count() - 1), 0);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nKey - kVkF1 + 1);
        ResetPlay();
        c.m_Prepare();
        HandleGameKey(static_cast<uintptr_t>(c.m_nKey));
        c.m_Check();
    }
}

TEST_F(DebugKeysTest, RestoreAndJumpKeysReachTheBattleAndTheStage)
{
    PartyUnits.At(0).m_Param[0].m_nValue = 1;
    GameScenes.ChangeScene(kSceneBattle);
    HandleGameKey(kVkF1 + 5);
    EXPECT_EQ(m_Records[kSceneBattle].m_nRestores, 1);
    EXPECT_EQ(PartyUnits.At(0).m_Param[0].m_nValue, 1); // during a battle only its participant

    HandleGameKey(kVkF1 + 6); // no stage: nothing
    GameScenes.SetKeepFlag(1);
    GameScenes.ChangeScene(kSceneStage);
    HandleGameKey(kVkF1 + 6);
    EXPECT_EQ(GameScenes.SceneOf(kSceneStage)->State(), kStageStateDebugJump);
    EXPECT_EQ(GameScenes.SceneOf(kSceneStage)->SubState(), 0);
}

TEST_F(DebugKeysTest, NoKeyActsOnTheTitleOfATestPlayNorOutsideATestPlay)
{
    const int32_t money = Progress.m_nMoney;
    GameScenes.SetCurrentScene(kSceneTitle);
    HandleGameKey(kVkF1 + 2);
    HandleGameKey(platform::kVkEscape); // no window to close either way: nothing is posted anywhere
    EXPECT_EQ(Progress.m_nMoney, money);

    BeginTestPlayReports(false);
    GameScenes.SetCurrentScene(kSceneCamp);
    HandleGameKey(kVkF1 + 2);
    EXPECT_EQ(Progress.m_nMoney, money);

    BeginTestPlayReports(true, "unused endpoint");
    HandleGameKey(kVkF1 + 2);
    EXPECT_EQ(Progress.m_nMoney, money + 100);
}

} // namespace

namespace
{

TEST_F(DebugKeysTest, EscClosesEveryWhereButOnTheTitleOfATestPlay)
{
    RuntimeFolderScope runtime;
    platform::DummyWindowSystem system;
    struct Case
    {
        bool m_bTestPlay;
        int m_nScene;
        bool m_bCloses;
    };
    for (const Case& c : {Case{false, kSceneTitle, true}, Case{false, kSceneCamp, true}, Case{true, kSceneTitle, false},
                          Case{true, kSceneCamp, true}})
    {
        SCOPED_TRACE(std::to_string(c.m_bTestPlay) + " " + std::to_string(c.m_nScene));
        GameSession session;
        ASSERT_TRUE(session.Open(system, c.m_bTestPlay ? platform::kShowStateTestPlay : platform::kShowStateNormal));
        BeginTestPlayReports(c.m_bTestPlay, "unused endpoint");
        GameScenes.SetCurrentScene(c.m_nScene);
        HandleGameKey(platform::kVkEscape);
        system.PumpMessages();
        EXPECT_EQ(!MainWindowHandle(), c.m_bCloses);
        session.Close();
        system.PumpMessages();
    }
}

} // namespace
