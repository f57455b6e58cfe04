#include "SkillRecord.h"

#include "common/data/ProjectData.h"

SkillRecord::SkillRecord()
{
    BindFields(kDataFormatVersion);
}

void SkillRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nSkillA, "m_nSkillA");
    BindInt(m_nSkillB, "m_nSkillB");
    BindInt(m_nSpCost, "m_nSpCost");
    BindInt(m_nCategory, "m_nCategory");
    BindInt(m_nKind, "m_nKind");
    BindInt(m_nTarget, "m_nTarget");
    BindInt(m_nAttribute, "m_nAttribute");
    BindInt(m_nHitRate, "m_nHitRate");
    BindInt(m_nPower, "m_nPower");
    BindInt(m_nCritical, "m_nCritical");
    BindInts(m_nStatChange, kParameterCount, "m_nStatChange");
    BindInt(m_nSpecial, "m_nSpecial");
    BindInt(m_nSpecialValue, "m_nSpecialValue");
    BindInt(m_bQuick, "m_bQuick");
    BindInt(m_nGraphic, "m_nGraphic");
    BindInt(m_nColor, "m_nColor");
    BindInt(m_nLearnRate, "m_nLearnRate");
    BindInt(m_nLearnRateFactor, "m_nLearnRateFactor");
    BindInt(m_nLearnLevelMin, "m_nLearnLevelMin");
    BindInt(m_nLearnLevelMax, "m_nLearnLevelMax");
    BindInt(m_nLearnLevelFactorOld, "m_nLearnLevelFactorOld");
    if (VersionAtLeast(version, 96))
    {
        BindDouble(m_dLearnLevelFactor, "m_dLearnLevelFactor");
    }
    BindString(m_strName, "m_strName");
    BindString(m_strText, "m_strText");
    BindString(m_strSound, "m_strSound");
    BindString(m_strSkillD, "m_strSkillD");
}

bool SkillRecord::Load(DataReader& in)
{
    if (!LoadRecord(in))
    {
        return false;
    }
    if (!VersionAtLeast(in.Version(), 96))
    {
        m_dLearnLevelFactor = m_nLearnLevelFactorOld;
    }
    if (in.ChecksValues())
    {
        Validate();
    }
    return true;
}

void SkillRecord::Validate()
{
    if (m_nKind < 0)
    {
        m_nKind = 0;
    }
    FitIndex(m_nCategory, System.m_SkillCategory.Count());
    FitIndex(m_nAttribute, System.m_Attribute.Count());
}

void SkillRecord::SetDefaults()
{
    ClearRecord(*this);
    Validate();
    m_nHitRate = 100;
}
