// One whole enemy phase of the stage map, as a headless run with pacing off
// plays it: 40 enemies on a 64 x 64 map of the sample project's lands, each
// walking towards the nearest of 16 deployed party units, every step of each
// enemy shown for its frames (the scene manager's whole frame: input, update,
// drawing, present). Between phases the enemies go back to their cells, so
// each phase is the same. The counter "frames" is the frames of one phase.

#include "SampleDisplay.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "game/data/GameData.h"
#include "game/engine/SceneManager.h"
#include "game/scenes/EnemyTargeting.h"
#include "game/scenes/stage/StageScene.h"

#include <benchmark/benchmark.h>

#include <random>

namespace
{

constexpr int kMapSide = 64;
constexpr int kEnemyCount = 40;
constexpr int kPartyCount = 16;
// No phase of this map takes longer.
constexpr int kFrameLimit = 100000;

class EnemyPhaseRun
{
public:
    EnemyPhaseRun() : m_Display(8)
    {
        InitGameData();
        m_bReady = m_Display.IsReady() && LoadGameDatabase() && EnemyTable.Count() > 1 && FriendTable.Count() > 1;
        if (!m_bReady)
        {
            return;
        }
        BuildStage();
        m_Scenes.SetSceneMaker(kSceneStage, [](SceneManager& owner) { return std::make_unique<StageScene>(owner); });
        m_Scenes.SetPreviousScene(kSceneWorldMap);
        m_Scenes.SetCurrentScene(kSceneStage);
        m_bReady = FramesUntil(kStagePreparation) && Deploy() && FramesUntil(kStagePlayerMap);
        for (EnemyUnitRecord* enemy : Scene()->Enemies())
        {
            m_Starts.emplace_back(enemy->m_nPlayE, enemy->m_nPlayF);
        }
    }
    ~EnemyPhaseRun()
    {
        m_Scenes.Reset();
        ResetProjectData();
    }

    bool IsReady() const { return m_bReady; }

    // The player's turn ends and the enemies act until it is the player's again; the frames it took.
    int Phase()
    {
        Scene()->EndPlayerTurn();
        Scene()->SetState(kStageEnemyPhase);
        int frames = 0;
        while (Scene()->State() != kStagePlayerMap && frames < kFrameLimit)
        {
            m_Scenes.Frame();
            ++frames;
        }
        return frames;
    }

    // Every enemy back on its cell.
    void Reset()
    {
        StageField& field = *Scene()->Field();
        const CheckedVector<EnemyUnitRecord*>& enemies = Scene()->Enemies();
        for (EnemyUnitRecord* enemy : enemies)
        {
            field.RemoveUnit(*enemy);
        }
        for (int i = 0; i < enemies.Count(); ++i)
        {
            const auto [x, y] = m_Starts[static_cast<std::size_t>(i)];
            field.PlaceUnit(*enemies.At(i), x, y);
        }
    }

private:
    StageScene* Scene() const { return static_cast<StageScene*>(m_Scenes.SceneOf(kSceneStage)); }

    bool FramesUntil(int state)
    {
        for (int i = 0; i < 100 && !(Scene() && Scene()->State() == state); ++i)
        {
            m_Scenes.Frame();
        }
        return Scene() && Scene()->State() == state;
    }

    // The map of the lands that may be entered; the party's start group of
    // 16 cells on the left; the enemies on free cells of the right half.
    void BuildStage()
    {
        std::mt19937 random(64);
        std::vector<int32_t> lands;
        for (int i = 1; i < LandTable.Count(); ++i)
        {
            if (!LandTable.At(i).m_bNoEntry)
            {
                lands.push_back(i);
            }
        }
        Stage.SetDefaults();
        Stage.ResizeMap(kMapSide, kMapSide);
        for (int32_t y = 0; y < kMapSide; ++y)
        {
            for (int32_t x = 0; x < kMapSide; ++x)
            {
                Stage.CellAt(x, y) = lands.empty() ? 0 : lands[random() % lands.size()];
            }
        }
        Stage.m_Event.clear();
        Stage.m_Enemy.clear();
        Stage.m_GroupPos.assign(1, PositionGroup());
        PositionGroup& start = Stage.m_GroupPos.At(0);
        for (int i = 0; i < kPartyCount; ++i)
        {
            start.m_Point.push_back(MapPoint{4 + i % 4, 24 + i / 4});
        }
        start.m_nCenterX = 4;
        start.m_nCenterY = 24;
        Stage.m_nStartGroup = 0;
        for (int i = 0; i < kEnemyCount; ++i)
        {
            EnemyPlacement placement;
            placement.SetDefaults();
            placement.m_nEnemy = 1;
            placement.m_nX = 32 + i % 8 * 4;
            placement.m_nY = 4 + i / 8 * 12;
            MoveAiEntry walk; // towards the nearest party unit, move only
            placement.m_MoveAI.push_back(walk);
            Stage.m_Enemy.push_back(placement);
        }
        for (int i = 0; i < PartyUnits.Count(); ++i)
        {
            PartyUnits.At(i).MakeEmpty();
        }
        for (int i = 0; i < kPartyCount && i < PartyUnits.Count(); ++i)
        {
            UnitRecord unit(FriendTable.At(1));
            unit.Recompute();
            unit.m_nPlayA = i == 0 ? 1 : 0;
            PartyUnits.At(i) = unit;
        }
    }

    // The party on the start group and the attack started.
    bool Deploy()
    {
        const PositionGroup& start = Stage.m_GroupPos.At(0);
        for (int i = 0; i < kPartyCount && i < PartyUnits.Count(); ++i)
        {
            UnitRecord& unit = PartyUnits.At(i);
            unit.m_nPlayB = 1;
            Scene()->Field()->PlaceUnit(unit, start.m_Point.At(i).m_nX, start.m_Point.At(i).m_nY);
        }
        Scene()->SetState(kStageBegin);
        return true;
    }

    SampleDisplay m_Display;
    SceneManager m_Scenes;
    std::vector<std::pair<int32_t, int32_t>> m_Starts;
    bool m_bReady = false;
};

void EnemyPhase(benchmark::State& state)
{
    EnemyPhaseRun run;
    if (!run.IsReady())
    {
        state.SkipWithError("the stage did not come up");
        return;
    }
    int frames = 0;
    for (auto _ : state)
    {
        frames = run.Phase();
        state.PauseTiming();
        run.Reset();
        state.ResumeTiming();
    }
    state.counters["frames"] = frames;
}

BENCHMARK(EnemyPhase)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
