#pragma once

// A unit class (Class.dat): graphic, movement, experience correction, level
// limit, default initial and final values of the nine parameters, one
// skill-learning value per skill category and one resistance per attribute
// of the System.

#include "common/data/RecordRules.h"
#include "common/data/SerializableRecord.h"

#include <string>

class ClassRecord : public SerializableRecord
{
public:
    ClassRecord();

    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;

    // Sizes the skill-learning values to the System's skill categories and
    // the resistances to its attributes; new entries are 0.
    void FitToSystem();
    // A new class: movement 4, experience 100%, level limit 30, parameters 1,
    // every resistance 100.
    void SetDefaults();

    int32_t m_nSpare = 0;    // not stored
    int32_t m_nClassA = 0;   // own position in the class table, set when the table is saved
    int32_t m_nGraphic = 0;  // unit chip number
    int32_t m_nMove = 0;     // movement
    int32_t m_bFlying = 0;   // flies
    int32_t m_nExpRate = 0;  // experience correction in percent
    int32_t m_nMaxLevel = 0; // level limit
    int32_t m_nInit[kParameterCount] = {};
    int32_t m_nFinal[kParameterCount] = {}; // 0: no growth
    CheckedVector<int32_t> m_SkillLearn;    // one per skill category
    CheckedVector<int32_t> m_Resist;        // percent, one per attribute
    std::string m_strName;
};
