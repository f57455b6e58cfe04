#pragma once

// The enemy's turn on the stage map: from its movement-AI entries it chooses
// a target (a unit or a goal cell), a destination on its way there and an
// action (move only, attack, or a skill on a unit of its own side).
//
// The entries are tried in order; the first that finds a target and whose
// action fits it decides. An entry with a skill is passed over while the
// enemy cannot use that skill on the map.

#include "game/data/EnemyUnitRecord.h"
#include "game/data/UnitRecord.h"
#include "game/scenes/MapRanges.h"

#include <cstdint>
#include <span>

// Where an entry looks (rows of MoveAiRangeNames): anywhere, in the area the
// enemy threatens after moving, within reach of its cell.
constexpr int32_t kMoveAiRangeAnywhere = 0;
constexpr int32_t kMoveAiRangeThreat = 1;
constexpr int32_t kMoveAiRangeReach = 2;

// What an entry goes for (rows of MoveAiTargetNames).
constexpr int32_t kMoveAiTargetNearest = 0;
constexpr int32_t kMoveAiTargetPhysical = 1; // the most physical damage done
constexpr int32_t kMoveAiTargetMagic = 2;    // the most magic damage done
constexpr int32_t kMoveAiTargetWeakest = 3;
constexpr int32_t kMoveAiTargetLeader = 4;
constexpr int32_t kMoveAiTargetNearestAlly = 5;
constexpr int32_t kMoveAiTargetMostHurtAlly = 6;
constexpr int32_t kMoveAiTargetSelf = 7;
// kMoveAiTargetGoal (8): the nearest point of the entry's goal group.

// What the enemy does after moving (rows of MoveAiModeNames).
constexpr int32_t kMoveAiModeMove = 0;
constexpr int32_t kMoveAiModeAttack = 1;
constexpr int32_t kMoveAiModeSkill = 2;

struct EnemyDecision
{
    int m_nEntry = -1; // the movement-AI entry that decided; -1 when none did
    int32_t m_nAction = kMoveAiModeMove;
    CharacterRecord* m_pTarget = nullptr; // the unit attacked or helped (attack, skill)
    int32_t m_nSkill = 0;                 // the skill used (skill)
    int m_nSkillSlot = -1;                // its place among the enemy's skills; -1 when it has none
    int32_t m_nDestX = 0;
    int32_t m_nDestY = 0;
};

// The grids of one decision, kept from one enemy to the next (sized once per
// stage) and shown while the enemy acts.
struct EnemyAiGrids
{
    MovementRange m_Movement; // from the enemy's cell
    CellGrid m_Threat;        // after moving
    CellGrid m_Reach;         // the attack range of its cell
    CellGrid m_PathCosts;     // of every cell, as an origin, to the enemy's cell
    CellGrid m_PathMap;       // the path-cost map of the chosen target
};

// Decides the enemy's action against the deployed player units and the
// enemies (each list in its own order, which breaks ties: the earlier unit
// stays). The destination is also stored as the enemy's AI destination.
// When no entry decides, the enemy stays on its cell and only waits.
EnemyDecision DecideEnemyAction(const StageField& field, EnemyUnitRecord& enemy, std::span<UnitRecord* const> players,
                                std::span<EnemyUnitRecord* const> enemies, EnemyAiGrids& grids);
