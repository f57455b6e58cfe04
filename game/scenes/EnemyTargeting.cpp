#include "EnemyTargeting.h"

#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "game/scenes/BattleFormulas.h"
#include "game/scenes/MapSkillRules.h"

#include <cstdlib>

namespace
{

// Scores: the nearest target has the highest; the best so far starts below
// every score a candidate can have.
constexpr int32_t kFarthestScore = 999999;
constexpr int32_t kNoPlayerScore = -100000;
constexpr int32_t kNoAllyScore = -10000;
// The destination's best (lowest) score and its tie-break start here.
constexpr int32_t kNoDestinationScore = 999999;

struct Target
{
    bool m_bFound = false;
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    CharacterRecord* m_pUnit = nullptr; // null for a goal cell
};

// One decision under way: the enemy, the lists and the grids around its cell.
class Decision
{
public:
    Decision(const StageField& field, EnemyUnitRecord& enemy, std::span<UnitRecord* const> players,
             std::span<EnemyUnitRecord* const> enemies, EnemyAiGrids& grids)
        : m_Field(field), m_Enemy(enemy), m_Players(players), m_Enemies(enemies), m_Grids(grids),
          m_Mover(MoverOf(enemy))
    {
        FillMovementRange(field, m_Mover, grids.m_Movement);
        FillThreatArea(field, grids.m_Movement, &enemy, grids.m_Threat);
        FillAttackRange(field, m_Mover.m_nX, m_Mover.m_nY, true, grids.m_Reach);
    }

    EnemyDecision Run()
    {
        for (int j = 0; j < m_Enemy.m_MoveAI.Count(); ++j)
        {
            const MoveAiEntry& entry = m_Enemy.m_MoveAI[static_cast<std::size_t>(j)];
            if (entry.m_nMode == kMoveAiModeSkill && !CanUseSkillOnMap(m_Enemy, SkillTable.At(entry.m_nSkill)))
            {
                continue;
            }
            const Target target = ChooseTarget(j, entry);
            EnemyDecision decision;
            if (target.m_bFound && DecideAction(entry, target, decision))
            {
                decision.m_nEntry = j;
                ChooseDestination(target, decision);
                return Finish(decision);
            }
        }
        EnemyDecision stay;
        stay.m_nDestX = m_Mover.m_nX;
        stay.m_nDestY = m_Mover.m_nY;
        return Finish(stay);
    }

private:
    bool InGrid(const CellGrid& grid, int32_t x, int32_t y) const { return grid.Contains(x, y) && grid.At(x, y) >= 1; }

    // The entry's range condition on a cell.
    bool MeetsRange(int32_t range, int32_t x, int32_t y) const
    {
        switch (range)
        {
        case kMoveAiRangeAnywhere:
            return true;
        case kMoveAiRangeThreat:
            return InGrid(m_Grids.m_Threat, x, y);
        case kMoveAiRangeReach:
            return InGrid(m_Grids.m_Reach, x, y);
        default:
            return false;
        }
    }

    // The range that an attack or a skill needs: the threat area unless the
    // entry looks within reach.
    bool InActionRange(int32_t range, int32_t x, int32_t y) const
    {
        return range == kMoveAiRangeReach ? InGrid(m_Grids.m_Reach, x, y) : InGrid(m_Grids.m_Threat, x, y);
    }

    // The cost of the way from an origin to the enemy; -1 when there is none.
    int32_t PathCostFrom(int32_t x, int32_t y)
    {
        if (!m_bPathCostsFilled)
        {
            FillPathCostsTo(m_Field, m_Mover.m_nX, m_Mover.m_nY, m_Mover.m_bFlying, m_Grids.m_PathCosts);
            m_bPathCostsFilled = true;
        }
        return m_Grids.m_PathCosts.Contains(x, y) ? m_Grids.m_PathCosts.At(x, y) : -1;
    }

    bool IsCandidate(const CharacterRecord& unit, int32_t range) const
    {
        return m_Field.IsActive(unit) && MeetsRange(range, unit.m_nPlayE, unit.m_nPlayF);
    }

    static Target TargetOf(CharacterRecord& unit)
    {
        return Target{true, unit.m_nPlayE, unit.m_nPlayF, &unit};
    }

    // Damage over a battle, less the target's HP.
    static int32_t DamageScore(int32_t attack, int32_t defence, const CharacterRecord& target)
    {
        const int32_t damage = CalcDamage(attack, defence, 0, 0);
        return TruncateToInt(damage * System.m_dActionCount[0]) - target.m_Param[kParamHp].m_nValue;
    }

    int32_t PlayerScore(int32_t type, const CharacterRecord& target)
    {
        const ParameterValue* own = m_Enemy.m_Param;
        switch (type)
        {
        case kMoveAiTargetNearest: {
            const int32_t cost = PathCostFrom(target.m_nPlayE, target.m_nPlayF);
            return cost < 0 ? kNoPlayerScore : kFarthestScore - cost;
        }
        case kMoveAiTargetPhysical:
            return DamageScore(own[kParamAttack].m_nValue, target.m_Param[kParamDefence].m_nValue, target);
        case kMoveAiTargetMagic:
            return DamageScore(own[kParamMagic].m_nValue, target.m_Param[kParamResistance].m_nValue, target);
        default: // the weakest
            return -target.m_Param[kParamHp].m_nValue;
        }
    }

    Target ChoosePlayer(const MoveAiEntry& entry)
    {
        if (entry.m_nTarget == kMoveAiTargetMagic && !m_Enemy.HasUsableSkillRule())
        {
            return {};
        }
        Target best;
        int32_t bestScore = kNoPlayerScore;
        for (UnitRecord* unit : m_Players)
        {
            if (!unit || !IsCandidate(*unit, entry.m_nRange))
            {
                continue;
            }
            if (entry.m_nTarget == kMoveAiTargetLeader)
            {
                if (unit->m_nPlayA)
                {
                    best = TargetOf(*unit);
                }
                continue;
            }
            // A unit out of every way scores no more than the start and is passed over.
            const int32_t score = PlayerScore(entry.m_nTarget, *unit);
            if (score > bestScore)
            {
                bestScore = score;
                best = TargetOf(*unit);
            }
        }
        return best;
    }

    Target ChooseAlly(const MoveAiEntry& entry)
    {
        Target best;
        int32_t bestScore = kNoAllyScore;
        for (EnemyUnitRecord* unit : m_Enemies)
        {
            if (!unit || !IsCandidate(*unit, entry.m_nRange))
            {
                continue;
            }
            const bool self = unit == &m_Enemy;
            if (entry.m_nTarget == kMoveAiTargetSelf)
            {
                if (self)
                {
                    return TargetOf(*unit);
                }
                continue;
            }
            int32_t score = kNoAllyScore;
            if (entry.m_nTarget == kMoveAiTargetNearestAlly && !self)
            {
                const int32_t cost = PathCostFrom(unit->m_nPlayE, unit->m_nPlayF);
                score = cost < 0 ? kNoAllyScore : kFarthestScore - cost;
            }
            else if (entry.m_nTarget == kMoveAiTargetMostHurtAlly)
            {
                const ParameterValue& hp = unit->m_Param[kParamHp];
                const int32_t loss = hp.m_nBase - hp.m_nValue;
                score = loss > 0 ? loss : kNoAllyScore;
            }
            if (score > bestScore)
            {
                bestScore = score;
                best = TargetOf(*unit);
            }
        }
        return best;
    }

    Target ChooseGoal(int entryIndex, const MoveAiEntry& entry)
    {
        const PositionGroup* group = m_Enemy.GetGoalGroup(entryIndex);
        if (!group)
        {
            return {};
        }
        Target best;
        int32_t bestScore = kNoAllyScore;
        for (const MapPoint& point : group->m_Point)
        {
            const int32_t x = point.m_nX;
            const int32_t y = point.m_nY;
            const bool inRange = entry.m_nRange == kMoveAiRangeAnywhere ||
                                 (entry.m_nRange == kMoveAiRangeThreat && InGrid(m_Grids.m_Movement.m_Points, x, y)) ||
                                 (entry.m_nRange == kMoveAiRangeReach && InGrid(m_Grids.m_Reach, x, y));
            if (!m_Field.Contains(x, y) || !inRange)
            {
                continue;
            }
            const int32_t cost = PathCostFrom(x, y);
            if (cost >= 0 && kFarthestScore - cost > bestScore)
            {
                bestScore = kFarthestScore - cost;
                best = Target{true, x, y, nullptr};
            }
        }
        return best;
    }

    Target ChooseTarget(int entryIndex, const MoveAiEntry& entry)
    {
        if (entry.m_nTarget >= kMoveAiTargetNearest && entry.m_nTarget <= kMoveAiTargetLeader)
        {
            return ChoosePlayer(entry);
        }
        if (entry.m_nTarget >= kMoveAiTargetNearestAlly && entry.m_nTarget <= kMoveAiTargetSelf)
        {
            return ChooseAlly(entry);
        }
        if (entry.m_nTarget == kMoveAiTargetGoal)
        {
            return ChooseGoal(entryIndex, entry);
        }
        return {};
    }

    // Whether the entry's action fits its target; fills the action in.
    bool DecideAction(const MoveAiEntry& entry, const Target& target, EnemyDecision& decision) const
    {
        if (entry.m_nMode == kMoveAiModeMove)
        {
            return true;
        }
        const bool inRange = InActionRange(entry.m_nRange, target.m_nX, target.m_nY);
        if (entry.m_nTarget <= kMoveAiTargetLeader)
        {
            if (entry.m_nMode != kMoveAiModeAttack || !inRange)
            {
                return false;
            }
            decision.m_nAction = kMoveAiModeAttack;
            decision.m_pTarget = target.m_pUnit;
            return true;
        }
        if (entry.m_nTarget <= kMoveAiTargetSelf)
        {
            if (entry.m_nMode != kMoveAiModeSkill || !inRange ||
                !SkillHelps(m_Enemy, SkillTable.At(entry.m_nSkill), *target.m_pUnit))
            {
                return false;
            }
            decision.m_nAction = kMoveAiModeSkill;
            decision.m_pTarget = target.m_pUnit;
            decision.m_nSkill = entry.m_nSkill;
            decision.m_nSkillSlot = m_Enemy.FindSkill(entry.m_nSkill);
            return true;
        }
        return false; // a goal is only walked to
    }

    // The reachable cell, free of other active units, nearest the target by
    // its path-cost map (any cell beside the target counts as 1); on equal
    // scores the cell nearer a diagonal through the target (the smaller
    // | |dx| - |dy| |), then the one the movement fill reached first.
    void ChooseDestination(const Target& target, EnemyDecision& decision)
    {
        FillPathCostMap(m_Field, target.m_nX, target.m_nY, m_Mover.m_bFlying, m_Grids.m_PathMap);
        decision.m_nDestX = m_Mover.m_nX;
        decision.m_nDestY = m_Mover.m_nY;
        int32_t bestScore = kNoDestinationScore;
        int32_t bestSkew = kNoDestinationScore;
        const int width = m_Field.Width();
        for (int cell : m_Grids.m_Movement.m_Order)
        {
            const int32_t x = cell % width;
            const int32_t y = cell / width;
            const CharacterRecord* unit = m_Field.ActiveUnitAt(x, y);
            if (unit && unit != &m_Enemy)
            {
                continue;
            }
            const int32_t dx = std::abs(x - target.m_nX);
            const int32_t dy = std::abs(y - target.m_nY);
            const int32_t score = dx + dy == 1 ? 1 : m_Grids.m_PathMap[cell];
            const int32_t skew = std::abs(dx - dy);
            if (score < bestScore || (score == bestScore && skew < bestSkew))
            {
                bestScore = score;
                bestSkew = skew;
                decision.m_nDestX = x;
                decision.m_nDestY = y;
            }
        }
    }

    EnemyDecision Finish(const EnemyDecision& decision)
    {
        m_Enemy.m_nPlayI = decision.m_nDestX;
        m_Enemy.m_nPlayJ = decision.m_nDestY;
        return decision;
    }

    const StageField& m_Field;
    EnemyUnitRecord& m_Enemy;
    std::span<UnitRecord* const> m_Players;
    std::span<EnemyUnitRecord* const> m_Enemies;
    EnemyAiGrids& m_Grids;
    const Mover m_Mover;
    bool m_bPathCostsFilled = false;
};

} // namespace

EnemyDecision DecideEnemyAction(const StageField& field, EnemyUnitRecord& enemy, std::span<UnitRecord* const> players,
                                std::span<EnemyUnitRecord* const> enemies, EnemyAiGrids& grids)
{
    return Decision(field, enemy, players, enemies, grids).Run();
}
