#pragma once

// The drawing of a unit of either side on the stage map: the grid and the
// lists hold friends and enemies as characters, each drawn as its own kind.

#include "game/data/EnemyUnitRecord.h"
#include "game/data/UnitRecord.h"

// Calls f with the unit as the friend or the enemy it is.
template <class F> void WithUnitKind(const CharacterRecord& unit, F&& f)
{
    if (unit.m_bEnemy)
    {
        f(static_cast<const EnemyUnitRecord&>(unit));
    }
    else
    {
        f(static_cast<const UnitRecord&>(unit));
    }
}

// The map chip, the acted look for a unit that has acted.
inline void DrawUnitChip(DrawTarget& target, const CharacterRecord& unit, int x, int y)
{
    WithUnitKind(unit, [&](const auto& typed) { typed.DrawChip(target, x, y, 0); });
}

inline void DrawUnitStatus(DrawTarget& target, const CharacterRecord& unit, int x, int y)
{
    WithUnitKind(unit, [&](const auto& typed) { typed.DrawStatus(target, x, y, 0); });
}

inline void DrawUnitSkills(DrawTarget& target, const CharacterRecord& unit, int x, int y, int first, int rows)
{
    WithUnitKind(unit, [&](const auto& typed) { typed.DrawSkillList(target, x, y, first, rows); });
}
