// Sub-records of the characters: images, the unstored goal group, checks.
#include "DatabaseTestSupport.h"
#include "common/data/CharacterRecord.h"
#include "common/data/DataFile.h"

#include <gtest/gtest.h>

namespace
{

using dbtest::DatabaseTest;

TEST_F(DatabaseTest, MoveAiEntryStoresFiveFieldsAndForgetsItsGoalGroup)
{
    MoveAiEntry entry;
    entry.m_nRange = 1;
    entry.m_nTarget = kMoveAiTargetGoal;
    entry.m_nMode = 2;
    entry.m_nSkill = 3;
    entry.m_nGoalNum = 4;
    entry.m_nGoalGroup = 99;
    const std::vector<unsigned char> image = ByteBuilder().Ints({5, 1, 8, 2, 3, 4, 0});
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(entry)), HexBytes(image));

    MoveAiEntry back;
    back.m_nGoalGroup = 12; // a group the game resolved before
    ASSERT_TRUE(dbtest::LoadBytes(back, image));
    EXPECT_EQ(back.m_nGoalNum, 4);
    EXPECT_EQ(back.m_nGoalGroup, 0);

    // In a list, every element starts with no goal group.
    m_Folder.WriteFile("Ai.dat", ByteBuilder().Int(276).Int(2).Bytes(image).Bytes(image));
    CheckedVector<MoveAiEntry> list;
    ASSERT_EQ(LoadTableFile(list, "Ai.dat", 0), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(1).m_nSkill, 3);
    EXPECT_EQ(list.At(1).m_nGoalGroup, 0);
}

TEST_F(DatabaseTest, MoveAiEntryCheckFitsSkillAndGoal)
{
    SkillTable.resize(3);
    struct Case
    {
        int32_t skill, goal;
        int groups;
        int32_t fitSkill, fitGoal;
    };
    const Case cases[] = {
        {2, 1, 2, 2, 1},
        {3, 2, 2, 0, 0},
        {-1, -1, 2, 0, 0},
        {1, 0, 0, 1, 0},
    };
    for (const Case& c : cases)
    {
        MoveAiEntry entry;
        entry.m_nSkill = c.skill;
        entry.m_nGoalNum = c.goal;
        entry.Validate(c.groups);
        EXPECT_EQ(entry.m_nSkill, c.fitSkill) << c.skill;
        EXPECT_EQ(entry.m_nGoalNum, c.fitGoal) << c.goal << " of " << c.groups;
    }
}

TEST_F(DatabaseTest, BattleAiEntryCarriesItsConditions)
{
    BattleAiEntry entry;
    entry.SetDefaults();
    EXPECT_EQ(entry.m_nAction, 0);
    EXPECT_EQ(entry.m_nSkill, 1);
    EXPECT_EQ(entry.m_nPriority, 1);
    EXPECT_EQ(entry.m_nPriorityLevel, 10);
    entry.m_Condition.resize(2);
    dbtest::FillBoundFields(entry.m_Condition.At(1), 40);

    const std::vector<unsigned char> image = dbtest::SaveBytes(entry);
    EXPECT_EQ(HexBytes(image), HexBytes(ByteBuilder()
                                            .Ints({4, 0, 1, 1, 10, 0})
                                            .Int(2)
                                            .Ints({5, 0, 0, 0, 0, 0, 0})
                                            .Ints({5, 40, 41, 42, 43, 44, 0})));
    BattleAiEntry back;
    ASSERT_TRUE(dbtest::LoadBytes(back, image));
    ASSERT_EQ(back.m_Condition.Count(), 2);
    EXPECT_EQ(back.m_Condition.At(1).m_bPercent, 44);

    BattleAiEntry copy = back;
    back.m_Condition.At(1).m_nValue = 0;
    EXPECT_EQ(HexBytes(dbtest::SaveBytes(copy)), HexBytes(image));
}

TEST_F(DatabaseTest, LearnSkillListKeepsStoredSkillsAndFillsOnlyMissingOnes)
{
    // A stored skill 0 stays 0; an element image without fields keeps the fill value 1.
    m_Folder.WriteFile("Learn.dat", ByteBuilder().Int(276).Int(3).Ints({2, 0, 5, 0}).Ints({2, 4, 9, 0}).Ints({0, 0}));
    CheckedVector<LearnSkillEntry> list;
    ASSERT_EQ(LoadTableFile(list, "Learn.dat", 0), 1);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.At(0).m_nSkill, 0);
    EXPECT_EQ(list.At(0).m_nLevel, 5);
    EXPECT_EQ(list.At(1).m_nSkill, 4);
    EXPECT_EQ(list.At(2).m_nSkill, 1);
    EXPECT_EQ(list.At(2).m_nLevel, 0);
}

TEST(EquipmentSlotTest, EquippedExactlyWhenItHoldsAnItem)
{
    EquipmentSlot slot;
    slot.SetItem(3);
    EXPECT_EQ(slot.m_bEquipped, 1);
    slot.SetItem(0);
    EXPECT_EQ(slot.m_bEquipped, 0);
}

} // namespace
