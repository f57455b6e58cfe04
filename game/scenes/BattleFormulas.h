#pragma once

// The numbers of a battle between two units: hit and critical rates, damage,
// recovery, the random spread of damage, the changes of parameters by skills,
// items and lands, and each side's share of action per time step. Every
// coefficient comes from the System record.
//
// Rounding: conversions truncate toward zero; percentages are value x percent
// x 0.01 in floating point, rounded half away from zero. Draws use the
// programs' generator (Rand).

#include "common/data/ItemRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/SkillRecord.h"
#include "game/scenes/BattleParticipant.h"

#include <cstdint>
#include <string>
#include <vector>

// Damage and recovery per hit stay within 0..999; parameters within 0..999.
constexpr int32_t kMaxHitValue = 999;

// (attacker's skill - target's reaction) x the System's hit factor + baseHit,
// truncated. Not clamped: a roll treats 100 and more as sure, 0 and less as
// impossible.
int32_t CalcHitRate(const BattleParticipant& attacker, int32_t targetReaction, int32_t baseHit);
// 0 when baseCrit is 0; else as the hit rate with the System's critical factor.
int32_t CalcCriticalRate(const BattleParticipant& attacker, int32_t targetReaction, int32_t baseCrit);

// The rates and attribute of the weapon in the weapon slot: without one, hit
// 90, critical 0, attribute 0.
int32_t WeaponHitRate(const BattleParticipant& unit);
int32_t WeaponCriticalRate(const BattleParticipant& unit);
int32_t WeaponAttribute(const BattleParticipant& unit);

// max(0, trunc(attack x attack factor + power - defence x defence factor)) -
// hpChange, where attack and defence are the attacker's and the target's
// parameters that the action pits against each other.
int32_t CalcDamage(int32_t attack, int32_t defence, int32_t power, int32_t hpChange);
// hpChange + max(0, trunc(magic x attack factor + power)).
int32_t CalcRecovery(int32_t magic, int32_t power, int32_t hpChange);

// The value times the resistance (percent) of a class to an attribute,
// truncated toward zero; attribute 0 leaves the value.
int32_t ApplyClassAttributeRate(int32_t classIndex, int32_t value, int32_t attribute);
int32_t ApplyAttributeRate(const BattleParticipant& target, int32_t value, int32_t attribute);
// Incoming damage: the target's damage reduction taken off, clamped to
// 0..999, the attribute rate, clamped again.
int32_t ApplyDefence(const BattleParticipant& target, int32_t value, int32_t attribute);
// A recovery (value <= 0; a positive value counts as 0): the attribute rate,
// then the System's HP recovery rate, clamped to -999..0.
int32_t ScaleRecovery(const BattleParticipant& target, int32_t value, int32_t attribute);

// One draw of the damage spread in percent: the System's minimum plus
// Rand() % (maximum - minimum + 1). An empty range (maximum = minimum - 1)
// gives the minimum; a wider inverted range keeps the remainder's sign rule
// (the remainder is never negative, so the spread lies from the minimum up).
int32_t RollSpreadPercent();
// The value times one spread draw.
int32_t RollSpread(int32_t value);

// The spread value, clamped to 0..999, taken off HP (HP stays within
// 0..maximum; at 0 the target is dead) and shown in the popup. Returns it.
int32_t ApplyDamage(BattleParticipant& target, int32_t value);
// A recovery (value clamped to -999..0) added to HP, no spread; HP 0 makes
// the target dead; a value other than 0 is shown in the popup.
void ApplyRecovery(BattleParticipant& target, int32_t value);
// Damage that never fells: HP - value, at least 1 and at most the maximum;
// the popup shows what HP lost, as a damage.
void ApplyNonLethal(BattleParticipant& target, int32_t value);

// Changes the current value of parameter index (1..8) by change, clamped to
// 0..maximum SP for SP and 0..999 for the others, and adds the message
// "name の parameter + n" (or "- n"). A change of 0 does nothing.
void ChangeStat(BattleParticipant& target, int index, int32_t change, std::vector<std::string>& messages);
// The eight changes after HP of a skill or of an item (item values marked as
// percentages are percentages of the target's maxima), each through the
// attribute rate and clamped to -999..999.
void ApplySkillStatChanges(BattleParticipant& target, const SkillRecord& skill, int32_t attribute,
                           std::vector<std::string>& messages);
void ApplyItemStatChanges(BattleParticipant& target, const ItemRecord& item, int32_t attribute,
                          std::vector<std::string>& messages);

// The land's effect on the seven parameters after HP and SP: the old land's
// (when given) is taken off, then the new land's (when given) added, each as a
// flat amount or, for a land marked so, a percentage of the maximum; every
// step clamped to 0..999.
void ApplyLandModifiers(BattleParticipant& unit, const LandRecord* newLand, const LandRecord* oldLand);

// The unit's share of action per time step against an opponent of speed
// otherSpeed, 0..200: own and other speed plus the System's speed base, times
// the speed rate of each one's role (attacker or defender); x / (x + y) x 200
// truncated, 100 each when both are 0, 200 or 0 when only one side is above 0.
int32_t CalcActionAddValue(const BattleParticipant& unit, int32_t otherSpeed);
