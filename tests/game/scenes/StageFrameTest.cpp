// The stage map on a real back buffer: the sample project's first stage
// with the new game's party, drawn with the sample's sheets and the game's
// fonts, captured at 8 and at 16 bits against stored pictures under
// tests/data/stage (StoredPicture.h tells how to store them anew): the
// preparation menu over the deployment area, and the hero's movement range
// once it is deployed and chosen. The view always has the cursor at its
// cell (9, 7). A change of the sample's sheets or stage changes the pictures.

#include "../data/GameDataTest.h"
#include "SceneKeys.h"
#include "common/data/DataFilePaths.h"
#include "game/engine/Display.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/EventTriggers.h"
#include "game/scenes/TitleScene.h"
#include "game/scenes/stage/StageScene.h"
#include "platform/display/DisplayHost.h"
#include "platform/window/ScriptedDialogs.h"
#include "platform/window/WindowMessages.h"
#include "tests/game/engine/DisplayFixture.h"
#include "tests/game/engine/StoredPicture.h"

#include <filesystem>

namespace
{

class StageFrameTest : public GameDataTest, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        for (const char* folder : {"bmp", "data"})
        {
            std::filesystem::copy(std::filesystem::path(TK_SAMPLE_DIR) / folder, m_Folder.Path() / folder,
                                  std::filesystem::copy_options::recursive);
        }
        ASSERT_TRUE(LoadGameDatabase());
        ASSERT_EQ(LoadNumberedCopy(Stage, "data\\stg\\Stage01.stg", FileExtensions[kExtStage], 1), 1);
        // The stage's start event (its messages wait for button 1 on the event
        // thread) is left out of these pictures: its page moves to a trigger
        // that never comes, so the map still draws it.
        for (Event& event : Stage.m_Event)
        {
            for (EventPage& page : event.m_Page)
            {
                if (page.m_nTiming == kTriggerStageStart)
                {
                    page.m_nTiming = kTriggerHolderSpecialCommand;
                }
            }
        }
        NewGame();
        FrameRateValues = DeriveFrameValues(60);
        m_Scenes.SetSceneMaker(kSceneStage, [](SceneManager& owner) { return std::make_unique<StageScene>(owner); });
        MenuCursor.Reset();
    }

    void TearDown() override
    {
        m_Scenes.Reset();
        ReleaseTestDisplay();
        GameDataTest::TearDown();
    }

    // The display on the copied sheets as the game's start leaves it: the
    // palette, the transparent colour and the second look of the unit chips.
    void Start(int depth)
    {
        StartFixtureDisplay(m_Host, depth);
        const int second = kSurfaceMapCharaSecond;
        ASSERT_TRUE(DDLoadSurfaces(Surfaces, &second, 1));
        ShiftSurfaceColours(Surfaces[kSurfaceMapCharaSecond]);
    }

    void Frames(int n) { m_Keys.Frames(n); }
    void Press(int key) { m_Keys.Press(key); }

    void ExpectPicture(const std::string& name)
    {
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        ASSERT_NE(frame, nullptr);
        ExpectStoredPicture(platform::FrameToImage(*frame),
                            "stage/" + name + "-" + std::to_string(GetParam()) + ".png");
    }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    SceneManager m_Scenes;
    SceneKeys m_Keys{m_Scenes};
};

TEST_P(StageFrameTest, TheMapViewWithTheCursorInItsMiddleMatchesItsStoredPictures)
{
    Start(GetParam());
    m_Scenes.SetPreviousScene(kSceneWorldMap);
    m_Scenes.SetCurrentScene(kSceneStage);
    Frames(16);
    const StageScene* scene = static_cast<const StageScene*>(m_Scenes.SceneOf(kSceneStage));
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(scene->State(), kStagePreparation);
    ASSERT_EQ(scene->CursorX() - scene->ViewX(), kViewCursorColumn);
    ASSERT_EQ(scene->CursorY() - scene->ViewY(), kViewCursorRow);
    ExpectPicture("preparation");

    // The hero onto the anchor, the attack, the hero chosen: its movement range.
    Press('Z');
    Press('Z');
    Press('Z');
    Press('X');
    Press('X');
    Press(platform::kVkUp);
    Press('Z');
    ASSERT_EQ(scene->State(), kStagePlayerMap);
    Press('Z');
    ASSERT_EQ(scene->State(), kStageMove);
    Press(platform::kVkRight);
    Frames(3);
    ExpectPicture("movement");
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Depths, StageFrameTest, testing::Values(8, 16),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

} // namespace
