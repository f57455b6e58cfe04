#include "game/scenes/worldmap/WorldMapRules.h"

#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/ValueOperations.h"
#include "platform/core/Cp932.h"

WorldMapEventPage CurrentWorldPage;

const WorldMapEventPage* ActivePage(const WorldMapEvent& event)
{
    for (const WorldMapEventPage& page : event.m_Page)
    {
        if (page.m_nNeedStage != 0 && Progress.GetClearedFlag(page.m_nNeedStage) == 0)
        {
            continue;
        }
        if (page.m_nVariable != 0 &&
            !CompareValues(Progress.GetVariable(page.m_nVariable), page.m_nVariableValue, page.m_nVariableCompare))
        {
            continue;
        }
        return &page;
    }
    return nullptr;
}

PlacedEventPage EventPageAt(WorldMapRecord& map, int32_t x, int32_t y)
{
    PlacedEventPage found;
    found.m_pEvent = map.FindEventAt(x, y);
    if (found.m_pEvent)
    {
        found.m_pPage = ActivePage(*found.m_pEvent);
    }
    return found;
}

bool IsStageCleared(const WorldMapEventPage& page)
{
    return Progress.GetClearedFlag(page.m_nStageNumber) != 0;
}

bool CanStandOn(WorldMapRecord& map, int32_t x, int32_t y)
{
    const PlacedEventPage placed = EventPageAt(map, x, y);
    if (placed.m_pPage)
    {
        return placed.m_pPage->m_nKind != kWorldPageWall;
    }
    return map.m_Chip.At(map.CellAt(x, y)).m_bBlocked == 0;
}

StageEntry StageEntryOf(const WorldMapEventPage& page)
{
    if (!IsStageCleared(page))
    {
        return page.m_bPassWithoutClear ? StageEntry::ByButton : StageEntry::Automatic;
    }
    return page.m_bReplayAfterClear ? StageEntry::ByButton : StageEntry::Closed;
}

namespace
{

// A '\\' or '/' of its own, never the second byte of a double-byte character.
bool HasFolder(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); i += platform::Cp932CharLength(name, i))
    {
        if (name[i] == '\\' || name[i] == '/')
        {
            return true;
        }
    }
    return false;
}

} // namespace

std::string StageFilePath(const WorldMapEventPage& page)
{
    const std::string& name = page.m_strStageFile;
    return HasFolder(name) ? name : kStageFolder + name;
}

bool LoadStageOfPage(const WorldMapEventPage& page)
{
    return !page.m_strStageFile.empty() &&
           LoadNumberedCopy(Stage, StageFilePath(page), FileExtensions[kExtStage], 1) == 1;
}
