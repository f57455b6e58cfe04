#include "editor/database/DatabaseRecords.h"

void ClearListElement(ClassRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(ItemRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(SkillRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(LandRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(FriendRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(EnemyRecord& record)
{
    record.SetDefaults();
}

void ClearListElement(LearnSkillEntry& entry)
{
    entry = LearnSkillEntry();
    entry.m_nSkill = 1;
    entry.m_nLevel = 0;
}

void ClearListElement(BattleAiEntry& entry)
{
    entry = BattleAiEntry();
    entry.SetDefaults();
}
