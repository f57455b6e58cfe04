// The editor's loop on the dummy backend: when its idle step runs.
#include "editor/framework/EditorProgram.h"
#include "tests/editor/framework/EditorTestSupport.h"

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
        App.RemoveWindow(&m_Probe);
        TestPlayRunning = 0;
        AppActive = 0;
        EditorTest::TearDown();
    }

    IdleProbe m_Probe;
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

} // namespace
