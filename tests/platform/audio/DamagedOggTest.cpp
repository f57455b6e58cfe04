// Damaged Ogg Vorbis files: refused with their log line, never the end of the
// process. The files under damaged-ogg/ were made by our test encoder and then
// damaged (bytes changed, page checksums made anew); in each, a codebook's
// codeword lengths make no code, which the decoder finds only when it starts
// decoding, and it then divides by the dimension of the book it left empty.

#include "SoundFiles.h"
#include "TempFolder.h"
#include "common/services/Log.h"
#include "common/sound/VoxPlayer.h"
#include "platform/audio/OggVorbisPlayer.h"
#include "platform/audio/VorbisHeaderCheck.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace
{

using namespace platform;

std::vector<uint8_t> ReadDataFile(const std::string& name)
{
    std::ifstream in(std::string(TK_TEST_DATA_DIR) + "/damaged-ogg/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const char* const kDamagedFiles[] = {"damaged-1.ogg", "damaged-2.ogg", "damaged-3.ogg", "damaged-4.ogg"};

// Decodes the whole sound twice, as the mixer does when the music loops; the
// frames of one pass.
int64_t DecodeAll(OggVorbisSource& source)
{
    std::vector<int16_t> buffer(4096 * 2);
    int64_t total = 0;
    for (int n = 0; (n = source.Read(buffer.data(), 4096)) > 0;)
    {
        total += n;
    }
    if (source.Rewind())
    {
        while (source.Read(buffer.data(), 4096) > 0)
        {
        }
    }
    return total;
}

TEST(DamagedOggTest, FilesThatWouldDivideByZeroAreRefusedWithTheirLogLine)
{
    TempFolder folder;
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    InitErrorLog(1, "EC.txt");
    Mixer mixer;
    OggVorbisPlayerFactory factory(mixer);
    VoxPlayer vox;
    ASSERT_EQ(vox.Init(&factory), 1);
    ASSERT_EQ(vox.CreatePlayers(1), 1);
    std::string expectedLog;
    for (const char* name : kDamagedFiles)
    {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = ReadDataFile(name);
        ASSERT_GT(bytes.size(), 1000u);
        std::string reason;
        EXPECT_FALSE(CheckVorbisHeaders(bytes.data(), bytes.size(), reason));
        EXPECT_NE(reason.find("lengths that make no code"), std::string::npos) << reason;
        EXPECT_EQ(OggVorbisSource::FromBytes(bytes), nullptr);

        folder.WriteFile(std::string("bgm/") + name, bytes);
        EXPECT_EQ(vox.Play(0, std::string("bgm\\") + name, kOggLoopForever), 0);
        EXPECT_EQ(vox.Player(0)->OpenError(), reason);
        expectedLog += std::string("Ogg bgm\\") + name + " Open 再生できないファイルです (" + reason + ")\r\n";
    }
    EXPECT_EQ(mixer.VoiceCount(), 0);
    EXPECT_EQ(folder.ReadText("Report.txt"), expectedLog);
    EXPECT_EQ(folder.ReadText("EC.txt"), expectedLog);

    // A missing file, or one that is not Ogg at all, writes no line.
    folder.WriteFile("bgm/song.ogg", std::string("MThd"));
    EXPECT_EQ(vox.Play(0, "bgm\\none.ogg", kOggLoopForever), 0);
    EXPECT_EQ(vox.Play(0, "bgm\\song.ogg", kOggLoopForever), 0);
    EXPECT_EQ(vox.Player(0)->OpenError(), "");
    EXPECT_EQ(folder.ReadText("Report.txt"), expectedLog);
    InitErrorLog(0, "");
}

TEST(DamagedOggTest, EveryLinkOfAChainedFileIsChecked)
{
    std::vector<uint8_t> chain = MakeOggVorbis(22050, 1, 0.1);
    const std::size_t goodSize = chain.size();
    std::string reason;
    ASSERT_TRUE(CheckVorbisHeaders(chain.data(), chain.size(), reason)) << reason;
    std::vector<uint8_t> damaged = ReadDataFile(kDamagedFiles[0]);
    SetOggSerialNumber(damaged, 2);
    chain.insert(chain.end(), damaged.begin(), damaged.end());
    EXPECT_FALSE(CheckVorbisHeaders(chain.data(), chain.size(), reason));
    EXPECT_EQ(OggVorbisSource::FromBytes(chain), nullptr);

    // A file cut inside the headers of its second link cannot be played whole.
    chain.resize(goodSize + 200);
    EXPECT_FALSE(CheckVorbisHeaders(chain.data(), chain.size(), reason));
    EXPECT_EQ(reason, "a Vorbis stream ends inside its headers");
}

TEST(DamagedOggTest, FilesOfTheEncoderPassInEveryFormat)
{
    struct Case
    {
        int m_nRate;
        int m_nChannels;
    };
    const Case cases[] = {{8000, 1}, {11025, 2}, {22050, 1}, {32000, 2}, {44100, 1}, {44100, 2}, {96000, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nRate << " Hz, " << c.m_nChannels << " channels");
        const std::vector<uint8_t> bytes = MakeOggVorbis(c.m_nRate, c.m_nChannels, 0.2);
        std::string reason;
        EXPECT_TRUE(CheckVorbisHeaders(bytes.data(), bytes.size(), reason)) << reason;
        std::shared_ptr<OggVorbisSource> source = OggVorbisSource::FromBytes(bytes, &reason);
        ASSERT_NE(source, nullptr) << reason;
        EXPECT_EQ(DecodeAll(*source), int64_t(c.m_nRate / 5));
    }
}

// Random damage of a small file, as a disk or a download may do it: a few
// bytes changed, the pages sealed anew so that they still pass their checksum.
// Every damaged file is either refused or decoded to its end. Without the
// check, about a third of these files end the process.
TEST(DamagedOggTest, RandomlyDamagedFilesAreRefusedOrDecoded)
{
    const std::vector<std::vector<uint8_t>> originals = {MakeOggVorbis(22050, 1, 0.25),
                                                         MakeOggVorbis(44100, 2, 0.25, 1000.0)};
    std::mt19937 random(20240611);
    int refusedForCodebooks = 0;
    int decoded = 0;
    for (int round = 0; round < 1200; ++round)
    {
        std::vector<uint8_t> bytes = originals[std::size_t(round) % originals.size()];
        const int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
        {
            bytes[random() % bytes.size()] ^= uint8_t(1u << (random() % 8));
        }
        ResealOggPages(bytes);
        std::string reason;
        std::shared_ptr<OggVorbisSource> source = OggVorbisSource::FromBytes(bytes, &reason);
        if (source == nullptr)
        {
            refusedForCodebooks += reason.find("make no code") != std::string::npos ? 1 : 0;
            continue;
        }
        DecodeAll(*source);
        ++decoded;
    }
    // The damage reaches what the check is for, and damage outside the
    // headers leaves files that still play.
    EXPECT_GT(refusedForCodebooks, 100);
    EXPECT_GT(decoded, 20);
}

} // namespace
