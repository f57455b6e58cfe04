#pragma once

// The stage's map as movement and targeting see it: its size, the land of
// every cell with its movement cost, the units standing on cells (the unit
// grid) and the enemy groups that are shown.
//
// A unit is active when it stands on the map (on-map flag), is not down and,
// for an enemy, its group is shown. Cells are numbered row by row:
// y x width + x.

#include "common/data/CharacterRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/StageRecord.h"

#include <cstdint>
#include <vector>

// Enemy groups 0..100; group 0 is shown from the start.
constexpr int kEnemyGroupCount = 101;

// A land cost that marks a cell no unit may enter.
constexpr int32_t kImpassable = -1;

class StageField
{
public:
    // The field of a stage and the land table its cells index. Both are read
    // at every fill (an event may change a cell's land) and must outlive the
    // field; the field keeps the stage's size of its making, so a stage that
    // is loaded afresh gets a field of its own.
    StageField(const StageRecord& stage, const CheckedVector<LandRecord>& lands);

    int32_t Width() const { return m_Stage.m_nWidth; }
    int32_t Height() const { return m_Stage.m_nHeight; }
    int CellCount() const { return Width() * Height(); }
    bool Contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    int CellOf(int32_t x, int32_t y) const { return y * Width() + x; }

    // The land of a cell (a land index outside the table is reported as any
    // index outside a list, and land 0 stands in).
    const LandRecord& LandAt(int32_t x, int32_t y) const;
    // Per cell, what entering it costs: its land's movement cost (at least 1),
    // or 1 for a unit that flies; kImpassable for land no unit may enter.
    void BuildEntryCosts(bool flying, std::vector<int32_t>& costs) const;

    // The unit grid: which unit stands on a cell. Placing a unit moves it
    // there (its map position follows) and clears its old cell when it still
    // held it; cells outside the map hold nothing.
    void PlaceUnit(CharacterRecord& unit, int32_t x, int32_t y);
    void RemoveUnit(CharacterRecord& unit);
    // Clears the cell when that unit holds it (a unit whose position changed since).
    void RemoveUnitAt(const CharacterRecord& unit, int32_t x, int32_t y);
    void ClearUnits();
    CharacterRecord* UnitAt(int32_t x, int32_t y) const;
    // The unit on a cell when it is active; else null.
    CharacterRecord* ActiveUnitAt(int32_t x, int32_t y) const;
    // The unit grid by cell (null where no unit stands).
    const std::vector<CharacterRecord*>& Units() const { return m_Units; }

    void SetGroupShown(int32_t group, bool shown);
    bool IsGroupShown(int32_t group) const;
    bool IsActive(const CharacterRecord& unit) const;

private:
    const StageRecord& m_Stage;
    const CheckedVector<LandRecord>& m_Lands;
    std::vector<CharacterRecord*> m_Units; // by cell
    bool m_bGroupShown[kEnemyGroupCount] = {true};
};
