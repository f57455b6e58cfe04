#include "GameDataTest.h"

#include <limits>

namespace
{

using ProgressRecordTest = GameDataTest;

// A play-through with something in every member.
ProgressRecord SampleProgress()
{
    ProgressRecord p;
    p.m_nMoney = 1234;
    p.m_nScoutPoints = 7;
    p.m_nMapX = 3;
    p.m_nMapY = 4;
    p.m_nCurrentStage = 12;
    p.m_nProgressA = 21;
    p.m_nCycle = 2;
    p.m_nProgressB = 22;
    p.m_nProgressC = 23;
    p.m_nDifficulty = 1;
    const std::string music[4] = {"bgm\\S.mid", "", "bgm\\W.ogg", "タイトル"};
    p.CopyMusicNames(music);
    p.Validate();
    p.AddItem(1, 3);
    p.AddItem(3, 10);
    p.AddShopGoods(ItemStack(4, 1));
    p.AddToHireList(UnitRecord(FriendTable.At(1)));
    UnitRecord fallen(FriendTable.At(2)); // a party member, its values rolled when it joined
    fallen.Recompute();
    p.AddFallenUnit(fallen);
    p.SetVariable(5, -42);
    p.SetClearedFlag(3, 1);
    p.m_Work2 = {8, 9};
    return p;
}

TEST_F(ProgressRecordTest, RoundTripsThroughItsImage)
{
    System.m_nDifficultyMax = 3; // the sample's difficulty 1 is within the System's range
    ProgressRecord original = SampleProgress();
    const std::vector<unsigned char> bytes = Image(original);

    ProgressRecord loaded;
    DataReader in(bytes, kDataFormatVersion, "memory");
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(Image(loaded), bytes);

    EXPECT_EQ(loaded.m_nMoney, 1234);
    EXPECT_EQ(loaded.m_strMusic[3], "タイトル");
    EXPECT_EQ(loaded.GetItemCount(3), 10);
    EXPECT_EQ(loaded.m_ShopGoods.At(0).m_nItem, 4);
    EXPECT_EQ(loaded.m_ShopGoods.At(0).m_nCount, 99);
    ASSERT_EQ(loaded.m_HireList.Count(), 1);
    EXPECT_EQ(loaded.m_HireList.At(0).m_strName, "friend1");
    ASSERT_EQ(loaded.m_FallenList.Count(), 1);
    EXPECT_EQ(loaded.GetVariable(5), -42);
    EXPECT_EQ(loaded.GetClearedFlag(3), 1);
    EXPECT_EQ(loaded.m_Work2, (CheckedVector<int32_t>{8, 9}));
}

// Values of the image below that a test may choose.
struct OldValues
{
    int32_t m_nMoney = 500;
    int32_t m_nScoutPoints = 2;
    int32_t m_nDifficulty = 1;
    int32_t m_nItemCount = 5;  // of item 1, the first stack
    int32_t m_nShopCount = 99; // of item 3, the one article
};

// The image of a play-through as a game of that version wrote it: bound ints
// as the version had them, then the lists; two stacks of items, no units.
std::vector<unsigned char> OldImage(int32_t version, const OldValues& values = {})
{
    const bool hasA = version >= 85;
    const bool hasB = version >= 100;
    const bool hasMusic = version >= 77;
    const bool hasShop = version >= 103;
    ByteBuilder b;
    b.Int(8 + hasA + hasB);
    b.Ints({values.m_nMoney, values.m_nScoutPoints, 1, 1, 9});
    if (hasA)
    {
        b.Int(31);
    }
    b.Int(4);
    if (hasB)
    {
        b.Int(32);
    }
    b.Ints({33, values.m_nDifficulty});
    b.Int(hasMusic ? 4 : 0);
    if (hasMusic)
    {
        b.String("a").String("b").String("").String("d");
    }
    b.Int(2).Ints({2, 1, values.m_nItemCount, 0}).Ints({2, 0, 0, 0}); // items: 1 x 5, then an empty stack
    if (hasShop)
    {
        b.Int(1).Ints({2, 3, values.m_nShopCount, 0});
    }
    b.Int(0).Int(0);                      // hire and fallen lists
    b.Int(1).Int(77).Int(0).Int(2).Ints({1, 0}); // variables, cleared flags, m_Work2
    return b.Data();
}

TEST_F(ProgressRecordTest, OlderFilesLoadWithTheirOwnFieldsAndArePadded)
{
    for (int32_t version : {76, 84, 99, 102, 103, 276})
    {
        ProgressRecord p;
        p.m_strMusic[0] = "kept";
        p.m_ShopGoods = {ItemStack(5, 99)};
        DataReader in(OldImage(version), version, "memory");
        ASSERT_TRUE(p.Load(in)) << version << ": " << in.Error();
        EXPECT_EQ(in.Remaining(), 0u) << version;
        EXPECT_EQ(p.m_nMoney, 500);
        EXPECT_EQ(p.m_nCycle, 4) << version;
        EXPECT_EQ(p.m_nProgressA, version >= 85 ? 31 : 0) << version;
        EXPECT_EQ(p.m_nProgressB, version >= 100 ? 32 : 0) << version;
        EXPECT_EQ(p.m_nProgressC, 33) << version;
        EXPECT_EQ(p.m_strMusic[0], version >= 77 ? "a" : "kept") << version;
        // Both lists are padded to the six items; older files have no shop goods.
        ASSERT_EQ(p.m_Items.Count(), 6);
        EXPECT_EQ(p.GetItemCount(1), 5);
        ASSERT_EQ(p.m_ShopGoods.Count(), 6);
        EXPECT_EQ(CountStack(p.m_ShopGoods, 3), version >= 103 ? 99 : 0) << version;
        EXPECT_EQ(CountStack(p.m_ShopGoods, 5), 0) << version;
        EXPECT_EQ(p.GetVariable(0), 77);
    }
}

TEST_F(ProgressRecordTest, ALoadBringsValuesOutOfRangeBackIntoRange)
{
    struct Case
    {
        int32_t m_nDifficultyMax; // the System's
        OldValues m_File;
        OldValues m_Loaded;
    };
    ItemTable.At(1).m_nMaxCount = 20;
    ItemTable.At(3).m_nMaxCount = 20;
    const Case cases[] = {
        {10, {999999, 1000, 10, 20, 20}, {999999, 1000, 10, 20, 20}},
        {10, {500, 2, 5, 5, 99}, {500, 2, 5, 5, 20}},
        {10, {INT32_MAX, 5000, 99, INT32_MAX, 99}, {999999, 1000, 10, 20, 20}},
        {10, {-1, 0, -7, -4, INT32_MIN}, {0, 1, 0, 0, 0}},
        {3, {500, 2, 5, 5, 20}, {500, 2, 3, 5, 20}}, // the System's maximum lowered since the save
        {-4, {500, 2, 2, 5, 20}, {500, 2, 0, 5, 20}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_File.m_nMoney << " " << c.m_File.m_nDifficulty << " of "
                                        << c.m_nDifficultyMax);
        System.m_nDifficultyMax = c.m_nDifficultyMax;
        ProgressRecord loaded;
        DataReader in(OldImage(kDataFormatVersion, c.m_File), kDataFormatVersion, "memory");
        ASSERT_TRUE(loaded.Load(in)) << in.Error();
        EXPECT_EQ(loaded.m_nMoney, c.m_Loaded.m_nMoney);
        EXPECT_EQ(loaded.m_nScoutPoints, c.m_Loaded.m_nScoutPoints);
        EXPECT_EQ(loaded.m_nDifficulty, c.m_Loaded.m_nDifficulty);
        EXPECT_EQ(loaded.m_Items.At(0).m_nCount, c.m_Loaded.m_nItemCount);
        EXPECT_EQ(loaded.m_ShopGoods.At(0).m_nCount, c.m_Loaded.m_nShopCount);
    }
}

TEST_F(ProgressRecordTest, AFullPartyRefusesJoinHireAndRevive)
{
    FillParty();
    Progress.AddToHireList(UnitRecord(FriendTable.At(1)));
    Progress.AddFallenUnit(Member(2));
    const std::vector<unsigned char> party = PartyImage();
    const std::vector<unsigned char> progress = Image(Progress);

    EXPECT_EQ(CountPartyMembers(PartyUnits), kPartySlotCount);
    EXPECT_FALSE(Progress.JoinParty(UnitRecord(FriendTable.At(3))));
    EXPECT_FALSE(Progress.HireUnit(0));
    EXPECT_FALSE(Progress.ReviveUnit(0));
    EXPECT_EQ(PartyImage(), party);
    EXPECT_EQ(Image(Progress), progress);
}

TEST_F(ProgressRecordTest, JoiningHiringAndRevivingFillTheFirstFreeSlot)
{
    FillParty();
    PartyUnits.At(5).MakeEmpty();
    PartyUnits.At(9).MakeEmpty();
    PartyUnits.At(20).MakeEmpty();

    // Joining recomputes the friend at its level.
    UnitRecord joining(FriendTable.At(3));
    ASSERT_TRUE(Progress.JoinParty(joining));
    const UnitRecord& joined = PartyUnits.At(5);
    EXPECT_EQ(joined.m_strName, "friend3");
    EXPECT_EQ(joined.m_nLevel, 3);
    EXPECT_EQ(joined.m_nMaxLevel, 30);
    EXPECT_EQ(joined.m_Skill.Count(), SkillTable.Count());
    EXPECT_GE(joined.m_Param[0].m_nBase, 1);

    // A one-time entry leaves the hire list; another stays, made afresh.
    Progress.FillHireList();
    ASSERT_EQ(Progress.m_HireList.Count(), 2);
    Progress.m_HireList.At(1).m_nExp = 55;
    ASSERT_TRUE(Progress.HireUnit(0));
    EXPECT_EQ(PartyUnits.At(9).m_strName, "friend1");
    ASSERT_EQ(Progress.m_HireList.Count(), 1);
    ASSERT_TRUE(Progress.HireUnit(0));
    EXPECT_EQ(PartyUnits.At(20).m_strName, "friend2");
    EXPECT_EQ(PartyUnits.At(20).m_nExp, 55);
    ASSERT_EQ(Progress.m_HireList.Count(), 1);
    EXPECT_EQ(Progress.m_HireList.At(0).m_nExp, 0);
    EXPECT_EQ(Progress.m_HireList.At(0).m_strName, "friend2");

    // A revived unit is no longer down and leaves the fallen list.
    UnitRecord down = PartyUnits.At(9);
    down.m_nPlayB = 1;
    down.m_nPlayD = 1;
    PartyUnits.At(9).MakeEmpty();
    ASSERT_TRUE(Progress.AddFallenUnit(down));
    EXPECT_EQ(Progress.m_FallenList.At(0).m_nPlayB, 0);
    ASSERT_TRUE(Progress.ReviveUnit(0));
    EXPECT_EQ(PartyUnits.At(9).m_strName, "friend1");
    EXPECT_EQ(PartyUnits.At(9).m_nPlayD, 0);
    EXPECT_TRUE(Progress.m_FallenList.empty());

    // Units without class join no list; entries that do not exist are refused.
    EXPECT_FALSE(Progress.AddToHireList(UnitRecord(FriendTable.At(0))));
    UnitRecord empty;
    empty.MakeEmpty();
    EXPECT_FALSE(Progress.AddFallenUnit(empty));
    PartyUnits.At(30).MakeEmpty();
    EXPECT_FALSE(Progress.JoinParty(empty));
    EXPECT_EQ(CountPartyMembers(PartyUnits), 63);
    EXPECT_FALSE(Progress.HireUnit(5));
    EXPECT_FALSE(Progress.ReviveUnit(-1));
}

TEST_F(ProgressRecordTest, StartingTheWorldOverClearsOnlyStagesAndPosition)
{
    Progress = SampleProgress();
    FillParty();
    const std::vector<unsigned char> party = PartyImage();
    Progress.SetClearedFlag(7, 1);
    Progress.m_nMapX = 15;

    Progress.StartWorldOver();
    EXPECT_EQ(Progress.m_nCycle, 3);
    EXPECT_EQ(Progress.m_ClearedFlags, (CheckedVector<int32_t>(8, 0)));
    EXPECT_EQ(Progress.m_nMapX, WorldMap.m_nStartX);
    EXPECT_EQ(Progress.m_nMapY, WorldMap.m_nStartY);
    EXPECT_EQ(Progress.m_nMoney, 1234);
    EXPECT_EQ(Progress.GetItemCount(3), 10);
    EXPECT_EQ(Progress.GetVariable(5), -42);
    EXPECT_EQ(PartyImage(), party);
}

TEST_F(ProgressRecordTest, VariablesAndClearedFlagsReadZeroPastTheEndAndGrowWhenWritten)
{
    ProgressRecord p;
    EXPECT_EQ(p.GetVariable(300), 0);
    EXPECT_EQ(p.GetVariable(-1), 0);
    EXPECT_EQ(p.GetClearedFlag(999), 0);
    EXPECT_TRUE(p.m_Work.empty());

    p.SetVariable(300, 5);
    p.SetClearedFlag(999, 1);
    EXPECT_EQ(p.m_Work.Count(), 301);
    EXPECT_EQ(p.GetVariable(300), 5);
    EXPECT_EQ(p.GetVariable(299), 0);
    EXPECT_EQ(p.m_ClearedFlags.Count(), 1000);
    EXPECT_EQ(p.GetClearedFlag(999), 1);

    // Numbers no vector can grow to are not written.
    p.SetVariable(-3, 1);
    p.SetVariable(std::numeric_limits<int32_t>::max(), 1);
    p.SetClearedFlag(kMaxGrowingIndex + 1, 1);
    EXPECT_EQ(p.m_Work.Count(), 301);
    EXPECT_EQ(p.m_ClearedFlags.Count(), 1000);
    EXPECT_EQ(m_nCloses, 0);
}

TEST_F(ProgressRecordTest, TheCheckBringsPositionAndListsIntoTheProject)
{
    struct Case
    {
        int32_t x, y;
        bool kept;
    };
    const Case cases[] = {{0, 0, true}, {19, 14, true}, {20, 3, false}, {3, 15, false}, {-1, 3, false}};
    for (const Case& c : cases)
    {
        ProgressRecord p;
        p.m_nMapX = c.x;
        p.m_nMapY = c.y;
        p.Validate();
        EXPECT_EQ(p.m_nMapX, c.kept ? c.x : 9) << c.x << "," << c.y;
        EXPECT_EQ(p.m_nMapY, c.kept ? c.y : 7) << c.x << "," << c.y;
    }
}

TEST_F(ProgressRecordTest, ShopGoodsAreAddedOnceWithCount99AndSorted)
{
    Progress.Validate();
    EXPECT_EQ(Progress.AddShopGoods(ItemStack(4, 1)), 1);
    EXPECT_EQ(Progress.AddShopGoods(ItemStack(2, 1)), 1);
    EXPECT_EQ(Progress.AddShopGoods(ItemStack(4, 1)), 0);
    EXPECT_EQ(Progress.AddShopGoods(ItemStack(0, 1)), 0);
    ASSERT_EQ(Progress.m_ShopGoods.Count(), 6);
    EXPECT_EQ(Progress.m_ShopGoods.At(0).m_nItem, 2);
    EXPECT_EQ(Progress.m_ShopGoods.At(1).m_nItem, 4);
    EXPECT_EQ(Progress.m_ShopGoods.At(1).m_nCount, 99);
    EXPECT_EQ(Progress.m_ShopGoods.At(2).m_nItem, 0);

    // A list with no free stack gets an entry appended.
    ProgressRecord fresh;
    ASSERT_TRUE(fresh.m_ShopGoods.empty());
    EXPECT_EQ(fresh.AddShopGoods(ItemStack(5, 1)), 1);
    EXPECT_EQ(fresh.AddShopGoods(ItemStack(3, 1)), 1);
    ASSERT_EQ(fresh.m_ShopGoods.Count(), 2);
    EXPECT_EQ(fresh.m_ShopGoods.At(0).m_nItem, 3);
    EXPECT_EQ(fresh.m_ShopGoods.At(1).m_nItem, 5);
    EXPECT_EQ(fresh.m_ShopGoods.At(1).m_nCount, 99);
    EXPECT_EQ(fresh.AddShopGoods(ItemStack(6, 1)), 0); // not an item of the table
    EXPECT_EQ(fresh.m_ShopGoods.Count(), 2);
}

TEST_F(ProgressRecordTest, ANewGameStartsFromNothingWith64EmptySlots)
{
    // What a previous play-through of the session left behind.
    Progress = SampleProgress();
    FillParty();
    PartyUnits.resize(70, Member(2));
    System.m_strBgm[3] = "bgm\\T.mid";
    System.m_nDifficultyInitial = 2;

    StartNewGame();
    ASSERT_EQ(PartyUnits.Count(), kPartySlotCount);
    EXPECT_EQ(CountPartyMembers(PartyUnits), 0);
    for (const UnitRecord& slot : PartyUnits)
    {
        EXPECT_EQ(slot.m_nClass, 0);
    }
    EXPECT_EQ(Progress.m_nMoney, 0);
    EXPECT_EQ(Progress.m_nScoutPoints, 1);
    EXPECT_EQ(Progress.m_nCycle, 0);
    EXPECT_EQ(Progress.m_nMapX, 9);
    EXPECT_EQ(Progress.m_nMapY, 7);
    EXPECT_EQ(Progress.m_Items.Count(), 6);
    EXPECT_EQ(Progress.GetItemCount(3), 0);
    EXPECT_EQ(Progress.m_strMusic[3], "bgm\\T.mid");
    EXPECT_EQ(Progress.m_nDifficulty, 2);
    ASSERT_EQ(Progress.m_HireList.Count(), 2);
    EXPECT_EQ(Progress.m_HireList.At(0).m_strName, "friend1");
    EXPECT_EQ(Progress.m_HireList.At(1).m_strName, "friend2");
    EXPECT_TRUE(Progress.m_FallenList.empty());
    EXPECT_EQ(Progress.GetClearedFlag(3), 0);
    EXPECT_EQ(Progress.GetVariable(5), 0);
}

} // namespace
