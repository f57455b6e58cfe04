#include "StageEditorFixture.h"

#include <gtest/gtest.h>

namespace
{

using namespace stagetest;

class StageUndoTest : public StageEditorFixture
{
protected:
    // An edit as the tools make one: the undo point, then the change.
    void EditCell(int32_t value)
    {
        m_Edit.RecordUndo(m_Stage);
        m_Stage.CellAt(0, 0) = value;
    }

    // The three parts of the stage that the history keeps, as bytes.
    std::vector<unsigned char> PartsImage()
    {
        DataWriter out;
        for (int32_t cell : m_Stage.m_Chip)
        {
            out.WriteInt32(cell);
        }
        CheckedVector<EnemyPlacement> placements = m_Stage.m_Enemy;
        for (EnemyPlacement& placement : placements)
        {
            placement.Save(out);
        }
        CheckedVector<Event> events = m_Stage.m_Event;
        for (Event& event : events)
        {
            event.Save(out);
        }
        return out.Bytes();
    }

    uint64_t PresentSize() const
    {
        return StageEditState::GetSnapshotSize(m_Stage.m_Chip, m_Stage.m_Enemy, m_Stage.m_Event);
    }
};

TEST_F(StageUndoTest, DepthThreeKeepsThreeOfFourSteps)
{
    ASSERT_EQ(EditConfig.UndoDepth(), 3);
    SetMap({"0000"});
    for (int32_t value = 1; value <= 4; ++value)
    {
        EditCell(value);
    }
    EXPECT_EQ(m_Edit.UndoLists().Count(), 3);

    for (int32_t expected : {3, 2, 1, 1})
    {
        m_Edit.Undo(m_Stage);
        EXPECT_EQ(m_Stage.CellAt(0, 0), expected);
    }
    EXPECT_FALSE(m_Edit.CanUndo());
    EXPECT_EQ(m_Edit.RedoLists().Count(), 3);
}

TEST_F(StageUndoTest, ADepthLoweredSinceDropsTheOldestStepsDownToIt)
{
    SetMap({"0"});
    EditConfig.m_nUndoDepth = 5;
    for (int32_t value = 1; value <= 5; ++value)
    {
        EditCell(value);
    }
    EditConfig.m_nUndoDepth = 0; // read as 1
    EditCell(6);
    ASSERT_EQ(m_Edit.UndoLists().Count(), 1);
    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Stage.CellAt(0, 0), 5);
}

TEST_F(StageUndoTest, SnapshotSizeCountsCellsPlacementsAndEvents)
{
    AddPlacement(1, 0, 0).m_MoveAI.resize(2);
    AddPlacement(2, 1, 0);
    AddEvent(3, 3, 3);
    // 20 x 15 cells in rows of 32.
    EXPECT_EQ(PresentSize(), 4u * 32 * 15 + (68 + 16 * 2) + 68 + (92 + 16 * 3));
}

TEST_F(StageUndoTest, APushIsRefusedUnlessTheFreeMemoryIsAboveTheEstimate)
{
    struct Case
    {
        int64_t m_nFreeOverEstimate;
        bool m_bPushed;
    };
    for (Case c : {Case{-1, false}, Case{0, false}, Case{1, true}})
    {
        SCOPED_TRACE(c.m_nFreeOverEstimate);
        m_Edit.SetFreeMemoryProbe([] { return uint64_t{1} << 40; });
        m_Edit.ClearHistory();
        EditCell(1);
        EditCell(2);
        m_Edit.Undo(m_Stage);
        ASSERT_TRUE(m_Edit.CanUndo());
        ASSERT_TRUE(m_Edit.CanRedo());

        uint64_t free = PresentSize() + c.m_nFreeOverEstimate;
        m_Edit.SetFreeMemoryProbe([free] { return free; });
        EditCell(3);
        EXPECT_EQ(m_Edit.UndoLists().Count(), c.m_bPushed ? 2 : 0);
        EXPECT_FALSE(m_Edit.CanRedo());
        EXPECT_EQ(m_Stage.CellAt(0, 0), 3); // the edit goes on either way
    }
}

TEST_F(StageUndoTest, AnUndoThatCannotKeepThePresentClearsTheHistoryAndRestoresNothing)
{
    EditCell(1);
    EditCell(2);
    m_Edit.SetFreeMemoryProbe([] { return uint64_t{0}; });
    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Stage.CellAt(0, 0), 2);
    EXPECT_FALSE(m_Edit.CanUndo());
    EXPECT_FALSE(m_Edit.CanRedo());
}

TEST_F(StageUndoTest, UndoWithAnEmptyHistoryKeepsTheRedoSteps)
{
    EditCell(1);
    m_Edit.Undo(m_Stage);
    ASSERT_FALSE(m_Edit.CanUndo());
    ASSERT_EQ(m_Edit.RedoLists().Count(), 1);

    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Edit.RedoLists().Count(), 1);
    EXPECT_EQ(m_Stage.CellAt(0, 0), 0);
    m_Edit.Redo(m_Stage);
    EXPECT_EQ(m_Stage.CellAt(0, 0), 1);
}

TEST_F(StageUndoTest, UndoThenRedoRestoresTheStageExactly)
{
    SetMap({"0123", "4321"});
    AddPlacement(1, 0, 0).m_MoveAI.resize(2);
    AddPlacement(2, 3, 1);
    AddEvent(2, 0, 2, 5).m_strName = "宝箱";
    std::vector<unsigned char> before = PartsImage();

    m_Edit.RecordUndo(m_Stage);
    m_Stage.CellAt(1, 1) = 0;
    m_Stage.m_Enemy.At(0).m_nX = -1;
    m_Stage.m_Enemy.At(0).m_MoveAI.At(1).m_nMode = 2;
    m_Stage.m_Event.At(0).m_Page.resize(3);
    AddEvent(1, 1, 1);
    std::vector<unsigned char> after = PartsImage();

    m_Edit.Undo(m_Stage);
    EXPECT_EQ(PartsImage(), before);
    m_Edit.Redo(m_Stage);
    EXPECT_EQ(PartsImage(), after);
    m_Edit.Undo(m_Stage);
    EXPECT_EQ(PartsImage(), before);

    // A new edit after an undo leaves nothing to redo.
    EditCell(4);
    EXPECT_FALSE(m_Edit.CanRedo());
}

TEST_F(StageUndoTest, PlacementsTakenOffTheMapComeBackOnUndo)
{
    AddPlacement(1, -1, -1);
    AddPlacement(2, 2, 1);
    m_Edit.SwitchPalette(kPaletteEnemy);
    m_Edit.m_PickedEnemy[0][0] = 0;
    m_Edit.m_nBlockWidth = 1;
    m_Edit.m_nBlockHeight = 1;

    Click(2, 1);
    ASSERT_EQ(m_Stage.m_Enemy.At(0).m_nX, 2);
    ASSERT_EQ(m_Stage.m_Enemy.At(1).m_nX, -1);

    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Stage.m_Enemy.At(0).m_nX, -1);
    EXPECT_EQ(m_Stage.m_Enemy.At(1).m_nX, 2);
    EXPECT_EQ(m_Stage.m_Enemy.At(1).m_nY, 1);
}

TEST_F(StageUndoTest, TheListenerHearsEveryChangeOfTheHistory)
{
    std::vector<std::pair<bool, bool>> heard; // can undo, can redo
    m_Edit.SetHistoryListener([&] { heard.emplace_back(m_Edit.CanUndo(), m_Edit.CanRedo()); });
    EditCell(1);
    m_Edit.Undo(m_Stage);
    m_Edit.Redo(m_Stage);
    m_Edit.ClearHistory();
    std::vector<std::pair<bool, bool>> expected = {{true, false}, {false, true}, {true, false}, {false, false}};
    EXPECT_EQ(heard, expected);
}

TEST_F(StageUndoTest, UndoForgetsThePointersIntoTheReplacedVectors)
{
    Event& event = AddEvent(1, 1, 1);
    m_Edit.m_pEditedEvent = &event;
    m_Edit.m_pEditedPlacement = &AddPlacement(1, 0, 0);
    EditCell(1);
    m_Edit.Undo(m_Stage);
    EXPECT_EQ(m_Edit.m_pEditedEvent, nullptr);
    EXPECT_EQ(m_Edit.m_pEditedPlacement, nullptr);
}

} // namespace
