// Every database record survives save, load, save byte for byte, and its copy
// is equal to the original and independent of it.
#include "DatabaseTestSupport.h"
#include "common/data/DatabaseTableFiles.h"

#include <gtest/gtest.h>

namespace
{

// A record with every member away from its defaults, lists included.
template <class T> T MakeFilled();

template <> SystemRecord MakeFilled<SystemRecord>()
{
    SystemRecord s;
    s.m_Attribute.resize(3);
    s.m_SkillCategory.resize(2);
    s.m_ItemCategory.resize(2);
    dbtest::FillBoundFields(s, 100);
    int seed = 1;
    for (NamedSymbolEntry* e : {static_cast<NamedSymbolEntry*>(&s.m_Attribute.At(2)),
                                static_cast<NamedSymbolEntry*>(&s.m_SkillCategory.At(1)),
                                static_cast<NamedSymbolEntry*>(&s.m_ItemCategory.At(0))})
    {
        dbtest::FillBoundFields(*e, seed++);
    }
    s.m_FormationMenu.At(4).m_bEnabled = 0;
    s.m_BattleCharaMenu.At(3).m_bEnabled = 0;
    return s;
}

template <> ClassRecord MakeFilled<ClassRecord>()
{
    ClassRecord c;
    dbtest::FillBoundFields(c, 200);
    c.m_SkillLearn = {7};
    c.m_Resist = {80, 120};
    return c;
}

// A character that the check leaves as it is (see the fixture's tables).
template <class T> T MakeCharacter(int32_t seed)
{
    T c;
    dbtest::FillBoundFields(c, seed);
    c.m_nClass = 1;
    c.m_nLevel = 2;
    c.m_nMaxLevel = 3;
    for (int k = 0; k < kParameterCount; ++k)
    {
        c.m_Param[k].m_nIndex = k;
        c.m_Param[k].m_nBase = 10 + k;
        c.m_Param[k].m_nValue = 10 + k;
        c.m_Growth[k] = {0, k, 2 * k};
    }
    c.m_Equip[0].SetItem(1);
    c.m_Equip[1].SetItem(2);
    c.m_SkillPoints = {4, 5};
    c.m_Skill.resize(2);
    c.m_Skill.At(0).m_nSkill = 3;
    c.m_LearnSkill.resize(1);
    c.m_LearnSkill.At(0).m_nSkill = 2;
    c.m_LearnSkill.At(0).m_nLevel = 5;
    return c;
}

template <> FriendRecord MakeFilled<FriendRecord>()
{
    return MakeCharacter<FriendRecord>(400);
}

template <> EnemyRecord MakeFilled<EnemyRecord>()
{
    EnemyRecord e = MakeCharacter<EnemyRecord>(500);
    e.m_MoveAI.resize(2);
    dbtest::FillBoundFields(e.m_MoveAI.At(1), 60);
    e.m_BattleAi.resize(1);
    dbtest::FillBoundFields(e.m_BattleAi.At(0), 70);
    e.m_BattleAi.At(0).m_Condition.resize(2);
    dbtest::FillBoundFields(e.m_BattleAi.At(0).m_Condition.At(0), 80);
    return e;
}

template <class T> T MakeFilled()
{
    T record;
    dbtest::FillBoundFields(record, 300);
    return record;
}

// Tables the characters are checked against: classes with level limit 3, a
// weapon as item 1, other equipment as item 2, four skills.
template <class T> class RecordRoundTripTest : public dbtest::DatabaseTest
{
protected:
    void SetUp() override
    {
        dbtest::DatabaseTest::SetUp();
        ClassTable.resize(2);
        ClassTable.At(1).m_nMaxLevel = 3;
        ItemTable.resize(3);
        ItemTable.At(1).m_nKind = kItemKindWeapon;
        ItemTable.At(2).m_nKind = kItemKindOtherEquipment;
        SkillTable.resize(4);
    }
};

using DatabaseRecords =
    testing::Types<SystemRecord, ClassRecord, ItemRecord, LandRecord, SkillRecord, FriendRecord, EnemyRecord>;
TYPED_TEST_SUITE(RecordRoundTripTest, DatabaseRecords);

TYPED_TEST(RecordRoundTripTest, SaveLoadSaveIsByteForByte)
{
    TypeParam record = MakeFilled<TypeParam>();
    std::vector<unsigned char> first = dbtest::SaveBytes(record);
    TypeParam back;
    ASSERT_TRUE(dbtest::LoadBytes(back, first));
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(back)), HexBytes(first));
}

// What the data tool shows of a record is everything the record stores.
TYPED_TEST(RecordRoundTripTest, VisitorShowsEveryStoredVector)
{
    TypeParam record = MakeFilled<TypeParam>();
    std::vector<unsigned char> saved = dbtest::SaveBytes(record); // after the check the save runs
    EXPECT_EQ(dbtest::ShownImageSize(record), saved.size());
}

TYPED_TEST(RecordRoundTripTest, CopiesAreEqualAndIndependent)
{
    TypeParam source = MakeFilled<TypeParam>();
    std::vector<unsigned char> original = dbtest::SaveBytes(source);

    TypeParam assigned;
    assigned = source;
    TypeParam constructed(source);
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(assigned)), HexBytes(original));
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(constructed)), HexBytes(original));

    // CopyRecord copies the bound members and strings; the lists are the copy
    // assignment's, so the target starts with the same lists.
    TypeParam copied = MakeFilled<TypeParam>();
    dbtest::FillBoundFields(copied, 9000);
    CopyRecord(copied, source);
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(copied)), HexBytes(original));

    dbtest::FillBoundFields(source, 5000);
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(copied)), HexBytes(original));
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(assigned)), HexBytes(original));
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(constructed)), HexBytes(original));
}

// The table writers set each record's own index to its position.
template <class T> struct OwnIndex;
template <> struct OwnIndex<ClassRecord>
{
    static constexpr int32_t ClassRecord::*member = &ClassRecord::m_nClassA;
};
template <> struct OwnIndex<ItemRecord>
{
    static constexpr int32_t ItemRecord::*member = &ItemRecord::m_nItemB;
};
template <> struct OwnIndex<LandRecord>
{
    static constexpr int32_t LandRecord::*member = &LandRecord::m_nLandA;
};
template <> struct OwnIndex<SkillRecord>
{
    static constexpr int32_t SkillRecord::*member = &SkillRecord::m_nSkillB;
};

template <class T> class TableWriterTest : public dbtest::DatabaseTest
{
};

using TableRecords = testing::Types<ClassRecord, ItemRecord, LandRecord, SkillRecord>;
TYPED_TEST_SUITE(TableWriterTest, TableRecords);

TYPED_TEST(TableWriterTest, WritesVersionCountAndRecordsWithTheirPositions)
{
    CheckedVector<TypeParam> table(3, MakeFilled<TypeParam>());
    for (TypeParam& record : table)
    {
        record.*OwnIndex<TypeParam>::member = 77;
    }
    std::filesystem::create_directories(this->m_Folder.Path() / "data" / "database");
    ASSERT_EQ(SaveDatabaseTable(table, "data\\database\\Table.dat"), 1);

    DataWriter expected;
    expected.WriteInt32(276);
    expected.WriteInt32(3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(table.At(i).*OwnIndex<TypeParam>::member, i);
        table.At(i).Save(expected);
    }
    EXPECT_EQ(HexBytes(this->m_Folder.ReadFile("data/database/Table.dat")), HexBytes(expected.Bytes()));

    CheckedVector<TypeParam> back;
    ASSERT_EQ(LoadTableFile(back, "data\\database\\Table.dat", 0), 1);
    ASSERT_EQ(back.Count(), 3);
    EXPECT_EQ(back.At(2).*OwnIndex<TypeParam>::member, 2);
}

TYPED_TEST(TableWriterTest, WritesNothingAfterAFatalError)
{
    CheckedVector<TypeParam> table(1);
    platform::FatalError();
    EXPECT_EQ(SaveDatabaseTable(table, "Table.dat"), 0);
    EXPECT_FALSE(std::filesystem::exists(this->m_Folder.Path() / "Table.dat"));
}

} // namespace
