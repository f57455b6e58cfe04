#include "ProjectData.h"

// Defined in one translation unit so that they are built in this order and
// destroyed in the reverse one.
EditConfigRecord EditConfig;
CheckedVector<StringRecord> GValInfo;
StageRecord Stage;
WorldMapRecord WorldMap;
Event StartEvent;
SystemRecord System;
CheckedVector<ClassRecord> ClassTable;
CheckedVector<FriendRecord> FriendTable;
CheckedVector<EnemyRecord> EnemyTable;
CheckedVector<SkillRecord> SkillTable;
CheckedVector<ItemRecord> ItemTable;
CheckedVector<LandRecord> LandTable;
