// The status window's text as a scene draws it every frame: about 150
// characters in the standard font, nine lines of parameters and five of the
// unit, on the back buffer at both depths. The counter "us_per_character" is
// what one character costs; a frame at 60 fps has 16 667 microseconds.

#include "game/engine/TextOutput.h"
#include "platform/display/DisplayHost.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_StatusText(benchmark::State& state)
{
    platform::RecordingDisplayHost host;
    DDInit(host, kScreenWidth, kScreenHeight, static_cast<int>(state.range(0)), kFullScreen, 1, 60, 0, Surfaces,
           SurfaceDefs, kSurfaceCount);
    const int ids[] = {0};
    CreateFonts(TextFonts, ids, 1, FontDefs);
    const std::string unit = "アレン\nソルジャー\nLV   3\nEX  42\nいどうりょく  5";
    const std::string parameters = "HP    90 / 120\nSP     6 /  20\nこうげき  22\nまもり   23\nまりょく  24\n"
                                   "ていこう  25\nわざ    26\nはんのう  27\nはやさ   28\n";
    for (auto _ : state)
    {
        TextFonts[0].DrawText(DDBackBuffer(), 18, 64, unit);
        TextFonts[0].DrawText(DDBackBuffer(), 216, 16, parameters);
        benchmark::DoNotOptimize(DDBackBuffer()->Row(0));
    }
    const double characters = CountMbChars(unit) + CountMbChars(parameters);
    state.counters["us_per_character"] =
        benchmark::Counter(characters * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
    DeleteFonts(TextFonts, ids, 1);
    DDRelease();
}
BENCHMARK(BM_StatusText)->ArgName("bits")->Arg(8)->Arg(16)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
