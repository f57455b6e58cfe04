#include "platform/audio/WaveFile.h"

#include "SoundFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{

using platform::ParseWaveFile;
using platform::WaveData;

void SetLe32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        bytes[at + i] = uint8_t(value >> (8 * i));
    }
}

TEST(WaveFileTest, ReadsPcmOfEightAndSixteenBitsPastOtherChunks)
{
    WaveData wave;
    ASSERT_TRUE(ParseWaveFile(MakeWave(22050, 1, 8, 100), wave));
    EXPECT_EQ(wave.m_nSamplesPerSec, 22050u);
    EXPECT_EQ(wave.m_nBitsPerSample, 8);
    EXPECT_EQ(wave.m_Samples.size(), 100u);
    EXPECT_EQ(wave.Format().m_Type, platform::SampleType::U8);

    // A "LIST" chunk between "fmt " and "data" is stepped over.
    std::vector<uint8_t> bytes = MakeWave(44100, 2, 16, 10);
    const std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    bytes.insert(bytes.begin() + 36, list.begin(), list.end());
    SetLe32(bytes, 4, uint32_t(bytes.size() - 8));
    ASSERT_TRUE(ParseWaveFile(bytes, wave));
    EXPECT_EQ(wave.m_nChannels, 2);
    EXPECT_EQ(wave.m_Samples.size(), 40u);

    // The "data" chunk is kept whole; a trailing part of a frame is not played.
    bytes = MakeWave(22050, 1, 16, 10);
    bytes.push_back(0);
    SetLe32(bytes, 40, 21);
    SetLe32(bytes, 4, uint32_t(bytes.size() - 8));
    ASSERT_TRUE(ParseWaveFile(bytes, wave));
    EXPECT_EQ(wave.m_Samples.size(), 21u);
    EXPECT_EQ(wave.FrameCount(), 10);

    TempFolder folder;
    folder.WriteFile("wave/a.wav", MakeWave(11025, 1, 16, 5));
    ASSERT_TRUE(platform::ReadWaveFile("wave\\a.wav", wave));
    EXPECT_EQ(wave.m_Samples.size(), 10u);
    EXPECT_FALSE(platform::ReadWaveFile("wave\\none.wav", wave));
}

TEST(WaveFileTest, RefusesWhatItCannotPlay)
{
    const std::vector<uint8_t> good = MakeWave(22050, 1, 16, 10);
    auto with = [&good](std::size_t at, std::vector<uint8_t> bytes)
    {
        std::vector<uint8_t> b = good;
        std::copy(bytes.begin(), bytes.end(), b.begin() + std::ptrdiff_t(at));
        return b;
    };
    std::vector<uint8_t> extended = good; // a "fmt " chunk of 40 bytes
    extended.insert(extended.begin() + 36, 24, 0);
    SetLe32(extended, 16, 40);
    SetLe32(extended, 4, uint32_t(extended.size() - 8));
    std::vector<uint8_t> shortFormat = good; // a "fmt " chunk of 14 bytes, without the bits per sample
    shortFormat.erase(shortFormat.begin() + 34, shortFormat.begin() + 36);
    SetLe32(shortFormat, 16, 14);
    SetLe32(shortFormat, 4, uint32_t(shortFormat.size() - 8));
    std::vector<uint8_t> noData(good.begin(), good.begin() + 36);
    std::vector<uint8_t> shortData = good;
    shortData.resize(shortData.size() - 4);

    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"not RIFF", with(0, {'R', 'I', 'F', 'X'})},
        {"not WAVE", with(8, {'A', 'V', 'I', ' '})},
        {"float samples", with(20, {3, 0})},
        {"fmt of 19 bytes or more", extended},
        {"fmt of fewer than 16 bytes", shortFormat},
        {"no data chunk", noData},
        {"data past the end", shortData},
        {"empty", {}},
    };
    for (const Case& c : cases)
    {
        WaveData wave;
        wave.m_nChannels = 7;
        EXPECT_FALSE(ParseWaveFile(c.bytes, wave)) << c.what;
        EXPECT_EQ(wave.m_nChannels, 7) << c.what; // left as it was
    }
}

// PCM that the mixer cannot play is still a WAV file: the one who plays it
// refuses it, as a sound device refuses a format it does not take.
TEST(WaveFileTest, PcmOfOtherShapesIsReadButNotPlayable)
{
    const struct
    {
        int channels, bits, rate;
        bool playable;
    } cases[] = {
        {1, 8, 22050, true}, {2, 16, 44100, true}, {1, 24, 22050, false}, {6, 16, 22050, false}, {0, 8, 22050, false},
    };
    for (const auto& c : cases)
    {
        WaveData wave;
        ASSERT_TRUE(ParseWaveFile(MakeWave(c.rate, c.channels, c.bits, 10), wave)) << c.channels << " " << c.bits;
        EXPECT_EQ(wave.IsPlayable(), c.playable) << c.channels << " " << c.bits << " " << c.rate;
        EXPECT_EQ(wave.FrameCount(), c.playable ? 10 : 0) << c.channels << " " << c.bits;
    }
}

} // namespace
