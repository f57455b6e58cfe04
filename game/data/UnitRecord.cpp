#include "UnitRecord.h"

#include "game/data/GameData.h"

#include <algorithm>

UnitRecord::UnitRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

UnitRecord::UnitRecord(const FriendRecord& source) : FriendRecord(source)
{
}

void UnitRecord::Recompute()
{
    Rebuild();
}

void UnitRecord::Rebuild()
{
    const int32_t level = m_nLevel;
    const int32_t scout = m_bEnemy ? 0 : Progress.m_nScoutPoints;
    BuildGrowthTables(m_bRandomGrowth != 0, scout, false);
    m_nLevel = level;
    InitLevel(level, false);
}

void UnitRecord::MakeEmpty()
{
    SetDefaults();
    m_nClass = 0;
}

void UnitRecord::ClearTurnFlags()
{
    m_nPlayB = 0;
    m_nPlayC = 0;
}

void ResizeUnitVector(CheckedVector<UnitRecord>& units, int count)
{
    const auto size = static_cast<std::size_t>(std::max(count, 0));
    if (size <= units.size())
    {
        units.erase(units.begin() + static_cast<std::ptrdiff_t>(size), units.end());
        return;
    }
    UnitRecord empty;
    empty.MakeEmpty();
    units.resize(size, empty);
}

int CountPartyMembers(const CheckedVector<UnitRecord>& units)
{
    return static_cast<int>(
        std::count_if(units.begin(), units.end(), [](const UnitRecord& u) { return u.IsPartyMember(); }));
}

int FindFreeSlot(const CheckedVector<UnitRecord>& units)
{
    auto it = std::find_if(units.begin(), units.end(), [](const UnitRecord& u) { return !u.IsPartyMember(); });
    return it == units.end() ? -1 : static_cast<int>(it - units.begin());
}
