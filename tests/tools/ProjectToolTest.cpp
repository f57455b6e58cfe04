#include "ProjectTool.h"

#include "common/data/DataFile.h"
#include "common/data/EditConfigRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/StageRecord.h"
#include "common/project/ProjectFiles.h"

#include "DataFileTest.h"
#include "MemoryLimit.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <fcntl.h>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

ToolRun Tool(std::vector<std::string> args)
{
    std::ostringstream out, err;
    int status = RunProjectTool(args, out, err);
    return {status, out.str(), err.str()};
}

class ProjectToolTest : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        m_Root = fs::current_path();
    }
    void TearDown() override
    {
        fs::current_path(m_Root);
        ResetProjectData();
        DataFileTest::TearDown();
    }
    fs::path m_Root;
};

TEST_F(ProjectToolTest, NewProjectLoadsWithoutAFailure)
{
    ToolRun made = Tool({"new", "proj"});
    ASSERT_EQ(made.status, 0) << made.err;
    fs::current_path(m_Root);
    ToolRun check = Tool({"check", "proj"});
    EXPECT_EQ(check.status, 0) << check.out;
    for (const char* line : {"data\\database\\Item.dat: version 276, 2 records",
                             "data\\database\\Friend.dat: version 276, 2 records",
                             "data\\database\\Enemy.dat: version 276, 2 records",
                             "data\\GValInfo.dat: version 276, 256 records",
                             "data\\EditConfig.dat: version 276, 1 record",
                             "data\\stg\\Stage01.stg_276: version 276, 1 record",
                             "data\\wplt\\Default.wplt: version 276", " 0 damaged"})
    {
        EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
    }
    EXPECT_EQ(check.out.find("missing"), std::string::npos) << check.out;

    // A folder that holds something is not made into a project.
    fs::current_path(m_Root);
    EXPECT_EQ(Tool({"new", "proj"}).status, 2);
}

TEST_F(ProjectToolTest, UpgradeOfANewProjectChangesNoByte)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root);
    auto before = SnapshotFolder("proj");
    ToolRun upgrade = Tool({"upgrade", "proj"});
    ASSERT_EQ(upgrade.status, 0) << upgrade.out << upgrade.err;
    fs::current_path(m_Root);
    EXPECT_EQ(SnapshotFolder("proj"), before);
}

// A version-85 stage of 20 x 15 cells without placements or events.
std::vector<unsigned char> Version85Stage()
{
    ByteBuilder b;
    b.Int(85).Int(9).Ints({20, 15, 32, 5, 1, 300, 60, 110, 40}).Int(2).String("砦").String("");
    b.Int(32 * 15);
    for (int i = 0; i < 32 * 15; ++i)
    {
        b.Int(i == 33 ? 1 : 0);
    }
    b.Int(0).Int(0).Int(0);                                       // placements, events, palette events
    b.Int(2).Int(2).Ints({0, 0}).Int(1).String("A").Int(0);       // two position groups
    b.Int(2).Ints({3, 4}).Int(1).String("B").Int(1).Ints({5, 6});
    b.Int(0).Int(0).Int(0);                                       // win, lose and other pages
    return b;
}

TEST_F(ProjectToolTest, UpgradeBringsOldFilesToTheCurrentVersion)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root / "proj");
    // A version-85 EditConfig.dat: six ints and three strings.
    m_Folder.WriteFile("proj/data/EditConfig.dat", ByteBuilder()
                                                      .Int(85)
                                                      .Int(6)
                                                      .Ints({5, 1, 0, 1, 0, 0})
                                                      .Int(3)
                                                      .String("data\\stg\\Old.stg")
                                                      .String("data\\plt\\Default.plt")
                                                      .String("data\\wplt\\Default.wplt"));
    // A version-81 land table: no percent flag, the effects one place earlier.
    ByteBuilder lands;
    lands.Int(81).Int(2);
    for (int32_t cost : {1, 3})
    {
        lands.Int(7).Ints({0, cost, 0, 12}).Ints({1, 2, 3, 4, 5, 6, 7, 8, 9}).Ints({1, 50});
        lands.Int(3).String("森").String("").String("");
    }
    m_Folder.WriteFile("proj/data/database/Land.dat", lands);
    m_Folder.WriteFile("proj/data/stg/Old.stg_085", Version85Stage());
    fs::current_path(m_Root);

    ToolRun upgrade = Tool({"upgrade", "proj"});
    ASSERT_EQ(upgrade.status, 0) << upgrade.out << upgrade.err;
    EXPECT_NE(upgrade.out.find("data\\stg\\Old.stg_276: saved"), std::string::npos) << upgrade.out;

    fs::current_path(m_Root / "proj");
    EditConfigRecord config;
    config.m_nUndoDepth = 0;
    ASSERT_EQ(LoadRecordFile(config, "data\\EditConfig.dat", 0), 1);
    EXPECT_EQ(FileVersion, 276);
    EXPECT_EQ(config.m_nUndoDepth, 5);
    EXPECT_EQ(config.m_strDefaultStage, "data\\stg\\Old.stg");
    EXPECT_EQ(config.m_bSearchGameProgram, 1); // newer fields at their defaults
    EXPECT_EQ(config.m_strConvertFolder, "data\\bmp\\convert");

    CheckedVector<LandRecord> land;
    ASSERT_EQ(LoadTableFile(land, "data\\database\\Land.dat", 0), 1);
    EXPECT_EQ(FileVersion, 276);
    ASSERT_EQ(land.Count(), 2);
    EXPECT_EQ(land[1].m_nLandA, 1); // the table writer numbers the records
    EXPECT_EQ(land[1].m_nMoveCost, 3);
    EXPECT_EQ(land[1].m_bPercent, 0);
    EXPECT_EQ(land[1].m_nEffect[8], 9);
    EXPECT_EQ(land[1].m_nSpecialValue, 50);

    StageRecord stage;
    ASSERT_EQ(LoadRecordFile(stage, "data\\stg\\Old.stg_276", 0), 1);
    EXPECT_EQ(FileVersion, 276);
    EXPECT_EQ(stage.m_strName, "砦");
    EXPECT_EQ(stage.CellAt(1, 1), 1);
    ASSERT_EQ(stage.m_GroupPos.Count(), 2);
    EXPECT_EQ(stage.m_GroupPos[1].m_nCenterX, 3);
    EXPECT_TRUE(fs::exists("data/stg/Old.stg_085")); // the old copy is kept

    fs::current_path(m_Root);
    EXPECT_EQ(Tool({"check", "proj"}).status, 0);
}

TEST_F(ProjectToolTest, CorruptFileFailsTheCheckAndStopsTheUpgrade)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root);
    std::vector<unsigned char> item = m_Folder.ReadFile("proj/data/database/Item.dat");
    item.resize(item.size() - 3);
    m_Folder.WriteFile("proj/data/database/Item.dat", item);
    auto before = SnapshotFolder("proj");

    ToolRun check = Tool({"check", "proj"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("data\\database\\Item.dat: DAMAGED: the file ends early at byte "), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("(kept as data\\database\\Item.dat.damaged before it is saved over)"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("1 damaged"), std::string::npos);

    fs::current_path(m_Root);
    ToolRun upgrade = Tool({"upgrade", "proj"});
    EXPECT_EQ(upgrade.status, 1);
    fs::current_path(m_Root);
    EXPECT_EQ(SnapshotFolder("proj"), before);
}

// check and upgrade look at the same files: every numbered copy of every
// stage, so a damaged older copy beside a good newest one stops both.
TEST_F(ProjectToolTest, CheckAndUpgradeLookAtEveryStageCopy)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root);
    std::vector<unsigned char> stage = m_Folder.ReadFile("proj/data/stg/Stage01.stg_276");
    stage.resize(stage.size() / 2);
    m_Folder.WriteFile("proj/data/stg/Stage01.stg_100", stage);
    auto before = SnapshotFolder("proj");

    ToolRun check = Tool({"check", "proj"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("data\\stg\\Stage01.stg_100: DAMAGED"), std::string::npos) << check.out;
    fs::current_path(m_Root);
    ToolRun upgrade = Tool({"upgrade", "proj"});
    EXPECT_EQ(upgrade.status, 1);
    EXPECT_NE(upgrade.out.find("data\\stg\\Stage01.stg_100: DAMAGED"), std::string::npos) << upgrade.out;
    fs::current_path(m_Root);
    EXPECT_EQ(SnapshotFolder("proj"), before);
}

// The default stage is also met by the sweep of data\stg: by whatever
// spelling the editor's settings name it, check lists it once and counts 14
// files, and upgrade saves it once.
TEST_F(ProjectToolTest, TheDefaultStageIsListedOnceByWhateverNameItIsGiven)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    auto times = [](const std::string& text, const std::string& part)
    {
        int n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        {
            ++n;
        }
        return n;
    };
    for (const char* name : {".\\data\\stg\\Stage01.stg_276", "data\\stg\\Stage01.stg", "DATA\\STG\\Stage01.stg_276"})
    {
        fs::current_path(m_Root / "proj");
        EditConfigRecord config;
        ASSERT_EQ(LoadRecordFile(config, "data\\EditConfig.dat", 0), 1);
        config.m_strDefaultStage = name;
        ASSERT_EQ(SaveRecordFile(config, "data\\EditConfig.dat"), 1);
        fs::current_path(m_Root);

        ToolRun check = Tool({"check", "proj"});
        EXPECT_EQ(check.status, 0) << name << "\n" << check.out;
        EXPECT_EQ(times(check.out, "Stage01"), 1) << name << "\n" << check.out;
        EXPECT_NE(check.out.find("Stage01.stg_276: version 276, 1 record\n"), std::string::npos) << check.out;
        EXPECT_NE(check.out.find("\n14 files, 0 damaged\n"), std::string::npos) << name << "\n" << check.out;

        fs::current_path(m_Root);
        ToolRun upgrade = Tool({"upgrade", "proj"});
        EXPECT_EQ(upgrade.status, 0) << upgrade.out << upgrade.err;
        EXPECT_EQ(times(upgrade.out, "Stage01"), 1) << name << "\n" << upgrade.out;
    }
}

// A file that cannot be written is reported with the reason the system gives.
TEST_F(ProjectToolTest, UpgradeSaysWhyAFileWasNotSaved)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    // The newest copy of an old stage is saved as its _276 copy, where a folder stands.
    fs::current_path(m_Root);
    fs::rename("proj/data/stg/Stage01.stg_276", "proj/data/stg/Stage01.stg_085");
    fs::create_directories("proj/data/stg/Stage01.stg_276/in-the-way");
    ToolRun upgrade = Tool({"upgrade", "proj"});
    EXPECT_EQ(upgrade.status, 2);
    EXPECT_NE(upgrade.out.find("data\\stg\\Stage01.stg_276: NOT SAVED: cannot write "), std::string::npos)
        << upgrade.out;
    EXPECT_NE(upgrade.out.find(std::strerror(EISDIR)), std::string::npos) << upgrade.out;

    // A project the user may not write to (the superuser may write anywhere).
    fs::current_path(m_Root);
    fs::remove_all("proj/data/stg/Stage01.stg_276");
    if (geteuid() != 0)
    {
        fs::permissions("proj/data/database", fs::perms::owner_write, fs::perm_options::remove);
        ToolRun readOnly = Tool({"upgrade", "proj"});
        fs::current_path(m_Root);
        fs::permissions("proj/data/database", fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(readOnly.status, 2);
        EXPECT_NE(readOnly.out.find("data\\database\\Item.dat: NOT SAVED: "), std::string::npos) << readOnly.out;
        EXPECT_NE(readOnly.out.find(std::strerror(EACCES)), std::string::npos) << readOnly.out;
    }
}

TEST_F(ProjectToolTest, DumpAndDiff)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root / "proj");
    CheckedVector<LandRecord> lands;
    ASSERT_EQ(LoadTableFile(lands, "data\\database\\Land.dat", 0), 1);
    lands[1].m_strName = "草原";
    lands[1].m_nEffect[2] = 15;
    ASSERT_EQ(SaveTableFile(lands, "data\\database\\Land2.dat"), 1);
    fs::rename("data/database/Land2.dat", "Land.dat"); // same kind by its name
    fs::current_path(m_Root);

    ToolRun dump = Tool({"dump", "proj/data/database/Land.dat"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_NE(dump.out.find("land table, version 276, 2 records"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("[1].m_nMoveCost = 1\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("[1].m_nEffect = 0 0 0 0 0 0 0 0 0\n"), std::string::npos) << dump.out;

    fs::current_path(m_Root);
    ToolRun diff = Tool({"diff", "proj/data/database/Land.dat", "proj/Land.dat"});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, "[1].m_nEffect[2]: 0 -> 15\n"
                        "[1].m_strName: \"\" -> \"" +
                            std::string(reinterpret_cast<const char*>(u8"草原")) + "\"\n");

    fs::current_path(m_Root);
    EXPECT_EQ(Tool({"diff", "proj/data/database/Land.dat", "proj/data/database/Land.dat"}).status, 0);
    fs::current_path(m_Root);
    EXPECT_EQ(Tool({"diff", "proj/data/database/Land.dat", "proj/data/database/Item.dat"}).status, 2);
    fs::current_path(m_Root);
    ToolRun stage = Tool({"dump", "proj/data/stg/Stage01.stg_276"});
    EXPECT_EQ(stage.status, 0);
    EXPECT_NE(stage.out.find("m_GroupPos.count = 2\n"), std::string::npos);
    EXPECT_NE(stage.out.find(std::string("m_strName = \"") + reinterpret_cast<const char*>(u8"ステージ")),
              std::string::npos);
}

// A map's cells are shown as the rows of the map, one line a row.
TEST_F(ProjectToolTest, DumpShowsMapCellsAsRows)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root / "proj");
    StageRecord stage;
    ASSERT_EQ(LoadRecordFile(stage, "data\\stg\\Stage01.stg_276", 0), 1);
    stage.CellAt(5, 3) = 1;
    ASSERT_EQ(SaveRecordFile(stage, "data\\stg\\Changed.stg_276"), 1);
    fs::current_path(m_Root);

    ToolRun dump = Tool({"dump", "proj/data/stg/Changed.stg_276"});
    ASSERT_EQ(dump.status, 0) << dump.err;
    const std::string zeros20 = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
    EXPECT_NE(dump.out.find("m_Chip.count = 480\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("m_Chip.y0 =" + zeros20), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("m_Chip.y3 = 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("m_Chip.y14 =" + zeros20), std::string::npos) << dump.out;
    EXPECT_EQ(dump.out.find("m_Chip.y15"), std::string::npos);
    EXPECT_EQ(dump.out.find("m_Chip.outside"), std::string::npos);

    fs::current_path(m_Root);
    ToolRun world = Tool({"dump", "proj/data/database/WorldMap.dat"});
    EXPECT_NE(world.out.find("m_Cell.y14 =" + zeros20), std::string::npos) << world.out;

    fs::current_path(m_Root);
    ToolRun diff = Tool({"diff", "proj/data/stg/Stage01.stg_276", "proj/data/stg/Changed.stg_276"});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out, "m_Chip.y3[5]: 0 -> 1\n");
}

// dump and diff show what a file holds, in its project or out of it: a stage
// whose placement names enemy 2 of a project with three enemies keeps that 2
// when copied where no project has an enemy 2.
TEST_F(ProjectToolTest, DumpAndDiffShowWhatTheFileHoldsWhereverItIs)
{
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root / "proj");
    EnemyTable.resize(3, EnemyTable[0]);
    ASSERT_EQ(SaveTableFile(EnemyTable, "data\\database\\Enemy.dat"), 1);
    StageRecord stage;
    ASSERT_EQ(LoadRecordFile(stage, "data\\stg\\Stage01.stg_276", 0), 1);
    EnemyPlacement placement;
    placement.SetDefaults();
    placement.m_nX = 1;
    placement.m_nY = 1;
    for (int enemy : {2, 1})
    {
        placement.m_nEnemy = enemy;
        stage.m_Enemy.assign(1, placement);
        ASSERT_EQ(SaveRecordFile(stage, "data\\stg\\Enemy" + std::to_string(enemy) + ".stg_276"), 1);
    }
    fs::current_path(m_Root);
    fs::create_directory("loose");
    fs::copy_file("proj/data/stg/Enemy2.stg_276", "loose/Enemy2.stg_276");
    fs::copy_file("proj/data/stg/Enemy1.stg_276", "loose/Enemy1.stg_276");
    ResetProjectData();

    for (const char* file : {"loose/Enemy2.stg_276", "proj/data/stg/Enemy2.stg_276"})
    {
        ToolRun dump = Tool({"dump", file});
        ASSERT_EQ(dump.status, 0) << dump.err;
        EXPECT_NE(dump.out.find("m_Enemy[0].m_nEnemy = 2\n"), std::string::npos) << file << "\n" << dump.out;
    }

    ToolRun diff = Tool({"diff", "loose/Enemy2.stg_276", "loose/Enemy1.stg_276"});
    EXPECT_EQ(diff.status, 1) << diff.err;
    EXPECT_EQ(diff.out, "m_Enemy[0].m_nEnemy: 2 -> 1\n");
    ToolRun same = Tool({"diff", "loose/Enemy2.stg_276", "proj/data/stg/Enemy2.stg_276"});
    EXPECT_EQ(same.status, 0) << same.out;
    EXPECT_EQ(same.out, "");
}

TEST_F(ProjectToolTest, UsageErrors)
{
    EXPECT_EQ(Tool({}).status, 2);
    EXPECT_EQ(Tool({"frobnicate", "x"}).status, 2);
    EXPECT_EQ(Tool({"check"}).status, 2);
    EXPECT_EQ(Tool({"check", "no/such/folder"}).status, 2);
    EXPECT_EQ(Tool({"dump", "notes.txt"}).status, 2);
    ToolRun missing = Tool({"dump", "data/database/Item.dat"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot be opened"), std::string::npos);
}

// The program itself, run on a project whose files claim far more than they
// hold, under an address space of 200 MB (ulimit -v 200000): it finishes and
// names each file as damaged.
TEST_F(ProjectToolTest, CheckOfFilesClaimingHugeSizesStaysWithin200Megabytes)
{
    if (!AddressSpaceLimitsWork())
    {
        GTEST_SKIP() << "the sanitizers' shadow memory does not fit an address-space limit";
    }
    ASSERT_EQ(Tool({"new", "proj"}).status, 0);
    fs::current_path(m_Root);
    // A friend table claiming a million records in 8 MB.
    std::vector<unsigned char> friends = ByteBuilder().Int(276).Int(1000000);
    friends.resize(friends.size() + 8000000);
    m_Folder.WriteFile("proj/data/database/Friend.dat", friends);
    // A stage claiming 4096 x 4096 cells in a hundred bytes.
    ByteBuilder stage;
    stage.Int(276).Int(9).Ints({4096, 4096, 8192, 13, 0, 0, 50, 100, 50}).Int(2).String("").String("");
    stage.Int(0).Ints({0, 0, 0, 0, 0, 0, 0});
    m_Folder.WriteFile("proj/data/stg/Huge.stg_276", stage);

    const fs::path report = m_Root / "check.txt";
    const std::string project = (m_Root / "proj").string();
    ChildResult result = RunWithAddressSpaceLimit(200000u * 1024u, [&] {
        int fd = ::open(report.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDOUT_FILENO);
        ::dup2(fd, STDERR_FILENO);
        const char* argv[] = {TK_PROJDATA, "check", project.c_str(), nullptr};
        ::execv(TK_PROJDATA, const_cast<char* const*>(argv));
        return 127;
    });
    const std::string out = m_Folder.ReadText("check.txt");
    EXPECT_EQ(result.m_nExitCode, 1) << result.Describe() << "\n" << out;
    EXPECT_NE(out.find("data\\database\\Friend.dat: DAMAGED: the file ends early"), std::string::npos) << out;
    EXPECT_NE(out.find("data\\stg\\Huge.stg_276: DAMAGED: map size 4096 x 4096"), std::string::npos) << out;
    EXPECT_NE(out.find("2 damaged"), std::string::npos) << out;
}

} // namespace
