#pragma once

// A friend in play: a party member, or an entry of the hire list or of the
// fallen list. It is the friend record of the database with the game's
// operations; its image is the friend record's, so a save file holds its
// units whole.
//
// What the character's play-state fields mean in play:
//   m_nPlayA  leader flag (one unit at a time)
//   m_nPlayB  on the stage map
//   m_nPlayC  has acted this turn
//   m_nPlayD  down (defeated); cleared by a revival
//   m_nPlayE, m_nPlayF  map x and y
//   m_nPlayG  enemy group
//   m_nPlayH  stored and written back as it is; meaningless outside a stage
//   m_nPlayI, m_nPlayJ  where the map AI sends the unit
// m_nHead is the unit's position in the friend table. A unit whose class is
// 0 is an empty party slot: not a member, not drawn, not counted.

#include "common/data/CharacterRecord.h"

#include <cstdint>

class UnitRecord : public FriendRecord
{
public:
    // Bound at the current format, with the friend defaults (class 1).
    UnitRecord();
    // A unit of a friend of the database, as it stands there.
    explicit UnitRecord(const FriendRecord& source);

    // Derives the unit's growth tables, skills and parameters at its level
    // again (with random growth and skills when it has them): run when it
    // joins the party or the hire list.
    virtual void Recompute();

    // Turns the unit into an empty party slot: the friend defaults, class 0.
    void MakeEmpty();
    bool IsPartyMember() const { return m_nClass != 0; }

    // On-map and acted flags off.
    void ClearTurnFlags();

protected:
    // The growth roll of Recompute: growth tables with the party's scout
    // points, then the parameters at the unit's level. A random name
    // (m_bRandomName) is not drawn here yet: the name stays.
    void Rebuild();
};

// The party: a fixed number of slots, empty ones with class 0.
constexpr int kPartySlotCount = 64;

// Brings a unit vector to count units: new units are empty slots, surplus
// units are removed.
void ResizeUnitVector(CheckedVector<UnitRecord>& units, int count);

// Number of units whose class is not 0.
int CountPartyMembers(const CheckedVector<UnitRecord>& units);

// Position of the first unit whose class is 0; -1 when none.
int FindFreeSlot(const CheckedVector<UnitRecord>& units);
