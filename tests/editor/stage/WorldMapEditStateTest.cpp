// The world-map editor's edit state on its own: what opening the editor
// resets, and the bounded snapshot history of the chips and the placed events.
#include "DataFileTest.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "editor/stage/WorldMapEditState.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

WorldMapEvent PlacedEvent(int x, int y, const char* name)
{
    WorldMapEvent event;
    event.Init();
    event.m_nX = x;
    event.m_nY = y;
    event.m_strName = name;
    return event;
}

class WorldMapEditStateTest : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        ResetProjectData();
        m_pEdit->SetFreeMemoryProbe([] { return uint64_t{1} << 40; });
    }
    void TearDown() override
    {
        ResetProjectData();
        DataFileTest::TearDown();
    }

    // An edit as the window makes one: the undo point, then the change.
    void EditCell(int32_t value)
    {
        m_pEdit->RecordUndo(m_Map);
        m_Map.CellAt(0, 0) = value;
    }

    std::unique_ptr<WorldMapEditState> m_pEdit = std::make_unique<WorldMapEditState>();
    WorldMapRecord m_Map;
};

TEST_F(WorldMapEditStateTest, ResetSelectsTheFirstTemplateOnlyWithPlacedEventsAndATemplate)
{
    struct Case
    {
        bool m_bPlaced;
        int m_nTemplates;
        int32_t m_nSelected;
        int32_t m_nBlock;
    };
    // The last row once threw: placed events and no template now select nothing.
    for (const Case& c : {Case{false, 1, -1, 0}, Case{true, 1, 0, 1}, Case{true, 0, -1, 0}})
    {
        WorldMapRecord map;
        map.m_Palette.resize(static_cast<std::size_t>(c.m_nTemplates));
        if (c.m_nTemplates > 0)
        {
            map.m_Palette.At(0) = PlacedEvent(0, 0, "見本");
        }
        if (c.m_bPlaced)
        {
            map.m_Event.push_back(PlacedEvent(1, 1, "村"));
        }
        WorldMapEditState& edit = *m_pEdit;
        edit.SwitchPalette(kPaletteEvent);
        edit.m_nPltNum = 5;
        edit.RecordUndo(map);
        edit.Reset(map);
        EXPECT_EQ(edit.m_nPalette, kPaletteMapChip);
        EXPECT_EQ(edit.m_nPltNum, 0);
        EXPECT_FALSE(edit.CanUndo());
        EXPECT_EQ(edit.m_pCurrentEvent, nullptr);
        edit.SwitchPalette(kPaletteEvent);
        EXPECT_EQ(edit.m_nPltNum, c.m_nSelected) << c.m_bPlaced << c.m_nTemplates;
        EXPECT_EQ(edit.m_nPaletteRow, c.m_nSelected);
        EXPECT_EQ(edit.m_nBlockWidth, c.m_nBlock);
        EXPECT_EQ(edit.m_nBlockHeight, c.m_nBlock);
        if (c.m_nSelected == 0)
        {
            EXPECT_EQ(edit.m_PutEvent.m_strName, "見本");
        }
        edit.SwitchPalette(kPaletteMapChip);
    }
}

TEST_F(WorldMapEditStateTest, DepthThreeKeepsThreeOfFourStepsAndRedoComesBack)
{
    ASSERT_EQ(EditConfig.UndoDepth(), 3);
    m_Map.Resize(3, 2);
    for (int32_t value = 1; value <= 4; ++value)
    {
        EditCell(value);
    }
    EXPECT_EQ(m_pEdit->UndoCount(), 3);
    for (int32_t expected : {3, 2, 1, 1})
    {
        m_pEdit->Undo(m_Map);
        EXPECT_EQ(m_Map.CellAt(0, 0), expected);
    }
    EXPECT_EQ(m_pEdit->RedoCount(), 3);
    m_pEdit->Redo(m_Map);
    m_pEdit->Redo(m_Map);
    EXPECT_EQ(m_Map.CellAt(0, 0), 3);
    // A new edit drops what could be redone.
    EditCell(9);
    EXPECT_FALSE(m_pEdit->CanRedo());
}

TEST_F(WorldMapEditStateTest, UndoBringsBackTheEventsOfTheSameStep)
{
    m_Map.Resize(4, 4);
    m_Map.m_Event.push_back(PlacedEvent(2, 2, "城"));
    m_pEdit->m_pCurrentEvent = &m_Map.m_Event.At(0);
    // A cut: the event goes, together with a chip painted in the same step.
    m_pEdit->RecordUndo(m_Map);
    m_Map.RemoveEventAt(2, 2);
    m_Map.CellAt(1, 1) = 7;
    m_pEdit->Undo(m_Map);
    ASSERT_EQ(m_Map.m_Event.Count(), 1);
    EXPECT_EQ(m_Map.m_Event.At(0).m_strName, "城");
    EXPECT_EQ(m_Map.CellAt(1, 1), 0);
    // It pointed into the events replaced.
    EXPECT_EQ(m_pEdit->m_pCurrentEvent, nullptr);

    // An empty history: nothing happens.
    m_pEdit->ClearHistory();
    m_pEdit->Undo(m_Map);
    m_pEdit->Redo(m_Map);
    EXPECT_EQ(m_Map.m_Event.Count(), 1);
}

TEST_F(WorldMapEditStateTest, TooLittleMemoryClearsTheWholeHistory)
{
    m_Map.Resize(4, 4);
    EditCell(1);
    EditCell(2);
    m_pEdit->Undo(m_Map);
    ASSERT_TRUE(m_pEdit->CanRedo());
    uint64_t estimate = WorldMapEditState::GetSnapshotSize(m_Map.m_Cell, m_Map.m_Event);
    m_pEdit->SetFreeMemoryProbe([estimate] { return estimate; });
    EditCell(3);
    EXPECT_FALSE(m_pEdit->CanUndo());
    EXPECT_FALSE(m_pEdit->CanRedo());
    EXPECT_EQ(m_Map.CellAt(0, 0), 3);
}

} // namespace
