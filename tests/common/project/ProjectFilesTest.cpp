#include "common/data/DataFilePaths.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/FatalHooks.h"

#include "DataFileTest.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace
{

namespace fs = std::filesystem;

class ProjectFilesTest : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        ResetProjectData();
        for (const char* folder : {"data/database", "data/stg", "data/plt", "data/wplt"})
        {
            fs::create_directories(folder);
        }
    }
    void TearDown() override
    {
        ResetProjectData();
        DataFileTest::TearDown();
    }

    static const ProjectFileStatus* Find(const std::vector<ProjectFileStatus>& files, const char* path)
    {
        for (const ProjectFileStatus& f : files)
        {
            if (f.m_strPath == path)
            {
                return &f;
            }
        }
        return nullptr;
    }
};

TEST_F(ProjectFilesTest, EmptyFolderGivesTheDefaultsOfANewProject)
{
    std::vector<ProjectFileStatus> files = LoadProjectData();
    for (const ProjectFileStatus& f : files)
    {
        EXPECT_EQ(f.m_Result, LoadResult::NotOpened) << f.m_strPath;
    }
    EXPECT_EQ(GValInfo.Count(), 256);
    EXPECT_EQ(GValInfo[255].m_str, "");
    for (int count : {LandTable.Count(), SkillTable.Count(), ItemTable.Count(), ClassTable.Count(),
                      FriendTable.Count(), EnemyTable.Count()})
    {
        EXPECT_EQ(count, 2);
    }
    EXPECT_EQ(ItemTable[1].m_nMaxCount, 99); // default records, not cleared ones
    EXPECT_EQ(Stage.m_nWidth, 20);
    EXPECT_EQ(EditConfig.m_nUndoDepth, 3);
}

// The start-up sets the current format: from then on the defaults reach the
// members that newer formats added (at 0 they would keep stale values).
TEST_F(ProjectFilesTest, StartUpBindsAtTheCurrentFormat)
{
    ASSERT_EQ(CurrentVersion, 0);
    LoadProjectData();
    EXPECT_EQ(CurrentVersion, kDataFormatVersion);

    System.m_strBgm[0] = "old.mid";
    System.m_nReleasePrice = 5;
    System.m_dStatRaise[0] = 2.0;
    System.SetDefaults();
    EXPECT_EQ(System.m_strBgm[0], "");
    EXPECT_EQ(System.m_nReleasePrice, 0);
    EXPECT_EQ(System.m_dStatRaise[0], 0.0);

    EnemyRecord& enemy = EnemyTable.At(1);
    enemy.m_bRandomName = 1;
    enemy.SetDefaults();
    EXPECT_EQ(enemy.m_bRandomName, 0);
}

TEST_F(ProjectFilesTest, FilesThatOpenKeepTheirOwnCounts)
{
    CheckedVector<StringRecord> names(300);
    names[299].m_str = "最後";
    ASSERT_EQ(SaveTableFile(names, DataFilePaths[kPathGValInfo]), 1);
    CheckedVector<LandRecord> lands(5);
    ASSERT_EQ(SaveTableFile(lands, DataFilePaths[kPathLand]), 1);

    std::vector<ProjectFileStatus> files = LoadProjectData();
    EXPECT_EQ(GValInfo.Count(), 300);
    EXPECT_EQ(GValInfo[299].m_str, "最後");
    EXPECT_EQ(LandTable.Count(), 5);
    const ProjectFileStatus* land = Find(files, DataFilePaths[kPathLand]);
    ASSERT_NE(land, nullptr);
    EXPECT_EQ(land->m_Result, LoadResult::Loaded);
    EXPECT_EQ(land->m_nVersion, 276);
    EXPECT_EQ(land->m_nRecords, 5);
}

TEST_F(ProjectFilesTest, CorruptTableIsReportedAndReplacedByDefaults)
{
    m_Folder.WriteFile("data/database/Item.dat", ByteBuilder().Int(276).Int(0x7FFFFFFF));
    std::vector<ProjectFileStatus> files = LoadProjectData();
    const ProjectFileStatus* item = Find(files, DataFilePaths[kPathItem]);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->m_Result, LoadResult::Corrupt);
    EXPECT_NE(item->m_strError.find("count"), std::string::npos) << item->m_strError;
    EXPECT_EQ(ItemTable.Count(), 2);
    // The corrupt file itself is left for the author to look at.
    EXPECT_EQ(m_Folder.ReadFile("data/database/Item.dat").size(), 8u);
}

TEST_F(ProjectFilesTest, DefaultPalettesOfMoreThanNinetyNineTemplatesAreRefused)
{
    for (int count : {99, 100})
    {
        SCOPED_TRACE(count);
        ResetProjectData();
        CheckedVector<Event> events(count);
        CheckedVector<WorldMapEvent> world(count);
        ASSERT_EQ(SaveTableFile(events, DataFilePaths[kPathDefaultPalette]), 1);
        ASSERT_EQ(SaveTableFile(world, DataFilePaths[kPathDefaultWorldPalette]), 1);
        const int stageTemplates = Stage.m_PaletteEvent.Count();
        const int worldTemplates = WorldMap.m_Palette.Count();
        std::vector<ProjectFileStatus> files = LoadProjectData();
        for (const char* path : {DataFilePaths[kPathDefaultPalette], DataFilePaths[kPathDefaultWorldPalette]})
        {
            const ProjectFileStatus* status = Find(files, path);
            ASSERT_NE(status, nullptr) << path;
            EXPECT_EQ(status->m_Result, count <= 99 ? LoadResult::Loaded : LoadResult::Corrupt) << path;
        }
        EXPECT_EQ(Stage.m_PaletteEvent.Count(), count <= 99 ? count : stageTemplates);
        EXPECT_EQ(WorldMap.m_Palette.Count(), count <= 99 ? count : worldTemplates);
    }
}

// A damaged table, EditConfig.dat or GValInfo.dat is replaced by defaults in
// memory, and loading changes no file. Kept at once (the editor's start-up),
// each is copied beside under a name claimed then, which the status and the
// log name, even when another program took the first name meanwhile; the
// save-all and the shut-down then write over them without copying again.
TEST_F(ProjectFilesTest, DamagedFilesAreKeptBeforeTheFirstSave)
{
    const std::vector<unsigned char> damaged = ByteBuilder().Int(276).Int(1);
    const char* const paths[] = {DataFilePaths[kPathItem], DataFilePaths[kPathEditConfig],
                                 DataFilePaths[kPathGValInfo], DataFilePaths[kPathSystem]};
    auto onDisk = [](const std::string& stored) {
        std::string path = stored;
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    };
    for (const char* path : paths)
    {
        m_Folder.WriteFile(onDisk(path), damaged);
    }
    std::vector<ProjectFileStatus> files = LoadProjectData();
    for (const char* path : paths)
    {
        const ProjectFileStatus* status = Find(files, path);
        ASSERT_NE(status, nullptr) << path;
        EXPECT_EQ(status->m_Result, LoadResult::Corrupt) << path;
        EXPECT_EQ(status->m_strDamagedCopy, "") << path;
        EXPECT_FALSE(fs::exists(onDisk(path) + ".damaged")) << path;
    }

    // Another program keeps its own copy of Item.dat before this one does.
    m_Folder.WriteFile("data/database/Item.dat.damaged", std::string("the game's copy"));
    KeepDamagedFiles(files);
    for (const char* path : paths)
    {
        const ProjectFileStatus* status = Find(files, path);
        const std::string expected =
            std::string(path) + (std::string_view(path) == DataFilePaths[kPathItem] ? ".damaged.2" : ".damaged");
        EXPECT_EQ(status->m_strDamagedCopy, expected) << path;
        EXPECT_EQ(m_Folder.ReadFile(onDisk(expected)), damaged) << path;
        EXPECT_NE(m_Folder.ReadText("Report.txt")
                      .find("Keep " + std::string(path) + " : the damaged file is kept as " + expected + "\r\n"),
                  std::string::npos)
            << path;
    }
    EXPECT_EQ(m_Folder.ReadText("data/database/Item.dat.damaged"), "the game's copy");

    ASSERT_TRUE(SaveDatabase());
    ASSERT_TRUE(SaveShutDownData());
    for (const char* path : paths)
    {
        EXPECT_NE(m_Folder.ReadFile(onDisk(path)), damaged) << path;
    }
    EXPECT_FALSE(fs::exists("data/database/Item.dat.damaged.3"));
    EXPECT_FALSE(fs::exists("data/GValInfo.dat.damaged.2"));
}

TEST_F(ProjectFilesTest, ShutDownWritesTheSettingsAndTheVariableNames)
{
    LoadProjectData();
    EditConfig.m_nUndoDepth = 9;
    GValInfo[3].m_str = "所持金";
    ASSERT_TRUE(SaveShutDownData());
    ResetProjectData();
    LoadProjectData();
    EXPECT_EQ(EditConfig.m_nUndoDepth, 9);
    EXPECT_EQ(GValInfo[3].m_str, "所持金");

    // After a fatal error the shut-down writes nothing.
    platform::FatalError();
    EditConfig.m_nUndoDepth = 1;
    EXPECT_FALSE(SaveShutDownData());
    ResetProjectData();
    LoadProjectData();
    EXPECT_EQ(EditConfig.m_nUndoDepth, 9);
}

TEST_F(ProjectFilesTest, SaveAllSetsEachRecordsOwnIndex)
{
    LoadProjectData();
    ItemTable.resize(4, ItemTable[1]);
    ASSERT_TRUE(SaveDatabase());
    ResetProjectData();
    LoadProjectData();
    ASSERT_EQ(ItemTable.Count(), 4);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(ItemTable[i].m_nItemB, i);
    }
    EXPECT_EQ(ClassTable[1].m_nClassA, 1);
    EXPECT_EQ(LandTable[1].m_nLandA, 1);
    EXPECT_EQ(SkillTable[1].m_nSkillB, 1);
}

// Saving a stage and finding the default stage name a path's copy by one rule,
// a path without a '.' included.
TEST_F(ProjectFilesTest, SavedStageIsFoundAsTheDefaultStage)
{
    LoadProjectData();
    struct Case
    {
        const char* path;
        const char* file;
    };
    const Case cases[] = {
        {"data\\stg\\Fort.stg", "data/stg/Fort.stg_276"},
        {"data\\stg\\Keep.old", "data/stg/Keep.stg_276"},
        {"data\\stg\\Tower", "data/stg/Tower_276"},
    };
    for (const Case& c : cases)
    {
        Stage = StageRecord();
        Stage.m_strName = c.path;
        ASSERT_EQ(SaveStage(c.path), 1);
        EXPECT_TRUE(fs::exists(c.file)) << c.path;

        Stage = StageRecord();
        EditConfig.m_strDefaultStage = c.path;
        NewStage();
        EXPECT_EQ(Stage.m_strName, c.path);
    }
}

TEST_F(ProjectFilesTest, KeepEventPaletteOptionGuardsThePaletteEvents)
{
    LoadProjectData();
    Stage.m_strName = "saved";
    ASSERT_EQ(SaveStage("data\\stg\\A"), 1); // saved with its own (default) palette

    Event mine;
    mine.m_strName = "手作り";
    for (int keep : {1, 0})
    {
        EditConfig.m_bKeepEventPalette = keep;
        Stage.m_PaletteEvent.assign(1, mine);
        NewStage();
        EXPECT_EQ(Stage.m_PaletteEvent.At(0).m_strName == "手作り", keep == 1) << keep;

        Stage.m_PaletteEvent.assign(1, mine);
        ASSERT_EQ(OpenStage("data\\stg\\A_276"), 1);
        EXPECT_EQ(Stage.m_strName, "saved");
        EXPECT_EQ(Stage.m_PaletteEvent.At(0).m_strName == "手作り", keep == 1) << keep;
    }
}

} // namespace
