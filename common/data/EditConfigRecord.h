#pragma once

// The editor's own settings, data\EditConfig.dat: undo depth, the files opened
// at start-up, palette and bitmap-tool options, the game program for test play.

#include "common/data/SerializableRecord.h"

class EditConfigRecord : public SerializableRecord
{
public:
    EditConfigRecord();

    void BindFields(int32_t version) override;
    void SetDefaults();

    // The undo depth as the editors use it: at least 1.
    int UndoDepth() const { return m_nUndoDepth < 1 ? 1 : m_nUndoDepth; }

    int32_t m_nUndoDepth = 0;
    int32_t m_bEditPlacedEvent = 0;
    int32_t m_bEditBeforePlacing = 0;
    int32_t m_bWorldEditPlacedEvent = 0;
    int32_t m_bWorldEditBeforePlacing = 0;
    int32_t m_bAutoStageNumber = 0;
    int32_t m_bKeepEventPalette = 0;    // from version 93
    int32_t m_bSearchGameProgram = 0;   // from version 94
    int32_t m_bUseTransparentColor = 0; // from version 87
    int32_t m_nTransparentColor = 0;    // from version 86
    int32_t m_bOverwriteInput = 0;      // from version 86

    std::string m_strGameProgram;         // from version 94
    std::string m_strConvertFolder;       // from version 86
    std::string m_strDefaultStage;        // from version 73
    std::string m_strDefaultPalette;
    std::string m_strDefaultWorldPalette;
};
