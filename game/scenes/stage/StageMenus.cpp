#include "game/scenes/stage/StageMenus.h"

std::vector<int> EnabledEntries(const CheckedVector<MenuCommandEntry>& list)
{
    std::vector<int> entries;
    for (int i = 0; i < list.Count(); ++i)
    {
        if (list[static_cast<std::size_t>(i)].m_bEnabled)
        {
            entries.push_back(i);
        }
    }
    if (entries.empty())
    {
        entries.push_back(0);
    }
    return entries;
}

bool HasAdjacentOpponent(const StageField& field, const CharacterRecord& unit)
{
    const int32_t steps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const auto& step : steps)
    {
        const CharacterRecord* other = field.ActiveUnitAt(unit.m_nPlayE + step[0], unit.m_nPlayF + step[1]);
        if (other && (other->m_bEnemy != 0) != (unit.m_bEnemy != 0))
        {
            return true;
        }
    }
    return false;
}

std::vector<int> BuildUnitCommands(std::span<const int> enabled, const StageField& field, const CharacterRecord& unit,
                                   bool hasSpecial)
{
    std::vector<int> commands;
    for (int kind : enabled)
    {
        if ((kind == kCommandSpecial && !hasSpecial) || (kind == kCommandFight && !HasAdjacentOpponent(field, unit)))
        {
            continue;
        }
        commands.push_back(kind);
    }
    return commands;
}
