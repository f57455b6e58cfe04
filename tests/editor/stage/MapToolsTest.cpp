#include "StageEditorFixture.h"
#include "editor/stage/MapWalks.h"

#include <gtest/gtest.h>

namespace
{

using namespace stagetest;

using Cell = std::pair<int, int>;
using Cells = std::vector<Cell>;

class MapToolsTest : public StageEditorFixture
{
protected:
    // Press on the first cell, drag through the middle ones, release on the last.
    void Run(const Cells& path)
    {
        LeftDown(path.front().first, path.front().second);
        for (std::size_t i = 1; i + 1 < path.size(); ++i)
        {
            DragTo(path[i].first, path[i].second);
        }
        if (path.size() > 1)
        {
            DragTo(path.back().first, path.back().second);
        }
        LeftUp(path.back().first, path.back().second);
    }

    // The event palette active with template 0, of this name, chosen to place.
    void ChooseTemplate(const char* name)
    {
        m_Edit.SwitchPalette(kPaletteEvent);
        m_Edit.m_nPltNum = 0;
        m_Edit.m_nBlockWidth = 1;
        m_Edit.m_nBlockHeight = 1;
        m_Edit.m_PutEvent.Init();
        m_Edit.m_PutEvent.m_strName = name;
    }
};

TEST(MapWalksTest, TheLineVisitsItsReferenceCells)
{
    struct Case
    {
        Cell m_From;
        Cell m_To;
        Cells m_Visited;
    };
    const Case cases[] = {
        {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        {{5, 2}, {0, 0}, {{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}, {0, 0}}},
        {{10, 3}, {2, 5}, {{10, 3}, {9, 3}, {8, 4}, {7, 4}, {6, 4}, {5, 4}, {4, 5}, {3, 5}, {2, 5}}},
        {{1, 1}, {1, 4}, {{1, 1}, {1, 2}, {1, 3}, {1, 4}}},
        {{4, 4}, {4, 4}, {{4, 4}, {4, 4}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_From.first << "," << c.m_From.second << " -> " << c.m_To.first << ","
                                        << c.m_To.second);
        Cells visited;
        WalkLine(c.m_From.first, c.m_From.second, c.m_To.first, c.m_To.second, 1,
                 [&](int column, int row, int) { visited.emplace_back(column, row); });
        EXPECT_EQ(visited, c.m_Visited);
    }
}

TEST(MapWalksTest, TheLineRunsThroughTheBlockAndStopsAfterItsLastRound)
{
    std::vector<int> columns;
    WalkLine(4, 4, 4, 4, 3, [&](int, int, int k) { columns.push_back(k); });
    EXPECT_EQ(columns, (std::vector<int>{0, 1}));

    columns.clear();
    WalkLine(0, 0, 6, 0, 3, [&](int, int, int k) { columns.push_back(k); });
    EXPECT_EQ(columns, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));

    int rounds = 0;
    Cell last;
    WalkLine(0, 0, 300, 0, 1, [&](int column, int row, int) {
        ++rounds;
        last = {column, row};
    });
    EXPECT_EQ(rounds, kMaxLineRounds);
    EXPECT_EQ(last, Cell(199, 0));
}

// Golden maps of the chip tools: the map before, the picked block, the mouse
// path and the map after. Every case is one undo step that brings back the
// map before, started with the decide sound.
TEST_F(MapToolsTest, ChipToolsDrawTheirGoldenMaps)
{
    struct Case
    {
        const char* m_pszName;
        int32_t m_nTool;
        std::vector<std::string> m_Before;
        std::vector<std::string> m_Block;
        Cells m_Path;
        std::vector<std::string> m_After;
    };
    const Case cases[] = {
        {"pen block at the corner writes only inside", kToolPen, {"0000", "0000", "0000"}, {"12", "34"}, {{3, 2}},
         {"0000", "0000", "0001"}},
        {"pen drag", kToolPen, {"0000", "0000"}, {"1"}, {{0, 0}, {1, 0}, {1, 1}}, {"1100", "0100"}},
        {"pen skips entries that name no land", kToolPen, {"000", "000"}, {"18", "92"}, {{0, 0}},
         {"100", "020"}},
        {"line to the lower right", kToolLine, {"000000", "000000", "000000"}, {"1"}, {{0, 0}, {3, 1}, {5, 2}},
         {"110000", "001100", "000011"}},
        {"line to the upper left", kToolLine, {"000000", "000000", "000000"}, {"1"}, {{5, 2}, {0, 0}},
         {"110000", "001100", "000011"}},
        {"line repeats the block's first row", kToolLine, {"000000", "000000"}, {"123", "444"}, {{0, 0}, {5, 0}},
         {"123123", "000000"}},
        {"line click writes the start cell twice", kToolLine, {"000", "000"}, {"12"}, {{1, 1}}, {"000", "020"}},
        {"line skips entries that name no land", kToolLine, {"0000"}, {"19"}, {{0, 0}, {3, 0}}, {"1010"}},
        {"rectangle carries the block column over rows", kToolRectangle, {"000", "000", "000"}, {"12"},
         {{0, 0}, {2, 2}}, {"121", "212", "121"}},
        {"rectangle from the lower right corner", kToolRectangle, {"000", "000", "000"}, {"12"}, {{2, 2}, {0, 0}},
         {"121", "212", "121"}},
        {"rectangle with a 2 x 2 block", kToolRectangle, {"000", "000"}, {"12", "34"}, {{0, 0}, {2, 1}},
         {"121", "434"}},
        {"rectangle rows stop at the right edge", kToolRectangle, {"000", "000"}, {"12"}, {{1, 0}, {4, 1}},
         {"012", "012"}},
        {"fill is aligned to the clicked cell", kToolFill, {"0000", "0000", "0000"}, {"12", "34"}, {{1, 1}},
         {"4343", "2121", "4343"}},
        {"fill keeps to its region", kToolFill, {"0010", "0010", "1110"}, {"2"}, {{0, 0}},
         {"2210", "2210", "1110"}},
        {"fill skips entries that name no land", kToolFill, {"0000", "0000"}, {"17"}, {{0, 0}},
         {"1010", "1010"}},
        {"fill of the chip it holds", kToolFill, {"11", "11"}, {"1"}, {{1, 1}}, {"11", "11"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        m_Edit.ClearHistory();
        m_Sounds.m_Played.clear();
        SetMap(c.m_Before);
        PickChips(c.m_Block);
        m_Edit.SetPenMode(c.m_nTool);

        Run(c.m_Path);
        EXPECT_EQ(MapRows(), c.m_After);
        EXPECT_EQ(m_Sounds.m_Played, std::vector<EditorSound>{kSoundDecide});
        ASSERT_EQ(m_Edit.UndoLists().Count(), 1);
        m_Edit.Undo(m_Stage);
        EXPECT_EQ(MapRows(), c.m_Before);
    }
}

TEST_F(MapToolsTest, ARefusedPressPlaysTheErrorSoundAndChangesNothing)
{
    struct Case
    {
        const char* m_pszName;
        int32_t m_nTool;
        int m_nLands;
        std::string m_Block;
    };
    const Case cases[] = {
        {"pen, first entry past the lands", kToolPen, 5, "51"}, {"line, first entry past the lands", kToolLine, 5, "51"},
        {"rectangle, first entry past the lands", kToolRectangle, 5, "51"},
        {"fill, first entry past the lands", kToolFill, 5, "51"}, {"pen without lands", kToolPen, 0, "01"},
        {"fill without lands", kToolFill, 0, "00"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        LandTable.resize(static_cast<std::size_t>(c.m_nLands));
        m_Sounds.m_Played.clear();
        SetMap({"0000", "0000"});
        PickChips({c.m_Block});
        m_Edit.SetPenMode(c.m_nTool);

        // The drag and the release that follow draw nothing either.
        Run({{0, 0}, {1, 0}, {3, 1}});
        EXPECT_EQ(MapRows(), (std::vector<std::string>{"0000", "0000"}));
        EXPECT_EQ(m_Sounds.m_Played, std::vector<EditorSound>{kSoundError});
        EXPECT_FALSE(m_Edit.CanUndo());
    }
}

TEST_F(MapToolsTest, ADragOrReleaseWithoutAPressOnTheMapDrawsNothing)
{
    for (int32_t tool : {kToolPen, kToolLine, kToolRectangle})
    {
        SCOPED_TRACE(tool);
        SetMap({"0000"});
        PickChips({"1"});
        m_Edit.SetPenMode(tool);
        DragTo(1, 0);
        DragTo(2, 0);
        LeftUp(3, 0);
        EXPECT_EQ(MapRows(), std::vector<std::string>{"0000"});
        EXPECT_TRUE(m_Sounds.m_Played.empty());
        EXPECT_FALSE(m_Edit.CanUndo());
    }
}

TEST_F(MapToolsTest, APenDragCarriesThePickedEnemyAndTakesOthersOffTheMap)
{
    AddPlacement(1, -1, -1);
    AddPlacement(2, 1, 0);
    AddPlacement(2, 3, 0);
    m_Edit.SwitchPalette(kPaletteEnemy);
    m_Edit.m_PickedEnemy[0][0] = 0;
    m_Edit.m_nBlockWidth = 1;
    m_Edit.m_nBlockHeight = 1;

    Run({{0, 0}, {1, 0}, {2, 0}});
    EXPECT_EQ(m_Stage.m_Enemy.At(0).m_nX, 2);
    EXPECT_EQ(m_Stage.m_Enemy.At(0).m_nY, 0);
    EXPECT_EQ(m_Stage.m_Enemy.At(1).m_nX, -1);
    EXPECT_EQ(m_Stage.m_Enemy.At(2).m_nX, 3);
    EXPECT_EQ(m_Edit.UndoLists().Count(), 1);
    EXPECT_EQ(m_Sounds.m_Played, std::vector<EditorSound>{kSoundDecide});
    EXPECT_GT(m_Host.m_nRefreshes, 0);

    // An empty or stale block entry only clears the cell.
    for (int32_t picked : {-1, 7})
    {
        m_Edit.m_PickedEnemy[0][0] = picked;
        Click(3, 0);
        EXPECT_EQ(m_Stage.m_Enemy.At(2).m_nX, -1);
        EXPECT_EQ(m_Stage.m_Enemy.At(0).m_nX, 2);
        m_Stage.m_Enemy.At(2).m_nX = 3;
    }
}

TEST_F(MapToolsTest, ThePenPlacesEventsDirectlyOrThroughTheEventDialog)
{
    enum Dialog
    {
        kNoDialog,
        kDialogOnNewEvent,
        kDialogOnPlacedEvent,
    };
    struct Case
    {
        const char* m_pszName;
        int32_t m_bEditPlaced;
        int32_t m_bEditBefore;
        bool m_bEventThere;
        int m_nDialogResult;
        Dialog m_Dialog;
        const char* m_pszNameAtCell; // null: no event there afterwards
        int m_nUndoSteps;            // the pen's own, plus the dialog's on OK
    };
    const Case cases[] = {
        {"placed directly", 0, 0, false, 1, kNoDialog, "宝箱", 1},
        {"placed directly over an event", 0, 0, true, 1, kNoDialog, "宝箱", 1},
        {"edited before placing, OK", 0, 1, false, 1, kDialogOnNewEvent, "宝箱", 1},
        {"edited before placing, cancelled", 0, 1, false, 0, kDialogOnNewEvent, nullptr, 0},
        {"an event there is edited", 1, 1, true, 1, kDialogOnPlacedEvent, "扉", 1},
        {"an empty cell with edit-placed only", 1, 0, false, 1, kNoDialog, "宝箱", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        m_Edit.ClearHistory();
        m_Stage.m_Event.clear();
        m_Host.m_DialogEvents.clear();
        m_Host.m_DialogEditExisting.clear();
        if (c.m_bEventThere)
        {
            AddEvent(2, 1, 1).m_strName = "扉";
        }
        EditConfig.m_bEditPlacedEvent = c.m_bEditPlaced;
        EditConfig.m_bEditBeforePlacing = c.m_bEditBefore;
        m_Host.m_nDialogResult = c.m_nDialogResult;
        // The dialog records its undo point only when the author confirms.
        m_Host.m_OnDialog = [&] {
            if (m_Host.m_nDialogResult == 1)
            {
                m_Edit.RecordUndo(m_Stage);
            }
        };
        ChooseTemplate("宝箱");

        Click(2, 1);
        Event* atCell = m_Stage.GetEventAt(2, 1);
        if (c.m_pszNameAtCell)
        {
            ASSERT_NE(atCell, nullptr);
            EXPECT_EQ(atCell->m_strName, c.m_pszNameAtCell);
            EXPECT_EQ(m_Stage.m_Event.Count(), 1);
        }
        else
        {
            EXPECT_EQ(atCell, nullptr);
        }
        switch (c.m_Dialog)
        {
        case kNoDialog:
            EXPECT_TRUE(m_Host.m_DialogEvents.empty());
            break;
        case kDialogOnNewEvent:
            EXPECT_EQ(m_Host.m_DialogEvents, std::vector<Event*>{&m_Tools.m_NewEvent});
            EXPECT_EQ(m_Host.m_DialogEditExisting, std::vector<int32_t>{0});
            EXPECT_EQ(m_Tools.m_nNewEventX, 2);
            EXPECT_EQ(m_Tools.m_nNewEventY, 1);
            break;
        case kDialogOnPlacedEvent:
            EXPECT_EQ(m_Host.m_DialogEvents, std::vector<Event*>{atCell});
            EXPECT_EQ(m_Host.m_DialogEditExisting, std::vector<int32_t>{1});
            break;
        }
        EXPECT_EQ(m_Edit.UndoLists().Count(), c.m_nUndoSteps);
    }
}

TEST_F(MapToolsTest, AnEventPenStrokeFromAnEditedEventTakesAnUndoPointBeforeItPlacesOne)
{
    AddEvent(2, 1, 1).m_strName = "扉";
    EditConfig.m_bEditPlacedEvent = 1;
    EditConfig.m_bEditBeforePlacing = 0;
    m_Host.m_nDialogResult = 0; // the edit of the placed event is cancelled: no undo point from the dialog
    ChooseTemplate("宝箱");

    LeftDown(2, 1);
    EXPECT_FALSE(m_Edit.CanUndo());
    DragTo(3, 1);
    DragTo(4, 1);
    LeftUp(4, 1);
    ASSERT_NE(m_Stage.GetEventAt(3, 1), nullptr);
    ASSERT_NE(m_Stage.GetEventAt(4, 1), nullptr);
    EXPECT_EQ(m_Edit.UndoLists().Count(), 1);

    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Stage.GetEventAt(3, 1), nullptr);
    EXPECT_EQ(m_Stage.GetEventAt(4, 1), nullptr);
    ASSERT_NE(m_Stage.GetEventAt(2, 1), nullptr);
    EXPECT_EQ(m_Stage.GetEventAt(2, 1)->m_strName, "扉");
}

TEST_F(MapToolsTest, ThePenPlacesNoEventWithoutAChosenTemplate)
{
    m_Edit.SwitchPalette(kPaletteEvent);
    ASSERT_EQ(m_Edit.m_nPltNum, -1);
    m_Edit.m_nBlockWidth = 1;
    m_Edit.m_nBlockHeight = 1;
    Click(2, 1);
    EXPECT_TRUE(m_Stage.m_Event.empty());
}

TEST_F(MapToolsTest, ARightDragPicksTheChipBlockUnderIt)
{
    SetMap({"1200", "3400", "0000"});
    m_Edit.SetPenMode(kToolLine);
    m_Edit.m_nPltNum = 3;

    RightDown(1, 1);
    EXPECT_EQ(m_Edit.m_nPenMode, kPenModePicking);
    EXPECT_EQ(m_Edit.m_nPltNum, -1);
    EXPECT_EQ(m_Sounds.m_Played, std::vector<EditorSound>{kSoundCopy});
    Mouse(MapMouseAction::Move, 0, 0, kMouseKeyRight);
    RightUp(0, 0);

    EXPECT_EQ(m_Edit.m_nBlockWidth, 2);
    EXPECT_EQ(m_Edit.m_nBlockHeight, 2);
    EXPECT_EQ(m_Edit.m_PickedChip[0][0], 1);
    EXPECT_EQ(m_Edit.m_PickedChip[0][1], 2);
    EXPECT_EQ(m_Edit.m_PickedChip[1][0], 3);
    EXPECT_EQ(m_Edit.m_PickedChip[1][1], 4);
    EXPECT_EQ(m_Edit.m_nPenMode, kToolLine);
    EXPECT_FALSE(m_Edit.CanUndo());
}

TEST_F(MapToolsTest, APickWiderThanTheBlockKeepsItsFirst64Columns)
{
    std::vector<std::string> rows(2, std::string(70, '0'));
    for (int x = 0; x < 70; ++x)
    {
        rows[0][x] = static_cast<char>('0' + x % 5);
    }
    SetMap(rows);
    for (auto& row : m_Edit.m_PickedChip)
    {
        row.fill(9);
    }

    RightDrag(0, 0, 69, 0);
    EXPECT_EQ(m_Edit.m_nBlockWidth, kMaxBlockSide);
    EXPECT_EQ(m_Edit.m_nBlockHeight, 1);
    for (int c = 0; c < kMaxBlockSide; ++c)
    {
        EXPECT_EQ(m_Edit.m_PickedChip[0][c], c % 5) << c;
    }
    // The row below the picked one is untouched: nothing ran past the block's row.
    for (int c = 0; c < kMaxBlockSide; ++c)
    {
        EXPECT_EQ(m_Edit.m_PickedChip[1][c], 9) << c;
    }
}

TEST_F(MapToolsTest, AnEnemyPickSelectsTheOnePlacementOrClearsTheSelection)
{
    AddPlacement(1, 3, 0);
    AddPlacement(2, 1, 1);
    m_Edit.SwitchPalette(kPaletteEnemy);
    struct Case
    {
        Cell m_From;
        Cell m_To;
        std::vector<std::vector<int32_t>> m_Block;
        int m_nSelectedRow;
    };
    const Case cases[] = {
        {{1, 1}, {1, 1}, {{1}}, 1},
        {{0, 0}, {0, 0}, {{-1}}, -1},
        {{2, 1}, {3, 0}, {{-1, 0}, {-1, -1}}, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_From.first << "," << c.m_From.second);
        m_Host.m_SelectedRows.clear();
        RightDrag(c.m_From.first, c.m_From.second, c.m_To.first, c.m_To.second);
        ASSERT_EQ(m_Edit.m_nBlockHeight, static_cast<int>(c.m_Block.size()));
        ASSERT_EQ(m_Edit.m_nBlockWidth, static_cast<int>(c.m_Block[0].size()));
        for (std::size_t r = 0; r < c.m_Block.size(); ++r)
        {
            for (std::size_t k = 0; k < c.m_Block[r].size(); ++k)
            {
                EXPECT_EQ(m_Edit.m_PickedEnemy[r][k], c.m_Block[r][k]) << r << "," << k;
            }
        }
        EXPECT_EQ(m_Host.m_SelectedRows, std::vector<int>{c.m_nSelectedRow});
    }
}

TEST_F(MapToolsTest, PicksNeedTheirPressAndTheChipOrEnemyPalette)
{
    SetMap({"12", "34"});
    PickChips({"4"});
    RightUp(1, 1); // no press: nothing is picked
    EXPECT_EQ(m_Edit.m_PickedChip[0][0], 4);
    EXPECT_EQ(m_Edit.m_nBlockWidth, 1);

    m_Edit.SwitchPalette(kPaletteEvent);
    RightDrag(0, 0, 1, 1);
    EXPECT_EQ(m_Edit.m_PickedChip[0][0], 4);
    EXPECT_NE(m_Edit.m_nPenMode, kPenModePicking);
    EXPECT_TRUE(m_Sounds.m_Played.empty());
}

TEST_F(MapToolsTest, AFillBeyondTheDepthLimitLeavesCellsAtTheFarEnd)
{
    m_Stage.ResizeMap(100, 100);
    SetViewportFor(m_Stage);
    PickChips({"1"});
    m_Edit.SetPenMode(kToolFill);
    Click(0, 0);

    int filled = 0;
    for (int y = 0; y < 100; ++y)
    {
        for (int x = 0; x < 100; ++x)
        {
            filled += m_Stage.CellAt(x, y) == 1;
        }
    }
    EXPECT_GE(filled, kMaxFillDepth);
    EXPECT_LT(filled, 100 * 100);
    EXPECT_EQ(m_Stage.CellAt(0, 0), 1);
    EXPECT_EQ(m_Stage.CellAt(99, 99), 0);
}

TEST_F(MapToolsTest, AFillClickBesideASmallMapChangesNothing)
{
    SetMap({"00", "00"});
    PickChips({"1"});
    m_Edit.SetPenMode(kToolFill);
    Click(5, 4);
    EXPECT_EQ(MapRows(), (std::vector<std::string>{"00", "00"}));
}

TEST_F(MapToolsTest, TheCursorFollowsTheMouseInsideTheViewOnly)
{
    m_Viewport = {2, 1, 320, 240};
    MapMouseEvent move;
    move.m_nX = 70;
    move.m_nY = 40;
    m_Tools.OnMapMouse(move, m_Viewport);
    EXPECT_EQ(m_Edit.Cursor(), (CursorEntry{4, 2, 64, 32}));
    move.m_nX = 400;
    m_Tools.OnMapMouse(move, m_Viewport);
    EXPECT_EQ(m_Edit.Cursor(), (CursorEntry{4, 2, 64, 32}));
}

} // namespace
