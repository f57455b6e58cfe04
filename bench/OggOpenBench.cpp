// The cost of opening a music file: a three-minute Ogg Vorbis file of 2.5 MB
// (44.1 kHz stereo, as large as busy music is), opened by the music player:
// read from disk, decoder opened on every link, header packets checked. The
// counter "per_read" is that cost as a multiple of reading the file alone
// (which is timed apart from it).

#include "BenchSupport.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/OggVorbisPlayer.h"
#include "platform/core/Files.h"
#include "tests/platform/audio/SoundFiles.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace
{

void BM_OpenThreeMinuteOggFile(benchmark::State& state)
{
    BenchFolder folder;
    folder.Write("music.ogg", MakeOggVorbis(44100, 2, 180.0, 330.0, 0.2));
    platform::Mixer mixer(44100);
    platform::OggVorbisPlayer player(mixer);

    using Clock = std::chrono::steady_clock;
    Clock::duration opening{};
    Clock::duration reading{};
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        if (!player.Open("music.ogg"))
        {
            state.SkipWithError("the Ogg file does not open");
            return;
        }
        const Clock::time_point opened = Clock::now();
        opening += opened - start;
        state.PauseTiming();
        const Clock::time_point readStart = Clock::now();
        std::vector<uint8_t> bytes;
        benchmark::DoNotOptimize(platform::ReadWholeFile("music.ogg", bytes));
        reading += Clock::now() - readStart;
        state.ResumeTiming();
    }
    state.counters["per_read"] = double(opening.count()) / double(reading.count());
}

} // namespace

BENCHMARK(BM_OpenThreeMinuteOggFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
