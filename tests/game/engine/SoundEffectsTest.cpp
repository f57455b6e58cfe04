#include "game/engine/SoundEffects.h"

#include "SoundFiles.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "common/services/Log.h"
#include "game/data/SoundRequests.h"
#include "game/engine/InputState.h"
#include "platform/audio/AudioOutput.h"
#include "platform/core/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace
{

constexpr int kEffectFrames = 22050; // one second: nothing ends while a test plays it

void SetLe32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        bytes[at + i] = uint8_t(value >> (8 * i));
    }
}

// A WAV file of the game's format whose "fmt " chunk is `size` bytes long
// (zeros after the 16 of the plain format, and the pad byte of an odd chunk).
std::vector<uint8_t> WaveWithFormatSize(uint32_t size)
{
    std::vector<uint8_t> bytes = MakeWave(kSoundRate, 1, 8, 100);
    bytes.insert(bytes.begin() + 36, (size - 16) + (size & 1), 0);
    SetLe32(bytes, 16, size);
    SetLe32(bytes, 4, uint32_t(bytes.size() - 8));
    return bytes;
}

class SoundEffectsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        InitErrorLog(1, "EC.txt");
    }
    void TearDown() override
    {
        ReleaseSoundEffects();
        m_Group = SoundBufferGroup();
    }

    // Writes a file under its stored path.
    void Write(std::string_view stored, const std::vector<uint8_t>& bytes)
    {
        m_Folder.WriteFile(platform::DiskPath(stored), bytes);
    }
    void WriteTable()
    {
        for (const SoundDef& def : SoundDefs)
        {
            Write(def.m_pFileName, MakeWave(kSoundRate, 1, 8, kEffectFrames));
        }
    }
    // The device on the mixer with the game's table, nothing loaded.
    void Init()
    {
        ASSERT_TRUE(DS_Init(&m_Mixer, kSoundRate, kSoundBits, kSoundChannels, SoundGroups, kSoundEffectCount));
    }
    void Load(SoundBufferGroup& group, int count, int volume = 0)
    {
        Write("wave\\a.wav", MakeWave(kSoundRate, 1, 8, kEffectFrames));
        ASSERT_TRUE(DSCreateBufferGropeFromFile(group, "wave\\a.wav", count, volume));
    }
    // Mixes `frames` frames of output.
    void Mix(int frames)
    {
        std::vector<uint8_t> out(std::size_t(frames) * platform::Mixer::kOutputFrameBytes);
        m_Mixer.Mix(out.data(), int(out.size()));
        m_LastMix.assign(reinterpret_cast<const int16_t*>(out.data()),
                         reinterpret_cast<const int16_t*>(out.data()) + out.size() / 2);
    }
    int Peak() const
    {
        int peak = 0;
        for (int16_t s : m_LastMix)
        {
            peak = std::max(peak, std::abs(int(s)));
        }
        return peak;
    }
    std::string ErrorLog() const
    {
        return std::filesystem::exists(m_Folder.Path() / "EC.txt") ? m_Folder.ReadText("EC.txt") : "";
    }

    TempFolder m_Folder;
    platform::Mixer m_Mixer{44100};
    SoundBufferGroup m_Group;
    std::vector<int16_t> m_LastMix;
};

TEST_F(SoundEffectsTest, WaveFilesTheGroupsLoadOrRefuse)
{
    Init();
    std::vector<uint8_t> nonPcm = MakeWave(kSoundRate, 1, 8, 100);
    nonPcm[20] = 2; // ADPCM
    std::vector<uint8_t> truncated = MakeWave(kSoundRate, 1, 8, 100);
    truncated.resize(truncated.size() - 40); // "data" claims 100 bytes, 60 follow
    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* error; // nullptr: the group loads
    };
    const Case cases[] = {
        {"8-bit mono PCM", MakeWave(kSoundRate, 1, 8, 100), nullptr},
        {"\"fmt \" of 18 bytes", WaveWithFormatSize(18), nullptr},
        {"\"fmt \" of 19 bytes", WaveWithFormatSize(19), "wave\\t.wav読み込み失敗！"},
        {"\"fmt \" of 20 bytes", WaveWithFormatSize(20), "wave\\t.wav読み込み失敗！"},
        {"not PCM", nonPcm, "wave\\t.wav読み込み失敗！"},
        {"\"data\" cut short", truncated, "wave\\t.wav読み込み失敗！"},
        {"no samples", MakeWave(kSoundRate, 1, 8, 0), "wave\\t.wav生成失敗！"},
        {"24-bit PCM: read, but the device refuses it", MakeWave(kSoundRate, 1, 24, 100), "wave\\t.wav生成失敗！"},
        {"six channels", MakeWave(kSoundRate, 6, 8, 100), "wave\\t.wav生成失敗！"},
    };
    for (const Case& c : cases)
    {
        InitErrorLog(1, "EC.txt"); // the next line starts the log anew
        Write("wave\\t.wav", c.bytes);
        const bool loaded = DSCreateBufferGropeFromFile(m_Group, "wave\\t.wav", 2, 0);
        EXPECT_EQ(loaded, c.error == nullptr) << c.what;
        if (c.error)
        {
            EXPECT_EQ(ErrorLog(), std::string(c.error) + "\r\n") << c.what;
            EXPECT_TRUE(m_Group.m_Buffers.empty()) << c.what;
            EXPECT_EQ(DSPlayBufferGroup(m_Group, 0), 0) << c.what; // a failed group plays nothing
            continue;
        }
        ASSERT_EQ(m_Group.m_Buffers.size(), 2u) << c.what;
        EXPECT_EQ(m_Group.m_nCount, 2);
        EXPECT_EQ(m_Group.m_strName, "wave\\t.wav");
        const MixerSoundBuffer* first = GroupBuffer(m_Group, 0);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->Wave().m_Samples.size(), 100u);
        EXPECT_EQ(first->Wave().m_nBitsPerSample, 8);
        EXPECT_EQ(&GroupBuffer(m_Group, 1)->Wave(), &first->Wave()) << "a duplicate shares the samples";
    }

    InitErrorLog(1, "EC.txt");
    EXPECT_FALSE(DSCreateBufferGropeFromFile(m_Group, "wave\\none.wav", 1, 0));
    EXPECT_FALSE(DSCreateBufferGropeFromFile(m_Group, "wave\\t.wav", 0, 0));
    EXPECT_FALSE(DSCreateBufferGropeFromFile(m_Group, "wave\\t.wav", kMaxSoundBuffers + 1, 0));
    EXPECT_EQ(ErrorLog(), "wave\\none.wav読み込み失敗！\r\nwave\\t.wavのメモリ確保失敗！\r\n"
                          "wave\\t.wavのメモリ確保失敗！\r\n");
}

TEST_F(SoundEffectsTest, GroupPlaysItsBuffersInTurnAndRestartsTheOneThatPlays)
{
    Init();
    Load(m_Group, 3);
    std::vector<int> next;
    std::vector<int64_t> positionBefore;
    for (int play = 0; play < 4; ++play)
    {
        positionBefore.push_back(GroupBuffer(m_Group, play % 3)->CurrentPosition());
        next.push_back(DSPlayBufferGroup(m_Group, 0));
        EXPECT_TRUE(GroupBuffer(m_Group, play % 3)->IsPlaying()) << play;
        EXPECT_EQ(GroupBuffer(m_Group, play % 3)->CurrentPosition(), 0) << play;
        Mix(4096);
    }
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1})); // buffers 0, 1, 2, 0 played
    EXPECT_GT(positionBefore[3], 0) << "buffer 0 was still sounding when it started again";
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE(GroupBuffer(m_Group, i)->IsPlaying()) << i; // the three overlap
    }
    EXPECT_LT(GroupBuffer(m_Group, 0)->CurrentPosition(), GroupBuffer(m_Group, 2)->CurrentPosition());
}

TEST_F(SoundEffectsTest, VolumeInHundredthsOfADecibel)
{
    Init();
    Load(m_Group, 2, -700);
    EXPECT_EQ(DSGetVolume(m_Group, 0), -700);
    EXPECT_EQ(DSGetVolume(m_Group, 1), -700);

    struct Case
    {
        int volume;
        int relative;
        int set;
    };
    const Case cases[] = {
        {-500, 0, -500},     {-600, 1, -1100}, {5000, 1, 0}, // past 0: 0
        {-20000, 0, -10000}, {-1, 1, -10000},  {300, 0, 0},  {-2000, 0, -2000},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(DSSetVolume(m_Group, 0, c.volume, c.relative), c.set) << c.volume << " " << c.relative;
        EXPECT_EQ(DSGetVolume(m_Group, 0), c.set);
    }
    EXPECT_EQ(DSGetVolume(m_Group, 1), -700);       // each buffer has its own
    EXPECT_EQ(DSSetVolume(m_Group, 2, -100, 0), 0); // no such buffer
    EXPECT_EQ(DSGetVolume(m_Group, -1), 0);

    // What the mixer makes of it: -20 dB is a tenth of the amplitude.
    DSSetVolume(m_Group, 1, 0, 0);
    DSPlayBuffer(m_Group, 1, 0);
    Mix(2048);
    const int full = Peak();
    DSPlayBuffer(m_Group, 1, 0);
    DSSetVolume(m_Group, 1, -2000, 0);
    Mix(2048);
    EXPECT_GT(full, 10000);
    EXPECT_NEAR(Peak(), full / 10, 2);
}

TEST_F(SoundEffectsTest, WithoutASoundDeviceEveryCallSucceedsAndDoesNothing)
{
    auto everyCall = [this](const char* when)
    {
        EXPECT_TRUE(DSCreateBufferGroup(SoundGroups, SoundDefs, 0)) << when; // the files do not even exist
        EXPECT_TRUE(DSCreateBufferGropeFromFile(m_Group, "wave\\none.wav", 3, -100)) << when;
        EXPECT_TRUE(DSPlaySoundFile(SpareSoundGroup, "wave\\none.wav", 0)) << when;
        EXPECT_EQ(DSPlayBufferGroup(SoundGroups[kSeChoice], 0), 0) << when;
        DSPlayBuffer(m_Group, 0, 0);
        EXPECT_EQ(DSSetVolume(m_Group, 0, -100, 0), 0) << when;
        EXPECT_EQ(DSGetVolume(m_Group, 0), 0) << when;
        PlayCursorSound(kInputLeft | kInputDown, 3, kSeCursor);
        PlaySoundEffect(kSeRefusal);
        RequestSound(kSoundRefusal);
        EXPECT_TRUE(m_Group.m_Buffers.empty()) << when;
        EXPECT_EQ(m_Mixer.VoiceCount(), 0) << when;
        EXPECT_EQ(ErrorLog(), "") << when;
    };
    everyCall("never made");

    // Made, loaded, then released: silent again.
    WriteTable();
    ASSERT_TRUE(InitSoundEffects(&m_Mixer, 0));
    ASSERT_TRUE(DSPlaySoundFile(SpareSoundGroup, SoundDefs[kSeHeal].m_pFileName, 0));
    EXPECT_EQ(m_Mixer.VoiceCount(), kSoundEffectCount + 1);
    ReleaseSoundEffects();
    EXPECT_EQ(m_Mixer.VoiceCount(), 0);
    EXPECT_TRUE(SpareSoundGroup.m_Buffers.empty());
    for (const SoundBufferGroup& group : SoundGroups)
    {
        EXPECT_TRUE(group.m_Buffers.empty());
    }
    everyCall("released");

    // No mixer to make a device on.
    EXPECT_FALSE(InitSoundEffects(nullptr, 0));
    EXPECT_EQ(ErrorLog(), "DIRECTSOUNDCREATE_ERR!\r\nDS_Init失敗！\r\n");
}

TEST_F(SoundEffectsTest, CursorSoundFollowsTheAxesAsked)
{
    Init();
    Load(SoundGroups[kSeCursor], 3); // three buffers, so that the plays of a frame can be counted
    struct Case
    {
        int directions;
        int axes;
        int plays;
    };
    const Case cases[] = {
        {kInputLeft | kInputDown, kCursorAxisHorizontal | kCursorAxisVertical, 2}, // twice in one frame
        {kInputRight | kInputUp, kCursorAxisHorizontal | kCursorAxisVertical, 2},
        {kInputLeft | kInputRight, kCursorAxisHorizontal, 1},
        {kInputLeft | kInputDown, kCursorAxisHorizontal, 1},
        {kInputLeft | kInputDown, kCursorAxisVertical, 1},
        {kInputRight, kCursorAxisVertical, 0},
        {kInputUp, kCursorAxisHorizontal, 0},
        {0, kCursorAxisHorizontal | kCursorAxisVertical, 0},
    };
    for (const Case& c : cases)
    {
        const int before = SoundGroups[kSeCursor].m_nNext;
        PlayCursorSound(c.directions, c.axes, kSeCursor);
        EXPECT_EQ((SoundGroups[kSeCursor].m_nNext - before + 3) % 3, c.plays) << c.directions << " " << c.axes;
    }
    PlayCursorSound(kInputLeft, kCursorAxisHorizontal, kSoundEffectCount); // no such group: nothing

    // With the table's one buffer, the second play of the frame starts it again.
    Load(SoundGroups[kSeCursor], 1);
    PlayCursorSound(kInputLeft | kInputDown, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    EXPECT_TRUE(GroupBuffer(SoundGroups[kSeCursor], 0)->IsPlaying());
    EXPECT_EQ(SoundGroups[kSeCursor].m_nNext, 0);
}

TEST_F(SoundEffectsTest, StartUpLoadsTheTableAndServesSoundRequests)
{
    WriteTable();
    ASSERT_TRUE(InitSoundEffects(&m_Mixer, -300));
    const auto* primary = dynamic_cast<const PrimarySoundBuffer*>(SoundEffects.m_pPrimary.get());
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->Format().m_nRate, 22050);
    EXPECT_EQ(primary->Format().m_nChannels, 1);
    EXPECT_EQ(primary->Format().m_Type, platform::SampleType::U8);
    for (int id = 0; id < kSoundEffectCount; ++id)
    {
        EXPECT_EQ(SoundGroups[id].m_strName, SoundDefs[id].m_pFileName) << id;
        EXPECT_EQ(SoundGroups[id].m_nCount, 1) << id;
        EXPECT_EQ(DSGetVolume(SoundGroups[id], 0), -300) << id; // the System.ini volume over the table's
    }
    RequestSound(kSoundRefusal);
    EXPECT_TRUE(GroupBuffer(SoundGroups[kSeRefusal], 0)->IsPlaying());
    EXPECT_FALSE(GroupBuffer(SoundGroups[kSeChoice], 0)->IsPlaying());
    RequestSound(kSoundEffectCount); // not in the table: nothing
    EXPECT_EQ(ErrorLog(), "");

    // A missing effect stops the start-up; the groups loaded before it stay.
    ReleaseSoundEffects();
    std::filesystem::remove(m_Folder.Path() / platform::DiskPath(SoundDefs[kSeEquip].m_pFileName));
    EXPECT_FALSE(InitSoundEffects(&m_Mixer, 0));
    EXPECT_EQ(ErrorLog(), "wave\\装備.wav読み込み失敗！\r\nDSCreateBufferGropeFromFile失敗！\r\n"
                          "DSCreateBufferGroup失敗！\r\n");
    EXPECT_EQ(SoundGroups[kSeRefusal].m_Buffers.size(), 1u);
    EXPECT_TRUE(SoundGroups[kSeEquip].m_Buffers.empty());
    EXPECT_EQ(DSGetVolume(SoundGroups[kSeRefusal], 0), 0); // the table's own volume
}

TEST_F(SoundEffectsTest, SoundFileReplacesWhatTheSpareGroupHeld)
{
    Init();
    Write("wave\\a.wav", MakeWave(kSoundRate, 1, 8, kEffectFrames));
    Write("wave\\b.wav", MakeWave(kSoundRate, 1, 8, 200));
    ASSERT_TRUE(DSPlaySoundFile(SpareSoundGroup, "wave\\a.wav", -400));
    EXPECT_TRUE(GroupBuffer(SpareSoundGroup, 0)->IsPlaying());
    EXPECT_EQ(DSGetVolume(SpareSoundGroup, 0), -400);

    ASSERT_TRUE(DSPlaySoundFile(SpareSoundGroup, "wave\\b.wav", 0));
    EXPECT_EQ(SpareSoundGroup.m_strName, "wave\\b.wav");
    EXPECT_EQ(GroupBuffer(SpareSoundGroup, 0)->FrameCount(), 200);
    EXPECT_TRUE(GroupBuffer(SpareSoundGroup, 0)->IsPlaying());
    EXPECT_EQ(m_Mixer.VoiceCount(), 1); // the first sound is gone

    EXPECT_FALSE(DSPlaySoundFile(SpareSoundGroup, "wave\\none.wav", 0));
    EXPECT_EQ(ErrorLog(), "wave\\none.wav読み込み失敗！\r\nDSCreateBufferGropeFromFile失敗！\r\n");
    EXPECT_EQ(m_Mixer.VoiceCount(), 0);
    EXPECT_EQ(DSPlayBufferGroup(SpareSoundGroup, 0), 0); // the battle may still play it: nothing
}

TEST_F(SoundEffectsTest, PlayedEffectGoesIdleAfterItsLength)
{
    // 1000 frames at 22050 Hz are 2000 frames of the mixer's 44100 Hz output.
    Init();
    Write("wave\\a.wav", MakeWave(kSoundRate, 1, 8, 1000));
    ASSERT_TRUE(DSCreateBufferGropeFromFile(m_Group, "wave\\a.wav", 1, 0));
    DSPlayBufferGroup(m_Group, 0);
    Mix(1990);
    EXPECT_TRUE(GroupBuffer(m_Group, 0)->IsPlaying());
    EXPECT_GT(Peak(), 0);
    Mix(10);
    EXPECT_FALSE(GroupBuffer(m_Group, 0)->IsPlaying());
    Mix(100);
    EXPECT_EQ(Peak(), 0);

    // The same through the audio device's own thread.
    std::string error;
    std::unique_ptr<platform::AudioOutput> output = platform::OpenAudioOutput(m_Mixer, &error);
    ASSERT_TRUE(output->IsSounding()) << error;
    DSPlayBufferGroup(m_Group, 0);
    EXPECT_TRUE(WaitUntil([this] { return !GroupBuffer(m_Group, 0)->IsPlaying(); }));
    output.reset();
    EXPECT_EQ(GroupBuffer(m_Group, 0)->CurrentPosition(), 1000);
}

} // namespace
