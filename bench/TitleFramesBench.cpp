// Frames of the title scene of the sample project, as a headless run with
// pacing off makes them: the scene manager's whole frame (input, the title's
// update and drawing, the frame counter, the present into the frame
// exchange), at both depths, on one thread. The counter "frames_per_second"
// is what one core keeps up.

#include "SampleDisplay.h"
#include "game/engine/SceneManager.h"
#include "game/program/SceneRegistry.h"

#include <benchmark/benchmark.h>

namespace
{

// The frames of the fade-in, run before the timing starts.
constexpr int kFadeInFrames = 30;

class TitleRun
{
public:
    explicit TitleRun(int depth) : m_Display(depth)
    {
        RegisterScenes(m_Scenes);
        for (int i = 0; i < kFadeInFrames; ++i)
        {
            m_Scenes.Frame();
        }
        const Scene* title = m_Scenes.SceneOf(kSceneTitle);
        m_bReady = m_Display.IsReady() && title && title->State() == 1;
    }
    ~TitleRun() { m_Scenes.Reset(); }

    bool IsReady() const { return m_bReady; }
    void Frame() { m_Scenes.Frame(); }

private:
    SampleDisplay m_Display;
    SceneManager m_Scenes;
    bool m_bReady = false;
};

void TitleFrames(benchmark::State& state)
{
    TitleRun run(static_cast<int>(state.range(0)));
    if (!run.IsReady())
    {
        state.SkipWithError("the sample's title did not come up");
        return;
    }
    for (auto _ : state)
    {
        run.Frame();
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(TitleFrames)->ArgName("bits")->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
