#pragma once

// What the event interpreter needs of the scene that runs stage events (the
// stage map): the field with its units, who leads and who fights, the turn,
// the map cursor, the shop, and the frames of the event thread.
//
// Threads. While an event page runs, the event thread calls the frame
// methods and the methods the commands need, each inside one of its frames,
// under the game-data lock; the game thread meanwhile waits in RunTrigger
// and touches nothing of the scene. The conditions and RunTrigger itself
// call the read methods on the game thread.

#include "game/data/EnemyUnitRecord.h"
#include "game/data/ItemStack.h"
#include "game/data/UnitRecord.h"
#include "game/engine/DrawTarget.h"
#include "game/engine/InputState.h"
#include "game/scenes/StageField.h"

#include <cstdint>
#include <span>

class EventHost
{
public:
    virtual ~EventHost() = default;

    // The stage in play: the unit grid, the land and the enemy groups shown.
    virtual StageField& Field() = 0;
    // The deployed player units, in party order, and the stage's enemies, in
    // the order of its enemy placements.
    virtual std::span<UnitRecord* const> DeployedUnits() = 0;
    virtual std::span<EnemyUnitRecord* const> Enemies() = 0;
    // Null when there is none.
    virtual CharacterRecord* Leader() = 0;
    // The two units of the battle being fought or just fought (player side,
    // enemy side); null outside a battle.
    virtual CharacterRecord* BattlePlayerUnit() = 0;
    virtual CharacterRecord* BattleEnemyUnit() = 0;
    // The turn number, from 1.
    virtual int32_t TurnNumber() = 0;
    // The stage was cleared on an earlier visit.
    virtual bool StageClearedBefore() = 0;

    // The map cursor goes to the cell (kept on the map) and the view follows it.
    virtual void MoveMapCursor(int32_t x, int32_t y) = 0;
    // A party member has left the party: it is off the map and its slot is
    // empty now; the scene forgets it (deployed list, selections).
    virtual void UnitLeftParty(UnitRecord& unit) = 0;
    // The shop over the map: opened with its goods, then run one frame at a
    // time until RunShop reports 1 (closed).
    virtual void OpenShop(const ItemList& goods) = 0;
    virtual int RunShop() = 0;

    // Frames of the event thread. WaitForEventFrame runs outside the lock:
    // it waits until the next frame is due (pacing, no frames while the game
    // is not the active program); false when the event thread is asked to
    // quit meanwhile. The rest run within the frame: the frame's input polled
    // into the scene's input state (the interpreter adds the key repeat and
    // the one-shot buttons), the map with its units and event graphics drawn
    // on the screen, the frame presented.
    virtual bool WaitForEventFrame() = 0;
    virtual InputState& PollEventInput() = 0;
    virtual DrawTarget& Screen() = 0;
    virtual void DrawMap() = 0;
    virtual void PresentFrame() = 0;
};
