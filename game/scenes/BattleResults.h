#pragma once

// The end of a battle: the lines that tell its outcome, the recovery of the
// units that stand, the friend's experience and level-up, and, once the
// stage's events after the battle have run, what becomes of a unit that fell.

#include "common/data/LandRecord.h"
#include "game/data/UnitRecord.h"
#include "game/scenes/BattleParticipant.h"

#include <cstdint>
#include <string>
#include <vector>

class StageField;
class StageRecord;

// Scout points that level-ups in battle leave.
constexpr int32_t kMinScoutPoints = 1;
constexpr int32_t kMaxScoutPoints = 1000;

// "name はしんだ…" when the friend fell, else "name をたおした！" when the
// enemy fell; nothing when both stand.
void AddFallMessage(const BattleParticipant& friendSide, const BattleParticipant& enemySide,
                    std::vector<std::string>& lines);

// HP and SP that a unit standing after the battle gets back: the HP (SP)
// values of its two pieces of equipment and of the battle land, each a
// percentage of the maximum for a record marked so; HP stays within
// 1..maximum, SP within 0..maximum.
void RecoverAfterBattle(BattleParticipant& participant, const LandRecord* land);

// The friend's reward for a battle against the enemy: experience by the
// enemy's level and its fall, times experiencePercent (none at the level
// limit), with its line; then the level-ups it buys, with their block of
// increases and learned skills as one line, the party's scout points raised
// by the levels (kept within 1..1000), and the friend's HP and SP raised by
// the growth of their maxima.
void GrantExperience(BattleParticipant& friendSide, UnitRecord& unit, const BattleParticipant& enemySide,
                     int32_t experiencePercent, std::vector<std::string>& lines);

// The experience percentage of a stage: the first one, or the one for a
// stage cleared before.
int32_t StageExperiencePercent(const StageRecord& stage, bool clearedBefore);

// After the stage's events that follow a battle have run (or one of them
// ended the stage): a unit of the battle that fell leaves the map's unit
// grid; a fallen friend, unless the System revives fallen friends after the
// stage, joins the fallen list (without its leader flag) and its party slot
// becomes empty. Until then
// the fallen friend keeps its slot, its leader flag and its event, which
// those events read. friendUnit is null when an event took the friend out of
// the party meanwhile; a fallen enemy leaves the map all the same.
void SettleFallenUnits(UnitRecord* friendUnit, CharacterRecord& enemyUnit, StageField& field);
