// The stage map scene run frame by frame with keys: its start, the
// preparation menu and the deployment, the conditions, the player phase and
// the turns. What the scene draws is written down by a recording target.

#include "StageTest.h"
#include "game/data/TargetsAndPrices.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/MapSkillRules.h"
#include "game/scenes/battle/BattleScene.h"
#include "game/scenes/stage/StageMenus.h"
#include "platform/window/WindowMessages.h"

#include <algorithm>
#include <iterator>

namespace
{

using platform::kVkDown;
using platform::kVkLeft;
using platform::kVkRight;
using platform::kVkUp;
constexpr int kKeyZ = 'Z';
constexpr int kKeyX = 'X';

// The start group of the fixture's stage, its anchor first.
const MapPoint kArea[] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}};

class StageSceneTest : public StageTest
{
protected:
    void SetUp() override
    {
        StageTest::SetUp();
        ClassTable.At(1).m_nGraphic = 1;
        AddGroup(std::vector<MapPoint>(std::begin(kArea), std::end(kArea)));
        AddGroup({{8, 6}, {8, 7}});
        PartyUnits.At(1) = Member(3);
    }

    static void Place(int32_t enemy, int32_t x, int32_t y, int32_t group = 0)
    {
        Stage.m_Enemy.push_back(Placement(enemy, x, y, group));
    }

    // The stage entered from the world map, faded in, on its preparation menu.
    void Enter()
    {
        m_Scenes.SetPreviousScene(kSceneWorldMap);
        m_Scenes.SetCurrentScene(kSceneStage);
        Frames(12);
        ASSERT_NE(Scene(), nullptr);
        ASSERT_EQ(Scene()->State(), kStagePreparation);
    }

    // The texts of a frame drawn ("text F (x,y) TEXT" and text boxes).
    std::vector<std::string> TextsOfAFrame()
    {
        m_Drawn.Clear();
        Frames(1);
        std::vector<std::string> texts;
        for (const std::string& call : m_Drawn.Calls())
        {
            if (call.rfind("text", 0) == 0)
            {
                texts.push_back(call);
            }
        }
        return texts;
    }
    bool Shows(const std::string& text)
    {
        const std::vector<std::string> texts = TextsOfAFrame();
        return std::any_of(texts.begin(), texts.end(),
                           [&](const std::string& call) { return call.find(text) != std::string::npos; });
    }
    // From the preparation menu or the map menu, open on the row it remembers: that entry.
    void Choose(int entry)
    {
        const std::vector<int>& menu =
            Scene()->State() == kStageMapMenu ? Scene()->MapMenu() : Scene()->PreparationMenu();
        const int rows = static_cast<int>(menu.size());
        const int row = static_cast<int>(std::find(menu.begin(), menu.end(), entry) - menu.begin());
        ASSERT_LT(row, rows);
        Press(kVkDown, (row - MenuCursor.Current().m_nRow + rows) % rows);
        Press(kKeyZ);
    }
    // From the preparation menu, with the party grid still on its first slot: the
    // party slot onto the cursor's cell, back to the menu.
    void DeployOnCursor(int slot)
    {
        Choose(0);
        Press(kVkRight, slot);
        Press(kKeyZ);
        Press(kKeyZ);
        Press(kKeyX);
        Press(kKeyX);
        ASSERT_EQ(Scene()->State(), kStagePreparation);
    }
    static bool At(const CharacterRecord& unit, int32_t x, int32_t y)
    {
        return unit.m_nPlayB && unit.m_nPlayE == x && unit.m_nPlayF == y;
    }
    std::size_t Refusals() const
    {
        return static_cast<std::size_t>(std::count(m_Sounds.begin(), m_Sounds.end(), kSeRefusal));
    }

};

TEST_F(StageSceneTest, TheStartPlacesTheEnemiesInsideTheMapOfShownGroupsAndPutsTheCursorOnTheAnchor)
{
    Place(1, 5, 5);
    Place(1, 20, 3); // outside the map
    Place(1, -1, -1);
    Place(1, 6, 6, 1); // a group not shown yet
    Place(0, 4, 4);    // no enemy
    Place(1, 7, 2);
    Stage.m_strBgm = "bgm\\Boss.mid";
    UnitRecord& second = PartyUnits.At(1);
    second.m_nPlayB = second.m_nPlayC = second.m_nPlayD = 1; // left over from an earlier stage
    Enter();

    const CheckedVector<EnemyUnitRecord*>& enemies = Scene()->Enemies();
    ASSERT_EQ(enemies.Count(), 5);
    std::vector<int32_t> onMap;
    for (const EnemyUnitRecord* enemy : enemies)
    {
        onMap.push_back(enemy->m_nPlayB);
    }
    EXPECT_EQ(onMap, (std::vector<int32_t>{1, 0, 0, 0, 1}));
    const StageField& field = *Scene()->Field();
    EXPECT_EQ(field.UnitAt(5, 5), enemies.At(0));
    EXPECT_EQ(field.UnitAt(7, 2), enemies.At(4));
    EXPECT_EQ(field.UnitAt(6, 6), nullptr);
    EXPECT_EQ(std::count(field.Units().begin(), field.Units().end(), nullptr),
              static_cast<std::ptrdiff_t>(field.CellCount() - 2));

    EXPECT_EQ(Scene()->DeploymentArea().Count(), 4);
    EXPECT_EQ(Scene()->CursorX(), 1);
    EXPECT_EQ(Scene()->CursorY(), 1);
    EXPECT_EQ(Scene()->ViewX(), 1 - kViewCursorColumn);
    EXPECT_EQ(Scene()->Leader(), &PartyUnits.At(0));
    EXPECT_EQ(second.m_nPlayB + second.m_nPlayC + second.m_nPlayD, 0);
    EXPECT_EQ(Progress.m_strMusic[0], "bgm\\Boss.mid"); // the stage's own tune
    EXPECT_EQ(Scene()->Turn(), 1);
    EXPECT_TRUE(Scene()->IsPlayerPhase());
}

TEST_F(StageSceneTest, ThePreparationMenuOffersItsEnabledEntriesAndDeploymentAloneWhenNoneIs)
{
    struct Case
    {
        std::vector<int32_t> m_Enabled;
        std::vector<const char*> m_Shown;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0}, {"はいち"}},
        {{1, 0, 0, 1, 0, 1}, {"はいち", "マップをみる", "こうりゃくかいし"}},
        {{1, 1, 1, 1, 1, 1},
         {"はいち", "いちこうかん", "とりけす", "マップをみる", "じょうけんをみる", "こうりゃくかいし"}},
    };
    for (const Case& c : cases)
    {
        for (std::size_t i = 0; i < c.m_Enabled.size(); ++i)
        {
            System.m_PlacementMenu.At(static_cast<int>(i)).m_bEnabled = c.m_Enabled[i];
        }
        m_Scenes.Reset();
        Enter();
        std::vector<std::string> expected;
        for (std::size_t row = 0; row < c.m_Shown.size(); ++row)
        {
            expected.push_back("text 0 (" + std::to_string(kPrepMenuX + 16) + "," +
                               std::to_string(kPrepMenuY + 16 * static_cast<int>(row)) + ") " + c.m_Shown[row]);
        }
        EXPECT_EQ(TextsOfAFrame(), expected);
    }
    // The last case's fourth entry looks at the map.
    Choose(kPrepLookAtMap);
    EXPECT_EQ(Scene()->State(), kStageLookAtMap);
}

TEST_F(StageSceneTest, TheMapCursorStaysOnTheMapMovesThreeCellsWithTheThirdButtonAndTheFourthShowsTheLand)
{
    LandTable.At(kLandPlain).m_strName = "へいち";
    Enter();
    Choose(kPrepLookAtMap);
    Press(kVkLeft, 3);
    EXPECT_EQ(Scene()->CursorX(), 0);
    m_Keys.Hold('C');
    Press(kVkRight, 4);
    m_Keys.Release('C');
    EXPECT_EQ(Scene()->CursorX(), 9); // 12 held back by the map's edge
    EXPECT_EQ(Scene()->ViewX(), 0);

    EXPECT_FALSE(Shows("へいち"));
    Press('V');
    EXPECT_TRUE(Progress.LandInfoShown());
    EXPECT_TRUE(Shows("へいち   いどうりょく-1"));
    Press('V');
    EXPECT_FALSE(Shows("へいち"));
}

TEST_F(StageSceneTest, TheAttackStartsOnlyWithTheLeaderOnTheMap)
{
    Enter();
    Choose(kPrepBegin);
    EXPECT_EQ(Scene()->State(), kStageBegin);
    EXPECT_EQ(Refusals(), 1u);
    for (int frame = 0; frame < 3; ++frame)
    {
        EXPECT_TRUE(Shows(kLeaderMissingText)) << frame;
    }
    Press(kKeyZ);
    EXPECT_EQ(Scene()->State(), kStagePreparation);
    EXPECT_FALSE(Shows(kLeaderMissingText));

    // The second member alone is not enough.
    DeployOnCursor(1);
    ASSERT_TRUE(At(PartyUnits.At(1), 1, 1));
    Choose(kPrepBegin);
    EXPECT_EQ(Scene()->State(), kStageBegin);
    EXPECT_TRUE(Shows(kLeaderMissingText));
    Press(kKeyZ);

    // With the leader beside it the attack starts, the deployed units in party order.
    Choose(kPrepDeploy);
    Press(kVkLeft); // the grid remembers the second member's slot
    Press(kKeyZ);
    Press(kVkRight);
    Press(kKeyZ);
    Press(kKeyX);
    Press(kKeyX);
    ASSERT_TRUE(At(PartyUnits.At(0), 2, 1));
    Choose(kPrepBegin);
    EXPECT_EQ(Scene()->State(), kStagePlayerMap);
    EXPECT_EQ(Scene()->Players(), (std::vector<UnitRecord*>{&PartyUnits.At(0), &PartyUnits.At(1)}));
}

TEST_F(StageSceneTest, DeploymentSwapsAndUndoingWorkOnTheStartGroupsPointsOnly)
{
    Place(1, 1, 2); // an enemy on a point of the area
    Enter();
    UnitRecord& leader = PartyUnits.At(0);
    UnitRecord& second = PartyUnits.At(1);

    // はいち: the leader on the anchor, then one to the right (it leaves the anchor).
    Choose(kPrepDeploy);
    Press(kKeyZ);
    Press(kKeyZ);
    Press(kVkRight);
    Press(kKeyZ);
    EXPECT_TRUE(At(leader, 2, 1));
    EXPECT_EQ(Scene()->Field()->UnitAt(1, 1), nullptr);
    // The second member onto the same point takes the leader off the map.
    Press(kKeyX);
    Press(kVkRight);
    Press(kKeyZ);
    Press(kKeyZ);
    EXPECT_TRUE(At(second, 2, 1));
    EXPECT_EQ(leader.m_nPlayB, 0);
    // A cell outside the area and the enemy's point are refused.
    const std::size_t refusals = Refusals();
    Press(kVkRight);
    Press(kKeyZ);
    Press(kVkLeft, 2);
    Press(kVkDown);
    Press(kKeyZ);
    EXPECT_EQ(Refusals(), refusals + 2);
    EXPECT_TRUE(At(second, 2, 1));
    // The leader back onto the anchor.
    Press(kKeyX);
    Press(kVkLeft);
    Press(kKeyZ);
    Press(kVkUp);
    Press(kKeyZ);
    EXPECT_TRUE(At(leader, 1, 1));
    Press(kKeyX);
    Press(kKeyX);

    // いちこうかん: (1, 1) with (2, 1), then the leader with the empty point (2, 2).
    Choose(kPrepSwap);
    Press(kKeyZ);
    Press(kVkRight);
    Press(kKeyZ);
    EXPECT_TRUE(At(leader, 2, 1));
    EXPECT_TRUE(At(second, 1, 1));
    Press(kVkDown);
    Press(kKeyZ);
    Press(kVkUp);
    Press(kKeyZ);
    EXPECT_TRUE(At(leader, 2, 2));
    EXPECT_EQ(Scene()->Field()->UnitAt(2, 1), nullptr);
    Press(kVkLeft); // the enemy's point cannot be swapped
    Press(kVkDown);
    EXPECT_EQ(Scene()->CursorY(), 2);
    Press(kKeyZ);
    EXPECT_EQ(Refusals(), refusals + 3);
    Press(kKeyX);
    EXPECT_EQ(Scene()->State(), kStagePreparation);

    // とりけす: the second member off the map; the enemy and an empty cell are refused.
    Choose(kPrepUndeploy);
    Press(kKeyZ); // the enemy at (1, 2)
    Press(kVkUp);
    Press(kKeyZ);
    EXPECT_EQ(second.m_nPlayB, 0);
    EXPECT_EQ(Scene()->Field()->UnitAt(1, 1), nullptr);
    Press(kKeyZ); // now empty
    EXPECT_EQ(Refusals(), refusals + 5);
    Press(kKeyX);
    EXPECT_EQ(Scene()->State(), kStagePreparation);
    EXPECT_EQ(MenuCursor.Count(), 2); // the menu's level over the base
}

TEST_F(StageSceneTest, TheConditionsListThePagesAndShowAPagesTargetOnTheMap)
{
    ExplanationPage win;
    win.m_strText = "てきを すべて たおせ";
    Stage.m_WinPage.push_back(win);
    ExplanationPage lose;
    lose.m_strText = "リーダーが たおれたら まけ\nつぎのぎょう";
    Stage.m_LosePage.push_back(lose);
    ExplanationPage other;
    other.m_strText = "たからばこ";
    other.m_nCursorMode = 4;
    other.m_nX = 8;
    other.m_nY = 6;
    other.m_nShownGroup = 1;
    Stage.m_OtherPage.push_back(other);
    Enter();
    Choose(kPrepConditions);
    ASSERT_EQ(Scene()->State(), kStageConditions);
    const std::vector<std::string> texts = TextsOfAFrame();
    const int top = kConditionsY + 8;
    auto line = [top](int x, int row, const char* text)
    { return "text 0 (" + std::to_string(x) + "," + std::to_string(top + 16 * row) + ") " + text; };
    EXPECT_EQ(texts, (std::vector<std::string>{
                         line(88, 0, "げんざい　1ターンめ"), line(88, 2, "＜しょうりじょうけん＞"),
                         line(104, 3, "てきを すべて たおせ"), line(88, 7, "＜はいぼくじょうけん＞"),
                         line(104, 8, "リーダーが たおれたら まけ"), line(88, 12, "＜そのた＞"),
                         line(104, 13, "たからばこ"), line(88, 18, "※Ｚキーでターゲットやもくてきちをひょうじ")}));

    // The first title points at nothing on the map.
    const std::size_t refusals = Refusals();
    Press(kKeyZ);
    EXPECT_EQ(Refusals(), refusals + 1);
    // Up wraps round to the last title, whose cell the cursor goes to, with its group shown.
    Press(kVkUp);
    Press(kKeyZ);
    EXPECT_EQ(Scene()->SubState(), 2);
    EXPECT_EQ(Scene()->CursorX(), 8);
    EXPECT_EQ(Scene()->CursorY(), 6);
    m_Drawn.Clear();
    Frames(1);
    const int32_t column = 8 - Scene()->ViewX();
    const int32_t row = 6 - Scene()->ViewY();
    const std::string groupCell =
        "blit 6 (" + std::to_string(column * 32) + "," + std::to_string(row * 32) + ") 32x32 from (0,64)";
    EXPECT_NE(std::find(m_Drawn.Calls().begin(), m_Drawn.Calls().end(), groupCell), m_Drawn.Calls().end());
    Press(kKeyX);
    Press(kKeyX);
    EXPECT_EQ(Scene()->State(), kStagePreparation);
}

TEST_F(StageSceneTest, AMovedUnitFightsOnlyBesideAnEnemyAndTheFightGoesToTheBattle)
{
    Place(1, 3, 2);
    Enter();
    DeployOnCursor(0);
    Choose(kPrepBegin);
    ASSERT_EQ(Scene()->State(), kStagePlayerMap);
    UnitRecord& leader = PartyUnits.At(0);

    // To (2, 1): the enemy at (3, 2) is diagonal, so no fight.
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kStageMove);
    Press(kVkRight);
    Press(kKeyZ);
    EXPECT_TRUE(At(leader, 2, 1));
    EXPECT_EQ(Scene()->UnitCommands(), (std::vector<int>{kCommandWait, kCommandSkill, kCommandItem}));
    // Cancelled: back on its start cell, the cursor with it.
    Press(kKeyX);
    EXPECT_TRUE(At(leader, 1, 1));
    EXPECT_EQ(Scene()->CursorX(), 1);
    EXPECT_EQ(Scene()->SubState(), 0);
    // To (2, 2), beside the enemy: fight is offered first.
    Press(kVkRight);
    Press(kVkDown);
    Press(kKeyZ);
    EXPECT_EQ(Scene()->UnitCommands(), (std::vector<int>{kCommandFight, kCommandWait, kCommandSkill, kCommandItem}));
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kStageFight);
    EXPECT_EQ(Scene()->CursorX(), 3); // on the enemy already
    EXPECT_EQ(Scene()->CursorY(), 2);
    Press(kKeyZ);
    const StageBattle& battle = Scene()->Battle();
    EXPECT_EQ(battle.m_pPlayer, &leader);
    EXPECT_EQ(battle.m_pEnemy, Scene()->Enemies().At(0));
    EXPECT_EQ(battle.m_nLand, kLandPlain);
    EXPECT_EQ(Scene()->State(), kStageFadeOut);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneBattle);
    // The fade-out keeps the stage for its return.
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneBattle);
    EXPECT_EQ(m_Scenes.KeepFlag(), 1);
    ASSERT_NE(Scene(), nullptr);
    EXPECT_EQ(Scene()->State(), kStageFadeIn);
}

TEST_F(StageSceneTest, AFallenFriendLeavesThePartyOnTheReturnFromTheBattleUnlessTheSystemRevives)
{
    m_Scenes.SetSceneMaker(kSceneBattle,
                           [this](SceneManager& owner) { return std::make_unique<BattleScene>(owner, &m_Drawn); });
    m_Folder.WriteFile(std::filesystem::path(u8"bmp/back/デフォルト.bmp"), FixtureBitmap(64, 48, FixtureSheetPixel));
    Place(1, 2, 1);
    for (const int32_t revive : {0, 1})
    {
        SCOPED_TRACE(revive);
        ScriptedDraws sure({});
        System.m_bReviveAfterClear = revive;
        Progress.m_FallenList.clear();
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        const std::string name = PartyUnits.At(0).m_strName;
        m_Scenes.Reset();
        Enter();
        DeployOnCursor(0);
        Choose(kPrepBegin);
        // The leader stays on its cell beside the enemy and fights it.
        Press(kKeyZ, 4);
        ASSERT_EQ(Scene()->State(), kStageFadeOut);
        // A leader that cannot hurt the enemy and falls to its first blow.
        UnitRecord& leader = PartyUnits.At(0);
        leader.m_Param[kParamHp].m_nBase = 10;
        leader.m_Param[kParamHp].m_nValue = 1;
        leader.m_Param[kParamAttack].m_nValue = 0;
        leader.m_Param[kParamDefence].m_nValue = 0;
        EnemyUnitRecord& enemy = *Scene()->Enemies().At(0);
        enemy.m_Param[kParamHp].m_nBase = enemy.m_Param[kParamHp].m_nValue = 100;
        enemy.m_Param[kParamDefence].m_nValue = 100;
        enemy.m_Param[kParamAttack].m_nValue = 50;
        enemy.m_Param[kParamSkill].m_nValue = 100;
        // Both as quick as each other.
        leader.m_Param[kParamSpeed].m_nValue = 10;
        enemy.m_Param[kParamSpeed].m_nValue = 10;
        for (int frame = 0; frame < 100 && m_Scenes.CurrentScene() != kSceneBattle; ++frame)
        {
            Frames(1);
        }
        for (int frame = 0; frame < 5000 && m_Scenes.CurrentScene() != kSceneStage; ++frame)
        {
            Press(kKeyZ);
        }
        ASSERT_EQ(m_Scenes.CurrentScene(), kSceneStage);
        Frames(20);
        ASSERT_NE(Scene(), nullptr);
        EXPECT_EQ(Scene()->State(), kStagePlayerMap);
        EXPECT_EQ(Scene()->Field()->UnitAt(1, 1), nullptr);
        EXPECT_EQ(Scene()->Field()->UnitAt(2, 1), &enemy);
        if (revive)
        {
            // It stays in its slot, down, for the revival after the stage.
            EXPECT_TRUE(leader.IsPartyMember());
            EXPECT_EQ(leader.m_nPlayD, 1);
            EXPECT_TRUE(Progress.m_FallenList.empty());
        }
        else
        {
            EXPECT_FALSE(leader.IsPartyMember());
            ASSERT_EQ(Progress.m_FallenList.size(), 1u);
            EXPECT_EQ(Progress.m_FallenList.At(0).m_strName, name);
        }
    }
}

TEST_F(StageSceneTest, WaitingEndsTheActionAndTheTurnEndGivesTheNextTurn)
{
    Place(1, 7, 6);
    Enter();
    DeployOnCursor(0);
    Choose(kPrepBegin);
    UnitRecord& leader = PartyUnits.At(0);
    Press(kKeyZ);
    Press(kKeyZ); // stays on its cell
    Press(kKeyZ); // たいき
    EXPECT_EQ(Scene()->State(), kStagePlayerMap);
    EXPECT_EQ(leader.m_nPlayC, 1);
    const std::size_t refusals = Refusals();
    Press(kKeyZ); // it cannot act again
    EXPECT_EQ(Refusals(), refusals + 1);

    // An empty cell opens the map menu; ターンエンド is its last entry, confirmed on the first line.
    Press(kVkRight);
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kStageMapMenu);
    Choose(kMapTurnEnd);
    ASSERT_EQ(Scene()->State(), kStageTurnEnd);
    Press(kKeyZ); // the cursor starts on "やっぱりやめる"
    EXPECT_EQ(Scene()->State(), kStageMapMenu);
    Choose(kMapTurnEnd);
    Press(kVkUp);
    Press(kKeyZ);
    Frames(60); // the enemy, with no way to act, shows its steps and waits
    EXPECT_EQ(Scene()->State(), kStagePlayerMap);
    EXPECT_EQ(Scene()->Turn(), 2);
    EXPECT_TRUE(Scene()->IsPlayerPhase());
    EXPECT_EQ(leader.m_nPlayC, 0);
    EXPECT_EQ(Scene()->CursorX(), 1); // on the leader
}

TEST_F(StageSceneTest, ASkillHealsANeighbourThatNeedsItAndEndsTheAction)
{
    // Skill 1 a heal for 3 SP, magic + 10 HP, sure to hit; skill 2 no recovery.
    SetUpHeal();
    UnitRecord& leader = PartyUnits.At(0);
    UnitRecord& second = PartyUnits.At(1);
    leader.m_Skill.assign(2, SkillEntry());
    leader.m_Skill.At(0).m_nSkill = 2;
    leader.m_Skill.At(1).m_nSkill = 1;
    leader.m_Param[kParamMagic].m_nValue = 10;
    leader.m_Param[kParamSp].m_nBase = leader.m_Param[kParamSp].m_nValue = 10;
    second.m_Param[kParamHp].m_nBase = 100;
    second.m_Param[kParamHp].m_nValue = 50;
    Enter();
    DeployOnCursor(0);
    Choose(kPrepDeploy);
    Press(kVkRight);
    Press(kKeyZ);
    Press(kVkRight);
    Press(kKeyZ);
    Press(kKeyX);
    Press(kKeyX);
    Choose(kPrepBegin);
    ASSERT_TRUE(At(second, 2, 1));

    Press(kVkLeft); // from the second member to the leader
    Press(kKeyZ);
    Press(kKeyZ); // the leader stays on its cell
    ASSERT_EQ(Scene()->UnitCommands(), (std::vector<int>{kCommandWait, kCommandSkill, kCommandItem}));
    Press(kVkDown);
    Press(kKeyZ);
    ASSERT_EQ(Scene()->State(), kStageSkill);
    EXPECT_EQ(MenuCursor.Current().m_nRow, 1); // on the first skill it can use
    Press(kKeyZ);
    EXPECT_EQ(Scene()->SubState(), 2);
    const std::size_t refusals = Refusals();
    Press(kKeyZ); // the leader itself is whole
    Press(kVkRight, 2);
    Press(kKeyZ); // outside the reach
    EXPECT_EQ(Refusals(), refusals + 2);
    Press(kVkLeft);
    {
        ScriptedDraws draws({0, 99});
        Press(kKeyZ);
    }
    EXPECT_EQ(second.m_Param[kParamHp].m_nValue, 70);
    EXPECT_EQ(leader.m_Param[kParamSp].m_nValue, 7);
    EXPECT_EQ(m_Sounds.back(), kSeHeal);
    EXPECT_EQ(Scene()->State(), kStagePlayerMap);
    EXPECT_EQ(leader.m_nPlayC, 1);
    EXPECT_EQ(MenuCursor.Count(), 1); // every level opened on the way is closed again
}

} // namespace
