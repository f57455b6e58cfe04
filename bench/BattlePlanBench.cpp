// Planning the timelines of a battle from its start, at battle times of a
// thousand to ten million steps, both sides of equal speed (an action every
// ten steps each). The plan is to grow with the battle time, not with its
// square.

#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "game/data/EnemyUnitRecord.h"
#include "game/data/GameData.h"
#include "game/data/UnitRecord.h"
#include "game/scenes/BattleExchange.h"

#include <benchmark/benchmark.h>

namespace
{

struct Fighters
{
    Fighters()
    {
        ResetProjectData();
        InitGameData();
        ClassTable.assign(2, ClassRecord());
        ClassTable.At(1).SetDefaults();
        for (CharacterRecord* unit :
             {static_cast<CharacterRecord*>(&m_Friend), static_cast<CharacterRecord*>(&m_Enemy)})
        {
            unit->m_nClass = 1;
            for (auto& param : unit->m_Param)
            {
                param.m_nBase = param.m_nValue = 10;
            }
        }
    }

    UnitRecord m_Friend;
    EnemyUnitRecord m_Enemy;
};

void BM_PlanBattle(benchmark::State& state)
{
    static Fighters fighters;
    System.m_nBattleTime = static_cast<int32_t>(state.range(0));
    BattleExchange exchange;
    for (auto _ : state)
    {
        exchange.Begin(fighters.m_Friend, fighters.m_Enemy, 0, true, 100);
        benchmark::DoNotOptimize(exchange.Defender().m_Timeline.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlanBattle)->RangeMultiplier(10)->Range(1000, 10'000'000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
