#pragma once

// The characters of the database: friends (Friend.dat, recruitable party
// members) and enemies (Enemy.dat), on one base record, with their
// sub-records.

#include "common/data/RecordRules.h"
#include "common/data/SerializableRecord.h"

// The current base value and the effective value (base plus equipment) of
// one of the nine parameters.
class ParameterValue : public SerializableRecord
{
public:
    ParameterValue();
    void BindFields(int32_t version) override;

    int32_t m_nIndex = 0; // parameter 0-8
    int32_t m_nBase = 0;
    int32_t m_nValue = 0; // 0..999
};

// Slot 0 holds a weapon, slot 1 other equipment.
class EquipmentSlot : public SerializableRecord
{
public:
    EquipmentSlot();
    void BindFields(int32_t version) override;

    // Stores an item and marks the slot equipped exactly when it holds one.
    void SetItem(int32_t item);

    int32_t m_nItem = 0;     // item index, 0: none
    int32_t m_bEquipped = 0; // 1 when m_nItem is not 0
};

// A known skill; skill 0 is an empty slot.
class SkillEntry : public SerializableRecord
{
public:
    SkillEntry();
    void BindFields(int32_t version) override;

    int32_t m_nSkill = 0;
};

// A skill still to be learned and the level at which it is.
class LearnSkillEntry : public SerializableRecord
{
public:
    LearnSkillEntry();
    void BindFields(int32_t version) override;

    int32_t m_nSkill = 0;
    int32_t m_nLevel = 0;
};

// Loaded lists of skills to learn start from skill 1 (only an element image
// without fields keeps it).
void ResetVectorPrototype(LearnSkillEntry& prototype);

// Movement-AI targets (rows of MoveAiTargetNames): the last one sends the
// enemy to a position group of the stage.
constexpr int32_t kMoveAiTargetGoal = 8;

// One movement-AI step of an enemy: where it looks (range), what it goes for
// (target), how (mode) and with which skill.
class MoveAiEntry : public SerializableRecord
{
public:
    MoveAiEntry();
    void BindFields(int32_t version) override;
    // The image; the resolved goal group starts again at 0.
    bool Load(DataReader& in) override;

    // A skill outside the skill table and a goal outside the stage's
    // position groups (positionGroupCount of them) become 0.
    void Validate(int positionGroupCount);

    int32_t m_nRange = 0;  // row of MoveAiRangeNames
    int32_t m_nTarget = 0; // row of MoveAiTargetNames
    int32_t m_nMode = 0;   // row of MoveAiModeNames
    int32_t m_nSkill = 0;
    int32_t m_nGoalNum = 0; // position group, for the goal target
    // Not stored: the game's index of the goal group it resolved for this
    // entry; 0 after every load.
    int32_t m_nGoalGroup = 0;
};

// One condition of a battle-AI entry: subject's parameter compared with a value.
class BattleAiCondition : public SerializableRecord
{
public:
    BattleAiCondition();
    void BindFields(int32_t version) override;

    int32_t m_nSubject = 0; // row of AiSubjectNames
    int32_t m_nParam = 0;   // row of AiConditionParamNames
    int32_t m_nValue = 0;
    int32_t m_nCompare = 0; // comparison code
    int32_t m_bPercent = 0; // m_nValue is a percentage
};

// One battle action of an enemy; a candidate only when all its conditions hold.
class BattleAiEntry : public SerializableRecord
{
public:
    BattleAiEntry();
    void BindFields(int32_t version) override;
    // The image, then the conditions.
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;

    // An attack with skill 1, priority 1, priority level 10, no conditions.
    void SetDefaults();

    int32_t m_nAction = 0; // row of BattleAiActionNames
    int32_t m_nSkill = 0;
    int32_t m_nPriority = 0;
    int32_t m_nPriorityLevel = 0;
    CheckedVector<BattleAiCondition> m_Condition;
};
