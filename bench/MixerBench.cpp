// The cost of the whole mix: eight WAV voices of assorted formats (looping),
// one Ogg Vorbis stream and the MIDI synthesizer playing a dense 16-channel
// song, mixed for one second of 44.1 kHz stereo. "core_share" is the part of
// one processor core that this takes in real time.

#include "BenchSupport.h"
#include "common/sound/MidiStream.h"
#include "platform/audio/FluidMidiDevice.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/OggVorbisPlayer.h"
#include "platform/audio/WaveFile.h"
#include "tests/platform/audio/SoundFiles.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr int kRate = 44100;

void BM_MixEightWavesOggAndMidi(benchmark::State& state)
{
    BenchFolder folder;
    folder.Write("dense.mid", DenseSixteenChannelSong(60));
    folder.Write("music.ogg", MakeOggVorbis(44100, 2, 5.0, 330.0));

    platform::Mixer mixer(kRate);
    std::string error;
    auto midi = platform::FluidMidiDevice::Create(mixer, platform::kDefaultSoundFont, &error);
    if (!midi)
    {
        state.SkipWithError(error.c_str());
        return;
    }
    MidiStream song(*midi, "dense.mid");
    song.Restart();

    platform::OggVorbisPlayer ogg(mixer);
    if (!ogg.Open("music.ogg"))
    {
        state.SkipWithError("the Ogg file does not open");
        return;
    }
    ogg.SetLoopCount(kOggLoopForever);
    ogg.Play();

    struct Format
    {
        int rate;
        int channels;
        int bits;
    };
    const Format formats[] = {{22050, 1, 8},  {22050, 1, 16}, {44100, 2, 16}, {11025, 1, 8},
                              {48000, 2, 16}, {44100, 1, 16}, {22050, 2, 8},  {32000, 1, 16}};
    for (const Format& f : formats)
    {
        auto wave = std::make_shared<platform::WaveData>();
        platform::ParseWaveFile(MakeWave(f.rate, f.channels, f.bits, f.rate / 3, 220.0 + f.rate / 100), *wave);
        const platform::VoiceId voice = mixer.AddVoice(std::make_shared<platform::WaveSource>(wave));
        mixer.SetLoops(voice, platform::kLoopForever);
        mixer.SetVolume(voice, 0.3f);
        mixer.Play(voice);
    }

    MixOneSecondPerIteration(state, mixer);
}

} // namespace

BENCHMARK(BM_MixEightWavesOggAndMidi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
