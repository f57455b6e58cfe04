#include "EditConfigRecord.h"

#include "common/data/DataFilePaths.h"

EditConfigRecord::EditConfigRecord()
{
    BindFields(kDataFormatVersion);
    SetDefaults();
}

void EditConfigRecord::BindFields(int32_t version)
{
    ClearBindings();
    BindInt(m_nUndoDepth, "m_nUndoDepth");
    BindInt(m_bEditPlacedEvent, "m_bEditPlacedEvent");
    BindInt(m_bEditBeforePlacing, "m_bEditBeforePlacing");
    BindInt(m_bWorldEditPlacedEvent, "m_bWorldEditPlacedEvent");
    BindInt(m_bWorldEditBeforePlacing, "m_bWorldEditBeforePlacing");
    BindInt(m_bAutoStageNumber, "m_bAutoStageNumber");
    if (VersionAtLeast(version, 93))
    {
        BindInt(m_bKeepEventPalette, "m_bKeepEventPalette");
    }
    if (VersionAtLeast(version, 94))
    {
        BindInt(m_bSearchGameProgram, "m_bSearchGameProgram");
    }
    if (VersionAtLeast(version, 87))
    {
        BindInt(m_bUseTransparentColor, "m_bUseTransparentColor");
    }
    if (VersionAtLeast(version, 86))
    {
        BindInt(m_nTransparentColor, "m_nTransparentColor");
        BindInt(m_bOverwriteInput, "m_bOverwriteInput");
    }

    // The strings keep this order in every version; older files lack the newer ones.
    if (VersionAtLeast(version, 94))
    {
        BindString(m_strGameProgram, "m_strGameProgram");
    }
    if (VersionAtLeast(version, 86))
    {
        BindString(m_strConvertFolder, "m_strConvertFolder");
    }
    if (VersionAtLeast(version, 73))
    {
        BindString(m_strDefaultStage, "m_strDefaultStage");
    }
    BindString(m_strDefaultPalette, "m_strDefaultPalette");
    BindString(m_strDefaultWorldPalette, "m_strDefaultWorldPalette");
}

void EditConfigRecord::SetDefaults()
{
    ClearRecord(*this);
    m_nUndoDepth = 3;
    m_bEditBeforePlacing = 1;
    m_bWorldEditBeforePlacing = 1;
    m_bAutoStageNumber = 1;
    m_bKeepEventPalette = 1;
    m_bSearchGameProgram = 1;
    m_bUseTransparentColor = 1;
    m_strGameProgram.clear();
    m_strConvertFolder = "data\\bmp\\convert";
    m_strDefaultPalette = DataFilePaths[kPathDefaultPalette];
    m_strDefaultWorldPalette = DataFilePaths[kPathDefaultWorldPalette];
}
