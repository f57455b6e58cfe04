#pragma once

// What the record lists of the database pages make of a new or cleared
// record: the table's defaults, not a zeroed record. Every page that lists a
// table includes this before it uses its ListBox.

#include "common/data/CharacterRecord.h"
#include "common/data/ClassRecord.h"
#include "common/data/ItemRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/SkillRecord.h"

// A class at its defaults (movement 4, level limit 30, ...), fitted to the System's lists.
void ClearListElement(ClassRecord& record);
// An item or a skill at its defaults: every field zero or empty, hit rate 100 (an item holds 99 at most).
void ClearListElement(ItemRecord& record);
void ClearListElement(SkillRecord& record);
// A land at its defaults: every field zero or empty, movement cost 1.
void ClearListElement(LandRecord& record);
// A friend at its defaults: class 1, level 1, random name, growth and skills, at the hiring shop.
void ClearListElement(FriendRecord& record);
// An enemy at its defaults: class 1, level 1 and one battle-AI entry, an attack.
void ClearListElement(EnemyRecord& record);
// A skill to learn: skill 1 at level 0.
void ClearListElement(LearnSkillEntry& entry);
// A battle-AI entry at its defaults: an attack with skill 1, priority 1 and priority value 10.
void ClearListElement(BattleAiEntry& entry);
