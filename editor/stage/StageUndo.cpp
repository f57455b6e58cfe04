// The undo and redo history of StageEditState.

#include "common/data/ProjectData.h"
#include "editor/stage/StageEditState.h"

#include <new>

void StageSnapshots::Clear()
{
    m_Cells.clear();
    m_Placements.clear();
    m_Events.clear();
}

void StageEditState::SetFreeMemoryProbe(FreeMemoryProbe probe)
{
    m_FreeMemoryProbe = std::move(probe);
}

uint64_t StageEditState::GetSnapshotSize(const CheckedVector<int32_t>& cells,
                                         const CheckedVector<EnemyPlacement>& placements,
                                         const CheckedVector<Event>& events)
{
    uint64_t bytes = 4 * uint64_t{cells.size()};
    for (const EnemyPlacement& placement : placements)
    {
        bytes += 68 + 16 * uint64_t{placement.m_MoveAI.size()};
    }
    for (const Event& event : events)
    {
        bytes += 92 + 16 * uint64_t{event.m_Page.size()};
    }
    return bytes;
}

int StageEditState::PushSnapshot(StageSnapshots& lists, const CheckedVector<int32_t>& cells,
                                 const CheckedVector<EnemyPlacement>& placements, const CheckedVector<Event>& events)
{
    uint64_t free = m_FreeMemoryProbe ? m_FreeMemoryProbe() : 0;
    if (free <= GetSnapshotSize(cells, placements, events))
    {
        ClearHistory();
        return 0;
    }
    // A depth lowered since the last push drops as many entries as needed.
    while (lists.Count() >= EditConfig.UndoDepth())
    {
        lists.m_Cells.pop_front();
        lists.m_Placements.pop_front();
        lists.m_Events.pop_front();
    }
    try
    {
        CheckedVector<int32_t> cellCopy(cells);
        CheckedVector<EnemyPlacement> placementCopy(placements);
        CheckedVector<Event> eventCopy(events);
        lists.m_Cells.push_back(std::move(cellCopy));
        lists.m_Placements.push_back(std::move(placementCopy));
        lists.m_Events.push_back(std::move(eventCopy));
    }
    catch (const std::bad_alloc&)
    {
        // The estimate fitted but the copies did not: the same as too little memory.
        ClearHistory();
        return 0;
    }
    return 1;
}

void StageEditState::Restore(StageSnapshots& from, StageSnapshots& keep, CheckedVector<int32_t>& cells,
                             CheckedVector<EnemyPlacement>& placements, CheckedVector<Event>& events)
{
    if (from.IsEmpty())
    {
        return;
    }
    if (!PushSnapshot(keep, cells, placements, events))
    {
        NotifyHistory();
        return;
    }
    cells = std::move(from.m_Cells.back());
    placements = std::move(from.m_Placements.back());
    events = std::move(from.m_Events.back());
    from.m_Cells.pop_back();
    from.m_Placements.pop_back();
    from.m_Events.pop_back();
    // They pointed into the vectors just replaced.
    m_pEditedEvent = nullptr;
    m_pEditedPlacement = nullptr;
    NotifyHistory();
}

void StageEditState::Undo(CheckedVector<int32_t>& cells, CheckedVector<EnemyPlacement>& placements,
                          CheckedVector<Event>& events)
{
    Restore(m_Undo, m_Redo, cells, placements, events);
}

void StageEditState::Redo(CheckedVector<int32_t>& cells, CheckedVector<EnemyPlacement>& placements,
                          CheckedVector<Event>& events)
{
    Restore(m_Redo, m_Undo, cells, placements, events);
}

void StageEditState::RecordUndo(StageRecord& stage)
{
    PushSnapshot(m_Undo, stage.m_Chip, stage.m_Enemy, stage.m_Event);
    m_Redo.Clear();
    NotifyHistory();
}

void StageEditState::ClearHistory()
{
    m_Undo.Clear();
    m_Redo.Clear();
    NotifyHistory();
}

void StageEditState::NotifyHistory()
{
    if (m_HistoryListener)
    {
        m_HistoryListener();
    }
}
