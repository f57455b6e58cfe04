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

CharacterRecord::CharacterRecord()
{
    BindFields(kDataFormatVersion);
}

void CharacterRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nHead, "m_nHead");
    if (VersionAtLeast(version, 76))
    {
        BindInt(m_bRandomName, "m_bRandomName");
    }
    BindInt(m_bEnemy, "m_bEnemy");
    BindInt(m_nPlayA, "m_nPlayA");
    BindInt(m_nClass, "m_nClass");
    BindInt(m_nLevel, "m_nLevel");
    BindInt(m_nMaxLevel, "m_nMaxLevel");
    BindInt(m_nExp, "m_nExp");
    BindInts(m_nInitInput, kParameterCount, "m_nInitInput");
    BindInts(m_nFinalInput, kParameterCount, "m_nFinalInput");
    BindInts(m_nInit, kParameterCount, "m_nInit");
    BindInts(m_nFinal, kParameterCount, "m_nFinal");
    BindInts(m_nGrowthRest, kParameterCount, "m_nGrowthRest");
    BindInts(m_bGrows, kParameterCount, "m_bGrows");
    BindInt(m_bRandomGrowth, "m_bRandomGrowth");
    BindInt(m_bRandomSkill, "m_bRandomSkill");
    BindInt(m_nPlayB, "m_nPlayB");
    BindInt(m_nPlayC, "m_nPlayC");
    BindInt(m_nPlayD, "m_nPlayD");
    BindInt(m_nPlayE, "m_nPlayE");
    BindInt(m_nPlayF, "m_nPlayF");
    BindInt(m_nPlayG, "m_nPlayG");
    if (VersionAtLeast(version, 72))
    {
        BindInt(m_nPlayH, "m_nPlayH");
    }
    BindInt(m_nPlayI, "m_nPlayI");
    BindInt(m_nPlayJ, "m_nPlayJ");
    BindString(m_strName, "m_strName");
    BindString(m_strText, "m_strText");
}

bool CharacterRecord::Load(DataReader& in)
{
    if (!LoadRecord(in))
    {
        return false;
    }
    for (ParameterValue& param : m_Param)
    {
        if (!param.Load(in))
        {
            return false;
        }
    }
    for (EquipmentSlot& slot : m_Equip)
    {
        if (!slot.Load(in))
        {
            return false;
        }
    }
    for (CheckedVector<int32_t>& growth : m_Growth)
    {
        if (!LoadIntVector(growth, in))
        {
            return false;
        }
    }
    if (!LoadIntVector(m_SkillPoints, in) || !LoadRecordVector(m_Skill, in) || !LoadRecordVector(m_LearnSkill, in) ||
        !LoadOwnLists(in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void CharacterRecord::Save(DataWriter& out)
{
    Validate();
    SaveRecord(out);
    for (ParameterValue& param : m_Param)
    {
        param.Save(out);
    }
    for (EquipmentSlot& slot : m_Equip)
    {
        slot.Save(out);
    }
    for (const CheckedVector<int32_t>& growth : m_Growth)
    {
        SaveIntVector(growth, out);
    }
    SaveIntVector(m_SkillPoints, out);
    SaveRecordVector(m_Skill, out);
    SaveRecordVector(m_LearnSkill, out);
    SaveOwnLists(out);
}

bool CharacterRecord::LoadOwnLists(DataReader&)
{
    return true;
}

void CharacterRecord::SaveOwnLists(DataWriter&)
{
}

void CharacterRecord::SetDefaults()
{
    ClearRecord(*this);
    ApplyCharacterDefaults();
}

void CharacterRecord::ApplyCharacterDefaults()
{
    m_nClass = 1;
    m_nLevel = 1;
    for (int k = 0; k < kParameterCount; ++k)
    {
        ClearRecord(m_Param[k]);
        m_Param[k].m_nIndex = k;
    }
    for (EquipmentSlot& slot : m_Equip)
    {
        ClearRecord(slot);
    }
    m_SkillPoints.clear();
    m_Skill.clear();
    m_LearnSkill.clear();
    Validate();
}

FriendRecord::FriendRecord()
{
    BindFields(kDataFormatVersion);
}

void FriendRecord::BindFields(int32_t version)
{
    CharacterRecord::BindFields(version);
    BindInt(m_nFriendA, "m_nFriendA");
    BindInt(m_nFriendB, "m_nFriendB");
    BindInt(m_bInShop, "m_bInShop");
    BindInt(m_bHireAgain, "m_bHireAgain");
    if (VersionAtLeast(version, 76))
    {
        BindInt(m_bNoRelease, "m_bNoRelease");
    }
}

void FriendRecord::SetDefaults()
{
    CharacterRecord::SetDefaults();
    m_bEnemy = 0;
    m_bRandomName = 1;
    m_bRandomGrowth = 1;
    m_bRandomSkill = 1;
    m_bInShop = 1;
    m_bHireAgain = 1;
    m_bNoRelease = 0;
}

EnemyRecord::EnemyRecord() = default;

void EnemyRecord::SetDefaults()
{
    CharacterRecord::SetDefaults();
    m_bEnemy = 1;
    m_bRandomGrowth = 0;
    m_bRandomSkill = 0;
    m_MoveAI.clear();
    m_BattleAi.assign(1, BattleAiEntry());
    m_BattleAi.At(0).SetDefaults();
}

bool EnemyRecord::LoadOwnLists(DataReader& in)
{
    return LoadRecordVector(m_MoveAI, in) && LoadRecordVector(m_BattleAi, in);
}

void EnemyRecord::SaveOwnLists(DataWriter& out)
{
    SaveRecordVector(m_MoveAI, out);
    SaveRecordVector(m_BattleAi, out);
}

void BattleAiEntry::VisitVectors(VectorVisitor& visitor)
{
    visitor.Records("m_Condition", m_Condition);
}

void CharacterRecord::VisitVectors(VectorVisitor& visitor)
{
    for (int k = 0; k < kParameterCount; ++k)
    {
        visitor.Record("m_Param[" + std::to_string(k) + "]", m_Param[k]);
    }
    for (std::size_t i = 0; i < std::size(m_Equip); ++i)
    {
        visitor.Record("m_Equip[" + std::to_string(i) + "]", m_Equip[i]);
    }
    for (int k = 0; k < kParameterCount; ++k)
    {
        visitor.Ints("m_Growth[" + std::to_string(k) + "]", m_Growth[k]);
    }
    visitor.Ints("m_SkillPoints", m_SkillPoints);
    visitor.Records("m_Skill", m_Skill);
    visitor.Records("m_LearnSkill", m_LearnSkill);
}

void EnemyRecord::VisitVectors(VectorVisitor& visitor)
{
    CharacterRecord::VisitVectors(visitor);
    visitor.Records("m_MoveAI", m_MoveAI);
    visitor.Records("m_BattleAi", m_BattleAi);
}
