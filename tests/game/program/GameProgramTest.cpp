// The game program itself, run on a copy of the sample project that the build
// writes, without a display or a sound card, playing scripts.

#include "game/program/GameProgram.h"

#include "RuntimeFolderScope.h"
#include "TempFolder.h"
#include "game/engine/GameSession.h"
#include "platform/core/Cp932.h"
#include "platform/core/TestPlayLink.h"
#include "platform/image/PngFile.h"
#include "platform/input/InputScript.h"
#include "tests/game/engine/StoredPicture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

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
    void TearDown() override
    {
        unsetenv(platform::kShowStateVariable);
        unsetenv(kBoxesVariable);
    }

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

// What `make run` shows without a display: the sample's play-through, told
// scene by scene in the order it reaches them, from the title to the world
// map after the first stage's victory, and the verdict, its exit code.
TEST_F(GameProgramTest, ThePlayThroughOfMakeRunTellsItsScenesFromTheTitleToTheWorldMapAfterTheVictory)
{
    auto game = Start({"--script", TK_PLAY_THROUGH});
    const std::string output = game->ReadAll();
    EXPECT_EQ(game->Wait(), 0) << output;
    std::size_t at = 0;
    for (const char* said :
         {": scene 0 (title)", ": scene 1 (camp)", ": scene 2 (world map)", ": scene 3 (stage)", ": scene 4 (battle)",
          ": scene 3 (stage)", ": victory", ": scene 2 (world map)", "script passed"})
    {
        at = output.find(said, at);
        ASSERT_NE(at, std::string::npos) << said << " in order in\n" << output;
    }
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

// A new game, and into the camp.
constexpr char kNewGame[] = "until scene 0 within 2\n"
                            "wait 15\n"
                            "press z\n"
                            "until scene 1 within 30\n"
                            "wait 15\n"
                            "expect state 1\n";
// From the camp menu's first entry: "セーブ", the first slot, "セーブする",
// back to the menu; then "しゅうりょう", "ゲームしゅうりょう".
constexpr char kSaveFirstSlotAndQuit[] = "press down\npress down\npress down\npress down\n"
                                         "press down\npress down\npress down\npress down\n"
                                         "press z\npress z\npress up\npress z\npress x\n"
                                         "expect state 1\n"
                                         "press down\npress down\npress down\n"
                                         "press z\npress up\npress z\n"
                                         "until closed within 60\n";
// From the camp menu's first entry: "やとう" the hunter for 300 S, back to the menu's first entry.
constexpr char kHire[] = "press down\npress down\npress down\npress down\n"
                         "press z\npress z\npress down\npress z\n"
                         "expect money 200\n"
                         "press x\n"
                         "press up\npress up\npress up\npress up\n";

TEST_F(GameProgramTest, ASaveOverASlotWhoseUnitsAreDamagedKeepsTheDamagedFileBeside)
{
    std::string output;
    ASSERT_EQ(Play(std::string(kNewGame) + kSaveFirstSlotAndQuit, output), 0) << output;
    std::vector<unsigned char> damaged = m_Project.ReadFile("user_data/SaveData01.dat");
    damaged.resize(damaged.size() - 100);
    m_Project.WriteFile("user_data/SaveData01.dat", damaged);

    // A new run: the title's scan reads the play-through only, and the damage is in the units.
    ASSERT_EQ(Play(std::string(kNewGame) + kHire + kSaveFirstSlotAndQuit, output), 0) << output;
    EXPECT_EQ(m_Project.ReadFile("user_data/SaveData01.dat.damaged"), damaged);
    EXPECT_GT(m_Project.ReadFile("user_data/SaveData01.dat").size(), damaged.size());
    const std::string report = m_Project.ReadText("Report_Game.txt");
    EXPECT_NE(report.find("the damaged file is kept as user_data\\SaveData01.dat.damaged"), std::string::npos)
        << report;
}

TEST_F(GameProgramTest, ASaveThatCannotBeWrittenTellsThePlayerAndLeavesTheSlot)
{
    std::string output;
    ASSERT_EQ(Play(std::string(kNewGame) + kSaveFirstSlotAndQuit, output), 0) << output;
    const fs::path saves = m_Project.Path() / "user_data";
    const auto before = SnapshotFolder(saves);

    // The folder is read-only. Root writes there all the same unless it gives up
    // its right to pass over permissions, which setpriv does for the game.
    fs::permissions(saves, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    std::vector<std::string> command = {TK_GAME_PROGRAM};
    if (::geteuid() == 0)
    {
        const char* kSetpriv = "/usr/bin/setpriv";
        const std::vector<std::string> dropRights = {"--bounding-set=-dac_override,-dac_read_search,-fowner", "--"};
        HelperProcess probe(
            kSetpriv, {dropRights[0], dropRights[1], "/bin/sh", "-c", "exec 2>/dev/null; echo > user_data/probe"});
        if (!probe.Started() || probe.Wait() == 0)
        {
            fs::remove(saves / "probe");
            GTEST_SKIP() << "running as root, and setpriv cannot take away root's right to write anywhere";
        }
        command = {kSetpriv, dropRights[0], dropRights[1], TK_GAME_PROGRAM};
    }
    command.insert(command.end(), {"--headless", "--no-pacing", "--script",
                                   Script(std::string(kNewGame) + kHire + kSaveFirstSlotAndQuit)});
    HelperProcess game(command.front(), std::vector<std::string>(command.begin() + 1, command.end()), true);
    output = game.ReadAll();
    const int code = game.Wait();
    fs::permissions(saves, fs::perms::owner_write, fs::perm_options::add);

    EXPECT_EQ(code, 0) << output;
    EXPECT_NE(output.find(platform::ToUtf8("[エラー] セーブデータ1 へのセーブに失敗！\n")), std::string::npos)
        << output;
    EXPECT_NE(output.find("Permission denied"), std::string::npos) << output;
    EXPECT_EQ(SnapshotFolder(saves), before);
}

TEST_F(GameProgramTest, AStartUpThatFailsSaysWhyInTheReportAndOnTheErrorStream)
{
    struct Case
    {
        const char* m_pWhat;
        std::function<void(const fs::path&)> m_Damage;
        const char* m_pReason; // CP932
    };
    const Case cases[] = {
        {"no palette", [](const fs::path& p) { fs::remove(p / "bmp/Palette.bmp"); },
         "bmp\\Palette.bmp のロードに失敗！"},
        {"a damaged palette", [](const fs::path& p) { std::ofstream(p / "bmp/Palette.bmp") << "BM?"; },
         "bmp\\Palette.bmp のロードに失敗！"},
        {"no sound of choice", [](const fs::path& p) { fs::remove(p / fs::path(u8"wave/決定.wav")); },
         "wave\\決定.wav のロードに失敗！"},
        {"not a project",
         [](const fs::path& p)
         {
             for (const fs::directory_entry& entry : fs::directory_iterator(p))
             {
                 fs::remove_all(entry.path());
             }
         },
         "bmp\\Palette.bmp のロードに失敗！"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        fs::copy(TK_SAMPLE_DIR, m_Project.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        c.m_Damage(m_Project.Path());
        std::string output;
        EXPECT_EQ(Play("until scene 0\n", output), 3) << output;
        EXPECT_NE(output.find("[" + platform::ToUtf8("エラー") + "] " + platform::ToUtf8(c.m_pReason)),
                  std::string::npos)
            << output;
        const std::string report = m_Project.ReadText("Report_Game.txt");
        EXPECT_NE(report.find(std::string("Error : ") + c.m_pReason), std::string::npos) << report;
    }
}

TEST_F(GameProgramTest, ADamagedKeyConfigurationStillLetsButton1StartANewGame)
{
    // The 76 bytes: eight actions {int32 device, int16 code, 2 unused}, action count, joystick count, use flag.
    auto config = [](int32_t device, int32_t code, int32_t actions, int32_t joysticks)
    {
        ByteBuilder bytes;
        for (int i = 0; i < 8; ++i)
        {
            bytes.Int(device).Int(code);
        }
        return std::vector<unsigned char>(bytes.Ints({actions, joysticks, 1}).Data());
    };
    std::vector<unsigned char> noise(76);
    uint32_t x = 2463534242u;
    for (unsigned char& byte : noise)
    {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<unsigned char>(x);
    }
    const std::pair<const char*, std::vector<unsigned char>> cases[] = {
        {"random bytes", noise},
        {"a negative action count", config(8, 'Z', -3, 1)},
        {"key codes out of range", config(8, 0x1234, 8, 1)},
        {"every action on joystick 7", config(7, 1, 8, 1)},
    };
    for (const auto& [what, bytes] : cases)
    {
        SCOPED_TRACE(what);
        m_Project.WriteFile("user_data/CustomKey.dat", bytes);
        std::string output;
        EXPECT_EQ(Play("until scene 0 within 2\nwait 15\npress z\nuntil scene 1 within 30\nexpect party 1\n", output),
                  0)
            << output;
        EXPECT_NE(m_Project.ReadText("Report_Game.txt").find("KeyConfig : "), std::string::npos);
    }
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
protected:
    // Waits at most 30 s for Report_Game.txt to hold the text (the file to be there, for "").
    bool WaitForReport(const std::string& text)
    {
        const fs::path report = m_Project.Path() / "Report_Game.txt";
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end)
        {
            if (fs::exists(report) &&
                (text.empty() || m_Project.ReadText("Report_Game.txt").find(text) != std::string::npos))
            {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }
};

// Every core busy, as on a loaded machine, while it lives.
class CpuLoad
{
public:
    CpuLoad()
    {
        for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
        {
            m_Threads.emplace_back(
                [this]
                {
                    volatile unsigned long spin = 0;
                    while (!m_bStop.load(std::memory_order_relaxed))
                    {
                        spin = spin + 1;
                    }
                });
        }
    }
    ~CpuLoad()
    {
        m_bStop.store(true);
        for (std::thread& thread : m_Threads)
        {
            thread.join();
        }
    }
    CpuLoad(const CpuLoad&) = delete;
    CpuLoad& operator=(const CpuLoad&) = delete;

private:
    std::atomic<bool> m_bStop{false};
    std::vector<std::thread> m_Threads;
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

// From the game's first instant on: while it writes its report, makes its
// window, loads the project and runs. The editor of a test play hears its end.
TEST_P(GameProgramSignalTest, TheSignalAtAnyMomentOfTheStartEndsTheGameAsItsCloseWould)
{
    platform::TestPlayListener editor;
    ASSERT_TRUE(editor.Open(platform::EditorEndpoint()));
    setenv(platform::kShowStateVariable, "5", 1);
    CpuLoad load;
    for (int delay : {0, 100, 300, 1000})
    {
        SCOPED_TRACE(std::to_string(delay) + " ms after the report log appeared");
        fs::remove(m_Project.Path() / "Report_Game.txt");
        HelperProcess game(TK_GAME_PROGRAM, {"--headless"});
        ASSERT_TRUE(WaitForReport(""));
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        game.Signal(GetParam());
        ASSERT_TRUE(game.WaitFor(30000)) << "still running 30 s after the signal";
        EXPECT_EQ(game.Wait(), 0) << "ended by the signal itself";
        EXPECT_EQ(Reports(editor), (std::vector<uint32_t>{platform::kTestPlayStart, platform::kTestPlayEnd}));
        EXPECT_NE(m_Project.ReadText("Report_Game.txt").find("App : ver 276"), std::string::npos);
    }
}

TEST_P(GameProgramSignalTest, TheSignalEndsTheGameWhileABoxIsUp)
{
    // The boxes are windows that wait, as on a display.
    setenv(kBoxesVariable, "window", 1);
    struct Case
    {
        const char* m_pWhat;
        std::function<void()> m_Prepare;
        std::string m_strReported; // written just before the box goes up
    };
    std::unique_ptr<HelperProcess> running;
    const Case cases[] = {
        {"the start-up failure's box", [this] { fs::remove(m_Project.Path() / "bmp/Palette.bmp"); },
         std::string("Error : ") + "bmp\\Palette.bmp のロードに失敗！"},
        {"a second copy's box, up before its window is made",
         [&running]
         {
             running = std::make_unique<HelperProcess>(
                 TK_LINK_HELPER, std::vector<std::string>{"hold", std::string(kGameInstanceName)});
             ASSERT_EQ(running->ReadLine(), "held");
         },
         "Error : 既に起動しています"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        fs::remove(m_Project.Path() / "Report_Game.txt");
        c.m_Prepare();
        auto game = Start({});
        ASSERT_TRUE(WaitForReport(c.m_strReported)) << "no box";
        ASSERT_FALSE(game->WaitFor(500)) << "the box waits for its answer";
        game->Signal(GetParam());
        ASSERT_TRUE(game->WaitFor(5000)) << "still running 5 s after the signal";
        EXPECT_EQ(game->Wait(), 0);
        EXPECT_NE(m_Project.ReadText("Report_Game.txt").find(c.m_strReported), std::string::npos);
    }
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
