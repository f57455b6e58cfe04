#include "GameDataTest.h"
#include "common/data/DataFilePaths.h"
#include "common/data/DatabaseTableFiles.h"
#include "platform/window/ScriptedDialogs.h"

#include <filesystem>

namespace
{

class GameDatabaseTest : public GameDataTest
{
protected:
    // Writes the fixture's database, three enemies and a stage that places
    // two of them, then forgets it all.
    void WriteProject()
    {
        EnemyTable.assign(3, EnemyRecord());
        for (EnemyRecord& e : EnemyTable)
        {
            e.SetDefaults();
        }
        FriendTable.At(2).m_strText = "line\r\nnext";
        std::filesystem::create_directories("data/database");
        std::filesystem::create_directories("data/stg");
        ASSERT_EQ(SaveRecordFile(System, DataFilePaths[kPathSystem]), 1);
        ASSERT_EQ(SaveTableFile(LandTable, DataFilePaths[kPathLand]), 1);
        ASSERT_EQ(SaveTableFile(SkillTable, DataFilePaths[kPathSkill]), 1);
        ASSERT_EQ(SaveTableFile(ItemTable, DataFilePaths[kPathItem]), 1);
        ASSERT_EQ(SaveTableFile(ClassTable, DataFilePaths[kPathClass]), 1);
        ASSERT_EQ(SaveTableFile(EnemyTable, DataFilePaths[kPathEnemy]), 1);
        ASSERT_EQ(SaveTableFile(FriendTable, DataFilePaths[kPathFriend]), 1);
        ASSERT_EQ(SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]), 1);
        ASSERT_EQ(SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]), 1);

        StageRecord stage;
        stage.m_Enemy.assign(2, EnemyPlacement());
        for (int i = 0; i < 2; ++i)
        {
            stage.m_Enemy.At(i).SetDefaults();
            stage.m_Enemy.At(i).m_nEnemy = i + 1;
            stage.m_Enemy.At(i).m_nX = i;
        }
        ASSERT_EQ(SaveRecordFile(stage, "data\\stg\\Test.stg_276"), 1);
        ResetProjectData();
    }

    platform::ScriptedDialogs m_Dialogs;
};

TEST_F(GameDatabaseTest, StartUpGivesTheGameItsEmptyPartyAndSlots)
{
    ASSERT_EQ(PartyUnits.Count(), kPartySlotCount);
    for (const UnitRecord& slot : PartyUnits)
    {
        EXPECT_EQ(slot.m_nClass, 0);
    }
    ASSERT_EQ(SaveSlots.Count(), kSaveSlotCount);
    EXPECT_EQ(SaveSlots.At(98).m_bUsed, 0);
    EXPECT_EQ(GetIndexErrorPolicy(), IndexErrorPolicy::Game);

    // Resizing keeps the slots there and makes new ones empty.
    PartyUnits.At(0) = Member(2);
    ResizeUnitVector(PartyUnits, 0);
    ResizeUnitVector(PartyUnits, 2);
    EXPECT_EQ(CountPartyMembers(PartyUnits), 0);
    PartyUnits.At(1) = Member(2);
    ResizeUnitVector(PartyUnits, 1);
    ResizeUnitVector(PartyUnits, 3);
    EXPECT_EQ(CountPartyMembers(PartyUnits), 0);
    ResizeUnitVector(PartyUnits, -4);
    EXPECT_TRUE(PartyUnits.empty());
}

TEST_F(GameDatabaseTest, LoadsTheDatabaseNumberedAndKeepsAStagesEnemies)
{
    WriteProject();
    ASSERT_TRUE(LoadGameDatabase());
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    ASSERT_EQ(ItemTable.Count(), 6);
    ASSERT_EQ(EnemyTable.Count(), 3);
    ASSERT_EQ(FriendTable.Count(), 4);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(FriendTable.At(i).m_nHead, i);
        EXPECT_EQ(FriendTable.At(i).m_nClass, i == 0 ? 0 : 1);
    }
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(ClassTable.At(i).m_nClassA, i);
        EXPECT_EQ(SkillTable.At(i).m_nSkillB, i);
    }
    EXPECT_EQ(ItemTable.At(5).m_nItemB, 5);
    EXPECT_EQ(FriendTable.At(2).m_strText, "line\nnext");

    ASSERT_EQ(LoadRecordFile(Stage, "data\\stg\\Test.stg_276", 0), 1);
    ASSERT_EQ(Stage.m_Enemy.Count(), 2);
    EXPECT_EQ(Stage.m_Enemy.At(0).m_nEnemy, 1);
    EXPECT_EQ(Stage.m_Enemy.At(1).m_nEnemy, 2);
    EXPECT_EQ(m_nCloses, 0);
}

TEST_F(GameDatabaseTest, AFileThatCannotBeReadStopsTheStartUp)
{
    WriteProject();
    std::filesystem::remove("data/database/Class.dat");
    EXPECT_FALSE(LoadGameDatabase());
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "data\\database\\Class.dat のロードに失敗！");
    EXPECT_EQ(m_nCloses, 1);
    EXPECT_TRUE(FriendTable.empty());
}

// The enemies are the stage's to read (its set-up stops the game without them).
TEST_F(GameDatabaseTest, WithoutAnEnemyFileTheGameStillStarts)
{
    WriteProject();
    std::filesystem::remove("data/database/Enemy.dat");
    EXPECT_TRUE(LoadGameDatabase());
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    EXPECT_EQ(m_nCloses, 0);
    EXPECT_EQ(FriendTable.Count(), 4);
}

} // namespace
