// The game program itself, run on a copy of the sample project that the build
// writes, without a display or a sound card, playing scripts.

#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "game/engine/GameSession.h"
#include "platform/core/Cp932.h"
#include "platform/core/TestPlayLink.h"
#include "platform/image/PngFile.h"
#include "platform/input/InputScript.h"
#include "tests/game/engine/StoredPicture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

class GameProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        unsetenv(platform::kShowStateVariable);
        fs::copy(TK_SAMPLE_DIR, m_Project.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    void TearDown() override { unsetenv(platform::kShowStateVariable); }

    // The script in a file beside the project; its path.
    std::string Script(const std::string& text)
    {
        const fs::path path = m_Runtime.Path() / ("script" + std::to_string(++m_nScripts) + ".play");
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    // A headless run without pacing, with the arguments added.
    std::unique_ptr<HelperProcess> Start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--headless", "--no-pacing"});
        return std::make_unique<HelperProcess>(TK_GAME_PROGRAM, arguments, true);
    }
    // Plays the script to its end: the exit code, and the output in `output`.
    int Play(const std::string& script, std::string& output, std::vector<std::string> more = {})
    {
        more.insert(more.begin(), {"--script", Script(script)});
        auto game = Start(more);
        output = game->ReadAll();
        return game->Wait();
    }
    // The reports the editor got, up to the end report.
    std::vector<uint32_t> Reports(platform::TestPlayListener& editor)
    {
        std::vector<uint32_t> kinds;
        platform::TestPlayReport report;
        while ((kinds.empty() || kinds.back() != platform::kTestPlayEnd) && editor.WaitReceive(report, 2000))
        {
            kinds.push_back(report.m_nKind);
        }
        // A second end report would come at once.
        if (editor.WaitReceive(report, 100))
        {
            kinds.push_back(report.m_nKind);
        }
        return kinds;
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Project;
    int m_nScripts = 0;
};

TEST_F(GameProgramTest, TheSampleReachesTheTitleWritesItsReportAndEscClosesIt)
{
    std::string output;
    EXPECT_EQ(Play("until scene 0 within 2\n"
                   "wait 15\n"
                   "expect state 1\n"
                   "press esc\n"
                   "until closed within 30\n",
                   output),
              0)
        << output;
    EXPECT_NE(output.find("frame 0: scene 0 (title)"), std::string::npos) << output;
    EXPECT_NE(output.find("script passed: the game closed"), std::string::npos) << output;

    const std::string report = m_Project.ReadText("Report_Game.txt");
    for (const char* line : {"App : ver 276\r\n", "OS : ", "DirectX : 0\r\n", "CPU : ", "Mem Total : ", "HD Free : ",
                             "VRAM Total : 32.000MB\r\n", "VRAM Free : ", "RR : "})
    {
        EXPECT_NE(report.find(line), std::string::npos) << line << " in\n" << report;
    }
    EXPECT_LT(report.find("HD Free"), report.find("VRAM Total"));
}

TEST_F(GameProgramTest, InATestPlayEscOnTheTitleDoesNothingAndTheEditorHearsStartAndEnd)
{
    platform::TestPlayListener editor;
    ASSERT_TRUE(editor.Open(platform::EditorEndpoint()));
    setenv(platform::kShowStateVariable, "5", 1);
    std::string output;
    EXPECT_EQ(Play("until scene 0\n"
                   "wait 15\n"
                   "press esc\n"
                   "press f3\n"
                   "wait 30\n"
                   "expect scene 0\n"
                   "expect state 1\n"
                   "expect money 0\n",
                   output),
              0)
        << output;
    EXPECT_EQ(Reports(editor), (std::vector<uint32_t>{platform::kTestPlayStart, platform::kTestPlayEnd}));
}

TEST_F(GameProgramTest, AMissingItemFileEndsTheGameWithItsMessage)
{
    fs::remove(m_Project.Path() / "data/database/Item.dat");
    // As a player starts it: the box, and the end the program has always had.
    auto game = Start({});
    const std::string output = game->ReadAll();
    EXPECT_EQ(game->Wait(), 0);
    EXPECT_NE(output.find(platform::ToUtf8("[エラー] data\\database\\Item.dat のロードに失敗！")), std::string::npos)
        << output;

    // In a test play with a script: the game failed, and the editor still hears the end.
    platform::TestPlayListener editor;
    ASSERT_TRUE(editor.Open(platform::EditorEndpoint()));
    setenv(platform::kShowStateVariable, "5", 1);
    std::string scripted;
    EXPECT_EQ(Play("until scene 1\n", scripted), 3) << scripted;
    EXPECT_EQ(Reports(editor), (std::vector<uint32_t>{platform::kTestPlayStart, platform::kTestPlayEnd}));
}

TEST_F(GameProgramTest, AScriptedRunTakesNoInstanceLockAndARunForAPlayerDoes)
{
    HelperProcess running(TK_LINK_HELPER, {"hold", std::string(kGameInstanceName)});
    ASSERT_EQ(running.ReadLine(), "held");

    std::string output;
    EXPECT_EQ(Play("until scene 0 within 2\n", output), 0) << output;
    EXPECT_EQ(output.find(platform::ToUtf8("既に起動しています")), std::string::npos) << output;

    auto second = Start({});
    const std::string refused = second->ReadAll();
    EXPECT_EQ(second->Wait(), 0);
    EXPECT_NE(refused.find(platform::ToUtf8("既に起動しています")), std::string::npos) << refused;
}

class GameProgramSignalTest : public GameProgramTest, public testing::WithParamInterface<int>
{
};

TEST_P(GameProgramSignalTest, TheSignalClosesTheGameAsItsWindowWould)
{
    auto game = Start(
        {"--script", Script("until scene 0\nwait " + std::to_string(platform::InputScript::kMaxStepFrames) + "\n")});
    // Lines of the libraries' own may come first.
    std::string line;
    for (int i = 0; i < 20 && line != "frame 0: scene 0 (title)"; ++i)
    {
        line = game->ReadLine();
    }
    ASSERT_EQ(line, "frame 0: scene 0 (title)");
    game->Signal(GetParam());
    const std::string output = game->ReadAll();
    EXPECT_EQ(game->Wait(), 0) << output;
    EXPECT_NE(output.find("script passed: the game closed"), std::string::npos) << output;
}

INSTANTIATE_TEST_SUITE_P(Signals, GameProgramSignalTest, testing::Values(SIGTERM, SIGINT),
                         [](const testing::TestParamInfo<int>& info)
                         { return std::string(info.param == SIGTERM ? "Terminate" : "Interrupt"); });

TEST_F(GameProgramTest, AScriptsVerdictIsTheExitCode)
{
    struct Case
    {
        const char* m_pScript;
        int m_nCode;
        const char* m_pSaid;
    };
    const Case cases[] = {
        {"wait 3\nexpect money 3\n", 1, "script failed: line 2 (expect money 3): saw 0"},
        {"expect leader 1\n", 1, "saw none"},
        {"until scene 2 within 20\n", 2, "timed out after 20 frames in scene 0"},
        {"wait 2\nhop 3\n", 3, "line 2: unknown step \"hop\""},
        {"press esc\nuntil closed within 20\nexpect scene 0\n", 1,
         "line 3 (expect scene 0): the game closed before it"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pScript);
        std::string output;
        EXPECT_EQ(Play(c.m_pScript, output), c.m_nCode);
        EXPECT_NE(output.find(c.m_pSaid), std::string::npos) << output;
    }
    auto game = Start({"--script", "no-such-script.play"});
    EXPECT_EQ(game->Wait(), 3);
    auto confused = Start({"--speed", "9"});
    EXPECT_NE(confused->ReadAll().find("unknown argument \"--speed\""), std::string::npos);
    EXPECT_EQ(confused->Wait(), 3);
}

TEST_F(GameProgramTest, TheReadmeShowsTheTitleAsTheHarnessCapturesIt)
{
    const fs::path shots = m_Runtime.Path() / "shots";
    std::string output;
    ASSERT_EQ(Play("until scene 0\nwait 30\ncapture title\n", output, {"--capture", shots.string()}), 0) << output;
    std::ifstream in(shots / "title.png", std::ios::binary);
    const std::string captured((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(captured.empty());

    const char* update = std::getenv("TK_UPDATE_PICTURES");
    if (update && std::string(update) == "1")
    {
        std::ofstream(TK_TITLE_PICTURE, std::ios::binary) << captured;
    }
    std::ifstream stored(TK_TITLE_PICTURE, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(stored)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(captured == expected) << "the title differs from " << TK_TITLE_PICTURE
                                      << "; after a deliberate change run with TK_UPDATE_PICTURES=1";

    std::ifstream readme(TK_README, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(fs::path(TK_TITLE_PICTURE).filename().string()), std::string::npos);
}

TEST_F(GameProgramTest, TheCampMenuShowsItsMoneyBoxAndThePartyGridWhereTheyBelong)
{
    const fs::path shots = m_Runtime.Path() / "shots";
    std::string output;
    ASSERT_EQ(Play("until scene 0 within 2\nwait 15\npress z\nuntil scene 1 within 30\nwait 20\nexpect state 1\n"
                   "capture camp\n",
                   output, {"--capture", shots.string()}),
              0)
        << output;
    platform::RgbImage captured;
    ASSERT_TRUE(platform::ReadPngFile(platform::FromUtf8((shots / "camp.png").string()), captured));
    ASSERT_EQ(captured.m_nWidth, 640);
    ASSERT_EQ(captured.m_nHeight, 480);

    // Every window's frame lies one pixel outside it: the money box at
    // (16, 460), the menu at (64, 192), the grid of 8 x 8 cells of 32 pixels at (208, 192).
    const uint32_t frame = captured.Rgb(15, 459);
    for (auto [x, y] : {std::pair{63, 191}, {207, 191}, {464, 191}, {207, 448}, {464, 448}})
    {
        EXPECT_EQ(captured.Rgb(x, y), frame) << x << ", " << y;
    }
    EXPECT_NE(captured.Rgb(206, 190), frame);
    EXPECT_NE(captured.Rgb(465, 449), frame);
    ExpectStoredPicture(captured, "camp/camp-menu.png");
}

} // namespace
