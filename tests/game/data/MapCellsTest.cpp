#include "GameDataTest.h"
#include "game/data/MapCells.h"

#include <limits>

namespace
{

using MapCellsTest = GameDataTest;

TEST_F(MapCellsTest, CellIndexClampsIntoTheStage)
{
    ASSERT_EQ(Stage.m_nWidth, 20);
    ASSERT_EQ(Stage.m_nHeight, 15);
    ASSERT_EQ(Stage.m_nShift, 5);
    struct Case
    {
        int32_t x, y, cell;
    };
    const Case cases[] = {
        {-3, 2, 64}, {25, 2, 83}, {4, -1, 4}, {4, 99, 4 + (14 << 5)}, {0, 0, 0}, {19, 14, 19 + (14 << 5)},
        {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 14 << 5},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(GetCellIndex(c.x, c.y), c.cell) << c.x << "," << c.y;
        EXPECT_EQ(GetPointCell(MapPoint{c.x, c.y}), c.cell);
    }
    Stage.ResizeMap(0, 0); // a stage without cells still gives a cell number
    EXPECT_EQ(GetCellIndex(5, 5), 0);
}

TEST_F(MapCellsTest, ChipsUnderPositionsAndTheCursor)
{
    Stage.CellAt(3, 2) = 4;
    MenuCursorStack cursor;
    cursor.Current().m_nColumn = 3;
    cursor.Current().m_nRow = 2;
    EXPECT_EQ(GetCursorCell(cursor), 67);
    EXPECT_EQ(GetChipAtCursor(cursor), 4);
    EXPECT_EQ(GetMapChip(3, 2), 4);
    EXPECT_EQ(GetMapChip(3, -5), 0); // row 0
}

TEST_F(MapCellsTest, PointTestsAndMapTargets)
{
    CheckedVector<MapPoint> points{{1, 2}, {3, 4}};
    EXPECT_EQ(PointListContains({3, 4}, points), 1);
    EXPECT_EQ(PointListContains({4, 3}, points), 0);
    EXPECT_EQ(PointListContainsXY(1, 2, points), 1);
    EXPECT_EQ(PointListContainsXY(1, 2, {}), 0);

    ExplanationPage page;
    EXPECT_EQ(HasMapTarget(page), 0);
    page.m_nShownGroup = 1;
    EXPECT_EQ(HasMapTarget(page), 1);
    page.m_nShownGroup = 0;
    page.m_nCursorMode = 2;
    EXPECT_EQ(HasMapTarget(page), 1);
}

TEST_F(MapCellsTest, WorldEventUnderTheCursor)
{
    WorldMapEvent event;
    event.Init();
    WorldMap.PutEvent(event, 6, 5);
    MenuCursorStack cursor;
    cursor.Current().m_nColumn = 6;
    cursor.Current().m_nRow = 5;
    ASSERT_NE(FindEventAtCursor(WorldMap, cursor), nullptr);
    EXPECT_EQ(FindEventAtCursor(WorldMap, cursor), WorldMap.FindEventAt(6, 5));
    cursor.Current().m_nRow = 4;
    EXPECT_EQ(FindEventAtCursor(WorldMap, cursor), nullptr);
}

TEST_F(MapCellsTest, AnIndexPastTheListsPostsTheCloseAndGoesOn)
{
    // A damaged stage can leave a chip vector shorter than its size says.
    Stage.m_Chip.clear();
    EXPECT_EQ(GetMapChip(3, 2), 0);
    EXPECT_EQ(m_nCloses, 1);
    EXPECT_FALSE(platform::IsFatalErrorRaised());
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "err Vector外参照 [67] ( 0 , 16 )\r\n");
}

} // namespace
