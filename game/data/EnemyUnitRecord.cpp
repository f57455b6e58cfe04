#include "EnemyUnitRecord.h"

#include "common/data/DataFile.h"
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/data/GameData.h"
#include "game/data/TargetsAndPrices.h"
#include "platform/core/FatalHooks.h"

EnemyUnitRecord::EnemyUnitRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

EnemyUnitRecord::EnemyUnitRecord(const EnemyRecord& source) : CharacterInPlay(source)
{
}

void ResetVectorPrototype(EnemyUnitRecord& prototype)
{
    prototype.SetDefaults();
}

bool EnemyUnitRecord::Load(DataReader& in)
{
    m_bGoalsLinked = false;
    return CharacterInPlay::Load(in);
}

namespace
{

// The raise of every base value for the play-through's difficulty: a
// percentage of the base per difficulty step, or a flat amount per step.
// Computed in double and kept within int32; the equipment step clamps.
void RaiseForDifficulty(CharacterRecord& enemy)
{
    const int32_t difficulty = Progress.m_nDifficulty;
    for (int k = 0; k < kParameterCount; ++k)
    {
        int32_t& base = enemy.m_Param[k].m_nBase;
        const int32_t raise = System.m_nDifficultyStatRaise[k];
        const double added = System.m_bDifficultyPercent
                                 ? RoundHalfAway(static_cast<double>(raise) * base * difficulty * 0.01)
                                 : static_cast<double>(difficulty) * raise;
        base = TruncateToInt(base + added);
    }
}

} // namespace

void EnemyUnitRecord::Recompute()
{
    Rebuild();
    ApplyStatCorrection(System.m_nEnemyStatRate);
    // An enemy knows the skills its AI uses, and no others.
    m_Skill.assign(static_cast<std::size_t>(SkillTable.Count()), SkillEntry());
    for (const BattleAiEntry& rule : m_BattleAi)
    {
        const bool usesSkill = rule.m_nAction == kBattleAiSkill || rule.m_nAction == kBattleAiQuick;
        // A rule may still name a skill that the table has lost since.
        if (usesSkill && IsTableIndex(rule.m_nSkill, SkillTable.Count()))
        {
            LearnSkill(rule.m_nSkill);
        }
    }
    RaiseForDifficulty(*this);
    ApplyEquipment();
    RestoreHpSp();
}

void EnemyUnitRecord::DrawChip(DrawTarget& target, int x, int y, int) const
{
    DrawChipCell(target, x, y, 32, m_nPlayC);
}

int EnemyUnitRecord::HasUsableSkillRule() const
{
    const int32_t sp = m_Param[1].m_nValue;
    for (const BattleAiEntry& rule : m_BattleAi)
    {
        if (rule.m_nAction != kBattleAiSkill)
        {
            continue;
        }
        const SkillRecord& skill = SkillTable.At(rule.m_nSkill);
        if (skill.m_nKind == kSkillKindMagicAttack && skill.m_nSpCost <= sp)
        {
            return 1;
        }
    }
    return 0;
}

const PositionGroup* EnemyUnitRecord::GetGoalGroup(int entry) const
{
    if (!m_bGoalsLinked || !IsTableIndex(entry, m_MoveAI.Count()))
    {
        return nullptr;
    }
    const int32_t group = m_MoveAI[static_cast<std::size_t>(entry)].m_nGoalGroup;
    return IsTableIndex(group, Stage.m_GroupPos.Count()) ? &Stage.m_GroupPos.At(group) : nullptr;
}

bool EnemyUnitRecord::LinkGoalGroups()
{
    const int groups = Stage.m_GroupPos.Count();
    for (int j = 0; j < m_MoveAI.Count(); ++j)
    {
        MoveAiEntry& entry = m_MoveAI[static_cast<std::size_t>(j)];
        const bool goesForGoal = entry.m_nTarget == kMoveAiTargetGoal;
        int32_t group = entry.m_nGoalNum;
        if (!IsTableIndex(group, groups))
        {
            if (groups == 0 && !goesForGoal)
            {
                entry.m_nGoalGroup = -1; // nothing to link, and nothing needs it
                continue;
            }
            Stage.m_GroupPos.At(group); // the report and the close
            if (groups == 0)
            {
                m_bGoalsLinked = false;
                return false;
            }
            group = 0;
        }
        entry.m_nGoalGroup = group;
        if (goesForGoal)
        {
            WriteErrorLogF("ep->m_MoveAI[j].m_nGoalNum = %d", entry.m_nGoalNum);
            WriteErrorLogF("Stage.m_GroupPos[ ep->m_MoveAI[j].m_nGoalNum ].m_Point.size() = %d",
                           Stage.m_GroupPos.At(group).m_Point.Count());
        }
    }
    m_bGoalsLinked = true;
    return true;
}

bool LoadEnemyList(DataReader& in, CheckedVector<EnemyUnitRecord>& enemies)
{
    return LoadRecordVector(enemies, in);
}

namespace
{

constexpr int kStripCr = 1;

int RefuseEnemyTable()
{
    ShowErrorF("%s のロードに失敗！", DataFilePaths[kPathEnemy]);
    platform::RequestClose();
    return 0;
}

} // namespace

int BuildStageEnemies(CheckedVector<EnemyUnitRecord>& enemies, CheckedVector<EnemyUnitRecord*>& pointers,
                      const CheckedVector<EnemyPlacement>& placements)
{
    CheckedVector<EnemyUnitRecord> table;
    if (TryLoadTableFile(table, DataFilePaths[kPathEnemy], kStripCr) != LoadResult::Loaded)
    {
        return RefuseEnemyTable();
    }
    if (!table.empty())
    {
        table.front().m_nClass = 0; // an enemy built from it is an empty unit
    }

    CheckedVector<EnemyUnitRecord> built;
    for (const EnemyPlacement& placement : placements)
    {
        if (placement.m_nEnemy == 0)
        {
            continue;
        }
        const EnemyUnitRecord& source = table.At(placement.m_nEnemy); // an enemy outside: reported, enemy 0
        if (table.empty())
        {
            return 0;
        }
        built.push_back(source);
        EnemyUnitRecord& enemy = built.back();
        enemy.m_nHead = placement.m_nEnemy;
        enemy.m_nPlayE = placement.m_nX;
        enemy.m_nPlayF = placement.m_nY;
        enemy.m_nPlayG = placement.m_nEnemyGroup;
        enemy.m_MoveAI = placement.m_MoveAI;
        if (!enemy.LinkGoalGroups())
        {
            return 0;
        }
        enemy.Recompute();
    }

    // Only now that no append can move the enemies any more.
    CheckedVector<EnemyUnitRecord*> addresses;
    enemies.swap(built);
    for (EnemyUnitRecord& enemy : enemies)
    {
        addresses.push_back(&enemy);
    }
    pointers.swap(addresses);
    return 1;
}
