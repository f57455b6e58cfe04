#pragma once

// The software mixer: it owns the voices that sound together and mixes them
// into signed 16-bit stereo at its output rate. Every source is converted on
// the way (8- or 16-bit or float, mono or stereo, any rate, resampled
// linearly). The audio device calls Mix from its callback; tests call it by
// hand with no device.
//
// One lock guards the voices: the settings (play, pause, stop, rewind, loops,
// volume) are changed under it from any thread, and Mix holds it while it
// reads the sources.

#include "platform/audio/AudioSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform
{

// A voice of the mixer; 0 is none.
using VoiceId = int;

// A loop count that never runs out.
constexpr int kLoopForever = 0x7FFFFFFF;

enum class VoiceState
{
    Stopped, // not sounding; also the state of a voice that played to its end
    Playing,
    Paused,
};

class Mixer
{
public:
    static constexpr int kOutputChannels = 2;
    static constexpr int kOutputFrameBytes = 4;

    explicit Mixer(int outputRate = 44100);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    int OutputRate() const { return m_nOutputRate; }
    AudioFormat OutputFormat() const { return {m_nOutputRate, kOutputChannels, SampleType::S16}; }

    // Adds a voice for the source, stopped, at full volume, without loops.
    VoiceId AddVoice(std::shared_ptr<AudioSource> source);
    // Takes the voice out of the mix; after it returns the source is read no more.
    void RemoveVoice(VoiceId voice);

    // Plays on from where the voice is.
    void Play(VoiceId voice) { SetState(voice, VoiceState::Playing); }
    // Pauses a playing voice.
    void Pause(VoiceId voice) { SetState(voice, VoiceState::Paused); }
    // Stops where the voice is (Rewind brings it back to its start).
    void Stop(VoiceId voice) { SetState(voice, VoiceState::Stopped); }
    // Back to the source's first frame; false when the source cannot go back.
    bool Rewind(VoiceId voice) { return Seek(voice, 0); }
    // To a frame of the source; false when the source cannot move there.
    bool Seek(VoiceId voice, int64_t frame);
    // How often the sound starts again after its end (kLoopForever: always).
    void SetLoops(VoiceId voice, int loops);
    // Gain from 0 (silent) to 1 (as recorded).
    void SetVolume(VoiceId voice, float volume);
    // Runs `onEnd` once, when the voice next plays to its end (its loops
    // done); stopping the voice does not run it. It runs on the mixing thread
    // under the mixer's lock and must not call the mixer. An empty function
    // clears the handler; once this returns, the handler it replaced never
    // runs. True when it replaced a handler that had not run.
    bool SetEndHandler(VoiceId voice, std::function<void()> onEnd);

    VoiceState State(VoiceId voice) const;
    bool IsPlaying(VoiceId voice) const { return State(voice) == VoiceState::Playing; }
    int Loops(VoiceId voice) const;
    // The source's position: the frame it reads next (the mixer reads a few
    // milliseconds ahead of what has been heard).
    int64_t Position(VoiceId voice) const;
    int VoiceCount() const;

    // Fills `bytes` bytes of output (whole frames of 16-bit stereo).
    void Mix(uint8_t* out, int bytes);

private:
    struct Voice;

    Voice* Find(VoiceId voice) const;
    void SetState(VoiceId voice, VoiceState state);
    // Mixes up to `frames` frames of one voice into the float accumulator.
    void MixVoice(Voice& voice, float* accumulator, int frames);
    // The voice has played to its end: it stops and its end handler runs.
    static void EndVoice(Voice& voice);
    // Reads and converts the next block of a voice's source, looping as asked.
    bool Refill(Voice& voice);

    const int m_nOutputRate;
    mutable std::mutex m_Mutex;
    std::vector<std::unique_ptr<Voice>> m_Voices;
    VoiceId m_nNextId = 1;
    std::vector<float> m_Accumulator;
};

} // namespace platform
