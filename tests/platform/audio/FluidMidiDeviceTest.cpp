#include "platform/audio/FluidMidiDevice.h"

#include "TempFolder.h"
#include "common/services/Log.h"
#include "common/sound/MidiStream.h"
#include "platform/audio/Mixer.h"
#include "tests/common/sound/SmfBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace
{

using platform::FluidMidiDevice;
using platform::Mixer;

constexpr int kRate = 44100;

// Loudest sample of each 50 ms window of `seconds` seconds of mixer output.
std::vector<int> WindowPeaks(Mixer& mixer, double seconds)
{
    const int window = kRate / 20;
    std::vector<int> peaks;
    std::vector<int16_t> out(std::size_t(window) * 2);
    for (int w = 0; w < int(seconds * 20 + 0.5); ++w)
    {
        mixer.Mix(reinterpret_cast<uint8_t*>(out.data()), window * 4);
        int peak = 0;
        for (int16_t s : out)
        {
            peak = std::max(peak, std::abs(int(s)));
        }
        peaks.push_back(peak);
    }
    return peaks;
}

class Receiver : public MidiDoneReceiver
{
public:
    void OnBufferDone(const MidiDoneReport& report) override
    {
        std::lock_guard lock(m_Mutex);
        m_Reports.push_back({report.m_pHeader, report.m_bPlayed});
        m_nLastOffset = report.m_nCallbackOffset;
    }
    uint32_t LastOffset()
    {
        std::lock_guard lock(m_Mutex);
        return m_nLastOffset;
    }
    std::vector<std::pair<MidiHeader*, bool>> Reports()
    {
        std::lock_guard lock(m_Mutex);
        return m_Reports;
    }

private:
    std::mutex m_Mutex;
    std::vector<std::pair<MidiHeader*, bool>> m_Reports;
    uint32_t m_nLastOffset = 0;
};

// A buffer of stream events written by hand.
struct HandBuffer
{
    HandBuffer(std::initializer_list<std::pair<uint32_t, uint32_t>> events) : m_Data(events.size() * 12)
    {
        uint8_t* p = m_Data.data();
        for (auto [delta, word] : events)
        {
            const uint32_t words[3] = {delta, 0, word};
            std::memcpy(p, words, 12);
            p += 12;
        }
        m_Header.m_pData = m_Data.data();
        m_Header.m_nBufferLength = m_Header.m_nBytesRecorded = uint32_t(m_Data.size());
    }
    std::vector<uint8_t> m_Data;
    MidiHeader m_Header;
};

class FluidMidiDeviceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(platform::kDefaultSoundFont))
        {
            GTEST_SKIP() << "no SoundFont at " << platform::kDefaultSoundFont;
        }
        std::string error;
        m_Device = FluidMidiDevice::Create(m_Mixer, platform::kDefaultSoundFont, &error);
        ASSERT_NE(m_Device, nullptr) << error;
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    }

    // Frames mixed until the receiver has `count` reports (at most `limit`).
    int FramesUntilReports(Receiver& receiver, std::size_t count, int limit)
    {
        std::vector<int16_t> out(2);
        for (int frames = 0; frames < limit; ++frames)
        {
            if (receiver.Reports().size() >= count)
            {
                return frames;
            }
            m_Mixer.Mix(reinterpret_cast<uint8_t*>(out.data()), 4);
        }
        return -1;
    }

    TempFolder m_Folder;
    Mixer m_Mixer{kRate};
    std::unique_ptr<FluidMidiDevice> m_Device;
};

TEST_F(FluidMidiDeviceTest, OneNoteSoundsForItsLengthThenSilenceThenTheSongRepeats)
{
    // The note sounds from 0 to 0.5 s; the song ends at 2 s.
    m_Folder.WriteFile("one.mid", OneNoteFile(480, 1920));
    MidiStream stream(*m_Device, "one.mid");
    ASSERT_TRUE(stream.HasImage());
    EXPECT_DOUBLE_EQ(stream.Length(), 2.0);
    stream.Restart();

    const std::vector<int> peaks = WindowPeaks(m_Mixer, 2.0);
    for (int w = 0; w < 10; ++w)
    {
        EXPECT_GT(peaks[std::size_t(w)], 300) << "window " << w; // 0 to 0.5 s
    }
    for (int w = 20; w < 40; ++w)
    {
        EXPECT_LT(peaks[std::size_t(w)], 30) << "window " << w; // 1.0 to 2.0 s: the note has died away
    }

    // The end-of-track buffer went back to the player thread, which starts the song again.
    WindowPeaks(m_Mixer, 0.05);
    stream.WaitForPlayerThread();
    const std::vector<int> again = WindowPeaks(m_Mixer, 0.3);
    EXPECT_GT(*std::max_element(again.begin(), again.end()), 300);
    EXPECT_EQ(stream.State(), MidiStream::kPlaying);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "");
}

TEST_F(FluidMidiDeviceTest, EventsAreTimedBySamplesFollowingTempoAndPause)
{
    Receiver receiver;
    MidiStreamHandle stream = 0;
    ASSERT_EQ(m_Device->Open(stream, &receiver), kMidiOk);
    ASSERT_EQ(m_Device->SetTimeDivision(stream, 480), kMidiOk);
    // 480 ticks at 500,000 us (0.5 s = 22,050 frames), a tempo of 250,000 us, 480 ticks more (0.25 s).
    HandBuffer buffer({{480, 0x00000000 | 0x7F3C90}, {0, kMidiEventTempo | 250000}, {480, 0x00003C80}});
    ASSERT_EQ(m_Device->Prepare(stream, buffer.m_Header), kMidiOk);
    ASSERT_EQ(m_Device->Out(stream, buffer.m_Header), kMidiOk);
    EXPECT_TRUE(buffer.m_Header.m_nFlags & kMidiHeaderInQueue);
    ASSERT_EQ(m_Device->Restart(stream), kMidiOk);

    // Half-way, pause for a while: time stands still.
    EXPECT_EQ(FramesUntilReports(receiver, 1, 11025), -1);
    ASSERT_EQ(m_Device->Pause(stream), kMidiOk);
    EXPECT_EQ(FramesUntilReports(receiver, 1, 30000), -1);
    ASSERT_EQ(m_Device->Restart(stream), kMidiOk);
    // The mixer reads its sources ahead by up to one block of 512 frames.
    const int frames = FramesUntilReports(receiver, 1, 40000);
    EXPECT_NEAR(frames, 22050 + 11025 - 11025, 512);
    ASSERT_EQ(receiver.Reports().size(), 1u);
    EXPECT_EQ(receiver.Reports()[0], std::make_pair(&buffer.m_Header, true));
    EXPECT_EQ(buffer.m_Header.m_nFlags & (kMidiHeaderInQueue | kMidiHeaderDone), kMidiHeaderDone);

    EXPECT_EQ(m_Device->Unprepare(stream, buffer.m_Header), kMidiOk);
    EXPECT_EQ(m_Device->Close(stream), kMidiOk);
}

TEST_F(FluidMidiDeviceTest, CallbackOffsetNamesTheLastFlaggedEventPlayed)
{
    Receiver receiver;
    MidiStreamHandle stream = 0;
    ASSERT_EQ(m_Device->Open(stream, &receiver), kMidiOk);
    HandBuffer buffer({{0, kMidiEventCallback | 0x403C90}, {10, 0x403E90}, {10, kMidiEventCallback | 0x002FFF}});
    m_Device->Prepare(stream, buffer.m_Header);
    m_Device->Out(stream, buffer.m_Header);
    m_Device->Restart(stream);
    ASSERT_GE(FramesUntilReports(receiver, 1, 10000), 0);
    EXPECT_EQ(receiver.LastOffset(), 24u);
    EXPECT_EQ(buffer.m_Header.m_nOffset, 24u);
    m_Device->Close(stream);
}

TEST_F(FluidMidiDeviceTest, EndOfTrackMarkerIsNotSentAsASystemReset)
{
    // Channel volume 0, the FF 2F 00 marker, then a note: a reset would bring the volume back.
    Receiver receiver;
    MidiStreamHandle stream = 0;
    ASSERT_EQ(m_Device->Open(stream, &receiver), kMidiOk);
    HandBuffer buffer({{0, 0x0007B0}, {0, 0x002FFF}, {0, 0x7F3C90}, {96, 0x003C80}});
    m_Device->Prepare(stream, buffer.m_Header);
    m_Device->Out(stream, buffer.m_Header);
    m_Device->Restart(stream);
    const std::vector<int> peaks = WindowPeaks(m_Mixer, 0.4);
    EXPECT_LT(*std::max_element(peaks.begin(), peaks.end()), 30);
    m_Device->Close(stream);
}

TEST_F(FluidMidiDeviceTest, StreamRulesAndHandingBackBuffers)
{
    Receiver receiver;
    MidiStreamHandle stream = 0;
    ASSERT_EQ(m_Device->Open(stream, &receiver), kMidiOk);
    MidiStreamHandle second = 0;
    EXPECT_EQ(m_Device->Open(second, &receiver), kMidiErrorAllocated);
    EXPECT_EQ(second, 0u);
    EXPECT_EQ(m_Device->Restart(stream + 1), kMidiErrorInvalidHandle);
    EXPECT_EQ(m_Device->SetTimeDivision(stream, 0), kMidiErrorInvalidParam);

    HandBuffer a({{100, 0x403C90}});
    HandBuffer b({{100, 0x403C90}});
    EXPECT_EQ(m_Device->Out(stream, a.m_Header), kMidiErrorUnprepared);
    m_Device->Prepare(stream, a.m_Header);
    m_Device->Prepare(stream, b.m_Header);
    m_Device->Out(stream, a.m_Header);
    m_Device->Out(stream, b.m_Header);
    EXPECT_EQ(m_Device->Unprepare(stream, a.m_Header), kMidiErrorStillPlaying);
    EXPECT_EQ(m_Device->Close(stream), kMidiErrorStillPlaying);

    // Stop hands both back, unplayed, oldest first.
    EXPECT_EQ(m_Device->Stop(stream), kMidiOk);
    const auto reports = receiver.Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], std::make_pair(&a.m_Header, false));
    EXPECT_EQ(reports[1], std::make_pair(&b.m_Header, false));
    EXPECT_EQ(a.m_Header.m_nFlags & kMidiHeaderInQueue, 0u);
    EXPECT_EQ(m_Device->Close(stream), kMidiOk);
    EXPECT_EQ(m_Device->Open(second, &receiver), kMidiOk);
    EXPECT_NE(second, stream);
    m_Device->Close(second);
}

TEST(FluidMidiDeviceCreateTest, MissingSoundFontGivesNoDeviceAndAReason)
{
    Mixer mixer(kRate);
    std::string error;
    EXPECT_EQ(FluidMidiDevice::Create(mixer, "/no/such/font.sf2", &error), nullptr);
    EXPECT_NE(error.find("/no/such/font.sf2"), std::string::npos);
    EXPECT_EQ(mixer.VoiceCount(), 0);
}

} // namespace
