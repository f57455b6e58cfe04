// The stage map's flow past the player phase: its events run through the
// event interpreter on the event thread, the enemy phase with the enemies'
// movement AI, the victory with its reward and the world map's after-clear
// action, and the game over.

#include "EventCommandBuilder.h"
#include "RuntimeFolderScope.h"
#include "StageTest.h"
#include "common/window/WindowBase.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/Thread.h"
#include "game/data/ValueOperations.h"
#include "game/scenes/BattleFormulas.h"
#include "game/scenes/EnemyTargeting.h"
#include "game/scenes/worldmap/WorldMapRules.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"

#include <algorithm>
#include <cstdlib>

namespace
{

constexpr int kKeyZ = 'Z';
constexpr int kKeyX = 'X';

// Event command codes (rows of the command table).
constexpr int32_t kCodeVariable = 6;
constexpr int32_t kCodeMoney = 11;
constexpr int32_t kCodeParty = 15;
constexpr int32_t kCodeStageClear = 16;
constexpr int32_t kCodeGameOver = 17;

// The stage's number on the world map.
constexpr int32_t kStageNumber = 3;

class StageFlowTest : public StageTest
{
protected:
    void SetUp() override
    {
        StageTest::SetUp();
        thEvent.Reopen();
        m_nWasActive = AppActive.exchange(1);
        AddGroup({{1, 1}});
        Stage.m_Event.clear();
        Progress.m_nCurrentStage = kStageNumber;
        WorldMap.SetDefaults();
        CurrentWorldPage = WorldMapEventPage();
    }

    void TearDown() override
    {
        m_Scenes.Reset();
        thEvent.Exit();
        AppActive = m_nWasActive;
        Stage.m_Event.clear();
        WorldMap.SetDefaults();
        CurrentWorldPage = WorldMapEventPage();
        StageTest::TearDown();
    }

    // An event at (0, 0) with one page of the trigger and the commands.
    static void AddEvent(int32_t trigger, std::vector<EventCommand> commands)
    {
        Event event;
        event.Init();
        EventPage& page = event.m_Page.At(0);
        page.m_nTiming = trigger;
        for (EventCommand& command : commands)
        {
            page.m_Action.push_back(std::move(command));
        }
        Stage.m_Event.push_back(std::move(event));
    }

    // A page of the trigger that appends a digit to a variable (value x 10 + digit).
    static EventPage Mark(int32_t trigger, int32_t variable, int32_t digit)
    {
        EventPage page;
        page.Init();
        page.m_nTiming = trigger;
        page.m_Action.push_back(Command(kCodeVariable, {variable, kOperatorMultiply, 10}));
        page.m_Action.push_back(Command(kCodeVariable, {variable, kOperatorAdd, digit}));
        return page;
    }

    // An event on the cell with the pages, held by the unit that stands there when the attack starts.
    static void AddPages(int32_t x, int32_t y, bool held, std::vector<EventPage> pages)
    {
        Event event;
        event.Init();
        event.m_nX = x;
        event.m_nY = y;
        event.m_bHeld = held ? 1 : 0;
        event.m_Page.clear();
        for (EventPage& page : pages)
        {
            event.m_Page.push_back(std::move(page));
        }
        Stage.m_Event.push_back(std::move(event));
    }

    static MoveAiEntry Ai(int32_t target, int32_t mode, int32_t skill = 0)
    {
        MoveAiEntry entry;
        entry.m_nRange = 0; // anywhere
        entry.m_nTarget = target;
        entry.m_nMode = mode;
        entry.m_nSkill = skill;
        return entry;
    }

    // The stage entered from the world map and faded in.
    void Enter()
    {
        m_Scenes.SetPreviousScene(kSceneWorldMap);
        m_Scenes.SetCurrentScene(kSceneStage);
        Frames(12);
        ASSERT_NE(Scene(), nullptr);
    }

    // Entered, the leader deployed on the anchor (1, 1) and the attack
    // started: the player's turn, the cursor on the leader.
    void StartAttack()
    {
        Enter();
        ASSERT_EQ(Scene()->State(), kStagePreparation);
        Press(kKeyZ); // はいち
        Press(kKeyZ); // the leader
        Press(kKeyZ); // on the anchor
        Press(kKeyX);
        Press(kKeyX);
        Press(platform::kVkDown, 5); // こうりゃくかいし
        Press(kKeyZ);
        ASSERT_EQ(Scene()->State(), kStagePlayerMap);
    }

    // Entered, the attack started and the player's turn ended: the enemy phase runs.
    void EndFirstPlayerTurn()
    {
        StartAttack();
        EndTurn();
    }

    // From the player's map with the cursor on the leader: ターンエンド.
    void EndTurn()
    {
        Press(platform::kVkRight);
        Press(kKeyZ); // an empty cell: the map menu
        ASSERT_EQ(Scene()->State(), kStageMapMenu);
        Press(platform::kVkUp); // ターンエンド, the last entry
        Press(kKeyZ);
        ASSERT_EQ(Scene()->State(), kStageTurnEnd);
        Press(platform::kVkUp);
        Press(kKeyZ);
    }

    // Entered with a second member (friend 2) in the party, the leader
    // deployed on the anchor (1, 1) and the second member on (3, 1), and the
    // attack started: the player's turn, the cursor on the leader.
    UnitRecord& StartWithSecondMember()
    {
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        PartyUnits.At(1) = Member(2);
        Stage.m_GroupPos.At(0).m_Point.resize(1);
        Stage.m_GroupPos.At(0).m_Point.push_back({3, 1});
        Enter();
        Press(kKeyZ);    // はいち
        Press(kKeyZ, 2); // the leader, on the anchor
        Press(kKeyX);
        Press(platform::kVkRight);
        Press(kKeyZ); // the second member
        Press(platform::kVkRight, 2);
        Press(kKeyZ); // on (3, 1)
        Press(kKeyX, 2);
        Press(platform::kVkDown, 5); // こうりゃくかいし
        Press(kKeyZ);
        EXPECT_EQ(Scene()->State(), kStagePlayerMap);
        EXPECT_EQ(Scene()->Field()->UnitAt(3, 1), &PartyUnits.At(1));
        while (Scene()->CursorX() > 1)
        {
            Press(platform::kVkLeft);
        }
        return PartyUnits.At(1);
    }

    // The second member, on (3, 1), attacks the enemy on (4, 1) from its cell.
    void SecondMemberAttacks()
    {
        while (Scene()->CursorX() < 3)
        {
            Press(platform::kVkRight);
        }
        Press(kKeyZ);    // the second member
        Press(kKeyZ);    // stays on its cell
        Press(kKeyZ, 2); // たたかう, on the enemy beside it
    }

    // Frames until the state is reached; false when it is not within the frames.
    bool FramesUntil(int state, int limit = 400)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (Scene() && Scene()->State() == state)
            {
                return true;
            }
            Frames(1);
        }
        return Scene() && Scene()->State() == state;
    }

    bool Shows(const std::string& text)
    {
        m_Drawn.Clear();
        Frames(1);
        const std::vector<std::string>& calls = m_Drawn.Calls();
        return std::any_of(calls.begin(), calls.end(),
                           [&](const std::string& call) { return call.find(text) != std::string::npos; });
    }
    static int Distance(const CharacterRecord& a, const CharacterRecord& b)
    {
        return std::abs(a.m_nPlayE - b.m_nPlayE) + std::abs(a.m_nPlayF - b.m_nPlayF);
    }

    int m_nWasActive = 0;
};

TEST_F(StageFlowTest, AStageStartEventRunsOnTheEventThreadAndItsClearLeadsToTheVictory)
{
    AddEvent(kTriggerStageStart, {Command(kCodeVariable, {7, 0, 42}), Command(kCodeStageClear, {})});
    Stage.m_nReward = 300;
    Enter();
    EXPECT_EQ(Progress.GetVariable(7), 42);
    ASSERT_EQ(Scene()->State(), kStageVictory);
    Frames(1);
    EXPECT_EQ(Progress.m_nMoney, 300);
    EXPECT_EQ(std::count(m_Sounds.begin(), m_Sounds.end(), kSeClear), 1);
    EXPECT_TRUE(Shows("+300S"));
    Press(kKeyZ); // the wipe ends at once
    EXPECT_EQ(Progress.GetClearedFlag(kStageNumber), 0);
    Press(kKeyZ);
    EXPECT_EQ(Progress.GetClearedFlag(kStageNumber), 1);
    EXPECT_EQ(Scene()->State(), kStageFadeOut);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneWorldMap);
    EXPECT_EQ(Progress.m_nCycle, 0); // the world map asks for nothing after this clear
}

TEST_F(StageFlowTest, TheRewardIsThePrizeOrItsRepeatPercentAndMoneyStopsAtItsCap)
{
    const struct Case
    {
        bool m_bClearedBefore;
        int32_t m_nPrize;
        int32_t m_nRate;
        int32_t m_nMoneyBefore;
        int32_t m_nMoneyAfter;
        const char* m_pszShown; // null: no reward line
    } cases[] = {
        {false, 1000, 50, 0, 1000, "+1000S"},
        {true, 1000, 50, 0, 500, "+500S"},
        {true, 1000, 33, 10, 10 + 330, "+330S"},
        {true, 5, 50, 10, 10 + 3, "+3S"}, // 2.5 rounds half away from zero
        {true, 1000, 0, 10, 10, nullptr},
        {false, 1000, 50, 999500, 999999, "+1000S"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        m_Scenes.Reset();
        Stage.m_Event.clear();
        AddEvent(kTriggerStageStart, {Command(kCodeStageClear, {})});
        Stage.m_nReward = c.m_nPrize;
        Stage.m_nClearedRewardRate = c.m_nRate;
        Progress.SetClearedFlag(kStageNumber, c.m_bClearedBefore ? 1 : 0);
        Progress.m_nMoney = c.m_nMoneyBefore;
        Enter();
        ASSERT_EQ(Scene()->State(), kStageVictory);
        EXPECT_EQ(Shows("font +"), c.m_pszShown != nullptr); // the reward line
        if (c.m_pszShown)
        {
            EXPECT_TRUE(Shows(c.m_pszShown));
        }
        EXPECT_EQ(Progress.m_nMoney, c.m_nMoneyAfter);
    }
}

TEST_F(StageFlowTest, TheAfterClearActionStartsTheWorldOverOrClosesTheGame)
{
    RuntimeFolderScope runtime;
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    // The party entered the stage by a page that starts the world over after its clear.
    CurrentWorldPage.m_nStageNumber = kStageNumber;
    CurrentWorldPage.m_nAfterClear = 1;
    AddEvent(kTriggerStageStart, {Command(kCodeStageClear, {})});
    Progress.SetClearedFlag(1, 1);
    Progress.m_nMapX = 4;

    Enter();
    ASSERT_EQ(Scene()->State(), kStageVictory);
    Press(kKeyZ, 2);
    EXPECT_EQ(Progress.m_nCycle, 1);
    EXPECT_EQ(Progress.GetClearedFlag(1), 0);
    EXPECT_EQ(Progress.GetClearedFlag(kStageNumber), 0); // every flag, this stage's too
    EXPECT_EQ(Progress.m_nMapX, WorldMap.m_nStartX);
    EXPECT_EQ(Progress.m_nMapY, WorldMap.m_nStartY);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneWorldMap);
    system.PumpMessages();
    EXPECT_TRUE(MainWindowHandle());

    // Action 2 ends the game as the stage is left.
    m_Scenes.Reset();
    CurrentWorldPage.m_nAfterClear = 2;
    Enter();
    ASSERT_EQ(Scene()->State(), kStageVictory);
    Press(kKeyZ, 2);
    EXPECT_EQ(Progress.m_nCycle, 1);
    EXPECT_EQ(Progress.GetClearedFlag(kStageNumber), 1);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneWorldMap);
    system.PumpMessages();
    EXPECT_FALSE(MainWindowHandle());
    session.Close();
}

TEST_F(StageFlowTest, AGameOverEventShowsTheGameOverAndButtonOneClosesTheGame)
{
    RuntimeFolderScope runtime;
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    AddEvent(kTriggerStageStart, {Command(kCodeMoney, {50}), Command(kCodeGameOver, {}), Command(kCodeMoney, {50})});
    Enter();
    ASSERT_EQ(Scene()->State(), kStageGameOver);
    EXPECT_EQ(Progress.m_nMoney, 50); // nothing after the game over runs
    Frames(20);
    EXPECT_TRUE(MainWindowHandle());
    Press(kKeyZ); // the wipe ends at once
    system.PumpMessages();
    EXPECT_TRUE(MainWindowHandle());
    Press(kKeyZ);
    system.PumpMessages();
    EXPECT_FALSE(MainWindowHandle());
    session.Close();
}

TEST_F(StageFlowTest, TheBattlesOutcomeChoosesItsTriggerPointsAndTheFightersActionEndsAfterThem)
{
    // The leader fights the enemy beside it from its cell. Variable 1 takes a
    // digit for each trigger point of the battle's end, variable 2 for each
    // of the end of the leader's action; the leader holds the second event.
    Stage.m_Enemy.push_back(Placement(1, 2, 1, 0));
    const struct Case
    {
        bool m_bEnemyFalls;
        bool m_bLeaderFalls;
        bool m_bGameOverWhenWon; // the page of trigger 12 ends the game
        int32_t m_nBattle;
        int32_t m_nAction;
        int m_nState;
    } cases[] = {
        {false, false, false, 12, 123, kStagePlayerMap},   // 11, 18; 2, 9, 15
        {true, false, false, 1234, 123, kStagePlayerMap},  // 11, 18, 12, 19; 2, 9, 15
        {false, true, false, 12567, 12, kStagePlayerMap},  // 11, 18, 14, 13, 20; 2, 9 (it left the party)
        {true, false, true, 123, 0, kStageGameOver},       // the game over stops the chain
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(&c - cases);
        m_Scenes.Reset();
        System.m_bReviveAfterClear = 0;
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        Progress.SetVariable(1, 0);
        Progress.SetVariable(2, 0);
        Stage.m_Event.clear();
        EventPage won = Mark(kTriggerBattleWon, 1, 3);
        if (c.m_bGameOverWhenWon)
        {
            won.m_Action.push_back(Command(kCodeGameOver, {}));
        }
        AddPages(5, 5, false,
                 {Mark(kTriggerBattleEnd, 1, 1), won, Mark(kTriggerLeaderDefeated, 1, 5),
                  Mark(kTriggerBattleLost, 1, 6), Mark(kTriggerPlayerActionEnd, 2, 1), Mark(kTriggerActionEnd, 2, 2)});
        AddPages(1, 1, true,
                 {Mark(kTriggerHolderBattleEnd, 1, 2), Mark(kTriggerHolderBattleWon, 1, 4),
                  Mark(kTriggerHolderBattleLost, 1, 7), Mark(kTriggerHolderActionEnd, 2, 3)});
        StartAttack();
        Press(kKeyZ);    // the leader
        Press(kKeyZ);    // stays on its cell
        Press(kKeyZ, 2); // たたかう, on the enemy beside it
        ASSERT_EQ(Scene()->State(), kStageFadeOut);
        Frames(12);
        ASSERT_EQ(m_Scenes.CurrentScene(), kSceneBattle);

        // The battle's outcome, and back on the stage.
        UnitRecord& leader = PartyUnits.At(0);
        EnemyUnitRecord& enemy = *Scene()->Enemies().At(0);
        enemy.m_nPlayD = c.m_bEnemyFalls ? 1 : 0;
        leader.m_nPlayD = c.m_bLeaderFalls ? 1 : 0;
        m_Scenes.SetPreviousScene(kSceneBattle);
        m_Scenes.SetCurrentScene(kSceneStage);
        ASSERT_TRUE(FramesUntil(c.m_nState, 40));
        Frames(1);
        EXPECT_EQ(Scene()->State(), c.m_nState);
        EXPECT_EQ(Progress.GetVariable(1), c.m_nBattle);
        EXPECT_EQ(Progress.GetVariable(2), c.m_nAction);
        EXPECT_EQ(leader.IsPartyMember(), !c.m_bLeaderFalls);
        EXPECT_EQ(leader.m_nPlayC, c.m_nAction != 0 && !c.m_bLeaderFalls ? 1 : 0);
    }
}

TEST_F(StageFlowTest, ABattleWhoseFighterAnEventTookOutOfThePartyIsNotFought)
{
    // At the battle's start an event takes the second member out of the
    // party. Variable 4 counts the ends of the enemies' actions, variable 5
    // the ends of battles.
    for (const bool playerAttacks : {true, false})
    {
        SCOPED_TRACE(playerAttacks ? "player phase" : "enemy phase");
        m_Scenes.Reset();
        Progress.SetVariable(4, 0);
        Progress.SetVariable(5, 0);
        Stage.m_Enemy.clear();
        if (playerAttacks)
        {
            Stage.m_Enemy.push_back(Placement(1, 4, 1, 0));
        }
        else
        {
            Stage.m_Enemy.push_back(Placement(1, 4, 1, 0, {Ai(kMoveAiTargetNearest, kMoveAiModeAttack)}));
        }
        Stage.m_Event.clear();
        AddEvent(kTriggerBattleStart, {Command(kCodeParty, {2, -1})});
        AddEvent(kTriggerEnemyActionEnd, {Command(kCodeVariable, {4, kOperatorAdd, 1})});
        AddEvent(kTriggerBattleEnd, {Command(kCodeVariable, {5, kOperatorAdd, 1})});
        UnitRecord& second = StartWithSecondMember();
        const EnemyUnitRecord& enemy = *Scene()->Enemies().At(0);

        if (playerAttacks)
        {
            SecondMemberAttacks();
            ASSERT_TRUE(FramesUntil(kStagePlayerMap, 40));
            EXPECT_TRUE(Scene()->IsPlayerPhase());
        }
        else
        {
            EndTurn();
            // The enemy's action ends in place of the battle, and the next turn begins.
            ASSERT_TRUE(FramesUntil(kStagePlayerMap, 200));
            EXPECT_EQ(Scene()->Turn(), 2);
            EXPECT_EQ(Progress.GetVariable(4), 1);
        }
        EXPECT_EQ(m_Scenes.CurrentScene(), kSceneStage);
        EXPECT_NE(m_Scenes.NextScene(), kSceneBattle);
        EXPECT_FALSE(second.IsPartyMember());
        EXPECT_EQ(Scene()->Field()->UnitAt(3, 1), nullptr);
        EXPECT_TRUE(Scene()->Field()->IsActive(enemy));
        EXPECT_EQ(Progress.GetVariable(5), 0); // no battle, so no end of one
    }
}

TEST_F(StageFlowTest, AFallenEnemyLeavesTheMapWhenItsOpponentLeftThePartyAfterTheBattle)
{
    Stage.m_Enemy.push_back(Placement(1, 4, 1, 0));
    AddEvent(kTriggerBattleEnd, {Command(kCodeParty, {2, -1})});
    UnitRecord& second = StartWithSecondMember();
    SecondMemberAttacks();
    ASSERT_EQ(Scene()->State(), kStageFadeOut);
    Frames(12);
    ASSERT_EQ(m_Scenes.CurrentScene(), kSceneBattle);

    // The enemy fell; back on the stage the event takes its opponent away.
    EnemyUnitRecord& enemy = *Scene()->Enemies().At(0);
    enemy.m_nPlayD = 1;
    m_Scenes.SetPreviousScene(kSceneBattle);
    m_Scenes.SetCurrentScene(kSceneStage);
    ASSERT_TRUE(FramesUntil(kStagePlayerMap, 40));
    EXPECT_FALSE(second.IsPartyMember());
    EXPECT_EQ(Scene()->Field()->UnitAt(4, 1), nullptr);
    EXPECT_FALSE(Scene()->Field()->IsActive(enemy));
}

TEST_F(StageFlowTest, TheEnemyPhaseMovesTheEnemiesByTheirAiAndEndsInTheNextPlayerTurn)
{
    // A goes for the nearest unit and only moves, carrying an event that counts its actions; B has no way to act.
    Stage.m_Enemy.push_back(Placement(1, 7, 6, 0, {Ai(kMoveAiTargetNearest, kMoveAiModeMove)}));
    Stage.m_Enemy.push_back(Placement(1, 8, 0, 0));
    AddEvent(kTriggerHolderActionEnd, {Command(kCodeVariable, {5, 1, 1})});
    Event& carried = Stage.m_Event.At(0);
    carried.m_nX = 7;
    carried.m_nY = 6;
    carried.m_bHeld = 1;
    EndFirstPlayerTurn();
    ASSERT_TRUE(FramesUntil(kStageEnemyAction, 4));
    EnemyUnitRecord& a = *Scene()->Enemies().At(0);
    EnemyUnitRecord& b = *Scene()->Enemies().At(1);
    const UnitRecord& leader = PartyUnits.At(0);
    const int before = Distance(a, leader);
    ASSERT_TRUE(FramesUntil(kStagePlayerMap));
    EXPECT_EQ(Distance(a, leader), before - 3); // its three moves, all towards the leader
    EXPECT_EQ(Stage.m_Event.At(0).m_nX, a.m_nPlayE); // its event went with it
    EXPECT_EQ(Stage.m_Event.At(0).m_nY, a.m_nPlayF);
    EXPECT_EQ(Progress.GetVariable(5), 1); // and ran once, for A alone
    EXPECT_EQ(b.m_nPlayE, 8);
    EXPECT_EQ(b.m_nPlayF, 0);
    EXPECT_EQ(Scene()->Turn(), 2);
    EXPECT_TRUE(Scene()->IsPlayerPhase());
    EXPECT_EQ(a.m_nPlayC, 0);
    EXPECT_EQ(b.m_nPlayC, 0);
    EXPECT_EQ(Scene()->CursorX(), leader.m_nPlayE);
    EXPECT_EQ(Scene()->CursorY(), leader.m_nPlayF);
}

TEST_F(StageFlowTest, AnEnemyThatReachesItsTargetFightsItInTheBattle)
{
    Stage.m_Enemy.push_back(Placement(1, 4, 1, 0, {Ai(kMoveAiTargetNearest, kMoveAiModeAttack)}));
    Stage.CellAt(1, 1) = kLandHills;
    EndFirstPlayerTurn();
    ASSERT_TRUE(FramesUntil(kStageFadeOut));
    const EnemyUnitRecord& enemy = *Scene()->Enemies().At(0);
    EXPECT_EQ(enemy.m_nPlayE, 2); // beside the leader
    EXPECT_EQ(enemy.m_nPlayF, 1);
    const StageBattle& battle = Scene()->Battle();
    EXPECT_EQ(battle.m_pPlayer, &PartyUnits.At(0));
    EXPECT_EQ(battle.m_pEnemy, &enemy);
    EXPECT_EQ(battle.m_nLand, kLandHills);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneBattle);
    EXPECT_FALSE(Scene()->IsPlayerPhase());
}

TEST_F(StageFlowTest, AnEnemyHealsAHurtAllyWithItsSkillAndItsActionEnds)
{
    const SkillRecord& heal = SetUpHeal();
    Stage.m_Enemy.push_back(Placement(1, 7, 6, 0, {Ai(kMoveAiTargetMostHurtAlly, kMoveAiModeSkill, 1)}));
    Stage.m_Enemy.push_back(Placement(1, 8, 6, 0));
    // The end of the healer's action counts in variable 4.
    AddEvent(kTriggerEnemyActionEnd, {Command(kCodeVariable, {4, kOperatorAdd, 1})});
    StartAttack();
    EnemyUnitRecord& healer = *Scene()->Enemies().At(0);
    EnemyUnitRecord& hurt = *Scene()->Enemies().At(1);
    healer.m_Skill.assign(1, SkillEntry());
    healer.m_Skill.At(0).m_nSkill = 1;
    healer.m_Param[kParamMagic].m_nValue = 10;
    healer.m_Param[kParamSp].m_nBase = healer.m_Param[kParamSp].m_nValue = 10;
    hurt.m_Param[kParamHp].m_nBase = 100;
    hurt.m_Param[kParamHp].m_nValue = 50;
    const int32_t recovery = CalcRecovery(10, heal.m_nPower, heal.m_nStatChange[kParamHp]);
    ASSERT_GT(recovery, 0);
    EndTurn();
    ASSERT_TRUE(FramesUntil(kStagePlayerMap));
    EXPECT_EQ(hurt.m_Param[kParamHp].m_nValue, 50 + recovery);
    EXPECT_EQ(healer.m_Param[kParamSp].m_nValue, 7);
    EXPECT_EQ(std::count(m_Sounds.begin(), m_Sounds.end(), kSeHeal), 1);
    EXPECT_EQ(Progress.GetVariable(4), 2); // both enemies' actions ended
    EXPECT_EQ(Scene()->Turn(), 2);
}

TEST_F(StageFlowTest, AnEventAtTheEndOfAnEnemysActionRunsForThatEnemy)
{
    // Trigger 6 with the acting enemy on the map: the variable counts the enemies' actions.
    Stage.m_Enemy.push_back(Placement(1, 8, 6, 0));
    Stage.m_Enemy.push_back(Placement(1, 8, 0, 0));
    AddEvent(kTriggerEnemyActionEnd, {Command(kCodeVariable, {3, 1, 1})});
    EventPage& page = Stage.m_Event.At(0).m_Page.At(0);
    page.m_nArea = 1;   // anywhere on the map
    page.m_nTarget = 3; // the acting unit
    EndFirstPlayerTurn();
    ASSERT_TRUE(FramesUntil(kStagePlayerMap));
    EXPECT_EQ(Progress.GetVariable(3), 2);
}

} // namespace
