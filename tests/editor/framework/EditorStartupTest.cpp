// The editor's start-up and shut-down in-process on the dummy backend: what
// an empty project leaves behind, which numbered copy of the default stage
// loads, and the view and link that start-up makes.
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/sound/BgmManager.h"
#include "editor/framework/EditorProgram.h"
#include "platform/core/Cp932.h"
#include "tests/editor/framework/EditorTestSupport.h"

#include <filesystem>

namespace
{

namespace fs = std::filesystem;

TEST_F(EditorTest, AnEmptyProjectLeavesTheVariableNamesAndTheSettings)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(GValInfo.Count(), 256);
    EXPECT_TRUE(fs::exists(platform::EditorEndpoint()));
    ASSERT_NE(CurrentView, nullptr);
    EXPECT_EQ(CurrentView, static_cast<AppView*>(MainWindow.View()));
    Stop();

    EXPECT_EQ(HexBytes(m_Folder.ReadFile("data/GValInfo.dat")), HexBytes(EmptyVariableNamesFile()));
    EXPECT_TRUE(fs::exists("data/EditConfig.dat"));
    // Shut-down lets go of everything: nobody listens, nothing is current.
    EXPECT_FALSE(fs::exists(platform::EditorEndpoint()));
    EXPECT_EQ(CurrentView, nullptr);
    EXPECT_FALSE(MainWindow.Handle());
    EXPECT_FALSE(Bgm.IsEnabled());
}

TEST_F(EditorTest, TheHighestNumberedCopyOfTheDefaultStageThatLoadsWins)
{
    fs::create_directories("data/stg");
    EditConfig.m_strDefaultStage = "data\\stg\\Fort.stg_276";
    ASSERT_EQ(SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig]), 1);
    for (const char* copy : {"275", "276"})
    {
        Stage = StageRecord();
        Stage.m_strName = std::string("copy ") + copy;
        ASSERT_EQ(SaveRecordFile(Stage, std::string("data\\stg\\Fort.stg_") + copy), 1);
    }
    ResetProjectData();

    ASSERT_TRUE(Start());
    EXPECT_EQ(Stage.m_strName, "copy 276");
    Stop();

    // A _276 that exists but does not load: the _275 is tried next.
    std::vector<unsigned char> newest = m_Folder.ReadFile("data/stg/Fort.stg_276");
    newest.resize(newest.size() / 2);
    m_Folder.WriteFile("data/stg/Fort.stg_276", newest);
    ResetProjectData();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Stage.m_strName, "copy 275");
}

TEST_F(EditorTest, TheMainWindowIsHiddenAndNamedForTheGame)
{
    ASSERT_TRUE(Start());
    platform::NativeWindow* main = m_System.Resolve(MainWindow.Handle());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Text(), "Tarnwick");
    EXPECT_EQ(main->ClassName(), "Tarnwick");
    EXPECT_FALSE(main->IsVisible());
    EXPECT_EQ(MainWindow.m_bCreated, 1);
    // The view is a modeless window under it, registered with the application, and so is its map chip palette.
    EditorView* view = MainWindow.View();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Native()->IsVisible());
    EXPECT_EQ(view->ParentWindow(), MainWindow.Handle());
    ASSERT_EQ(App.m_Windows.size(), 2u);
    EXPECT_EQ(App.m_Windows[0], view);
    EXPECT_EQ(App.m_Windows[1]->ResourceId(), 103);
    EXPECT_EQ(App.m_Windows[1]->ParentWindow(), view->Handle());
}

TEST(EditorWorkingFolderTest, OnlyTheDevelopmentFolderMovesToItsSiblingGame)
{
    TempFolder folder;
    fs::create_directories("dev");
    fs::create_directories("other");
    std::string base = platform::FromUtf8(fs::current_path().string());
    struct Row
    {
        const char* m_pszStart;
        bool m_bGameExists;
        const char* m_pszEnd;
    };
    const Row rows[] = {{"dev", true, "Game"}, {"other", true, "other"}, {"dev", false, "dev"}};
    for (const Row& row : rows)
    {
        fs::remove_all(folder.Path() / "Game");
        if (row.m_bGameExists)
        {
            fs::create_directories(folder.Path() / "Game");
        }
        fs::current_path(folder.Path() / row.m_pszStart);
        ChooseWorkingFolder(base + "/dev");
        EXPECT_EQ(fs::current_path(), folder.Path() / row.m_pszEnd) << row.m_pszStart;
        fs::current_path(folder.Path());
    }
    // No development folder: nothing moves.
    fs::current_path(folder.Path() / "dev");
    ChooseWorkingFolder("");
    EXPECT_EQ(fs::current_path(), folder.Path() / "dev");
    fs::current_path(folder.Path());
}

} // namespace

// Files that do not load whole are kept beside at start-up, before anything
// can be saved over them, and named in one box, each with the copy made; an
// earlier copy of that name stays as it is, and the saves copy nothing again.
TEST_F(EditorTest, TheStartUpNamesEveryDamagedFileInOneBox)
{
    fs::create_directories("data/stg");
    EditConfig.m_strDefaultStage = "data\\stg\\Fort.stg_276";
    ASSERT_EQ(SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig]), 1);
    Stage.m_strName = "copy 275";
    ASSERT_EQ(SaveRecordFile(Stage, "data\\stg\\Fort.stg_275"), 1);
    ResetProjectData();
    const std::vector<unsigned char> damaged = ByteBuilder().Int(276).Int(1);
    for (const char* path : {"data/database/Class.dat", "data/GValInfo.dat", "data/stg/Fort.stg_276"})
    {
        m_Folder.WriteFile(path, damaged);
    }
    m_Folder.WriteFile("data/database/Class.dat.damaged", std::string("an earlier copy"));

    ASSERT_TRUE(Start());
    EXPECT_EQ(Stage.m_strName, "copy 275");
    std::string text;
    int damagedBoxes = 0;
    for (const auto& box : m_Boxes.Boxes())
    {
        if (box.m_strCaption == "読み込みエラー")
        {
            ++damagedBoxes;
            text = box.m_strText;
        }
    }
    ASSERT_EQ(damagedBoxes, 1);
    for (const char* line : {"\ndata\\GValInfo.dat → data\\GValInfo.dat.damaged",
                             "\ndata\\database\\Class.dat → data\\database\\Class.dat.damaged.2",
                             "\ndata\\stg\\Fort.stg_276 → data\\stg\\Fort.stg_276.damaged"})
    {
        EXPECT_NE(text.find(line), std::string::npos) << platform::ToUtf8(text);
    }
    EXPECT_NE(text.find("上書きして保存する前に"), std::string::npos);
    EXPECT_EQ(text.find("System.dat"), std::string::npos); // a missing file is no damaged one
    EXPECT_EQ(m_Folder.ReadText("data/database/Class.dat.damaged"), "an earlier copy");
    EXPECT_EQ(m_Folder.ReadFile("data/database/Class.dat.damaged.2"), damaged);
    EXPECT_EQ(m_Folder.ReadFile("data/GValInfo.dat.damaged"), damaged);
    EXPECT_EQ(m_Folder.ReadFile("data/stg/Fort.stg_276.damaged"), damaged);

    ASSERT_TRUE(SaveDatabase());
    Stop();
    EXPECT_NE(m_Folder.ReadFile("data/database/Class.dat"), damaged);
    EXPECT_NE(m_Folder.ReadFile("data/GValInfo.dat"), damaged);
    EXPECT_FALSE(fs::exists("data/database/Class.dat.damaged.3"));
    EXPECT_FALSE(fs::exists("data/GValInfo.dat.damaged.2"));
}
