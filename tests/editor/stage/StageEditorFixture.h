#pragma once

// Fixture of the stage editor tests: a project with five lands (land n shows
// image n), three enemies of three classes, a stage drawn from rows of digits,
// an edit state of its own, the map tools with a recording host and sound
// sink, and mouse messages addressed by cell.

#include "DataFileTest.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "editor/stage/StageMapTools.h"

#include <functional>
#include <string>
#include <vector>

namespace stagetest
{

class RecordingSounds : public EditorSoundSink
{
public:
    void PlaySound(EditorSound sound) override { m_Played.push_back(sound); }

    std::vector<EditorSound> m_Played;
};

class RecordingHost : public StageEditorHost
{
public:
    explicit RecordingHost(StageEditState& edit) : m_Edit(edit) {}

    void RefreshPalette() override { ++m_nRefreshes; }
    int RunEventDialog() override
    {
        m_DialogEvents.push_back(m_Edit.m_pEditedEvent);
        m_DialogEditExisting.push_back(m_Edit.m_bEditExisting);
        if (m_OnDialog)
        {
            m_OnDialog();
        }
        return m_nDialogResult;
    }
    void SelectEnemyPaletteRow(int row) override { m_SelectedRows.push_back(row); }
    void ShowOutOfMemory() override { ++m_nOutOfMemory; }

    StageEditState& m_Edit;
    int m_nRefreshes = 0;
    int m_nDialogResult = 1;
    std::function<void()> m_OnDialog; // what the dialog does before it closes
    std::vector<Event*> m_DialogEvents;
    std::vector<int32_t> m_DialogEditExisting;
    std::vector<int> m_SelectedRows;
    int m_nOutOfMemory = 0;
};

class StageEditorFixture : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        ResetProjectData();
        LandTable.resize(5);
        for (int i = 0; i < LandTable.Count(); ++i)
        {
            LandTable.At(i).m_nGraphic = i;
        }
        ClassTable.resize(3);
        EnemyTable.resize(3);
        for (int i = 0; i < 3; ++i)
        {
            ClassTable.At(i).m_nGraphic = i;
            EnemyTable.At(i).m_nClass = i;
        }
        m_Stage = StageRecord();
        m_Edit.SetFreeMemoryProbe([] { return uint64_t{1} << 40; });
        SetViewportFor(m_Stage);
    }
    void TearDown() override
    {
        // No tool or paint step may reach outside the stage's vectors.
        EXPECT_FALSE(platform::IsFatalErrorRaised());
        ResetProjectData();
        DataFileTest::TearDown();
    }

    // The stage takes the size and cells of the rows ('0'..'9' per cell).
    void SetMap(const std::vector<std::string>& rows)
    {
        m_Stage.ResizeMap(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()));
        for (int y = 0; y < m_Stage.m_nHeight; ++y)
        {
            for (int x = 0; x < m_Stage.m_nWidth; ++x)
            {
                m_Stage.CellAt(x, y) = rows[y][x] - '0';
            }
        }
        if (m_bViewportFollowsMap)
        {
            SetViewportFor(m_Stage);
        }
    }

    std::vector<std::string> MapRows()
    {
        std::vector<std::string> rows;
        for (int y = 0; y < m_Stage.m_nHeight; ++y)
        {
            std::string row;
            for (int x = 0; x < m_Stage.m_nWidth; ++x)
            {
                int32_t cell = m_Stage.CellAt(x, y);
                row += cell >= 0 && cell <= 9 ? static_cast<char>('0' + cell) : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

    // A view large enough to show the whole stage from its top left cell.
    void SetViewportFor(const StageRecord& stage)
    {
        m_Viewport = {0, 0, std::max(stage.m_nWidth, 20) * kMapCellSize, std::max(stage.m_nHeight, 15) * kMapCellSize};
    }

    // The picked chip block, one string per row.
    void PickChips(const std::vector<std::string>& rows)
    {
        for (std::size_t r = 0; r < rows.size(); ++r)
        {
            for (std::size_t c = 0; c < rows[r].size(); ++c)
            {
                m_Edit.m_PickedChip[r][c] = rows[r][c] - '0';
            }
        }
        m_Edit.m_nBlockWidth = static_cast<int32_t>(rows.at(0).size());
        m_Edit.m_nBlockHeight = static_cast<int32_t>(rows.size());
    }

    void Mouse(MapMouseAction action, int column, int row, int keys)
    {
        MapMouseEvent event;
        event.m_Action = action;
        event.m_nX = (column - m_Viewport.m_nScrollColumn) * kMapCellSize + 5;
        event.m_nY = (row - m_Viewport.m_nScrollRow) * kMapCellSize + 7;
        event.m_nKeys = keys;
        m_Tools.OnMapMouse(event, m_Viewport);
    }
    void LeftDown(int column, int row) { Mouse(MapMouseAction::LeftDown, column, row, kMouseKeyLeft); }
    void DragTo(int column, int row) { Mouse(MapMouseAction::Move, column, row, kMouseKeyLeft); }
    void MoveTo(int column, int row) { Mouse(MapMouseAction::Move, column, row, 0); }
    void LeftUp(int column, int row) { Mouse(MapMouseAction::LeftUp, column, row, 0); }
    void RightDown(int column, int row) { Mouse(MapMouseAction::RightDown, column, row, kMouseKeyRight); }
    void RightUp(int column, int row) { Mouse(MapMouseAction::RightUp, column, row, 0); }
    void Click(int column, int row)
    {
        LeftDown(column, row);
        LeftUp(column, row);
    }
    void Stroke(int fromColumn, int fromRow, int toColumn, int toRow)
    {
        LeftDown(fromColumn, fromRow);
        DragTo(toColumn, toRow);
        LeftUp(toColumn, toRow);
    }
    void RightDrag(int fromColumn, int fromRow, int toColumn, int toRow)
    {
        RightDown(fromColumn, fromRow);
        Mouse(MapMouseAction::Move, toColumn, toRow, kMouseKeyRight);
        RightUp(toColumn, toRow);
    }

    EnemyPlacement& AddPlacement(int32_t enemy, int32_t x, int32_t y)
    {
        EnemyPlacement placement;
        placement.SetDefaults();
        placement.m_nEnemy = enemy;
        placement.m_nX = x;
        placement.m_nY = y;
        m_Stage.m_Enemy.push_back(placement);
        return m_Stage.m_Enemy.back();
    }

    Event& AddEvent(int32_t x, int32_t y, int pages, int32_t graphic = 0)
    {
        Event event;
        event.m_nX = x;
        event.m_nY = y;
        event.m_Page.resize(static_cast<std::size_t>(pages));
        for (EventPage& page : event.m_Page)
        {
            page.m_nGraphic = graphic;
        }
        m_Stage.m_Event.push_back(event);
        return m_Stage.m_Event.back();
    }

    StageRecord m_Stage;
    StageEditState m_Edit;
    RecordingSounds m_Sounds;
    RecordingHost m_Host{m_Edit};
    StageMapTools m_Tools{m_Edit, m_Stage, m_Host, m_Sounds};
    StageViewport m_Viewport;
    bool m_bViewportFollowsMap = true; // SetMap makes the view show the whole map
};

} // namespace stagetest
