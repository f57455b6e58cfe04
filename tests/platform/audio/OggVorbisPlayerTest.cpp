#include "platform/audio/OggVorbisPlayer.h"

#include "SoundFiles.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "platform/audio/AudioOutput.h"

#include <gtest/gtest.h>

namespace
{

using namespace platform;

constexpr int kRate = 22050;
constexpr int kFrames = kRate / 4; // a quarter of a second

// The file with another sample rate written into its identification header.
std::vector<uint8_t> WithHeaderRate(std::vector<uint8_t> file, uint32_t rate)
{
    const std::size_t body = 27 + std::size_t(file[26]);
    for (int i = 0; i < 4; ++i)
    {
        file[body + 12 + std::size_t(i)] = uint8_t(rate >> (8 * i));
    }
    ResealOggPages(file);
    return file;
}

class OggVorbisPlayerTest : public testing::Test
{
protected:
    void SetUp() override { m_Folder.WriteFile("bgm/sine.ogg", MakeOggVorbis(kRate, 1, 0.25)); }

    // Mixes by hand; the loudest sample.
    int MixPeak(int frames)
    {
        std::vector<int16_t> out(std::size_t(frames) * 2);
        m_Mixer.Mix(reinterpret_cast<uint8_t*>(out.data()), frames * 4);
        int peak = 0;
        for (int16_t s : out)
        {
            peak = std::max(peak, std::abs(int(s)));
        }
        return peak;
    }

    TempFolder m_Folder;
    Mixer m_Mixer{44100};
    OggVorbisPlayerFactory m_Factory{m_Mixer};
};

TEST_F(OggVorbisPlayerTest, EndlessLoopsWrapThePositionUnderTheDummyDriver)
{
    std::unique_ptr<OggPlayer> player = m_Factory.CreatePlayer();
    ASSERT_TRUE(player->Open("bgm\\sine.ogg"));
    player->SetLoopCount(kOggLoopForever);
    player->Play();
    std::unique_ptr<AudioOutput> output = OpenAudioOutput(m_Mixer);
    ASSERT_TRUE(output->IsSounding());

    // The position climbs to near the end, then starts again from the top.
    int64_t highest = 0;
    bool wrapped = WaitUntil(
        [&]
        {
            const int64_t position = player->Position();
            if (position < highest - kFrames / 2)
            {
                return true;
            }
            highest = std::max(highest, position);
            return false;
        });
    EXPECT_TRUE(wrapped) << "highest position " << highest;
    EXPECT_GT(highest, kFrames / 2);
    EXPECT_TRUE(static_cast<OggVorbisPlayer&>(*player).IsPlaying());
    output.reset();
}

TEST_F(OggVorbisPlayerTest, PlaysItsLoopsStopsWhereItIsAndSeeksToTheStart)
{
    OggVorbisPlayer player(m_Mixer);
    EXPECT_EQ(player.Stop(), 0); // nothing open
    ASSERT_TRUE(player.Open("bgm\\sine.ogg"));
    EXPECT_EQ(MixPeak(1000), 0); // opened, not playing
    player.SetLoopCount(1);
    player.Play();
    EXPECT_GT(MixPeak(4410), 8000);
    EXPECT_EQ(player.Stop(), 1);
    const int64_t stoppedAt = player.Position();
    EXPECT_EQ(MixPeak(4410), 0);
    EXPECT_EQ(player.Position(), stoppedAt);

    // Played on from there, the sound lasts its two rounds: 0.5 s in all.
    player.Play();
    EXPECT_GT(MixPeak(44100 / 2 - 4410 + 600), 8000);
    EXPECT_EQ(MixPeak(4000), 0);
    EXPECT_FALSE(player.IsPlaying());

    player.Seek(0);
    EXPECT_EQ(player.Position(), 0);
    player.Play();
    EXPECT_GT(MixPeak(2000), 8000);
    player.Close();
    EXPECT_EQ(m_Mixer.VoiceCount(), 0);
    EXPECT_EQ(player.Position(), 0);
}

TEST_F(OggVorbisPlayerTest, FilesThatAreNotOggVorbisDoNotOpen)
{
    m_Folder.WriteFile("bgm/not.ogg", std::string("OggS but not really"));
    m_Folder.WriteFile("bgm/empty.ogg", std::string());
    const std::string longName = "bgm\\" + std::string(252, 'x') + ".ogg";
    m_Folder.WriteFile("bgm/" + std::string(252, 'x') + ".ogg", MakeOggVorbis(kRate, 1, 0.1));
    OggVorbisPlayer player(m_Mixer);
    EXPECT_FALSE(player.Open("bgm\\none.ogg"));
    EXPECT_FALSE(player.Open("bgm\\not.ogg"));
    EXPECT_FALSE(player.Open("bgm\\empty.ogg"));
    EXPECT_FALSE(player.Open(longName)); // 260 characters: as if it were missing
    EXPECT_FALSE(player.Open(""));
    EXPECT_EQ(m_Mixer.VoiceCount(), 0);

    // A header claiming billions of frames a second would have the mixer
    // decode the whole file many times over for every frame it puts out.
    const std::vector<uint8_t> sine = MakeOggVorbis(kRate, 1, 0.1);
    ASSERT_NE(OggVorbisSource::FromBytes(WithHeaderRate(sine, 192000)), nullptr);
    EXPECT_EQ(OggVorbisSource::FromBytes(WithHeaderRate(sine, 0x7FFFFFFF)), nullptr);
    ASSERT_TRUE(player.Open("bgm\\sine.ogg"));
    ASSERT_TRUE(player.Open("bgm\\sine.ogg")); // the first is closed
    EXPECT_EQ(m_Mixer.VoiceCount(), 1);
}

TEST_F(OggVorbisPlayerTest, StereoFilesOfAnyRateDecode)
{
    m_Folder.WriteFile("bgm/stereo.ogg", MakeOggVorbis(48000, 2, 0.2, 1000.0));
    std::vector<uint8_t> bytes = m_Folder.ReadFile("bgm/stereo.ogg");
    std::shared_ptr<OggVorbisSource> source = OggVorbisSource::FromBytes(bytes);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->Format().m_nRate, 48000);
    EXPECT_EQ(source->Format().m_nChannels, 2);
    EXPECT_EQ(source->FrameCount(), 9600);
    std::vector<int16_t> frames(2 * 20000);
    EXPECT_EQ(source->Read(frames.data(), 20000), 9600);
    EXPECT_EQ(source->Read(frames.data(), 10), 0);
    ASSERT_TRUE(source->Seek(4800));
    EXPECT_EQ(source->Position(), 4800);
}

} // namespace
