#pragma once

// A land (Land.dat): what a stage map cell holds. Its movement cost, whether
// it can be entered, its effect on the parameters of a unit standing on it, a
// special effect on the battle time and the battle background.

#include "common/data/RecordRules.h"
#include "common/data/ValidatedRecord.h"

#include <string>

// Special effects (rows of LandEffectNames).
constexpr int32_t kLandEffectNone = 0;
constexpr int32_t kLandEffectBattleTime = 1;

class LandRecord : public ValidatedRecord
{
public:
    LandRecord();

    void BindFields(int32_t version) override;
    // A movement cost below 1 becomes 1.
    void Validate() override;
    void SetDefaults();

    int32_t m_nLandA = 0;    // own position in the land table, set when the table is saved
    int32_t m_nMoveCost = 0; // movement points to enter a cell, at least 1
    int32_t m_bNoEntry = 0;  // cells cannot be entered
    int32_t m_nGraphic = 0;
    int32_t m_bPercent = 0; // the effects are percentages; files from version 82
    int32_t m_nEffect[kParameterCount] = {};
    int32_t m_nSpecial = 0;      // row of LandEffectNames
    int32_t m_nSpecialValue = 0; // for the battle time: percent
    std::string m_strName;
    std::string m_strText;
    std::string m_strBack; // battle background under "bmp\back\"
};
