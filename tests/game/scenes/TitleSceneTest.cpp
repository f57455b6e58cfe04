#include "game/scenes/TitleScene.h"

#include "EventCommandBuilder.h"
#include "SceneTest.h"
#include "common/data/EventVocabulary.h"
#include "game/engine/GameMusic.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SoundEffects.h"
#include "game/scenes/EventCommandEffects.h"
#include "game/scenes/camp/CampScene.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>

namespace
{

void SetStartEvent(std::vector<EventCommand> commands)
{
    StartEvent.Init();
    for (EventCommand& command : commands)
    {
        StartEvent.m_Page.At(0).m_Action.push_back(std::move(command));
    }
}

int CountOf(const CheckedVector<UnitRecord>& units, int friendIndex)
{
    int n = 0;
    for (const UnitRecord& unit : units)
    {
        n += unit.IsPartyMember() && unit.m_nHead == friendIndex ? 1 : 0;
    }
    return n;
}

class TitleSceneTest : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        TitleMenuChoice = kTitleNewGame;
        StartEvent.Init();
    }
    void TearDown() override
    {
        StartEvent.Init();
        SceneTest::TearDown();
    }

    int TitleState() const { return StateOf(kSceneTitle); }
    void ToTheMenu()
    {
        Frames(20);
        ASSERT_EQ(TitleState(), TitleScene::kStateMenu);
        m_Sounds.clear();
    }
};

TEST_F(TitleSceneTest, ANewGameStartsFromNothingAndTakesTheStartEventsEffects)
{
    Progress.m_nMoney = 12345;
    Progress.SetVariable(7, 99);
    PartyUnits.At(5) = Member(3);
    SetStartEvent({Command(kCommandParty, {1, 1}), Command(kCommandMoney, {500}), Command(kCommandItems, {3, 4}),
                   Command(kCommandVariable, {7, 1, 5}), Command(kCommandMusic, {1}, "bgm\\Boss.ogg"),
                   Command(kCommandFriendShop, {3, 2}), Command(kCommandFriendShop, {1, -5}),
                   Command(kCommandParty, {2, 2}), Command(kCommandMessage, {}, "とばされる"),
                   Command(kCommandParty, {1, -1}), Command(kCommandParty, {2, -1})});
    NewGame();

    EXPECT_EQ(Progress.m_nMoney, 500); // from 0, not from what the last play-through had
    EXPECT_EQ(Progress.m_nScoutPoints, 1);
    EXPECT_EQ(Progress.GetItemCount(3), 4);
    EXPECT_EQ(Progress.GetVariable(7), 5); // 0 + 5: the variables start afresh
    EXPECT_EQ(Progress.m_strMusic[1], "bgm\\Boss.ogg");
    EXPECT_EQ(CountOf(Progress.m_HireList, 3), 2);
    EXPECT_EQ(CountOf(Progress.m_HireList, 1), 0); // the new game listed it, the command took it out
    EXPECT_EQ(CountOf(Progress.m_HireList, 2), 1);
    // With the error log on, each hire-list command shows its friend in a box first.
    ASSERT_EQ(m_Dialogs.Boxes().size(), 2u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "rEventAct.m_nValParam[0] = 3");
    // The hero joined first and leads; of the two others one left again; the leader never leaves.
    EXPECT_EQ(CountPartyMembers(PartyUnits), 2);
    EXPECT_EQ(PartyUnits.At(0).m_nHead, 1);
    EXPECT_EQ(PartyUnits.At(0).m_nPlayA, 1);
    EXPECT_EQ(CountOf(PartyUnits, 2), 1);
    EXPECT_EQ(PartyUnits.At(1).m_nPlayA, 0);
}

TEST_F(TitleSceneTest, StartEventCommandsKeepTheirBounds)
{
    struct Case
    {
        const char* m_pName;
        std::vector<EventCommand> m_Commands;
        std::function<void()> m_Check;
    };
    const std::vector<Case> cases = {
        {"money stops at its cap",
         {Command(kCommandMoney, {INT_MAX}), Command(kCommandMoney, {INT_MAX})},
         [] { EXPECT_EQ(Progress.m_nMoney, kMaxMoney); }},
        {"money stops at 0",
         {Command(kCommandMoney, {300}), Command(kCommandMoney, {INT_MIN})},
         [] { EXPECT_EQ(Progress.m_nMoney, 0); }},
        {"variables stay within their range",
         {Command(kCommandVariable, {2, 0, INT_MIN})},
         [] { EXPECT_EQ(Progress.GetVariable(2), kMinVariableValue); }},
        {"the party fills its slots and no more",
         {Command(kCommandParty, {2, INT_MAX})},
         [] { EXPECT_EQ(CountPartyMembers(PartyUnits), kPartySlotCount); }},
        {"taking out the lowest count leaves the leader",
         {Command(kCommandParty, {2, 3}), Command(kCommandParty, {2, INT_MIN})},
         []
         {
             EXPECT_EQ(CountPartyMembers(PartyUnits), 1);
             EXPECT_EQ(PartyUnits.At(0).m_nPlayA, 1);
         }},
        {"the hire list grows only to its bound",
         {Command(kCommandFriendShop, {3, INT_MAX})},
         [] { EXPECT_EQ(Progress.m_HireList.Count(), kMaxHireListEntries); }},
        {"a friend without class joins nothing",
         {Command(kCommandParty, {0, 1}), Command(kCommandFriendShop, {0, 1})},
         []
         {
             EXPECT_EQ(CountPartyMembers(PartyUnits), 0);
             EXPECT_EQ(Progress.m_HireList.Count(), 2); // the two listed from the start
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        SetStartEvent(c.m_Commands);
        NewGame();
        c.m_Check();
    }
}

TEST_F(TitleSceneTest, NewGameFromTheMenuFadesOutToTheCampWithTheHeroLeading)
{
    SetStartEvent({Command(kCommandParty, {1, 1}), Command(kCommandMoney, {500})});
    ToTheMenu();
    Press('Z');
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeChoice}});
    EXPECT_EQ(TitleState(), TitleScene::kStateFadeOut);
    EXPECT_EQ(Progress.m_nMoney, 500);
    EXPECT_EQ(PartyUnits.At(0).m_nPlayA, 1);
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneCamp);
    EXPECT_EQ(m_Scenes.PreviousScene(), kSceneTitle);
    EXPECT_EQ(MenuCursor.Count(), 1);
    Frames(1);
    EXPECT_EQ(m_Scenes.SceneOf(kSceneTitle), nullptr);
    ASSERT_NE(m_Scenes.SceneOf(kSceneCamp), nullptr);
    for (int id : kTitleSurfaces)
    {
        // Released with the title; the windows and the pointers the camp has loaded again.
        const bool camps = std::find(std::begin(kCampSurfaces), std::end(kCampSurfaces), id) != std::end(kCampSurfaces);
        EXPECT_EQ(Surfaces[id].Get() != nullptr, camps) << id;
    }
}

TEST_F(TitleSceneTest, ContinueRefusesAnEmptySlotWithItsSoundAloneAndLoadsAUsedOne)
{
    PartyUnits.At(0) = Member(2);
    Progress.m_nMoney = 777;
    ASSERT_TRUE(SaveToSlot(3));
    PartyUnits.At(0).MakeEmpty();
    Progress.m_nMoney = 0;
    m_Sounds.clear();

    ToTheMenu();
    Press(platform::kVkDown);
    Press('Z');
    ASSERT_EQ(TitleState(), TitleScene::kStateContinue);
    EXPECT_TRUE(SaveSlots.At(3).m_bUsed);
    m_Sounds.clear();
    Press('Z'); // the first slot, empty
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeRefusal}});
    EXPECT_EQ(TitleState(), TitleScene::kStateContinue);
    EXPECT_EQ(Progress.m_nMoney, 0);
    EXPECT_EQ(TitleLoadedSlot, -1);

    Press('X');
    EXPECT_EQ(TitleState(), TitleScene::kStateMenu);
    EXPECT_EQ(m_Sounds.back(), kSeCancel);
    EXPECT_EQ(MenuCursor.Current().m_nRow, kTitleContinue); // back on the entry it came from

    Press('Z');
    for (int i = 0; i < 3; ++i)
    {
        Press(platform::kVkDown);
    }
    m_Sounds.clear();
    Press('Z');
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeChoice}});
    EXPECT_EQ(TitleLoadedSlot, 3);
    EXPECT_EQ(Progress.m_nMoney, 777);
    EXPECT_EQ(PartyUnits.At(0).m_nHead, 2);
    EXPECT_EQ(TitleState(), TitleScene::kStateFadeOut);
    Frames(12);
    EXPECT_EQ(m_Scenes.CurrentScene(), kSceneCamp);
}

TEST_F(TitleSceneTest, ContinueOnASlotThatDoesNotReadNamesItInABoxAndStaysOnTheList)
{
    PartyUnits.At(0) = Member(2);
    Progress.m_nMoney = 500;
    Progress.m_nScoutPoints = 2;
    ASSERT_TRUE(SaveToSlot(1));
    const std::vector<unsigned char> good = m_Folder.ReadFile("user_data/SaveData02.dat");
    PartyUnits.At(0).MakeEmpty();
    Progress.m_nMoney = 0;
    ToTheMenu();
    Press(platform::kVkDown);

    for (const DamagedSlotFile& damaged : DamagedSlotFiles(good))
    {
        SCOPED_TRACE(damaged.m_pWhat);
        m_Folder.WriteFile("user_data/SaveData02.dat", damaged.m_Bytes);
        const std::size_t boxes = m_Dialogs.Boxes().size();
        Press('Z'); // "continue": each time back on it
        ASSERT_EQ(TitleState(), TitleScene::kStateContinue);
        // Listed all the same: with its summary when only the units are damaged.
        EXPECT_EQ(SaveSlots.At(1).SummaryText(), damaged.m_bPlayThroughReads ? "500S 2P" : "よみこめません");
        Press(platform::kVkDown);
        m_Sounds.clear();
        Press('Z');

        ASSERT_EQ(m_Dialogs.Boxes().size(), boxes + 1);
        const platform::ScriptedDialogs::Box& box = m_Dialogs.Boxes().back();
        const std::string heading = "セーブデータ2 が読み込めません！\n";
        ASSERT_EQ(box.m_strText.rfind(heading, 0), 0u) << box.m_strText;
        EXPECT_EQ(box.m_strCaption, "エラー");
        EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeRefusal}});
        // The reason under it is the one the report log has.
        const std::string reason = box.m_strText.substr(heading.size());
        EXPECT_NE(reason.find(" at byte "), std::string::npos) << reason;
        const std::string report = m_Folder.ReadText("Report.txt");
        EXPECT_NE(report.find("Load user_data\\SaveData02.dat : " + reason), std::string::npos) << report;

        // Still on the list, on that slot, with nothing loaded and the file as it was.
        Frames(5);
        EXPECT_EQ(TitleState(), TitleScene::kStateContinue);
        EXPECT_EQ(MenuCursor.Current().m_nRow, 1);
        EXPECT_EQ(TitleLoadedSlot, -1);
        EXPECT_EQ(Progress.m_nMoney, 0);
        EXPECT_EQ(CountPartyMembers(PartyUnits), 0);
        EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData02.dat"), damaged.m_Bytes);
        EXPECT_FALSE(std::filesystem::exists("user_data/SaveData02.dat.damaged"));
        EXPECT_EQ(m_Dialogs.Boxes().size(), boxes + 1);
        Press('X');
        ASSERT_EQ(TitleState(), TitleScene::kStateMenu);
        ASSERT_EQ(MenuCursor.Current().m_nRow, kTitleContinue);
    }
}

TEST_F(TitleSceneTest, TheTitleMusicPlaysTheSystemsNameOrElseThePresetFile)
{
    const std::vector<MusicRequest> served =
        MusicOfEntries(kSceneTitle, {"", "bgm\\Opening.ogg"}, [](const char* name) { System.m_strBgm[3] = name; });

    ASSERT_EQ(served.size(), 2u);
    for (const MusicRequest& request : served)
    {
        EXPECT_EQ(request.m_nTrack, kMusicTitle);
        EXPECT_EQ(request.m_nChannel, kTitleMusicChannel);
        EXPECT_EQ(request.m_Action, MusicAction::Play);
        EXPECT_EQ(request.m_nRestart, 1);
    }
    EXPECT_FALSE(served[0].m_bSetFile); // the track keeps "bgm\\Title.ogg" and "bgm\\Title.mid"
    EXPECT_TRUE(served[1].m_bSetFile);
    EXPECT_EQ(served[1].m_strFile, "bgm\\Opening.ogg");
}

TEST_F(TitleSceneTest, TheTitleDrawsItsPictureBandAndMenuAndLogsNoMissingSurface)
{
    ToTheMenu();
    Frames(1);
    const platform::Frame* frame = DisplayFrames().TakeLatest();
    ASSERT_NE(frame, nullptr);
    // The title words' sheet is 64 x 32: its band covers (0, 16) on, the menu picture (240, 360) on.
    EXPECT_EQ(frame->Rgb(5, 20), FixtureTable()[static_cast<std::size_t>(FixtureSheetPixel(5, 4))] & 0xFFFFFF);
    EXPECT_EQ(m_Folder.ReadText("EC.txt").find("Blit"), std::string::npos);
}

} // namespace
