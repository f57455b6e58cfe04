#include "game/scenes/worldmap/WorldMapScene.h"

#include "../SceneTest.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameMusic.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/MenuBox.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/worldmap/WorldMapDrawing.h"
#include "game/scenes/worldmap/WorldMapRules.h"

#include <algorithm>
#include <functional>

namespace
{

// World-map chips of the fixture: '.' grass (chip 5, passable), '#' rock (chip 0, blocked).
constexpr int32_t kGrass = 5;
constexpr int32_t kRock = 0;
constexpr int kBackColour = 113;
constexpr int kBackPictureColour = 77;

// The event sheet is drawn a little apart from the other sheets, so that an
// event never looks like the chip under it.
int EventSheetPixel(int x, int y)
{
    return FixtureSheetPixel(x, y + 4);
}

WorldMapEventPage Page(int32_t kind, int32_t stageNumber, const char* file = "")
{
    WorldMapEventPage page;
    page.m_nKind = kind;
    page.m_nStageNumber = stageNumber;
    page.m_strStageFile = file;
    return page;
}

class WorldMapSceneTest : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        // Sheets as large as the world map reads them: the walker below the
        // accessories, ten chips, two event graphics, and a plain picture.
        m_Folder.WriteFile("bmp/Accessory.bmp", FixtureBitmap(128, 192, FixtureSheetPixel));
        m_Folder.WriteFile("bmp/WorldMapChip.bmp", FixtureBitmap(160, 64, FixtureSheetPixel));
        m_Folder.WriteFile("bmp/WorldEvent.bmp", FixtureBitmap(64, 64, EventSheetPixel));
        m_Folder.WriteFile("bmp/WorldBack.bmp", FixtureBitmap(64, 48, [](int, int) { return kBackPictureColour; }));
        CurrentWorldPage = WorldMapEventPage();

        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        Progress.Validate();
        DrawWorld({"......", "......", "......"});
        SaveStage("data/stg/Plain.stg_276", "へいげん");
    }
    // The world map of the rows, with no event, the walker's position at (1, 1).
    static void DrawWorld(const std::vector<std::string>& rows)
    {
        WorldMap.SetDefaults();
        WorldMap.m_nBackColor = kBackColour;
        WorldMap.m_strBackImage = "bmp\\WorldBack.bmp";
        WorldMap.Resize(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
        for (int32_t y = 0; y < WorldMap.m_nHeight; ++y)
        {
            for (int32_t x = 0; x < WorldMap.m_nWidth; ++x)
            {
                WorldMap.CellAt(x, y) =
                    rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#' ? kRock : kGrass;
            }
        }
        WorldMap.m_nStartX = 0;
        WorldMap.m_nStartY = 0;
        Progress.m_nMapX = 1;
        Progress.m_nMapY = 1;
    }
    static WorldMapEvent& PlaceEvent(int32_t x, int32_t y, std::vector<WorldMapEventPage> pages)
    {
        WorldMapEvent event;
        event.Init();
        event.m_strName = "ばしょ";
        event.m_nX = x;
        event.m_nY = y;
        event.m_Page.assign(pages.begin(), pages.end());
        WorldMap.m_Event.push_back(event);
        return WorldMap.m_Event.At(WorldMap.m_Event.Count() - 1);
    }
    static void SaveStage(const char* path, const char* name)
    {
        StageRecord stage;
        stage.m_strName = name;
        std::string stored = path;
        std::replace(stored.begin(), stored.end(), '/', '\\');
        std::filesystem::create_directories("data/stg");
        ASSERT_EQ(SaveRecordFile(stage, stored), 1);
    }

    WorldMapScene* World() const { return dynamic_cast<WorldMapScene*>(m_Scenes.SceneOf(kSceneWorldMap)); }
    int WorldState() const { return StateOf(kSceneWorldMap); }
    // From the camp onto the world map, faded in and walking.
    void Enter()
    {
        m_Scenes.SetPreviousScene(kSceneCamp);
        m_Scenes.SetNextScene(kSceneWorldMap);
        m_Scenes.SetCurrentScene(kSceneWorldMap);
        Frames(12);
        ASSERT_EQ(WorldState(), WorldMapScene::kStateWalk);
        m_Sounds.clear();
    }
    // Out again by button 2, until the camp is the current scene and the world map is gone.
    void LeaveForTheCamp()
    {
        Press('X');
        Frames(12);
        ASSERT_EQ(m_Scenes.CurrentScene(), kSceneCamp);
        Frames(1);
        ASSERT_EQ(World(), nullptr);
    }
    std::pair<int32_t, int32_t> Walker() const { return {World()->WalkerX(), World()->WalkerY()}; }
    // The palette entry shown at a pixel of the frame presented last.
    uint32_t Shown(const platform::Frame& frame, int x, int y) const { return frame.Rgb(x, y); }
    static uint32_t Entry(int index) { return FixtureTable()[static_cast<std::size_t>(index)] & 0xFFFFFF; }
};

TEST_F(WorldMapSceneTest, AStagePageLetsThePartyInAsItsClearedAndFlagsSay)
{
    struct Case
    {
        const char* m_pName;
        int32_t m_nStage;
        bool m_bCleared;
        int32_t m_bNoAutomaticEntry;
        int32_t m_bReplay;
        bool m_bOpensByItself;
        bool m_bOpensByButton;
    };
    const Case cases[] = {
        {"an uncleared stage opens by itself", 4, false, 0, 0, true, true},
        {"without automatic entry it waits for button 1", 4, false, 1, 0, false, true},
        {"a cleared stage without replay stays shut", 4, true, 0, 0, false, false},
        {"a cleared stage with replay opens by button 1 only", 4, true, 0, 1, false, true},
        {"stage number 0 has a cleared flag of its own", 0, false, 0, 0, true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        WorldMap.m_Event.clear();
        WorldMapEventPage page = Page(kWorldPageStage, c.m_nStage, "Plain.stg");
        page.m_bPassWithoutClear = c.m_bNoAutomaticEntry;
        page.m_bReplayAfterClear = c.m_bReplay;
        PlaceEvent(2, 1, {page});
        Progress.m_ClearedFlags.clear();
        Progress.SetClearedFlag(4, c.m_bCleared ? 1 : 0);
        Progress.m_nMapX = 1;
        Enter();

        Press(platform::kVkRight);
        EXPECT_EQ(Walker(), std::make_pair(2, 1)); // a stage is no wall, whatever its state
        if (c.m_bOpensByItself)
        {
            EXPECT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
            EXPECT_TRUE(m_Sounds.empty());
            Press('X');
            EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeCancel}});
            EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
            EXPECT_EQ(Walker(), std::make_pair(1, 1)); // stepped back where it came from
            continue;
        }
        EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
        Press('Z');
        if (!c.m_bOpensByButton)
        {
            EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
            EXPECT_TRUE(m_Sounds.empty());
            continue;
        }
        EXPECT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
        EXPECT_TRUE(m_Sounds.empty()); // the dialog's own choice sounds, opening it none
        Press('X');
        EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
        EXPECT_EQ(Walker(), std::make_pair(2, 1)); // opened by the button: the walker stays
        EXPECT_EQ(m_Scenes.CurrentScene(), kSceneWorldMap);
    }
}

TEST_F(WorldMapSceneTest, AWalkerThatStartsOnAnUnclearedStageOpensItByButtonAndCanWalkOff)
{
    PlaceEvent(1, 1, {Page(kWorldPageStage, 4, "Plain.stg")});
    Enter();
    Frames(30);
    EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
    Press('Z');
    ASSERT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
    Press('X');
    EXPECT_EQ(Walker(), std::make_pair(1, 1));
    Press(platform::kVkDown);
    EXPECT_EQ(Walker(), std::make_pair(1, 2));
    EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
}

TEST_F(WorldMapSceneTest, TheDialogReadsTheNewestStageFileAndEnteringHandsThePageToTheStageMap)
{
    SaveStage("data/stg/Plain.stg_100", "ふるいへいげん");
    WorldMapEventPage page = Page(kWorldPageStage, 7, "Plain.stg");
    page.m_nAfterClear = 2;
    page.m_nGraphic = 1;
    PlaceEvent(2, 1, {page});
    Stage.m_strName = "まえ";
    Enter();

    Press(platform::kVkRight);
    ASSERT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
    EXPECT_EQ(Stage.m_strName, "へいげん"); // read as the dialog opens, from the newest copy
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    EXPECT_EQ(MenuCursor.Current().m_nRow, kStageDialogEnter);

    Press('Z');
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeChoice}});
    EXPECT_EQ(WorldState(), WorldMapScene::kStateFadeOut);
    EXPECT_EQ(Progress.m_nCurrentStage, 7);
    EXPECT_EQ(CurrentWorldPage.m_nAfterClear, 2);
    EXPECT_EQ(CurrentWorldPage.m_nGraphic, 1);
    EXPECT_EQ(Progress.m_nMapX, 2); // the walker comes back onto the stage after it
    EXPECT_EQ(Progress.m_nMapY, 1);
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneStage);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneWorldMap);
    EXPECT_EQ(MenuCursor.Count(), 1);
    Frames(1);
    EXPECT_EQ(World(), nullptr);
    for (int id : kWorldMapSurfaces)
    {
        // Released with the world map; the windows and the accessories the stage map has loaded again.
        const bool stages =
            std::find(std::begin(kStageSurfaces), std::end(kStageSurfaces), id) != std::end(kStageSurfaces);
        EXPECT_EQ(Surfaces[id].Get() != nullptr, stages) << id;
    }
}

TEST_F(WorldMapSceneTest, WithoutALeaderTheStageIsRefusedAndTheMessageStaysUntilButton1)
{
    PartyUnits.At(0).m_nPlayA = 0;
    PlaceEvent(2, 1, {Page(kWorldPageStage, 4, "Plain.stg")});
    Enter();
    Press(platform::kVkRight);
    ASSERT_EQ(WorldState(), WorldMapScene::kStateStageDialog);

    // The message's box, centred as the text output centres boxes.
    const char* message = "リーダーがいません！";
    const int x = CentredBoxX(TextBoxWidth(message, 0)) + 4;
    const int y = CentredBoxY(TextBoxHeight(message)) + 4;
    const auto middle = [&]
    {
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        return frame ? Shown(*frame, x, y) : 0u;
    };
    const uint32_t map = middle();
    Press('Z');
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeRefusal}}); // the refusal alone
    EXPECT_EQ(World()->SubState(), WorldMapScene::kDialogNoLeader);
    Frames(60);
    EXPECT_EQ(World()->SubState(), WorldMapScene::kDialogNoLeader);
    EXPECT_NE(middle(), map);
    Press('X');
    EXPECT_EQ(World()->SubState(), WorldMapScene::kDialogNoLeader); // only button 1 closes it
    Press('Z');
    EXPECT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
    EXPECT_EQ(World()->SubState(), WorldMapScene::kDialogChoosing);
    EXPECT_EQ(middle(), map);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneWorldMap);
    EXPECT_EQ(m_Scenes.NextScene(), kSceneWorldMap);
    EXPECT_EQ(Progress.m_nCurrentStage, 0);
}

TEST_F(WorldMapSceneTest, AStageFileThatCannotBeReadIsNamedAndEnteringItStepsBack)
{
    PlaceEvent(2, 1, {Page(kWorldPageStage, 4, "Lost.stg")});
    Stage.m_strName = "まえ";
    Enter();
    Press(platform::kVkRight);
    ASSERT_EQ(WorldState(), WorldMapScene::kStateStageDialog);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "ステージファイル Lost.stg が読み込めません！");
    EXPECT_EQ(Stage.m_strName, "まえ");

    Press('Z'); // "このステージにいどむ" acts as "やっぱりやめる"
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeChoice}});
    EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
    EXPECT_EQ(Walker(), std::make_pair(1, 1));
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneWorldMap);
    EXPECT_EQ(Progress.m_nCurrentStage, 0);
}

TEST_F(WorldMapSceneTest, TheWalkerIsStoppedByWallPagesAndByTheChipsUnderAbsentEvents)
{
    struct Case
    {
        const char* m_pName;
        char m_cChip;
        std::vector<WorldMapEventPage> m_Pages; // none: no event
        bool m_bPasses;
    };
    WorldMapEventPage absent = Page(kWorldPageWall, 0);
    absent.m_nNeedStage = 9;
    WorldMapEventPage unmet = Page(kWorldPageWall, 0);
    unmet.m_nVariable = 3;
    unmet.m_nVariableValue = 6;
    unmet.m_nVariableCompare = 2; // >=
    WorldMapEventPage met = unmet;
    met.m_nVariableValue = 5;
    const Case cases[] = {
        {"grass", '.', {}, true},
        {"rock", '#', {}, false},
        {"an absent event on rock is rock", '#', {absent}, false},
        {"an absent event on grass is grass", '.', {absent}, true},
        {"a page whose variable condition fails is absent", '.', {unmet}, true},
        {"a wall page blocks grass", '.', {Page(kWorldPageWall, 0)}, false},
        {"a wall page whose variable condition holds", '.', {met}, false},
        {"a road page opens rock", '#', {Page(1, 0)}, true},
        {"the first page that is there decides", '#', {absent, Page(1, 0)}, true},
    };
    Progress.SetVariable(3, 5);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        DrawWorld({std::string("..") + c.m_cChip + "."});
        Progress.m_nMapY = 0;
        if (!c.m_Pages.empty())
        {
            PlaceEvent(2, 0, c.m_Pages);
        }
        Enter();
        Press(platform::kVkRight);
        EXPECT_EQ(Walker(), std::make_pair(c.m_bPasses ? 2 : 1, 0));
        EXPECT_EQ(World()->Facing(), kFacingRight);
        EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
    }
}

TEST_F(WorldMapSceneTest, StepsStayOnTheMapAndTakeOneDirectionInOrder)
{
    DrawWorld({"..", ".."});
    Progress.m_nMapX = 0;
    Progress.m_nMapY = 0;
    Enter();
    Press(platform::kVkLeft);
    EXPECT_EQ(Walker(), std::make_pair(0, 0));
    EXPECT_EQ(World()->Facing(), kFacingLeft);
    Press(platform::kVkUp);
    EXPECT_EQ(World()->Facing(), kFacingUp);

    // Right and down together: right goes first and alone.
    m_Keys.Hold(platform::kVkRight);
    m_Keys.Hold(platform::kVkDown);
    Frames(1);
    m_Keys.Release(platform::kVkRight);
    m_Keys.Release(platform::kVkDown);
    Frames(1);
    EXPECT_EQ(Walker(), std::make_pair(1, 0));
    EXPECT_EQ(World()->Facing(), kFacingRight);
    Press(platform::kVkDown);
    Press(platform::kVkDown);
    EXPECT_EQ(Walker(), std::make_pair(1, 1));
    EXPECT_EQ(World()->Facing(), kFacingDown);
}

TEST_F(WorldMapSceneTest, Button2KeepsThePositionAndFadesOutToTheCamp)
{
    Enter();
    Press(platform::kVkRight);
    Press(platform::kVkDown);
    ASSERT_EQ(Walker(), std::make_pair(2, 2));
    EXPECT_EQ(Progress.m_nMapX, 1); // kept only as the walker leaves
    Press('X');
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeCancel}});
    EXPECT_EQ(WorldState(), WorldMapScene::kStateFadeOut);
    EXPECT_EQ(Progress.m_nMapX, 2);
    EXPECT_EQ(Progress.m_nMapY, 2);
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneCamp);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneWorldMap);

    // The next visit starts where this one ended.
    Frames(1);
    Enter();
    EXPECT_EQ(Walker(), std::make_pair(2, 2));
}

TEST_F(WorldMapSceneTest, APositionOffTheMapStartsAtTheMapsStart)
{
    Progress.m_nMapX = 40;
    WorldMap.m_nStartX = 3;
    WorldMap.m_nStartY = 2;
    Enter();
    EXPECT_EQ(Walker(), std::make_pair(3, 2));
}

TEST_F(WorldMapSceneTest, AMissingSheetClosesTheGameButAMissingPictureIsNoError)
{
    struct Case
    {
        const char* m_pMissing;
        const char* m_pBox; // none: the world map goes on
    };
    const Case cases[] = {
        {"bmp/WorldMapChip.bmp", "bmp\\WorldMapChip.bmp 読み込み失敗！"},
        {"bmp/WorldBack.bmp", nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pMissing);
        m_Scenes.Reset();
        const std::vector<unsigned char> sheet = m_Folder.ReadFile(c.m_pMissing);
        std::filesystem::remove(c.m_pMissing);
        const std::size_t boxes = m_Dialogs.Boxes().size();
        ClearGameFailure();
        m_Scenes.SetCurrentScene(kSceneWorldMap);
        Frames(12);
        if (c.m_pBox)
        {
            ASSERT_EQ(m_Dialogs.Boxes().size(), boxes + 1);
            EXPECT_EQ(m_Dialogs.Boxes().back().m_strText, c.m_pBox);
            EXPECT_TRUE(GameFailureReported()); // the game closes
        }
        else
        {
            EXPECT_EQ(m_Dialogs.Boxes().size(), boxes);
            EXPECT_FALSE(GameFailureReported());
            EXPECT_EQ(WorldState(), WorldMapScene::kStateWalk);
        }
        m_Folder.WriteFile(c.m_pMissing, sheet);
    }
    ClearGameFailure();
}

TEST_F(WorldMapSceneTest, EnteringReadiesThePartyWithoutDrawingItAgain)
{
    FriendTable[1].m_bRandomName = 1;
    FriendTable[1].m_bRandomGrowth = 1;
    m_Folder.WriteFile("data/RandomName.txt", std::string("アルト\nベルン\nカイ\nダリア\nエルマ\nフィン\nガロ\n"));
    ItemTable[1].m_nValue[2] = 7;
    for (int slot = 0; slot < 3; ++slot)
    {
        PartyUnits.At(slot) = Member(1);
    }
    PartyUnits.At(0).m_nPlayA = 1;
    ASSERT_EQ(Progress.AddItem(1, 1), 1);
    ASSERT_EQ(PartyUnits.At(1).Equip(0, ItemStack(1, 1), Progress.m_Items), 1);
    const std::vector<unsigned char> before = PartyImage();

    for (int visit = 0; visit < 10; ++visit)
    {
        SCOPED_TRACE(visit);
        Enter();
        LeaveForTheCamp();
    }
    EXPECT_EQ(PartyImage(), before); // names, growth, skills, experience and values as they were

    struct Case
    {
        const char* m_pName;
        int32_t m_bRevive;
    };
    for (const Case& c : {Case{"the System leaves the fallen down", 0}, Case{"the System revives them", 1}})
    {
        SCOPED_TRACE(c.m_pName);
        System.m_bReviveAfterClear = c.m_bRevive;
        UnitRecord& unit = PartyUnits.At(1);
        unit.m_nPlayB = 1;
        unit.m_nPlayC = 1;
        unit.m_nPlayD = 1;
        unit.m_Param[0].m_nValue = 1;
        unit.m_Param[2].m_nValue = 0;
        Enter();
        EXPECT_EQ(unit.m_nPlayB, 0);
        EXPECT_EQ(unit.m_nPlayC, 0);
        EXPECT_EQ(unit.m_nPlayD, c.m_bRevive ? 0 : 1);
        EXPECT_EQ(unit.m_Param[0].m_nValue, unit.m_Param[0].m_nBase);
        EXPECT_EQ(unit.m_Param[2].m_nValue, unit.m_Param[2].m_nBase + 7); // the weapon's bonus
        LeaveForTheCamp();
    }
}

TEST_F(WorldMapSceneTest, TheMapDrawsColourPictureChipsPresentEventsAndTheWalker)
{
    DrawWorld({"....", "....", "...."});
    WorldMapEventPage stage = Page(kWorldPageStage, 5, "Plain.stg");
    stage.m_nGraphic = 1;
    PlaceEvent(2, 1, {stage});
    WorldMapEventPage absent = Page(1, 0);
    absent.m_nNeedStage = 9;
    PlaceEvent(0, 1, {absent});
    PlaceEvent(3, 1, {Page(1, 0)}); // a road: stage number 0, never cleared

    // Walker at (1, 1): the map's top-left cell is on the screen at (256, 192).
    struct Case
    {
        const char* m_pName;
        int32_t m_bPicture;
        bool m_bCleared;
    };
    for (const Case& c : {Case{"colour only", 0, false}, Case{"with its picture, the stage cleared", 1, true}})
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        WorldMap.m_bUseBackImage = c.m_bPicture;
        Progress.SetClearedFlag(5, c.m_bCleared ? 1 : 0);
        Enter();
        Frames(1);
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        ASSERT_NE(frame, nullptr);
        const int picture = c.m_bPicture ? kBackPictureColour : kBackColour;
        EXPECT_EQ(Shown(*frame, 10, 10), Entry(kBackColour));                // off the map
        EXPECT_EQ(Shown(*frame, 261, 197), Entry(FixtureSheetPixel(5, 37))); // chip 5: tile (0, 32)
        EXPECT_EQ(Shown(*frame, 257, 193), Entry(picture));                  // through the chip's clear stripe
        EXPECT_EQ(Shown(*frame, 321, 193), Entry(kBackColour));              // past the picture's edge
        // The stage's graphic 1, in the cleared column once cleared.
        EXPECT_EQ(Shown(*frame, 325, 229), Entry(EventSheetPixel(5 + (c.m_bCleared ? 32 : 0), 37)));
        EXPECT_EQ(Shown(*frame, 357, 229), Entry(EventSheetPixel(5, 5)));
        // The absent event leaves its cell to its chip.
        EXPECT_EQ(Shown(*frame, 261, 229), Entry(FixtureSheetPixel(5, 37)));
        // The walker facing down, first step.
        EXPECT_EQ(Shown(*frame, 293, 229), Entry(FixtureSheetPixel(5, 133)));
    }

    // A step down scrolls the map and its picture up by a cell.
    Press(platform::kVkDown);
    Frames(1);
    const platform::Frame* frame = DisplayFrames().TakeLatest();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(Shown(*frame, 257, 161), Entry(kBackPictureColour));
    EXPECT_EQ(Shown(*frame, 261, 165), Entry(FixtureSheetPixel(5, 37)));
    EXPECT_EQ(m_Folder.ReadText("EC.txt").find("Blit"), std::string::npos);
}

TEST_F(WorldMapSceneTest, TheWalkerFacesItsWayAndStepsInPlaceEvery40Frames)
{
    DrawWorld({"."});
    Progress.m_nMapX = 0;
    Progress.m_nMapY = 0;
    Enter();
    struct Case
    {
        int m_nKey;
        int m_nSheetX; // the facing's first step on the accessory sheet
        int m_nSheetY;
    };
    const Case cases[] = {{platform::kVkUp, 64, 128},
                          {platform::kVkLeft, 64, 160},
                          {platform::kVkRight, 0, 160},
                          {platform::kVkDown, 0, 128}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nKey);
        Press(c.m_nKey);
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        ASSERT_NE(frame, nullptr);
        const uint32_t shown = Shown(*frame, 293, 229);
        const bool first = shown == Entry(FixtureSheetPixel(c.m_nSheetX + 5, c.m_nSheetY + 5));
        const bool second = shown == Entry(FixtureSheetPixel(c.m_nSheetX + 37, c.m_nSheetY + 5));
        EXPECT_TRUE(first || second);
    }

    // Facing down: the steps alternate in runs of 40 frames.
    std::vector<int> steps;
    for (int i = 0; i < 200; ++i)
    {
        Frames(1);
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        ASSERT_NE(frame, nullptr);
        const uint32_t shown = Shown(*frame, 293, 229);
        ASSERT_TRUE(shown == Entry(FixtureSheetPixel(5, 133)) || shown == Entry(FixtureSheetPixel(37, 133)));
        steps.push_back(shown == Entry(FixtureSheetPixel(37, 133)) ? 1 : 0);
    }
    std::vector<int> runs;
    for (std::size_t i = 0, start = 0; i <= steps.size(); ++i)
    {
        if (i == steps.size() || steps[i] != steps[start])
        {
            runs.push_back(static_cast<int>(i - start));
            start = i;
        }
    }
    ASSERT_GE(runs.size(), 4u);
    for (std::size_t i = 1; i + 1 < runs.size(); ++i)
    {
        EXPECT_EQ(runs[i], 40) << i;
    }
}

TEST_F(WorldMapSceneTest, TheWorldMapPlaysThePlayThroughsThirdTuneOrElseThePresetFile)
{
    const std::vector<MusicRequest> served = MusicOfEntries(kSceneWorldMap, {"", "bgm\\Journey.ogg"},
                                                            [](const char* name) { Progress.m_strMusic[2] = name; });

    ASSERT_EQ(served.size(), 2u);
    for (const MusicRequest& request : served)
    {
        EXPECT_EQ(request.m_nTrack, kMusicWorldMap);
        EXPECT_EQ(request.m_nChannel, kWorldMapMusicChannel);
        EXPECT_EQ(request.m_Action, MusicAction::Play);
        EXPECT_EQ(request.m_nRestart, 0); // a tune the camp plays already runs on
    }
    EXPECT_FALSE(served[0].m_bSetFile);
    EXPECT_TRUE(served[1].m_bSetFile);
    EXPECT_EQ(served[1].m_strFile, "bgm\\Journey.ogg");
}

} // namespace
