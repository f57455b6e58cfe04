#include "game/scenes/BattleAi.h"

#include "SceneRulesTest.h"
#include "game/data/ValueOperations.h"

#include <cmath>

namespace
{

constexpr int32_t kEqual = 0;
constexpr int32_t kAtLeast = 2;

class BattleAiTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        // Skill 1: a quick skill for 5 SP; skill 2: a skill for 50 SP.
        SkillTable.At(1).m_nSpCost = 5;
        SkillTable.At(1).m_bQuick = 1;
        SkillTable.At(2).m_nSpCost = 50;
        m_Battle.m_Friend = Fighter({100, 0, 10, 10, 10, 10, 10, 10, 10}, kSideFriend);
        m_Battle.m_Enemy = Fighter({120, 20, 10, 10, 10, 10, 10, 10, 10}, kSideEnemy);
        m_Battle.m_nBattleTime = 27;
    }

    static BattleAiEntry Rule(int32_t action, int32_t skill, int32_t priority, int32_t weight,
                              std::vector<BattleAiCondition> conditions = {})
    {
        BattleAiEntry rule;
        rule.SetDefaults();
        rule.m_nAction = action;
        rule.m_nSkill = skill;
        rule.m_nPriority = priority;
        rule.m_nPriorityLevel = weight;
        rule.m_Condition.assign(conditions.begin(), conditions.end());
        return rule;
    }

    static BattleAiCondition Condition(int32_t subject, int32_t param, int32_t value, int32_t compare,
                                       int32_t percent = 0)
    {
        BattleAiCondition condition;
        condition.m_nSubject = subject;
        condition.m_nParam = param;
        condition.m_nValue = value;
        condition.m_nCompare = compare;
        condition.m_bPercent = percent;
        return condition;
    }

    void SetRules(std::vector<BattleAiEntry> rules) { m_Battle.m_Enemy.m_BattleAi.assign(rules.begin(), rules.end()); }

    // How often each skill id came out of n choices of the turn's first action.
    std::map<int32_t, int> CountChoices(int n)
    {
        std::map<int32_t, int> counts;
        for (int i = 0; i < n; ++i)
        {
            m_Battle.m_Enemy.m_bQuickUsed = 0;
            ++counts[ChooseBattleAction(m_Battle, m_Battle.m_Enemy).m_nSkill];
        }
        return counts;
    }

    BattleState m_Battle;
};

TEST_F(BattleAiTest, WeightsShareTheDrawsOfTheHighestPriority)
{
    SeedRand(20240611);
    SetRules({Rule(kBattleAiAttack, 7, 2, 1000), Rule(kBattleAiAttack, 8, 3, 1), Rule(kBattleAiAttack, 9, 3, 3)});
    std::map<int32_t, int> counts = CountChoices(10000);
    EXPECT_EQ(counts.count(7), 0u); // the lower priority never
    EXPECT_NEAR(counts[8] / 10000.0, 0.25, 0.02);
    EXPECT_NEAR(counts[9] / 10000.0, 0.75, 0.02);
}

TEST_F(BattleAiTest, LowerPrioritiesWaitUntilTheHigherOnesFail)
{
    // The priority-3 skill costs more SP than the enemy has.
    SetRules({Rule(kBattleAiAttack, 7, 2, 5), Rule(kBattleAiSkill, 2, 3, 5)});
    EXPECT_EQ(CountChoices(50), (std::map<int32_t, int>{{7, 50}}));
    m_Battle.m_Enemy.m_nValue[kParamSp] = 50;
    EXPECT_EQ(CountChoices(50), (std::map<int32_t, int>{{2, 50}}));
    EXPECT_EQ(m_Battle.m_Action.m_nKind, kActionSkill);

    // A condition that fails takes its rule out the same way.
    SetRules({Rule(kBattleAiAttack, 7, 2, 5),
              Rule(kBattleAiAttack, 8, 3, 5, {Condition(kAiSubjectOpponent, kParamHp, 50, kAtLeast, 1)})});
    EXPECT_EQ(CountChoices(20), (std::map<int32_t, int>{{8, 20}}));
    m_Battle.m_Friend.m_nValue[kParamHp] = 40;
    EXPECT_EQ(CountChoices(20), (std::map<int32_t, int>{{7, 20}}));
}

TEST_F(BattleAiTest, WithoutWeightOrPriorityTheEnemyAttacksWithItsWeapon)
{
    SetRules({Rule(kBattleAiAttack, 7, 1, 0), Rule(kBattleAiAttack, 8, 1, 5)});
    EXPECT_EQ(CountChoices(50), (std::map<int32_t, int>{{8, 50}}));

    const BattleAction scripted{kActionItem, 5, 6};
    for (const std::vector<BattleAiEntry>& rules : {
             std::vector<BattleAiEntry>{Rule(kBattleAiSkill, 1, 1, 0), Rule(kBattleAiAttack, 7, 1, 0)},
             std::vector<BattleAiEntry>{Rule(kBattleAiAttack, 7, -1, 5)}, // below the starting priority 0
             std::vector<BattleAiEntry>{},
         })
    {
        SetRules(rules);
        m_Battle.m_Action = scripted;
        EXPECT_FALSE(SelectRule(m_Battle, m_Battle.m_Enemy, false));
        EXPECT_EQ(m_Battle.m_Action.m_nKind, kActionItem); // left as it was
        const BattleAction& action = ChooseBattleAction(m_Battle, m_Battle.m_Enemy);
        EXPECT_EQ(action.m_nKind, kActionWeapon);
        EXPECT_EQ(action.m_nSkill, 0);
        EXPECT_EQ(action.m_nItem, 0);
    }
}

TEST_F(BattleAiTest, NegativeWeightsTakeDrawsOffTheEnd)
{
    // Weights 2, -1 and 3 add up to 4: two draws for each positive rule.
    SetRules({Rule(kBattleAiAttack, 7, 1, 2), Rule(kBattleAiAttack, 8, 1, -1), Rule(kBattleAiAttack, 9, 1, 3)});
    for (auto [draw, skill] : {std::pair{0, 7}, std::pair{1, 7}, std::pair{2, 9}, std::pair{3, 9}, std::pair{5, 7}})
    {
        ScriptedDraws draws({draw});
        EXPECT_TRUE(SelectRule(m_Battle, m_Battle.m_Enemy, false));
        EXPECT_EQ(m_Battle.m_Action.m_nSkill, skill) << "draw " << draw;
    }
    // Weights that add up to nothing leave the weapon attack.
    SetRules({Rule(kBattleAiAttack, 7, 1, 2), Rule(kBattleAiAttack, 8, 1, -2)});
    EXPECT_FALSE(SelectRule(m_Battle, m_Battle.m_Enemy, false));
}

TEST_F(BattleAiTest, AQuickActionAtMostOncePerTurn)
{
    SetRules({Rule(kBattleAiQuick, 1, 1, 1), Rule(kBattleAiAttack, 7, 1, 1)});
    BattleParticipant& enemy = m_Battle.m_Enemy;
    m_Battle.m_Action.m_nItem = 4;
    EXPECT_EQ(ChooseBattleAction(m_Battle, enemy).m_nKind, kActionQuickSkill);
    EXPECT_EQ(m_Battle.m_Action.m_nSkill, 1);
    EXPECT_EQ(m_Battle.m_Action.m_nItem, 0);
    EXPECT_EQ(enemy.m_bQuickUsed, 1);
    // The action that follows at once, and every other in the same turn, is not quick.
    for (int i = 0; i < 20; ++i)
    {
        EXPECT_EQ(ChooseBattleAction(m_Battle, enemy).m_nKind, kActionWeapon);
        EXPECT_EQ(m_Battle.m_Action.m_nSkill, 7);
    }
    enemy.m_bQuickUsed = 0; // the next turn
    EXPECT_EQ(ChooseBattleAction(m_Battle, enemy).m_nKind, kActionQuickSkill);

    // A skill not marked quick, or one the enemy cannot pay, is no quick action.
    for (auto [quick, sp] : {std::pair{0, 20}, std::pair{1, 4}})
    {
        SkillTable.At(1).m_bQuick = quick;
        enemy.m_nValue[kParamSp] = sp;
        enemy.m_bQuickUsed = 0;
        EXPECT_EQ(ChooseBattleAction(m_Battle, enemy).m_nKind, kActionWeapon);
        EXPECT_EQ(enemy.m_bQuickUsed, 0);
    }
}

TEST_F(BattleAiTest, ConditionsMeasureTheSubjectTheBattleTimeAndTheLand)
{
    EnemyUnitRecord unit;
    unit.m_nLevel = 7;
    BattleParticipant& enemy = m_Battle.m_Enemy;
    enemy.m_pUnit = &unit;
    enemy.m_nClass = 2;
    enemy.m_nValue[kParamHp] = 30;
    enemy.m_nMax[kParamSp] = 0;
    enemy.m_nValue[kParamSp] = 0;
    enemy.m_nTurnCount = 4;
    enemy.m_Timeline = {{3, 1}, {9, 0}, {15, 0}};
    m_Battle.m_Friend.m_nValue[kParamHp] = 80;
    m_Battle.m_nElapsed = 9;
    m_Battle.m_nLand = 3;

    struct Case
    {
        int32_t subject;
        int32_t param;
        int32_t value;
        int32_t compare;
        int32_t percent;
        bool holds;
    };
    const Case cases[] = {
        {kAiSubjectSelf, kParamHp, 30, kEqual, 0, true},
        {kAiSubjectSelf, kParamHp, 25, kEqual, 1, true}, // 30 of 120
        {kAiSubjectOpponent, kParamHp, 80, kAtLeast, 1, true},
        {kAiSubjectOpponent, kParamHp, 81, kAtLeast, 0, false},
        {kAiSubjectSelf, kParamSp, 0, kEqual, 1, true}, // against a maximum of 0
        {kAiSubjectSelf, kParamSp, 1, kAtLeast, 1, false},
        {kAiSubjectSelf, kAiParamClass, 2, kEqual, 0, true},
        {kAiSubjectSelf, kAiParamLevel, 7, kEqual, 0, true},
        {kAiSubjectOpponent, kAiParamLevel, 0, kEqual, 0, true}, // no unit behind it
        {kAiSubjectSelf, kAiParamTurn, 4, kEqual, 0, true},
        {kAiSubjectSelf, kAiParamPendingTurns, 2, kEqual, 0, true},
        {2, kParamHp, 999, kEqual, 0, true}, // no such subject: holds untested
        {2, kAiParamPendingTurns, 999, kEqual, 0, true},
        {2, kAiParamTime, 9, kEqual, 0, true}, // the time needs no subject
        {2, kAiParamTime, 10, kEqual, 0, false},
        {kAiSubjectSelf, kAiParamTime, 33, kEqual, 1, true}, // 9 of 27
        {kAiSubjectSelf, kAiParamLand, 4, kEqual, 0, true},
        {kAiSubjectSelf, kParamHp, 30, 6, 0, false}, // no such comparison
        {kAiSubjectSelf, 15, 0, kEqual, 0, true},    // no such parameter
    };
    for (const Case& c : cases)
    {
        CheckedVector<BattleAiCondition> conditions;
        conditions.push_back(Condition(c.subject, c.param, c.value, c.compare, c.percent));
        EXPECT_EQ(ConditionsHold(m_Battle, enemy, conditions), c.holds)
            << "subject " << c.subject << " parameter " << c.param << " value " << c.value;
    }

    m_Battle.m_nBattleTime = 0;
    CheckedVector<BattleAiCondition> conditions;
    conditions.push_back(Condition(kAiSubjectSelf, kAiParamTime, 0, kEqual, 1));
    EXPECT_TRUE(ConditionsHold(m_Battle, enemy, conditions));
    conditions.push_back(Condition(kAiSubjectSelf, kParamHp, 31, kEqual));
    EXPECT_FALSE(ConditionsHold(m_Battle, enemy, conditions)); // every condition must hold
    EXPECT_TRUE(ConditionsHold(m_Battle, enemy, CheckedVector<BattleAiCondition>()));
}

TEST_F(BattleAiTest, SkillsUsableInBattle)
{
    const BattleParticipant& enemy = m_Battle.m_Enemy; // 20 SP
    EXPECT_TRUE(CanUseSkill(enemy, SkillTable.At(1), true));
    EXPECT_TRUE(CanUseSkill(enemy, SkillTable.At(1), false));
    EXPECT_FALSE(CanUseSkill(enemy, SkillTable.At(2), false)); // 50 SP
    EXPECT_FALSE(CanUseSkill(enemy, SkillTable.At(0), false)); // the empty entry
    SkillTable.At(1).m_bQuick = 0;
    EXPECT_FALSE(CanUseSkill(enemy, SkillTable.At(1), true));
}

} // namespace
