// The stage editor repaints its whole map view after every message it handles,
// mouse moves included. This measures one paint of a 64 x 64 stage with 100
// enemy placements and 100 events into a 640 x 480 view, at the two depths a
// view bitmap may have, against one bare copy of the view bitmap (what the
// window does to put the painted view on the screen). The counter
// "copies_per_paint" is how many such copies one paint costs: each round paints
// the view and then copies it, and the counter is the median of the rounds' ratios.

#include "PairedTiming.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "editor/stage/StageMapView.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int kViewWidth = 640;
constexpr int kViewHeight = 480;

// An 8-bit bitmap whose every pixel has a value of its own position.
void MakePattern(DibBitmap& bitmap, int width, int height, bool masked)
{
    bitmap.Create(width, height, 8, masked ? 1 : 0);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            bitmap.Bits()[y * bitmap.Stride() + x] = static_cast<uint8_t>(x * 7 + y * 13);
            if (masked && (x + y) % 5 == 0)
            {
                bitmap.MaskBits()[y * bitmap.Stride() + x] = 0xFF;
            }
        }
    }
}

struct PaintScene
{
    PaintScene()
    {
        ResetProjectData();
        LandTable.resize(64);
        for (int i = 0; i < LandTable.Count(); ++i)
        {
            LandTable.At(i).m_nGraphic = i;
        }
        ClassTable.resize(10);
        EnemyTable.resize(10);
        for (int i = 0; i < 10; ++i)
        {
            ClassTable.At(i).m_nGraphic = i * 3;
            EnemyTable.At(i).m_nClass = i;
        }

        m_Stage.ResizeMap(64, 64);
        for (int y = 0; y < 64; ++y)
        {
            for (int x = 0; x < 64; ++x)
            {
                m_Stage.CellAt(x, y) = (x * 5 + y * 3) % 64;
            }
        }
        for (int i = 0; i < 100; ++i)
        {
            EnemyPlacement placement;
            placement.SetDefaults();
            placement.m_nEnemy = 1 + i % 9;
            placement.m_nX = i * 7 % 64;
            placement.m_nY = i * 11 % 64;
            m_Stage.m_Enemy.push_back(placement);

            Event event;
            event.m_nX = i * 13 % 64;
            event.m_nY = i * 3 % 64;
            event.m_Page.At(0).m_nGraphic = i % 30;
            m_Stage.m_Event.push_back(event);
        }
        m_Stage.m_nStartGroup = 1;
        for (int i = 0; i < 12; ++i)
        {
            m_Stage.m_GroupPos.At(1).m_Point.push_back({12 + i % 4, 6 + i / 4});
        }

        MakePattern(m_MapChip, 8 * 32, 8 * 32, false);
        MakePattern(m_MapChara, 4 * 64, 15 * 32, true);
        MakePattern(m_Event, 4 * 64, 15 * 32, true);
        MakePattern(m_Accessory, 32, 96, true);
        m_View.SetTiles({&m_MapChip, &m_MapChara, &m_Event, &m_Accessory});

        // The view scrolled into the middle of the stage, the cursor on it.
        m_Viewport = {10, 12, kViewWidth, kViewHeight};
        m_Edit.Cursor() = {14, 15, 4 * 32, 3 * 32};
    }
    ~PaintScene() { ResetProjectData(); }

    StageRecord m_Stage;
    StageEditState m_Edit;
    StageMapView m_View{m_Edit, m_Stage};
    StageViewport m_Viewport;
    DibBitmap m_MapChip;
    DibBitmap m_MapChara;
    DibBitmap m_Event;
    DibBitmap m_Accessory;
};

void BM_PaintStageMap(benchmark::State& state)
{
    PaintScene scene;
    DibBitmap view;
    view.Create(kViewWidth, kViewHeight, static_cast<int>(state.range(0)), 0);
    DibBitmap screen;
    screen.Create(kViewWidth, kViewHeight, view.BitsPerPixel(), 0);

    PairedTiming timing;
    for (auto _ : state)
    {
        state.SetIterationTime(timing.Round(
            [&scene, &view]
            {
                scene.m_View.Paint(view, scene.m_Viewport, false);
                benchmark::DoNotOptimize(view.Bits());
            },
            [&screen, &view]
            {
                screen.Blt(0, 0, kViewWidth, kViewHeight, view, 0, 0, 1);
                benchmark::DoNotOptimize(screen.Bits());
            }));
    }
    state.counters["copies_per_paint"] = timing.MedianRatio();
}
BENCHMARK(BM_PaintStageMap)->ArgName("bits")->Arg(8)->Arg(24)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_CopyViewBitmap(benchmark::State& state)
{
    DibBitmap view;
    view.Create(kViewWidth, kViewHeight, static_cast<int>(state.range(0)), 0);
    DibBitmap screen;
    screen.Create(kViewWidth, kViewHeight, static_cast<int>(state.range(0)), 0);
    for (auto _ : state)
    {
        screen.Blt(0, 0, kViewWidth, kViewHeight, view, 0, 0, 1);
        benchmark::DoNotOptimize(screen.Bits());
    }
}
BENCHMARK(BM_CopyViewBitmap)->ArgName("bits")->Arg(8)->Arg(24)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
