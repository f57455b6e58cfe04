#include "game/scenes/stage/StageEvents.h"

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/ValueOperations.h"
#include "game/scenes/EventTriggers.h"

namespace
{

bool StandsOn(const CharacterRecord& unit, int32_t x, int32_t y)
{
    return unit.m_nPlayE == x && unit.m_nPlayF == y;
}

// Whether an active unit stands where the area asks.
bool Qualifies(const PositionContext& context, const CharacterRecord* unit, const Event& event, int32_t where,
               int32_t group)
{
    if (!unit || !context.m_pField || !context.m_pField->IsActive(*unit))
    {
        return false;
    }
    switch (where)
    {
    case kAreaWholeMap:
        return context.m_pField->Contains(unit->m_nPlayE, unit->m_nPlayF);
    case kAreaEventCell:
        return StandsOn(*unit, event.m_nX, event.m_nY);
    case kAreaGroup:
        return PointListContainsXY(unit->m_nPlayE, unit->m_nPlayF, Stage.m_GroupPos.At(group).m_Point) != 0;
    default:
        return false;
    }
}

} // namespace

bool IsPageActive(const EventPage& page, const Event& event, int32_t turn, bool stageCleared)
{
    return (page.m_nTurn == 0 || page.m_nTurn == turn) &&
           (!page.m_bUseEventVar || CompareValues(event.m_nEventVar, page.m_nEventVarValue, page.m_nEventVarCompare)) &&
           (page.m_nVariable == 0 ||
            CompareValues(Progress.GetVariable(page.m_nVariable), page.m_nVariableValue, page.m_nVariableCompare)) &&
           (!page.m_bFirstTryOnly || !stageCleared);
}

const EventPage* ActivePage(const Event& event, int32_t turn, bool stageCleared)
{
    for (const EventPage& page : event.m_Page)
    {
        if (IsPageActive(page, event, turn, stageCleared))
        {
            return &page;
        }
    }
    return nullptr;
}

bool CheckPositionCondition(std::vector<CharacterRecord*>& selected, const PositionContext& context, const Event& event,
                            CharacterRecord* holder, int32_t where, int32_t who, int32_t group)
{
    selected.clear();
    if (where == kAreaNone)
    {
        return true;
    }
    auto consider = [&](CharacterRecord* unit)
    {
        if (Qualifies(context, unit, event, where, group))
        {
            selected.push_back(unit);
        }
    };
    switch (who)
    {
    case kWhoAnyone:
    case kWhoFriends:
    case kWhoEnemies:
        if (who != kWhoEnemies)
        {
            for (UnitRecord* unit : context.m_Players)
            {
                consider(unit);
            }
        }
        if (who != kWhoFriends)
        {
            for (EnemyUnitRecord* unit : context.m_Enemies)
            {
                consider(unit);
            }
        }
        break;
    case kWhoActing:
        consider(context.m_pActing);
        break;
    case kWhoLeader:
        consider(context.m_pLeader);
        break;
    case kWhoHolder:
        consider(holder);
        break;
    default:
        break;
    }
    return !selected.empty();
}

bool PagePositionHolds(std::vector<CharacterRecord*>& selected, const PositionContext& context, const EventPage& page,
                       const Event& event, CharacterRecord* holder)
{
    const bool found =
        CheckPositionCondition(selected, context, event, holder, page.m_nArea, page.m_nTarget, page.m_nGroup);
    if (page.m_nArea == kAreaNone || page.m_nExists != kPresentIfAbsent)
    {
        return found;
    }
    selected.clear();
    return !found;
}

const EventPage* FindSpecialCommandPage(const CheckedVector<Event>& events, const PositionContext& context,
                                        std::span<CharacterRecord* const> holders, int32_t turn, bool stageCleared)
{
    std::vector<CharacterRecord*> selected;
    for (int i = 0; i < events.Count(); ++i)
    {
        const Event& event = events[static_cast<std::size_t>(i)];
        CharacterRecord* holder =
            static_cast<std::size_t>(i) < holders.size() ? holders[static_cast<std::size_t>(i)] : nullptr;
        for (const EventPage& page : event.m_Page)
        {
            if (page.m_nTiming == kTriggerPlayerSpecialCommand && IsPageActive(page, event, turn, stageCleared) &&
                PagePositionHolds(selected, context, page, event, holder))
            {
                return &page;
            }
        }
    }
    return nullptr;
}

void BindHeldEvents(CheckedVector<Event>& events, std::span<UnitRecord* const> players,
                    std::span<EnemyUnitRecord* const> enemies, std::vector<CharacterRecord*>& holders)
{
    holders.assign(static_cast<std::size_t>(events.Count()), nullptr);
    for (Event& event : events)
    {
        event.m_nHolder = 0;
    }
    for (UnitRecord* unit : players)
    {
        unit->SetHeldEvent(-1);
    }
    for (EnemyUnitRecord* unit : enemies)
    {
        unit->SetHeldEvent(-1);
    }
    for (int i = 0; i < events.Count(); ++i)
    {
        Event& event = events[static_cast<std::size_t>(i)];
        if (!event.m_bHeld)
        {
            continue;
        }
        auto take = [&](auto* unit)
        {
            if (holders[static_cast<std::size_t>(i)] || !unit->m_nPlayB || !StandsOn(*unit, event.m_nX, event.m_nY))
            {
                return;
            }
            holders[static_cast<std::size_t>(i)] = unit;
            event.m_nHolder = 1;
            unit->SetHeldEvent(i);
        };
        for (UnitRecord* unit : players)
        {
            take(unit);
        }
        for (EnemyUnitRecord* unit : enemies)
        {
            take(unit);
        }
    }
}
