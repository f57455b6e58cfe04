#pragma once

// Skills and items used on the stage map: only recoveries, on a unit that
// needs them.

#include "common/data/CharacterRecord.h"
#include "common/data/ItemRecord.h"
#include "common/data/SkillRecord.h"
#include "game/data/ItemStack.h"

#include <cstdint>

// The skill kind that the map offers (row of SkillKindNames).
constexpr int32_t kSkillKindRecovery = 2;

// The skill is a skill at all (not the empty entry 0 of the table), a
// recovery, and the user's SP covers its cost.
bool CanUseSkillOnMap(const CharacterRecord& user, const SkillRecord& skill);

// The skill may aim at the target's side, seen from the user, and the target
// needs it: the skill restores HP (its recovery from the user's magic is
// above 0) while the target's HP is below its maximum, or it restores SP (its
// SP change is above 0) while the target's SP is below its maximum.
bool SkillHelps(const CharacterRecord& user, const SkillRecord& skill, const CharacterRecord& target);

// The recovery of a skill or an item reaching its target: nothing unless
// the hit roll (RollPercent of hitRate) succeeds; with an attribute both
// amounts take the target class's rate for it; the critical roll doubles the
// HP amount; then HP := HP + amount within 1..maximum, SP := SP + amount
// within 0..maximum. Both rolls are drawn whenever the hit roll succeeds.
void ApplyMapRecovery(CharacterRecord& target, int32_t hpAmount, int32_t spAmount, int32_t hitRate,
                      int32_t criticalRate, int32_t attribute);

// The user spends the skill's SP (kept within 0..maximum), then the
// recovery of the user's magic with the skill's power and HP change, and the
// skill's SP change, reach the target, at the skill's own hit rate or, when
// it has none, at weaponHitRate.
void UseSkillOnMap(CharacterRecord& user, const SkillRecord& skill, CharacterRecord& target, int32_t weaponHitRate);

// An item is used on the map when it is a medicine (item kind 0).
bool CanUseItemOnMap(const ItemRecord& item);
// What the item restores to the target: its HP and SP values, or with its
// percent flag those percentages of the target's maxima.
void ItemRecoveryAmounts(const ItemRecord& item, const CharacterRecord& target, int32_t& hp, int32_t& sp);
// The item may be used on the target's side, seen from the user, and the
// target needs it (as SkillHelps, with the item's amounts).
bool ItemHelps(const CharacterRecord& user, const ItemRecord& item, const CharacterRecord& target);
// One of the item leaves the stock and its recovery reaches the target at
// the item's hit and critical rates. False, nothing changed, for an item
// that is no medicine or that the stock does not hold.
bool UseItemOnMap(ItemList& stock, int32_t item, CharacterRecord& target);
