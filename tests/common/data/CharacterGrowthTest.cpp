// Growth tables, levels, equipment and skill learning of characters.
#include "DatabaseTestSupport.h"
#include "common/data/ProjectData.h"
#include "platform/core/Random.h"

#include <gtest/gtest.h>

#include <deque>

namespace
{

class GrowthTest : public dbtest::DatabaseTest
{
protected:
    // Class 1 with the same initial and final value for every parameter.
    void SetClass(int32_t init, int32_t final, int32_t limit)
    {
        ClassTable.resize(2);
        ClassRecord& cls = ClassTable.At(1);
        cls.m_nMaxLevel = limit;
        for (int k = 0; k < 9; ++k)
        {
            cls.m_nInit[k] = init;
            cls.m_nFinal[k] = final;
        }
    }

    FriendRecord MakeFriend()
    {
        FriendRecord f;
        f.SetDefaults();
        f.m_bRandomGrowth = 0;
        f.m_bRandomSkill = 0;
        return f;
    }
};

// A random source that hands out a script and fails on any draw past its end.
class ScriptedDraws
{
public:
    explicit ScriptedDraws(std::initializer_list<int> values)
        : m_Values(values), m_Source(
                                [this]
                                {
                                    if (m_Values.empty())
                                    {
                                        ADD_FAILURE() << "a draw past the script";
                                        return 0;
                                    }
                                    int v = m_Values.front();
                                    m_Values.pop_front();
                                    return v;
                                })
    {
    }
    int Draws() const { return m_Source.Draws(); }
    std::size_t Left() const { return m_Values.size(); }

private:
    std::deque<int> m_Values;
    platform::ScopedRandomSource m_Source;
};

struct LevelCase
{
    int32_t init, final, limit;
    int32_t growth; // per level, in hundredths
    int32_t level;
    int32_t endLevel, base, rest;
};

TEST_F(GrowthTest, ReferenceGrowthAndLevels)
{
    const LevelCase cases[] = {
        {10, 50, 30, 138, 2, 2, 11, 88},   // 10 + (50 + 138) / 100, remainder 88
        {10, 50, 30, 138, 30, 30, 50, 52}, // the limit gives exactly the final values
        {10, 50, 30, 138, 99, 30, 50, 52}, // levels past the limit stop there
        {50, 10, 30, -137, 2, 2, 49, 13},  // a negative remainder borrows a point
        {10, 50, 1, 0, 5, 1, 10, 50},      // limit 1: no growth, level 1
        {10, 0, 5, 0, 3, 3, 10, 50},       // final 0: no growth
    };
    for (const LevelCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.init << "->" << c.final << " limit " << c.limit << " level " << c.level);
        SetClass(c.init, c.final, c.limit);
        FriendRecord f = MakeFriend();
        ScriptedDraws none({});
        f.BuildGrowthTables(false, 0, true);
        ASSERT_EQ(f.m_nMaxLevel, c.limit);
        ASSERT_EQ(f.m_Growth[0].Count(), c.limit);
        EXPECT_EQ(f.m_Growth[0].At(0), 0);
        EXPECT_EQ(f.m_Growth[8].At(c.limit - 1), c.growth);
        EXPECT_EQ(f.m_bGrows[3], c.final != 0 ? 1 : 0);

        f.InitLevel(c.level, true);
        EXPECT_EQ(f.m_nLevel, c.endLevel);
        EXPECT_EQ(f.m_nExp, 0);
        for (int k = 0; k < 9; ++k)
        {
            EXPECT_EQ(f.m_Param[k].m_nBase, c.base) << "parameter " << k;
            EXPECT_EQ(f.m_Param[k].m_nValue, c.base) << "parameter " << k;
        }
        EXPECT_EQ(f.m_nGrowthRest[4], c.rest);
        EXPECT_EQ(none.Draws(), 0);
    }
}

TEST_F(GrowthTest, EnteredValuesOverrideTheClass)
{
    SetClass(10, 50, 3);
    FriendRecord f = MakeFriend();
    f.m_nInitInput[2] = 20; // an entered initial value without a final value does not grow
    f.m_nFinalInput[2] = 0;
    f.m_nInitInput[3] = 30;
    f.m_nFinalInput[3] = 130;
    f.BuildGrowthTables(false, 0, true);
    EXPECT_EQ(f.m_nInit[2], 20);
    EXPECT_EQ(f.m_nFinal[2], 20);
    EXPECT_EQ(f.m_bGrows[2], 0);
    EXPECT_EQ(f.m_nFinal[3], 130);
    EXPECT_EQ(f.m_Growth[3].At(1), 5000);
    EXPECT_EQ(f.m_nFinal[4], 50);
}

TEST_F(GrowthTest, FallingGrowthNeverTakesABaseBelowZero)
{
    FriendRecord f = MakeFriend();
    f.m_nMaxLevel = 5;
    for (int k = 0; k < 9; ++k)
    {
        f.m_Growth[k] = {0, -250, -250, -250, -250};
        f.m_nGrowthRest[k] = 50;
        f.m_Param[k].m_nBase = 1;
    }
    f.m_nLevel = 1;
    f.m_nExp = 100;
    f.LevelUp(false);
    EXPECT_EQ(f.m_nLevel, 2);
    EXPECT_EQ(f.m_Param[6].m_nBase, 0);
    EXPECT_EQ(f.m_nGrowthRest[6], 100); // -200: an exact negative multiple leaves 100
}

TEST_F(GrowthTest, RandomGrowthAndSkillsDrawInTheirOrder)
{
    // Class 1: every parameter 10 to 50 except SP, which does not grow;
    // limit 5; skill-learning values 1 and 0.
    SetClass(10, 50, 5);
    ClassTable.At(1).m_nFinal[1] = 0;
    ClassTable.At(1).m_SkillLearn = {1, 0};
    System.m_SkillCategory.resize(2);
    System.m_nGrowthMin = 10;
    System.m_nGrowthMax = 12;
    for (double& weight : System.m_dStatRaise)
    {
        weight = 0.0675; // 10 x 100 x 0.0675 / 27 = 2.5: two hundredths a draw
    }
    System.m_nSkillMin = 1;
    System.m_nSkillMax = 3;
    SkillTable.resize(4);
    auto setSkill =
        [](int s, int32_t category, int32_t rate, int32_t factor, int32_t min, int32_t max, double levelFactor)
    {
        SkillRecord& skill = SkillTable.At(s);
        skill.m_nCategory = category;
        skill.m_nLearnRate = rate;
        skill.m_nLearnRateFactor = factor;
        skill.m_nLearnLevelMin = min;
        skill.m_nLearnLevelMax = max;
        skill.m_dLearnLevelFactor = levelFactor;
    };
    setSkill(1, 0, 50, 0, 2, 4, 0.5);
    setSkill(2, 1, 10, 5, 2, 4, 0.0);
    setSkill(3, 1, 0, 50, 1, 1, 0.0);

    FriendRecord f = MakeFriend();
    f.m_bRandomGrowth = 1;
    f.m_bRandomSkill = 1;
    LearnSkillEntry pending;
    pending.m_nSkill = 2;
    pending.m_nLevel = 1;
    f.m_LearnSkill.push_back(pending);

    ScriptedDraws script({
        0,  1, 2, 3, 4, 5, 6, 7, 8,                            // remainders 0..8
        0,                                                     // growth total 10
        0,  3, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, // 27 parameters: HP once, defence twice,
        1,  1, 1, 1, 1, 1, 1, 1, 1,                            //   SP (no growth) 24 times
        0,  1,                                                 // HP's two points: levels 1 and 2
        3,  3, 3, 2,                                           // defence's four: levels 4, 4, 4, 3
        1,                                                     // skill-point total 2
        1,  1,                                                 // both to category 1
        10, 2,                                                 // skill 1: 11 <= 50, level 4 - 1 x 0.5
        60,                                                    // skill 2: 61 > 20
        0,  0,                                                 // skill 3: 1 <= 100, level 1, at least 2
    });
    f.BuildGrowthTables(true, 0, false);
    EXPECT_EQ(script.Left(), 0u);
    EXPECT_EQ(script.Draws(), 51);

    for (int k = 0; k < 9; ++k)
    {
        EXPECT_EQ(f.m_nGrowthRest[k], k);
    }
    EXPECT_EQ(f.m_Growth[0], (CheckedVector<int32_t>{0, 1001, 1001, 1000, 1000}));
    EXPECT_EQ(f.m_Growth[3], (CheckedVector<int32_t>{0, 1000, 1000, 1001, 1003}));
    EXPECT_EQ(f.m_Growth[1], (CheckedVector<int32_t>{0, 0, 0, 0, 0}));
    EXPECT_EQ(f.m_Growth[2], (CheckedVector<int32_t>{0, 1000, 1000, 1000, 1000}));
    EXPECT_EQ(f.m_SkillPoints, (CheckedVector<int32_t>{1, 2}));
    ASSERT_EQ(f.m_LearnSkill.Count(), 2);
    EXPECT_EQ(f.m_LearnSkill.At(0).m_nSkill, 1);
    EXPECT_EQ(f.m_LearnSkill.At(0).m_nLevel, 3);
    EXPECT_EQ(f.m_LearnSkill.At(1).m_nSkill, 3);
    EXPECT_EQ(f.m_LearnSkill.At(1).m_nLevel, 2);
    // The pending skill of level 1 is learned at once.
    ASSERT_EQ(f.m_Skill.Count(), 4);
    EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 2);
    EXPECT_EQ(f.m_Skill.At(1).m_nSkill, 0);

    // The reference values of the same friend draw nothing and leave its skills.
    ScriptedDraws none({});
    f.m_nLevel = 3;
    f.ComputeReferenceValues();
    EXPECT_EQ(none.Draws(), 0);
    EXPECT_EQ(f.m_nLevel, 3);
    EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 2);
    EXPECT_EQ(f.m_LearnSkill.Count(), 2);
    EXPECT_EQ(f.m_Param[0].m_nBase, 30); // 10 + two levels of 10 points
}

TEST_F(GrowthTest, EmptyRangesAndListsDrawNothing)
{
    SetClass(10, 50, 1); // limit 1: no level to give a bonus to
    System.m_nGrowthMin = 5;
    System.m_nGrowthMax = 3; // below the minimum: the total is 5, not drawn
    System.m_SkillCategory.clear();
    SkillTable.resize(3);
    SkillTable.At(1).m_nLearnRate = 100;
    for (double& weight : System.m_dStatRaise)
    {
        weight = 1.0;
    }
    FriendRecord f = MakeFriend();
    f.m_bRandomGrowth = 1;
    f.m_bRandomSkill = 1;
    ScriptedDraws script({0, 0, 0, 0, 0, 0, 0, 0, 0, // remainders
                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}); // 27
    f.BuildGrowthTables(true, 0, false);
    EXPECT_EQ(script.Left(), 0u);
    EXPECT_EQ(f.m_Growth[0], (CheckedVector<int32_t>{0}));
    EXPECT_TRUE(f.m_SkillPoints.empty());
    EXPECT_TRUE(f.m_LearnSkill.empty());
}

TEST_F(GrowthTest, ScoutingAddsToTheTotalUpToTheMaximum)
{
    SetClass(10, 50, 2);
    System.m_nGrowthMin = 10;
    System.m_nGrowthMax = 10;
    System.m_dGrowthScout = 1.5;
    System.m_dStatRaise[0] = 0.27; // 100 x t x 0.27 / 27 = t
    struct Case
    {
        int32_t scout;
        int32_t cap;
        int32_t bonusScript; // how many level draws HP gets
    };
    const Case cases[] = {{3, 0, 14}, {3, 1, 10}, {0, 0, 10}};
    for (const Case& c : cases)
    {
        System.m_bGrowthCap = c.cap;
        FriendRecord f = MakeFriend();
        f.m_bEnemy = 1; // no random remainders
        std::vector<int> values(1 + 27, 0);
        for (int i = 2; i < 28; ++i)
        {
            values[static_cast<std::size_t>(i)] = 1; // only the first parameter draw is HP
        }
        values.insert(values.end(), static_cast<std::size_t>(c.bonusScript), 0);
        int next = 0;
        platform::ScopedRandomSource source([&] { return values.at(static_cast<std::size_t>(next++)); });
        f.BuildGrowthTables(true, c.scout, false);
        EXPECT_EQ(next, static_cast<int>(values.size())) << "scout " << c.scout << " cap " << c.cap;
        EXPECT_EQ(f.m_Growth[0].At(1), 4000 + c.bonusScript);
    }
}

// Values of a file that would size memory or the number of draws are capped:
// the level limit at 9,999, each parameter's bonus at 199,800 hundredths, the
// random skill points at 99,999.
TEST_F(GrowthTest, HugeFileValuesAreCapped)
{
    SetClass(10, 50, 100000000);
    FriendRecord f = MakeFriend();
    f.m_nLevel = 200000;
    f.Validate();
    EXPECT_EQ(f.m_nMaxLevel, 9999);
    EXPECT_EQ(f.m_nLevel, 9999);
    EXPECT_EQ(f.m_Growth[8].Count(), 9999);

    SetClass(10, 50, 3);
    System.m_nGrowthMin = System.m_nGrowthMax = 0x7FFFFFFF;
    for (double& weight : System.m_dStatRaise)
    {
        weight = 1000.0;
    }
    System.m_SkillCategory.resize(1);
    ClassTable.At(1).m_SkillLearn = {7};
    System.m_nSkillMin = System.m_nSkillMax = 0x7FFFFFFF;
    f = MakeFriend();
    f.m_bRandomGrowth = 1;
    f.m_bRandomSkill = 1;
    int draws = 0;
    platform::ScopedRandomSource source([&draws] { return draws++; });
    f.BuildGrowthTables(true, 0, false);

    // Each of the 27 draws picks parameter draw % 9: all nine get their bonus.
    const int32_t perLevel = 2000; // (50 - 10) x 100 / 2
    for (int k = 0; k < 9; ++k)
    {
        int64_t bonus = 0;
        for (int level = 1; level < 3; ++level)
        {
            bonus += f.m_Growth[k].At(level) - perLevel;
        }
        EXPECT_EQ(bonus, 199800) << k;
    }
    EXPECT_EQ(f.m_SkillPoints, (CheckedVector<int32_t>{7 + 99999}));
}

struct EquipCase
{
    int32_t percent;
    int32_t value; // the item's value for every parameter
    int32_t base;
    int32_t expected; // value of parameters 2 to 8
};

TEST_F(GrowthTest, EquipmentAddsToTheSevenParametersAfterHpAndSp)
{
    const EquipCase cases[] = {
        {0, 5, 100, 105},   {1, 15, 50, 58}, // 7.5 rounds to 8
        {1, -15, 50, 42},                    // -7.5 rounds to -8
        {0, 900, 500, 999},                  // clamped
        {0, -900, 500, 0},
    };
    ItemTable.resize(2);
    ItemTable.At(1).m_nKind = kItemKindWeapon;
    for (const EquipCase& c : cases)
    {
        ItemRecord& item = ItemTable.At(1);
        item.m_bPercent = c.percent;
        for (int32_t& v : item.m_nValue)
        {
            v = c.value;
        }
        FriendRecord f = MakeFriend();
        f.m_Equip[0].SetItem(1);
        for (ParameterValue& p : f.m_Param)
        {
            p.m_nBase = c.base;
        }
        f.ApplyEquipment();
        EXPECT_EQ(f.m_Param[0].m_nValue, c.base);
        EXPECT_EQ(f.m_Param[1].m_nValue, c.base);
        for (int k = 2; k < 9; ++k)
        {
            EXPECT_EQ(f.m_Param[k].m_nValue, c.expected) << "value " << c.value << " percent " << c.percent;
        }
    }

    // Without an item table, equipment counts as none.
    ItemTable.clear();
    FriendRecord f = MakeFriend();
    f.m_Equip[0].m_nItem = 1;
    f.m_Param[4].m_nBase = 1200;
    f.ApplyEquipment();
    EXPECT_EQ(f.m_Param[4].m_nValue, 999);
}

TEST_F(GrowthTest, EnemyReferenceScalesTheClassValues)
{
    SetClass(10, 50, 30);
    for (int k = 0; k < 9; ++k)
    {
        System.m_nEnemyStatRate[k] = 150;
    }
    System.m_nEnemyStatRate[7] = 100000;
    EnemyRecord e;
    e.SetDefaults();
    e.m_nLevel = 2;
    e.m_nInitInput[3] = 20; // its own value is not scaled
    ScriptedDraws none({});
    e.ComputeReferenceValues();
    EXPECT_EQ(none.Draws(), 0);
    EXPECT_EQ(e.m_nLevel, 2);
    EXPECT_EQ(e.m_Param[0].m_nBase, 17); // 11 x 1.5 = 16.5
    EXPECT_EQ(e.m_Param[3].m_nBase, 20);
    EXPECT_EQ(e.m_Param[7].m_nBase, 999);
}

TEST_F(GrowthTest, LearningSkills)
{
    FriendRecord f = MakeFriend();
    f.m_Skill.resize(2);
    EXPECT_EQ(f.LearnSkill(0), 0);
    EXPECT_EQ(f.LearnSkill(3), 1);
    EXPECT_EQ(f.LearnSkill(3), 0); // already known
    EXPECT_EQ(f.LearnSkill(2), 1);
    EXPECT_EQ(f.LearnSkill(1), 0); // no empty slot
    EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 3);
    EXPECT_EQ(f.m_Skill.At(1).m_nSkill, 2);

    // Reached entries and empty ones go, the others stay in their order.
    f.m_Skill.assign(3, SkillEntry());
    const int32_t pending[][2] = {{1, 4}, {0, 9}, {2, 2}, {3, 2}, {1, 3}, {2, 7}};
    for (const auto& p : pending)
    {
        LearnSkillEntry e;
        e.m_nSkill = p[0];
        e.m_nLevel = p[1];
        f.m_LearnSkill.push_back(e);
    }
    f.ApplyLearnedSkills(3);
    EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 2);
    EXPECT_EQ(f.m_Skill.At(1).m_nSkill, 3);
    EXPECT_EQ(f.m_Skill.At(2).m_nSkill, 1);
    ASSERT_EQ(f.m_LearnSkill.Count(), 2);
    EXPECT_EQ(f.m_LearnSkill.At(0).m_nLevel, 4);
    EXPECT_EQ(f.m_LearnSkill.At(1).m_nLevel, 7);
}

} // namespace
