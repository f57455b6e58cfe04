#include "DataFileTest.h"
#include "common/data/MapGrid.h"
#include "common/data/WorldMapRecord.h"

namespace
{

using WorldMapTest = DataFileTest;

WorldMapEvent StageEvent(int32_t x, int32_t y, std::initializer_list<int32_t> stageNumbers)
{
    WorldMapEvent event;
    event.m_nX = x;
    event.m_nY = y;
    for (int32_t number : stageNumbers)
    {
        WorldMapEventPage page;
        page.m_nStageNumber = number;
        event.m_Page.push_back(page);
    }
    return event;
}

// The image of a world map up to its chip list: the record and ten default chips.
ByteBuilder& MapHead(ByteBuilder& b, int32_t version, int32_t width, int32_t height, int32_t pitch, int32_t shift)
{
    b.Int(version).Int(8).Ints({width, height, pitch, shift, 1, 1, 16, 0}).Int(2).String("W").String("");
    b.Int(10);
    for (int i = 0; i < 10; ++i)
    {
        b.Int(3).Ints({0, 0, i}).Int(2).String("").String("x");
    }
    return b;
}

TEST_F(WorldMapTest, NewMapHasTheDefaults)
{
    WorldMapRecord map;
    EXPECT_EQ(map.m_strName, "ワールド");
    EXPECT_EQ(map.m_nWidth, 20);
    EXPECT_EQ(map.m_nHeight, 15);
    EXPECT_EQ(map.m_nPitch, 32);
    EXPECT_EQ(map.m_nShift, 5);
    EXPECT_EQ(map.m_nStartX, 9);
    EXPECT_EQ(map.m_nStartY, 7);
    EXPECT_EQ(map.m_nBackColor, 16);
    EXPECT_EQ(map.m_Cell.size(), 32u * 15);
    ASSERT_EQ(map.m_Chip.size(), 10u);
    EXPECT_EQ(map.m_Chip[4].m_nTile, 4);
    EXPECT_EQ(map.m_Chip[4].m_bBlocked, 1);
    EXPECT_EQ(map.m_Chip[4].m_strPassLabel, "通行不可");
    EXPECT_EQ(map.m_Chip[5].m_bBlocked, 0);
    EXPECT_EQ(map.m_Chip[5].m_strPassLabel, "通行可");
    EXPECT_TRUE(map.m_Event.empty());
    ASSERT_EQ(map.m_Palette.size(), 1u);
    EXPECT_EQ(map.m_Palette[0].m_strName, "デフォルト");
    EXPECT_EQ(map.m_Palette[0].m_Page.size(), 1u);
}

TEST_F(WorldMapTest, SetDefaultsCutsOrExtendsTheChipsAndKeepsTheirOwnValues)
{
    // Chip lists of 12 and of 3 entries, each chip with a value and a text of its own.
    for (std::size_t count : {12u, 3u})
    {
        SCOPED_TRACE(count);
        WorldMapRecord map;
        map.m_Chip.resize(count);
        for (std::size_t i = 0; i < count; ++i)
        {
            map.m_Chip[i].m_nChipValue = 70 + static_cast<int32_t>(i);
            map.m_Chip[i].m_strText = "川";
            map.m_Chip[i].m_nTile = 99;
        }
        map.SetDefaults();
        ASSERT_EQ(map.m_Chip.size(), 10u);
        for (std::size_t i = 0; i < 10; ++i)
        {
            const WorldMapChip& chip = map.m_Chip[i];
            EXPECT_EQ(chip.m_nTile, static_cast<int32_t>(i));
            EXPECT_EQ(chip.m_bBlocked, i < 5 ? 1 : 0);
            EXPECT_EQ(chip.m_strPassLabel, i < 5 ? "通行不可" : "通行可");
            EXPECT_EQ(chip.m_nChipValue, i < count ? 70 + static_cast<int32_t>(i) : 0) << "chip " << i;
            EXPECT_EQ(chip.m_strText, i < count ? "川" : "") << "chip " << i;
        }
    }
}

TEST_F(WorldMapTest, ResizeKeepsEveryDrawnCellAtItsPlace)
{
    struct Case
    {
        int32_t width, height, pitch;
    };
    for (Case c : {Case{40, 15, 64}, Case{16, 10, 32}, Case{15, 10, 16}, Case{0, 3, 1}})
    {
        WorldMapRecord map;
        for (int32_t y = 0; y < 15; ++y)
        {
            for (int32_t x = 0; x < 20; ++x)
            {
                map.CellAt(x, y) = 1 + y * 20 + x;
            }
        }
        map.Resize(c.width, c.height);
        EXPECT_EQ(map.m_nPitch, c.pitch) << c.width;
        ASSERT_EQ(map.m_Cell.size(), static_cast<std::size_t>(c.pitch * c.height)) << c.width;
        for (int32_t y = 0; y < c.height; ++y)
        {
            for (int32_t x = 0; x < c.pitch; ++x)
            {
                int32_t expected = x < 20 && x < c.width && y < 15 ? 1 + y * 20 + x : 0;
                ASSERT_EQ(map.CellAt(x, y), expected) << c.width << ": " << x << ", " << y;
            }
        }
    }
}

TEST_F(WorldMapTest, SaveRepairsTheStartAndDropsEventsOffTheMap)
{
    WorldMapRecord map;
    map.m_nStartX = 25;
    map.m_nStartY = 3;
    map.m_Event.push_back(StageEvent(20, 0, {1}));
    map.m_Event.push_back(StageEvent(19, 14, {2}));
    map.m_Event.push_back(StageEvent(5, 15, {3}));
    ASSERT_EQ(SaveRecordFile(map, "WorldMap.dat"), 1);

    WorldMapRecord back;
    ASSERT_EQ(LoadRecordFile(back, "WorldMap.dat", 0), 1);
    EXPECT_EQ(back.m_nStartX, 19);
    EXPECT_EQ(back.m_nStartY, 3);
    ASSERT_EQ(back.m_Event.size(), 1u);
    EXPECT_EQ(back.m_Event[0].m_nX, 19);
    EXPECT_EQ(back.m_Event[0].m_nY, 14);
}

TEST_F(WorldMapTest, NewMapSurvivesSaveLoadSaveByteForByte)
{
    WorldMapRecord map;
    map.CellAt(3, 4) = 7;
    map.m_Chip[2].m_strText = "山";
    map.m_Event.push_back(StageEvent(1, 2, {1, 2}));
    map.m_Event[0].m_strName = "城";
    map.m_Event[0].m_Page[1].m_strStageFile = "data\\stg\\a.stg_276";
    ASSERT_EQ(SaveRecordFile(map, "WorldMap.dat"), 1);
    std::vector<unsigned char> saved = m_Folder.ReadFile("WorldMap.dat");

    WorldMapRecord back;
    ASSERT_EQ(LoadRecordFile(back, "WorldMap.dat", 0), 1);
    EXPECT_EQ(back.CellAt(3, 4), 7);
    ASSERT_EQ(SaveRecordFile(back, "again.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again.dat")), HexBytes(saved));

    // The record image leads: eight ints and the two strings.
    std::vector<unsigned char> head =
        ByteBuilder().Int(276).Int(8).Ints({20, 15, 32, 5, 9, 7, 16, 0}).Int(2).String("ワールド").String("");
    EXPECT_EQ(HexBytes({saved.begin(), saved.begin() + static_cast<long>(head.size())}), HexBytes(head));
}

TEST_F(WorldMapTest, VersionNinetyFivePageLoadsAsAStage)
{
    ByteBuilder b;
    MapHead(b, 95, 2, 1, 2, 2).Int(2).Ints({5, 6});
    // One placed event with one page of nine ints (no kind yet).
    b.Int(1).Int(2).Ints({1, 0}).Int(1).String("E");
    b.Int(1).Int(9).Ints({3, 12, 1, 0, 0, 0, 0, 0, 0}).Int(1).String("s.stg");
    b.Int(0);
    m_Folder.WriteFile("WorldMap.dat", b);

    WorldMapRecord map;
    ASSERT_EQ(LoadRecordFile(map, "WorldMap.dat", 0), 1);
    ASSERT_EQ(map.m_Event.size(), 1u);
    const WorldMapEventPage& page = map.m_Event[0].m_Page.At(0);
    EXPECT_EQ(page.m_nKind, 0);
    EXPECT_EQ(page.m_nGraphic, 3);
    EXPECT_EQ(page.m_nStageNumber, 12);
    EXPECT_EQ(page.m_strStageFile, "s.stg");
    EXPECT_TRUE(map.m_Palette.empty());
    EXPECT_EQ(map.m_Chip[3].m_strPassLabel, "x");
}

TEST_F(WorldMapTest, GridFollowsTheWidthNotTheStoredPitch)
{
    WorldMapRecord map;
    map.m_strBackImage = "old.bmp";
    map.m_bUseBackImage = 1;

    // Stored pitch 8 and shift 3 for a width of 2, five cells for a 2 x 2 map.
    ByteBuilder b;
    b.Int(276).Int(8).Ints({2, 2, 8, 3, 0, 0, 16, 0}).Int(1).String("W").Int(0);
    b.Int(5).Ints({1, 2, 3, 4, 5}).Int(0).Int(0);
    m_Folder.WriteFile("WorldMap.dat", b);
    ASSERT_EQ(LoadRecordFile(map, "WorldMap.dat", 0), 1);
    EXPECT_EQ(map.m_nShift, 2);
    EXPECT_EQ(map.m_nPitch, 4);
    EXPECT_EQ(map.m_Cell, (CheckedVector<int32_t>{1, 2, 3, 4, 5, 0, 0, 0}));
    // Members the file lacks take the defaults, not what the map held before.
    EXPECT_EQ(map.m_strBackImage, "");
    EXPECT_TRUE(map.m_Chip.empty());
}

TEST_F(WorldMapTest, CorruptSizeLeavesTheMapAsItWas)
{
    WorldMapRecord map;
    map.m_strName = "kept";
    for (int32_t width : {-1, kMaxMapSide + 1})
    {
        ByteBuilder b;
        b.Int(276).Int(8).Ints({width, 2, 8, 3, 0, 0, 16, 0}).Int(0).Int(0).Int(0).Int(0).Int(0);
        m_Folder.WriteFile("WorldMap.dat", b);
        EXPECT_EQ(LoadRecordFile(map, "WorldMap.dat", 0), 0);
        EXPECT_EQ(map.m_strName, "kept");
        EXPECT_EQ(map.m_nWidth, 20);
    }
}

TEST_F(WorldMapTest, FreeStageNumbersSkipTheUsedOnes)
{
    WorldMapRecord map;
    map.m_Event.push_back(StageEvent(0, 0, {1, 2}));
    map.m_Event.push_back(StageEvent(1, 0, {4}));
    map.m_Event.push_back(StageEvent(2, 0, {3}));
    map.m_Event[2].m_Page[0].m_nKind = 1; // a road's number does not count
    EXPECT_EQ(map.FindFreeStageNumber(nullptr), 3);
    EXPECT_EQ(map.FindFreeStageNumber(&map.m_Event[0]), 1);

    WorldMapEvent placing = StageEvent(5, 5, {0, 0, 0});
    placing.m_Page[1].m_nKind = 2;
    map.AssignStageNumbers(placing, &placing);
    EXPECT_EQ(placing.m_Page[0].m_nStageNumber, 3);
    EXPECT_EQ(placing.m_Page[1].m_nStageNumber, 0);
    EXPECT_EQ(placing.m_Page[2].m_nStageNumber, 3);

    WorldMapRecord full;
    WorldMapEvent all;
    for (int32_t n = 1; n <= 999; ++n)
    {
        all.m_Page.push_back(StageEvent(0, 0, {n}).m_Page[0]);
    }
    full.m_Event.push_back(all);
    EXPECT_EQ(full.FindFreeStageNumber(nullptr), 0);
}

TEST_F(WorldMapTest, PlacingAndRemovingEvents)
{
    WorldMapRecord map;
    WorldMapEvent a = StageEvent(0, 0, {1});
    a.m_strName = "a";
    map.PutEvent(a, 3, 4);
    EXPECT_EQ(a.m_nX, 3);
    WorldMapEvent b = StageEvent(0, 0, {2});
    b.m_strName = "b";
    map.PutEvent(b, 3, 4); // replaces a
    ASSERT_EQ(map.m_Event.size(), 1u);
    EXPECT_EQ(map.FindEventAt(3, 4)->m_strName, "b");
    EXPECT_TRUE(map.HasEventAt(3, 4));
    EXPECT_EQ(map.FindEventAt(4, 3), nullptr);

    // Putting a placed event elsewhere moves it.
    map.PutEvent(map.m_Event[0], 6, 6);
    ASSERT_EQ(map.m_Event.size(), 1u);
    EXPECT_FALSE(map.HasEventAt(3, 4));
    EXPECT_TRUE(map.HasEventAt(6, 6));

    EXPECT_FALSE(map.RemoveEvent(&b));
    EXPECT_TRUE(map.RemoveEvent(&map.m_Event[0]));
    map.PutEvent(a, 1, 1);
    EXPECT_FALSE(map.RemoveEventAt(2, 2));
    EXPECT_TRUE(map.RemoveEventAt(1, 1));
    EXPECT_TRUE(map.m_Event.empty());

    map.CellAt(1, 1) = 4;
    map.ClearChips();
    EXPECT_EQ(map.CellAt(1, 1), 0);
}

} // namespace
