#include "Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform
{

namespace
{

// Frames mixed in one pass, and read from a source in one block.
constexpr int kChunkFrames = 512;

// Converts `frames` frames of a source format to float stereo.
void ConvertToStereo(const uint8_t* in, const AudioFormat& format, int frames, float* out)
{
    const int channels = format.m_nChannels;
    for (int i = 0; i < frames; ++i)
    {
        float left = 0.0f;
        float right = 0.0f;
        switch (format.m_Type)
        {
        case SampleType::U8:
        {
            const uint8_t* f = in + i * channels;
            left = (float(f[0]) - 128.0f) / 128.0f;
            right = channels > 1 ? (float(f[1]) - 128.0f) / 128.0f : left;
            break;
        }
        case SampleType::S16:
        {
            int16_t s[2];
            std::memcpy(s, in + i * channels * 2, channels > 1 ? 4 : 2);
            left = float(s[0]) / 32768.0f;
            right = channels > 1 ? float(s[1]) / 32768.0f : left;
            break;
        }
        case SampleType::F32:
        {
            float s[2];
            std::memcpy(s, in + i * channels * 4, channels > 1 ? 8 : 4);
            left = s[0];
            right = channels > 1 ? s[1] : left;
            break;
        }
        }
        out[2 * i] = left;
        out[2 * i + 1] = right;
    }
}

} // namespace

struct Mixer::Voice
{
    VoiceId m_nId = 0;
    std::shared_ptr<AudioSource> m_pSource;
    AudioFormat m_Format;
    VoiceState m_State = VoiceState::Stopped;
    double m_dVolume = 1.0;
    int m_nLoops = 0;
    std::function<void()> m_OnEnd;

    // Converted frames of the current block, and the next one to use.
    std::vector<uint8_t> m_Raw;
    std::vector<float> m_Block;
    int m_nBlockFrames = 0;
    int m_nBlockPos = 0;

    // Linear resampling between two frames.
    double m_dStep = 1.0;
    double m_dFraction = 0.0;
    float m_Current[2] = {0.0f, 0.0f};
    float m_Next[2] = {0.0f, 0.0f};
    bool m_bPrimed = false;

    void ResetReading()
    {
        m_nBlockFrames = 0;
        m_nBlockPos = 0;
        m_dFraction = 0.0;
        m_bPrimed = false;
    }
};

Mixer::Mixer(int outputRate) : m_nOutputRate(outputRate > 0 ? outputRate : 44100)
{
    m_Accumulator.resize(kChunkFrames * kOutputChannels);
}

Mixer::~Mixer() = default;

VoiceId Mixer::AddVoice(std::shared_ptr<AudioSource> source)
{
    auto voice = std::make_unique<Voice>();
    voice->m_pSource = std::move(source);
    voice->m_Format = voice->m_pSource->Format();
    voice->m_Format.m_nChannels = std::max(1, voice->m_Format.m_nChannels);
    voice->m_Raw.resize(std::size_t(kChunkFrames) * voice->m_Format.FrameBytes());
    voice->m_Block.resize(kChunkFrames * kOutputChannels);
    voice->m_dStep = double(std::max(1, voice->m_Format.m_nRate)) / m_nOutputRate;

    std::lock_guard lock(m_Mutex);
    voice->m_nId = m_nNextId++;
    m_Voices.push_back(std::move(voice));
    return m_Voices.back()->m_nId;
}

void Mixer::RemoveVoice(VoiceId id)
{
    std::unique_ptr<Voice> removed;
    {
        std::lock_guard lock(m_Mutex);
        auto it = std::find_if(m_Voices.begin(), m_Voices.end(), [id](const auto& v) { return v->m_nId == id; });
        if (it == m_Voices.end())
        {
            return;
        }
        removed = std::move(*it);
        m_Voices.erase(it);
    }
    // The source may be freed here, outside the lock.
}

Mixer::Voice* Mixer::Find(VoiceId id) const
{
    for (const auto& v : m_Voices)
    {
        if (v->m_nId == id)
        {
            return v.get();
        }
    }
    return nullptr;
}

void Mixer::SetState(VoiceId id, VoiceState state)
{
    std::lock_guard lock(m_Mutex);
    Voice* v = Find(id);
    // Only a playing voice can be paused.
    if (v && (state != VoiceState::Paused || v->m_State == VoiceState::Playing))
    {
        v->m_State = state;
    }
}

bool Mixer::Seek(VoiceId id, int64_t frame)
{
    std::lock_guard lock(m_Mutex);
    Voice* v = Find(id);
    if (v == nullptr || !v->m_pSource->Seek(frame))
    {
        return false;
    }
    v->ResetReading();
    return true;
}

void Mixer::SetLoops(VoiceId id, int loops)
{
    std::lock_guard lock(m_Mutex);
    if (Voice* v = Find(id))
    {
        v->m_nLoops = std::max(0, loops);
    }
}

void Mixer::SetVolume(VoiceId id, float volume)
{
    std::lock_guard lock(m_Mutex);
    if (Voice* v = Find(id))
    {
        v->m_dVolume = std::clamp(double(volume), 0.0, 1.0);
    }
}

bool Mixer::SetEndHandler(VoiceId id, std::function<void()> onEnd)
{
    std::lock_guard lock(m_Mutex);
    Voice* v = Find(id);
    if (v == nullptr)
    {
        return false;
    }
    const bool pending = static_cast<bool>(v->m_OnEnd);
    v->m_OnEnd = std::move(onEnd);
    return pending;
}

void Mixer::EndVoice(Voice& v)
{
    v.m_State = VoiceState::Stopped;
    if (v.m_OnEnd)
    {
        const std::function<void()> onEnd = std::move(v.m_OnEnd);
        v.m_OnEnd = nullptr;
        onEnd();
    }
}

VoiceState Mixer::State(VoiceId id) const
{
    std::lock_guard lock(m_Mutex);
    const Voice* v = Find(id);
    return v ? v->m_State : VoiceState::Stopped;
}

int Mixer::Loops(VoiceId id) const
{
    std::lock_guard lock(m_Mutex);
    const Voice* v = Find(id);
    return v ? v->m_nLoops : 0;
}

int64_t Mixer::Position(VoiceId id) const
{
    std::lock_guard lock(m_Mutex);
    const Voice* v = Find(id);
    return v ? v->m_pSource->Position() : 0;
}

int Mixer::VoiceCount() const
{
    std::lock_guard lock(m_Mutex);
    return int(m_Voices.size());
}

bool Mixer::Refill(Voice& v)
{
    int frames = v.m_pSource->Read(v.m_Raw.data(), kChunkFrames);
    if (frames <= 0 && v.m_nLoops > 0 && v.m_pSource->Rewind())
    {
        if (v.m_nLoops != kLoopForever)
        {
            --v.m_nLoops;
        }
        frames = v.m_pSource->Read(v.m_Raw.data(), kChunkFrames);
    }
    if (frames <= 0)
    {
        return false;
    }
    frames = std::min(frames, kChunkFrames);
    ConvertToStereo(v.m_Raw.data(), v.m_Format, frames, v.m_Block.data());
    v.m_nBlockFrames = frames;
    v.m_nBlockPos = 0;
    return true;
}

void Mixer::MixVoice(Voice& v, float* acc, int frames)
{
    const float gain = float(v.m_dVolume);
    auto nextFrame = [&v, this](float* frame)
    {
        if (v.m_nBlockPos == v.m_nBlockFrames && !Refill(v))
        {
            return false;
        }
        frame[0] = v.m_Block[2 * v.m_nBlockPos];
        frame[1] = v.m_Block[2 * v.m_nBlockPos + 1];
        ++v.m_nBlockPos;
        return true;
    };

    if (v.m_dStep == 1.0)
    {
        int done = 0;
        while (done < frames)
        {
            if (v.m_nBlockPos == v.m_nBlockFrames && !Refill(v))
            {
                EndVoice(v);
                return;
            }
            const int n = std::min(frames - done, v.m_nBlockFrames - v.m_nBlockPos);
            const float* in = v.m_Block.data() + 2 * v.m_nBlockPos;
            float* out = acc + 2 * done;
            for (int i = 0; i < 2 * n; ++i)
            {
                out[i] += in[i] * gain;
            }
            v.m_nBlockPos += n;
            done += n;
        }
        return;
    }

    if (!v.m_bPrimed)
    {
        if (!nextFrame(v.m_Current))
        {
            EndVoice(v);
            return;
        }
        if (!nextFrame(v.m_Next))
        {
            v.m_Next[0] = v.m_Next[1] = 0.0f;
        }
        v.m_bPrimed = true;
    }
    for (int i = 0; i < frames; ++i)
    {
        const float t = float(v.m_dFraction);
        acc[2 * i] += (v.m_Current[0] + (v.m_Next[0] - v.m_Current[0]) * t) * gain;
        acc[2 * i + 1] += (v.m_Current[1] + (v.m_Next[1] - v.m_Current[1]) * t) * gain;
        v.m_dFraction += v.m_dStep;
        while (v.m_dFraction >= 1.0)
        {
            v.m_dFraction -= 1.0;
            v.m_Current[0] = v.m_Next[0];
            v.m_Current[1] = v.m_Next[1];
            if (!nextFrame(v.m_Next))
            {
                // The last frame has sounded.
                v.ResetReading();
                EndVoice(v);
                return;
            }
        }
    }
}

void Mixer::Mix(uint8_t* out, int bytes)
{
    const int totalFrames = std::max(0, bytes) / kOutputFrameBytes;
    std::lock_guard lock(m_Mutex);
    for (int done = 0; done < totalFrames;)
    {
        const int frames = std::min(kChunkFrames, totalFrames - done);
        float* acc = m_Accumulator.data();
        std::fill(acc, acc + frames * kOutputChannels, 0.0f);
        for (auto& voice : m_Voices)
        {
            if (voice->m_State == VoiceState::Playing)
            {
                MixVoice(*voice, acc, frames);
            }
        }
        int16_t samples[kChunkFrames * kOutputChannels];
        for (int i = 0; i < frames * kOutputChannels; ++i)
        {
            samples[i] = int16_t(std::lrint(std::clamp(acc[i] * 32768.0f, -32768.0f, 32767.0f)));
        }
        std::memcpy(out + done * kOutputFrameBytes, samples, std::size_t(frames) * kOutputFrameBytes);
        done += frames;
    }
    // A partial frame at the end stays silent.
    std::memset(out + totalFrames * kOutputFrameBytes, 0, std::size_t(std::max(0, bytes) % kOutputFrameBytes));
}

} // namespace platform
