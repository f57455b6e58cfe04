// The battle scene run frame by frame with keys on a battle given to it: the
// friend's commands and forecasts, the enemy's turn, the results and the
// return to the stage map. What the scene draws is written down by a
// recording target.

#include "game/scenes/battle/BattleScene.h"

#include "../data/RecordingDrawTarget.h"
#include "BattleTest.h"
#include "SceneKeys.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "platform/input/VirtualKeys.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/game/engine/DisplayFixture.h"

#include <algorithm>
#include <filesystem>

namespace
{

constexpr int kKeyZ = 'Z';
constexpr int kKeyX = 'X';

class BattleSceneTest : public BattleTest
{
protected:
    void SetUp() override
    {
        BattleTest::SetUp();
        WriteFixtureSheets(m_Folder, {});
        // The background of the lands without their own.
        m_Folder.WriteFile(std::filesystem::path(u8"bmp/back/デフォルト.bmp"),
                           FixtureBitmap(64, 48, FixtureSheetPixel));
        StartFixtureDisplay(m_Host, 8);
        FrameRateValues = DeriveFrameValues(60);
        MenuCursor.Reset();
        m_Scenes.SetSceneMaker(kSceneBattle,
                               [this](SceneManager& owner)
                               {
                                   auto scene = std::make_unique<BattleScene>(owner, &m_Drawn);
                                   scene->SetBattle(m_Setup);
                                   return scene;
                               });
        m_Setup.m_pFriend = &m_Friend;
        m_Setup.m_pEnemy = &m_Enemy;
        m_Setup.m_nLand = kLandPlain;
    }

    void TearDown() override
    {
        m_Scenes.Reset();
        ReleaseTestDisplay();
        BattleTest::TearDown();
    }

    // The battle entered from the stage map as the stage leaves for it.
    void Enter()
    {
        m_Scenes.SetPreviousScene(kSceneStage);
        m_Scenes.SetCurrentScene(kSceneBattle);
        m_Scenes.SetKeepFlag(1);
        Frames(1);
        ASSERT_NE(Scene(), nullptr);
    }

    BattleScene* Scene() const { return static_cast<BattleScene*>(m_Scenes.SceneOf(kSceneBattle)); }

    // Frames until the scene is in the state (at most limit frames).
    bool FramesUntil(int state, int limit = 2000)
    {
        for (int i = 0; i < limit && Scene() && Scene()->State() != state; ++i)
        {
            Frames(1);
        }
        return Scene() && Scene()->State() == state;
    }

    void Frames(int n) { m_Keys.Frames(n); }
    void Press(int key, int times = 1) { m_Keys.Press(key, times); }

    // Whether the next frame draws a text (or text box) holding the words.
    bool Shows(const std::string& words)
    {
        m_Drawn.Clear();
        Frames(1);
        const std::vector<std::string>& calls = m_Drawn.Calls();
        return std::any_of(calls.begin(), calls.end(),
                           [&](const std::string& call)
                           { return call.rfind("text", 0) == 0 && call.find(words) != std::string::npos; });
    }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    RecordingDrawTarget m_Drawn;
    BattleSetup m_Setup;
    SceneManager m_Scenes;
    SceneKeys m_Keys{m_Scenes};
};

TEST_F(BattleSceneTest, TheFriendChoosesFromTheMenuSeesTheForecastAndStrikes)
{
    ScriptedDraws sure({});
    Enter();
    // The land names no background of its own: the default one.
    EXPECT_EQ(Scene()->Background(), kDefaultBattleBack);
    EXPECT_EQ(Scene()->Commands(), (std::vector<int32_t>{0, 1, 2, 3}));
    // The friend started the fight with 500 action value: its turn comes at step 5.
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    EXPECT_EQ(Scene()->Exchange().State().m_nElapsed, 5);
    EXPECT_TRUE(Shows("こうげき\nスキル\nクイック\nもちもの"));

    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kBattleAttack);
    EXPECT_TRUE(Shows("HIT"));
    // Cancelled: back at the menu; then the blow.
    Press(kKeyX);
    EXPECT_EQ(Scene()->State(), kBattleCommand);
    Press(kKeyZ);
    Press(kKeyZ);
    EXPECT_EQ(Scene()->State(), kBattleExecute);
    ASSERT_TRUE(FramesUntil(kBattlePopups));
    EXPECT_LT(Scene()->Exchange().Enemy().Value(kParamHp), 100);
    // The damage falls in place over the enemy and then the time runs on.
    ASSERT_TRUE(FramesUntil(kBattleNextStep));
    EXPECT_EQ(Scene()->Exchange().Friend().m_nTurnCount, 1);
    // The units keep their values until the battle ends.
    EXPECT_EQ(m_Enemy.m_Param[kParamHp].m_nValue, 100);
}

TEST_F(BattleSceneTest, TheResultsShowOneLineAPressThenTheOutcomeGoesBackToTheStage)
{
    ScriptedDraws sure({});
    m_Enemy.m_Param[kParamHp].m_nValue = 10;
    LandTable.At(kLandPlain).m_strBack = "bmp\\back\\Back_Grass.bmp";
    // A level the stage map left open stays as it was.
    MenuCursor.PushAt(0, 3);
    Enter();
    EXPECT_EQ(Scene()->Background(), "bmp\\back\\Back_Grass.bmp");
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    Press(kKeyZ, 2);
    ASSERT_TRUE(FramesUntil(kBattleResults));
    const std::vector<std::string> lines = Scene()->Exchange().ResultMessages();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "enemyをたおした！");
    EXPECT_TRUE(Shows("enemyをたおした！"));
    Frames(30);
    EXPECT_EQ(Scene()->ResultLine(), 0); // it waits for the button
    Press(kKeyZ);
    EXPECT_EQ(Scene()->ResultLine(), 1);
    EXPECT_TRUE(Shows(lines[1]));
    EXPECT_EQ(m_Enemy.m_nPlayD, 0); // nothing written back before the last line
    Press(kKeyZ, static_cast<int>(lines.size()) - 1);

    EXPECT_EQ(Scene()->State(), kBattleFadeOut);
    EXPECT_EQ(m_Enemy.m_nPlayD, 1);
    EXPECT_EQ(m_Enemy.m_Param[kParamHp].m_nValue, 0);
    EXPECT_GT(m_Friend.m_nExp, 0);
    Frames(40);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneStage);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneBattle);
    EXPECT_EQ(m_Scenes.KeepFlag(), 0);
    EXPECT_EQ(MenuCursor.Count(), 2);
    EXPECT_EQ(MenuCursor.Current().m_nRow, 3);
}

TEST_F(BattleSceneTest, AQuickCommandIsRefusedOnceUsedAndAQuickSkillGivesAnotherAction)
{
    ScriptedDraws sure({});
    m_Friend.m_Skill.assign(1, SkillEntry());
    m_Friend.m_Skill.At(0).m_nSkill = kQuickSupport;
    Enter();
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    const std::vector<int>& sounds = m_Sounds;
    // クイック, the quick support skill, its forecast confirmed.
    Press(platform::kVkDown, 2);
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kBattleQuick);
    // The forecast cancelled goes back to the command menu; then the skill
    // is chosen again and confirmed.
    Press(kKeyZ);
    EXPECT_TRUE(Shows("HIT"));
    Press(kKeyX);
    EXPECT_EQ(Scene()->State(), kBattleCommand);
    EXPECT_FALSE(Shows("HIT"));
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kBattleQuick);
    Press(kKeyZ, 2);
    ASSERT_EQ(Scene()->State(), kBattleExecute);
    // The same side acts again at once, without a step of time.
    const int32_t elapsed = Scene()->Exchange().State().m_nElapsed;
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    EXPECT_EQ(Scene()->Exchange().State().m_nElapsed, elapsed);
    EXPECT_EQ(Scene()->Exchange().Friend().Value(kParamAttack), 35);
    // The menu opens again on its first row; クイック is refused now.
    const auto refusals = std::count(sounds.begin(), sounds.end(), kSeRefusal);
    Press(platform::kVkDown, 2);
    Press(kKeyZ);
    EXPECT_EQ(Scene()->State(), kBattleCommand);
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), kSeRefusal), refusals + 1);
}

TEST_F(BattleSceneTest, TheExchangeWaitsOnceThenAddsAStepAFrame)
{
    // The friend acts at step 5: the wait, then five frames of one step each.
    Enter();
    ASSERT_TRUE(FramesUntil(kBattleNextStep));
    int frames = 0;
    for (; frames < 200 && Scene()->State() == kBattleNextStep; ++frames)
    {
        Frames(1);
    }
    EXPECT_EQ(Scene()->State(), kBattleCommand);
    EXPECT_EQ(Scene()->Exchange().State().m_nElapsed, 5);
    EXPECT_EQ(frames, kBattleStepFrames + 5);
}

TEST_F(BattleSceneTest, CancellingAListsForecastGoesBackToTheCommandMenu)
{
    m_Friend.m_Skill.assign(1, SkillEntry());
    m_Friend.m_Skill.At(0).m_nSkill = kQuickSupport;
    Progress.Validate();
    Progress.AddItem(3, 1); // a medicine
    Enter();
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    const int levels = MenuCursor.Count();
    const struct Case
    {
        int m_nRow; // of the command menu
        int m_nList;
    } cases[] = {{1, kBattleSkill}, {2, kBattleQuick}, {3, kBattleItem}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nRow);
        while (MenuCursor.Current().m_nRow != c.m_nRow)
        {
            Press(platform::kVkDown);
        }
        Press(kKeyZ);
        ASSERT_EQ(Scene()->State(), c.m_nList);
        Press(kKeyZ);
        ASSERT_TRUE(Shows("HIT"));
        Press(kKeyX);
        EXPECT_EQ(Scene()->State(), kBattleCommand);
        EXPECT_EQ(m_Sounds.back(), kSeCancel);
        EXPECT_EQ(MenuCursor.Count(), levels); // the list's level is closed
        EXPECT_EQ(MenuCursor.Current().m_nRow, c.m_nRow);
        EXPECT_FALSE(Shows("HIT"));
    }
}

TEST_F(BattleSceneTest, OnlyAWeaponAttackFallsBackToTheAttacksSound)
{
    // Neither the skill nor the friend's (missing) weapon has a sound file.
    ScriptedDraws sure({});
    m_Friend.m_Skill.assign(1, SkillEntry());
    m_Friend.m_Skill.At(0).m_nSkill = kQuickSupport;
    SkillTable.At(kQuickSupport).m_strSound.clear();
    Enter();
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    // クイック: the support skill, with no sound.
    Press(platform::kVkDown, 2);
    Press(kKeyZ, 3);
    ASSERT_EQ(Scene()->State(), kBattleExecute);
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    EXPECT_EQ(std::count(m_Sounds.begin(), m_Sounds.end(), kSeAttack), 0);
    // こうげき: the attack's sound.
    Press(kKeyZ, 2);
    ASSERT_EQ(Scene()->State(), kBattleExecute);
    ASSERT_TRUE(FramesUntil(kBattlePopups));
    EXPECT_EQ(std::count(m_Sounds.begin(), m_Sounds.end(), kSeAttack), 1);
}

TEST_F(BattleSceneTest, TheItemListStartsOnTheFirstMedicineAndUsesOneUp)
{
    ScriptedDraws sure({});
    Progress.Validate();
    Progress.AddItem(1, 1); // a weapon
    Progress.AddItem(3, 2); // a medicine
    ItemTable.At(3).m_nValue[kParamHp] = 30;
    ItemTable.At(3).m_nHitRate = 100;
    m_Friend.m_Param[kParamHp].m_nValue = 50;
    Enter();
    ASSERT_TRUE(FramesUntil(kBattleCommand));
    Press(platform::kVkUp); // もちもの, the last row: the menu has no empty row past the commands
    EXPECT_EQ(MenuCursor.Current().m_nRow, 3);
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kBattleItem);
    EXPECT_EQ(MenuCursor.Current().m_nRow, 1);
    // The weapon is refused; the medicine heals.
    Press(platform::kVkUp);
    Press(kKeyZ);
    EXPECT_EQ(Scene()->State(), kBattleItem);
    EXPECT_EQ(m_Sounds.back(), kSeRefusal);
    Press(platform::kVkDown);
    Press(kKeyZ, 2);
    ASSERT_EQ(Scene()->State(), kBattleExecute);
    ASSERT_TRUE(FramesUntil(kBattlePopups));
    EXPECT_GT(Scene()->Exchange().Friend().Value(kParamHp), 50);
    EXPECT_EQ(Progress.GetItemCount(3), 1);
}

} // namespace
