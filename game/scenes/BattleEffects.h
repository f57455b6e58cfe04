#pragma once

// Battle actions: the forecast shown before an action is confirmed and the
// carrying out of the action, for a weapon attack, a skill of each effect
// kind, a quick skill and an item.
//
// Skill effect kinds (rows of SkillKindNames): 0 weapon attack, 1 magic
// attack, 2 recovery, 3 damage reduction, 4 time, 5 support, 6 land.

#include "common/data/ItemRecord.h"
#include "common/data/SkillRecord.h"
#include "game/scenes/BattleParticipant.h"

#include <cstdint>

// The critical hit's sound (number of the sound table).
constexpr int kSoundCritical = 9;

// What the battle rules ask of the battle scene.
class BattleHooks
{
public:
    virtual ~BattleHooks() = default;
    // A time skill: moves the elapsed time by steps along the actor's timeline.
    virtual void ShiftTime(int32_t steps, BattleParticipant& actor) = 0;
    // Plans both timelines again from the current step to the end of the
    // battle time; with extraForActor 1 the actions taken in the current step
    // are planned again as well (a time skill's extra action).
    virtual void PlanExchange(int extraForActor) = 0;
    // The battle land changed: the background follows it.
    virtual void ReloadBackground() = 0;
};

// A skill can be used in battle when it is a skill at all (not the empty
// entry 0 of the table); an item when it is a medicine other than the empty
// entry.
bool IsSkillUsableInBattle(const SkillRecord& skill);
bool IsItemUsableInBattle(const ItemRecord& item);

// Computes the forecast of the battle's action (BattleState::m_Action) taken
// by actor, stores it in the battle and returns it. A skill aims at the actor
// itself (skill target 0), at the opponent (1) or at no unit (time, land); an
// item always aims at the actor. An item that cannot be used in battle gives
// an empty forecast.
const ActionForecast& ForecastAction(BattleState& battle, BattleParticipant& actor);

// Carries out the battle's action taken by actor: computes the forecast
// again, rolls the hit and the critical, applies damage, recovery, damage
// reduction, stat changes, the time shift or the new land, spends the
// skill's SP (nothing on a miss when the System says so) and uses up one of
// the item from the party's stock. Returns 1 when the action hit, 0 when it
// missed or could not be carried out.
int ExecuteAction(BattleState& battle, BattleParticipant& actor, BattleHooks& hooks);
