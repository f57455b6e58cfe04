#include "GameDataTest.h"
#include "game/data/RandomName.h"

#include <limits>

namespace
{

using UnitRecordTest = GameDataTest;

struct ExperienceCase
{
    int32_t level;
    int32_t opponentLevel;
    double levelFactor;
    int32_t base;
    double finishFactor;
    int32_t classRate;
    int defeated;
    int32_t expected;
};

TEST_F(UnitRecordTest, ExperienceFollowsTheLevelDifferenceAndIsNeverNegative)
{
    const ExperienceCase cases[] = {
        {5, 2, 5.0, 10, 2.0, 100, 0, 0},                                   // 3 levels lower: -15 + 10 = -5, nothing
        {5, 2, 5.0, 10, 2.0, 100, 1, 0},                                   // the finishing factor keeps it negative
        {5, 8, 5.0, 10, 1.0, 100, 0, 25},                                  // 3 levels higher
        {5, 8, 5.0, 10, 1.5, 100, 1, 37},                                  // 25 x 1.5 = 37.5, truncated
        {5, 8, 5.0, 10, 1.5, 150, 1, 55},                                  // 37 x 150 / 100 = 55.5, truncated
        {5, 4, 2.5, 10, 1.0, 100, 0, 7},                                   // -2.5 + 10 = 7.5, truncated
        {5, 5, 0.0, 10, 1.0, 33, 0, 3},                                    // 10 x 33 / 100
        {5, 5, 0.0, 10, 0.0, 100, 1, 0},                                   // a finishing factor of 0 takes everything
        {1, 99, 1e9, 0, 1.0, 100, 0, std::numeric_limits<int32_t>::max()}, // saturates, no overflow
    };
    for (const ExperienceCase& c : cases)
    {
        System.m_dExpLevelDiff = c.levelFactor;
        System.m_nExpBase = c.base;
        System.m_dExpFinish = c.finishFactor;
        ClassTable.At(1).m_nExpRate = c.classRate;
        UnitRecord unit(FriendTable.At(1));
        unit.m_nLevel = c.level;
        EXPECT_EQ(unit.CalcExperience(c.opponentLevel, c.defeated), c.expected)
            << "level " << c.level << " against " << c.opponentLevel << ", defeated " << c.defeated;
    }
}

// A class with growth, random growth and random skills in the System, and a
// friend that uses both.
void SetUpGrowingFriend()
{
    ClassRecord& cls = ClassTable.At(1);
    const int32_t init[kParameterCount] = {30, 10, 8, 6, 5, 5, 7, 6, 6};
    for (int k = 0; k < kParameterCount; ++k)
    {
        cls.m_nInit[k] = init[k];
        cls.m_nFinal[k] = init[k] * 10;
    }
    cls.m_nMaxLevel = 20;
    cls.m_SkillLearn.assign(1, 2);
    System.m_nGrowthMin = 10;
    System.m_nGrowthMax = 20;
    System.m_nSkillMin = 1;
    System.m_nSkillMax = 3;
    for (double& weight : System.m_dStatRaise)
    {
        weight = 1.0;
    }
    for (int s = 1; s < SkillTable.Count(); ++s)
    {
        SkillTable.At(s).m_nLearnRate = 90;
        SkillTable.At(s).m_nLearnRateFactor = 5;
        SkillTable.At(s).m_nLearnLevelMin = 2;
        SkillTable.At(s).m_nLearnLevelMax = 12;
    }
    FriendRecord& f = FriendTable.At(1);
    f.m_bRandomGrowth = 1;
    f.m_bRandomSkill = 1;
    f.m_nLevel = 10;
    Progress.m_nScoutPoints = 4;
}

TEST_F(UnitRecordTest, RebuildWithAFixedSeedGivesFixedParameters)
{
    SetUpGrowingFriend();
    auto roll = []
    {
        SeedRand(1234);
        UnitRecord unit(FriendTable.At(1));
        unit.Recompute();
        return unit;
    };
    UnitRecord first = roll();
    UnitRecord second = roll();
    EXPECT_EQ(Image(first), Image(second));

    EXPECT_EQ(first.m_nLevel, 10);
    const int32_t bases[kParameterCount] = {159, 54, 42, 31, 27, 27, 38, 32, 33};
    for (int k = 0; k < kParameterCount; ++k)
    {
        EXPECT_EQ(first.m_Param[k].m_nBase, bases[k]) << "parameter " << k;
    }
    // Skill 1 came at a level already reached, skill 2 waits for level 12.
    EXPECT_EQ(first.FindSkill(1), 0);
    EXPECT_EQ(first.CountSkills(), 1);
    ASSERT_EQ(first.m_LearnSkill.Count(), 1);
    EXPECT_EQ(first.m_LearnSkill.At(0).m_nSkill, 2);
    EXPECT_EQ(first.m_LearnSkill.At(0).m_nLevel, 12);
}

struct NameCase
{
    const char* list;
    int draw; // what the generator returns
    bool picked;
    const char* name;
};

TEST_F(UnitRecordTest, NameListDrawsOnlyCountedLines)
{
    const NameCase cases[] = {
        {"", 0, false, "old"},
        {"Alpha", 0, false, "old"},                 // a last line without a line feed does not count
        {"\n\n\n", 0, false, "old"},                // nor do empty lines
        {"Alpha\nBeta", 5, true, "Alpha"},          // one counted line, whatever the draw
        {"Alpha\r\nBeta\r\n", 1, true, "Beta"},     // CR bytes are dropped
        {"\n\nAlpha\n\n\nBeta\n", 1, true, "Beta"}, // empty lines are skipped on the way
        {"Alpha\nBeta\nGamma\n", 5, true, "Gamma"}, // 5 % 3
        {"ABCDEFGHIJKLMNOPQRS\n", 0, true, "ABCDEFGHIJKLMNOP"},
        {"Aあいうえおかきく\n", 0, true, "Aあいうえおかき"}, // no character cut in half at 16 bytes
    };
    for (const NameCase& c : cases)
    {
        platform::ScopedRandomSource source([&c] { return c.draw; });
        std::string name = "old";
        EXPECT_EQ(PickNameFromList(c.list, name), c.picked) << c.list;
        EXPECT_EQ(name, c.name) << c.list;
        EXPECT_EQ(source.Draws(), c.picked ? 1 : 0) << c.list;
    }
}

TEST_F(UnitRecordTest, RandomNamesComeFromTheProjectsList)
{
    UnitRecord unit(FriendTable.At(1));
    EXPECT_EQ(unit.PickRandomName(), 0); // no list: the name stays
    EXPECT_EQ(unit.m_strName, "friend1");

    m_Folder.WriteFile("data/RandomName.txt", std::string("Alpha\r\nBeta\r\n"));
    {
        platform::ScopedRandomSource source([] { return 1; });
        EXPECT_EQ(unit.PickRandomName(), 1);
    }
    EXPECT_EQ(unit.m_strName, "Beta");

    // Recompute draws the name of a unit that has a random one.
    unit.m_bRandomName = 1;
    {
        platform::ScopedRandomSource source([] { return 0; });
        unit.Recompute();
    }
    EXPECT_EQ(unit.m_strName, "Alpha");
}

TEST_F(UnitRecordTest, EquippingSwapsItemsWithTheStock)
{
    ItemTable.At(1).m_nValue[2] = 5; // a weapon with attack +5
    ItemList stock(static_cast<std::size_t>(ItemTable.Count()));
    AddToStacks(stock, 1, 2);
    AddToStacks(stock, 4, 1);
    UnitRecord unit = Member(1);
    const int32_t attack = unit.m_Param[2].m_nBase;

    ASSERT_EQ(unit.Equip(0, ItemStack(1, 2), stock), 1);
    EXPECT_EQ(unit.m_Equip[0].m_nItem, 1);
    EXPECT_EQ(unit.m_Equip[0].m_bEquipped, 1);
    EXPECT_EQ(CountStack(stock, 1), 1);
    EXPECT_EQ(unit.m_Param[2].m_nValue, attack + 5);

    ASSERT_EQ(unit.Equip(0, ItemStack(4, 1), stock), 1); // the old weapon goes back
    EXPECT_EQ(CountStack(stock, 1), 2);
    EXPECT_EQ(FindStack(stock, 4), -1);
    EXPECT_EQ(unit.m_Param[2].m_nValue, attack);

    ASSERT_EQ(unit.Equip(0, ItemStack(), stock), 1); // an empty entry empties the slot
    EXPECT_EQ(unit.m_Equip[0].m_nItem, 0);
    EXPECT_EQ(unit.m_Equip[0].m_bEquipped, 0);
    EXPECT_EQ(CountStack(stock, 4), 1);

    // A slot takes only its own kind; there are two slots.
    EXPECT_EQ(unit.Equip(0, ItemStack(2, 1), stock), 0);
    EXPECT_EQ(unit.Equip(2, ItemStack(1, 1), stock), 0);
    EXPECT_EQ(unit.m_Equip[0].m_nItem, 0);

    AddToStacks(stock, 2, 1);
    ASSERT_EQ(unit.Equip(1, ItemStack(2, 1), stock), 1);
    EXPECT_EQ(unit.Unequip(1, stock), 1);
    EXPECT_EQ(unit.m_Equip[1].m_nItem, 0);
    EXPECT_EQ(CountStack(stock, 2), 1);
}

TEST_F(UnitRecordTest, AFullStackInTheStockKeepsTheSlotAsItIs)
{
    ItemTable.At(1).m_nMaxCount = 3;
    ItemList stock(static_cast<std::size_t>(ItemTable.Count()));
    AddToStacks(stock, 1, 3);
    AddToStacks(stock, 4, 1);
    UnitRecord unit = Member(1);
    unit.m_Equip[0].SetItem(1);
    const std::vector<unsigned char> before = Image(unit);

    EXPECT_EQ(unit.Equip(0, ItemStack(4, 1), stock), 0);
    EXPECT_EQ(unit.Unequip(0, stock), 0);
    unit.UnequipAll(stock);
    EXPECT_EQ(Image(unit), before);
    EXPECT_EQ(CountStack(stock, 1), 3);
    EXPECT_EQ(CountStack(stock, 4), 1);

    AddToStacks(stock, 1, -1);
    unit.UnequipAll(stock);
    EXPECT_EQ(unit.m_Equip[0].m_nItem, 0);
    EXPECT_EQ(CountStack(stock, 1), 3);
}

TEST_F(UnitRecordTest, WeaponHitRateIsNinetyWithoutAWeapon)
{
    ItemTable.At(1).m_nHitRate = 75;
    UnitRecord unit = Member(1);
    EXPECT_EQ(unit.GetWeaponHitRate(), 90);
    unit.m_Equip[0].SetItem(1);
    EXPECT_EQ(unit.GetWeaponHitRate(), 75);
}

TEST_F(UnitRecordTest, PricesGrowWithTheLevel)
{
    System.m_nHireCost = 100;
    System.m_nHireCostPerLevel = 10;
    System.m_nReviveCost = 50;
    System.m_nReviveCostPerLevel = 5;
    System.m_nReleasePrice = 30;
    System.m_nReleasePricePerLevel = 3;
    UnitRecord unit = Member(1);
    ASSERT_EQ(unit.m_nLevel, 3);
    EXPECT_EQ(unit.GetHireCost(), 130);
    EXPECT_EQ(unit.GetReviveCost(), 65);
    EXPECT_EQ(unit.GetDismissPrice(), 39);

    unit.m_bNoRelease = 1;
    unit.m_nLevel = 30;
    EXPECT_EQ(unit.GetDismissPrice(), 0);
    EXPECT_EQ(unit.GetHireCost(), 400);

    unit.MakeEmpty();
    EXPECT_EQ(unit.GetHireCost(), 0);
    EXPECT_EQ(unit.GetReviveCost(), 0);
    EXPECT_EQ(unit.GetDismissPrice(), 0);
}

TEST_F(UnitRecordTest, SkillsAreFoundByIndexAndByKind)
{
    SkillTable.At(1).m_nKind = 1;
    SkillTable.At(2).m_nKind = 2;
    UnitRecord unit = Member(1);
    unit.m_Skill.assign(4, SkillEntry());
    unit.m_Skill.At(1).m_nSkill = 2;
    unit.m_Skill.At(3).m_nSkill = 1;

    EXPECT_EQ(unit.CountSkills(), 2);
    EXPECT_EQ(unit.FindSkill(1), 3);
    EXPECT_EQ(unit.FindSkill(2), 1);
    EXPECT_EQ(unit.FindSkill(7), -1);
    EXPECT_EQ(unit.FindSkillOfKind(1), 3);
    EXPECT_EQ(unit.FindSkillOfKind(2), 1);
    EXPECT_EQ(unit.FindSkillOfKind(0), -1); // the empty entries are no skill of kind 0
}

TEST_F(UnitRecordTest, StageResetsClearTheFlagsAndRecoveryFollowsTheSystem)
{
    auto wounded = []
    {
        UnitRecord unit = Member(1);
        unit.m_nPlayB = unit.m_nPlayC = unit.m_nPlayD = 1;
        unit.m_Param[0].m_nValue = 0;
        unit.m_Param[1].m_nValue = 0;
        return unit;
    };
    UnitRecord unit = wounded();
    unit.ResetForStage();
    EXPECT_EQ(unit.m_nPlayB + unit.m_nPlayC + unit.m_nPlayD, 0);
    EXPECT_EQ(unit.m_Param[0].m_nValue, 0); // a stage start heals nothing

    for (int32_t revive : {0, 1})
    {
        System.m_bReviveAfterClear = revive;
        unit = wounded();
        unit.RecoverAfterStage();
        EXPECT_EQ(unit.m_nPlayB + unit.m_nPlayC, 0);
        EXPECT_EQ(unit.m_nPlayD, revive ? 0 : 1);
        EXPECT_EQ(unit.m_Param[0].m_nValue, unit.m_Param[0].m_nBase);
        EXPECT_EQ(unit.m_Param[1].m_nValue, unit.m_Param[1].m_nBase);
    }
}

TEST_F(UnitRecordTest, TheCarriedEventFollowsTheUnitAndIsNeverSaved)
{
    Stage.m_Event.assign(2, Event());
    UnitRecord unit = Member(1);
    EXPECT_EQ(unit.MoveHeldEvent(), 0);

    unit.m_nPlayE = 4;
    unit.m_nPlayF = 7;
    unit.SetHeldEvent(1);
    UnitRecord copy = unit; // a copy carries the same event
    ASSERT_EQ(copy.MoveHeldEvent(), 1);
    EXPECT_EQ(Stage.m_Event.At(1).m_nX, 4);
    EXPECT_EQ(Stage.m_Event.At(1).m_nY, 7);
    EXPECT_EQ(Stage.m_Event.At(0).m_nX, 0);

    // A load and a stage start drop the link; the stored field is written and read as 0.
    unit.m_nPlayH = 77;
    const std::vector<unsigned char> bytes = Image(unit);
    FriendRecord stored;
    DataReader storedIn(bytes, kDataFormatVersion, "memory");
    ASSERT_TRUE(stored.Load(storedIn));
    EXPECT_EQ(stored.m_nPlayH, 0);

    stored.m_nPlayH = 78;
    const std::vector<unsigned char> old = Image(stored);
    UnitRecord loaded;
    loaded.SetHeldEvent(0);
    DataReader in(old, kDataFormatVersion, "memory");
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(loaded.m_nPlayH, 0);
    EXPECT_EQ(loaded.GetHeldEvent(), nullptr);
    EXPECT_EQ(UnitRecord(stored).m_nPlayH, 0);

    unit.ResetForStage();
    EXPECT_EQ(unit.MoveHeldEvent(), 0);

    // A link past the stage's events leads nowhere.
    unit.SetHeldEvent(2);
    EXPECT_EQ(unit.GetHeldEvent(), nullptr);
    EXPECT_EQ(unit.MoveHeldEvent(), 0);
}

} // namespace
