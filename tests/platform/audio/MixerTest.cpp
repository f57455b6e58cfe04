#include "platform/audio/Mixer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

using platform::AudioFormat;
using platform::Mixer;
using platform::SampleType;
using platform::VoiceState;

// A sound held in memory.
class MemorySource : public platform::AudioSource
{
public:
    MemorySource(AudioFormat format, std::vector<uint8_t> bytes) : m_Format(format), m_Bytes(std::move(bytes)) {}

    template <class T> static std::shared_ptr<MemorySource> Of(AudioFormat format, const std::vector<T>& samples)
    {
        std::vector<uint8_t> bytes(samples.size() * sizeof(T));
        std::memcpy(bytes.data(), samples.data(), bytes.size());
        return std::make_shared<MemorySource>(format, std::move(bytes));
    }

    AudioFormat Format() const override { return m_Format; }
    int Read(void* out, int frames) override
    {
        const int frameBytes = m_Format.FrameBytes();
        const int left = int((m_Bytes.size() - m_nPos) / frameBytes);
        const int n = std::min(frames, left);
        std::memcpy(out, m_Bytes.data() + m_nPos, std::size_t(n) * frameBytes);
        m_nPos += std::size_t(n) * frameBytes;
        return n;
    }
    bool Rewind() override
    {
        m_nPos = 0;
        return true;
    }
    int64_t Position() const override { return int64_t(m_nPos / m_Format.FrameBytes()); }

private:
    AudioFormat m_Format;
    std::vector<uint8_t> m_Bytes;
    std::size_t m_nPos = 0;
};

// Mixes `frames` frames and returns the interleaved 16-bit samples.
std::vector<int16_t> MixFrames(Mixer& mixer, int frames)
{
    std::vector<int16_t> out(std::size_t(frames) * 2, 0x5555);
    mixer.Mix(reinterpret_cast<uint8_t*>(out.data()), frames * 4);
    return out;
}

int CountNonZeroFrames(const std::vector<int16_t>& samples)
{
    int n = 0;
    for (std::size_t i = 0; i < samples.size(); i += 2)
    {
        n += samples[i] != 0 || samples[i + 1] != 0;
    }
    return n;
}

TEST(MixerTest, EverySourceFormatIsConvertedToSixteenBitStereo)
{
    struct Case
    {
        const char* what;
        std::shared_ptr<MemorySource> source;
        int16_t left;
        int16_t right;
    };
    const Case cases[] = {
        {"8-bit mono", MemorySource::Of<uint8_t>({22050, 1, SampleType::U8}, std::vector<uint8_t>(50, 0xC0)), 16384,
         16384},
        {"8-bit stereo", MemorySource::Of<uint8_t>({44100, 2, SampleType::U8}, {0x40, 0xC0, 0x40, 0xC0}), -16384,
         16384},
        {"16-bit mono", MemorySource::Of<int16_t>({11025, 1, SampleType::S16}, std::vector<int16_t>(50, -1234)), -1234,
         -1234},
        {"16-bit stereo", MemorySource::Of<int16_t>({44100, 2, SampleType::S16}, {1000, -2000, 1000, -2000}), 1000,
         -2000},
        {"float stereo", MemorySource::Of<float>({48000, 2, SampleType::F32}, std::vector<float>(100, 0.25f)), 8192,
         8192},
    };
    for (const Case& c : cases)
    {
        Mixer mixer(44100);
        const platform::VoiceId voice = mixer.AddVoice(c.source);
        mixer.Play(voice);
        const std::vector<int16_t> out = MixFrames(mixer, 2);
        EXPECT_EQ(out[0], c.left) << c.what;
        EXPECT_EQ(out[1], c.right) << c.what;
        EXPECT_EQ(out[2], c.left) << c.what;
        EXPECT_EQ(out[3], c.right) << c.what;
    }
}

TEST(MixerTest, ResamplingKeepsTheDurationOfTheSound)
{
    // 441 frames at 22,050 Hz last 20 ms: 882 frames at 44,100 Hz.
    Mixer mixer(44100);
    const auto voice =
        mixer.AddVoice(MemorySource::Of<int16_t>({22050, 1, SampleType::S16}, std::vector<int16_t>(441, 8000)));
    mixer.Play(voice);
    const std::vector<int16_t> out = MixFrames(mixer, 2000);
    const int sounding = CountNonZeroFrames(out);
    EXPECT_NEAR(sounding, 882, 2);
    EXPECT_EQ(out[2 * 400], 8000);
    EXPECT_EQ(mixer.State(voice), VoiceState::Stopped); // played to its end
}

TEST(MixerTest, VoicesAddUpWithTheirVolumesAndClip)
{
    Mixer mixer(44100);
    const auto a =
        mixer.AddVoice(MemorySource::Of<int16_t>({44100, 1, SampleType::S16}, std::vector<int16_t>(8, 10000)));
    const auto b =
        mixer.AddVoice(MemorySource::Of<int16_t>({44100, 1, SampleType::S16}, std::vector<int16_t>(8, 30000)));
    mixer.SetVolume(a, 0.5f);
    mixer.Play(a);
    mixer.Play(b);
    std::vector<int16_t> out = MixFrames(mixer, 2);
    EXPECT_EQ(out[0], 32767); // 5,000 + 30,000
    mixer.SetVolume(b, 0.0f);
    out = MixFrames(mixer, 2);
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(mixer.VoiceCount(), 2);
    mixer.RemoveVoice(a);
    mixer.RemoveVoice(a); // once more: nothing
    EXPECT_EQ(mixer.VoiceCount(), 1);
    out = MixFrames(mixer, 2);
    EXPECT_EQ(out[0], 0);
}

TEST(MixerTest, LoopCountsRepeatTheSoundAndForeverNeverEnds)
{
    Mixer mixer(44100);
    const auto voice =
        mixer.AddVoice(MemorySource::Of<int16_t>({44100, 1, SampleType::S16}, std::vector<int16_t>(10, 100)));
    mixer.SetLoops(voice, 2);
    mixer.Play(voice);
    EXPECT_EQ(CountNonZeroFrames(MixFrames(mixer, 100)), 30);
    EXPECT_EQ(mixer.State(voice), VoiceState::Stopped);
    EXPECT_EQ(mixer.Loops(voice), 0);

    ASSERT_TRUE(mixer.Rewind(voice));
    mixer.SetLoops(voice, platform::kLoopForever);
    mixer.Play(voice);
    EXPECT_EQ(CountNonZeroFrames(MixFrames(mixer, 5000)), 5000);
    EXPECT_EQ(mixer.Loops(voice), platform::kLoopForever);
    EXPECT_TRUE(mixer.IsPlaying(voice));
}

TEST(MixerTest, PauseAndStopKeepThePlaceAndRewindGoesBackToTheStart)
{
    std::vector<int16_t> ramp(2000);
    for (int i = 0; i < 2000; ++i)
    {
        ramp[std::size_t(i)] = int16_t(i);
    }
    Mixer mixer(44100);
    const auto voice = mixer.AddVoice(MemorySource::Of<int16_t>({44100, 1, SampleType::S16}, ramp));
    EXPECT_EQ(MixFrames(mixer, 4)[2], 0); // a new voice is stopped
    mixer.Play(voice);
    MixFrames(mixer, 100);
    mixer.Pause(voice);
    EXPECT_EQ(mixer.State(voice), VoiceState::Paused);
    EXPECT_EQ(CountNonZeroFrames(MixFrames(mixer, 100)), 0);
    mixer.Play(voice);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 100);
    mixer.Stop(voice);
    mixer.Pause(voice); // pausing a stopped voice leaves it stopped
    EXPECT_EQ(mixer.State(voice), VoiceState::Stopped);
    mixer.Play(voice);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 101);
    ASSERT_TRUE(mixer.Rewind(voice));
    EXPECT_EQ(mixer.Position(voice), 0);
    EXPECT_EQ(MixFrames(mixer, 2)[2], 1);
}

} // namespace
