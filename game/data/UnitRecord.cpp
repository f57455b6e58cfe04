#include "UnitRecord.h"

#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/services/Arithmetic.h"

#include <algorithm>

UnitRecord::UnitRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

UnitRecord::UnitRecord(const FriendRecord& source) : CharacterInPlay(source)
{
}

void UnitRecord::MakeEmpty()
{
    SetDefaults();
    m_nClass = 0;
}

namespace
{

constexpr int32_t kHitRateWithoutWeapon = 90;

// Growth remainders in hundredths of a point: a level-up leaves 0..99, or 100
// when a negative remainder borrowed a whole point.
constexpr int32_t kMaxGrowthRest = 100;

// The item kind each equipment slot takes.
constexpr int32_t kSlotKind[2] = {kItemKindWeapon, kItemKindOtherEquipment};

// base + level x rate, kept within int32.
int32_t PriceAtLevel(int32_t base, int32_t level, int32_t perLevel)
{
    return TruncateToInt(base + static_cast<double>(level) * perLevel);
}

// Gives one of an item back to the stock; false, with nothing changed, when
// the stock cannot take it.
bool GiveBack(int32_t item, ItemList& stock)
{
    if (item == 0)
    {
        return true;
    }
    return CountStack(stock, item) < ItemTable.At(item).m_nMaxCount && AddToStacks(stock, item, 1);
}

} // namespace

bool UnitRecord::Load(DataReader& in)
{
    if (!CharacterInPlay::Load(in))
    {
        return false;
    }
    if (!in.ChecksValues())
    {
        return true;
    }
    m_bEnemy = 0;
    for (int32_t* flag : {&m_nPlayA, &m_nPlayB, &m_nPlayC, &m_nPlayD})
    {
        *flag = *flag != 0 ? 1 : 0;
    }
    m_nLevel = std::clamp(m_nLevel, 1, std::max(m_nMaxLevel, 1));
    m_nExp = m_nLevel >= m_nMaxLevel ? 0 : std::clamp(m_nExp, 0, kExpPerLevel - 1);
    for (int32_t& rest : m_nGrowthRest)
    {
        rest = std::clamp(rest, 0, kMaxGrowthRest);
    }
    for (ParameterValue& param : m_Param)
    {
        param.m_nBase = ClampParameter(param.m_nBase);
    }
    if (IsPartyMember())
    {
        // A unit with no HP would be alive and fight on.
        m_Param[0].m_nBase = std::max(m_Param[0].m_nBase, 1);
    }
    ApplyEquipment();
    return true;
}

int UnitRecord::Equip(int slot, const ItemStack& entry, ItemList& stock)
{
    if (!IsTableIndex(slot, 2))
    {
        return 0;
    }
    const int32_t item = entry.m_nItem;
    // An item of the wrong kind would be dropped by the next check of the unit.
    if (item != 0 && (!IsTableIndex(item, ItemTable.Count()) || ItemTable.At(item).m_nKind != kSlotKind[slot]))
    {
        return 0;
    }
    EquipmentSlot& equip = m_Equip[slot];
    if (!GiveBack(equip.m_nItem, stock))
    {
        return 0;
    }
    equip.SetItem(item);
    if (item != 0)
    {
        AddToStacks(stock, item, -1);
    }
    ApplyEquipment();
    return 1;
}

int UnitRecord::Unequip(int slot, ItemList& stock)
{
    if (!IsTableIndex(slot, 2) || !GiveBack(m_Equip[slot].m_nItem, stock))
    {
        return 0;
    }
    m_Equip[slot].SetItem(0);
    ApplyEquipment();
    return 1;
}

void UnitRecord::UnequipAll(ItemList& stock)
{
    Unequip(0, stock);
    Unequip(1, stock);
}

int32_t WeaponHitRateOf(const CharacterRecord& unit)
{
    const int32_t weapon = unit.m_Equip[0].m_nItem;
    return weapon == 0 ? kHitRateWithoutWeapon : ItemTable.At(weapon).m_nHitRate;
}

int32_t UnitRecord::GetWeaponHitRate() const
{
    return WeaponHitRateOf(*this);
}

int32_t UnitRecord::GetHireCost() const
{
    return IsPartyMember() ? PriceAtLevel(System.m_nHireCost, m_nLevel, System.m_nHireCostPerLevel) : 0;
}

int32_t UnitRecord::GetReviveCost() const
{
    return IsPartyMember() ? PriceAtLevel(System.m_nReviveCost, m_nLevel, System.m_nReviveCostPerLevel) : 0;
}

int32_t UnitRecord::GetDismissPrice() const
{
    if (!IsPartyMember() || m_bNoRelease)
    {
        return 0;
    }
    return PriceAtLevel(System.m_nReleasePrice, m_nLevel, System.m_nReleasePricePerLevel);
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

const UnitRecord* FindLeader(const CheckedVector<UnitRecord>& units)
{
    auto it =
        std::find_if(units.begin(), units.end(), [](const UnitRecord& u) { return u.IsPartyMember() && u.m_nPlayA; });
    return it == units.end() ? nullptr : &*it;
}
