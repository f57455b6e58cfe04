#include "ClassRecord.h"

#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"

ClassRecord::ClassRecord()
{
    BindFields(kDataFormatVersion);
}

void ClassRecord::BindFields(int32_t)
{
    ClearBindings();
    BindInt(m_nClassA, "m_nClassA");
    BindInt(m_nGraphic, "m_nGraphic");
    BindInt(m_nMove, "m_nMove");
    BindInt(m_bFlying, "m_bFlying");
    BindInt(m_nExpRate, "m_nExpRate");
    BindInt(m_nMaxLevel, "m_nMaxLevel");
    BindInts(m_nInit, kParameterCount, "m_nInit");
    BindInts(m_nFinal, kParameterCount, "m_nFinal");
    BindString(m_strName, "m_strName");
}

bool ClassRecord::Load(DataReader& in)
{
    if (!LoadRecord(in) || !LoadIntVector(m_SkillLearn, in) || !LoadIntVector(m_Resist, in))
    {
        return false;
    }
    if (in.ChecksValues())
    {
        FitToSystem();
    }
    return true;
}

void ClassRecord::Save(DataWriter& out)
{
    FitToSystem();
    SaveRecord(out);
    SaveIntVector(m_SkillLearn, out);
    SaveIntVector(m_Resist, out);
}

void ClassRecord::FitToSystem()
{
    m_SkillLearn.resize(System.m_SkillCategory.size(), 0);
    m_Resist.resize(System.m_Attribute.size(), 0);
}

void ClassRecord::SetDefaults()
{
    ClearRecord(*this);
    FitToSystem();
    m_nGraphic = 1;
    m_nMove = 4;
    m_nExpRate = 100;
    m_nMaxLevel = 30;
    for (int k = 0; k < kParameterCount; ++k)
    {
        m_nInit[k] = 1;
        m_nFinal[k] = 1;
    }
    for (int32_t& resist : m_Resist)
    {
        resist = 100;
    }
}

void ClassRecord::VisitVectors(VectorVisitor& visitor)
{
    visitor.Ints("m_SkillLearn", m_SkillLearn);
    visitor.Ints("m_Resist", m_Resist);
}
