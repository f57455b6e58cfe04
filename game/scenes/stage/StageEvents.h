#pragma once

// The stage's events as the map sees them: which page of an event applies
// now, the position condition of a page, the special command a page offers,
// and the units that carry events (held events), bound when the attack starts.

#include "common/data/Event.h"
#include "game/data/EnemyUnitRecord.h"
#include "game/data/UnitRecord.h"
#include "game/scenes/StageField.h"

#include <cstdint>
#include <span>
#include <vector>

// Where a position condition looks (rows of AreaConditionNames).
enum PositionArea : int32_t
{
    kAreaNone = 0,
    kAreaWholeMap = 1,
    kAreaEventCell = 2,
    kAreaGroup = 3,
};

// Whom it looks for (rows of CharacterSelectorNames).
enum PositionWho : int32_t
{
    kWhoAnyone = 0, // the deployed player units and the enemies
    kWhoFriends = 1,
    kWhoEnemies = 2,
    kWhoActing = 3,
    kWhoLeader = 4,
    kWhoHolder = 5,
};

// Whether it asks for them to be there (rows of PresenceNames).
constexpr int32_t kPresentIfThere = 0;
constexpr int32_t kPresentIfAbsent = 1;

// The units a position condition chooses from, as the stage map holds them.
struct PositionContext
{
    const StageField* m_pField = nullptr;
    std::span<UnitRecord* const> m_Players;      // the deployed player list
    std::span<EnemyUnitRecord* const> m_Enemies; // the enemy list
    CharacterRecord* m_pActing = nullptr;        // the unit acting now
    CharacterRecord* m_pLeader = nullptr;
};

// A page applies when its turn condition is 0 or the turn, its event-variable
// condition is off or holds for the event's variable, its global-variable
// condition names no variable or holds, and it is not for the first attempt
// only while the stage was cleared before.
bool IsPageActive(const EventPage& page, const Event& event, int32_t turn, bool stageCleared);
// The first page that applies; null when none does (the event is not there).
const EventPage* ActivePage(const Event& event, int32_t turn, bool stageCleared);

// The candidates of `who` that are active and stand where `where` asks: on
// the map, on the event's cell, or on a point of position group `group`.
// They are collected into `selected`; the result is whether there is one.
// Area 0 asks for nothing: always true, nobody selected.
bool CheckPositionCondition(std::vector<CharacterRecord*>& selected, const PositionContext& context, const Event& event,
                            CharacterRecord* holder, int32_t where, int32_t who, int32_t group);
// The page's own position condition, inverted (and nobody selected) for a
// page that asks for the units to be absent.
bool PagePositionHolds(std::vector<CharacterRecord*>& selected, const PositionContext& context, const EventPage& page,
                       const Event& event, CharacterRecord* holder);

// The first page of the stage's events that applies, has the special-command
// trigger and whose position condition holds with the context's acting unit;
// null when there is none. holders: the holder of each event (by position).
const EventPage* FindSpecialCommandPage(const CheckedVector<Event>& events, const PositionContext& context,
                                        std::span<CharacterRecord* const> holders, int32_t turn, bool stageCleared);

// Gives each held event of the stage to the unit standing on its cell: the
// deployed player units first, then the enemies. Every event's holder is
// cleared first, and so is the event each listed unit carried; holders gets
// one entry per event (null: none), and an event with a holder has m_nHolder 1.
void BindHeldEvents(CheckedVector<Event>& events, std::span<UnitRecord* const> players,
                    std::span<EnemyUnitRecord* const> enemies, std::vector<CharacterRecord*>& holders);
