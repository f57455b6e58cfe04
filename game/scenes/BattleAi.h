#pragma once

// The enemy's choice of a battle action from its battle-AI rules: among the
// rules whose conditions hold (and whose skill it can use), only those of the
// highest priority are drawn from, each with a chance in proportion to its
// weight (m_nPriorityLevel). A quick rule may be chosen once per turn, before
// the turn's other action; without any rule the enemy makes a weapon attack.
// The draw takes Rand() % (sum of the weights), negative weights included;
// a rule owns as many consecutive values of it as it weighs (below 1: none).

#include "common/data/CharacterRecord.h"
#include "common/data/SkillRecord.h"
#include "game/scenes/BattleParticipant.h"

// Subjects of conditions (rows of AiSubjectNames).
constexpr int32_t kAiSubjectSelf = 0;
constexpr int32_t kAiSubjectOpponent = 1;

// Parameters of conditions after the nine parameters (rows of AiConditionParamNames).
constexpr int32_t kAiParamClass = 9;
constexpr int32_t kAiParamLevel = 10;
constexpr int32_t kAiParamTurn = 11;
constexpr int32_t kAiParamPendingTurns = 12;
constexpr int32_t kAiParamTime = 13;
constexpr int32_t kAiParamLand = 14;

// Sets the battle's action for the actor's turn: a quick rule when no quick
// skill was used yet this turn (marking it used), else a skill or attack
// rule, else a weapon attack. Returns the action.
const BattleAction& ChooseBattleAction(BattleState& battle, BattleParticipant& actor);

// Draws one rule among the quick rules (quickOnly) or among the others, and
// makes it the battle's action (item 0). False, the action unchanged, when no
// rule qualifies or the qualifying rules of the highest priority weigh
// nothing.
bool SelectRule(BattleState& battle, BattleParticipant& actor, bool quickOnly);

// True when every condition holds; an empty list holds. Subject 0 is the
// actor, 1 its opponent; another subject, or a parameter outside the list,
// makes a condition hold untested, except for the time and the land, which
// need no subject. A percentage of a parameter or of the battle time is
// measured against its maximum (integer division), and as 0 when that is 0.
bool ConditionsHold(const BattleState& battle, const BattleParticipant& actor,
                    const CheckedVector<BattleAiCondition>& conditions);

// The skill can be used in battle, as a quick skill when asked, and the
// actor's SP covers its cost.
bool CanUseSkill(const BattleParticipant& actor, const SkillRecord& skill, bool asQuick);
