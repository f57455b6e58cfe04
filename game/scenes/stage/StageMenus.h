#pragma once

// The menus of the stage map, built from the System's game-menu lists: the
// preparation menu, the unit command menu and the map menu hold the positions
// of their list's enabled entries, in list order.

#include "common/data/SystemRecord.h"
#include "game/scenes/StageField.h"

#include <span>
#include <vector>

// The preparation menu's entries (positions in the System's list of six).
enum PreparationEntry : int
{
    kPrepDeploy = 0,
    kPrepSwap = 1,
    kPrepUndeploy = 2,
    kPrepLookAtMap = 3,
    kPrepConditions = 4,
    kPrepBegin = 5,
};
inline constexpr const char* PreparationTexts[kPlacementMenuLength] = {
    "はいち", "いちこうかん", "とりけす", "マップをみる", "じょうけんをみる", "こうりゃくかいし"};

// The unit command kinds (positions in the System's list of five).
enum UnitCommandKind : int
{
    kCommandSpecial = 0, // shown with the name of the event page that offers it
    kCommandFight = 1,
    kCommandWait = 2,
    kCommandSkill = 3,
    kCommandItem = 4,
};
inline constexpr const char* UnitCommandTexts[kMapCharaMenuLength] = {"", "たたかう", "たいき", "スキル", "もちもの"};

// The map menu's entries (positions in the System's list of four).
enum MapMenuEntry : int
{
    kMapSearch = 0,
    kMapConditions = 1,
    kMapInventory = 2,
    kMapTurnEnd = 3,
};
inline constexpr const char* MapMenuTexts[kMapMenuLength] = {"サーチ", "じょうけんをみる", "もちもの", "ターンエンド"};

// The positions of the list's enabled entries, in order; a list without an
// enabled entry gives its first entry alone.
std::vector<int> EnabledEntries(const CheckedVector<MenuCommandEntry>& list);

// An active unit of the other side stands on one of the four cells beside
// the unit (diagonal cells do not count).
bool HasAdjacentOpponent(const StageField& field, const CharacterRecord& unit);

// The command menu of a unit that has moved: the enabled kinds, in order,
// without the special command unless an event page offers one (hasSpecial)
// and without the fight unless an opponent stands beside the unit.
std::vector<int> BuildUnitCommands(std::span<const int> enabled, const StageField& field, const CharacterRecord& unit,
                                   bool hasSpecial);
