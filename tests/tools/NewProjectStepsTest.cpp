// The README's way from `projdata new` to a project of one's own that both
// programs start on, followed step by step: the folders copied from the
// sample project the build writes, the default stage chosen for the editor,
// and the System's enemy stat rates, which a new project leaves at 0. The
// editor runs headless (Qt offscreen) and the game plays a script headless,
// both with their boxes on the standard error stream.

#include "ProjectTool.h"
#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "common/data/DataFilePaths.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "game/engine/SystemIni.h"
#include "platform/core/Cp932.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/TestPlayLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

namespace fs = std::filesystem;

constexpr int kPatience = 60000; // milliseconds; a loaded machine starts Qt slowly

// From the title a new game, the camp, its "しゅつげき" (the tenth entry of a
// new project's menu) and the world map; Esc closes the game there.
constexpr char kNewGameToTheWorldMap[] = "until scene 0 within 2\n"
                                         "wait 15\n"
                                         "press z\n"
                                         "until scene 1 within 60\n"
                                         "wait 15\n"
                                         "expect state 1\n"
                                         "press down\npress down\npress down\npress down\npress down\n"
                                         "press down\npress down\npress down\npress down\n"
                                         "press z\n"
                                         "until scene 2 within 300\n"
                                         "wait 15\n"
                                         "press esc\n"
                                         "until closed within 60\n";

// The message boxes in a program's output: its "[caption] text" lines.
std::string Boxes(const std::string& output)
{
    std::istringstream lines(output);
    std::string boxes;
    for (std::string line; std::getline(lines, line);)
    {
        if (line.rfind('[', 0) == 0)
        {
            boxes += line + "\n";
        }
    }
    return boxes;
}

class NewProjectStepsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        OpenReportLog((m_Runtime.Path() / "Report.txt").string());
        InitErrorLog(0, (m_Runtime.Path() / "EC.txt").string());
        setenv("TARNWICK_BOXES", "stderr", 1);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(RunNew("proj", out, err), 0) << err.str(); // and into its folder
        ResetProjectData();
    }
    void TearDown() override
    {
        unsetenv("TARNWICK_BOXES");
        ResetProjectData();
        platform::ClearFatalError();
    }

    // Copies a file or a folder of the sample project into the project.
    static void CopyFromTheSample(const char* name)
    {
        fs::copy(fs::path(TK_SAMPLE_DIR) / name, name, fs::copy_options::recursive);
    }

    // The editor started in the project, left until it listens for test plays
    // (or ends by itself), then ended by SIGTERM: everything it wrote.
    static std::string RunEditor()
    {
        HelperProcess editor(TK_EDITOR_PROGRAM, {}, true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatience);
        while (!fs::exists(platform::EditorEndpoint()) && editor.IsRunning() &&
               std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        editor.Signal(SIGTERM);
        std::string output = editor.ReadAll();
        editor.Wait();
        return output;
    }

    // The game playing kNewGameToTheWorldMap headless: its exit code, and what it wrote in `output`.
    int RunGame(std::string& output)
    {
        const fs::path script = m_Runtime.Path() / "new-game.play";
        std::ofstream(script, std::ios::binary) << kNewGameToTheWorldMap;
        HelperProcess game(TK_GAME_PROGRAM, {"--headless", "--no-pacing", "--script", script.string()}, true);
        output = game.ReadAll();
        return game.Wait();
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Folder;
};

TEST_F(NewProjectStepsTest, WithTheSampleFoldersTheReadmeNamesBothProgramsStartAndTheGamePlaysInAWindow)
{
    std::string output;

    // The data files alone: each program names a bitmap it cannot do without.
    EXPECT_NE(Boxes(RunEditor()).find(platform::ToUtf8("[エラー] bmp\\")), std::string::npos);
    EXPECT_EQ(RunGame(output), 3) << output;
    EXPECT_NE(Boxes(output).find(platform::ToUtf8("[エラー] bmp\\Palette.bmp")), std::string::npos) << output;
    // And without System.ini the game would take the whole screen.
    EXPECT_EQ(LoadGameSettings("System.ini").m_nWindowed, 0);

    // bmp\: the editor starts; the game names a sound effect.
    CopyFromTheSample("bmp");
    EXPECT_EQ(Boxes(RunEditor()), "");
    EXPECT_EQ(RunGame(output), 3) << output;
    EXPECT_NE(Boxes(output).find(platform::ToUtf8("[エラー] wave\\")), std::string::npos) << output;

    // wave\, bgm\ and System.ini as well, and the default stage chosen as the
    // editor's "デフォルトステージの変更" stores it.
    for (const char* name : {"wave", "bgm", "System.ini"})
    {
        CopyFromTheSample(name);
    }
    EXPECT_EQ(LoadGameSettings("System.ini").m_nWindowed, 1);
    CurrentVersion = kDataFormatVersion;
    ASSERT_EQ(LoadRecordFile(EditConfig, DataFilePaths[kPathEditConfig], 0), 1);
    EXPECT_EQ(EditConfig.m_strDefaultStage, "") << "a new project names no default stage";
    EditConfig.m_strDefaultStage = ".\\data\\stg\\Stage01.stg_276";
    ASSERT_EQ(SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig]), 1);
    ResetProjectData();
    const std::vector<ProjectFileStatus> files = LoadProjectData();
    EXPECT_TRUE(std::any_of(files.begin(), files.end(),
                            [](const ProjectFileStatus& file) {
                                return file.m_strPath == ".\\data\\stg\\Stage01.stg_276" &&
                                       file.m_Result == LoadResult::Loaded;
                            }))
        << "the editor's start-up loads the default stage";

    EXPECT_EQ(Boxes(RunEditor()), "");
    EXPECT_FALSE(fs::exists("EC_Editor.txt"));
    EXPECT_EQ(m_Folder.ReadText("proj/Report_Editor.txt").find("失敗"), std::string::npos) << "the palettes loaded";
    EXPECT_EQ(RunGame(output), 0) << output;
    EXPECT_EQ(Boxes(output), "");
    EXPECT_NE(output.find("scene 2 (world map)"), std::string::npos) << output;
    EXPECT_EQ(m_Folder.ReadText("proj/Report_Game.txt").find("bgm\\"), std::string::npos) << "every tune opened";
}

// An enemy's values that come from its class are scaled by the System's stat
// rate of each value: a new project's rates are 0, so that such an enemy has
// nothing (0 HP) until they are set; at 100 it has its class's values.
TEST_F(NewProjectStepsTest, ANewProjectsEnemiesHaveNoneOfTheirClassValuesUntilTheStatRatesAreSet)
{
    LoadProjectData();
    EnemyRecord enemy = EnemyTable[1];
    ASSERT_EQ(std::count(std::begin(enemy.m_nInitInput), std::end(enemy.m_nInitInput), 0), kParameterCount)
        << "every value from the class";
    const ClassRecord& type = ClassTable[enemy.m_nClass];
    enemy.ComputeReferenceValues();
    for (int k = 0; k < kParameterCount; ++k)
    {
        EXPECT_EQ(System.m_nEnemyStatRate[k], 0) << k;
        EXPECT_GT(type.m_nInit[k], 0) << k;
        EXPECT_EQ(enemy.m_Param[k].m_nValue, 0) << k;
    }
    std::fill(std::begin(System.m_nEnemyStatRate), std::end(System.m_nEnemyStatRate), 100);
    enemy.ComputeReferenceValues();
    for (int k = 0; k < kParameterCount; ++k)
    {
        EXPECT_EQ(enemy.m_Param[k].m_nValue, type.m_nInit[k]) << k;
    }
}

} // namespace
