#pragma once

// Skills used on the stage map: only recoveries, on a unit that needs them.

#include "common/data/CharacterRecord.h"
#include "common/data/SkillRecord.h"

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
