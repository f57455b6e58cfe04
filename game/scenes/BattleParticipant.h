#pragma once

// The battle's working copies of the two units that fight, and the state of a
// battle that the battle rules read and change: the land, the elapsed and the
// total time steps, the action chosen, its forecast and the messages of stat
// changes. The battle scene owns one BattleState and shows it; the rules in
// BattleFormulas, BattleEffects and BattleAi work on it.

#include "common/data/CharacterRecord.h"
#include "game/scenes/ParameterIndex.h"

#include <cstdint>
#include <string>
#include <vector>

// Sides of a participant.
constexpr int32_t kSideFriend = 0;
constexpr int32_t kSideEnemy = 1;

// What a popup above a unit shows (the glyph row of its digits).
constexpr int32_t kResultMiss = 0;
constexpr int32_t kResultDamage = 1;
constexpr int32_t kResultRecovery = 3;

// One action in a participant's timeline: the time step at which it falls due
// and whether it has been taken.
struct PlannedAction
{
    int32_t m_nStep = 0;
    int32_t m_bDone = 0;
};

class BattleParticipant
{
public:
    // Takes a unit into the battle: name, side, class, HP and SP with their
    // maxima, the current value of each other parameter as both its maximum
    // and its current value, the equipment and the skills; an enemy also
    // brings its battle-AI rules. Every battle flag starts at 0.
    void TakeUnit(CharacterRecord& unit, int32_t side);
    void TakeUnit(EnemyRecord& enemy);

    // Current HP and SP to their maxima.
    void RestoreHpSp();

    // Maximum and current value of a parameter.
    int32_t Max(int index) const { return m_nMax[index]; }
    int32_t Value(int index) const { return m_nValue[index]; }

    // The unit's level; 0 without a unit.
    int32_t Level() const;
    // Timeline entries not yet taken.
    int CountPendingActions() const;

    // The item in the weapon slot; 0 without one.
    int32_t WeaponItem() const { return m_nEquip[0]; }

    CharacterRecord* m_pUnit = nullptr;
    std::string m_strName;
    int32_t m_nSide = kSideFriend;
    int32_t m_nClass = 0;
    int32_t m_nMax[kParameterCount] = {};
    int32_t m_nValue[kParameterCount] = {};
    int32_t m_nEquip[2] = {}; // items of the weapon slot and the other slot, 0 for none
    CheckedVector<SkillEntry> m_Skill;
    CheckedVector<BattleAiEntry> m_BattleAi; // an enemy's rules; empty for a friend

    int32_t m_nDamageReduction = 0; // taken off every incoming damage
    int32_t m_bDead = 0;            // 1 when HP reached 0 (the scene sets 2 once its fall is shown)
    int32_t m_nActionValue = 0;     // acts at 1000
    int32_t m_bAttacker = 0;        // 1 for the side that started the battle
    int32_t m_bQuickUsed = 0;       // a quick skill was used in the current turn
    int32_t m_nTurnCount = 0;       // turns so far in this battle
    std::vector<PlannedAction> m_Timeline;

    int32_t m_bShowPopup = 0;
    int32_t m_nPopupValue = 0;
    int32_t m_nResultKind = kResultMiss;
};

// Kinds of battle actions. A quick skill is a skill that a quick rule of the
// battle AI (or the friend's quick command) chose.
constexpr int32_t kActionWeapon = 0;
constexpr int32_t kActionSkill = 1;
constexpr int32_t kActionQuickSkill = 2;
constexpr int32_t kActionItem = 3;

struct BattleAction
{
    int32_t m_nKind = kActionWeapon;
    int32_t m_nSkill = 0;
    int32_t m_nItem = 0;
};

// The numbers of an action before it is carried out: who acts on whom, the
// hit and critical rates in percent, the value (positive: HP damage to the
// target, negative: HP recovery) and the attribute (0 none).
struct ActionForecast
{
    BattleParticipant* m_pActor = nullptr;
    BattleParticipant* m_pTarget = nullptr;
    int32_t m_nHitRate = 0;
    int32_t m_nCriticalRate = 0;
    int32_t m_nValue = 0;
    int32_t m_nAttribute = 0;
};

struct BattleState
{
    BattleParticipant& OpponentOf(const BattleParticipant& participant)
    {
        return &participant == &m_Friend ? m_Enemy : m_Friend;
    }
    const BattleParticipant& OpponentOf(const BattleParticipant& participant) const
    {
        return &participant == &m_Friend ? m_Enemy : m_Friend;
    }

    BattleParticipant m_Friend;
    BattleParticipant m_Enemy;
    int32_t m_nLand = 0;       // the land under the attacked unit, or the one a land skill made
    int32_t m_nElapsed = 0;    // time steps so far
    int32_t m_nBattleTime = 0; // time steps of the whole battle
    BattleAction m_Action;
    ActionForecast m_Forecast;
    std::vector<std::string> m_ActionMessages; // stat changes of the current action
};
