#pragma once

// A friend in play: a party member, or an entry of the hire list or of the
// fallen list. It is the friend record of the database with the game's
// operations (CharacterInPlay); its image is the friend record's, so a save
// file holds its units whole. m_nHead is the unit's position in the friend
// table.

#include "game/data/CharacterInPlay.h"
#include "game/data/ItemStack.h"

#include <cstdint>

// The hit rate of the weapon in a unit's slot 0 (friend or enemy); 90 without one.
int32_t WeaponHitRateOf(const CharacterRecord& unit);

class UnitRecord : public CharacterInPlay<FriendRecord>
{
public:
    // Bound at the current format, with the friend defaults (class 1).
    UnitRecord();
    // A unit of a friend of the database, as it stands there.
    explicit UnitRecord(const FriendRecord& source);

    // The friend record's image, then every value brought into the range the
    // game keeps it in: a friend's side, the four flags 0 or 1, level 1..the
    // class's limit, experience 0..99 (0 at the limit), growth remainders
    // 0..100, the nine parameters 0..999 and, for a unit with a class,
    // maximum HP at least 1 (unless the stream keeps values as stored). A save
    // file holds units as they were written.
    bool Load(DataReader& in) override;

    // Turns the unit into an empty party slot: the friend defaults, class 0.
    void MakeEmpty();
    bool IsPartyMember() const { return m_nClass != 0; }

    // Equipment against an item stock (the party's, Progress.m_Items).
    // Slot 0 is the weapon, slot 1 other equipment. Equip puts the entry's
    // item into the slot (item 0 empties it), giving the slot's old item back
    // to the stock and taking one of the new item from it; Unequip gives the
    // slot's item back and empties the slot. Both refuse with 0, changing
    // nothing, when the stock already holds as many of the slot's item as it
    // can carry (or for a slot other than 0 and 1); else the parameters follow
    // and the result is 1.
    int Equip(int slot, const ItemStack& entry, ItemList& stock);
    int Unequip(int slot, ItemList& stock);
    // Unequip of slot 0, then slot 1.
    void UnequipAll(ItemList& stock);
    // The hit rate of the weapon in slot 0; 90 without one.
    int32_t GetWeaponHitRate() const;

    // What the System asks for hiring and reviving the unit, and pays for
    // dismissing it: a base plus the level times a rate each. 0 for an empty
    // slot; the dismissal price also for a unit that cannot be dismissed.
    int32_t GetHireCost() const;
    int32_t GetReviveCost() const;
    int32_t GetDismissPrice() const;
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

// The leader: the first party member with the leader flag; null when none.
const UnitRecord* FindLeader(const CheckedVector<UnitRecord>& units);
