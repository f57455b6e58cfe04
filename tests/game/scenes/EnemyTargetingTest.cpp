#include "game/scenes/EnemyTargeting.h"

#include "SceneRulesTest.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/MapSkillRules.h"

namespace
{

class EnemyTargetingTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        ClassTable.At(1).m_nMove = 4;
        // Skill 1: a recovery aimed at the user's side for 3 SP; skill 2: a magic attack.
        SkillRecord& recovery = SkillTable.At(1);
        recovery.m_nKind = kSkillKindRecovery;
        recovery.m_nTarget = kSkillTargetSelf;
        recovery.m_nPower = 10;
        recovery.m_nSpCost = 3;
        SkillTable.At(2).m_nKind = kSkillKindMagicAttack;
    }

    static MoveAiEntry Entry(int32_t range, int32_t target, int32_t mode, int32_t skill = 0, int32_t goal = 0)
    {
        MoveAiEntry entry;
        entry.m_nRange = range;
        entry.m_nTarget = target;
        entry.m_nMode = mode;
        entry.m_nSkill = skill;
        entry.m_nGoalNum = goal;
        return entry;
    }

    EnemyDecision Decide(char letter, std::vector<MoveAiEntry> entries)
    {
        EnemyUnitRecord& enemy = Enemy(letter);
        enemy.m_MoveAI.assign(entries.begin(), entries.end());
        enemy.LinkGoalGroups();
        return DecideEnemyAction(*m_Field, enemy, m_PlayerList, m_EnemyList, m_Grids);
    }

    static std::pair<int32_t, int32_t> Destination(const EnemyDecision& decision)
    {
        return {decision.m_nDestX, decision.m_nDestY};
    }

    EnemyAiGrids m_Grids;
};

TEST_F(EnemyTargetingTest, TheNearestUnitByPathCostAndTheCellNearestIt)
{
    DrawStage({
        "A.....b",
        ".......",
        "...a...",
    });
    // a costs 6 from A, b 7. No cell beside a is in reach; of the cells two
    // steps from a, the one on its diagonal wins over those in line with it.
    ClassTable.At(1).m_nMove = 3;
    const EnemyDecision decision = Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetNearest, kMoveAiModeMove)});
    EXPECT_EQ(decision.m_nEntry, 0);
    EXPECT_EQ(decision.m_nAction, kMoveAiModeMove);
    EXPECT_EQ(decision.m_pTarget, nullptr);
    EXPECT_EQ(Destination(decision), std::make_pair(2, 1));
    EXPECT_EQ(Enemy('A').m_nPlayI, 2);
    EXPECT_EQ(Enemy('A').m_nPlayJ, 1);
    EXPECT_EQ(m_Grids.m_PathCosts.At(3, 2), 6);
    EXPECT_EQ(m_Grids.m_PathMap.At(2, 1), 2);
}

TEST_F(EnemyTargetingTest, AnAttackEndsBesideTheTargetOnTheCellReachedFirst)
{
    DrawStage({
        "A...",
        "....",
        "..a.",
    });
    // (1,2) and (2,1) both lie beside a; the depth-first fill reaches (1,2)
    // first (down, down, right), before (2,1).
    const EnemyDecision decision = Decide('A', {Entry(kMoveAiRangeThreat, kMoveAiTargetNearest, kMoveAiModeAttack)});
    EXPECT_EQ(decision.m_nAction, kMoveAiModeAttack);
    EXPECT_EQ(decision.m_pTarget, &Player('a'));
    EXPECT_EQ(Destination(decision), std::make_pair(1, 2));
}

TEST_F(EnemyTargetingTest, EqualScoresKeepTheEarlierUnit)
{
    struct Case
    {
        int32_t target;
        int32_t bHp;      // b's HP (a has 100)
        int32_t bDefence; // b's defence and resistance (a has 10)
        int32_t leaders;  // bit 0: a leads, bit 1: b leads
        bool magicRule;   // the enemy has a magic attack rule it can pay for
        char chosen;      // 0: no target
    };
    const Case cases[] = {
        {kMoveAiTargetNearest, 100, 10, 0, false, 'a'}, {kMoveAiTargetWeakest, 100, 10, 0, false, 'a'},
        {kMoveAiTargetWeakest, 99, 10, 0, false, 'b'},  {kMoveAiTargetPhysical, 100, 10, 0, false, 'a'},
        {kMoveAiTargetPhysical, 100, 9, 0, false, 'b'}, {kMoveAiTargetMagic, 100, 9, 0, false, 0},
        {kMoveAiTargetMagic, 100, 10, 0, true, 'a'},    {kMoveAiTargetMagic, 100, 9, 0, true, 'b'},
        {kMoveAiTargetLeader, 100, 10, 0, false, 0},    {kMoveAiTargetLeader, 100, 10, 1, false, 'a'},
        {kMoveAiTargetLeader, 100, 10, 3, false, 'b'}, // the last leader in the list
    };
    for (const Case& c : cases)
    {
        DrawStage({
            "a...b",
            ".....",
            "..A..",
        });
        EnemyUnitRecord& enemy = Enemy('A');
        enemy.m_Param[kParamAttack].m_nValue = 30;
        enemy.m_Param[kParamMagic].m_nValue = 30;
        enemy.m_Param[kParamSp].m_nValue = 10;
        enemy.m_BattleAi.clear();
        if (c.magicRule)
        {
            BattleAiEntry rule;
            rule.SetDefaults();
            rule.m_nAction = kBattleAiSkill;
            rule.m_nSkill = 2;
            enemy.m_BattleAi.push_back(rule);
        }
        for (char letter : {'a', 'b'})
        {
            UnitRecord& unit = Player(letter);
            const bool isB = letter == 'b';
            unit.m_Param[kParamHp].m_nValue = isB ? c.bHp : 100;
            unit.m_Param[kParamDefence].m_nValue = isB ? c.bDefence : 10;
            unit.m_Param[kParamResistance].m_nValue = isB ? c.bDefence : 10;
            unit.m_nPlayA = (c.leaders >> (isB ? 1 : 0)) & 1;
        }
        const EnemyDecision decision = Decide('A', {Entry(kMoveAiRangeAnywhere, c.target, kMoveAiModeAttack)});
        SCOPED_TRACE(testing::Message() << "target " << c.target << " b HP " << c.bHp << " defence " << c.bDefence);
        EXPECT_EQ(decision.m_pTarget, c.chosen ? static_cast<CharacterRecord*>(&Player(c.chosen)) : nullptr);
        EXPECT_EQ(decision.m_nAction, c.chosen ? kMoveAiModeAttack : kMoveAiModeMove);
    }
}

TEST_F(EnemyTargetingTest, RangeConditionsNarrowTheCandidates)
{
    DrawStage({
        "a.#....",
        "..#.A.b",
        "..#....",
    });
    // a is nearer by the crow, yet the wall makes b the nearest way; within
    // reach only b counts; in the threat area nobody but b either.
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetWeakest, kMoveAiModeAttack)}).m_pTarget,
              nullptr); // a is not threatened: an attack on it fails
    Player('b').m_Param[kParamHp].m_nValue = 150;
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeThreat, kMoveAiTargetWeakest, kMoveAiModeAttack)}).m_pTarget,
              &Player('b'));
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeReach, kMoveAiTargetWeakest, kMoveAiModeAttack)}).m_nEntry, -1);
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetNearest, kMoveAiModeAttack)}).m_pTarget,
              &Player('b'));
    // An unknown range lets no unit through.
    EXPECT_EQ(Decide('A', {Entry(3, kMoveAiTargetNearest, kMoveAiModeMove)}).m_nEntry, -1);
}

TEST_F(EnemyTargetingTest, AnAttackOnAUnitOutOfReachWaitsForAMoveEntryToCloseIn)
{
    DrawStage({
        "a..........A",
        "............",
    });
    // The weakest unit anywhere is far beyond the enemy's threat area: an
    // attack entry alone never works out and the enemy keeps its cell, turn
    // after turn; a move entry after it walks the enemy towards the unit.
    const MoveAiEntry attack = Entry(kMoveAiRangeAnywhere, kMoveAiTargetWeakest, kMoveAiModeAttack);
    const MoveAiEntry closeIn = Entry(kMoveAiRangeAnywhere, kMoveAiTargetWeakest, kMoveAiModeMove);
    EnemyDecision decision = Decide('A', {attack});
    EXPECT_EQ(decision.m_nEntry, -1);
    EXPECT_EQ(Destination(decision), std::make_pair(11, 0));
    decision = Decide('A', {attack, closeIn});
    EXPECT_EQ(decision.m_nEntry, 1);
    EXPECT_EQ(decision.m_nAction, kMoveAiModeMove);
    EXPECT_EQ(Destination(decision), std::make_pair(7, 0));
}

TEST_F(EnemyTargetingTest, AnEnemyWhoseEntriesAllFailStaysAndWaits)
{
    DrawStage({
        "a.#.A",
        "..#..",
        "..#..",
    });
    Enemy('A').m_nPlayI = 9;
    Enemy('A').m_nPlayJ = 9;
    Stage.m_GroupPos.At(1).m_Point.assign(1, MapPoint{3, 2});
    const EnemyDecision decision =
        Decide('A', {
                        Entry(kMoveAiRangeAnywhere, kMoveAiTargetNearest, kMoveAiModeAttack), // out of every way
                        Entry(kMoveAiRangeAnywhere, kMoveAiTargetWeakest, kMoveAiModeSkill),  // a skill on a player
                        Entry(kMoveAiRangeAnywhere, kMoveAiTargetGoal, kMoveAiModeAttack, 0, 1),
                        Entry(kMoveAiRangeAnywhere, kMoveAiTargetGoal, kMoveAiModeSkill, 1, 1),
                        Entry(kMoveAiRangeAnywhere, kMoveAiTargetSelf, kMoveAiModeAttack),
                        Entry(kMoveAiRangeAnywhere, 9, kMoveAiModeMove),
                    });
    EXPECT_EQ(decision.m_nEntry, -1);
    EXPECT_EQ(decision.m_nAction, kMoveAiModeMove);
    EXPECT_EQ(decision.m_pTarget, nullptr);
    EXPECT_EQ(Destination(decision), std::make_pair(4, 0));
    EXPECT_EQ(Enemy('A').m_nPlayI, 4);
    EXPECT_EQ(Enemy('A').m_nPlayJ, 0);
}

TEST_F(EnemyTargetingTest, AGoalIsOnlyWalkedTo)
{
    DrawStage({
        "A.....",
        "..#...",
        "......",
    });
    Stage.m_GroupPos.At(1).m_Point = {MapPoint{5, 2}, MapPoint{4, 0}, MapPoint{9, 9}};
    for (int32_t mode : {kMoveAiModeAttack, kMoveAiModeSkill})
    {
        EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetGoal, mode, 1, 1)}).m_nEntry, -1);
    }
    // (4,0) costs 5 from A, (5,2) 8: A heads for (4,0) and stops on it.
    EnemyDecision decision = Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetGoal, kMoveAiModeMove, 0, 1)});
    EXPECT_EQ(decision.m_nEntry, 0);
    EXPECT_EQ(Destination(decision), std::make_pair(4, 0));
    // Only goal cells inside the movement range (range 1) or within reach (range 2) count.
    ClassTable.At(1).m_nMove = 3;
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeThreat, kMoveAiTargetGoal, kMoveAiModeMove, 0, 1)}).m_nEntry, -1);
    Stage.m_GroupPos.At(1).m_Point.push_back(MapPoint{1, 0});
    decision = Decide('A', {Entry(kMoveAiRangeReach, kMoveAiTargetGoal, kMoveAiModeMove, 0, 1)});
    EXPECT_EQ(Destination(decision), std::make_pair(1, 0));
    // Without a goal group to go to, the entry fails.
    Stage.m_GroupPos.clear();
    EXPECT_EQ(Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetGoal, kMoveAiModeMove, 0, 1)}).m_nEntry, -1);
}

TEST_F(EnemyTargetingTest, SupportSkillsGoToAlliesThatNeedThem)
{
    DrawStage({
        "A...B",
        ".....",
        "C....",
    });
    EnemyUnitRecord& enemy = Enemy('A');
    enemy.m_Param[kParamSp].m_nValue = 5;
    enemy.m_Skill.assign(3, SkillEntry());
    enemy.m_Skill.At(2).m_nSkill = 1;
    Enemy('B').m_Param[kParamHp].m_nValue = 90;
    Enemy('C').m_Param[kParamHp].m_nValue = 60;

    // The most hurt ally is C; the skill fits it.
    EnemyDecision decision = Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetMostHurtAlly, kMoveAiModeSkill, 1)});
    EXPECT_EQ(decision.m_nAction, kMoveAiModeSkill);
    EXPECT_EQ(decision.m_pTarget, &Enemy('C'));
    EXPECT_EQ(decision.m_nSkill, 1);
    EXPECT_EQ(decision.m_nSkillSlot, 2);
    EXPECT_EQ(Destination(decision), std::make_pair(0, 1)); // beside C

    // The nearest other ally is C (cost 3) before B (cost 5), whole or not.
    Enemy('C').m_Param[kParamHp].m_nValue = 100;
    decision = Decide('A', {Entry(kMoveAiRangeAnywhere, kMoveAiTargetNearestAlly, kMoveAiModeSkill, 1),
                            Entry(kMoveAiRangeAnywhere, kMoveAiTargetNearestAlly, kMoveAiModeMove)});
    EXPECT_EQ(decision.m_nEntry, 1); // C needs nothing: the skill entry fails
    EXPECT_EQ(decision.m_pTarget, nullptr);

    // The enemy itself, hurt, stays and heals itself; without the SP the entry is passed over.
    enemy.m_Param[kParamHp].m_nValue = 40;
    decision = Decide('A', {Entry(kMoveAiRangeReach, kMoveAiTargetSelf, kMoveAiModeSkill, 1)});
    EXPECT_EQ(decision.m_pTarget, &enemy);
    EXPECT_EQ(Destination(decision), std::make_pair(0, 0));
    enemy.m_Param[kParamSp].m_nValue = 2;
    decision = Decide('A', {Entry(kMoveAiRangeReach, kMoveAiTargetSelf, kMoveAiModeSkill, 1),
                            Entry(kMoveAiRangeAnywhere, kMoveAiTargetMostHurtAlly, kMoveAiModeMove)});
    EXPECT_EQ(decision.m_nEntry, 1);
    EXPECT_EQ(decision.m_nAction, kMoveAiModeMove);
    EXPECT_EQ(Destination(decision), std::make_pair(0, 0)); // the most hurt is itself
}

TEST_F(EnemyTargetingTest, MapSkillsAreRecoveriesForUnitsThatNeedThem)
{
    DrawStage({"Aa", "B."});
    SkillRecord& skill = SkillTable.At(1);
    EnemyUnitRecord& user = Enemy('A');
    user.m_Param[kParamSp].m_nValue = 3;
    EXPECT_TRUE(CanUseSkillOnMap(user, skill));
    user.m_Param[kParamSp].m_nValue = 2;
    EXPECT_FALSE(CanUseSkillOnMap(user, skill));
    EXPECT_FALSE(CanUseSkillOnMap(user, SkillTable.At(0)));
    EXPECT_FALSE(CanUseSkillOnMap(user, SkillTable.At(2)));

    EnemyUnitRecord& ally = Enemy('B');
    EXPECT_FALSE(SkillHelps(user, skill, ally)); // whole
    ally.m_Param[kParamHp].m_nValue = 99;
    EXPECT_TRUE(SkillHelps(user, skill, ally));
    EXPECT_FALSE(SkillHelps(user, skill, Player('a'))); // the other side
    skill.m_nPower = 0;
    skill.m_nStatChange[kParamHp] = -5; // restores no HP any more
    EXPECT_FALSE(SkillHelps(user, skill, ally));
    skill.m_nStatChange[kParamSp] = 4;
    ally.m_Param[kParamSp].m_nBase = 10;
    EXPECT_TRUE(SkillHelps(user, skill, ally));
}

} // namespace
