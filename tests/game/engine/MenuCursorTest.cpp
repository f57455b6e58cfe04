#include "game/engine/MenuCursor.h"

#include <gtest/gtest.h>

namespace
{

InputState Directions(uint16_t directions)
{
    InputState input;
    input.m_nDirections = directions;
    return input;
}

TEST(MenuCursorTest, GridMovesWrapAtTheEdges)
{
    struct Case
    {
        const char* m_pWhat;
        int32_t m_nColumn;
        int32_t m_nRow;
        uint16_t m_nDirections;
        int32_t m_nColumns;
        int32_t m_nRows;
        CursorEntry m_Expected;
    };
    // x0 100, y0 50, steps 40 across and 20 down.
    const Case kCases[] = {
        {"left from column 0 to the last column", 0, 1, kInputLeft, 3, 4, {2, 1, 180, 70}},
        {"down from the last row to row 0", 1, 3, kInputDown, 3, 4, {1, 0, 140, 50}},
        {"right from the last column to column 0", 2, 0, kInputRight, 3, 4, {0, 0, 100, 50}},
        {"up from row 0 to the last row", 0, 0, kInputUp, 3, 4, {0, 3, 100, 110}},
        {"left wins over right, up over down",
         1,
         1,
         kInputLeft | kInputRight | kInputUp | kInputDown,
         3,
         4,
         {0, 0, 100, 50}},
        {"a diagonal", 1, 1, kInputRight | kInputDown, 3, 4, {2, 2, 180, 90}},
        {"no move still sets the position", 2, 3, 0, 3, 4, {2, 3, 180, 110}},
        {"a position past the grid goes to 0", 7, 9, 0, 3, 4, {0, 0, 100, 50}},
        {"an empty grid keeps 0", 0, 0, kInputLeft | kInputUp, 0, 0, {0, 0, 100, 50}},
    };
    for (const Case& c : kCases)
    {
        MenuCursorStack cursor;
        cursor.Current() = {c.m_nColumn, c.m_nRow, -1, -1};
        const int32_t y = MoveGrid(cursor, Directions(c.m_nDirections), 100, 50, 40, 20, c.m_nColumns, c.m_nRows);
        EXPECT_EQ(cursor.Current(), c.m_Expected) << c.m_pWhat;
        EXPECT_EQ(y, c.m_Expected.m_nY) << c.m_pWhat;
    }

    MenuCursorStack cursor;
    cursor.Current() = {1, 1, 7, 7};
    EXPECT_EQ(MoveGrid(cursor, Directions(kInputRight), 100, 50, 40, 20, -1, 4), 0);
    EXPECT_EQ(MoveGrid(cursor, Directions(kInputRight), 100, 50, 40, 20, 3, -1), 0);
    EXPECT_EQ(cursor.Current(), (CursorEntry{1, 1, 7, 7}));
}

TEST(MenuCursorTest, ListMovesScrollAndTurnPages)
{
    struct Case
    {
        const char* m_pWhat;
        int32_t m_nIndex;
        int32_t m_nFirst;
        uint16_t m_nDirections;
        bool m_bPaging;
        int32_t m_nItems;
        int32_t m_nExpectedIndex;
        int32_t m_nExpectedFirst;
    };
    // Four lines visible.
    const Case kCases[] = {
        {"down from the last visible line scrolls", 3, 0, kInputDown, false, 10, 4, 1},
        {"down inside the window", 1, 0, kInputDown, false, 10, 2, 0},
        {"down on the last item stays", 9, 6, kInputDown, false, 10, 9, 6},
        {"up from the first visible line scrolls", 4, 4, kInputUp, false, 10, 3, 3},
        {"up on the first item stays", 0, 0, kInputUp, false, 10, 0, 0},
        {"right turns a page", 1, 0, kInputRight, true, 10, 4, 3},
        {"right on the last page goes to the last item", 7, 6, kInputRight, true, 10, 9, 6},
        {"right near the end stops at the last page", 5, 4, kInputRight, true, 10, 8, 6},
        {"left turns a page back", 8, 6, kInputLeft, true, 10, 5, 3},
        {"left on the first page goes to the first item", 2, 0, kInputLeft, true, 10, 0, 0},
        {"left near the start stops at the first page", 3, 1, kInputLeft, true, 10, 0, 0},
        {"without paging right and left do nothing", 2, 1, kInputRight, false, 10, 2, 1},
        {"down then a page in one frame", 3, 0, kInputDown | kInputRight, true, 10, 7, 4},
        {"fewer items than lines", 2, 0, kInputDown, false, 3, 2, 0},
        {"fewer items than lines, paging right", 0, 0, kInputRight, true, 3, 2, 0},
        {"an index past a shrunk list", 12, 8, 0, false, 5, 4, 1},
        {"an empty list", 0, 0, kInputDown, true, 0, 0, 0},
    };
    for (bool byRow : {true, false})
    {
        for (const Case& c : kCases)
        {
            MenuCursorStack cursor;
            int32_t& index = byRow ? cursor.Current().m_nRow : cursor.Current().m_nColumn;
            index = c.m_nIndex;
            int32_t first = c.m_nFirst;
            MoveList(cursor, Directions(c.m_nDirections), byRow, first, 30, 16, 200, 4, c.m_nItems, c.m_bPaging);
            const std::string what = std::string(c.m_pWhat) + (byRow ? " (rows)" : " (columns)");
            EXPECT_EQ(index, c.m_nExpectedIndex) << what;
            EXPECT_EQ(first, c.m_nExpectedFirst) << what;
            const int32_t along = 30 + 16 * (c.m_nExpectedIndex - c.m_nExpectedFirst);
            EXPECT_EQ(cursor.Current().m_nX, byRow ? 200 : along) << what;
            EXPECT_EQ(cursor.Current().m_nY, byRow ? along : 200) << what;
            // The other coordinate of the entry is not touched.
            EXPECT_EQ(byRow ? cursor.Current().m_nColumn : cursor.Current().m_nRow, 0) << what;
        }
    }
}

TEST(MenuCursorTest, PushAtOpensALevelAtAPosition)
{
    MenuCursorStack cursor;
    cursor.Current() = {1, 2, 3, 4};
    cursor.PushAt(5, 6);
    EXPECT_EQ(cursor.Count(), 2);
    EXPECT_EQ(cursor.Current(), (CursorEntry{5, 6, 0, 0}));
    EXPECT_EQ(*cursor.Previous(), (CursorEntry{1, 2, 3, 4}));
    cursor.PushAt(7, 8);
    cursor.Current().m_nX = 99;
    cursor.Collapse(); // three levels down to one holding the top's values
    EXPECT_EQ(cursor.Count(), 1);
    EXPECT_EQ(cursor.Current(), (CursorEntry{7, 8, 99, 0}));
    cursor.Pop(0); // one entry: nothing happens
    EXPECT_EQ(cursor.Current(), (CursorEntry{7, 8, 99, 0}));
}

} // namespace
