#include "game/scenes/BattleResults.h"

#include "BattleTest.h"
#include "game/scenes/StageField.h"

#include <algorithm>

namespace
{

class BattleResultsTest : public BattleTest
{
protected:
    // The friend of the fixture with growth tables that raise each parameter
    // k by k + 1 a level, and skill 2 to learn at level 4 when learnsSkill.
    void GiveGrowth(bool learnsSkill)
    {
        for (int k = 0; k < kParameterCount; ++k)
        {
            m_Friend.m_Growth[k].assign(static_cast<std::size_t>(m_Friend.m_nMaxLevel), 100 * (k + 1));
            m_Friend.m_nGrowthRest[k] = 0;
        }
        m_Friend.m_Skill.assign(3, SkillEntry());
        m_Friend.m_LearnSkill.clear();
        if (learnsSkill)
        {
            LearnSkillEntry entry;
            entry.m_nSkill = 2;
            entry.m_nLevel = 4;
            m_Friend.m_LearnSkill.push_back(entry);
        }
    }

    // The friend's reward against the fixture's enemy (level 5), standing or fallen.
    std::vector<std::string> Reward(bool enemyFell, int32_t percent = 100)
    {
        m_FriendSide.TakeUnit(m_Friend, kSideFriend);
        m_EnemySide.TakeUnit(m_Enemy);
        m_EnemySide.m_bDead = enemyFell ? 1 : 0;
        std::vector<std::string> lines;
        GrantExperience(m_FriendSide, m_Friend, m_EnemySide, percent, lines);
        return lines;
    }

    // The units of a record that a comparison of images would hide: a save
    // recomputes the effective values.
    static std::vector<int32_t> ParameterValues(const CharacterRecord& unit)
    {
        std::vector<int32_t> values;
        for (const ParameterValue& param : unit.m_Param)
        {
            values.push_back(param.m_nBase);
            values.push_back(param.m_nValue);
        }
        return values;
    }

    template <class Unit> static std::vector<unsigned char> Copy(const Unit& unit)
    {
        Unit copy(unit);
        return Image(copy);
    }

    BattleParticipant m_FriendSide;
    BattleParticipant m_EnemySide;
};

TEST_F(BattleResultsTest, ExperienceFollowsLevelsFallAndStagePercent)
{
    // Base 10, 5 a level of difference, doubled for a fall, times the class's rate.
    struct Case
    {
        int32_t m_nLevel;
        bool m_bEnemyFell;
        int32_t m_nClassRate;
        int32_t m_nPercent;
        int32_t m_nExperience;
        std::string m_strLine;
    };
    const Case cases[] = {
        {3, false, 100, 100, 20, "EXを20かくとく！"}, {3, true, 100, 100, 40, "EXを40かくとく！"},
        {3, false, 75, 50, 8, "EXを8かくとく！"},   // 15 x 50 % = 7.5
        {8, true, 100, 100, 0, "EXを0かくとく！"},  // below 0 gives 0
        {10, true, 100, 100, 0, "EXを0かくとく！"}, // at the level limit
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_strLine);
        ClassTable.At(1).m_nExpRate = c.m_nClassRate;
        m_Friend.m_nLevel = c.m_nLevel;
        m_Friend.m_nExp = 0;
        EXPECT_EQ(Reward(c.m_bEnemyFell, c.m_nPercent), std::vector<std::string>{c.m_strLine});
        EXPECT_EQ(m_Friend.m_nExp, c.m_nExperience);
        EXPECT_EQ(m_Friend.m_nLevel, c.m_nLevel);
    }
}

TEST_F(BattleResultsTest, LevelUpIsOneLineWithTheIncreasesAndLearnedSkills)
{
    struct Case
    {
        int32_t m_nExpBefore;
        bool m_bLearnsSkill;
        int32_t m_nLevel;
        std::string m_strLine;
    };
    const Case cases[] = {
        {90, true, 4,
         "friendのLVが1あがった！\nHP   + 1  SP   + 2\nこうげき + 3  まもり  + 4\nまりょく + 5  ていこう + 6\n"
         "わざ   + 7  はんのう + 8\nはやさ  + 9\nあらたにスキルをおぼえた！"},
        {190, false, 5,
         "friendのLVが2あがった！\nHP   + 2  SP   + 4\nこうげき + 6  まもり  + 8\nまりょく + 10  ていこう + 12\n"
         "わざ   + 14  はんのう + 16\nはやさ  + 18\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nLevel);
        MakeUnits();
        GiveGrowth(c.m_bLearnsSkill);
        m_Friend.m_nExp = c.m_nExpBefore;
        m_Friend.m_Param[kParamHp].m_nValue = 50;
        Progress.m_nScoutPoints = 5;

        EXPECT_EQ(Reward(false), (std::vector<std::string>{"EXを20かくとく！", c.m_strLine}));
        const int32_t levels = c.m_nLevel - 3;
        EXPECT_EQ(m_Friend.m_nLevel, c.m_nLevel);
        EXPECT_EQ(m_Friend.m_nExp, 10);
        EXPECT_EQ(m_Friend.FindSkill(2) >= 0, c.m_bLearnsSkill);
        EXPECT_EQ(Progress.m_nScoutPoints, 5 + levels);
        // The battle's HP and SP rise with their maxima.
        EXPECT_EQ(m_FriendSide.Max(kParamHp), 100 + levels);
        EXPECT_EQ(m_FriendSide.Value(kParamHp), 50 + levels);
        EXPECT_EQ(m_FriendSide.Max(kParamSp), 20 + 2 * levels);
        EXPECT_EQ(m_FriendSide.Value(kParamSp), 20 + 2 * levels);
    }
}

TEST_F(BattleResultsTest, ScoutPointsStayWithin1And1000)
{
    struct Case
    {
        int32_t m_nBefore;
        int32_t m_nExpBefore; // 90: one level, 190: two, 0: none
        int32_t m_nAfter;
    };
    const Case cases[] = {
        {5, 190, 7}, {999, 190, 1000}, {1000, 90, 1000}, {-5, 90, 1}, {5000, 90, 1000}, {5000, 0, 5000},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nBefore << " after " << c.m_nExpBefore);
        MakeUnits();
        GiveGrowth(false);
        m_Friend.m_nExp = c.m_nExpBefore;
        Progress.m_nScoutPoints = c.m_nBefore;
        Reward(false);
        EXPECT_EQ(Progress.m_nScoutPoints, c.m_nAfter);
    }
}

TEST_F(BattleResultsTest, StandingUnitsRecoverFromEquipmentAndLand)
{
    // HP 50 of 100 and SP 10 of 40 before; the weapon (item 1), the other
    // equipment (item 2) and the land give {HP, SP}, as percentages when marked.
    struct Part
    {
        int32_t m_nHp = 0;
        int32_t m_nSp = 0;
        int32_t m_bPercent = 0;
    };
    struct Case
    {
        Part m_Weapon;
        Part m_Other;
        Part m_Land;
        int32_t m_nHp;
        int32_t m_nSp;
    };
    const Case cases[] = {
        {{}, {}, {}, 50, 10},
        {{5, 3, 0}, {10, 10, 1}, {3, -20, 0}, 68, 0}, // 10 % of 100 and of 40
        {{}, {}, {100, 100, 1}, 100, 40},
        {{}, {}, {-999, 0, 0}, 1, 10},
        {{}, {}, {-50, -25, 1}, 1, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nHp << " " << c.m_nSp);
        const Part* parts[] = {&c.m_Weapon, &c.m_Other};
        for (int slot = 0; slot < 2; ++slot)
        {
            ItemRecord& item = ItemTable.At(slot + 1);
            item.m_nValue[kParamHp] = parts[slot]->m_nHp;
            item.m_nValue[kParamSp] = parts[slot]->m_nSp;
            item.m_bPercent = parts[slot]->m_bPercent;
        }
        LandRecord land = LandTable.At(kLandPlain);
        land.m_nEffect[kParamHp] = c.m_Land.m_nHp;
        land.m_nEffect[kParamSp] = c.m_Land.m_nSp;
        land.m_bPercent = c.m_Land.m_bPercent;

        BattleParticipant unit = Fighter({100, 40, 0, 0, 0, 0, 0, 0, 0});
        unit.m_nValue[kParamHp] = 50;
        unit.m_nValue[kParamSp] = 10;
        unit.m_nEquip[0] = 1;
        unit.m_nEquip[1] = 2;
        RecoverAfterBattle(unit, &land);
        EXPECT_EQ(unit.Value(kParamHp), c.m_nHp);
        EXPECT_EQ(unit.Value(kParamSp), c.m_nSp);
    }
}

TEST_F(BattleResultsTest, BattleChangesItsUnitsOnlyInHpSpAndDownFlag)
{
    ScriptedDraws sure({});
    // No experience at the level limit; the land and a quick skill raise the
    // attack for the battle only; the enemy falls.
    m_Friend.m_nLevel = 10;
    m_Friend.m_nExp = 0;
    m_Enemy.m_Param[kParamHp].m_nValue = 60;
    LandTable.At(kLandHills).m_nEffect[kParamAttack] = 5;
    LandTable.At(kLandHills).m_nEffect[kParamSp] = 3;
    const UnitRecord friendBefore = m_Friend;
    const EnemyUnitRecord enemyBefore = m_Enemy;
    const std::vector<unsigned char> stageBefore = Image(Stage);
    const std::vector<unsigned char> progressBefore = Image(Progress);

    Begin(true, kLandHills);
    EXPECT_EQ(m_Exchange.Friend().Value(kParamAttack), 35);
    PlayBattle(kQuickSupport);
    ASSERT_TRUE(m_Exchange.IsOver());
    ASSERT_EQ(m_Exchange.Enemy().m_bDead, 2);
    EXPECT_GT(m_Exchange.Friend().Value(kParamAttack), 35);
    m_Exchange.WriteBackBoth();

    EXPECT_EQ(m_Enemy.m_nPlayD, 1);
    EXPECT_EQ(m_Enemy.m_Param[kParamHp].m_nValue, 0);
    EXPECT_LT(m_Friend.m_Param[kParamHp].m_nValue, 100);
    EXPECT_EQ(m_Friend.m_Param[kParamSp].m_nValue, 20); // the land's 3 SP stop at the maximum
    UnitRecord friendExpected = friendBefore;
    friendExpected.m_Param[kParamHp].m_nValue = m_Friend.m_Param[kParamHp].m_nValue;
    EnemyUnitRecord enemyExpected = enemyBefore;
    enemyExpected.m_Param[kParamHp].m_nValue = 0;
    enemyExpected.m_nPlayD = 1;
    EXPECT_EQ(ParameterValues(m_Friend), ParameterValues(friendExpected));
    EXPECT_EQ(ParameterValues(m_Enemy), ParameterValues(enemyExpected));
    EXPECT_EQ(Copy(m_Friend), Copy(friendExpected));
    EXPECT_EQ(Copy(m_Enemy), Copy(enemyExpected));
    EXPECT_EQ(Image(Stage), stageBefore);
    EXPECT_EQ(Image(Progress), progressBefore);
}

class FallenUnitTest : public BattleResultsTest
{
protected:
    void SetUp() override
    {
        BattleResultsTest::SetUp();
        Prepare();
    }

    // The friend, the party's leader in its slot, and the enemy side by side
    // on the map; no fallen unit yet.
    void Prepare()
    {
        MakeUnits();
        Progress.m_FallenList.clear();
        Stage.ResizeMap(4, 4);
        Stage.m_Event.resize(1);
        m_Field = std::make_unique<StageField>(Stage, LandTable);
        m_Friend.m_nPlayA = 1;
        m_Friend.m_nPlayB = 1;
        m_Friend.SetHeldEvent(0);
        PartyUnits.At(kSlot) = m_Friend;
        m_Field->PlaceUnit(Member(), 1, 1);
        m_Enemy.m_nPlayB = 1;
        m_Field->PlaceUnit(m_Enemy, 2, 1);
    }

    UnitRecord& Member() { return PartyUnits.At(kSlot); }

    // A battle in which the friend or the enemy falls to the first blow,
    // written back to the units.
    void Fight(bool friendFalls)
    {
        ScriptedDraws sure({});
        CharacterRecord& victim = friendFalls ? static_cast<CharacterRecord&>(Member()) : m_Enemy;
        victim.m_Param[kParamHp].m_nValue = 10;
        m_Exchange.Begin(Member(), m_Enemy, kLandPlain, !friendFalls, 100);
        PlayBattle();
        m_Exchange.WriteBackBoth();
    }

    static int CountNamed(const CheckedVector<UnitRecord>& units, const std::string& name)
    {
        return static_cast<int>(
            std::count_if(units.begin(), units.end(), [&](const UnitRecord& u) { return u.m_strName == name; }));
    }

    static constexpr int kSlot = 3;
    std::unique_ptr<StageField> m_Field;
};

TEST_F(FallenUnitTest, FallenFriendLeavesThePartyOnceTheEventsAfterTheBattleHaveRun)
{
    LandTable.At(kLandPlain).m_nEffect[kParamHp] = 10;
    m_Enemy.m_Param[kParamHp].m_nValue = 80;
    Fight(true);
    EXPECT_EQ(m_Exchange.ResultMessages(), (std::vector<std::string>{"friendはしんだ…"}));
    EXPECT_EQ(m_Enemy.m_Param[kParamHp].m_nValue, 90); // the land's recovery
    // The events after the battle still find the fallen leader and its event.
    EXPECT_TRUE(Member().IsPartyMember());
    EXPECT_EQ(Member().m_nPlayD, 1);
    EXPECT_EQ(Member().m_nPlayA, 1);
    EXPECT_EQ(Member().m_Param[kParamHp].m_nValue, 0); // no recovery for the fallen
    EXPECT_NE(Member().GetHeldEvent(), nullptr);
    EXPECT_TRUE(Progress.m_FallenList.empty());

    SettleFallenUnits(&Member(), m_Enemy, *m_Field);
    EXPECT_FALSE(Member().IsPartyMember());
    EXPECT_EQ(Member().GetHeldEvent(), nullptr);
    EXPECT_EQ(m_Field->UnitAt(1, 1), nullptr);
    EXPECT_EQ(m_Field->UnitAt(2, 1), &m_Enemy);
    ASSERT_EQ(Progress.m_FallenList.size(), 1u);
    const UnitRecord& fallen = Progress.m_FallenList.At(0);
    EXPECT_EQ(fallen.m_strName, "friend");
    EXPECT_EQ(fallen.m_nPlayD, 1);
    EXPECT_EQ(fallen.m_nPlayA, 0);
    EXPECT_EQ(CountNamed(PartyUnits, "friend"), 0);

    // Revived, it is in the party once and nowhere else.
    ASSERT_TRUE(Progress.ReviveUnit(0));
    EXPECT_EQ(CountNamed(PartyUnits, "friend"), 1);
    EXPECT_TRUE(Progress.m_FallenList.empty());
}

TEST_F(FallenUnitTest, WhatBecomesOfTheUnitsOfABattle)
{
    struct Case
    {
        bool m_bFriendFalls;
        int32_t m_bReviveAfterClear;
        bool m_bFriendInSlot;
        int32_t m_nFriendDown;
        bool m_bFriendOnGrid;
        bool m_bEnemyOnGrid;
        std::size_t m_nFallenCount;
    };
    const Case cases[] = {
        {true, 0, false, 0, false, true, 1},
        {true, 1, true, 1, false, true, 0}, // comes back after the stage
        {false, 0, true, 0, true, false, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "friend falls " << c.m_bFriendFalls << " revival " << c.m_bReviveAfterClear);
        Prepare();
        System.m_bReviveAfterClear = c.m_bReviveAfterClear;
        Fight(c.m_bFriendFalls);
        SettleFallenUnits(&Member(), m_Enemy, *m_Field);
        EXPECT_EQ(Member().IsPartyMember(), c.m_bFriendInSlot);
        EXPECT_EQ(Member().m_nPlayD, c.m_nFriendDown);
        EXPECT_EQ(m_Field->UnitAt(1, 1) != nullptr, c.m_bFriendOnGrid);
        EXPECT_EQ(m_Field->UnitAt(2, 1) != nullptr, c.m_bEnemyOnGrid);
        EXPECT_EQ(Progress.m_FallenList.size(), c.m_nFallenCount);
        if (c.m_bFriendInSlot)
        {
            EXPECT_EQ(Member().m_nPlayA, 1);
        }
    }
}

} // namespace
