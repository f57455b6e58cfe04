#pragma once

// The drawing tools of the stage map. The stage editor window hands every mouse
// message on its map to StageMapTools::OnMapMouse, which moves the map cursor
// and runs the current tool of the edit state: pen (map chips, enemies or
// events), line, rectangle or fill (map chips). With the map chip or enemy
// palette a right-button drag picks a block from the map itself. Each edit is
// one undo point, recorded at the button press before anything changes.

#include "common/data/StageRecord.h"
#include "editor/stage/EditorSoundSink.h"
#include "editor/stage/MapMouseEvent.h"
#include "editor/stage/StageEditState.h"
#include "editor/stage/StageEditorHost.h"

#include <array>
#include <memory>

class StageMapTools;

// One tool: handles the map's mouse messages while it is the current tool.
class MapTool
{
public:
    virtual ~MapTool() = default;
    virtual void OnMouse(StageMapTools& tools, const MapMouseEvent& event) = 0;
};

// A fill spreads at most this deep; cells beyond stay as they are.
constexpr int kMaxFillDepth = 5000;

class StageMapTools
{
public:
    StageMapTools(StageEditState& edit, StageRecord& stage, StageEditorHost& host, EditorSoundSink& sounds);
    ~StageMapTools();
    StageMapTools(const StageMapTools&) = delete;
    StageMapTools& operator=(const StageMapTools&) = delete;

    // StageEditorWindow::OnMapMouse: the cursor cell from the mouse position,
    // the current tool, and with the map chip or enemy palette the pick.
    void OnMapMouse(const MapMouseEvent& event, const StageViewport& viewport);

    // StageEditorWindow::FloodFill: from the cell, every cell of its value
    // reachable through the four neighbours takes the picked chip block
    // aligned to that cell. Entries that name no land are skipped.
    void FloodFill(int column, int row);

    // Whether a chip drawing may start: there are lands and the block's first
    // entry is one of them. A refusal plays the error sound.
    bool ChipTest();
    // Whether a value names an existing land.
    static bool IsLand(int32_t chip);
    // A cell of the stage takes the chip; nothing happens outside the stage or
    // for a value that names no land.
    void PutChip(int column, int row, int32_t chip);
    // The sound and the undo point with which a tool starts an edit.
    void BeginEdit();

    // The work buffer of a new event and the cell it is meant for (also used by
    // the window's pop-up command that creates an event).
    Event m_NewEvent;
    int m_nNewEventX = 0;
    int m_nNewEventY = 0;

    StageEditState& m_Edit;
    StageRecord& m_Stage;
    StageEditorHost& m_Host;
    EditorSoundSink& m_Sounds;

private:
    void OnPick(const MapMouseEvent& event);
    void FinishPick();

    std::array<std::unique_ptr<MapTool>, kToolCount> m_Tools;
    bool m_bPicking = false;
};
