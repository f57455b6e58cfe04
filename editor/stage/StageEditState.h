#pragma once

// What the stage editor keeps between mouse actions that is not part of the
// stage document: the active palette, the tool and pen mode, the block picked
// for drawing, the drag anchors of the tools, the event clipboard, the map
// cursor and the undo and redo history. One object, StageEdit, lives as long
// as the editor.
//
// The history keeps whole copies of the three parts of a stage that drawing
// changes: its map cells, its enemy placements and its placed events. It is
// bounded by the undo depth of EditConfig and by the free physical memory.

#include "common/data/StageRecord.h"
#include "common/window/MenuCursorStack.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

// The palettes beside the stage map.
enum : int32_t
{
    kPaletteMapChip = 0,
    kPaletteEnemy = 1,
    kPaletteEvent = 2,
    kPaletteCount = 3,
};

// Tools, and the pen modes that draw their cursors.
enum : int32_t
{
    kToolPen = 0,
    kToolLine = 1,
    kToolRectangle = 2,
    kToolFill = 3,
    kToolCount = 4,
    kPenModePicking = 5, // a right-button pick is being dragged
};

// The picked blocks are this many cells high and wide at most.
constexpr int kMaxBlockSide = 64;

using PickedBlock = std::array<std::array<int32_t, kMaxBlockSide>, kMaxBlockSide>;

// The tool state each palette keeps while another one is active.
struct PaletteSlot
{
    int32_t m_nTool = 0;
    int32_t m_nPenMode = 0;
    int32_t m_nPltNum = 0;
    int32_t m_nPaletteRow = 0;
    int32_t m_nBlockWidth = 1;
    int32_t m_nBlockHeight = 1;
};

// The tool state both map editors keep: the active palette, its tool, pen
// mode, selected entry, list row and block size, and each palette's slot that
// keeps them while another palette is active.
class PaletteToolState
{
public:
    // Tool n; tools 0 to 3 also set the pen mode.
    void SetPenMode(int32_t n);
    // Keeps the active palette's tool state in its slot and takes up the
    // requested palette's. Nothing happens when it is already active.
    void SwitchPalette(int32_t palette);

    int32_t m_nPalette = kPaletteMapChip;
    int32_t m_nTool = kToolPen;
    int32_t m_nPenMode = kToolPen;
    int32_t m_nPltNum = 0;     // selected palette entry: chip, placement or template; -1 none
    int32_t m_nPaletteRow = 0; // the enemy and event palettes' list row, restored when they open again
    int32_t m_nBlockWidth = 1;
    int32_t m_nBlockHeight = 1;
    std::array<PaletteSlot, kPaletteCount> m_Slot{};
};

// Snapshots of a stage, oldest first: the three lists always hold the same
// number of entries, pushed and popped together.
struct StageSnapshots
{
    std::deque<CheckedVector<int32_t>> m_Cells;
    std::deque<CheckedVector<EnemyPlacement>> m_Placements;
    std::deque<CheckedVector<Event>> m_Events;

    int Count() const { return static_cast<int>(m_Cells.size()); }
    bool IsEmpty() const { return m_Cells.empty(); }
    void Clear();
};

// Free physical memory in bytes, as the history measures it.
using FreeMemoryProbe = std::function<uint64_t()>;

class StageEditState : public PaletteToolState
{
public:
    StageEditState();
    StageEditState(const StageEditState&) = delete;
    StageEditState& operator=(const StageEditState&) = delete;

    // A new stage view: map chip palette, pen, entry 0 and a 1 x 1 block; no
    // pick and no edited event; the enemy palette's slot without a selection
    // and the event palette's with entry 0 when the stage has placed events.
    // The history, the file name and the map cursor stay.
    void Reset(const StageRecord& stage);
    // The block sides as loops over the block use them: 0 to 64.
    int BlockWidth() const;
    int BlockHeight() const;

    // Bytes a snapshot of these parts is estimated to take.
    static uint64_t GetSnapshotSize(const CheckedVector<int32_t>& cells, const CheckedVector<EnemyPlacement>& placements,
                                    const CheckedVector<Event>& events);
    // Appends copies of the parts to the lists, dropping the oldest entry at
    // the undo depth. 0 when the free memory is not above the estimate: the
    // whole history is then cleared and nothing is pushed.
    int PushSnapshot(StageSnapshots& lists, const CheckedVector<int32_t>& cells,
                     const CheckedVector<EnemyPlacement>& placements, const CheckedVector<Event>& events);
    // The parts are overwritten with the newest undo (redo) snapshot after
    // the present ones went onto the redo (undo) lists. Nothing happens when
    // there is nothing to undo (redo) or the present could not be kept.
    void Undo(CheckedVector<int32_t>& cells, CheckedVector<EnemyPlacement>& placements, CheckedVector<Event>& events);
    void Redo(CheckedVector<int32_t>& cells, CheckedVector<EnemyPlacement>& placements, CheckedVector<Event>& events);
    void Undo(StageRecord& stage) { Undo(stage.m_Chip, stage.m_Enemy, stage.m_Event); }
    void Redo(StageRecord& stage) { Redo(stage.m_Chip, stage.m_Enemy, stage.m_Event); }
    // The undo point every edit of the stage records before it changes it:
    // a snapshot onto the undo lists (a refusal is not reported) and the redo
    // lists emptied.
    void RecordUndo(StageRecord& stage);
    void ClearHistory();

    bool CanUndo() const { return !m_Undo.IsEmpty(); }
    bool CanRedo() const { return !m_Redo.IsEmpty(); }
    const StageSnapshots& UndoLists() const { return m_Undo; }
    const StageSnapshots& RedoLists() const { return m_Redo; }

    // Called after every change of the history (the window refreshes its undo
    // and redo buttons); none by default.
    void SetHistoryListener(std::function<void()> listener) { m_HistoryListener = std::move(listener); }
    // Where the free memory is read; GetFreePhysicalMemory by default.
    void SetFreeMemoryProbe(FreeMemoryProbe probe);

    CursorEntry& Cursor() { return m_MapCursor.Current(); }
    const CursorEntry& Cursor() const { return m_MapCursor.Current(); }

    std::string m_strStageFile; // empty for a new stage
    PickedBlock m_PickedChip{};  // land indices
    PickedBlock m_PickedEnemy{}; // placement indices, -1 for none
    Event m_PutEvent;            // the event palette's template to place
    Event* m_pEditedEvent = nullptr;
    int32_t m_bEditExisting = 0;
    EnemyPlacement* m_pEditedPlacement = nullptr;
    int32_t m_bClipboard = 0;
    Event m_ClipboardEvent;
    int32_t m_nPickX = -1;      // pick anchor
    int32_t m_nPickY = -1;
    int32_t m_nLineX = 0;       // line start
    int32_t m_nLineY = 0;
    int32_t m_nRectX = 0;       // rectangle anchor and size
    int32_t m_nRectY = 0;
    int32_t m_nRectWidth = 1;
    int32_t m_nRectHeight = 1;
    MenuCursorStack m_MapCursor;

private:
    void ResetTools(bool stageHasEvents);
    // Undo and Redo: the present onto one side, the newest of the other back.
    void Restore(StageSnapshots& from, StageSnapshots& keep, CheckedVector<int32_t>& cells,
                 CheckedVector<EnemyPlacement>& placements, CheckedVector<Event>& events);
    void NotifyHistory();

    StageSnapshots m_Undo;
    StageSnapshots m_Redo;
    FreeMemoryProbe m_FreeMemoryProbe;
    std::function<void()> m_HistoryListener;
};

extern StageEditState StageEdit;
