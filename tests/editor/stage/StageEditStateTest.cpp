#include "StageEditorFixture.h"

#include <gtest/gtest.h>

namespace
{

using namespace stagetest;

using StageEditStateTest = StageEditorFixture;

TEST_F(StageEditStateTest, ResetStartsTheViewOnThePenOfTheMapChipPalette)
{
    struct Case
    {
        int m_nPlacedEvents;
        PaletteSlot m_EventSlot;
    };
    for (Case c : {Case{0, {0, 0, -1, -1, 0, 0}}, Case{2, {0, 0, 0, 0, 1, 1}}})
    {
        SCOPED_TRACE(c.m_nPlacedEvents);
        m_Stage.m_Event.clear();
        for (int i = 0; i < c.m_nPlacedEvents; ++i)
        {
            AddEvent(i, 0, 1);
        }
        m_Edit.SwitchPalette(kPaletteEvent);
        m_Edit.SetPenMode(kToolFill);
        m_Edit.m_nPickX = 4;
        m_Edit.m_nBlockWidth = 7;
        m_Edit.m_pEditedEvent = &m_Stage.m_PaletteEvent.At(0);
        m_Edit.m_strStageFile = "data\\stg\\a.stg_276";
        m_Edit.RecordUndo(m_Stage);

        m_Edit.Reset(m_Stage);
        EXPECT_EQ(m_Edit.m_nPalette, kPaletteMapChip);
        EXPECT_EQ(m_Edit.m_nTool, kToolPen);
        EXPECT_EQ(m_Edit.m_nPenMode, kToolPen);
        EXPECT_EQ(m_Edit.m_nPltNum, 0);
        EXPECT_EQ(m_Edit.m_nPickX, -1);
        EXPECT_EQ(m_Edit.m_nPickY, -1);
        EXPECT_EQ(m_Edit.m_nBlockWidth, 1);
        EXPECT_EQ(m_Edit.m_nBlockHeight, 1);
        EXPECT_EQ(m_Edit.m_pEditedEvent, nullptr);
        const PaletteSlot& enemy = m_Edit.m_Slot[kPaletteEnemy];
        EXPECT_EQ(enemy.m_nPltNum, -1);
        EXPECT_EQ(enemy.m_nPaletteRow, -1);
        EXPECT_EQ(enemy.m_nBlockWidth, 0);
        EXPECT_EQ(enemy.m_nBlockHeight, 0);
        const PaletteSlot& event = m_Edit.m_Slot[kPaletteEvent];
        EXPECT_EQ(event.m_nPltNum, c.m_EventSlot.m_nPltNum);
        EXPECT_EQ(event.m_nBlockWidth, c.m_EventSlot.m_nBlockWidth);
        EXPECT_EQ(event.m_nBlockHeight, c.m_EventSlot.m_nBlockHeight);
        // The history and the file name stay.
        EXPECT_TRUE(m_Edit.CanUndo());
        EXPECT_EQ(m_Edit.m_strStageFile, "data\\stg\\a.stg_276");
    }
}

TEST_F(StageEditStateTest, SetPenModeSetsThePenModeOnlyForTheFourTools)
{
    struct Case
    {
        int32_t m_nTool;
        int32_t m_nPenMode;
    };
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{4, 2}, Case{5, 2}, Case{-1, 2}})
    {
        SCOPED_TRACE(c.m_nTool);
        m_Edit.m_nPenMode = 2;
        m_Edit.SetPenMode(c.m_nTool);
        EXPECT_EQ(m_Edit.m_nTool, c.m_nTool);
        EXPECT_EQ(m_Edit.m_nPenMode, c.m_nPenMode);
    }
}

TEST_F(StageEditStateTest, EachPaletteKeepsItsToolStateWhileAnotherIsActive)
{
    m_Edit.SetPenMode(kToolRectangle);
    m_Edit.m_nPltNum = 12;
    m_Edit.m_nBlockWidth = 3;
    m_Edit.m_nBlockHeight = 2;

    m_Edit.SwitchPalette(kPaletteEnemy);
    EXPECT_EQ(m_Edit.m_nPalette, kPaletteEnemy);
    EXPECT_EQ(m_Edit.m_nTool, kToolPen);
    EXPECT_EQ(m_Edit.m_nPltNum, -1);
    EXPECT_EQ(m_Edit.m_nBlockWidth, 0);
    m_Edit.m_nPltNum = 4;
    m_Edit.m_nPaletteRow = 4;
    m_Edit.m_nBlockWidth = 1;
    m_Edit.m_nBlockHeight = 1;

    // The active palette again: nothing is kept or taken up.
    m_Edit.SwitchPalette(kPaletteEnemy);
    EXPECT_EQ(m_Edit.m_nPltNum, 4);

    m_Edit.SwitchPalette(kPaletteMapChip);
    EXPECT_EQ(m_Edit.m_nTool, kToolRectangle);
    EXPECT_EQ(m_Edit.m_nPenMode, kToolRectangle);
    EXPECT_EQ(m_Edit.m_nPltNum, 12);
    EXPECT_EQ(m_Edit.m_nBlockWidth, 3);
    EXPECT_EQ(m_Edit.m_nBlockHeight, 2);

    m_Edit.SwitchPalette(kPaletteEnemy);
    EXPECT_EQ(m_Edit.m_nPltNum, 4);
    EXPECT_EQ(m_Edit.m_nPaletteRow, 4);
    EXPECT_EQ(m_Edit.m_nBlockWidth, 1);
}

TEST_F(StageEditStateTest, PointToCellFollowsTheScrollAndIgnoresPointsOutsideTheView)
{
    StageViewport viewport{3, 2, 100, 70};
    CursorEntry entry{9, 9, 9, 9};
    EXPECT_TRUE(viewport.PointToCell(65, 33, entry));
    EXPECT_EQ(entry, (CursorEntry{5, 3, 64, 32}));
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {100, 0}, {0, 70}})
    {
        EXPECT_FALSE(viewport.PointToCell(x, y, entry));
        EXPECT_EQ(entry, (CursorEntry{5, 3, 64, 32}));
    }
}

} // namespace
