// The camp scene played through the scene manager with keys, on the
// game-data fixture and the fixture sheets: the hero (friend 1) leads in
// slot 0, the System asks 200 + 50 a level for hiring, 300 + 100 for
// reviving and pays 50 + 20 a level for a dismissal; every friend is level 3.

#include "game/scenes/camp/CampScene.h"

#include "../data/RecordingDrawTarget.h"
#include "RuntimeFolderScope.h"
#include "SceneTest.h"
#include "game/engine/GameMusic.h"
#include "game/engine/GameSession.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SoundEffects.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"

#include <algorithm>
#include <functional>

namespace
{

constexpr int32_t kWeapon = 1;    // kind 1
constexpr int32_t kArmour = 2;    // kind 2
constexpr int32_t kHerb = 3;      // kind 0
constexpr int32_t kAxe = 4;       // kind 1
constexpr int32_t kHireFee = 350; // 200 + 3 x 50
constexpr int32_t kReviveFee = 600;
constexpr int32_t kDismissalMoney = 110;

class CampSceneTest : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        for (ItemRecord& item : ItemTable)
        {
            item.m_nMaxCount = 99;
        }
        System.m_nHireCost = 200;
        System.m_nHireCostPerLevel = 50;
        System.m_nReviveCost = 300;
        System.m_nReviveCostPerLevel = 100;
        System.m_nReleasePrice = 50;
        System.m_nReleasePricePerLevel = 20;
        System.m_nDifficultyMax = 3;
        System.m_bScout = 0;
        Progress.m_Items.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        Progress.m_ShopGoods.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        Progress.m_nMoney = 500;
        Progress.m_nScoutPoints = 1;
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
    }

    CampScene* Camp() const { return dynamic_cast<CampScene*>(m_Scenes.SceneOf(kSceneCamp)); }
    int State() const { return Camp() ? Camp()->State() : -100; }
    int SubState() const { return Camp() ? Camp()->SubState() : -100; }

    // Into the camp, faded in, on its menu.
    void Enter()
    {
        m_Scenes.SetCurrentScene(kSceneCamp);
        Frames(15);
        ASSERT_EQ(State(), CampScene::kStateMenu);
        m_Sounds.clear();
    }
    // From the menu, the cursor to the entry and button 1.
    void Choose(int entry)
    {
        const std::vector<int>& entries = Camp()->MenuEntries();
        const int target = static_cast<int>(std::find(entries.begin(), entries.end(), entry) - entries.begin());
        const int row = MenuCursor.Current().m_nRow;
        Press(target > row ? platform::kVkDown : platform::kVkUp, std::abs(target - row));
        Press('Z');
    }
    // The grid cursor from slot 0 to a slot.
    void ToSlot(int slot)
    {
        Press(platform::kVkRight, slot % kCampGridColumns);
        Press(platform::kVkDown, slot / kCampGridColumns);
    }
};

TEST_F(CampSceneTest, TheMenuHoldsTheEnabledEntriesInOrderOrElseTheFirstAlone)
{
    struct Case
    {
        const char* m_pName;
        std::vector<int> m_Disabled;
        std::vector<int> m_Entries;
    };
    const std::vector<Case> cases = {
        {"all enabled", {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"some disabled", {0, 3, 4, 5, 11}, {1, 2, 6, 7, 8, 9, 10}},
        {"none enabled", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        SystemRecord system;
        for (int entry : c.m_Disabled)
        {
            system.m_FormationMenu.At(entry).m_bEnabled = 0;
        }
        EXPECT_EQ(BuildCampMenu(system), c.m_Entries);
    }

    // The scene takes the System's list as it loads: here the shop is the second entry.
    for (int entry : {0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11})
    {
        System.m_FormationMenu.At(entry).m_bEnabled = entry == kCampStatus || entry == kCampSortie;
    }
    Progress.m_ShopGoods.At(0) = ItemStack(kHerb, 99);
    Enter();
    EXPECT_EQ(Camp()->MenuEntries(), (std::vector<int>{kCampStatus, kCampShop, kCampSortie}));
    Press(platform::kVkDown);
    Press('Z');
    EXPECT_EQ(State(), CampScene::kStateShop);
    EXPECT_EQ(Camp()->CampShop().Goods().Count(), 1);
    Press('X'); // the camp's shop closes with button 2, back on its entry
    EXPECT_EQ(State(), CampScene::kStateMenu);
    EXPECT_EQ(MenuCursor.Current().m_nRow, 1);
}

TEST_F(CampSceneTest, EnteringClearsTurnFlagsAndPlaysTheThirdMusicName)
{
    RuntimeFolderScope runtime;
    platform::DummyWindowSystem system;
    GameSession session;
    ASSERT_TRUE(session.Open(system, platform::kShowStateNormal));
    std::vector<MusicRequest> served;
    SetMusicDispatch([&](const MusicRequest& request) { served.push_back(request); });
    Progress.m_strMusic[2] = "bgm\\Camp.mid";
    PartyUnits.At(0).m_nPlayB = 1;
    PartyUnits.At(0).m_nPlayC = 1;
    Enter();
    system.PumpMessages();
    SetMusicDispatch(nullptr);

    EXPECT_EQ(PartyUnits.At(0).m_nPlayB, 0);
    EXPECT_EQ(PartyUnits.At(0).m_nPlayC, 0);
    ASSERT_EQ(served.size(), 1u);
    EXPECT_EQ(served[0].m_nTrack, kMusicWorldMap);
    EXPECT_EQ(served[0].m_strFile, "bgm\\Camp.mid");
    EXPECT_EQ(served[0].m_nRestart, 0); // a world-map tune already playing goes on

    // The last entry ends the game after a second thought, which starts on "やっぱりやめる".
    Choose(kCampQuit);
    Press('Z');
    EXPECT_EQ(State(), CampScene::kStateMenu);
    Choose(kCampQuit);
    Press(platform::kVkUp);
    Press('Z');
    ASSERT_TRUE(MainWindowHandle());
    system.PumpMessages();
    EXPECT_FALSE(MainWindowHandle());
    session.Close();
}

TEST_F(CampSceneTest, TheSortieAndButton2LeaveForTheWorldMap)
{
    for (bool byButton : {false, true})
    {
        SCOPED_TRACE(byButton ? "button 2" : "the entry");
        m_Scenes.Reset();
        Enter();
        if (byButton)
        {
            Press('X');
        }
        else
        {
            Choose(kCampSortie);
        }
        EXPECT_EQ(State(), CampScene::kStateFadeOut);
        Frames(12);
        EXPECT_EQ(m_Scenes.CurrentScene(), kSceneWorldMap);
        EXPECT_EQ(m_Scenes.PreviousScene(), kSceneCamp);
        EXPECT_EQ(MenuCursor.Count(), 1);
    }
}

TEST_F(CampSceneTest, AFullPartyRefusesHiringAndRevivingEvenWithEnoughMoney)
{
    struct Case
    {
        const char* m_pName;
        int m_nEntry;
        bool m_bFull;
        int32_t m_nMoney;
        bool m_bTaken;
    };
    const std::vector<Case> cases = {
        {"hire into a full party", kCampHire, true, kMaxMoney, false},
        {"revive into a full party", kCampRevive, true, kMaxMoney, false},
        {"hire without the money", kCampHire, false, kHireFee - 1, false},
        {"revive without the money", kCampRevive, false, kReviveFee - 1, false},
        {"hire", kCampHire, false, kHireFee, true},
        {"revive", kCampRevive, false, kReviveFee + 7, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        MenuCursor.Reset();
        PartyUnits.assign(kPartySlotCount, UnitRecord());
        for (UnitRecord& unit : PartyUnits)
        {
            unit.MakeEmpty();
        }
        if (c.m_bFull)
        {
            FillParty();
        }
        PartyUnits.At(0) = Member(1);
        Progress.m_HireList.clear();
        Progress.m_FallenList.clear();
        Progress.AddToHireList(UnitRecord(FriendTable.At(1)));
        Progress.AddFallenUnit(Member(3));
        Progress.m_nMoney = c.m_nMoney;
        const int members = CountPartyMembers(PartyUnits);

        Enter();
        Choose(c.m_nEntry);
        ASSERT_EQ(State(), CampScene::kStateStatus + c.m_nEntry);
        Press('Z');               // the first unit of the list
        Press(platform::kVkDown); // "やとう" or "ふっかつ"
        Press('Z');
        const int32_t fee = c.m_nEntry == kCampHire ? kHireFee : kReviveFee;
        if (c.m_bTaken)
        {
            EXPECT_EQ(m_Sounds, (std::vector<int>{kSeChoice, kSeChoice, kSeClear}));
            EXPECT_EQ(CountPartyMembers(PartyUnits), members + 1);
            EXPECT_EQ(Progress.m_nMoney, c.m_nMoney - fee);
            // The list is empty now: back in the menu, which refuses the entry.
            Frames(1);
            EXPECT_EQ(State(), CampScene::kStateMenu);
            m_Sounds.clear();
            Press('Z');
            EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeRefusal}});
            EXPECT_EQ(State(), CampScene::kStateMenu);
        }
        else
        {
            EXPECT_EQ(m_Sounds, (std::vector<int>{kSeChoice, kSeChoice, kSeRefusal}));
            EXPECT_EQ(CountPartyMembers(PartyUnits), members);
            EXPECT_EQ(Progress.m_nMoney, c.m_nMoney);
            EXPECT_EQ(Progress.m_HireList.Count(), 1);
            EXPECT_EQ(Progress.m_FallenList.Count(), 1);
            EXPECT_EQ(SubState(), CampScene::kSubDetail);
        }
    }
}

TEST_F(CampSceneTest, HiringARepeatableEntryKeepsOfferingAFreshCopy)
{
    Progress.m_HireList.clear();
    Progress.AddToHireList(UnitRecord(FriendTable.At(2)));
    Progress.m_HireList.At(0).m_nExp = 55;
    Progress.m_nMoney = kMaxMoney;
    Enter();
    Choose(kCampHire);
    Press('Z');
    Press(platform::kVkDown);
    Press('Z');
    EXPECT_EQ(PartyUnits.At(1).m_nHead, 2);
    EXPECT_EQ(PartyUnits.At(1).m_nExp, 55);
    ASSERT_EQ(Progress.m_HireList.Count(), 1);
    EXPECT_EQ(Progress.m_HireList.At(0).m_nHead, 2);
    EXPECT_EQ(Progress.m_HireList.At(0).m_nExp, 0);
    EXPECT_EQ(SubState(), CampScene::kSubGrid); // back on the list, which still offers it
}

TEST_F(CampSceneTest, SwappingASlotWithItselfOpensItsStatusAndAnotherSlotSwapsTheUnits)
{
    PartyUnits.At(1) = Member(2);
    PartyUnits.At(1).m_Skill.At(0).m_nSkill = 1;
    PartyUnits.At(1).m_Skill.At(1).m_nSkill = 2;
    Enter();
    Choose(kCampStatus);
    Press('Z'); // slot 0 marked
    EXPECT_EQ(Camp()->MarkedSlot(), 0);
    Press(platform::kVkRight);
    Press('Z'); // swapped with slot 1
    EXPECT_EQ(PartyUnits.At(0).m_nHead, 2);
    EXPECT_EQ(PartyUnits.At(1).m_nHead, 1);
    EXPECT_EQ(Camp()->MarkedSlot(), -1);

    Press('Z');
    Press('Z'); // the same slot twice: its status, no swap
    EXPECT_EQ(SubState(), CampScene::kSubList);
    EXPECT_EQ(Camp()->PickedUnit(), 1);
    EXPECT_EQ(PartyUnits.At(1).m_nHead, 1);

    // In the skill list two skills change places the same way.
    PartyUnits.At(1).m_Skill.At(0).m_nSkill = 1;
    PartyUnits.At(1).m_Skill.At(1).m_nSkill = 2;
    Press('Z');
    Press(platform::kVkDown);
    Press('Z');
    EXPECT_EQ(PartyUnits.At(1).m_Skill.At(0).m_nSkill, 2);
    EXPECT_EQ(PartyUnits.At(1).m_Skill.At(1).m_nSkill, 1);

    Press('X');
    EXPECT_EQ(SubState(), CampScene::kSubGrid);
    EXPECT_EQ(MenuCursor.Current().m_nColumn, 1); // the grid cursor where it was
    Press('Z');
    Press('X'); // a mark is dropped first
    EXPECT_EQ(State(), CampScene::kStateStatus);
    Press('X');
    EXPECT_EQ(State(), CampScene::kStateMenu);

    // An empty slot has no status to open.
    Choose(kCampStatus);
    ToSlot(10);
    m_Sounds.clear();
    Press('Z');
    Press('Z');
    EXPECT_EQ(m_Sounds, (std::vector<int>{kSeChoice, kSeRefusal}));
    EXPECT_EQ(SubState(), CampScene::kSubGrid);
}

TEST_F(CampSceneTest, TheLeaderIsTheOneUnitChosenLast)
{
    PartyUnits.At(5) = Member(2);
    Enter();
    Choose(kCampLeader);
    ToSlot(5);
    Press('Z');
    EXPECT_EQ(PartyUnits.At(0).m_nPlayA, 0);
    EXPECT_EQ(PartyUnits.At(5).m_nPlayA, 1);
    Press(platform::kVkRight);
    m_Sounds.clear();
    Press('Z'); // an empty slot
    EXPECT_EQ(m_Sounds, std::vector<int>{int{kSeRefusal}});
    EXPECT_EQ(PartyUnits.At(5).m_nPlayA, 1);
}

TEST_F(CampSceneTest, EquipmentComesFromTheStockAndGoesBackToIt)
{
    struct Case
    {
        const char* m_pName;
        int32_t m_nWeaponsInStock; // of the worn weapon
        std::vector<int> m_Sounds;
        int32_t m_nWorn; // afterwards
        int32_t m_nAxes;
        int32_t m_nWeapons;
    };
    const std::vector<Case> cases = {
        // Equip the axe (the worn weapon goes back), take it off with button 3, then once more: nothing on.
        {"equip and take off", 0, {kSeChoice, kSeChoice, kSeEquip, kSeEquip, kSeRefusal}, 0, 2, 1},
        // The stock cannot take the worn weapon back: neither equipping (the list stays till button 2) nor
        // taking off.
        {"no room for the worn weapon",
         99,
         {kSeChoice, kSeChoice, kSeRefusal, kSeCancel, kSeRefusal, kSeRefusal},
         kWeapon,
         2,
         99},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        MenuCursor.Reset();
        Progress.m_Items.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        Progress.AddItem(kAxe, 2);
        Progress.AddItem(kHerb, 1);
        Progress.AddItem(kWeapon, c.m_nWeaponsInStock);
        PartyUnits.At(0).m_Equip[0].SetItem(kWeapon);
        Enter();
        Choose(kCampEquipment);
        Press('Z'); // the unit in slot 0
        Press('Z'); // its weapon slot: the weapons of the stock
        Press('Z'); // the first
        if (SubState() == CampScene::kSubList)
        {
            Press('X');
        }
        Press('C');
        Press('C');
        const std::vector<int> heard(m_Sounds.begin() + 1, m_Sounds.end()); // after the menu's choice
        EXPECT_EQ(heard, c.m_Sounds);
        EXPECT_EQ(PartyUnits.At(0).m_Equip[0].m_nItem, c.m_nWorn);
        EXPECT_EQ(Progress.GetItemCount(kAxe), c.m_nAxes);
        EXPECT_EQ(Progress.GetItemCount(kWeapon), c.m_nWeapons);
        EXPECT_EQ(Progress.GetItemCount(kHerb), 1);
    }

    // The armour slot lists the armour alone, and its blank entry takes the armour off.
    m_Scenes.Reset();
    MenuCursor.Reset();
    Progress.AddItem(kArmour, 1);
    Enter();
    Choose(kCampEquipment);
    Press('Z');
    Press(platform::kVkDown);
    Press('Z');
    Press('Z');
    EXPECT_EQ(PartyUnits.At(0).m_Equip[1].m_nItem, kArmour);
    EXPECT_EQ(Progress.GetItemCount(kArmour), 0);
    Press('Z');
    Press('Z'); // the list's one entry now: the blank one
    EXPECT_EQ(PartyUnits.At(0).m_Equip[1].m_nItem, 0);
    EXPECT_EQ(Progress.GetItemCount(kArmour), 1);
}

TEST_F(CampSceneTest, DismissalPaysItsMoneyReturnsTheEquipmentAndEmptiesTheSlot)
{
    struct Case
    {
        const char* m_pName;
        bool m_bMustStay;
        int32_t m_nWeaponsInStock;
        bool m_bBackFirst; // answer "もどる", where the question starts
        bool m_bGone;
    };
    const std::vector<Case> cases = {
        {"dismissed", false, 0, false, true},
        {"a unit that must stay", true, 0, false, false},
        {"no room in the stock for its weapon", false, 99, false, false},
        {"the question answered with its default", false, 0, true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        m_Scenes.Reset();
        MenuCursor.Reset();
        Progress.m_nMoney = kMaxMoney - 10;
        Progress.m_Items.assign(static_cast<std::size_t>(ItemTable.Count()), ItemStack());
        Progress.AddItem(kWeapon, c.m_nWeaponsInStock);
        PartyUnits.At(3) = Member(2);
        PartyUnits.At(3).m_bNoRelease = c.m_bMustStay;
        PartyUnits.At(3).m_Equip[0].SetItem(kWeapon);
        PartyUnits.At(3).m_Equip[1].SetItem(kArmour);
        Enter();
        Choose(kCampDismiss);
        ToSlot(3);
        Press('Z');
        EXPECT_EQ(SubState(), CampScene::kSubDetail);
        if (!c.m_bBackFirst)
        {
            Press(platform::kVkUp);
        }
        Press('Z');
        if (c.m_bGone)
        {
            EXPECT_FALSE(PartyUnits.At(3).IsPartyMember());
            EXPECT_EQ(Progress.m_nMoney, kMaxMoney); // 110 more, kept within the cap
            EXPECT_EQ(Progress.GetItemCount(kWeapon), 1);
            EXPECT_EQ(Progress.GetItemCount(kArmour), 1);
            EXPECT_EQ(m_Sounds.back(), kSeClear);
        }
        else
        {
            EXPECT_TRUE(PartyUnits.At(3).IsPartyMember());
            EXPECT_EQ(PartyUnits.At(3).m_Equip[0].m_nItem, kWeapon);
            EXPECT_EQ(PartyUnits.At(3).m_Equip[1].m_nItem, kArmour);
            EXPECT_EQ(Progress.m_nMoney, kMaxMoney - 10);
            EXPECT_EQ(Progress.GetItemCount(kWeapon), c.m_nWeaponsInStock);
            EXPECT_EQ(m_Sounds.back(), c.m_bBackFirst ? kSeChoice : kSeRefusal);
        }
        EXPECT_EQ(SubState(), c.m_bGone || c.m_bBackFirst ? CampScene::kSubGrid : CampScene::kSubDetail);
    }
    EXPECT_EQ(Member(2).GetDismissPrice(), kDismissalMoney);
}

TEST_F(CampSceneTest, TheItemsChangePlacesInPairs)
{
    Progress.AddItem(kHerb, 5);
    Progress.AddItem(kAxe, 1);
    Enter();
    Choose(kCampItems);
    Press('Z');
    Press(platform::kVkDown);
    Press('Z');
    EXPECT_EQ(Progress.m_Items.At(0).m_nItem, kAxe);
    EXPECT_EQ(Progress.m_Items.At(1).m_nItem, kHerb);
    EXPECT_EQ(Progress.m_Items.At(1).m_nCount, 5);
    Press('X');
    EXPECT_EQ(State(), CampScene::kStateMenu);
}

TEST_F(CampSceneTest, SavingRemembersTheSlotAndAFailedSaveShowsOnlyTheRefusal)
{
    TitleLoadedSlot = 4; // the list starts on the slot used last
    Enter();
    Choose(kCampSave);
    EXPECT_EQ(MenuCursor.Current().m_nRow, 4);
    Press(platform::kVkDown);
    Press('Z');
    Press('Z'); // the question starts on "もどる"
    EXPECT_FALSE(SaveSlots.At(5).m_bUsed);
    Press('Z');
    Press(platform::kVkUp);
    Press('Z');
    EXPECT_EQ(m_Sounds.back(), kSeClear);
    EXPECT_TRUE(SaveSlots.At(5).m_bUsed);
    EXPECT_EQ(SaveSlots.At(5).m_nMoney, 500);
    EXPECT_EQ(TitleLoadedSlot, 5);

    // A folder that cannot be made: the refusal, and the slot and the memory as they were.
    std::filesystem::remove_all(m_Folder.Path() / "user_data");
    m_Folder.WriteFile("user_data", std::string("not a folder"));
    Progress.m_nMoney = 900;
    Press(platform::kVkDown);
    m_Sounds.clear();
    Press('Z');
    Press(platform::kVkUp);
    Press('Z');
    EXPECT_EQ(m_Sounds, (std::vector<int>{kSeChoice, kSeRefusal}));
    EXPECT_FALSE(SaveSlots.At(6).m_bUsed);
    EXPECT_EQ(TitleLoadedSlot, 5);
    EXPECT_EQ(SubState(), CampScene::kSubGrid);
}

TEST_F(CampSceneTest, ASlotWhosePlayThroughDoesNotReadIsListedAsSuchAndKeptBeforeASaveOverIt)
{
    RecordingDrawTarget target;
    m_Scenes.SetSceneMaker(kSceneCamp,
                           [&](SceneManager& owner) { return std::make_unique<CampScene>(owner, &target); });
    ASSERT_TRUE(SaveToSlot(2));
    std::vector<unsigned char> damaged = m_Folder.ReadFile("user_data/SaveData03.dat");
    damaged.resize(100);
    m_Folder.WriteFile("user_data/SaveData03.dat", damaged);
    SaveSlots.At(2) = SaveSlotInfo();

    TitleLoadedSlot = 2;
    Enter();
    Choose(kCampSave);
    target.Clear();
    Frames(1);
    // The list at (152, 32) starts on the slot used last: there, but without a summary to show.
    const std::vector<std::string>& calls = target.Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "text 0 (216,48) よみこめません"), calls.end());

    Press('Z');
    Press(platform::kVkUp);
    Press('Z');
    EXPECT_EQ(m_Sounds.back(), kSeClear);
    EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData03.dat.damaged"), damaged);
    EXPECT_EQ(SaveSlots.At(2).SummaryText(), "500S 1P");
    target.Clear();
    Frames(1);
    EXPECT_NE(std::find(calls.begin(), calls.end(), "text 0 (216,48) 500S 1P"), calls.end());
}

TEST_F(CampSceneTest, TheDifficultyWrapsAtItsEndsAndButton2RestoresIt)
{
    struct Step
    {
        int32_t m_nFrom;
        int m_nDirections;
        int32_t m_nMaximum;
        int32_t m_nTo;
    };
    const Step steps[] = {
        {0, kInputUp, 3, 1},
        {3, kInputUp, 3, 0},
        {0, kInputDown, 3, 3},
        {2, kInputDown, 3, 1},
        {0, kInputRight, 25, 10},
        {20, kInputRight, 25, 25},
        {25, kInputRight, 25, 0},
        {25, kInputLeft, 25, 15},
        {5, kInputLeft, 25, 0},
        {0, kInputLeft, 25, 25},
        {2, 0, 3, 2},
        {9, 0, 3, 9},
        {9, kInputUp, 3, 0},
        {1, kInputUp, 0, 0},
        {0, kInputDown, -4, 0},
    };
    for (const Step& step : steps)
    {
        EXPECT_EQ(StepDifficulty(step.m_nFrom, step.m_nDirections, step.m_nMaximum), step.m_nTo)
            << step.m_nFrom << " by " << step.m_nDirections << " up to " << step.m_nMaximum;
    }

    Progress.m_nDifficulty = 1;
    Enter();
    Choose(kCampDifficulty);
    Press(platform::kVkUp);
    Press(platform::kVkUp);
    EXPECT_EQ(Progress.m_nDifficulty, 3);
    Press(platform::kVkUp);
    EXPECT_EQ(Progress.m_nDifficulty, 0);
    Press('X');
    EXPECT_EQ(Progress.m_nDifficulty, 1);
    EXPECT_EQ(State(), CampScene::kStateMenu);
    Press('Z');
    Press(platform::kVkDown);
    Press(platform::kVkDown);
    Press('Z');
    EXPECT_EQ(Progress.m_nDifficulty, 3);
    EXPECT_EQ(State(), CampScene::kStateMenu);
}

TEST_F(CampSceneTest, TheMenuScreenShowsTheMenuTheGridAndTheMoneyWhereTheyBelong)
{
    RecordingDrawTarget target;
    m_Scenes.SetSceneMaker(kSceneCamp,
                           [&](SceneManager& owner) { return std::make_unique<CampScene>(owner, &target); });
    PartyUnits.At(9) = Member(2);
    for (bool scout : {false, true})
    {
        SCOPED_TRACE(scout ? "with scout points" : "without scout points");
        System.m_bScout = scout;
        m_Scenes.Reset();
        MenuCursor.Reset();
        Enter();
        target.Clear();
        Frames(1);
        const std::vector<std::string>& calls = target.Calls();
        auto drew = [&](const std::string& prefix)
        {
            return std::any_of(calls.begin(), calls.end(),
                               [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        };
        EXPECT_TRUE(drew("textbox 0 (64,192) 112x192 margin 16 colour font ステータス\nそうび\nリーダー"));
        EXPECT_TRUE(drew("blit 6 (64,192) 16x16 from (64,0)"));
        EXPECT_TRUE(drew("box 0 (208,192) 256x256"));
        EXPECT_TRUE(drew("blit 13 (208,192) 32x32")); // slot 0
        EXPECT_TRUE(drew("blit 13 (240,224) 32x32")); // slot 9: column 1, row 1
        EXPECT_TRUE(drew(scout ? "textbox 0 (16,460) 272x16 margin 0 colour font おかね 500S  スカウト 1P"
                               : "textbox 0 (16,460) 128x16 margin 0 colour font おかね 500S"));
    }
}

} // namespace
