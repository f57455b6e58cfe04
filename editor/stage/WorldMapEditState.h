#pragma once

// What the world-map editor keeps between mouse actions that is not part of
// the world map: the active palette (map chips or events), the pen, the block
// of chips picked for drawing, the event template to place, the event being
// edited and the event clipboard, the palettes' slots, the map cursor and the
// undo and redo history. One object, WorldMapEdit, lives as long as the
// editor; the world-map editor window resets it each time it opens.
//
// The history keeps whole copies of the two parts of the world map that
// editing changes: its chip grid and its placed events. It is bounded by the
// undo depth of EditConfig and by the free physical memory, as the stage's.

#include "common/data/WorldMapRecord.h"
#include "common/window/MenuCursorStack.h"
#include "editor/stage/StageEditState.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>

// A picked block of world-map chips is at most as large as the largest world map.
constexpr int kMaxWorldBlockWidth = 200;
constexpr int kMaxWorldBlockHeight = 150;

using WorldPickedBlock = std::array<std::array<int32_t, kMaxWorldBlockWidth>, kMaxWorldBlockHeight>;

// One step of the world map's history.
struct WorldMapSnapshot
{
    CheckedVector<int32_t> m_Cells;
    CheckedVector<WorldMapEvent> m_Events;
};

class WorldMapEditState : public PaletteToolState
{
public:
    WorldMapEditState();
    WorldMapEditState(const WorldMapEditState&) = delete;
    WorldMapEditState& operator=(const WorldMapEditState&) = delete;

    // The editor opens: map chip palette, pen, entry 0 and a 1 x 1 block of
    // chip 0, no pick, no current event, an empty clipboard flag and history. The event
    // palette's slot has template 0 selected when the map has placed events
    // and there is a template (the template to place is then its copy), and
    // no selection otherwise.
    void Reset(const WorldMapRecord& map);
    // The block sides as loops over the block use them.
    int BlockWidth() const;
    int BlockHeight() const;

    // Bytes a snapshot of these parts is estimated to take.
    static uint64_t GetSnapshotSize(const CheckedVector<int32_t>& cells, const CheckedVector<WorldMapEvent>& events);
    // Appends copies of the parts to the list, dropping the oldest entry at
    // the undo depth. 0 when the free memory is not above the estimate: the
    // whole history is then cleared and nothing is pushed.
    int PushSnapshot(std::deque<WorldMapSnapshot>& list, const CheckedVector<int32_t>& cells,
                     const CheckedVector<WorldMapEvent>& events);
    // The parts are overwritten with the newest undo (redo) snapshot after the
    // present went onto the redo (undo) list. Nothing happens when there is
    // nothing to undo (redo) or the present could not be kept.
    void Undo(WorldMapRecord& map);
    void Redo(WorldMapRecord& map);
    // The undo point every edit records before it changes the world map: a
    // snapshot onto the undo list (a refusal is not reported), the redo list emptied.
    void RecordUndo(WorldMapRecord& map);
    void ClearHistory();

    bool CanUndo() const { return !m_Undo.empty(); }
    bool CanRedo() const { return !m_Redo.empty(); }
    int UndoCount() const { return static_cast<int>(m_Undo.size()); }
    int RedoCount() const { return static_cast<int>(m_Redo.size()); }

    // Called after every change of the history; none by default.
    void SetHistoryListener(std::function<void()> listener) { m_HistoryListener = std::move(listener); }
    // Where the free memory is read; GetFreePhysicalMemory by default.
    void SetFreeMemoryProbe(FreeMemoryProbe probe) { m_FreeMemoryProbe = std::move(probe); }

    CursorEntry& Cursor() { return m_MapCursor.Current(); }
    const CursorEntry& Cursor() const { return m_MapCursor.Current(); }

    WorldPickedBlock m_PickedChip{};
    WorldMapEvent m_PutEvent;                   // the event palette's template to place
    WorldMapEvent* m_pCurrentEvent = nullptr;  // what the event dialog edits
    int32_t m_bEditExisting = 0;
    int32_t m_bClipboard = 0;
    WorldMapEvent m_ClipboardEvent;
    int32_t m_nPickX = -1;     // pick anchor
    int32_t m_nPickY = -1;
    MenuCursorStack m_MapCursor;

private:
    void Restore(std::deque<WorldMapSnapshot>& from, std::deque<WorldMapSnapshot>& keep, WorldMapRecord& map);
    void NotifyHistory();

    std::deque<WorldMapSnapshot> m_Undo;
    std::deque<WorldMapSnapshot> m_Redo;
    FreeMemoryProbe m_FreeMemoryProbe;
    std::function<void()> m_HistoryListener;
};

extern WorldMapEditState WorldMapEdit;
