#pragma once

// The sound device of the game's sound effects, on the platform mixer. A
// buffer holds the samples and the format of one WAV file and plays them on a
// voice of its own; a duplicate shares the samples and has its own voice,
// position and volume, so that one sound can overlap itself. Volumes are in
// hundredths of a decibel, from -10000 (silent) to 0 (as recorded).

#include "common/sound/SoundBuffers.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/WaveFile.h"

#include <memory>

constexpr int kSoundVolumeMin = -10000;
constexpr int kSoundVolumeMax = 0;
// The play flag that repeats the sound until it is stopped.
constexpr int kSoundPlayLooping = 1;

class MixerSoundBuffer final : public SoundBuffer
{
public:
    MixerSoundBuffer(platform::Mixer& mixer, std::shared_ptr<const platform::WaveData> wave);
    ~MixerSoundBuffer() override;
    MixerSoundBuffer(const MixerSoundBuffer&) = delete;
    MixerSoundBuffer& operator=(const MixerSoundBuffer&) = delete;

    // A buffer of the same samples, stopped at their start, at full volume.
    std::unique_ptr<MixerSoundBuffer> Duplicate() const;

    // Plays from the current position, once or (kSoundPlayLooping) without end.
    void Play(int flags);
    // Stops where the sound is.
    void Stop();
    // Moves to a sample frame of the sound.
    void SetCurrentPosition(int64_t frame);
    int64_t CurrentPosition() const;
    bool IsPlaying() const;
    // Clamped to kSoundVolumeMin..kSoundVolumeMax.
    void SetVolume(int volume);
    int GetVolume() const { return m_nVolume; }

    const platform::WaveData& Wave() const { return *m_pWave; }
    int64_t FrameCount() const { return m_pWave->FrameCount(); }
    platform::VoiceId Voice() const { return m_nVoice; }

private:
    platform::Mixer& m_Mixer;
    std::shared_ptr<const platform::WaveData> m_pWave;
    platform::VoiceId m_nVoice = 0;
    int m_nVolume = kSoundVolumeMax;
};

// The primary buffer: it only keeps the output format asked for. The mixer
// converts every sound to the output of the audio device itself.
class PrimarySoundBuffer final : public SoundBuffer
{
public:
    void SetFormat(const platform::AudioFormat& format) { m_Format = format; }
    const platform::AudioFormat& Format() const { return m_Format; }

private:
    platform::AudioFormat m_Format;
};

class MixerSoundDevice final : public SoundDevice
{
public:
    explicit MixerSoundDevice(platform::Mixer& mixer) : m_Mixer(mixer) {}

    // A buffer of the wave's samples; null when it has none or the mixer cannot
    // play its format (8 or 16 bits, one or two channels).
    std::unique_ptr<MixerSoundBuffer> CreateBuffer(platform::WaveData wave);
    platform::Mixer& GetMixer() const { return m_Mixer; }

private:
    platform::Mixer& m_Mixer;
};

// The gain of a volume in hundredths of a decibel.
float SoundVolumeGain(int volume);
