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
#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/ParameterIndex.h"
#include "platform/core/Cp932.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/TestPlayLink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

namespace fs = std::filesystem;

constexpr int kPatience = 60000; // milliseconds; a loaded machine starts Qt slowly

// From the title a new game, the camp, its "しゅつげき" (the tenth entry of a
// new project's menu) and the world map.
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
                                         "wait 15\n";

// Esc closes the game.
constexpr char kClose[] = "press esc\n"
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

// The README's first stage, from the world map of a new game: the start
// event's hero, the leader, walks three cells east onto the stage, whose
// dialog opens as the party arrives: "このステージにいどむ". On the stage the
// hero is deployed on the group's centre (2, 7), moves four cells and waits
// ("たいき"); the turn ends ("ターンエンド" from the menu of an empty cell)
// and the enemy, which has no movement AI, stays at (8, 7); in the second
// turn the hero steps beside it and fights ("たたかう", the cursor on the
// enemy). The battle follows.
constexpr char kToTheBattle[] = "expect party 1\n"
                                "expect leader 1\n"
                                "seed 1\n"
                                "press right\npress right\npress right\n"
                                "expect state 2\n"
                                "press z\n"
                                "until scene 3 within 300\n"
                                "expect stage 1\n"
                                "wait 20\n"
                                "expect state 1\n"
                                "press z\npress z\npress z\n"
                                "expect unit 1 2 7\n"
                                "press x\npress x\n"
                                "press up\npress z\n"
                                "expect state 8\n"
                                "press z\n"
                                "press right\npress right\npress right\npress right\n"
                                "press z\npress z\n"
                                "expect unit 1 6 7\n"
                                "expect acted 1 1\n"
                                "press up\npress z\n"
                                "expect state 15\n"
                                "press up\npress z\n"
                                "expect state 19\n"
                                "press up\npress z\n"
                                "until state 8 within 3000\n"
                                "expect acted 1 0\n"
                                "press z\npress right\npress z\n"
                                "expect unit 1 7 7\n"
                                "press z\npress z\n"
                                "until scene 4 within 300\n";

// Z through the battle: the enemy falls, and the event ends the stage with
// the victory; Z again leads to the world map with stage 1 cleared.
constexpr char kToTheVictory[] = "until scene 3 state 26 within 3000 pressing z\n"
                                 "expect cleared 1 0\n"
                                 "until scene 2 within 1000 pressing z\n"
                                 "expect cleared 1 1\n";

// Without the event the fallen enemy ends nothing: back on the map, the
// hero's action over, the stage goes on uncleared.
constexpr char kOnWithoutTheEvent[] = "until scene 3 state 8 within 3000 pressing z\n"
                                      "expect unit 1 7 7\n"
                                      "expect cleared 1 0\n";

// The stage file of a new project, as the editor's file dialogs name it.
constexpr char kStageFile[] = "data\\stg\\Stage01.stg_276";

// The row of a word list that shows this text: what the author picks by its
// name in the editor's combo boxes (each list ends with an empty text).
int32_t RowNamed(const char* const* names, const char* text)
{
    for (int32_t row = 0; names[row][0] != '\0'; ++row)
    {
        if (std::strcmp(names[row], text) == 0)
        {
            return row;
        }
    }
    ADD_FAILURE() << "no row " << platform::ToUtf8(text);
    return 0;
}

// An action as the dialog "イベントのアクション" makes it: the kind chosen by
// its name, its arguments fitted, then the kind's dialog fills them.
EventCommand ActionNamed(const char* name, std::initializer_list<int32_t> values = {})
{
    EventCommand command;
    command.Init();
    for (int32_t code = 1; code < kEventCommandCount; ++code)
    {
        if (std::strcmp(EventCommandTable[code].m_pName, name) == 0)
        {
            command.m_nCode = code;
        }
    }
    EXPECT_NE(command.m_nCode, 0) << platform::ToUtf8(name);
    command.FitArguments();
    int index = 0;
    for (int32_t value : values)
    {
        command.m_nValParam.At(index++) = value;
    }
    return command;
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

    // The game playing a new game headless to the world map and on with the
    // steps given, then closed: its exit code, and what it wrote in `output`.
    int RunGame(std::string& output, const std::string& steps = "")
    {
        const fs::path script = m_Runtime.Path() / "new-game.play";
        std::ofstream(script, std::ios::binary) << kNewGameToTheWorldMap << steps << kClose;
        HelperProcess game(TK_GAME_PROGRAM, {"--headless", "--no-pacing", "--script", script.string()}, true);
        output = game.ReadAll();
        return game.Wait();
    }

    // The README's steps from a new project to a first stage, written as the
    // editor's dialogs write them.
    static void MakeTheReadmesFirstStage()
    {
        for (const char* name : {"bmp", "wave", "bgm", "System.ini"})
        {
            CopyFromTheSample(name);
        }
        LoadProjectData();

        // The database: the System's enemy rates first, then the hero's own
        // attack and skill, and the enemies applied with the rates saved.
        std::fill(std::begin(System.m_nEnemyStatRate), std::end(System.m_nEnemyStatRate), 100);
        FriendRecord& hero = FriendTable.At(1);
        hero.m_strName = "ゆうしゃ";
        hero.m_nInitInput[kParamAttack] = 5;
        hero.m_nInitInput[kParamSkill] = 5;
        hero.ComputeReferenceValues();
        EnemyRecord& slime = EnemyTable.At(1);
        slime.m_strName = "スライム";
        slime.ComputeReferenceValues();
        ASSERT_TRUE(SaveDatabase());

        // The start event: "パーティーの変更", the hero "を +" 1.
        StartEvent.m_Page.At(0).m_Action.push_back(ActionNamed("パーティーの変更", {1, 1}));
        ASSERT_EQ(SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]), 1);

        // The stage: group 1 with three cells, centred on (2, 7), as the
        // allies' start; a victory text; the enemy at (8, 7) without movement
        // AI; the palette's "デフォルト" at (14, 2) as the victory event.
        ASSERT_EQ(OpenStage(kStageFile), 1);
        ASSERT_EQ(Stage.m_GroupPos.Count(), 2) << "group 0, kept aside, and group 1";
        PositionGroup& start = Stage.m_GroupPos.At(1);
        ASSERT_TRUE(start.m_Point.empty()) << "a new stage's group 1 has no cell";
        for (int32_t y : {6, 7, 8})
        {
            start.m_Point.push_back(MapPoint{2, y});
        }
        start.m_strName = "しゅつげき";
        start.m_nCenterX = 2;
        start.m_nCenterY = 7;
        EXPECT_EQ(Stage.m_nStartGroup, 0) << "a new stage names no start group";
        Stage.m_nStartGroup = 1;
        Stage.m_strName = "はじまりのへいげん";
        ExplanationPage goal;
        goal.BindFields(kDataFormatVersion);
        goal.m_strText = "てきをぜんめつさせる";
        Stage.m_WinPage.push_back(goal);
        EnemyPlacement enemy;
        enemy.SetDefaults();
        enemy.m_nEnemy = 1;
        enemy.m_nX = 8;
        enemy.m_nY = 7;
        Stage.m_Enemy.push_back(enemy);
        Event victory = Stage.m_PaletteEvent.At(0);
        victory.m_nX = 14;
        victory.m_nY = 2;
        EventPage& won = victory.m_Page.At(0);
        won.m_nTiming = RowNamed(TriggerTimingNames, "戦闘終了後(G-1)");
        won.m_nArea = RowNamed(AreaConditionNames, "マップ全範囲内");
        won.m_nTarget = RowNamed(CharacterSelectorNames, "敵");
        won.m_nExists = RowNamed(PresenceNames, "いないなら");
        won.m_Action.push_back(ActionNamed("ステージクリア"));
        Stage.m_Event.push_back(victory);
        ASSERT_EQ(SaveStage(kStageFile), 1);

        // The world map: the start (9, 7) and the three cells east of it
        // painted with the first chip that may be crossed, the stage at the
        // last of them, numbered as the editor numbers it.
        ASSERT_EQ(WorldMap.m_Chip.At(WorldMap.CellAt(WorldMap.m_nStartX, WorldMap.m_nStartY)).m_bBlocked, 1)
            << "a new world map's start is in the water";
        const auto land = std::find_if(WorldMap.m_Chip.begin(), WorldMap.m_Chip.end(),
                                       [](const WorldMapChip& chip) { return chip.m_strPassLabel == "通行可"; });
        ASSERT_NE(land, WorldMap.m_Chip.end());
        for (int32_t x = 9; x <= 12; ++x)
        {
            WorldMap.CellAt(x, 7) = static_cast<int32_t>(land - WorldMap.m_Chip.begin());
        }
        WorldMapEvent stage = WorldMap.m_Palette.At(0);
        WorldMap.AssignStageNumbers(stage, nullptr);
        WorldMapEventPage& page = stage.m_Page.At(0);
        EXPECT_EQ(page.m_nStageNumber, 1);
        page.m_nKind = RowNamed(WorldMapPageKindNames, "ステージ");
        page.m_strStageFile = std::string(".\\") + kStageFile;
        WorldMap.PutEvent(stage, 12, 7);
        ASSERT_EQ(SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]), 1);
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

// The README's steps to a first stage reach a stage that is won in play,
// and it is the stage's event that wins it: without the event the fall of
// the last enemy ends nothing, whatever the victory text says.
TEST_F(NewProjectStepsTest, TheReadmesFirstStageIsWonByItsEventAlone)
{
    ASSERT_NO_FATAL_FAILURE(MakeTheReadmesFirstStage());
    std::string output;
    EXPECT_EQ(RunGame(output, std::string(kToTheBattle) + kToTheVictory), 0) << output;
    EXPECT_EQ(Boxes(output), "");

    // The same stage, its victory text kept, without the event.
    ASSERT_EQ(OpenStage(kStageFile), 1);
    ASSERT_EQ(Stage.m_WinPage.Count(), 1);
    Stage.m_Event.clear();
    ASSERT_EQ(SaveStage(kStageFile), 1);
    EXPECT_EQ(RunGame(output, std::string(kToTheBattle) + kOnWithoutTheEvent), 0) << output;
}

} // namespace
