// The stage map's fills and the enemy's decision on a 64 x 64 map of mixed
// lands (plain, hills, marsh and walls): the movement range of a unit of
// movement 15 with its reach order, the path-cost map of a cell, and the whole
// decision of one enemy and of 40 enemies against 16 player units, each with
// movement 15 and three movement-AI entries (a support skill, an attack in
// its threat area, a walk to the nearest player unit). One enemy's decision
// is to stay under a millisecond.

#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "game/data/EnemyUnitRecord.h"
#include "game/data/GameData.h"
#include "game/data/UnitRecord.h"
#include "game/scenes/EnemyTargeting.h"
#include "game/scenes/MapSkillRules.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace
{

constexpr int kMapSide = 64;
constexpr int kMovement = 15;
constexpr int kEnemyCount = 40;
constexpr int kPlayerCount = 16;

struct EnemyPhase
{
    EnemyPhase()
    {
        ResetProjectData();
        InitGameData();
        const int32_t costs[] = {1, 1, 2, 3, 1};
        LandTable.assign(5, LandRecord());
        for (int i = 0; i < LandTable.Count(); ++i)
        {
            LandTable.At(i).SetDefaults();
            LandTable.At(i).m_nMoveCost = costs[i];
        }
        LandTable.At(4).m_bNoEntry = 1;
        ClassTable.assign(2, ClassRecord());
        ClassTable.At(1).SetDefaults();
        ClassTable.At(1).m_nMove = kMovement;
        SkillTable.assign(2, SkillRecord());
        SkillTable.At(1).SetDefaults();
        SkillTable.At(1).m_nSkillB = 1;
        SkillTable.At(1).m_nKind = kSkillKindRecovery;
        SkillTable.At(1).m_nPower = 10;

        // Half plain, the rest hills, marsh and walls.
        std::mt19937 random(64);
        Stage.ResizeMap(kMapSide, kMapSide);
        const int32_t lands[] = {1, 1, 1, 1, 2, 2, 3, 4};
        for (int32_t y = 0; y < kMapSide; ++y)
        {
            for (int32_t x = 0; x < kMapSide; ++x)
            {
                Stage.CellAt(x, y) = lands[random() % 8];
            }
        }
        m_Field = std::make_unique<StageField>(Stage, LandTable);

        auto place = [&](CharacterRecord& unit) {
            int32_t x = 0;
            int32_t y = 0;
            do
            {
                x = static_cast<int32_t>(random() % kMapSide);
                y = static_cast<int32_t>(random() % kMapSide);
            } while (m_Field->UnitAt(x, y) || LandTable.At(Stage.CellAt(x, y)).m_bNoEntry);
            unit.m_nClass = 1;
            unit.m_nPlayB = 1;
            unit.m_Param[0].m_nBase = 100;
            unit.m_Param[0].m_nValue = 60 + static_cast<int32_t>(random() % 41);
            unit.m_Param[1].m_nValue = 20;
            m_Field->PlaceUnit(unit, x, y);
        };
        for (int i = 0; i < kPlayerCount; ++i)
        {
            m_PlayerUnits.push_back(std::make_unique<UnitRecord>());
            place(*m_PlayerUnits.back());
            m_Players.push_back(m_PlayerUnits.back().get());
        }
        for (int i = 0; i < kEnemyCount; ++i)
        {
            m_EnemyUnits.push_back(std::make_unique<EnemyUnitRecord>());
            EnemyUnitRecord& enemy = *m_EnemyUnits.back();
            place(enemy);
            enemy.m_MoveAI.assign(3, MoveAiEntry());
            enemy.m_MoveAI.At(0).m_nTarget = 6; // the most hurt ally, with the skill
            enemy.m_MoveAI.At(0).m_nMode = 2;
            enemy.m_MoveAI.At(0).m_nSkill = 1;
            enemy.m_MoveAI.At(0).m_nRange = 1;
            enemy.m_MoveAI.At(1).m_nTarget = 0; // attack the nearest in the threat area
            enemy.m_MoveAI.At(1).m_nMode = 1;
            enemy.m_MoveAI.At(1).m_nRange = 1;
            enemy.m_MoveAI.At(2).m_nTarget = 0; // walk toward the nearest
            m_Enemies.push_back(&enemy);
        }
    }

    ~EnemyPhase() { ResetProjectData(); }

    EnemyDecision Decide(int enemy)
    {
        return DecideEnemyAction(*m_Field, *m_Enemies[static_cast<std::size_t>(enemy)], m_Players, m_Enemies, m_Grids);
    }

    std::unique_ptr<StageField> m_Field;
    std::vector<std::unique_ptr<UnitRecord>> m_PlayerUnits;
    std::vector<std::unique_ptr<EnemyUnitRecord>> m_EnemyUnits;
    std::vector<UnitRecord*> m_Players;
    std::vector<EnemyUnitRecord*> m_Enemies;
    EnemyAiGrids m_Grids;
};

// A plain cell near the middle of the map.
std::pair<int32_t, int32_t> MiddleCell()
{
    for (int32_t d = 0;; ++d)
    {
        const int32_t x = kMapSide / 2 + d;
        if (!LandTable.At(Stage.CellAt(x, kMapSide / 2)).m_bNoEntry)
        {
            return {x, kMapSide / 2};
        }
    }
}

void BM_MovementFill(benchmark::State& state)
{
    EnemyPhase phase;
    Mover mover;
    std::tie(mover.m_nX, mover.m_nY) = MiddleCell();
    mover.m_nPoints = kMovement;
    MovementRange range;
    for (auto _ : state)
    {
        FillMovementRange(*phase.m_Field, mover, range);
        benchmark::DoNotOptimize(range.m_Order.data());
    }
    state.counters["cells_reached"] = static_cast<double>(range.m_Order.size());
}
BENCHMARK(BM_MovementFill);

void BM_PathCostMap(benchmark::State& state)
{
    EnemyPhase phase;
    const auto [x, y] = MiddleCell();
    CellGrid map;
    for (auto _ : state)
    {
        FillPathCostMap(*phase.m_Field, x, y, false, map);
        benchmark::DoNotOptimize(map.At(0, 0));
    }
}
BENCHMARK(BM_PathCostMap);

void BM_OneEnemyDecision(benchmark::State& state)
{
    EnemyPhase phase;
    int enemy = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(phase.Decide(enemy));
        enemy = (enemy + 1) % kEnemyCount;
    }
}
BENCHMARK(BM_OneEnemyDecision)->Unit(benchmark::kMicrosecond);

void BM_AllEnemiesDecide(benchmark::State& state)
{
    EnemyPhase phase;
    for (auto _ : state)
    {
        for (int enemy = 0; enemy < kEnemyCount; ++enemy)
        {
            benchmark::DoNotOptimize(phase.Decide(enemy));
        }
    }
    state.counters["decisions_per_second"] = benchmark::Counter(kEnemyCount, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AllEnemiesDecide)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
