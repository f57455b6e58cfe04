#include "ProgressRecord.h"

#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"
#include "common/services/Log.h"
#include "game/data/GameData.h"

#include <algorithm>

namespace
{

// What a loaded play-through may hold; a file with more is brought back into range.
constexpr int32_t kMinScoutPoints = 1;
constexpr int32_t kMaxScoutPoints = 1000;

int32_t ReadGrowing(const CheckedVector<int32_t>& values, int32_t index)
{
    return IsTableIndex(index, values.Count()) ? values[static_cast<std::size_t>(index)] : 0;
}

void WriteGrowing(CheckedVector<int32_t>& values, int32_t index, int32_t value, const char* what)
{
    if (index < 0 || index > kMaxGrowingIndex)
    {
        WriteErrorLogF("%s %d : out of range, not written", what, index);
        return;
    }
    if (index >= values.Count())
    {
        values.resize(static_cast<std::size_t>(index) + 1, 0);
    }
    values[static_cast<std::size_t>(index)] = value;
}

// The party slot that entry index of a unit list would take; -1 when the
// party is full or the list has no such entry.
int FreeSlotFor(const CheckedVector<UnitRecord>& list, int index)
{
    return IsTableIndex(index, list.Count()) ? FindFreeSlot(PartyUnits) : -1;
}

} // namespace

ProgressRecord::ProgressRecord()
{
    BindFields(kDataFormatVersion);
}

void ProgressRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nMoney, "m_nMoney");
    BindInt(m_nScoutPoints, "m_nScoutPoints");
    BindInt(m_nMapX, "m_nMapX");
    BindInt(m_nMapY, "m_nMapY");
    BindInt(m_nCurrentStage, "m_nCurrentStage");
    if (VersionAtLeast(version, 85))
    {
        BindInt(m_nProgressA, "m_nProgressA");
    }
    BindInt(m_nCycle, "m_nCycle");
    if (VersionAtLeast(version, 100))
    {
        BindInt(m_nProgressB, "m_nProgressB");
    }
    BindInt(m_nProgressC, "m_nProgressC");
    BindInt(m_nDifficulty, "m_nDifficulty");
    if (VersionAtLeast(version, 77))
    {
        BindStrings(m_strMusic, 4, "m_strMusic");
    }
}

bool ProgressRecord::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadRecordVector(m_Items, in))
    {
        return false;
    }
    if (!VersionAtLeast(in.Version(), 103))
    {
        m_ShopGoods.clear(); // older files have no shop goods
    }
    else if (!LoadRecordVector(m_ShopGoods, in))
    {
        return false;
    }
    if (!LoadRecordVector(m_HireList, in) || !LoadRecordVector(m_FallenList, in) || !LoadIntVector(m_Work, in) ||
        !LoadIntVector(m_ClearedFlags, in) || !LoadIntVector(m_Work2, in))
    {
        return false;
    }
    Validate();
    // What the game itself never lets these become.
    m_nMoney = std::clamp(m_nMoney, 0, kMaxMoney);
    m_nScoutPoints = std::clamp(m_nScoutPoints, kMinScoutPoints, kMaxScoutPoints);
    m_nDifficulty = std::clamp(m_nDifficulty, 0, std::max(System.m_nDifficultyMax, 0));
    return true;
}

void ProgressRecord::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    SaveRecordVector(m_Items, out);
    SaveRecordVector(m_ShopGoods, out);
    SaveRecordVector(m_HireList, out);
    SaveRecordVector(m_FallenList, out);
    SaveIntVector(m_Work, out);
    SaveIntVector(m_ClearedFlags, out);
    SaveIntVector(m_Work2, out);
}

void ProgressRecord::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Items", m_Items);
    visitor.Records("m_ShopGoods", m_ShopGoods);
    visitor.Records("m_HireList", m_HireList);
    visitor.Records("m_FallenList", m_FallenList);
    visitor.Ints("m_Work", m_Work);
    visitor.Ints("m_ClearedFlags", m_ClearedFlags);
    visitor.Ints("m_Work2", m_Work2);
}

void ProgressRecord::Validate()
{
    if (!IsTableIndex(m_nMapX, WorldMap.m_nWidth) || !IsTableIndex(m_nMapY, WorldMap.m_nHeight))
    {
        m_nMapX = WorldMap.m_nStartX;
        m_nMapY = WorldMap.m_nStartY;
    }
    FitStacksToItemTable(m_Items);
    FitStacksToItemTable(m_ShopGoods);
    ClampStackCounts(m_Items);
    ClampStackCounts(m_ShopGoods);
}

int ProgressRecord::FindItemOfType(int32_t kind) const
{
    return FindStackOfType(m_Items, kind);
}

int32_t ProgressRecord::GetItemCount(int32_t item) const
{
    return CountStack(m_Items, item);
}

int ProgressRecord::AddItem(int32_t item, int32_t count)
{
    return AddToStacks(m_Items, item, count);
}

int ProgressRecord::AddShopGoods(const ItemStack& stack)
{
    const int32_t item = stack.m_nItem;
    if (item == 0 || !IsTableIndex(item, ItemTable.Count()) || FindStack(m_ShopGoods, item) >= 0)
    {
        return 0;
    }
    // The list has a stack for every item once checked; an unchecked one gets
    // an entry appended when none is free.
    const bool hasFree = std::any_of(m_ShopGoods.begin(), m_ShopGoods.end(),
                                     [](const ItemStack& s) { return s.m_nItem == 0 && s.m_nCount == 0; });
    if (!hasFree)
    {
        m_ShopGoods.emplace_back();
    }
    if (!AddToStacks(m_ShopGoods, item, kShopGoodsCount))
    {
        return 0;
    }
    SortShopGoods();
    return 1;
}

void ProgressRecord::SortShopGoods()
{
    std::stable_sort(m_ShopGoods.begin(), m_ShopGoods.end(), [](const ItemStack& a, const ItemStack& b) {
        if ((a.m_nItem == 0) != (b.m_nItem == 0))
        {
            return b.m_nItem == 0;
        }
        return a.m_nItem < b.m_nItem;
    });
}

void ProgressRecord::AddMoney(int64_t delta)
{
    // Any delta beyond the whole range of money has the effect of the range.
    delta = std::clamp<int64_t>(delta, -int64_t{kMaxMoney} * 2, int64_t{kMaxMoney} * 2);
    m_nMoney = static_cast<int32_t>(std::clamp<int64_t>(int64_t{m_nMoney} + delta, 0, kMaxMoney));
}

void ProgressRecord::SetMusicName(int index, const std::string& name)
{
    if (IsTableIndex(index, 4))
    {
        m_strMusic[index] = name;
    }
}

void ProgressRecord::CopyMusicNames(const std::string names[4])
{
    std::copy(names, names + 4, m_strMusic);
}

bool ProgressRecord::JoinParty(const UnitRecord& unit)
{
    int slot = FindFreeSlot(PartyUnits);
    if (slot < 0 || !unit.IsPartyMember())
    {
        return false;
    }
    UnitRecord joining(unit);
    joining.Recompute();
    PartyUnits.At(slot) = std::move(joining);
    return true;
}

bool ProgressRecord::HireUnit(int index)
{
    int slot = FreeSlotFor(m_HireList, index);
    if (slot < 0)
    {
        return false;
    }
    UnitRecord& entry = m_HireList.At(index);
    PartyUnits.At(slot) = entry;
    // An entry whose friend is gone from the table cannot be made afresh.
    if (!entry.m_bHireAgain || !IsTableIndex(entry.m_nHead, FriendTable.Count()))
    {
        m_HireList.erase(m_HireList.begin() + index);
        return true;
    }
    UnitRecord fresh(FriendTable.At(entry.m_nHead));
    fresh.Recompute();
    entry = std::move(fresh);
    return true;
}

bool ProgressRecord::ReviveUnit(int index)
{
    int slot = FreeSlotFor(m_FallenList, index);
    if (slot < 0)
    {
        return false;
    }
    UnitRecord& revived = PartyUnits.At(slot);
    revived = m_FallenList.At(index);
    revived.m_nPlayD = 0;
    m_FallenList.erase(m_FallenList.begin() + index);
    return true;
}

void ProgressRecord::FillHireList()
{
    for (const FriendRecord& friendRecord : FriendTable)
    {
        if (friendRecord.m_bInShop)
        {
            AddToHireList(UnitRecord(friendRecord));
        }
    }
}

bool ProgressRecord::AddToHireList(const UnitRecord& unit)
{
    if (!unit.IsPartyMember())
    {
        return false;
    }
    UnitRecord entry(unit);
    entry.Recompute();
    m_HireList.push_back(std::move(entry));
    return true;
}

bool ProgressRecord::AddFallenUnit(const UnitRecord& unit)
{
    if (!unit.IsPartyMember())
    {
        return false;
    }
    UnitRecord fallen(unit);
    fallen.ClearTurnFlags();
    m_FallenList.push_back(std::move(fallen));
    return true;
}

void ProgressRecord::StartWorldOver()
{
    ++m_nCycle;
    std::fill(m_ClearedFlags.begin(), m_ClearedFlags.end(), 0);
    m_nMapX = WorldMap.m_nStartX;
    m_nMapY = WorldMap.m_nStartY;
}

void ProgressRecord::ResetForNewGame()
{
    *this = ProgressRecord();
    m_nMoney = 0;
    m_nScoutPoints = 1;
    m_nMapX = WorldMap.m_nStartX;
    m_nMapY = WorldMap.m_nStartY;
    m_nCycle = 0;
    Validate();
    FillHireList();
    CopyMusicNames(System.m_strBgm);
    m_nDifficulty = System.m_nDifficultyInitial;
}

int32_t ProgressRecord::GetVariable(int32_t number) const
{
    return ReadGrowing(m_Work, number);
}

void ProgressRecord::SetVariable(int32_t number, int32_t value)
{
    WriteGrowing(m_Work, number, value, "variable");
}

int32_t ProgressRecord::GetClearedFlag(int32_t stage) const
{
    return ReadGrowing(m_ClearedFlags, stage);
}

void ProgressRecord::SetClearedFlag(int32_t stage, int32_t value)
{
    WriteGrowing(m_ClearedFlags, stage, value, "cleared flag");
}
