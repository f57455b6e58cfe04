#pragma once

// Enemies in play: the enemy records of the database, one copy per enemy
// placement of the stage, at the placement's position and group, with the
// placement's movement AI, rolled up for the stage (growth, the System's enemy
// stat correction, the skills of their battle-AI rules, the difficulty raise).
// They live from the stage's start until the stage scene is left and are
// never saved.
//
// Each movement-AI entry of an enemy in play is linked to its goal group of
// the global Stage (the entry's m_nGoalGroup holds the group's position, -1
// for none). The links are never saved: empty after a load, until
// BuildStageEnemies links the placed enemy.

#include "common/data/StageRecord.h"
#include "game/data/CharacterInPlay.h"

#include <cstdint>

// Actions of battle-AI rules (rows of BattleAiActionNames).
constexpr int32_t kBattleAiAttack = 0;
constexpr int32_t kBattleAiSkill = 1;
constexpr int32_t kBattleAiQuick = 2;

class EnemyUnitRecord : public CharacterInPlay<EnemyRecord>
{
public:
    // Bound at the current format, with the enemy defaults.
    EnemyUnitRecord();
    // An enemy of the database, as it stands there.
    explicit EnemyUnitRecord(const EnemyRecord& source);

    // The enemy record's image; the goal links are dropped.
    bool Load(DataReader& in) override;

    // The growth roll (without scout points), the System's enemy stat
    // correction, then exactly the skills that its skill and quick rules name,
    // the raise for the play-through's difficulty, HP and SP full.
    void Recompute() override;
    // As a friend's chip, from the right half of the sheet's cell, and always
    // the second look once the enemy has acted (selector is not used).
    void DrawChip(DrawTarget& target, int x, int y, int selector) const override;

    // 1 when a skill rule names a magic attack whose SP cost the enemy's
    // current SP covers; else 0.
    int HasUsableSkillRule() const;

    // The goal group that movement-AI entry j is linked to, or null.
    const PositionGroup* GetGoalGroup(int entry) const;
    // Links every movement-AI entry to the group of its goal number. A number
    // outside the groups is reported (as any index outside a list) and takes
    // group 0. Without any group an entry stays unlinked, and the result is
    // false, after the report, when one of them goes for its goal group.
    bool LinkGoalGroups();

private:
    bool m_bGoalsLinked = false;
};

// Loaded tables of enemies start from the enemy defaults.
void ResetVectorPrototype(EnemyUnitRecord& prototype);

// Reads Enemy.dat's table (int32 count, then the enemies). All or nothing: on
// a corrupt table false and the vector unchanged.
bool LoadEnemyList(DataReader& in, CheckedVector<EnemyUnitRecord>& enemies);

// Builds the enemies of a stage from its placements, in order: Enemy.dat is
// read afresh (its enemy 0 without class); a placement of enemy 0 places
// nothing; each other placement adds an independent copy of its enemy (an
// enemy outside the table is reported and enemy 0 taken) at the placement's
// position and group, with the placement's movement AI linked to the Stage's
// groups and written to the error log for the goal target, then recomputed.
// The pointers then list the enemies in the same order.
//
// 1 when built. 0, both vectors as they were, when Enemy.dat cannot be read
// (an error box, then a close of the main window is posted), or when an
// enemy or a goal group has nothing to fall back to (the index report and
// the close).
int BuildStageEnemies(CheckedVector<EnemyUnitRecord>& enemies, CheckedVector<EnemyUnitRecord*>& pointers,
                      const CheckedVector<EnemyPlacement>& placements);
