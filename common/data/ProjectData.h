#pragma once

// The project data of one process: the editor's settings and variable
// names, the open stage, the world map, the start
// event, the System record and the database tables.
// They are built before main runs and live until the process ends; loading
// overwrites their contents in place.

#include "common/data/CharacterRecord.h"
#include "common/data/ClassRecord.h"
#include "common/data/EditConfigRecord.h"
#include "common/data/Event.h"
#include "common/data/ItemRecord.h"
#include "common/data/LandRecord.h"
#include "common/data/SkillRecord.h"
#include "common/data/StageRecord.h"
#include "common/data/SystemRecord.h"
#include "common/data/WorldMapRecord.h"

// The editor's settings, at their defaults until EditConfig.dat is loaded.
extern EditConfigRecord EditConfig;
// The names of the global variables, one-string records; empty until loaded.
extern CheckedVector<StringRecord> GValInfo;

// The stage being edited or played: a new stage until one is loaded.
extern StageRecord Stage;
// A new world map until WorldMap.dat is loaded.
extern WorldMapRecord WorldMap;
// The event run when a new game begins: one empty page until StartEvent.dat is loaded.
extern Event StartEvent;

// At the defaults of a new project until System.dat is loaded.
extern SystemRecord System;

// Empty until their files are loaded.
extern CheckedVector<ClassRecord> ClassTable;
extern CheckedVector<FriendRecord> FriendTable;
extern CheckedVector<EnemyRecord> EnemyTable;
extern CheckedVector<SkillRecord> SkillTable;
extern CheckedVector<ItemRecord> ItemTable;
extern CheckedVector<LandRecord> LandTable;
