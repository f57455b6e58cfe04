#include "game/scenes/stage/StageEventHost.h"

#include "common/window/WindowBase.h"
#include "game/engine/Display.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/GameThread.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/engine/Thread.h"
#include "game/scenes/stage/StageScene.h"

namespace
{

// How long the event thread sleeps between looks while another program is active.
constexpr uint32_t kInactivePollMilliseconds = 10;

} // namespace

StageField& StageEventHost::Field()
{
    return *m_Scene.m_pField;
}

std::span<UnitRecord* const> StageEventHost::DeployedUnits()
{
    return m_Scene.m_Players;
}

std::span<EnemyUnitRecord* const> StageEventHost::Enemies()
{
    return std::span<EnemyUnitRecord* const>(m_Scene.m_Enemies.data(), m_Scene.m_Enemies.size());
}

CharacterRecord* StageEventHost::Leader()
{
    return m_Scene.m_pLeader;
}

CharacterRecord* StageEventHost::BattlePlayerUnit()
{
    return m_Scene.m_Battle.m_pPlayer;
}

CharacterRecord* StageEventHost::BattleEnemyUnit()
{
    return m_Scene.m_Battle.m_pEnemy;
}

int32_t StageEventHost::TurnNumber()
{
    return m_Scene.m_nTurn;
}

bool StageEventHost::StageClearedBefore()
{
    return m_Scene.m_bClearedBefore;
}

void StageEventHost::MoveMapCursor(int32_t x, int32_t y)
{
    m_Scene.MoveCursorTo(x, y);
}

void StageEventHost::UnitLeftParty(UnitRecord& unit)
{
    std::erase(m_Scene.m_Players, &unit);
    for (UnitRecord** held : {&m_Scene.m_pSelected, &m_Scene.m_pPicked, &m_Scene.m_Battle.m_pPlayer})
    {
        if (*held == &unit)
        {
            *held = nullptr;
        }
    }
    if (m_Scene.m_pInfoUnit == &unit)
    {
        m_Scene.m_pInfoUnit = nullptr;
    }
}

void StageEventHost::OpenShop(const ItemList& goods)
{
    m_Scene.m_Shop.SetOwner(ShopOwner::Stage);
    m_Scene.m_Shop.SetGoods(goods);
}

int StageEventHost::RunShop()
{
    static const InputState rest;
    return m_Scene.m_Shop.RunShop(m_pInput ? *m_pInput : rest, m_Scene.m_Target);
}

bool StageEventHost::WaitForEventFrame()
{
    Thread* self = Thread::Current();
    while (self && !AppActive.load())
    {
        if (!self->Sleep(kInactivePollMilliseconds))
        {
            return false;
        }
    }
    return !m_bDriverDone && PaceFrame(FrameRateValues.m_nFrameRate);
}

InputState& StageEventHost::PollEventInput()
{
    if (!DriveEventFrame())
    {
        m_bDriverDone = true;
    }
    m_pInput = &m_Scene.Manager().PollInput();
    return *m_pInput;
}

DrawTarget& StageEventHost::Screen()
{
    return m_Scene.m_Target;
}

void StageEventHost::DrawMap()
{
    ++m_Scene.m_nFrame;
    m_Scene.DrawMap(m_Scene.m_Target);
}

void StageEventHost::PresentFrame()
{
    DDPresent(m_Scene.Manager().PageFlip());
}
