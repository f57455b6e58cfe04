#include "BattleAi.h"

#include "common/data/ProjectData.h"
#include "game/data/EnemyUnitRecord.h"
#include "game/data/ValueOperations.h"
#include "game/scenes/BattleEffects.h"
#include "platform/core/Random.h"

#include <algorithm>
#include <vector>

namespace
{

// part x 100 / whole, in integers; 0 against a whole of 0.
int64_t PercentOfWhole(int64_t part, int64_t whole)
{
    return whole == 0 ? 0 : part * 100 / whole;
}

const BattleParticipant* SubjectOf(const BattleState& battle, const BattleParticipant& actor, int32_t subject)
{
    if (subject == kAiSubjectSelf)
    {
        return &actor;
    }
    if (subject == kAiSubjectOpponent)
    {
        return &battle.OpponentOf(actor);
    }
    return nullptr;
}

// The number a condition measures; false when the condition holds untested.
bool Measure(const BattleState& battle, const BattleParticipant& actor, const BattleAiCondition& condition,
             int64_t& measured)
{
    const int32_t param = condition.m_nParam;
    if (param == kAiParamTime)
    {
        measured = condition.m_bPercent ? PercentOfWhole(battle.m_nElapsed, battle.m_nBattleTime) : battle.m_nElapsed;
        return true;
    }
    if (param == kAiParamLand)
    {
        measured = static_cast<int64_t>(battle.m_nLand) + 1;
        return true;
    }
    const BattleParticipant* subject = SubjectOf(battle, actor, condition.m_nSubject);
    if (!subject)
    {
        return false;
    }
    if (param >= 0 && param < kParameterCount)
    {
        const int32_t value = subject->Value(param);
        measured = condition.m_bPercent ? PercentOfWhole(value, subject->Max(param)) : value;
        return true;
    }
    switch (param)
    {
    case kAiParamClass:
        measured = subject->m_nClass;
        return true;
    case kAiParamLevel:
        measured = subject->Level();
        return true;
    case kAiParamTurn:
        measured = subject->m_nTurnCount;
        return true;
    case kAiParamPendingTurns:
        measured = subject->CountPendingActions();
        return true;
    default:
        return false;
    }
}

bool IsCandidateKind(int32_t action, bool quickOnly)
{
    return quickOnly ? action == kBattleAiQuick : action != kBattleAiQuick;
}

} // namespace

bool CanUseSkill(const BattleParticipant& actor, const SkillRecord& skill, bool asQuick)
{
    return IsSkillUsableInBattle(skill) && (!asQuick || skill.m_bQuick) && actor.Value(kParamSp) >= skill.m_nSpCost;
}

bool ConditionsHold(const BattleState& battle, const BattleParticipant& actor,
                    const CheckedVector<BattleAiCondition>& conditions)
{
    for (const BattleAiCondition& condition : conditions)
    {
        int64_t measured = 0;
        if (!Measure(battle, actor, condition, measured))
        {
            continue;
        }
        const int32_t fitted = static_cast<int32_t>(std::clamp<int64_t>(measured, INT32_MIN, INT32_MAX));
        if (!CompareValues(fitted, condition.m_nValue, condition.m_nCompare))
        {
            return false;
        }
    }
    return true;
}

bool SelectRule(BattleState& battle, BattleParticipant& actor, bool quickOnly)
{
    std::vector<const BattleAiEntry*> candidates;
    int32_t highest = 0;
    for (const BattleAiEntry& rule : actor.m_BattleAi)
    {
        if (!IsCandidateKind(rule.m_nAction, quickOnly) || !ConditionsHold(battle, actor, rule.m_Condition))
        {
            continue;
        }
        const bool usesSkill = rule.m_nAction == kBattleAiSkill || rule.m_nAction == kBattleAiQuick;
        if (usesSkill && !CanUseSkill(actor, SkillTable.At(rule.m_nSkill), rule.m_nAction == kBattleAiQuick))
        {
            continue;
        }
        candidates.push_back(&rule);
        highest = std::max(highest, rule.m_nPriority);
    }
    // Only the highest priority stays; with every priority below 0, none does.
    std::erase_if(candidates, [highest](const BattleAiEntry* rule) { return rule->m_nPriority != highest; });
    // The draw picks one of `total` slots, the rules owning consecutive slots
    // as many as they weigh (a weight below 1 owns none). A negative weight
    // counts in the total and so takes slots off the end.
    int64_t total = 0;
    for (const BattleAiEntry* rule : candidates)
    {
        total += rule->m_nPriorityLevel;
    }
    if (total <= 0)
    {
        return false;
    }
    int64_t slot = Rand() % total;
    for (const BattleAiEntry* rule : candidates)
    {
        const int64_t weight = std::max(rule->m_nPriorityLevel, 0);
        if (slot < weight)
        {
            battle.m_Action = BattleAction{rule->m_nAction, rule->m_nSkill, 0};
            return true;
        }
        slot -= weight;
    }
    return false;
}

const BattleAction& ChooseBattleAction(BattleState& battle, BattleParticipant& actor)
{
    if (!actor.m_bQuickUsed && SelectRule(battle, actor, true))
    {
        actor.m_bQuickUsed = 1;
    }
    else if (!SelectRule(battle, actor, false))
    {
        battle.m_Action = BattleAction{kActionWeapon, 0, 0};
    }
    return battle.m_Action;
}
