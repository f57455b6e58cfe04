#include "LandRecord.h"

LandRecord::LandRecord()
{
    BindFields(kDataFormatVersion);
}

void LandRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nLandA, "m_nLandA");
    BindInt(m_nMoveCost, "m_nMoveCost");
    BindInt(m_bNoEntry, "m_bNoEntry");
    BindInt(m_nGraphic, "m_nGraphic");
    if (VersionAtLeast(version, 82))
    {
        BindInt(m_bPercent, "m_bPercent");
    }
    BindInts(m_nEffect, kParameterCount, "m_nEffect");
    BindInt(m_nSpecial, "m_nSpecial");
    BindInt(m_nSpecialValue, "m_nSpecialValue");
    BindString(m_strName, "m_strName");
    BindString(m_strText, "m_strText");
    BindString(m_strBack, "m_strBack");
}

void LandRecord::Validate()
{
    if (m_nMoveCost < 1)
    {
        m_nMoveCost = 1;
    }
}

void LandRecord::SetDefaults()
{
    ClearRecord(*this);
    Validate();
    m_nMoveCost = 1;
}
