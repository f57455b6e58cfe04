// The world-map editor window's command table (its menu, tool bar, keys and
// the pop-up menu on the map), the pen and the right-button pick.

#include "common/data/ProjectData.h"
#include "common/services/MessageBoxes.h"
#include "editor/resources/WorldMapEditorIds.h"
#include "editor/stage/MapWindowParts.h"
#include "editor/stage/WorldMapEditState.h"
#include "editor/stage/WorldMapEditorWindow.h"
#include "editor/stage/WorldMapPalettes.h"
#include "editor/stage/WorldMapSettingsDialog.h"

#include <algorithm>
#include <cstdlib>

namespace
{

bool InsideMap(int column, int row)
{
    return column >= 0 && row >= 0 && column < WorldMap.m_nWidth && row < WorldMap.m_nHeight;
}

} // namespace

void WorldMapEditorWindow::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    int id = platform::LowWord(wParam);
    // Every other id (the list-editing keys of the accelerator table among them) does nothing here.
    OnFileCommand(id) || OnEditCommand(id) || OnPopupCommand(id);
}

bool WorldMapEditorWindow::OnFileCommand(int id)
{
    switch (id)
    {
    case kCmdSaveStage:
    case kCmdSaveStageKey:
        Save();
        return true;
    case kCmdWorldSaveAndQuit:
        // A save that failed keeps the editor open with the author's work.
        if (Save())
        {
            Close(0);
        }
        return true;
    case kCmdWorldQuit:
        Close(0);
        return true;
    case kCmdWorldSettings:
        OpenSettings();
        return true;
    default:
        return false;
    }
}

bool WorldMapEditorWindow::OnEditCommand(int id)
{
    switch (id)
    {
    case kCmdUndo:
    case kCmdUndoKey:
        WorldMapEdit.Undo(WorldMap);
        UpdateUndoState();
        return true;
    case kCmdRedo:
    case kCmdRedoKey:
        WorldMapEdit.Redo(WorldMap);
        UpdateUndoState();
        return true;
    case kCmdMenuMapChips:
    case kCmdBarMapChips:
        SwitchPalette(kPaletteMapChip);
        return true;
    case kCmdMenuEvents:
    case kCmdBarEvents:
        SwitchPalette(kPaletteEvent);
        return true;
    case kCmdClearChips:
    case kCmdClearEvents:
        ClearAll(id);
        return true;
    default:
        return false;
    }
}

void WorldMapEditorWindow::ClearAll(int id)
{
    const char* question =
        id == kCmdClearChips ? "全てのマップチップをクリアしますか？" : "全てのイベントをクリアしますか？";
    if (ShowMessageBox(Handle(), question, "データクリアの確認", platform::kMbYesNo) != platform::kIdYes)
    {
        return;
    }
    RecordUndo();
    if (id == kCmdClearChips)
    {
        WorldMap.ClearChips();
        return;
    }
    // The current event was one of them.
    WorldMapEdit.m_pCurrentEvent = nullptr;
    WorldMap.m_Event.clear();
}

void WorldMapEditorWindow::OpenSettings()
{
    HideWithPalettes();
    EnableWithPalettes(0);
    if (RunWorldMapSettingsDialog(m_pSettings, Handle(), WorldMap))
    {
        WorldMap.Validate();
        WorldMapEdit.m_pCurrentEvent = nullptr;
        // New scroll ranges for a map of another size.
        platform::SendWindowMessage(Handle(), platform::kWmSize, 0,
                                    platform::MakeLParam(ClientRectangle().m_nWidth, ClientRectangle().m_nHeight));
        RefreshPalette();
        WorldMapEdit.ClearHistory();
        UpdateUndoState();
    }
    ShowWithPalettes();
    EnableWithPalettes(1);
    MakeActive();
}

void WorldMapEditorWindow::AssignStageNumbers(WorldMapEvent& event, int column, int row)
{
    if (EditConfig.m_bAutoStageNumber)
    {
        WorldMap.AssignStageNumbers(event, WorldMap.FindEventAt(column, row));
    }
}

// ---- the pop-up menu of the event palette's mode ----

void WorldMapEditorWindow::OpenEventPopup()
{
    const CursorEntry& cursor = WorldMapEdit.Cursor();
    WorldMapEdit.m_pCurrentEvent = WorldMap.FindEventAt(cursor.m_nColumn, cursor.m_nRow);
    bool onEvent = WorldMapEdit.m_pCurrentEvent != nullptr;
    platform::Menu popup = MarkMapEventPopup(m_PopupMenu, onEvent, WorldMapEdit.m_bClipboard != 0,
                                             InsideMap(cursor.m_nColumn, cursor.m_nRow));
    // The commands act on the cell where the menu was opened, wherever the mouse goes meanwhile.
    WorldMapEdit.m_MapCursor.Push(1);
    TrackPopup(popup);
}

bool WorldMapEditorWindow::OnPopupCommand(int id)
{
    if (id != kCmdEventEdit && id != kCmdEventNew && id != kCmdEventCopy && id != kCmdEventCut &&
        id != kCmdEventPaste && id != kCmdEventDelete)
    {
        return false;
    }
    const CursorEntry* opened = WorldMapEdit.m_MapCursor.Previous();
    const CursorEntry cell = opened ? *opened : WorldMapEdit.Cursor();
    const int column = cell.m_nColumn;
    const int row = cell.m_nRow;
    // The event at the cell now: the map may have changed since the menu opened.
    WorldMapEvent* current = WorldMap.FindEventAt(column, row);
    switch (id)
    {
    case kCmdEventEdit:
        if (current)
        {
            WorldMapEdit.m_bEditExisting = 1;
            WorldMapEdit.m_pCurrentEvent = current;
            RunEventDialog(kShowFlagDisableOthers);
        }
        break;
    case kCmdEventNew:
        if (!InsideMap(column, row))
        {
            break;
        }
        WorldMapEdit.m_bEditExisting = 0;
        m_NewEvent.Init();
        m_NewEvent.m_nX = column;
        m_NewEvent.m_nY = row;
        WorldMapEdit.m_pCurrentEvent = &m_NewEvent;
        AssignStageNumbers(m_NewEvent, column, row);
        if (RunEventDialog(kShowFlagDisableOthers) == 1)
        {
            WorldMap.PutEvent(m_NewEvent, column, row);
        }
        break;
    case kCmdEventCopy:
    case kCmdEventCut:
        WorldMapEdit.m_bClipboard = 1;
        if (current)
        {
            if (id == kCmdEventCut)
            {
                // The undo point copied the events: the pointer still names the event.
                RecordUndo();
            }
            WorldMapEdit.m_ClipboardEvent = *current;
            if (m_pEventPalette)
            {
                m_pEventPalette->SetListClipboard(*current);
            }
            if (id == kCmdEventCut)
            {
                WorldMap.RemoveEvent(current);
            }
        }
        break;
    case kCmdEventPaste:
        if (WorldMapEdit.m_bClipboard && InsideMap(column, row))
        {
            RecordUndo();
            WorldMapEvent pasted = WorldMapEdit.m_ClipboardEvent;
            AssignStageNumbers(pasted, column, row);
            WorldMap.PutEvent(pasted, column, row);
        }
        break;
    default:
        if (current)
        {
            RecordUndo();
            WorldMap.RemoveEventAt(column, row);
        }
        break;
    }
    // Whatever the command did to the events, no pointer into them is kept.
    WorldMapEdit.m_pCurrentEvent = nullptr;
    // Every command of the pop-up gives back the entry its opening pushed, so the stack never grows.
    WorldMapEdit.m_MapCursor.Pop(2);
    return true;
}

// ---- the pen and the pick ----

void WorldMapEditorWindow::OnMapMouse(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    MapMouseEvent event;
    event.m_Action = MapMouseActionOf(message);
    event.m_nX = platform::LowSigned(static_cast<uintptr_t>(lParam)) - OriginX();
    event.m_nY = platform::HighSigned(static_cast<uintptr_t>(lParam)) - OriginY();
    event.m_nKeys = static_cast<int>(wParam & (platform::kMkLButton | platform::kMkRButton));
    bool inside = m_Viewport.PointToCell(event.m_nX, event.m_nY, WorldMapEdit.Cursor());
    if (event.m_Action == MapMouseAction::LeftDown && !inside)
    {
        // A press beside the map starts no stroke.
        m_bStroke = false;
    }
    else
    {
        OnPen(event);
    }
    if (WorldMapEdit.m_nPalette == kPaletteMapChip)
    {
        int chosen = WorldMapEdit.m_nPltNum;
        OnPick(event);
        if (WorldMapEdit.m_nPltNum != chosen && m_pChipPalette)
        {
            // A pick on the map ends the palette's choice: its frame goes at once.
            m_pChipPalette->OnPaint();
        }
    }
    if (event.m_Action == MapMouseAction::LeftDown || event.m_Action == MapMouseAction::RightDown)
    {
        if (platform::WindowSystem* system = System())
        {
            system->SetFocus(Handle());
        }
    }
}

void WorldMapEditorWindow::OnPen(const MapMouseEvent& event)
{
    const CursorEntry& cursor = WorldMapEdit.Cursor();
    switch (event.m_Action)
    {
    case MapMouseAction::LeftDown:
    {
        PlaySound(kSoundDecide);
        bool editsPlaced =
            EditConfig.m_bWorldEditPlacedEvent && WorldMap.HasEventAt(cursor.m_nColumn, cursor.m_nRow);
        // The event dialog records its own undo point.
        m_bUndoRecorded = WorldMapEdit.m_nPalette == kPaletteMapChip ||
                          (WorldMapEdit.m_nPalette == kPaletteEvent && !editsPlaced &&
                           !EditConfig.m_bWorldEditBeforePlacing);
        if (m_bUndoRecorded)
        {
            RecordUndo();
        }
        m_bStroke = true;
        PenDraw();
        break;
    }
    case MapMouseAction::Move:
        if (!event.IsLeftHeld())
        {
            m_bStroke = false;
        }
        else if (m_bStroke)
        {
            PenDraw();
        }
        break;
    case MapMouseAction::LeftUp:
        m_bStroke = false;
        break;
    default:
        break;
    }
}

void WorldMapEditorWindow::PenDraw()
{
    const CursorEntry cursor = WorldMapEdit.Cursor();
    for (int r = 0; r < WorldMapEdit.BlockHeight() && cursor.m_nRow + r < WorldMap.m_nHeight; ++r)
    {
        for (int c = 0; c < WorldMapEdit.BlockWidth() && cursor.m_nColumn + c < WorldMap.m_nWidth; ++c)
        {
            int column = cursor.m_nColumn + c;
            int row = cursor.m_nRow + r;
            if (!InsideMap(column, row))
            {
                continue;
            }
            if (WorldMapEdit.m_nPalette == kPaletteMapChip)
            {
                int32_t chip = WorldMapEdit.m_PickedChip[r][c];
                if (chip >= 0 && chip < WorldMap.m_Chip.Count())
                {
                    WorldMap.CellAt(column, row) = chip;
                }
            }
            else if (WorldMapEdit.m_nPalette == kPaletteEvent && WorldMapEdit.m_nPltNum != -1)
            {
                PenPutEvent(column, row);
            }
        }
    }
    RefreshPalette();
}

void WorldMapEditorWindow::PenPutEvent(int column, int row)
{
    WorldMapEvent* placed = WorldMap.FindEventAt(column, row);
    if (EditConfig.m_bWorldEditPlacedEvent && placed)
    {
        WorldMapEdit.m_bEditExisting = 1;
        WorldMapEdit.m_pCurrentEvent = placed;
        RunEventDialog(kShowFlagDisableOthers);
        WorldMapEdit.m_pCurrentEvent = nullptr;
        return;
    }
    m_NewEvent = WorldMapEdit.m_PutEvent;
    if (!EditConfig.m_bWorldEditBeforePlacing)
    {
        // A stroke that began on an event the dialog edited has no undo point
        // of its own yet; the first event it places directly takes one.
        if (!m_bUndoRecorded)
        {
            RecordUndo();
            m_bUndoRecorded = true;
        }
        AssignStageNumbers(m_NewEvent, column, row);
        WorldMap.PutEvent(m_NewEvent, column, row);
        return;
    }
    WorldMapEdit.m_bEditExisting = 0;
    WorldMapEdit.m_pCurrentEvent = &m_NewEvent;
    AssignStageNumbers(m_NewEvent, column, row);
    if (RunEventDialog(kShowFlagDisableOthers) == 1)
    {
        WorldMap.PutEvent(m_NewEvent, column, row);
    }
    WorldMapEdit.m_pCurrentEvent = nullptr;
}

void WorldMapEditorWindow::OnPick(const MapMouseEvent& event)
{
    WorldMapEditState& edit = WorldMapEdit;
    if (event.m_Action == MapMouseAction::RightDown)
    {
        PlaySound(kSoundCopy);
        edit.m_nPickX = edit.Cursor().m_nColumn;
        edit.m_nPickY = edit.Cursor().m_nRow;
        edit.m_nPenMode = kPenModePicking;
        edit.m_nPltNum = -1;
        m_bPicking = true;
        return;
    }
    if (event.m_Action != MapMouseAction::RightUp || !m_bPicking)
    {
        return;
    }
    m_bPicking = false;
    const CursorEntry& cursor = edit.Cursor();
    int left = std::min(edit.m_nPickX, cursor.m_nColumn);
    int top = std::min(edit.m_nPickY, cursor.m_nRow);
    // The block holds the largest world map; a wider pick keeps what fits.
    edit.m_nBlockWidth = std::min(std::abs(cursor.m_nColumn - edit.m_nPickX) + 1, kMaxWorldBlockWidth);
    edit.m_nBlockHeight = std::min(std::abs(cursor.m_nRow - edit.m_nPickY) + 1, kMaxWorldBlockHeight);
    for (int r = 0; r < edit.m_nBlockHeight && top + r < WorldMap.m_nHeight; ++r)
    {
        for (int c = 0; c < edit.m_nBlockWidth && left + c < WorldMap.m_nWidth; ++c)
        {
            if (InsideMap(left + c, top + r))
            {
                edit.m_PickedChip[r][c] = WorldMap.CellAt(left + c, top + r);
            }
        }
    }
    edit.SetPenMode(edit.m_nTool);
}
