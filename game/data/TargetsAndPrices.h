#pragma once

// Who a skill or an item can be used on, and what an item sells for.

#include "common/data/ItemRecord.h"
#include "common/data/SkillRecord.h"

#include <cstdint>

// Skill targets (rows of SkillTargetNames).
constexpr int32_t kSkillTargetSelf = 0;
constexpr int32_t kSkillTargetOpponent = 1;
constexpr int32_t kSkillTargetTime = 2;
constexpr int32_t kSkillTargetLand = 3;

// Skill kinds (rows of SkillKindNames) that the game tests.
constexpr int32_t kSkillKindMagicAttack = 1;

// The side a unit stands on from the user's view: 1 its own side.
constexpr int kSideOwn = 1;

// A skill aimed at the user's side takes side 1, one aimed at the opponent
// any other side: the result is 1 or 0. A time skill gives 2, a land skill 3
// whatever the side; an unknown target 0.
int CanTarget(const SkillRecord& skill, int side);
// Items are used on the user's own side: 1 for side 1, else 0.
int CanTarget(const ItemRecord& item, int side);

// The price times the System's sell rate in percent, rounded half away from zero.
int32_t GetSellPrice(const ItemRecord& item);
