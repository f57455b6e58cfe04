#include "StageField.h"

#include <algorithm>

StageField::StageField(const StageRecord& stage, const CheckedVector<LandRecord>& lands)
    : m_Stage(stage), m_Lands(lands), m_Units(static_cast<std::size_t>(std::max(stage.m_nWidth * stage.m_nHeight, 0)))
{
}

const LandRecord& StageField::LandAt(int32_t x, int32_t y) const
{
    return m_Lands.At(m_Stage.m_Chip.At((y << m_Stage.m_nShift) + x));
}

void StageField::BuildEntryCosts(bool flying, std::vector<int32_t>& costs) const
{
    // What entering each land costs, looked up once per land.
    std::vector<int32_t> byLand(static_cast<std::size_t>(m_Lands.Count()));
    for (int land = 0; land < m_Lands.Count(); ++land)
    {
        const LandRecord& record = m_Lands[static_cast<std::size_t>(land)];
        byLand[static_cast<std::size_t>(land)] =
            record.m_bNoEntry ? kImpassable : (flying ? 1 : std::max(record.m_nMoveCost, 1));
    }
    costs.resize(static_cast<std::size_t>(std::max(CellCount(), 0)));
    const CheckedVector<int32_t>& chips = m_Stage.m_Chip;
    for (int32_t y = 0; y < Height(); ++y)
    {
        const std::size_t row = static_cast<std::size_t>(y) << m_Stage.m_nShift;
        const bool rowInGrid = row + static_cast<std::size_t>(Width()) <= chips.size();
        for (int32_t x = 0; x < Width(); ++x)
        {
            const int32_t chip = rowInGrid ? chips[row + static_cast<std::size_t>(x)] : -1;
            int32_t& cost = costs[static_cast<std::size_t>(CellOf(x, y))];
            if (IsTableIndex(chip, m_Lands.Count()))
            {
                cost = byLand[static_cast<std::size_t>(chip)];
                continue;
            }
            // Reported as any index outside a list; land 0 stands in.
            const LandRecord& land = LandAt(x, y);
            cost = land.m_bNoEntry ? kImpassable : (flying ? 1 : std::max(land.m_nMoveCost, 1));
        }
    }
}

void StageField::PlaceUnit(CharacterRecord& unit, int32_t x, int32_t y)
{
    m_Units.resize(static_cast<std::size_t>(std::max(CellCount(), 0)));
    RemoveUnit(unit);
    unit.m_nPlayE = x;
    unit.m_nPlayF = y;
    if (Contains(x, y))
    {
        m_Units[static_cast<std::size_t>(CellOf(x, y))] = &unit;
    }
}

void StageField::RemoveUnit(CharacterRecord& unit)
{
    RemoveUnitAt(unit, unit.m_nPlayE, unit.m_nPlayF);
}

void StageField::RemoveUnitAt(const CharacterRecord& unit, int32_t x, int32_t y)
{
    if (Contains(x, y) && UnitAt(x, y) == &unit)
    {
        m_Units[static_cast<std::size_t>(CellOf(x, y))] = nullptr;
    }
}

void StageField::ClearUnits()
{
    m_Units.assign(static_cast<std::size_t>(std::max(CellCount(), 0)), nullptr);
}

CharacterRecord* StageField::UnitAt(int32_t x, int32_t y) const
{
    if (!Contains(x, y) || static_cast<std::size_t>(CellOf(x, y)) >= m_Units.size())
    {
        return nullptr;
    }
    return m_Units[static_cast<std::size_t>(CellOf(x, y))];
}

CharacterRecord* StageField::ActiveUnitAt(int32_t x, int32_t y) const
{
    CharacterRecord* unit = UnitAt(x, y);
    return unit && IsActive(*unit) ? unit : nullptr;
}

void StageField::SetGroupShown(int32_t group, bool shown)
{
    if (group >= 0 && group < kEnemyGroupCount)
    {
        m_bGroupShown[group] = shown;
    }
}

bool StageField::IsGroupShown(int32_t group) const
{
    return group >= 0 && group < kEnemyGroupCount && m_bGroupShown[group];
}

bool StageField::IsActive(const CharacterRecord& unit) const
{
    return unit.m_nPlayB && !unit.m_nPlayD && (!unit.m_bEnemy || IsGroupShown(unit.m_nPlayG));
}
