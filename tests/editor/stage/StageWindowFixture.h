#pragma once

// The stage editor window of a started editor on the dummy backend: commands
// as the menu sends them, mouse messages addressed by map cell, stage files
// made with the data model, and the project's lands.

#include "common/data/ProjectData.h"
#include "common/data/StageRecord.h"
#include "common/window/MouseButtons.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/stage/MapChipPalette.h"
#include "editor/stage/StageEditorWindow.h"
#include "tests/editor/framework/EditorTestSupport.h"

#include <string>
#include <vector>

// The dummy backend's window of an editor window.
inline platform::DummyWindow* DummyOf(const WindowBase& window)
{
    return static_cast<platform::DummyWindow*>(window.Native());
}

class StageWindowTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        ResetMouseLatches();
        // The edit state as a fresh editor has it.
        StageEdit.Reset(StageRecord());
        StageEdit.m_MapCursor.Reset();
        StageEdit.SetPenMode(kToolPen);
        StageEdit.m_PickedChip = PickedBlock{};
        StageEdit.ClearHistory();
        StageEdit.m_strStageFile.clear();
        StageEdit.m_bClipboard = 0;
        StageEdit.SetFreeMemoryProbe([] { return uint64_t{1} << 40; });
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        StageEdit.ClearHistory();
        StageEdit.m_strStageFile.clear();
        ResetMouseLatches();
    }

    // Starts the editor on a project of that many lands; the stage editor is in front.
    void StartWithLands(int lands)
    {
        WriteLands(lands);
        ASSERT_TRUE(Start());
        ASSERT_NE(Window(), nullptr);
        m_System.SetActiveWindow(Window()->Handle());
    }

    StageEditorWindow* Window() const { return CurrentStageEditor(); }

    // The command as the menu, the tool bar or a key sends it, and what it posted.
    void Command(int id)
    {
        platform::SendWindowMessage(Window()->Handle(), platform::kWmCommand, platform::MakeWParam(id, 0), 0);
        m_System.PumpMessages();
    }

    // A stage of the rows ('0'..'9' per cell), saved with the data model under
    // the stored name (once the project's lands are loaded: a save checks the
    // cells against them).
    static StageRecord MakeStage(const std::vector<std::string>& rows)
    {
        CurrentVersion = kDataFormatVersion;
        StageRecord stage;
        stage.SetDefaults();
        stage.ResizeMap(static_cast<int32_t>(rows.at(0).size()), static_cast<int32_t>(rows.size()));
        for (int y = 0; y < stage.m_nHeight; ++y)
        {
            for (int x = 0; x < stage.m_nWidth; ++x)
            {
                stage.CellAt(x, y) = rows[y][x] - '0';
            }
        }
        return stage;
    }
    static void WriteStage(StageRecord stage, const std::string& name)
    {
        std::filesystem::create_directories("data/stg");
        ASSERT_EQ(SaveRecordFile(stage, name), 1);
    }

    std::vector<std::string> MapRows() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < Stage.m_nHeight; ++y)
        {
            std::string row;
            for (int x = 0; x < Stage.m_nWidth; ++x)
            {
                int32_t cell = Stage.m_Chip.At((y << Stage.m_nShift) + x);
                row += cell >= 0 && cell <= 9 ? static_cast<char>('0' + cell) : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }

    // A mouse message over a map cell, with the buttons held as given.
    void MapMouse(uint32_t message, int column, int row, bool left, bool right)
    {
        MouseOnCell(*Window(), Window()->Viewport(), message, column, row, left, right);
    }
    // The same on the map of any window that shows one through the view.
    void MouseOnCell(const WindowBase& window, const StageViewport& view, uint32_t message, int column, int row,
                     bool left, bool right)
    {
        int x = (column - view.m_nScrollColumn) * kMapCellSize + 5 + window.OriginX();
        int y = (row - view.m_nScrollRow) * kMapCellSize + 7 + window.OriginY();
        m_System.SetCursorPos(window.Native()->ClientToScreen({x, y}));
        m_System.SetMouseButton(0, left);
        m_System.SetMouseButton(1, right);
        uintptr_t keys = (left ? platform::kMkLButton : 0u) | (right ? platform::kMkRButton : 0u);
        platform::SendWindowMessage(window.Handle(), message, keys, platform::MakeLParam(x, y));
    }
    void ClickCell(int column, int row)
    {
        MapMouse(platform::kWmMouseMove, column, row, false, false);
        MapMouse(platform::kWmLButtonDown, column, row, true, false);
        MapMouse(platform::kWmLButtonUp, column, row, false, false);
    }
    void RightDrag(int fromColumn, int fromRow, int toColumn, int toRow)
    {
        MapMouse(platform::kWmMouseMove, fromColumn, fromRow, false, false);
        MapMouse(platform::kWmRButtonDown, fromColumn, fromRow, false, true);
        MapMouse(platform::kWmMouseMove, toColumn, toRow, false, true);
        MapMouse(platform::kWmRButtonUp, toColumn, toRow, false, false);
    }

    const platform::ScriptedDialogs::Box* LastBox() const
    {
        return m_Boxes.Boxes().empty() ? nullptr : &m_Boxes.Boxes().back();
    }
    std::string Title() const { return Window()->Native()->Text(); }
};
