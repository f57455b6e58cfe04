#include "DatabaseTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using dbtest::DatabaseTest;

struct CountCase
{
    int32_t battleTime;
    int32_t attackerInitial, defenderInitial;
    int32_t attackerRate, defenderRate;
    int32_t waits;
    double attacker, defender;
};

TEST(BattleActionCountsTest, ReferenceCounts)
{
    const CountCase cases[] = {
        {27, 500, 0, 100, 100, 0, 3.2, 2.7},     // the defaults
        {27, 500, 0, 100, 100, 1, 3.2, 2.1},     // the defender waits: 6 steps fewer
        {27, 500, 0, 0, 0, 0, 0.0, 0.0},         // no speed at all: nothing to divide by
        {27, 500, 0, 0, 0, 1, 0.0, 0.0},         //
        {27, 500, 0, 0, 100, 1, 0.0, 0.0},       // the attacker never acts, the defender would wait forever
        {27, 500, 0, 0, 100, 0, 0.5, 5.4},       // the attacker only has its initial value
        {27, 500, 250, 300, 100, 0, 4.55, 1.60}, // add values 150 and 50
    };
    for (const CountCase& c : cases)
    {
        double a = -1.0, d = -1.0;
        CalcBattleActionCounts(a, d, c.battleTime, c.attackerInitial, c.defenderInitial, c.attackerRate, c.defenderRate,
                               c.waits);
        EXPECT_NEAR(a, c.attacker, 1e-9) << c.attackerRate << "/" << c.defenderRate << " wait " << c.waits;
        EXPECT_NEAR(d, c.defender, 1e-9) << c.attackerRate << "/" << c.defenderRate << " wait " << c.waits;
    }
}

TEST_F(DatabaseTest, NewSystemHoldsTheDefaultsOfANewProject)
{
    const SystemRecord& s = System;
    EXPECT_EQ(s.m_nBattleTime, 27);
    EXPECT_EQ(s.m_nInitialAction[0], 500);
    EXPECT_EQ(s.m_nSpeedRate[1], 100);
    EXPECT_EQ(s.m_bGrowthCap + s.m_bSkillCap + s.m_bScout + s.m_bSpOnHitOnly + s.m_bDifficultyPercent, 5);
    EXPECT_EQ(s.m_dHitFactor, 5.0);
    EXPECT_EQ(s.m_dDefenseFactor, 1.0);
    EXPECT_EQ(s.m_nDamageRateMin, 90);
    EXPECT_EQ(s.m_nDamageRateMax, 110);
    EXPECT_EQ(s.m_nHpRecoverRate, 50);
    EXPECT_EQ(s.m_nDifficultyStatRaise[8], 10);
    EXPECT_NEAR(s.m_dActionCount[0], 3.2, 1e-12);
    EXPECT_NEAR(s.m_dActionCount[1], 2.7, 1e-12);
    EXPECT_EQ(s.m_Attribute.Count(), 2);
    EXPECT_EQ(s.m_SkillCategory.Count(), 1);
    EXPECT_EQ(s.m_ItemCategory.Count(), 1);
    EXPECT_EQ(s.m_FormationMenu.Count(), 12);
    EXPECT_EQ(s.m_PlacementMenu.Count(), 6);
    EXPECT_EQ(s.m_MapCharaMenu.Count(), 5);
    EXPECT_EQ(s.m_MapMenu.Count(), 4);
    EXPECT_EQ(s.m_BattleCharaMenu.Count(), 4);
    EXPECT_EQ(s.m_FormationMenu.At(11).m_bEnabled, 1);
}

TEST_F(DatabaseTest, SetDefaultsFitsTheListsAndKeepsWhatFits)
{
    System.m_FormationMenu.resize(14);
    System.m_FormationMenu.At(5).m_bEnabled = 0;
    System.m_MapMenu.resize(2);
    System.m_Attribute.resize(3);
    System.m_nBattleTime = 5;
    System.m_strGameName = "x";
    System.SetDefaults();
    EXPECT_EQ(System.m_FormationMenu.Count(), 12);
    EXPECT_EQ(System.m_FormationMenu.At(5).m_bEnabled, 0);
    EXPECT_EQ(System.m_MapMenu.Count(), 4);
    EXPECT_EQ(System.m_MapMenu.At(3).m_bEnabled, 1);
    EXPECT_EQ(System.m_Attribute.Count(), 3);
    EXPECT_EQ(System.m_nBattleTime, 27);
    EXPECT_EQ(System.m_strGameName, "");
}

// The bound fields of System.dat in stored order: the first version that
// holds each, its kind and element count.
struct StoredField
{
    int32_t from;
    bool isDouble;
    int count;
};

constexpr StoredField kSystemFields[] = {
    {0, false, 1},   {0, false, 1},  {0, true, 1},   {0, false, 1},  {0, false, 1},   {0, false, 1},   {0, true, 1},
    {0, false, 1},   {0, false, 1},  {91, true, 9},  {91, false, 9}, {0, false, 1},   {0, true, 1},    {0, true, 1},
    {0, false, 1},   {0, false, 1},  {0, false, 1},  {0, false, 1},  {0, false, 1},   {77, false, 1},  {77, false, 1},
    {84, false, 1},  {74, false, 1}, {74, false, 2}, {74, false, 2}, {104, false, 1}, {104, false, 1}, {74, true, 2},
    {88, true, 1},   {88, true, 1},  {88, true, 1},  {88, true, 1},  {80, false, 1},  {80, false, 1},  {76, false, 1},
    {101, false, 1}, {77, false, 1}, {77, false, 1}, {77, false, 1}, {77, false, 9},
};

// A System.dat of the given version: field number n (1-based) holds 1000 + n
// in each element (doubles n + 0.5), the strings "bgm0".."bgm3" (from 77) and
// "Game", then the lists with the given menu lengths, every command 1 except
// formation entry 3, which is 0.
std::vector<unsigned char> SystemFile(int32_t version, int formationLength, int mapCharaLength)
{
    ByteBuilder fields;
    int count = 0;
    for (int n = 1; n <= static_cast<int>(std::size(kSystemFields)); ++n)
    {
        const StoredField& f = kSystemFields[n - 1];
        if (version < f.from)
        {
            continue;
        }
        ++count;
        for (int k = 0; k < f.count; ++k)
        {
            f.isDouble ? fields.Double(n + 0.5) : fields.Int(1000 + n);
        }
    }
    ByteBuilder file;
    file.Int(version).Int(count).Bytes(fields.Data());
    if (version >= 77)
    {
        file.Int(5).String("bgm0").String("bgm1").String("bgm2").String("bgm3");
    }
    else
    {
        file.Int(1);
    }
    file.String("Game");
    file.Int(2).Ints({1, 0, 1}).String("fire").Ints({1, 0, 1}).String("ice"); // attributes
    file.Int(1).Ints({1, 3, 1}).String("magic");                              // skill categories
    file.Int(1).Ints({1, 4, 1}).String("tools");                              // item categories
    auto menu = [&file](int length, int zeroAt)
    {
        file.Int(length);
        for (int i = 0; i < length; ++i)
        {
            file.Ints({1, i == zeroAt ? 0 : 1, 0});
        }
    };
    menu(formationLength, 3);
    menu(6, -1);
    menu(mapCharaLength, -1);
    menu(4, -1);
    menu(4, -1);
    return file;
}

struct OldSystemCase
{
    int32_t version;
    int formationLength;
    int mapCharaLength;
};

TEST_F(DatabaseTest, OldSystemFilesAreUpgraded)
{
    const OldSystemCase cases[] = {{70, 7, 3}, {73, 9, 5}, {76, 7, 5}, {102, 12, 5}};
    for (const OldSystemCase& c : cases)
    {
        SCOPED_TRACE(c.version);
        dbtest::ResetProjectGlobals();
        m_Folder.WriteFile("System.dat", SystemFile(c.version, c.formationLength, c.mapCharaLength));
        ASSERT_EQ(LoadRecordFile(System, "System.dat", 0), 1);
        const SystemRecord& s = System;

        // Fields of every version.
        EXPECT_EQ(s.m_nGrowthMin, 1001);
        EXPECT_EQ(s.m_dGrowthScout, 3.5);
        EXPECT_EQ(s.m_bScout, 1009);
        EXPECT_EQ(s.m_nExpBase, 1012);
        EXPECT_EQ(s.m_nReviveCostPerLevel, 1019);
        EXPECT_EQ(s.m_strGameName, "Game");
        // Fields by version: from the file, else the defaults.
        EXPECT_EQ(s.m_nBattleTime, c.version >= 74 ? 1023 : 27);
        EXPECT_EQ(s.m_nInitialAction[0], c.version >= 74 ? 1024 : 500);
        EXPECT_EQ(s.m_nSpeedRate[1], c.version >= 74 ? 1025 : 100);
        EXPECT_EQ(s.m_nHpRecoverRate, c.version >= 76 ? 1035 : 50);
        EXPECT_EQ(s.m_nReleasePrice, c.version >= 77 ? 1020 : 0);
        EXPECT_EQ(s.m_strBgm[3], c.version >= 77 ? "bgm3" : "");
        EXPECT_EQ(s.m_nDifficultyStatRaise[8], c.version >= 77 ? 1040 : 10);
        EXPECT_EQ(s.m_nDamageRateMax, c.version >= 80 ? 1034 : 110);
        EXPECT_EQ(s.m_dDefenseFactor, c.version >= 88 ? 32.5 : 1.0);
        EXPECT_EQ(s.m_dStatRaise[0], c.version >= 91 ? 10.5 : 0.0);
        EXPECT_EQ(s.m_bSpOnHitOnly, c.version >= 101 ? 1036 : 1);
        EXPECT_EQ(s.m_bDefenderWaits, 0);
        // The action counts are recomputed, whatever the file held.
        double attacker = 0, defender = 0;
        CalcBattleActionCounts(attacker, defender, s.m_nBattleTime, s.m_nInitialAction[0], s.m_nInitialAction[1],
                               s.m_nSpeedRate[0], s.m_nSpeedRate[1], 0);
        EXPECT_EQ(s.m_dActionCount[0], attacker);
        EXPECT_EQ(s.m_dActionCount[1], defender);
        if (c.version < 74)
        {
            EXPECT_NEAR(s.m_dActionCount[0], 3.2, 1e-12);
            EXPECT_NEAR(s.m_dActionCount[1], 2.7, 1e-12);
        }

        // Lists: the map character menu has five entries, the formation menu
        // twelve, and entries 4 to 11 all took the value of entry 3.
        EXPECT_EQ(s.m_Attribute.Count(), 2);
        EXPECT_EQ(s.m_Attribute.At(1).m_strName, "ice");
        EXPECT_EQ(s.m_ItemCategory.At(0).m_nSymbol, 4);
        ASSERT_EQ(s.m_MapCharaMenu.Count(), 5);
        for (const MenuCommandEntry& e : s.m_MapCharaMenu)
        {
            EXPECT_EQ(e.m_bEnabled, 1);
        }
        ASSERT_EQ(s.m_FormationMenu.Count(), 12);
        for (int i = 0; i < 12; ++i)
        {
            EXPECT_EQ(s.m_FormationMenu.At(i).m_bEnabled, i >= 3 ? 0 : 1) << "entry " << i;
        }
    }
}

TEST_F(DatabaseTest, CurrentSystemFileKeepsEveryFieldAndItsMenus)
{
    std::vector<unsigned char> file = SystemFile(276, 12, 5);
    m_Folder.WriteFile("System.dat", file);
    ASSERT_EQ(LoadRecordFile(System, "System.dat", 0), 1);
    EXPECT_EQ(System.m_bDefenderWaits, 1026);
    EXPECT_EQ(System.m_nSpeedBase, 1027);
    EXPECT_EQ(System.m_FormationMenu.At(4).m_bEnabled, 1); // no upgrade at the current version
    EXPECT_EQ(System.m_FormationMenu.At(3).m_bEnabled, 0);
}

TEST_F(DatabaseTest, SystemWithoutSpeedSavesZeroActionCounts)
{
    System.m_nSpeedRate[0] = 0;
    System.m_nSpeedRate[1] = 0;
    System.m_dActionCount[0] = 9.0;
    ASSERT_EQ(SaveRecordFile(System, "System.dat"), 1);
    EXPECT_EQ(System.m_dActionCount[0], 0.0);
    EXPECT_EQ(System.m_dActionCount[1], 0.0);
    SystemRecord back;
    ASSERT_EQ(LoadRecordFile(back, "System.dat", 0), 1);
    EXPECT_EQ(back.m_dActionCount[0], 0.0);
}

} // namespace
