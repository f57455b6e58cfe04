// The editor program itself, run headless (Qt offscreen, boxes on the
// standard error stream, or real boxes where a test says so) in a temporary
// project folder: what it leaves behind, its end on a termination signal,
// and the refusal of a second copy.
#include "platform/core/Cp932.h"
#include "tests/editor/framework/EditorTestSupport.h"

#include <csignal>
#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

constexpr int kPatience = 60000; // milliseconds; a loaded machine starts Qt slowly

class EditorProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("TARNWICK_BOXES", "stderr", 1);
    }
    void TearDown() override { unsetenv("TARNWICK_BOXES"); }

    // Starts an editor in the project folder and waits until it listens for test-play reports.
    std::unique_ptr<HelperProcess> StartEditor()
    {
        auto editor = std::make_unique<HelperProcess>(TK_EDITOR_PROGRAM, std::vector<std::string>{}, true);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatience);
        while (!fs::exists(platform::EditorEndpoint()) && editor->IsRunning() &&
               std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_TRUE(fs::exists(platform::EditorEndpoint()));
        return editor;
    }

    RuntimeFolderScope m_Runtime;
    TempFolder m_Folder;
};

// Whether the process takes SIGTERM for itself: blocked in its main thread
// (its mask in /proc), so that it waits to be read from the editor's descriptor.
bool CatchesTermination(int pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
    {
        if (line.rfind("SigBlk:", 0) == 0)
        {
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1) & 1) != 0;
        }
    }
    return false;
}

TEST_F(EditorProgramTest, AProjectWithoutDataIsStartedAndEndedByEitherSignal)
{
    CopyEditorBitmaps(m_Folder.Path());
    for (int signal : {SIGTERM, SIGINT})
    {
        fs::remove_all("data");
        std::unique_ptr<HelperProcess> editor = StartEditor();
        editor->Signal(signal);
        ASSERT_TRUE(editor->WaitFor(kPatience)) << signal;
        EXPECT_EQ(editor->Wait(), 0) << signal;

        // The shut-down saves ran: 256 empty names and the settings.
        EXPECT_EQ(HexBytes(m_Folder.ReadFile("data/GValInfo.dat")), HexBytes(EmptyVariableNamesFile())) << signal;
        EXPECT_TRUE(fs::exists("data/EditConfig.dat")) << signal;
        EXPECT_FALSE(fs::exists("EC_Editor.txt")) << signal;
        std::string report = m_Folder.ReadText("Report_Editor.txt");
        EXPECT_EQ(report.rfind("App : ver 276\r\n", 0), 0u) << report;
        EXPECT_NE(report.find("\r\n", 15), std::string::npos) << "the system report follows";
        EXPECT_FALSE(fs::exists(platform::EditorEndpoint())) << signal;
    }
}

// From the moment the program catches it, a termination signal ends the
// editor as closing it would, its saves included, whenever it comes: while Qt
// starts, while the start-up waits on a real box (a damaged file is named in
// one before the main window exists), or later.
TEST_F(EditorProgramTest, ASignalAtAnyMomentOfTheStartUpEndsTheEditorWithItsSaves)
{
    unsetenv("TARNWICK_BOXES");
    CopyEditorBitmaps(m_Folder.Path());
    for (int delay : {0, 200, 400, 800, 1500, 3000})
    {
        fs::remove_all("data");
        m_Folder.WriteFile("data/database/Item.dat", ByteBuilder().Int(276).Int(1).Data());
        HelperProcess editor(TK_EDITOR_PROGRAM, {}, true);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatience);
        while (!CatchesTermination(editor.Id()) && editor.IsRunning() && std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        editor.Signal(SIGTERM);
        ASSERT_TRUE(editor.WaitFor(kPatience)) << "still running, signalled " << delay << " ms after it caught";
        EXPECT_EQ(editor.Wait(), 0) << delay;
        EXPECT_TRUE(fs::exists("data/EditConfig.dat")) << delay;
        EXPECT_TRUE(fs::exists("data/GValInfo.dat")) << delay;
        EXPECT_FALSE(fs::exists(platform::EditorEndpoint())) << delay;
    }
}

TEST_F(EditorProgramTest, ASecondCopyShowsItsBoxAndEndsWhileTheFirstGoesOn)
{
    CopyEditorBitmaps(m_Folder.Path());
    std::unique_ptr<HelperProcess> first = StartEditor();
    HelperProcess second(TK_EDITOR_PROGRAM, {}, true);
    ASSERT_TRUE(second.WaitFor(kPatience));
    EXPECT_EQ(second.Wait(), 0);
    std::string output;
    for (std::string line = second.ReadLine(); !line.empty(); line = second.ReadLine())
    {
        output += line + "\n";
    }
    EXPECT_NE(output.find(platform::ToUtf8("[二重起動] 既に起動しています")), std::string::npos) << output;

    EXPECT_TRUE(first->IsRunning());
    EXPECT_TRUE(fs::exists(platform::EditorEndpoint()));
    first->Signal(SIGTERM);
    ASSERT_TRUE(first->WaitFor(kPatience));
    EXPECT_EQ(first->Wait(), 0);
}

} // namespace
