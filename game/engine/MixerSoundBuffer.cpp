#include "MixerSoundBuffer.h"

#include <algorithm>
#include <cmath>

float SoundVolumeGain(int volume)
{
    const int clamped = std::clamp(volume, kSoundVolumeMin, kSoundVolumeMax);
    return clamped <= kSoundVolumeMin ? 0.0f : float(std::pow(10.0, clamped / 2000.0));
}

MixerSoundBuffer::MixerSoundBuffer(platform::Mixer& mixer, std::shared_ptr<const platform::WaveData> wave)
    : m_Mixer(mixer), m_pWave(std::move(wave))
{
    m_nVoice = m_Mixer.AddVoice(std::make_shared<platform::WaveSource>(m_pWave));
}

MixerSoundBuffer::~MixerSoundBuffer()
{
    m_Mixer.RemoveVoice(m_nVoice);
}

std::unique_ptr<MixerSoundBuffer> MixerSoundBuffer::Duplicate() const
{
    return std::make_unique<MixerSoundBuffer>(m_Mixer, m_pWave);
}

void MixerSoundBuffer::Play(int flags)
{
    m_Mixer.SetLoops(m_nVoice, (flags & kSoundPlayLooping) ? platform::kLoopForever : 0);
    m_Mixer.Play(m_nVoice);
}

void MixerSoundBuffer::Stop()
{
    m_Mixer.Stop(m_nVoice);
}

void MixerSoundBuffer::SetCurrentPosition(int64_t frame)
{
    m_Mixer.Seek(m_nVoice, std::clamp<int64_t>(frame, 0, FrameCount()));
}

int64_t MixerSoundBuffer::CurrentPosition() const
{
    return m_Mixer.Position(m_nVoice);
}

bool MixerSoundBuffer::IsPlaying() const
{
    return m_Mixer.IsPlaying(m_nVoice);
}

void MixerSoundBuffer::SetVolume(int volume)
{
    m_nVolume = std::clamp(volume, kSoundVolumeMin, kSoundVolumeMax);
    m_Mixer.SetVolume(m_nVoice, SoundVolumeGain(m_nVolume));
}

std::unique_ptr<MixerSoundBuffer> MixerSoundDevice::CreateBuffer(platform::WaveData wave)
{
    if (!wave.IsPlayable() || wave.FrameCount() == 0)
    {
        return nullptr;
    }
    return std::make_unique<MixerSoundBuffer>(m_Mixer, std::make_shared<const platform::WaveData>(std::move(wave)));
}
