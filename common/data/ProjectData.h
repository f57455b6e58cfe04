#pragma once

// The project data of one process: the System record and the database tables.
// They are built before main runs and live until the process ends; loading
// overwrites their contents in place.

#include "common/data/CharacterRecord.h"
#include "common/data/ClassRecord.h"
#include "common/data/ItemRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/SkillRecord.h"
#include "common/data/SystemRecord.h"

// At the defaults of a new project until System.dat is loaded.
extern SystemRecord System;

// Empty until their files are loaded.
extern CheckedVector<ClassRecord> ClassTable;
extern CheckedVector<FriendRecord> FriendTable;
extern CheckedVector<EnemyRecord> EnemyTable;
extern CheckedVector<SkillRecord> SkillTable;
extern CheckedVector<ItemRecord> ItemTable;
extern CheckedVector<LandRecord> LandTable;
