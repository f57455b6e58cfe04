#pragma once

// One play-through, apart from the party's units: money, scout points, the
// world-map position, the stage being played and the cleared stages, the
// cycle counter, the difficulty, the music names, the party's item stock,
// the shop goods, the hire list, the fallen units and the global variables.
// A save slot stores it, followed by the party.
//
// Image: the record image (bound fields and the four music names), then the
// item stock, the shop goods (files from version 103), the hire list and the
// fallen list (each int32 count and unit images), then m_Work, m_ClearedFlags
// and m_Work2 (each int32 count and values). The check runs at the end of
// every load and at the start of every save.

#include "game/data/ItemStack.h"
#include "game/data/UnitRecord.h"

#include <cstdint>
#include <string>

// Money stays within 0..999999 after every change.
constexpr int32_t kMaxMoney = 999999;
// Global variables hold -999999..999999.
constexpr int32_t kMinVariableValue = -999999;
constexpr int32_t kMaxVariableValue = 999999;
// Every article of a shop is offered 99 at a time.
constexpr int32_t kShopGoodsCount = 99;
// Largest global variable or stage number that a write may grow its vector to.
constexpr int32_t kMaxGrowingIndex = 65535;

class ProgressRecord : public SerializableRecord
{
public:
    // Bound at the current format; every number 0, every list empty.
    ProgressRecord();

    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // A world-map position off the world map goes back to its start; the item
    // stock and the shop goods get one stack per item of the item table, each
    // count within its item's maximum. A load then brings money, scout points
    // (1..1000) and the difficulty (0..the System's maximum, the camp's
    // range) into their ranges.
    void Validate();

    // The item stock (see AddToStacks).
    int FindItemOfType(int32_t kind) const;
    int32_t GetItemCount(int32_t item) const;
    int AddItem(int32_t item, int32_t count);

    // Adds an item to the shop goods with count 99 and sorts them; 0 when the
    // item is already among them or cannot be added.
    int AddShopGoods(const ItemStack& stack);
    // Goods by item index, the empty stacks last.
    void SortShopGoods();

    // Money plus delta (a negative delta takes money), kept within 0..kMaxMoney.
    void AddMoney(int64_t delta);

    void SetMusicName(int index, const std::string& name);
    void CopyMusicNames(const std::string names[4]);

    // Party operations on the global party. Each fails, changing nothing,
    // when no slot is free.
    // A recomputed copy of the unit takes the first free slot; false for a
    // unit without class.
    bool JoinParty(const UnitRecord& unit);
    // Entry index of the hire list joins the party; a one-time entry leaves
    // the list, any other is made afresh from its friend so that it can be
    // hired again.
    bool HireUnit(int index);
    // Entry index of the fallen list returns to the party, no longer down.
    bool ReviveUnit(int index);

    // Every friend listed at the hiring shop from the start joins the hire list.
    void FillHireList();
    // A recomputed copy joins the hire list; false for a unit without class.
    bool AddToHireList(const UnitRecord& unit);
    // A copy, with its turn flags off, joins the fallen list; false for a
    // unit without class.
    bool AddFallenUnit(const UnitRecord& unit);

    // The world's after-clear restart: one more cycle, no stage cleared, the
    // world map's start position. Money, party and items stay.
    void StartWorldOver();
    // The state of a new game: everything cleared, then money 0, scout points
    // 1, the world map's start position, one empty stack per item, the hire
    // list from the friend table, the System's music names and initial
    // difficulty.
    void ResetForNewGame();

    // Global variables (m_Work) and cleared flags per stage number
    // (m_ClearedFlags): a number past the end reads 0, a write grows the
    // vector up to kMaxGrowingIndex; negative numbers read 0 and are not written.
    int32_t GetVariable(int32_t number) const;
    void SetVariable(int32_t number, int32_t value);
    int32_t GetClearedFlag(int32_t stage) const;
    void SetClearedFlag(int32_t stage, int32_t value);

    // The stage map's land box under the cursor, switched on and off by the player.
    bool LandInfoShown() const { return m_nProgressC == 0; }
    void ToggleLandInfo() { m_nProgressC = LandInfoShown() ? 1 : 0; }

    CheckedVector<UnitRecord> m_HireList;   // offered by the hiring shop
    CheckedVector<UnitRecord> m_FallenList; // waiting for a revival
    CheckedVector<int32_t> m_Work;          // the global variables
    int32_t m_nMoney = 0;                   // 0..999999
    int32_t m_nScoutPoints = 0;
    ItemList m_Items;     // the party's item stock, one stack per item
    ItemList m_ShopGoods; // the camp shop's goods, count 99 each
    int32_t m_nMapX = 0;  // world-map position
    int32_t m_nMapY = 0;
    int32_t m_nCurrentStage = 0;  // stage number being played
    int32_t m_nProgressA = 0;     // carried as stored; files from version 85
    CheckedVector<int32_t> m_ClearedFlags; // per stage number, 1 when cleared
    CheckedVector<int32_t> m_Work2;        // carried as stored
    int32_t m_nCycle = 0;                  // times the world was started over
    int32_t m_nProgressB = 0;              // carried as stored; files from version 100
    int32_t m_nProgressC = 0;              // the stage map's land box: 0 shown (as a new game starts), 1 hidden
    int32_t m_nDifficulty = 0;
    std::string m_strMusic[4]; // files from version 77; as the System's music names
};
