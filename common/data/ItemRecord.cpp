#include "ItemRecord.h"

#include "common/data/ProjectData.h"

ItemRecord::ItemRecord()
{
    BindFields(kDataFormatVersion);
}

void ItemRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nItemA, "m_nItemA");
    BindInt(m_nItemB, "m_nItemB");
    BindInt(m_nPrice, "m_nPrice");
    if (VersionAtLeast(version, 99))
    {
        BindInt(m_nMaxCount, "m_nMaxCount");
    }
    BindInt(m_nCategory, "m_nCategory");
    BindInt(m_nKind, "m_nKind");
    BindInt(m_nAttribute, "m_nAttribute");
    if (VersionAtLeast(version, 82))
    {
        BindInt(m_bPercent, "m_bPercent");
    }
    BindInts(m_nValue, kParameterCount, "m_nValue");
    BindInt(m_nHitRate, "m_nHitRate");
    BindInt(m_nCritical, "m_nCritical");
    BindInt(m_nItemC, "m_nItemC");
    BindInt(m_nItemD, "m_nItemD");
    BindInt(m_nGraphic, "m_nGraphic");
    BindInt(m_nColor, "m_nColor");
    BindString(m_strName, "m_strName");
    BindString(m_strText, "m_strText");
    BindString(m_strSound, "m_strSound");
    BindString(m_strItemD, "m_strItemD");
}

void ItemRecord::Validate()
{
    if (m_nKind < 0)
    {
        m_nKind = 0;
    }
    FitIndex(m_nCategory, System.m_ItemCategory.Count());
    FitIndex(m_nAttribute, System.m_Attribute.Count());
}

void ItemRecord::SetDefaults()
{
    ClearRecord(*this);
    Validate();
    m_nMaxCount = 99;
    m_nHitRate = 100;
}
