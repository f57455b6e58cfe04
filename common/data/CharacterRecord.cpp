#include "CharacterRecord.h"

#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"

ParameterValue::ParameterValue()
{
    BindFields(kDataFormatVersion);
}

void ParameterValue::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nIndex, "m_nIndex");
    BindInt(m_nBase, "m_nBase");
    BindInt(m_nValue, "m_nValue");
}

EquipmentSlot::EquipmentSlot()
{
    BindFields(kDataFormatVersion);
}

void EquipmentSlot::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nItem, "m_nItem");
    BindInt(m_bEquipped, "m_bEquipped");
}

void EquipmentSlot::SetItem(int32_t item)
{
    m_nItem = item;
    m_bEquipped = item != 0 ? 1 : 0;
}

SkillEntry::SkillEntry()
{
    BindFields(kDataFormatVersion);
}

void SkillEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nSkill, "m_nSkill");
}

LearnSkillEntry::LearnSkillEntry()
{
    BindFields(kDataFormatVersion);
}

void LearnSkillEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nSkill, "m_nSkill");
    BindInt(m_nLevel, "m_nLevel");
}

void ResetVectorPrototype(LearnSkillEntry& prototype)
{
    ClearRecord(prototype);
    prototype.m_nSkill = 1;
}

MoveAiEntry::MoveAiEntry()
{
    BindFields(kDataFormatVersion);
}

void MoveAiEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nRange, "m_nRange");
    BindInt(m_nTarget, "m_nTarget");
    BindInt(m_nMode, "m_nMode");
    BindInt(m_nSkill, "m_nSkill");
    BindInt(m_nGoalNum, "m_nGoalNum");
}

bool MoveAiEntry::Load(DataReader& in)
{
    m_nGoalGroup = 0;
    return LoadRecord(in);
}

void MoveAiEntry::Validate(int positionGroupCount)
{
    FitIndex(m_nSkill, SkillTable.Count());
    FitIndex(m_nGoalNum, positionGroupCount);
}

BattleAiCondition::BattleAiCondition()
{
    BindFields(kDataFormatVersion);
}

void BattleAiCondition::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nSubject, "m_nSubject");
    BindInt(m_nParam, "m_nParam");
    BindInt(m_nValue, "m_nValue");
    BindInt(m_nCompare, "m_nCompare");
    BindInt(m_bPercent, "m_bPercent");
}

BattleAiEntry::BattleAiEntry()
{
    BindFields(kDataFormatVersion);
}

void BattleAiEntry::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nAction, "m_nAction");
    BindInt(m_nSkill, "m_nSkill");
    BindInt(m_nPriority, "m_nPriority");
    BindInt(m_nPriorityLevel, "m_nPriorityLevel");
}

bool BattleAiEntry::Load(DataReader& in)
{
    return LoadRecord(in) && LoadRecordVector(m_Condition, in);
}

void BattleAiEntry::Save(DataWriter& out)
{
    SaveRecord(out);
    SaveRecordVector(m_Condition, out);
}

void BattleAiEntry::SetDefaults()
{
    ClearRecord(*this);
    m_Condition.clear();
    m_nSkill = 1;
    m_nPriority = 1;
    m_nPriorityLevel = 10;
}
