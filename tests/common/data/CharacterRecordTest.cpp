// Friends and enemies: layouts by version, defaults, the consistency check,
// the table files.
#include "DatabaseTestSupport.h"
#include "common/data/DatabaseTableFiles.h"

#include <gtest/gtest.h>

namespace
{

// A class table of two classes (level limits 3 and 0), items of every kind
// (0 medicine, 1 weapon, 2 other equipment, 3 treasure) and four skills.
class CharacterTest : public dbtest::DatabaseTest
{
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        ClassTable.resize(2);
        ClassTable.At(0).m_nMaxLevel = 3;
        ClassTable.At(1).m_nMaxLevel = 3;
        ItemTable.resize(4);
        for (int i = 0; i < 4; ++i)
        {
            ItemTable.At(i).m_nKind = i;
        }
        SkillTable.resize(4);
    }
};

// A Friend.dat or Enemy.dat of the given version with one character: the
// record image as that version holds it, nine parameters, two slots, growth
// tables of three entries, two skill points, one known skill, one skill to
// learn (stored as skill 0) and, for an enemy, one move-AI entry and one
// battle-AI entry with one condition.
std::vector<unsigned char> CharacterFile(int32_t version, bool enemy)
{
    ByteBuilder fields;
    int count = 0;
    auto field = [&](std::initializer_list<int32_t> values)
    {
        ++count;
        fields.Ints(values);
    };
    auto array = [&](int32_t first)
    {
        ++count;
        for (int k = 0; k < 9; ++k)
        {
            fields.Int(first + k);
        }
    };
    field({7}); // head
    if (version >= 76)
    {
        field({1}); // random name
    }
    field({enemy ? 1 : 0});
    field({11}); // play A
    field({1});  // class
    field({2});  // level
    field({3});  // level limit
    field({40}); // experience
    array(100);  // entered initial values
    array(200);  // entered final values
    array(300);  // initial values
    array(400);  // final values
    array(50);   // remainders
    array(1);    // grows
    field({1});  // random growth
    field({1});  // random skill
    for (int32_t play = 21; play <= 26; ++play)
    {
        field({play});
    }
    if (version >= 72)
    {
        field({27});
    }
    field({28});
    field({29});
    if (!enemy)
    {
        field({31});
        field({32});
        field({1}); // in shop
        field({1}); // hire again
        if (version >= 76)
        {
            field({1}); // no release
        }
    }

    ByteBuilder file;
    file.Int(version).Int(1).Int(count).Bytes(fields.Data()).Int(2).String("Hero").String("text");
    for (int k = 0; k < 9; ++k)
    {
        file.Ints({3, k, 10 + k, 10 + k, 0});
    }
    file.Ints({2, 1, 1, 0}).Ints({2, 2, 1, 0}); // a weapon, other equipment
    for (int k = 0; k < 9; ++k)
    {
        file.Ints({3, 0, 5, 5});
    }
    file.Ints({2, 4, 0});       // skill points
    file.Ints({1, 1, 3, 0});    // known skills
    file.Ints({1, 2, 0, 2, 0}); // to learn: skill 0 at level 2
    if (enemy)
    {
        file.Ints({1, 5, 1, 8, 1, 2, 2, 0});                        // move AI
        file.Ints({1, 4, 1, 2, 1, 10, 0, 1, 5, 0, 9, 50, 3, 1, 0}); // battle AI with one condition
    }
    return file;
}

TEST_F(CharacterTest, OldFriendFilesLoadWithTheLaterFieldsCleared)
{
    struct Case
    {
        int32_t version;
        int32_t randomName, playH, noRelease;
    };
    const Case cases[] = {{71, 0, 0, 0}, {75, 0, 27, 0}, {276, 1, 27, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.version);
        m_Folder.WriteFile("Friend.dat", CharacterFile(c.version, false));
        ASSERT_EQ(LoadTableFile(FriendTable, "Friend.dat", 0), 1);
        ASSERT_EQ(FriendTable.Count(), 1);
        const FriendRecord& f = FriendTable.At(0);
        EXPECT_EQ(f.m_bRandomName, c.randomName);
        EXPECT_EQ(f.m_nPlayH, c.playH);
        EXPECT_EQ(f.m_bNoRelease, c.noRelease);
        // The fields around them come from their places.
        EXPECT_EQ(f.m_nHead, 7);
        EXPECT_EQ(f.m_bEnemy, 0);
        EXPECT_EQ(f.m_nExp, 40);
        EXPECT_EQ(f.m_nInitInput[8], 108);
        EXPECT_EQ(f.m_bGrows[0], 1);
        EXPECT_EQ(f.m_nPlayG, 26);
        EXPECT_EQ(f.m_nPlayJ, 29);
        EXPECT_EQ(f.m_bHireAgain, 1);
        EXPECT_EQ(f.m_strName, "Hero");
        EXPECT_EQ(f.m_Param[8].m_nIndex, 8);
        EXPECT_EQ(f.m_Equip[1].m_nItem, 2);
        EXPECT_EQ(f.m_Growth[4], (CheckedVector<int32_t>{0, 5, 5}));
        EXPECT_EQ(f.m_SkillPoints, (CheckedVector<int32_t>{4, 0}));
        EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 3);
        ASSERT_EQ(f.m_LearnSkill.Count(), 1);
        EXPECT_EQ(f.m_LearnSkill.At(0).m_nSkill, 0); // a stored 0 stays 0
        EXPECT_EQ(f.m_LearnSkill.At(0).m_nLevel, 2);
    }
    // Written back at the current version with every field.
    ASSERT_EQ(SaveDatabaseTable(FriendTable, "Saved.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("Saved.dat")), HexBytes(CharacterFile(276, false)));
}

TEST_F(CharacterTest, EnemyFileCarriesItsAiLists)
{
    const std::vector<unsigned char> file = CharacterFile(276, true);
    m_Folder.WriteFile("Enemy.dat", file);
    ASSERT_EQ(LoadTableFile(EnemyTable, "Enemy.dat", 0), 1);
    const EnemyRecord& e = EnemyTable.At(0);
    EXPECT_EQ(e.m_bEnemy, 1);
    ASSERT_EQ(e.m_MoveAI.Count(), 1);
    EXPECT_EQ(e.m_MoveAI.At(0).m_nTarget, kMoveAiTargetGoal);
    EXPECT_EQ(e.m_MoveAI.At(0).m_nGoalNum, 2);
    ASSERT_EQ(e.m_BattleAi.Count(), 1);
    EXPECT_EQ(e.m_BattleAi.At(0).m_nPriorityLevel, 10);
    ASSERT_EQ(e.m_BattleAi.At(0).m_Condition.Count(), 1);
    EXPECT_EQ(e.m_BattleAi.At(0).m_Condition.At(0).m_nCompare, 3);

    ASSERT_EQ(SaveDatabaseTable(EnemyTable, "Saved.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("Saved.dat")), HexBytes(file));
}

TEST_F(CharacterTest, NewFriendsAndEnemiesHoldTheirDefaults)
{
    FriendRecord f;
    f.m_LearnSkill.resize(2);
    f.SetDefaults();
    EXPECT_EQ(f.m_nClass, 1);
    EXPECT_EQ(f.m_nLevel, 1);
    EXPECT_EQ(f.m_nMaxLevel, 3); // from the class, by the check
    EXPECT_EQ(f.m_Growth[0].Count(), 3);
    EXPECT_EQ(f.m_Param[5].m_nIndex, 5);
    EXPECT_EQ(f.m_bEnemy, 0);
    EXPECT_EQ(f.m_bRandomName + f.m_bRandomGrowth + f.m_bRandomSkill + f.m_bInShop + f.m_bHireAgain, 5);
    EXPECT_EQ(f.m_bNoRelease, 0);
    EXPECT_TRUE(f.m_LearnSkill.empty());

    EnemyRecord e;
    e.m_MoveAI.resize(3);
    e.SetDefaults();
    EXPECT_EQ(e.m_bEnemy, 1);
    EXPECT_EQ(e.m_bRandomGrowth, 0);
    EXPECT_EQ(e.m_bRandomSkill, 0);
    EXPECT_TRUE(e.m_MoveAI.empty());
    ASSERT_EQ(e.m_BattleAi.Count(), 1);
    const BattleAiEntry& attack = e.m_BattleAi.At(0);
    EXPECT_EQ(attack.m_nAction, 0);
    EXPECT_EQ(attack.m_nSkill, 1);
    EXPECT_EQ(attack.m_nPriority, 1);
    EXPECT_EQ(attack.m_nPriorityLevel, 10);
    EXPECT_TRUE(attack.m_Condition.empty());
}

TEST_F(CharacterTest, CheckFitsClassLevelAndTables)
{
    struct Case
    {
        int classes;
        int32_t storedClass;
        int32_t fitClass;
    };
    // An out-of-range class becomes 1 where there is a class 1, else 0.
    const Case cases[] = {{2, 1, 1}, {2, 2, 1}, {2, -1, 1}, {1, 5, 0}, {3, 7, 1}};
    for (const Case& c : cases)
    {
        ClassTable.resize(static_cast<std::size_t>(c.classes));
        FriendRecord f;
        f.m_nClass = c.storedClass;
        f.Validate();
        EXPECT_EQ(f.m_nClass, c.fitClass) << c.classes << " classes, class " << c.storedClass;
    }

    // The level limit comes from the class, at least 1; the level follows it;
    // the growth tables take one entry a level.
    ClassTable.At(1).m_nMaxLevel = 0;
    FriendRecord f;
    f.m_nClass = 1;
    f.m_nLevel = 5;
    f.m_nMaxLevel = 40;
    f.m_Growth[2] = {0, 7, 7, 7};
    f.Validate();
    EXPECT_EQ(f.m_nMaxLevel, 1);
    EXPECT_EQ(f.m_nLevel, 1);
    EXPECT_EQ(f.m_Growth[2], (CheckedVector<int32_t>{0}));
    EXPECT_EQ(f.m_Growth[0], (CheckedVector<int32_t>{0}));

    // Skills outside the table become 0.
    f.m_Skill.resize(2);
    f.m_Skill.At(0).m_nSkill = 3;
    f.m_Skill.At(1).m_nSkill = 4;
    f.m_LearnSkill.resize(1);
    f.m_LearnSkill.At(0).m_nSkill = -2;
    f.Validate();
    EXPECT_EQ(f.m_Skill.At(0).m_nSkill, 3);
    EXPECT_EQ(f.m_Skill.At(1).m_nSkill, 0);
    EXPECT_EQ(f.m_LearnSkill.At(0).m_nSkill, 0);
}

TEST_F(CharacterTest, CheckKeepsOnlyTheRightKindInEachSlot)
{
    struct Case
    {
        int32_t weaponSlot, otherSlot;
        int32_t keptWeapon, keptOther;
    };
    const Case cases[] = {
        {1, 2, 1, 2},  // weapon, other equipment
        {2, 1, 0, 0},  // each in the wrong slot
        {3, 0, 0, 0},  // a treasure
        {4, -1, 0, 0}, // outside the item table
    };
    for (const Case& c : cases)
    {
        EnemyRecord e;
        e.m_Equip[0].m_nItem = c.weaponSlot;
        e.m_Equip[1].m_nItem = c.otherSlot;
        e.Validate();
        EXPECT_EQ(e.m_Equip[0].m_nItem, c.keptWeapon) << c.weaponSlot;
        EXPECT_EQ(e.m_Equip[1].m_nItem, c.keptOther) << c.otherSlot;
    }
}

TEST_F(CharacterTest, CheckWithoutClassesChangesNothing)
{
    ClassTable.clear();
    FriendRecord f;
    f.m_nClass = 9;
    f.m_nLevel = 50;
    f.m_Equip[0].m_nItem = 2;
    f.Validate();
    EXPECT_EQ(f.m_nClass, 9);
    EXPECT_EQ(f.m_nLevel, 50);
    EXPECT_EQ(f.m_Equip[0].m_nItem, 2);
}

TEST_F(CharacterTest, CharacterTablesKeepTheirHeadField)
{
    FriendTable.resize(2);
    FriendTable.At(0).m_nHead = 9;
    FriendTable.At(1).m_nHead = 9;
    ASSERT_EQ(SaveDatabaseTable(FriendTable, "Friend.dat"), 1);
    FriendTable.clear();
    ASSERT_EQ(LoadTableFile(FriendTable, "Friend.dat", 0), 1);
    ASSERT_EQ(FriendTable.Count(), 2);
    EXPECT_EQ(FriendTable.At(1).m_nHead, 9);
}

} // namespace
