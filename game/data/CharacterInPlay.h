#pragma once

// What friends and enemies in play share, on top of their database record:
// the growth roll, experience, skill look-ups, the turn and stage resets, the
// event a unit carries on the stage map, random names, and the drawing of the
// face, the map chip, the status window and the skill list.
//
// What the character's play-state fields mean in play:
//   m_nPlayA  leader flag (one unit at a time); the map chip gets a badge
//   m_nPlayB  on the stage map
//   m_nPlayC  has acted this turn
//   m_nPlayD  down (defeated); not drawn; cleared by a revival
//   m_nPlayE, m_nPlayF  map x and y
//   m_nPlayG  enemy group
//   m_nPlayH  stored for the file layout only: always read and written as 0
//   m_nPlayI, m_nPlayJ  where the map AI sends the unit
// A unit whose class is 0 is empty: not a member, not drawn, not counted.
//
// The event a unit carries is a link that is never saved: empty after a load,
// a copy from the database and every stage start, until the stage scene sets
// it. It names an event of the global Stage by position, so it never points
// at an event that is gone.

#include "common/data/CharacterRecord.h"
#include "game/engine/DrawTarget.h"

#include <cstdint>

class Event;

template <class Record> class CharacterInPlay : public Record
{
public:
    CharacterInPlay() = default;
    explicit CharacterInPlay(const Record& source);

    // The record's image; the carried event is dropped and m_nPlayH reads 0.
    bool Load(DataReader& in) override;
    // The record's image with m_nPlayH 0.
    void Save(DataWriter& out) override;

    // Rolls the growth, the name and the skills again (Rebuild): run when a
    // friend joins the party or the hire list and when an enemy is placed.
    virtual void Recompute();
    // The map chip at (x, y) (32 x 32): nothing for an empty or a down unit.
    // The second look of the sheet shows when the unit is on the map (with
    // selector) or has acted (without); a leader gets its badge.
    virtual void DrawChip(DrawTarget& target, int x, int y, int selector) const;

    // Experience earned in one exchange with an opponent of that level:
    // (opponent level - level) x the System's level factor + its base,
    // truncated; times its finishing factor when the opponent was defeated,
    // truncated; times the class's experience rate / 100. Never below 0.
    int32_t CalcExperience(int32_t opponentLevel, int defeated) const;

    // Known skills: how many entries hold a skill; the position of a skill,
    // or of the first skill of a kind (SkillKindNames); -1 when none.
    int CountSkills() const;
    int FindSkill(int32_t skill) const;
    int FindSkillOfKind(int32_t kind) const;

    // Current HP and SP back to their maximum.
    void RestoreHpSp();
    // On-map and acted flags off.
    void ClearTurnFlags();
    // A stage starts: on-map, acted and down flags off, no event carried.
    void ResetForStage();
    // Back from a cleared stage: on-map and acted flags off, HP and SP full,
    // no event carried; up again when the System revives after a clear.
    void RecoverAfterStage();

    // The event of the global Stage (by position in its event list) that the
    // unit carries; -1 for none. The event is null when the link is empty or
    // names no event of the Stage.
    void SetHeldEvent(int32_t eventIndex);
    Event* GetHeldEvent() const;
    // Moves the carried event to the unit's map position: 1, or 0 when the
    // unit carries none.
    int MoveHeldEvent();

    // Draws the name from the project's name list (see PickNameFromList). 1
    // when drawn; 0, the name unchanged, when the list cannot be read or has
    // no line.
    int PickRandomName();

    // The 48 x 48 face of the unit's class at (x, y).
    void DrawFace(DrawTarget& target, int x, int y) const;
    // The status window 608 x 160 at (x, y): face, name, class, level,
    // experience, movement, the flying mark, the nine parameters (with
    // showBase the base values of the seven after HP and SP), the two
    // equipment rows and, under the window, the unit's comment.
    void DrawStatus(DrawTarget& target, int x, int y, int showBase) const;
    // The skill list window 208 wide at (x, y): "SP %d / %d" on the title row,
    // then up to rows known skills from position first, each as its icon and
    // name; a skill that costs more than the current SP is grey.
    void DrawSkillList(DrawTarget& target, int x, int y, int first, int rows) const;

protected:
    // The growth roll: a random name when the unit has one, the growth tables
    // with the party's scout points (none for an enemy), then the parameters
    // at the unit's level.
    void Rebuild();
    // The chip from column offset sourceX of the sheet's cell.
    void DrawChipCell(DrawTarget& target, int x, int y, int sourceX, int32_t secondLook) const;

private:
    int32_t m_nHeldEvent = -1;
};

extern template class CharacterInPlay<FriendRecord>;
extern template class CharacterInPlay<EnemyRecord>;
