#include "editor/stage/WorldMapEditState.h"

#include "common/data/ProjectData.h"
#include "common/services/Log.h"

#include <algorithm>
#include <new>

WorldMapEditState WorldMapEdit;

WorldMapEditState::WorldMapEditState() : m_FreeMemoryProbe([] { return uint64_t{GetFreePhysicalMemory()}; })
{
    m_PutEvent.Init();
    m_ClipboardEvent.Init();
    m_Slot.fill(PaletteSlot{0, 0, 0, 0, 1, 1});
    m_Slot[kPaletteEvent] = PaletteSlot{0, 0, -1, -1, 0, 0};
}

void WorldMapEditState::Reset(const WorldMapRecord& map)
{
    m_pCurrentEvent = nullptr;
    m_nPalette = kPaletteMapChip;
    m_nTool = kToolPen;
    m_nPenMode = kToolPen;
    m_nPltNum = 0;
    m_nPaletteRow = 0;
    m_nBlockWidth = 1;
    m_nBlockHeight = 1;
    // The pen draws what the palette shows: chip 0, not a block picked before.
    m_PickedChip = WorldPickedBlock{};
    m_nPickX = -1;
    m_nPickY = -1;
    m_bClipboard = 0;
    // Without a template there is nothing to select, placed events or not.
    if (!map.m_Event.empty() && !map.m_Palette.empty())
    {
        m_Slot[kPaletteEvent] = PaletteSlot{0, 0, 0, 0, 1, 1};
        m_PutEvent = map.m_Palette.front();
    }
    else
    {
        m_Slot[kPaletteEvent] = PaletteSlot{0, 0, -1, -1, 0, 0};
    }
    ClearHistory();
}

int WorldMapEditState::BlockWidth() const
{
    return std::clamp(m_nBlockWidth, 0, kMaxWorldBlockWidth);
}

int WorldMapEditState::BlockHeight() const
{
    return std::clamp(m_nBlockHeight, 0, kMaxWorldBlockHeight);
}

// ---- history ----

uint64_t WorldMapEditState::GetSnapshotSize(const CheckedVector<int32_t>& cells,
                                            const CheckedVector<WorldMapEvent>& events)
{
    uint64_t bytes = 4 * uint64_t{cells.size()};
    for (const WorldMapEvent& event : events)
    {
        bytes += 76 + 16 * uint64_t{event.m_Page.size()};
    }
    return bytes;
}

int WorldMapEditState::PushSnapshot(std::deque<WorldMapSnapshot>& list, const CheckedVector<int32_t>& cells,
                                    const CheckedVector<WorldMapEvent>& events)
{
    uint64_t free = m_FreeMemoryProbe ? m_FreeMemoryProbe() : 0;
    if (free <= GetSnapshotSize(cells, events))
    {
        ClearHistory();
        return 0;
    }
    // A depth lowered since the last push drops as many entries as needed.
    while (static_cast<int>(list.size()) >= EditConfig.UndoDepth())
    {
        list.pop_front();
    }
    try
    {
        list.push_back(WorldMapSnapshot{cells, events});
    }
    catch (const std::bad_alloc&)
    {
        // The estimate fitted but the copies did not: the same as too little memory.
        ClearHistory();
        return 0;
    }
    return 1;
}

void WorldMapEditState::Restore(std::deque<WorldMapSnapshot>& from, std::deque<WorldMapSnapshot>& keep,
                                WorldMapRecord& map)
{
    if (from.empty())
    {
        return;
    }
    if (!PushSnapshot(keep, map.m_Cell, map.m_Event))
    {
        NotifyHistory();
        return;
    }
    map.m_Cell = std::move(from.back().m_Cells);
    map.m_Event = std::move(from.back().m_Events);
    from.pop_back();
    // It pointed into the events just replaced.
    m_pCurrentEvent = nullptr;
    NotifyHistory();
}

void WorldMapEditState::Undo(WorldMapRecord& map)
{
    Restore(m_Undo, m_Redo, map);
}

void WorldMapEditState::Redo(WorldMapRecord& map)
{
    Restore(m_Redo, m_Undo, map);
}

void WorldMapEditState::RecordUndo(WorldMapRecord& map)
{
    PushSnapshot(m_Undo, map.m_Cell, map.m_Event);
    m_Redo.clear();
    NotifyHistory();
}

void WorldMapEditState::ClearHistory()
{
    m_Undo.clear();
    m_Redo.clear();
    NotifyHistory();
}

void WorldMapEditState::NotifyHistory()
{
    if (m_HistoryListener)
    {
        m_HistoryListener();
    }
}
