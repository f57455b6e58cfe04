#pragma once

// The stage map as the event interpreter sees it: its field and units, the
// cursor, the shop over the map, and the frames that the event thread runs
// (paced like the game's, the input polled by the scene manager, the map
// drawn by the scene, the frame presented).

#include "game/scenes/EventHost.h"

class StageScene;

class StageEventHost final : public EventHost
{
public:
    explicit StageEventHost(StageScene& scene) : m_Scene(scene) {}

    StageField& Field() override;
    std::span<UnitRecord* const> DeployedUnits() override;
    std::span<EnemyUnitRecord* const> Enemies() override;
    CharacterRecord* Leader() override;
    CharacterRecord* BattlePlayerUnit() override;
    CharacterRecord* BattleEnemyUnit() override;
    int32_t TurnNumber() override;
    bool StageClearedBefore() override;

    void MoveMapCursor(int32_t x, int32_t y) override;
    void UnitLeftParty(UnitRecord& unit) override;
    void OpenShop(const ItemList& goods) override;
    int RunShop() override;

    bool WaitForEventFrame() override;
    InputState& PollEventInput() override;
    DrawTarget& Screen() override;
    void DrawMap() override;
    void PresentFrame() override;

private:
    StageScene& m_Scene;
    InputState* m_pInput = nullptr; // of the frame that runs
    bool m_bDriverDone = false;     // the frame driver wants no further frame
};
