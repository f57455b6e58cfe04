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

template <class T> T MakeFilled()
{
    T record;
    dbtest::FillBoundFields(record, 300);
    return record;
}

template <class T> class RecordRoundTripTest : public dbtest::DatabaseTest
{
};

using DatabaseRecords = testing::Types<SystemRecord, ClassRecord, ItemRecord, LandRecord, SkillRecord>;
TYPED_TEST_SUITE(RecordRoundTripTest, DatabaseRecords);

TYPED_TEST(RecordRoundTripTest, SaveLoadSaveIsByteForByte)
{
    TypeParam record = MakeFilled<TypeParam>();
    std::vector<unsigned char> first = dbtest::SaveBytes(record);
    TypeParam back;
    ASSERT_TRUE(dbtest::LoadBytes(back, first));
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(back)), HexBytes(first));
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
