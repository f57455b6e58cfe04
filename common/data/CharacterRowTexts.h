#pragma once

// The texts that show a character's sub-records as rows of the database
// editor's lists: the skills to learn, the movement AI, the battle AI and its
// conditions. Names come from the word lists, the skill table and the System's
// skill categories; an index outside its table shows an empty name.

#include "common/data/CharacterRecord.h"

#include <string>

// "LV%d %s-%s": learning level, skill category, skill name.
std::string LearnSkillRowText(const LearnSkillEntry& entry);

// "%s で %s に %s" (range, target, mode) for the modes "待機" and "戦闘";
// "%s で %s に %s(%s)" with the skill name for "回復"; "" for a mode outside the list.
std::string MoveAiRowText(const MoveAiEntry& entry);

// "攻撃 (優先%d-%d)" (priority, priority level), "スキル %s-%s (優先%d-%d)" and
// "クイック %s-%s (優先%d-%d)" (skill category and skill name first); "" for an
// action outside the list.
std::string BattleAiRowText(const BattleAiEntry& entry);

// "%s の %s が %d％ %s" when the percent flag is 1, else "%s の %s が %d %s":
// subject, parameter, value, comparison.
std::string BattleAiConditionText(const BattleAiCondition& condition);
