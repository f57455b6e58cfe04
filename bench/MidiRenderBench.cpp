// The cost of the MIDI synthesizer: one second of a dense 16-channel song
// played through the stream player and rendered by the mixer. The counter
// "core_share" is the part of one processor core that playing in real time
// takes (0.1 would be a tenth of a core). Beside it, FluidSynth plays the same
// file with its own player and renders the same second straight into a float
// buffer, with the same SoundFont and settings; "per_direct" is our time as a
// multiple of that, the cost of the stream player, the stream device and the
// mixer on top of the synthesizer.

#include "BenchSupport.h"
#include "common/sound/MidiStream.h"
#include "platform/audio/FluidMidiDevice.h"
#include "platform/audio/Mixer.h"

#include <benchmark/benchmark.h>
#include <fluidsynth.h>

#include <chrono>
#include <memory>

namespace
{

constexpr int kRate = 44100;

// FluidSynth alone: the synthesizer with its own MIDI file player, timed by
// the samples it renders.
class DirectSynth
{
public:
    DirectSynth(const std::vector<unsigned char>& song)
    {
        platform::FluidMidiDevice::ApplySettings(m_pSettings, kRate);
        fluid_settings_setstr(m_pSettings, "player.timing-source", "sample");
        m_pSynth = new_fluid_synth(m_pSettings);
        if (m_pSynth == nullptr || fluid_synth_sfload(m_pSynth, platform::kDefaultSoundFont, 1) == FLUID_FAILED)
        {
            return;
        }
        m_pPlayer = new_fluid_player(m_pSynth);
        fluid_player_add_mem(m_pPlayer, song.data(), song.size());
        fluid_player_set_loop(m_pPlayer, -1);
        m_bReady = fluid_player_play(m_pPlayer) == FLUID_OK;
    }
    ~DirectSynth()
    {
        if (m_pPlayer != nullptr)
        {
            fluid_player_stop(m_pPlayer);
            delete_fluid_player(m_pPlayer);
        }
        if (m_pSynth != nullptr)
        {
            delete_fluid_synth(m_pSynth);
        }
        delete_fluid_settings(m_pSettings);
    }
    DirectSynth(const DirectSynth&) = delete;
    DirectSynth& operator=(const DirectSynth&) = delete;

    bool IsReady() const { return m_bReady; }

    void RenderOneSecond()
    {
        fluid_synth_write_float(m_pSynth, kRate, m_Out.data(), 0, 2, m_Out.data(), 1, 2);
        benchmark::DoNotOptimize(m_Out.data());
    }

private:
    fluid_settings_t* m_pSettings = new_fluid_settings();
    fluid_synth_t* m_pSynth = nullptr;
    fluid_player_t* m_pPlayer = nullptr;
    bool m_bReady = false;
    std::vector<float> m_Out = std::vector<float>(2 * kRate);
};

void BM_RenderOneSecondOfDenseMidi(benchmark::State& state)
{
    const std::vector<unsigned char> song = DenseSixteenChannelSong(60);
    BenchFolder folder;
    folder.Write("dense.mid", song);
    platform::Mixer mixer(kRate);
    std::string error;
    auto device = platform::FluidMidiDevice::Create(mixer, platform::kDefaultSoundFont, &error);
    if (!device)
    {
        state.SkipWithError(error.c_str());
        return;
    }
    DirectSynth direct(song);
    if (!direct.IsReady())
    {
        state.SkipWithError("FluidSynth alone cannot play the song");
        return;
    }
    MidiStream stream(*device, "dense.mid");
    stream.Restart();

    // Each iteration: one second through our path (timed), then the same
    // second of FluidSynth alone (timed apart).
    using Clock = std::chrono::steady_clock;
    Clock::duration alone{};
    const double ours = MixOneSecondPerIteration(state, mixer,
                                                 [&]
                                                 {
                                                     const Clock::time_point start = Clock::now();
                                                     direct.RenderOneSecond();
                                                     alone += Clock::now() - start;
                                                 });
    state.counters["per_direct"] = ours / std::chrono::duration<double>(alone).count();
}

} // namespace

BENCHMARK(BM_RenderOneSecondOfDenseMidi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
