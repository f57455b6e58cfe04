#pragma once

// A skill (Skill.dat): an attack, a recovery, a damage reduction, a change of
// battle time, a support effect or a change of land, with the settings that
// decide at which level characters learn it.

#include "common/data/RecordRules.h"
#include "common/data/ValidatedRecord.h"

#include <string>

class SkillRecord : public ValidatedRecord
{
public:
    SkillRecord();

    void BindFields(int32_t version) override;
    // Files before version 96 hold the learning-level factor as an int32 only;
    // the double takes its value.
    bool Load(DataReader& in) override;

    // A category or attribute outside the System's lists falls back to 0, and so does a negative kind.
    void Validate() override;
    // A new skill: hit rate 100.
    void SetDefaults();

    int32_t m_nSkillA = 0;    // carried as stored
    int32_t m_nSkillB = 0;    // own position in the skill table, set when the table is saved; 0: no skill
    int32_t m_nSpCost = 0;    // SP per use
    int32_t m_nCategory = 0;  // row of the System's skill categories
    int32_t m_nKind = 0;      // row of SkillKindNames
    int32_t m_nTarget = 0;    // row of SkillTargetNames
    int32_t m_nAttribute = 0; // row of the System's attributes
    int32_t m_nHitRate = 0;   // percent; 0: the weapon's hit rate
    int32_t m_nPower = 0;
    int32_t m_nCritical = 0; // percent
    int32_t m_nStatChange[kParameterCount] = {};
    int32_t m_nSpecial = 0; // row of SkillSpecialNames
    int32_t m_nSpecialValue = 0;
    int32_t m_bQuick = 0; // usable as a quick skill
    int32_t m_nGraphic = 0;
    int32_t m_nColor = 0;           // row of SkillColorNames
    int32_t m_nLearnRate = 0;       // learning probability in percent
    int32_t m_nLearnRateFactor = 0; // added percent per skill-learning point
    int32_t m_nLearnLevelMin = 0;
    int32_t m_nLearnLevelMax = 0;
    double m_dLearnLevelFactor = 0.0;   // levels taken off per skill-learning point; files from version 96
    int32_t m_nLearnLevelFactorOld = 0; // the factor as files before version 96 hold it
    std::string m_strName;
    std::string m_strText;
    std::string m_strSound;  // a file under "wave\SkillAndItem\"
    std::string m_strSkillD; // carried as stored
};
