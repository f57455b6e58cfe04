#include "game/engine/SceneManager.h"

#include "RuntimeFolderScope.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"
#include "tests/game/engine/DisplayFixture.h"
#include "tests/game/engine/StubScene.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{

class SceneManagerTest : public StubSceneTest
{
protected:
    // Frames until the condition holds; false when it has not after the frame count.
    bool RunUntil(const std::function<bool()>& condition, int frames = 60)
    {
        for (int i = 0; i < frames; ++i)
        {
            if (condition())
            {
                return true;
            }
            EXPECT_EQ(m_Scenes.Frame(), 1);
        }
        return condition();
    }
    int StateOf(int id) const
    {
        const Scene* scene = m_Scenes.SceneOf(id);
        return scene ? scene->State() : -100;
    }

    SceneManager& m_Scenes = GameScenes;
};

// A scene past its fade-in that notes the buttons its state sees each frame.
class ButtonScene : public Scene
{
public:
    explicit ButtonScene(SceneManager& manager) : Scene(manager, kSceneCamp, 2) { SetState(1); }

    std::vector<int> m_Seen;

protected:
    int RunState(int) override
    {
        m_Seen.push_back(Input().m_nButtons);
        return 1;
    }
};

TEST_F(SceneManagerTest, TheStageSurvivesABattleAndResumesAtItsFadeInWithoutReloading)
{
    m_Scenes.SetCurrentScene(kSceneStage);
    ASSERT_TRUE(RunUntil([&] { return StateOf(kSceneStage) == 1; }));
    Scene* stage = m_Scenes.SceneOf(kSceneStage);

    m_Records[kSceneStage].m_nLeaveFor = kSceneBattle;
    ASSERT_TRUE(RunUntil([&] { return m_Scenes.SceneOf(kSceneBattle) != nullptr; }));
    EXPECT_EQ(m_Scenes.KeepFlag(), 1);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneStage);
    EXPECT_EQ(m_Scenes.SceneOf(kSceneStage), stage);
    EXPECT_EQ(stage->State(), 0);

    m_Records[kSceneBattle].m_nLeaveFor = kSceneStage;
    ASSERT_TRUE(RunUntil([&] { return StateOf(kSceneBattle) == 1; }));
    ASSERT_TRUE(RunUntil([&] { return m_Scenes.SceneOf(kSceneBattle) == nullptr; }));
    EXPECT_EQ(m_Scenes.KeepFlag(), 0);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneBattle);
    EXPECT_EQ(m_Scenes.SceneOf(kSceneStage), stage);
    EXPECT_EQ(m_Records[kSceneBattle].m_nDeleted, 1);
    ASSERT_TRUE(RunUntil([&] { return StateOf(kSceneStage) == 1; }));
    EXPECT_EQ(m_Records[kSceneStage].m_nMade, 1);
    EXPECT_EQ(m_Records[kSceneStage].m_nLoads, 1);

    // To the world map the stage is left for good: it goes on the next frame.
    m_Records[kSceneStage].m_nLeaveFor = kSceneWorldMap;
    ASSERT_TRUE(RunUntil([&] { return m_Scenes.CurrentScene() == kSceneWorldMap; }));
    EXPECT_EQ(m_Scenes.SceneOf(kSceneStage), stage);
    m_Scenes.Frame();
    EXPECT_EQ(m_Scenes.SceneOf(kSceneStage), nullptr);
    EXPECT_EQ(m_Records[kSceneStage].m_nDeleted, 1);
    EXPECT_NE(m_Scenes.SceneOf(kSceneWorldMap), nullptr);
}

TEST_F(SceneManagerTest, AnIdPastTheScenesDeletesEverySceneWhileFramesGoOn)
{
    ASSERT_TRUE(RunUntil([&] { return StateOf(kSceneTitle) == 1; }));
    m_Records[kSceneTitle].m_nLeaveFor = kSceneCount;
    ASSERT_TRUE(RunUntil([&] { return m_Scenes.CurrentScene() == kSceneCount; }));
    const uint64_t presented = DisplayFrames().Submitted();
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(m_Scenes.Frame(), 1);
    }
    EXPECT_EQ(DisplayFrames().Submitted(), presented + 5);
    for (int id = 0; id < kSceneCount; ++id)
    {
        EXPECT_EQ(m_Scenes.SceneOf(id), nullptr) << id;
        EXPECT_EQ(m_Records[id].m_nMade, id == kSceneTitle ? 1 : 0) << id;
    }
    EXPECT_EQ(m_Records[kSceneTitle].m_nDeleted, 1);
}

TEST_F(SceneManagerTest, AnIdWithoutASceneClassShowsNothingNew)
{
    m_Scenes.SetSceneMaker(kSceneCamp, nullptr);
    m_Scenes.SetCurrentScene(kSceneCamp);
    EXPECT_EQ(m_Scenes.Frame(), 1);
    EXPECT_EQ(m_Scenes.SceneOf(kSceneCamp), nullptr);
    EXPECT_EQ(m_Records[kSceneCamp].m_nMade, 0);
}

TEST_F(SceneManagerTest, AThrowingLoaderLogsItsMessageClosesTheWindowAndTheSceneGoesOn)
{
    RuntimeFolderScope runtime;
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    m_Records[kSceneTitle].m_strLoadFailure = "TitleScene の読み込みに失敗";

    EXPECT_EQ(m_Scenes.Frame(), 1);
    EXPECT_EQ(StateOf(kSceneTitle), 0); // on with its fade-in that frame
    EXPECT_NE(ErrorLog().find("TitleScene の読み込みに失敗"), std::string::npos);
    EXPECT_TRUE(GameFailureReported());
    ASSERT_TRUE(MainWindowHandle());
    system.PumpMessages();
    EXPECT_FALSE(MainWindowHandle()); // the close was posted to the main window
    EXPECT_TRUE(system.QuitPending());
    session.Close();
}

TEST_F(SceneManagerTest, AScenesButtons1And2ReportOncePerPressAndButtons3And4WhileHeld)
{
    ButtonScene scene(m_Scenes);
    InputState& input = m_Scenes.Input();
    for (int held : {1, 1, 0, 4, 4, 4 | 8, 8, 0, 2, 2})
    {
        input.m_nButtons = static_cast<uint16_t>(held);
        scene.Update();
    }
    EXPECT_EQ(scene.m_Seen, (std::vector<int>{1, 0, 0, 4, 4, 4 | 8, 8, 0, 2, 0}));
}

TEST_F(SceneManagerTest, LostSurfacesAreRestoredBeforeTheFrameAndAFailureEndsIt)
{
    ASSERT_TRUE(RunUntil([&] { return StateOf(kSceneTitle) == 1; }));
    Load({3});
    DDSimulateDisplayChange();
    EXPECT_EQ(m_Scenes.Frame(), 1);
    EXPECT_FALSE(Surfaces[3].Get()->IsLost());

    DDSimulateDisplayChange();
    m_Folder.WriteFile("bmp/Title.bmp", std::string("not a bitmap"));
    EXPECT_EQ(m_Scenes.Frame(), 0);
}

} // namespace
