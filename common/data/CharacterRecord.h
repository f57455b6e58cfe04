#pragma once

// The characters of the database: friends (Friend.dat, recruitable party
// members) and enemies (Enemy.dat), on one base record, with their
// sub-records.

#include "common/data/RecordRules.h"
#include "common/data/SerializableRecord.h"

#include <string>

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
    void VisitVectors(VectorVisitor& visitor) override;

    // An attack with skill 1, priority 1, priority level 10, no conditions.
    void SetDefaults();

    int32_t m_nAction = 0; // row of BattleAiActionNames
    int32_t m_nSkill = 0;
    int32_t m_nPriority = 0;
    int32_t m_nPriorityLevel = 0;
    CheckedVector<BattleAiCondition> m_Condition;
};

// What friends and enemies share: class and level, the nine parameters with
// their entered and effective initial and final values, the per-level growth
// tables, two equipment slots, the known skills and the skills still to learn.
//
// Image: the record image, the nine parameter values, the two slots, the nine
// growth tables and the skill points (each int32 count and values), the known
// skills and the skills to learn (each int32 count and element images), then
// what the derived class appends. The check runs at the end of every load and
// at the start of every save.
class CharacterRecord : public SerializableRecord
{
public:
    CharacterRecord();

    void BindFields(int32_t version) override;
    bool Load(DataReader& in) override;
    void Save(DataWriter& out) override;
    void VisitVectors(VectorVisitor& visitor) override;
    virtual void SetDefaults();

    // The consistency check against the class, item and skill tables.
    virtual void Validate();
    // The values the friend and enemy pages show for reference: the growth
    // tables and the parameters at the record's level, with no random draw.
    virtual void ComputeReferenceValues();

    // Growth and levels (reference: no random draw, no skill learned).
    void BuildGrowthTables(bool randomGrowth, int32_t scoutCount, bool reference);
    void InitGrowthRemainders(bool reference);
    void InitLevel(int32_t level, bool reference);
    void LevelUp(bool reference);
    void ApplyStatCorrection(const int32_t percent[kParameterCount]);
    void ApplyEquipment();
    int32_t LearnSkill(int32_t skill);
    void ApplyLearnedSkills(int32_t level);

    int32_t m_nHead = 0; // carried as stored
    std::string m_strName;
    int32_t m_bRandomName = 0; // the game picks a name; files from version 76
    std::string m_strText;
    int32_t m_bEnemy = 0;
    int32_t m_nPlayA = 0;
    int32_t m_nClass = 0;
    int32_t m_nLevel = 0;
    int32_t m_nMaxLevel = 0;                     // from the class
    int32_t m_nExp = 0;                          // toward the next level, 100 a level
    int32_t m_nInitInput[kParameterCount] = {};  // 0: the class's initial value
    int32_t m_nFinalInput[kParameterCount] = {}; // 0: same as the initial value
    int32_t m_nInit[kParameterCount] = {};
    int32_t m_nFinal[kParameterCount] = {};
    int32_t m_nGrowthRest[kParameterCount] = {};      // hundredths carried from level to level
    CheckedVector<int32_t> m_Growth[kParameterCount]; // hundredths per level, one entry a level
    int32_t m_bGrows[kParameterCount] = {};
    int32_t m_bRandomGrowth = 0;
    int32_t m_bRandomSkill = 0;
    ParameterValue m_Param[kParameterCount];
    EquipmentSlot m_Equip[2];
    int32_t m_nPlayB = 0;
    int32_t m_nPlayC = 0;
    int32_t m_nPlayD = 0;
    int32_t m_nPlayE = 0;
    int32_t m_nPlayF = 0;
    int32_t m_nPlayG = 0;
    int32_t m_nPlayH = 0; // files from version 72
    int32_t m_nPlayI = 0;
    int32_t m_nPlayJ = 0;
    CheckedVector<int32_t> m_SkillPoints; // per skill category
    CheckedVector<SkillEntry> m_Skill;
    CheckedVector<LearnSkillEntry> m_LearnSkill;

protected:
    // The lists a derived class appends after the character's.
    virtual bool LoadOwnLists(DataReader& in);
    virtual void SaveOwnLists(DataWriter& out);
    // The character part of SetDefaults, after the clearing: class 1, level 1,
    // cleared parameters and slots, no skills, then the check.
    void ApplyCharacterDefaults();
};

// A recruitable party member.
class FriendRecord : public CharacterRecord
{
public:
    FriendRecord();

    void BindFields(int32_t version) override;
    void SetDefaults() override;

    int32_t m_nFriendA = 0;
    int32_t m_nFriendB = 0;
    int32_t m_bInShop = 0;    // at the hiring shop from the start
    int32_t m_bHireAgain = 0; // can be hired any number of times
    int32_t m_bNoRelease = 0; // cannot be released; files from version 76
};

// An enemy with its movement AI and battle-action AI.
class EnemyRecord : public CharacterRecord
{
public:
    EnemyRecord();

    void SetDefaults() override;
    // The reference values, scaled by the System's enemy class corrections.
    void ComputeReferenceValues() override;

    CheckedVector<MoveAiEntry> m_MoveAI;
    CheckedVector<BattleAiEntry> m_BattleAi;

    void VisitVectors(VectorVisitor& visitor) override;

protected:
    bool LoadOwnLists(DataReader& in) override;
    void SaveOwnLists(DataWriter& out) override;
};
