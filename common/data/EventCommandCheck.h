#pragma once

// The argument checks of the event commands: they keep a command's int
// arguments inside the project's current tables (items, lands, friends) and
// the stage (position groups, width, height). EventCommand::FitArguments runs
// the entry of the command's code after sizing the argument vectors.
//
// Every clamp tests the lower bound first and the upper bound second. When a
// table is too small for the range (no position group besides row 0, say),
// the value becomes 0, the one row that can still exist. With a null stage the
// clamps that need a stage are left for later.

#include "common/data/EventVocabulary.h"

#include <cstdint>

class EventCommand;
class StageRecord;

using EventCommandCheck = void (*)(EventCommand& command, const StageRecord* stage);

// One entry per command code; null where the code has no check.
extern const EventCommandCheck EventCommandCheckTable[kEventCommandCount];

// Clamps into low..high; an empty range (high < low) gives 0.
void ClampArgument(int32_t& value, int32_t low, int32_t high);

// 3: position group, column and row of the cursor target.
void ValidateMoveCursorArgs(EventCommand& command, const StageRecord* stage);
// 7: the land replaced (-1: every land), the new land, the position group.
void ValidateChangeMapChipArgs(EventCommand& command, const StageRecord* stage);
// 10: the position group.
void ValidateStatusArgs(EventCommand& command, const StageRecord* stage);
// 12: the item.
void ValidateItemArgs(EventCommand& command, const StageRecord* stage);
// 13: removes the goods that are not items, keeping the others' order.
void ValidateShopArgs(EventCommand& command, const StageRecord* stage);
// 14, 15: the friend.
void ValidateFriendArgs(EventCommand& command, const StageRecord* stage);
