// Class, item, land and skill records: old layouts, checks and defaults.
#include "DatabaseTestSupport.h"
#include "common/data/DatabaseTableFiles.h"

#include <gtest/gtest.h>

namespace
{

using dbtest::DatabaseTest;

// The nine parameter values 11..19.
ByteBuilder& NineValues(ByteBuilder& b)
{
    for (int k = 0; k < 9; ++k)
    {
        b.Int(11 + k);
    }
    return b;
}

TEST_F(DatabaseTest, OldItemFilesReadLaterFieldsFromTheirOldPlaces)
{
    // Version 98 has no largest count; version 81 has no percent flag either.
    for (int32_t version : {98, 81})
    {
        SCOPED_TRACE(version);
        ByteBuilder file;
        file.Int(version).Int(1);
        file.Int(version == 98 ? 14 : 13).Ints({1, 2, 3, 0, 1, 1});
        if (version == 98)
        {
            file.Int(1); // percent
        }
        NineValues(file).Ints({20, 21, 22, 23, 24, 25});
        file.Int(4).String("Sword").String("text").String("wave\\SkillAndItem\\a.wav").String("");
        m_Folder.WriteFile("Item.dat", file);

        ASSERT_EQ(LoadTableFile(ItemTable, "Item.dat", 0), 1);
        ASSERT_EQ(ItemTable.Count(), 1);
        const ItemRecord& item = ItemTable.At(0);
        EXPECT_EQ(item.m_nItemB, 2);
        EXPECT_EQ(item.m_nPrice, 3);
        EXPECT_EQ(item.m_nMaxCount, 0); // cleared, not the new item's 99
        EXPECT_EQ(item.m_nKind, 1);
        EXPECT_EQ(item.m_nAttribute, 1);
        EXPECT_EQ(item.m_bPercent, version == 98 ? 1 : 0);
        EXPECT_EQ(item.m_nValue[0], 11);
        EXPECT_EQ(item.m_nValue[8], 19);
        EXPECT_EQ(item.m_nHitRate, 20);
        EXPECT_EQ(item.m_nColor, 25);
        EXPECT_EQ(item.m_strName, "Sword");
        EXPECT_EQ(item.m_strSound, "wave\\SkillAndItem\\a.wav");
    }
}

struct LandCase
{
    int32_t version;
    int32_t storedCost;
    int32_t loadedCost;
};

TEST_F(DatabaseTest, LandFilesOfEveryLayoutAndTheirMovementCost)
{
    const LandCase cases[] = {
        {81, 3, 3},  // no percent flag: the effects follow the graphic
        {276, 0, 1}, // a movement cost below 1 loads as 1
        {276, -2, 1},
        {-1, 4, 4}, // a negative version word counts as newer than any version
    };
    for (const LandCase& c : cases)
    {
        SCOPED_TRACE(c.version);
        const bool hasPercent = c.version != 81;
        ByteBuilder file;
        file.Int(c.version).Int(1).Int(hasPercent ? 8 : 7).Ints({5, c.storedCost, 1, 9});
        if (hasPercent)
        {
            file.Int(1);
        }
        NineValues(file).Ints({1, 150}).Int(3).String("Forest").String("").String("bmp\\back\\f.bmp");
        m_Folder.WriteFile("Land.dat", file);

        ASSERT_EQ(LoadTableFile(LandTable, "Land.dat", 0), 1);
        const LandRecord& land = LandTable.At(0);
        EXPECT_EQ(land.m_nLandA, 5);
        EXPECT_EQ(land.m_nMoveCost, c.loadedCost);
        EXPECT_EQ(land.m_bNoEntry, 1);
        EXPECT_EQ(land.m_nGraphic, 9);
        EXPECT_EQ(land.m_bPercent, hasPercent ? 1 : 0);
        EXPECT_EQ(land.m_nEffect[0], 11);
        EXPECT_EQ(land.m_nEffect[8], 19);
        EXPECT_EQ(land.m_nSpecial, 1);
        EXPECT_EQ(land.m_nSpecialValue, 150);
        EXPECT_EQ(land.m_strBack, "bmp\\back\\f.bmp");
    }
}

// A skill image: the 21 int32 rows (old factor last), the double from 96.
std::vector<unsigned char> SkillFile(int32_t version, int32_t oldFactor, double factor)
{
    ByteBuilder file;
    file.Int(version).Int(1).Int(version >= 96 ? 22 : 21);
    file.Ints({0, 1, 5, 0, 1, 1, 1, 90, 30, 5});
    NineValues(file).Ints({0, 0, 1, 7, 2, 40, 3, 2, 10, oldFactor});
    if (version >= 96)
    {
        file.Double(factor);
    }
    file.Int(4).String("Fire").String("").String("").String("");
    return file;
}

TEST_F(DatabaseTest, SkillLearningFactorOfOldAndNewFiles)
{
    // Version 95: the double takes the old int32.
    m_Folder.WriteFile("Skill.dat", SkillFile(95, 3, 0.0));
    ASSERT_EQ(LoadTableFile(SkillTable, "Skill.dat", 0), 1);
    EXPECT_EQ(SkillTable.At(0).m_dLearnLevelFactor, 3.0);
    EXPECT_EQ(SkillTable.At(0).m_nLearnLevelFactorOld, 3);
    EXPECT_EQ(SkillTable.At(0).m_nLearnLevelMax, 10);
    EXPECT_EQ(SkillTable.At(0).m_strName, "Fire");
    // ... and both are saved.
    ASSERT_EQ(SaveTableFile(SkillTable, "Saved.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("Saved.dat")), HexBytes(SkillFile(276, 3, 3.0)));

    // Version 96: the stored double stays, the old int32 beside it too.
    m_Folder.WriteFile("Skill.dat", SkillFile(96, 7, 2.5));
    ASSERT_EQ(LoadTableFile(SkillTable, "Skill.dat", 0), 1);
    EXPECT_EQ(SkillTable.At(0).m_dLearnLevelFactor, 2.5);
    EXPECT_EQ(SkillTable.At(0).m_nLearnLevelFactorOld, 7);
}

TEST_F(DatabaseTest, ChecksBringCategoriesAndAttributesIntoTheSystemLists)
{
    System.m_ItemCategory.resize(2);
    System.m_SkillCategory.resize(3);
    struct Case
    {
        int32_t category, attribute;
        int32_t itemCategory, skillCategory, fitAttribute;
    };
    const Case cases[] = {
        {1, 1, 1, 1, 1},
        {2, 2, 0, 2, 0}, // two item categories and two attributes
        {3, 5, 0, 0, 0},
        {-1, -1, 0, 0, 0}, // a negative index is outside every list
    };
    for (const Case& c : cases)
    {
        ItemRecord item;
        item.m_nCategory = c.category;
        item.m_nAttribute = c.attribute;
        item.Validate();
        EXPECT_EQ(item.m_nCategory, c.itemCategory) << c.category;
        EXPECT_EQ(item.m_nAttribute, c.fitAttribute) << c.attribute;

        SkillRecord skill;
        skill.m_nCategory = c.category;
        skill.m_nAttribute = c.attribute;
        skill.Validate();
        EXPECT_EQ(skill.m_nCategory, c.skillCategory) << c.category;
        EXPECT_EQ(skill.m_nAttribute, c.fitAttribute) << c.attribute;
    }
}

TEST_F(DatabaseTest, NewRecordsHoldTheirDefaults)
{
    ItemRecord item;
    item.m_nCategory = 7;
    item.SetDefaults();
    EXPECT_EQ(item.m_nMaxCount, 99);
    EXPECT_EQ(item.m_nHitRate, 100);
    EXPECT_EQ(item.m_nCategory, 0);

    LandRecord land;
    land.SetDefaults();
    EXPECT_EQ(land.m_nMoveCost, 1);

    SkillRecord skill;
    skill.m_dLearnLevelFactor = 4.0;
    skill.SetDefaults();
    EXPECT_EQ(skill.m_nHitRate, 100);
    EXPECT_EQ(skill.m_dLearnLevelFactor, 0.0);

    ClassRecord cls;
    cls.SetDefaults();
    EXPECT_EQ(cls.m_nGraphic, 1);
    EXPECT_EQ(cls.m_nMove, 4);
    EXPECT_EQ(cls.m_nExpRate, 100);
    EXPECT_EQ(cls.m_nMaxLevel, 30);
    EXPECT_EQ(cls.m_nInit[8], 1);
    EXPECT_EQ(cls.m_nFinal[0], 1);
}

TEST_F(DatabaseTest, ClassListsFollowTheSystem)
{
    // The default System: two attributes, one skill category.
    ClassRecord cls;
    cls.SetDefaults();
    EXPECT_EQ(cls.m_Resist, (CheckedVector<int32_t>{100, 100}));
    EXPECT_EQ(cls.m_SkillLearn, (CheckedVector<int32_t>{0}));

    ClassTable.assign(2, cls);
    ClassTable.At(1).m_Resist.At(1) = 50;
    ASSERT_EQ(SaveDatabaseTable(ClassTable, "Class.dat"), 1);

    // One more attribute: every class gets one more resistance, of value 0.
    System.m_Attribute.resize(3);
    ClassTable.clear();
    ASSERT_EQ(LoadTableFile(ClassTable, "Class.dat", 0), 1);
    ASSERT_EQ(ClassTable.Count(), 2);
    EXPECT_EQ(ClassTable.At(0).m_Resist, (CheckedVector<int32_t>{100, 100, 0}));
    EXPECT_EQ(ClassTable.At(1).m_Resist, (CheckedVector<int32_t>{100, 50, 0}));

    // One category fewer: the last skill-learning values go at the next save.
    System.m_SkillCategory.resize(2);
    ClassTable.At(0).FitToSystem();
    ClassTable.At(0).m_SkillLearn = {4, 5};
    System.m_SkillCategory.resize(1);
    DataWriter sink;
    ClassTable.At(0).Save(sink);
    EXPECT_EQ(ClassTable.At(0).m_SkillLearn, (CheckedVector<int32_t>{4}));
}

TEST_F(DatabaseTest, ClassLevelLimitZeroIsStoredAsItIs)
{
    ClassRecord cls;
    cls.SetDefaults();
    cls.m_nMaxLevel = 0;
    ClassRecord back;
    ASSERT_TRUE(dbtest::LoadBytes(back, dbtest::SaveBytes(cls)));
    EXPECT_EQ(back.m_nMaxLevel, 0);
}

} // namespace
