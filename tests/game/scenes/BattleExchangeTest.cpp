#include "game/scenes/BattleExchange.h"

#include "BattleTest.h"
#include "platform/window/ScriptedDialogs.h"

namespace
{

class BattleExchangeTest : public BattleTest
{
protected:
    // NextTurn until someone acts or the battle is over.
    int NextActingTurn()
    {
        int next = kNobody;
        for (int guard = 0; guard < 1000 && next == kNobody; ++guard)
        {
            next = m_Exchange.NextTurn();
        }
        return next;
    }

    // Turns without actions carried out until the friend acts at that step.
    bool RunUntilFriendActsAt(int32_t step)
    {
        for (int next = NextActingTurn(); next != kBattleOver && next != kNobody; next = NextActingTurn())
        {
            if (next == kFriendActs && m_Exchange.State().m_nElapsed == step)
            {
                return true;
            }
        }
        return false;
    }
};

TEST_F(BattleExchangeTest, EachSideActsWhenItsActionValueReaches1000)
{
    // Speeds are equal, so both sides gain 100 a step; the battle lasts 27 steps.
    struct Case
    {
        int32_t m_nAttackerInitial;
        int32_t m_nDefenderInitial;
        int32_t m_bDefenderWaits;
        bool m_bFriendAttacks;
        std::vector<int32_t> m_AttackerSteps;
        std::vector<int32_t> m_DefenderSteps;
    };
    const Case cases[] = {
        {500, 0, 0, true, {5, 15, 25}, {10, 20}},
        {500, 0, 0, false, {5, 15, 25}, {10, 20}},
        // Both reach 1000 in the same step: the defender follows one step later.
        {0, 0, 0, true, {10, 20}, {11, 21}},
        {500, 500, 0, true, {5, 15, 25}, {6, 16, 26}},
        // The waiting defender gathers nothing until the attacker has acted.
        {500, 0, 1, true, {5, 15, 25}, {16, 26}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nAttackerInitial << " / " << c.m_nDefenderInitial << " waits "
                                        << c.m_bDefenderWaits << " friend attacks " << c.m_bFriendAttacks);
        System.m_nInitialAction[0] = c.m_nAttackerInitial;
        System.m_nInitialAction[1] = c.m_nDefenderInitial;
        System.m_bDefenderWaits = c.m_bDefenderWaits;
        Begin(c.m_bFriendAttacks);
        EXPECT_EQ(Steps(m_Exchange.Attacker()), c.m_AttackerSteps);
        EXPECT_EQ(Steps(m_Exchange.Defender()), c.m_DefenderSteps);

        const auto [friendSteps, enemySteps] = RunToTheEnd();
        EXPECT_EQ(c.m_bFriendAttacks ? friendSteps : enemySteps, c.m_AttackerSteps);
        EXPECT_EQ(c.m_bFriendAttacks ? enemySteps : friendSteps, c.m_DefenderSteps);
        EXPECT_EQ(m_Exchange.Attacker().CountPendingActions(), 0);
        EXPECT_EQ(m_Exchange.Defender().CountPendingActions(), 0);
        EXPECT_EQ(m_Exchange.State().m_nElapsed, 27);
    }
}

TEST_F(BattleExchangeTest, LandThatMarksTheBattleTimeScalesIt)
{
    LandRecord& land = LandTable.At(kLandHills);
    land.m_nSpecial = kLandEffectBattleTime;
    land.m_nSpecialValue = 50;
    Begin(true, kLandHills);
    EXPECT_EQ(m_Exchange.State().m_nBattleTime, 14); // 13.5 rounded away from zero
    EXPECT_EQ(Steps(m_Exchange.Attacker()), (std::vector<int32_t>{5}));
    EXPECT_EQ(Steps(m_Exchange.Defender()), (std::vector<int32_t>{10}));

    Begin(true, kLandPlain);
    EXPECT_EQ(m_Exchange.State().m_nBattleTime, 27);
}

TEST_F(BattleExchangeTest, TurnStartClearsQuickUseAndDamageReduction)
{
    Begin();
    BattleParticipant& friendSide = m_Exchange.Friend();
    friendSide.m_bQuickUsed = 1;
    friendSide.m_nDamageReduction = 7;
    m_Exchange.State().m_ActionMessages.push_back("left over");

    ASSERT_EQ(NextActingTurn(), kFriendActs);
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 5);
    EXPECT_TRUE(m_Exchange.IsFriendTurn());
    EXPECT_EQ(friendSide.m_bQuickUsed, 0);
    EXPECT_EQ(friendSide.m_nDamageReduction, 0);
    EXPECT_EQ(friendSide.m_nTurnCount, 1);
    EXPECT_TRUE(m_Exchange.ActionMessages().empty());
}

TEST_F(BattleExchangeTest, QuickSkillIsFollowedByAnotherActionOfTheSameSide)
{
    ScriptedDraws sure({});
    m_Enemy.m_BattleAi.push_back(Rule(kBattleAiQuick, kQuickSupport));
    Begin();

    // The friend: quick skill, then its command menu again, where the quick
    // command is closed until its next turn.
    ASSERT_EQ(NextActingTurn(), kFriendActs);
    EXPECT_TRUE(m_Exchange.CanUseQuick());
    m_Exchange.ChooseAction({kActionQuickSkill, kQuickSupport, 0});
    EXPECT_EQ(m_Exchange.Execute(), 1);
    EXPECT_EQ(m_Exchange.ActionMessages().size(), 1u);
    EXPECT_FALSE(m_Exchange.CanUseQuick());
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::FriendAgain);
    EXPECT_TRUE(m_Exchange.ActionMessages().empty());
    m_Exchange.ChooseAction({kActionWeapon, 0, 0});
    m_Exchange.Execute();
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::NextStep);

    // The enemy: its quick rule, then its other rules, then the time runs on.
    ASSERT_EQ(NextActingTurn(), kEnemyActs);
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 10);
    EXPECT_EQ(m_Exchange.ChooseEnemyAction().m_pTarget, &m_Exchange.Enemy());
    EXPECT_EQ(m_Exchange.State().m_Action.m_nKind, kActionQuickSkill);
    m_Exchange.Execute();
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::EnemyAgain);
    m_Exchange.ChooseEnemyAction();
    EXPECT_EQ(m_Exchange.State().m_Action.m_nKind, kActionWeapon);
    m_Exchange.Execute();
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::NextStep);

    ASSERT_EQ(NextActingTurn(), kFriendActs);
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 15);
    EXPECT_TRUE(m_Exchange.CanUseQuick());
}

TEST_F(BattleExchangeTest, TimeSkillTurnsTimeBackAndGivesAnActionAtOnce)
{
    ScriptedDraws sure({});
    SkillTable.At(kTimeSkill).m_nPower = -1;
    Begin();
    ASSERT_EQ(NextActingTurn(), kFriendActs);
    m_Exchange.ChooseAction({kActionSkill, kTimeSkill, 0});
    EXPECT_EQ(m_Exchange.Execute(), 1);

    // Back to the step before the friend's action at step 5; the enemy kept
    // its 500.
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 0);
    EXPECT_EQ(Steps(m_Exchange.Friend()), (std::vector<int32_t>{0, 10, 20}));
    EXPECT_EQ(Steps(m_Exchange.Enemy()), (std::vector<int32_t>{5, 15, 25}));
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::NextStep);
    EXPECT_EQ(m_Exchange.NextTurn(), kFriendActs);
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 0);
    EXPECT_EQ(m_Exchange.Friend().m_nTurnCount, 2);
}

TEST_F(BattleExchangeTest, QuickTimeSkillPastTheTimelineEndsTheBattle)
{
    ScriptedDraws sure({});
    SkillTable.At(kTimeSkill).m_bQuick = 1;
    SkillTable.At(kTimeSkill).m_nPower = 5;
    Begin();
    ASSERT_EQ(NextActingTurn(), kFriendActs);
    m_Exchange.ChooseAction({kActionQuickSkill, kTimeSkill, 0});
    m_Exchange.Execute();
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 27);
    EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::Results);
    EXPECT_TRUE(m_Exchange.IsOver());
    EXPECT_EQ(m_Exchange.ResultMessages(), (std::vector<std::string>{"EXを20かくとく！"}));
}

TEST_F(BattleExchangeTest, AnEnemysQuickTimeSkillThatLeavesTheTimeWhereItWasEndsItsTurn)
{
    // The enemy's quick rule names a free time skill of power 0 (the time
    // stays), or -1 (the time goes back once, then finds no action of the
    // enemy to go back from).
    platform::ScriptedDialogs dialogs;
    ScriptedDraws sure({});
    SkillRecord& time = SkillTable.At(kTimeSkill);
    time.m_bQuick = 1;
    time.m_nSpCost = 0;
    m_Enemy.m_BattleAi.push_back(Rule(kBattleAiQuick, kTimeSkill));
    const struct Case
    {
        int32_t m_nPower;
        int m_nQuickActions;
        int32_t m_nElapsed;
    } cases[] = {{0, 1, 10}, {-1, 2, 0}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nPower);
        time.m_nPower = c.m_nPower;
        Begin();
        int next = NextActingTurn();
        while (next == kFriendActs)
        {
            m_Exchange.ChooseAction({kActionWeapon, 0, 0});
            m_Exchange.Execute();
            ASSERT_EQ(m_Exchange.AfterAction(), AfterActionStep::NextStep);
            next = NextActingTurn();
        }
        ASSERT_EQ(next, kEnemyActs);
        int quick = 0;
        AfterActionStep step = AfterActionStep::EnemyAgain;
        for (int actions = 0; actions < 100 && step == AfterActionStep::EnemyAgain; ++actions)
        {
            m_Exchange.ChooseEnemyAction();
            quick += m_Exchange.State().m_Action.m_nKind == kActionQuickSkill ? 1 : 0;
            m_Exchange.Execute();
            step = m_Exchange.AfterAction();
        }
        // The quick actions, then a weapon attack, and the time runs on.
        EXPECT_EQ(step, AfterActionStep::NextStep);
        EXPECT_EQ(quick, c.m_nQuickActions);
        EXPECT_EQ(m_Exchange.State().m_Action.m_nKind, kActionWeapon);
        EXPECT_EQ(m_Exchange.State().m_nElapsed, c.m_nElapsed);
    }
}

TEST_F(BattleExchangeTest, ALongBattleTimeIsPlannedInOneWalk)
{
    // Ten million steps plan a million actions a side: a few hundredths of a
    // second walked once, hours when each of the defender's actions looks
    // through the attacker's timeline again.
    System.m_nBattleTime = 10'000'000;
    Begin();
    const std::vector<PlannedAction>& attacker = m_Exchange.Attacker().m_Timeline;
    const std::vector<PlannedAction>& defender = m_Exchange.Defender().m_Timeline;
    ASSERT_EQ(attacker.size(), 1'000'000u);
    ASSERT_EQ(defender.size(), 999'999u);
    EXPECT_EQ(attacker.front().m_nStep, 5);
    EXPECT_EQ(attacker.back().m_nStep, 9'999'995);
    EXPECT_EQ(defender.front().m_nStep, 10);
    EXPECT_EQ(defender.back().m_nStep, 9'999'990);

    // Both at 1000 in the same steps: the defender's every action one step later.
    System.m_nInitialAction[0] = 0;
    Begin();
    ASSERT_EQ(defender.size(), 999'999u);
    EXPECT_EQ(defender.front().m_nStep, 11);
    EXPECT_EQ(defender.back().m_nStep, 9'999'991);
}

TEST_F(BattleExchangeTest, ShiftTimeMovesAlongTheActorsTimeline)
{
    // At step 15 the attacker (friend) has acted at 5 and 15 and plans 25;
    // the defender has acted at 10 and plans 20.
    struct Case
    {
        int32_t m_nSteps;
        int32_t m_nElapsed;
        std::vector<int32_t> m_AttackerSteps;
        std::vector<int32_t> m_DefenderSteps;
    };
    const Case cases[] = {
        {0, 15, {5, 25}, {10, 20}},     {-1, 5, {25}, {20}}, {-9, 0, {25}, {20}}, {1, 25, {5, 15, 25}, {10, 20}},
        {2, 27, {5, 15, 25}, {10, 20}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nSteps);
        Begin();
        ASSERT_TRUE(RunUntilFriendActsAt(15));
        m_Exchange.ShiftTime(c.m_nSteps, m_Exchange.Friend());
        EXPECT_EQ(m_Exchange.State().m_nElapsed, c.m_nElapsed);
        EXPECT_EQ(Steps(m_Exchange.Attacker()), c.m_AttackerSteps);
        EXPECT_EQ(Steps(m_Exchange.Defender()), c.m_DefenderSteps);
    }
}

TEST_F(BattleExchangeTest, ShiftTimeWithoutAnActionInTheCurrentStepChangesNothing)
{
    platform::ScriptedDialogs dialogs;
    Begin();
    ASSERT_TRUE(RunUntilFriendActsAt(15));
    m_Exchange.ShiftTime(-1, m_Exchange.Enemy());
    EXPECT_EQ(m_Exchange.State().m_nElapsed, 15);
    EXPECT_EQ(Steps(m_Exchange.Enemy()), (std::vector<int32_t>{10, 20}));
    EXPECT_EQ(Steps(m_Exchange.Friend()), (std::vector<int32_t>{5, 15, 25}));
    ASSERT_EQ(dialogs.Boxes().size(), 1u);
    EXPECT_EQ(dialogs.Boxes()[0].m_strText, "時間操作失敗！");
}

TEST_F(BattleExchangeTest, BattleEndsWhenAUnitFalls)
{
    ScriptedDraws sure({});
    struct Case
    {
        bool m_bFriendFalls;
        std::vector<std::string> m_Lines;
    };
    // Level 3 against level 5: 2 x 5 + 10 = 20, doubled for the fall.
    const Case cases[] = {
        {false, {"enemyをたおした！", "EXを40かくとく！"}},
        {true, {"friendはしんだ…"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_bFriendFalls);
        CharacterRecord& victim = c.m_bFriendFalls ? static_cast<CharacterRecord&>(m_Friend) : m_Enemy;
        victim.m_Param[kParamHp].m_nValue = 10;
        Begin(!c.m_bFriendFalls);
        ASSERT_EQ(NextActingTurn(), c.m_bFriendFalls ? kEnemyActs : kFriendActs);
        m_Exchange.ChooseAction({kActionWeapon, 0, 0});
        m_Exchange.Execute();

        BattleParticipant& fallen = c.m_bFriendFalls ? m_Exchange.Friend() : m_Exchange.Enemy();
        EXPECT_EQ(fallen.m_bDead, 1);
        m_Exchange.StartPopups();
        EXPECT_TRUE(m_Exchange.PopupOf(fallen).IsActive());
        EXPECT_EQ(m_Exchange.PopupOf(fallen).m_nValue, 18); // 20 at the spread's 90 %
        EXPECT_FALSE(m_Exchange.PopupOf(m_Exchange.Actor()).IsActive());
        m_Exchange.MarkDefeats();
        EXPECT_EQ(fallen.m_bDead, 2);
        EXPECT_EQ(m_Exchange.AfterAction(), AfterActionStep::Results);
        EXPECT_TRUE(m_Exchange.IsOver());
        EXPECT_EQ(m_Exchange.ResultMessages(), c.m_Lines);
        victim.m_Param[kParamHp].m_nValue = 100;
    }
}

TEST_F(BattleExchangeTest, BattleEndsWhenTheStepsReachTheBattleTime)
{
    System.m_nBattleTime = 5;
    System.m_nInitialAction[0] = 0;
    Begin();
    for (int step = 1; step < 5; ++step)
    {
        EXPECT_EQ(m_Exchange.NextTurn(), kNobody);
        EXPECT_FALSE(m_Exchange.IsOver());
    }
    EXPECT_EQ(m_Exchange.NextTurn(), kBattleOver);
    EXPECT_TRUE(m_Exchange.IsOver());
    // Both stand: no fall line, but the friend's experience.
    EXPECT_EQ(m_Exchange.ResultMessages(), (std::vector<std::string>{"EXを20かくとく！"}));
    EXPECT_EQ(m_Exchange.NextActor(), kBattleOver);
}

TEST_F(BattleExchangeTest, ForecastWindowShowsHitAndHpChange)
{
    ItemTable.At(3).m_nValue[kParamHp] = 30; // a medicine, halved by the System's recovery rate
    ItemTable.At(3).m_nHitRate = 100;
    m_Friend.m_Param[kParamHp].m_nValue = 70;
    Begin();
    struct Case
    {
        BattleAction m_Action;
        std::vector<std::string> m_Lines;
    };
    const Case cases[] = {
        {{kActionWeapon, 0, 0}, {"name", "HIT 90%", "HP -20 (100-20)"}},
        {{kActionItem, 0, 3}, {"name", "HIT 100%", "HP +15 (70+15)"}},
        {{kActionSkill, kTimeSkill, 0}, {"name", "HIT 100%"}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(ForecastLines(m_Exchange.ChooseAction(c.m_Action), "name"), c.m_Lines);
    }
}

TEST_F(BattleExchangeTest, CommandMenuHoldsTheEnabledCommands)
{
    struct Case
    {
        std::vector<int32_t> m_Enabled;
        std::vector<int32_t> m_Commands;
    };
    const Case cases[] = {
        {{1, 1, 1, 1}, {0, 1, 2, 3}},
        {{0, 1, 0, 1}, {1, 3}},
        {{0, 0, 0, 0}, {0}},
    };
    for (const Case& c : cases)
    {
        for (std::size_t i = 0; i < c.m_Enabled.size(); ++i)
        {
            System.m_BattleCharaMenu.At(static_cast<int>(i)).m_bEnabled = c.m_Enabled[i];
        }
        EXPECT_EQ(BuildBattleCommands(), c.m_Commands);
    }
}

} // namespace
