// The cost of the MIDI synthesizer: one second of a dense 16-channel song
// played through the stream player and rendered by the mixer. The counter
// "core_share" is the part of one processor core that playing in real time
// takes (0.1 would be a tenth of a core).

#include "BenchSupport.h"
#include "common/sound/MidiStream.h"
#include "platform/audio/FluidMidiDevice.h"
#include "platform/audio/Mixer.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRate = 44100;

void BM_RenderOneSecondOfDenseMidi(benchmark::State& state)
{
    BenchFolder folder;
    folder.Write("dense.mid", DenseSixteenChannelSong(60));
    platform::Mixer mixer(kRate);
    std::string error;
    auto device = platform::FluidMidiDevice::Create(mixer, platform::kDefaultSoundFont, &error);
    if (!device)
    {
        state.SkipWithError(error.c_str());
        return;
    }
    MidiStream stream(*device, "dense.mid");
    stream.Restart();
    MixOneSecondPerIteration(state, mixer);
}

} // namespace

BENCHMARK(BM_RenderOneSecondOfDenseMidi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
