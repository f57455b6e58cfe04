// A scene of the game draws its whole screen every frame: this composes one
// 640 x 480 frame of 32 x 32 map chips (300 of them) with 40 colour-keyed
// 32 x 32 sprites on top, through the display layer's clipped blits, at both
// depths, against one bare copy of a whole frame onto the back buffer. The
// counter "copies_per_frame" is how many such copies one composed frame costs:
// each round composes a frame and then copies one, and the counter is the
// median of the rounds' ratios.

#include "PairedTiming.h"
#include "game/engine/Display.h"
#include "platform/display/DisplayHost.h"

#include <benchmark/benchmark.h>

namespace
{

using platform::PixelSurface;

struct ComposeScene
{
    explicit ComposeScene(int depth)
    {
        DDInit(m_Host, kScreenWidth, kScreenHeight, depth, kFullScreen, 1, 60, 0, Surfaces, SurfaceDefs, kSurfaceCount);
        Display.m_nTransparent = 0;
        int memory = kVideoMemory;
        DDCreateSurface(m_pChips, 256, 256, 0, memory);
        memory = kVideoMemory;
        DDCreateSurface(m_pSprites, 256, 256, 1, memory);
        memory = kVideoMemory;
        DDCreateSurface(m_pPicture, kScreenWidth, kScreenHeight, 0, memory);
        for (PixelSurface* surface : {m_pChips.get(), m_pSprites.get(), m_pPicture.get()})
        {
            for (int y = 0; y < surface->Height(); ++y)
            {
                for (int x = 0; x < surface->Width(); ++x)
                {
                    // Sprites: a transparent border and holes around a figure.
                    const bool hole =
                        surface == m_pSprites.get() && ((x % 32) < 6 || (x % 32) > 25 || (x + y) % 7 == 0);
                    surface->SetPixel(x, y, hole ? 0u : 1u + static_cast<uint32_t>(x * 7 + y * 13) % 250);
                }
            }
        }
    }
    ~ComposeScene()
    {
        m_pChips.reset();
        m_pSprites.reset();
        m_pPicture.reset();
        DDRelease();
    }

    void Compose()
    {
        PixelSurface* back = DDBackBuffer();
        for (int y = 0; y < kScreenHeight; y += 32)
        {
            for (int x = 0; x < kScreenWidth; x += 32)
            {
                const int chip = (x / 32 * 3 + y / 32 * 5) % 64;
                DDBltFast(back, x, y, 32, 32, m_pChips.get(), (chip % 8) * 32, (chip / 8) * 32, 0);
            }
        }
        for (int i = 0; i < 40; ++i)
        {
            const int sprite = i % 64;
            DDBltFast(back, (i * 97) % 620 - 6, (i * 53) % 460 - 6, 32, 32, m_pSprites.get(), (sprite % 8) * 32,
                      (sprite / 8) * 32, 1);
        }
    }

    void BareCopy() { DDBltFast(DDBackBuffer(), 0, 0, kScreenWidth, kScreenHeight, m_pPicture.get(), 0, 0, 0); }

    platform::RecordingDisplayHost m_Host;
    std::unique_ptr<PixelSurface> m_pChips;
    std::unique_ptr<PixelSurface> m_pSprites;
    std::unique_ptr<PixelSurface> m_pPicture;
};

void BM_ComposeFrame(benchmark::State& state)
{
    ComposeScene scene(static_cast<int>(state.range(0)));
    PairedTiming timing;
    for (auto _ : state)
    {
        state.SetIterationTime(timing.Round(
            [&scene]
            {
                scene.Compose();
                benchmark::DoNotOptimize(DDBackBuffer()->Row(0));
            },
            [&scene]
            {
                scene.BareCopy();
                benchmark::DoNotOptimize(DDBackBuffer()->Row(0));
            }));
    }
    state.counters["copies_per_frame"] = timing.MedianRatio();
}
BENCHMARK(BM_ComposeFrame)->ArgName("bits")->Arg(8)->Arg(16)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_BareFrameCopy(benchmark::State& state)
{
    ComposeScene scene(static_cast<int>(state.range(0)));
    for (auto _ : state)
    {
        scene.BareCopy();
        benchmark::DoNotOptimize(DDBackBuffer()->Row(0));
    }
}
BENCHMARK(BM_BareFrameCopy)->ArgName("bits")->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
