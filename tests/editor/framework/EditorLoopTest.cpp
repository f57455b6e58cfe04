// The editor's loop on the dummy backend: when its idle step runs, and that
// the clean-up of a closed sheet loses none of the main window's messages.
#include "editor/framework/EditorProgram.h"
#include "editor/stage/StageEditState.h"
#include "tests/editor/framework/EditorTestSupport.h"

#include <atomic>
#include <thread>

namespace
{

// A registered window that writes down, at each idle step, whether a test play ran.
class IdleProbe : public WindowBase
{
public:
    void OnIdle() override
    {
        m_Running.push_back(TestPlayRunning);
        if (m_bQuitAtIdle)
        {
            AppWindowSystem->PostQuit(0);
        }
    }
    bool WantsIdle() const override { return m_bWants; }
    std::vector<int> m_Running;
    bool m_bQuitAtIdle = false;
    bool m_bWants = false;
};

// A modeless sheet the author has just closed: the loop's next message cleans it up.
class ClosedSheet : public ModelessSheet
{
public:
    platform::WindowHandle SheetWindow() const override { return m_hWindow; }
    platform::WindowHandle CurrentPage() const override { return nullptr; }
    void Destroy() override { m_hWindow = nullptr; }
    bool IsSheetMessage(const platform::WindowMessage&) override { return false; }
    void RedrawPages() override {}

    platform::WindowHandle m_hWindow = nullptr;
};

class EditorLoopTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ASSERT_TRUE(Start());
        App.AddWindow(&m_Probe);
    }
    void TearDown() override
    {
        std::erase_if(App.m_Sheets, [this](const SheetEntry& entry) { return entry.m_pSheet == &m_Sheet; });
        App.RemoveWindow(&m_Probe);
        TestPlayRunning = 0;
        AppActive = 0;
        EditorTest::TearDown();
    }

    // What start-up left in the queue is handled; then a sheet is closed,
    // so that the next message the loop takes meets its clean-up.
    void CloseASheet()
    {
        m_System.PumpMessages();
        m_Sheet.m_hWindow = MainWindow.Handle();
        App.m_Sheets.push_back({&m_Sheet, nullptr});
    }

    IdleProbe m_Probe;
    ClosedSheet m_Sheet;
};

TEST_F(EditorLoopTest, TheIdleStepRunsOnlyWhileActiveWithoutATestPlayAndPollsOnOnlyWhenAsked)
{
    struct Row
    {
        int m_nActive;
        int m_nRunning;
        bool m_bWants;
        bool m_bIdles;
        bool m_bPollsOn;
    };
    const Row rows[] = {{1, 0, false, true, false},
                        {1, 0, true, true, true},
                        {1, 1, true, false, false},
                        {0, 0, true, false, false},
                        {0, 1, false, false, false}};
    for (const Row& row : rows)
    {
        AppActive = row.m_nActive;
        TestPlayRunning = row.m_nRunning;
        m_Probe.m_bWants = row.m_bWants;
        m_Probe.m_Running.clear();
        EXPECT_EQ(EditorIdle(), row.m_bPollsOn) << row.m_nActive << row.m_nRunning << row.m_bWants;
        EXPECT_EQ(m_Probe.m_Running.size(), row.m_bIdles ? 1u : 0u) << row.m_nActive << row.m_nRunning;
    }
    // Without a view there is nothing to do.
    AppActive = 1;
    TestPlayRunning = 0;
    m_Probe.m_bWants = false;
    CurrentView = nullptr;
    m_Probe.m_Running.clear();
    EXPECT_FALSE(EditorIdle());
    EXPECT_TRUE(m_Probe.m_Running.empty());
}

// The active editor with nothing to do sleeps: the idle step runs once per
// message that arrives, not over and over.
TEST_F(EditorLoopTest, AnActiveIdleEditorWaitsForMessages)
{
    AppActive = 1;
    std::thread poster(
        [this]
        {
            for (int i = 0; i < 3; ++i)
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                m_System.PostMessage(MainWindow.Handle(), platform::kWmNull, 0, 0);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            m_System.PostQuit(0);
        });
    RunEditorLoop(m_System);
    poster.join();
    EXPECT_GE(m_Probe.m_Running.size(), 1u);
    EXPECT_LE(m_Probe.m_Running.size(), 5u);
}

TEST_F(EditorLoopTest, ALoopWaitingOutATestPlayIdlesAgainAfterTheEndReport)
{
    AppActive = 1;
    TestPlayRunning = 1;
    m_Probe.m_bQuitAtIdle = true;
    std::thread game([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        platform::SendTestPlayValue(platform::EditorEndpoint(), platform::kTestPlayEnd, 1);
    });
    int code = RunEditorLoop(m_System);
    game.join();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(TestPlayRunning, 0);
    EXPECT_EQ(m_Probe.m_Running, std::vector<int>{0});
}

TEST_F(EditorLoopTest, AGamesEndReportThatMeetsTheCleanUpOfAClosedSheetStillEndsTheTestPlay)
{
    AppActive = 1;
    TestPlayRunning = 1;
    m_Probe.m_bQuitAtIdle = true;
    CloseASheet();
    std::atomic<bool> ended = false;
    std::thread game(
        [&]
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            platform::SendTestPlayValue(platform::EditorEndpoint(), platform::kTestPlayEnd, 1);
            // A lost report would leave the loop waiting for good.
            for (int i = 0; i < 500 && !ended; ++i)
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (!ended)
            {
                m_System.PostQuit(1);
            }
        });
    int code = RunEditorLoop(m_System);
    ended = true;
    game.join();
    EXPECT_EQ(code, 0);
    EXPECT_EQ(TestPlayRunning, 0);
    EXPECT_EQ(m_Probe.m_Running, std::vector<int>{0});
    EXPECT_EQ(m_Sheet.m_hWindow, nullptr) << "the sheet was cleaned up on the way";
}

TEST_F(EditorLoopTest, ANewViewAndATerminationAreNotLostToTheCleanUpOfAClosedSheet)
{
    AppActive = 1;
    m_Probe.m_bQuitAtIdle = true;

    StageEdit.m_nTool = kToolFill; // a new view resets the stage edit state
    CloseASheet();
    platform::PostWindowMessage(MainWindow.Handle(), kWmRecreateView, 0, 0);
    EXPECT_EQ(RunEditorLoop(m_System), 0);
    EXPECT_EQ(StageEdit.m_nTool, kToolPen);
    EXPECT_NE(CurrentView, nullptr);
    EXPECT_EQ(m_Sheet.m_hWindow, nullptr);

    platform::WindowHandle main = MainWindow.Handle();
    m_Probe.m_Running.clear();
    CloseASheet();
    platform::PostWindowMessage(main, kWmTerminate, 0, 0);
    EXPECT_EQ(RunEditorLoop(m_System), 0);
    EXPECT_FALSE(m_System.IsWindow(main)) << "the editor ended";
    EXPECT_TRUE(m_Probe.m_Running.empty());
}

} // namespace
