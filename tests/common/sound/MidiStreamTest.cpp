#include "common/sound/MidiStream.h"

#include "ManualMidiDevice.h"
#include "SmfBytes.h"
#include "TempFolder.h"
#include "common/services/Log.h"
#include "common/sound/MidiPlayer.h"
#include "platform/core/ByteOrder.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

using platform::ReadLe32;

struct StreamEvent
{
    uint32_t delta;
    uint32_t word;
};

// The events of a filled buffer.
std::vector<StreamEvent> Events(const MidiHeader& header)
{
    std::vector<StreamEvent> events;
    for (uint32_t at = 0; at + kMidiStreamEventSize <= header.m_nBytesRecorded;)
    {
        const uint32_t word = ReadLe32(header.m_pData + at + 8);
        events.push_back({ReadLe32(header.m_pData + at), word});
        at += MidiStreamEventSize(word);
    }
    return events;
}

// A stream buffer of its own for FillBuffer.
struct Buffer
{
    Buffer() : m_Data(MidiStream::kBufferSize, 0xCC)
    {
        m_Header.m_pData = m_Data.data();
        m_Header.m_nBufferLength = MidiStream::kBufferSize;
    }

    uint32_t Fill(const Bytes& image, uint32_t from = kSmfFirstEvent)
    {
        return MidiStream::FillBuffer(image.data() + from, uint32_t(image.size()) - from, m_Header, "a.mid");
    }

    Bytes m_Data;
    MidiHeader m_Header;
};

class MidiStreamTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(OpenReportLog("Report.txt"), 1); }

    std::string Report() const { return m_Folder.ReadText("Report.txt"); }

    TempFolder m_Folder;
    ManualMidiDevice m_Device;
};

TEST_F(MidiStreamTest, FillBufferWritesOneStreamEventPerSentEvent)
{
    SmfLoader loader;
    m_Folder.WriteFile("a.mid", ExampleFormat1File());
    ASSERT_TRUE(loader.LoadFile("a.mid"));
    Buffer buffer;
    EXPECT_EQ(buffer.Fill(loader.Image()), 20u); // every event byte of the image
    ASSERT_EQ(buffer.m_Header.m_nBytesRecorded, 48u);
    const std::vector<StreamEvent> events = Events(buffer.m_Header);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].word, 0x0107A120u);
    EXPECT_EQ(events[1].word, 0x00643C90u);
    EXPECT_EQ(events[2].word, 0x00003C90u);
    EXPECT_EQ(events[2].delta, 480u);
    EXPECT_EQ(events[3].word, 0x40002FFFu);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(ReadLe32(buffer.m_Data.data() + 12 * i + 4), 0u); // stream id
    }
    EXPECT_EQ(buffer.m_Data[48], 0); // the rest of the buffer is zeroed
    EXPECT_EQ(buffer.m_Data[MidiStream::kBufferSize - 1], 0);
}

TEST_F(MidiStreamTest, FillBufferPacksLongEventsAndCarriesTheTimeOfEventsItDoesNotSend)
{
    // A sysex of five data bytes, a text event 7 ticks later, a program change 5 ticks after it.
    const Bytes image = MergedImage(96, {0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x07, 0xFF, 0x01,
                                         0x02, 'h',  'i',  0x05, 0xC1, 0x10, 0x00, 0xFF, 0x2F, 0x00});
    Buffer buffer;
    EXPECT_EQ(buffer.Fill(image), uint32_t(image.size()) - kSmfFirstEvent);
    EXPECT_EQ(buffer.m_Header.m_nBytesRecorded, 20u + 12 + 12);
    EXPECT_EQ(ReadLe32(buffer.m_Data.data() + 8), 0x80000006u);
    EXPECT_EQ(HexBytes(Bytes(buffer.m_Data.begin() + 12, buffer.m_Data.begin() + 20)),
              HexBytes({0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7, 0x00, 0x00}));
    const std::vector<StreamEvent> events = Events(buffer.m_Header);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].delta, 12u);
    EXPECT_EQ(events[1].word, 0x000010C1u);
}

TEST_F(MidiStreamTest, OverflowingBufferEndsWithTheCallbackFlagAndTheNextStartsWithTheEventThatDidNotFit)
{
    // 2,000 short events fill a buffer exactly; a text event (delta 7) and a
    // note (delta 5) follow, then the end of the track.
    Bytes events = DenseEvents(2000);
    events.resize(events.size() - 4);
    events = Join({events, {0x07, 0xFF, 0x01, 0x01, 'x', 0x05, 0x90, 0x7F, 0x01, 0x00, 0xFF, 0x2F, 0x00}});
    const Bytes image = MergedImage(96, events);

    Buffer first;
    const uint32_t consumed = first.Fill(image);
    EXPECT_EQ(consumed, 2000u * 4);
    ASSERT_EQ(first.m_Header.m_nBytesRecorded, MidiStream::kBufferSize);
    const std::vector<StreamEvent> firstEvents = Events(first.m_Header);
    EXPECT_EQ(firstEvents.back().word & kMidiEventCallback, kMidiEventCallback);
    EXPECT_EQ(firstEvents[1998].word & kMidiEventCallback, 0u);

    Buffer second;
    EXPECT_EQ(second.Fill(image, kSmfFirstEvent + consumed), uint32_t(image.size()) - kSmfFirstEvent - consumed);
    const std::vector<StreamEvent> secondEvents = Events(second.m_Header);
    ASSERT_EQ(secondEvents.size(), 2u);
    EXPECT_EQ(secondEvents[0].word, 0x00017F90u);
    EXPECT_EQ(secondEvents[0].delta, 12u); // the text event's time is not lost
    EXPECT_EQ(secondEvents[1].word, 0x40002FFFu);
}

TEST_F(MidiStreamTest, EventTooLargeForAnEmptyBufferIsDroppedWithALogLine)
{
    // The second sysex is too long for the 24-bit length of a long event too.
    struct Case
    {
        uint32_t length;
        const char* line;
    };
    const Case cases[] = {
        {24000, "Midi a.mid Out バッファに入らないイベントを飛ばしました (24016 バイト)\r\n"},
        {0xFFFFFF, "Midi a.mid Out バッファに入らないイベントを飛ばしました (16777228 バイト)\r\n"},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        Bytes sysex = Join({{0x03, 0xF0}, VarLen(c.length), Bytes(c.length - 1, 0x11), {0xF7}});
        const Bytes image = MergedImage(96, Join({sysex, {0x02, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00}}));
        Buffer buffer;
        EXPECT_EQ(buffer.Fill(image), uint32_t(image.size()) - kSmfFirstEvent);
        const std::vector<StreamEvent> events = Events(buffer.m_Header);
        ASSERT_EQ(events.size(), 2u) << c.length;
        EXPECT_EQ(events[0].word, 0x00403C90u);
        EXPECT_EQ(events[0].delta, 5u);
        EXPECT_EQ(Report(), c.line);
    }
}

TEST_F(MidiStreamTest, OpenQueuesTheFirstBufferAndRestartTheSecond)
{
    m_Folder.WriteFile("long.mid", Join({SmfHeader(0, 1, 96), SmfTrack(DenseEvents(3000))}));
    MidiStream stream(m_Device, "long.mid");
    ASSERT_TRUE(stream.HasImage());
    EXPECT_EQ(m_Device.Calls(), (std::vector<std::string>{"Open", "Property", "Prepare", "Out"}));
    EXPECT_EQ(m_Device.Division(), 96u);
    EXPECT_EQ(stream.State(), MidiStream::kStopped);
    EXPECT_EQ(m_Device.QueuedBuffers(), (std::vector<uintptr_t>{0}));

    stream.Restart();
    EXPECT_EQ(stream.State(), MidiStream::kPlaying);
    EXPECT_TRUE(m_Device.IsPlaying());
    EXPECT_EQ(m_Device.QueuedBuffers(), (std::vector<uintptr_t>{0, 1}));
    EXPECT_EQ(stream.ReadPosition(), stream.MusicEnd());

    // Pause, then restart: resumes without queuing anything new.
    stream.Stop(1);
    EXPECT_EQ(stream.State(), MidiStream::kPaused);
    m_Device.ClearCalls();
    stream.Restart();
    EXPECT_EQ(m_Device.Calls(), (std::vector<std::string>{"Restart"}));
    EXPECT_EQ(m_Device.QueuedCount(), 2);

    // Stop rewinds: every buffer comes back and the first is queued again.
    stream.Stop(0);
    EXPECT_EQ(stream.State(), MidiStream::kStopped);
    EXPECT_EQ(m_Device.QueuedCount(), 1);
    EXPECT_EQ(stream.ReadPosition(), kSmfFirstEvent + 2000u * 4);

    // Pausing a stopped stream does nothing.
    m_Device.ClearCalls();
    stream.Stop(1);
    EXPECT_EQ(stream.State(), MidiStream::kStopped);
    EXPECT_TRUE(m_Device.Calls().empty());
}

TEST_F(MidiStreamTest, DoneBuffersAreRefilledAndTheEndOfTrackLoopsBackToTheStart)
{
    // 2,500 notes: the first buffer holds 2,000, the second the rest and the end.
    m_Folder.WriteFile("long.mid", Join({SmfHeader(0, 1, 96), SmfTrack(DenseEvents(2500))}));
    MidiStream stream(m_Device, "long.mid");
    stream.Restart();
    ASSERT_EQ(m_Device.QueuedBuffers(), (std::vector<uintptr_t>{0, 1}));
    const MidiHeader& first = stream.Header(0);
    const uint32_t firstWord = ReadLe32(first.m_pData + 8);

    // The first buffer is done: nothing is left to read, so nothing is queued.
    m_Device.ClearCalls();
    ASSERT_TRUE(m_Device.CompleteNext());
    stream.WaitForPlayerThread();
    EXPECT_TRUE(m_Device.Calls().empty());

    // The second ends with the end-of-track event: stop, rewind, restart.
    ASSERT_TRUE(m_Device.CompleteNext());
    stream.WaitForPlayerThread();
    EXPECT_EQ(m_Device.Calls(), (std::vector<std::string>{"Stop", "Prepare", "Out", "Restart", "Prepare", "Out"}));
    EXPECT_EQ(m_Device.QueuedBuffers(), (std::vector<uintptr_t>{0, 1}));
    EXPECT_EQ(ReadLe32(first.m_pData + 8), firstWord); // buffer 0 starts the song again
    EXPECT_EQ(ReadLe32(first.m_pData), 0u);
    EXPECT_EQ(stream.State(), MidiStream::kPlaying);
}

TEST_F(MidiStreamTest, SongInOneBufferRepeatsFromPosition22)
{
    m_Folder.WriteFile("a.mid", ExampleFormat1File());
    MidiStream stream(m_Device, "a.mid");
    stream.Restart();
    EXPECT_EQ(m_Device.QueuedCount(), 1); // the whole song is in the first buffer
    for (int round = 0; round < 3; ++round)
    {
        m_Device.ClearCalls();
        ASSERT_TRUE(m_Device.CompleteNext());
        stream.WaitForPlayerThread();
        EXPECT_EQ(m_Device.Calls(), (std::vector<std::string>{"Stop", "Prepare", "Out", "Restart"}));
        EXPECT_EQ(m_Device.QueuedCount(), 1);
        EXPECT_EQ(stream.ReadPosition(), 42u);
        EXPECT_EQ(ReadLe32(stream.Header(round % 2 == 0 ? 1 : 0).m_pData + 8), 0x0107A120u);
    }
}

TEST_F(MidiStreamTest, EndOfTrackReportedAfterAStopDoesNotStartTheSongAgain)
{
    m_Folder.WriteFile("a.mid", ExampleFormat1File());
    MidiStream stream(m_Device, "a.mid");
    stream.Restart();
    stream.Stop(1);
    // The buffer was played out just before the pause took effect.
    ASSERT_TRUE(m_Device.CompleteNext());
    stream.WaitForPlayerThread();
    EXPECT_EQ(stream.State(), MidiStream::kStopped); // rewound, not playing
    EXPECT_FALSE(m_Device.IsPlaying());
    EXPECT_EQ(m_Device.QueuedCount(), 1);
}

TEST_F(MidiStreamTest, DeviceFailuresAreLoggedAndTheSequenceGoesOn)
{
    m_Folder.WriteFile("a.mid", ExampleFormat1File());
    m_Device.FailOperation("Restart", kMidiErrorAllocated);
    MidiStream stream(m_Device, "a.mid");
    stream.Restart();
    EXPECT_EQ(stream.State(), MidiStream::kPlaying);
    EXPECT_EQ(Report(), "Midi a.mid Restart 指定されたデバイスは既に使用されています。\r\n");

    // A second stream cannot open the device while the first has it.
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    {
        MidiStream second(m_Device, "a.mid");
    }
    const std::string report = Report();
    EXPECT_EQ(report.substr(0, report.find("\r\n")), "Midi a.mid Open 指定されたデバイスは既に使用されています。");
    EXPECT_NE(report.find("Midi a.mid Close デバイスハンドルが無効です。"), std::string::npos);
    EXPECT_TRUE(m_Device.IsOpen()); // the first stream still has it
}

TEST_F(MidiStreamTest, ClosingHandsBackTheBuffersAndClosesTheDevice)
{
    m_Folder.WriteFile("long.mid", Join({SmfHeader(0, 1, 96), SmfTrack(DenseEvents(3000))}));
    {
        MidiStream stream(m_Device, "long.mid");
        stream.Restart();
        m_Device.ClearCalls();
    }
    EXPECT_EQ(m_Device.Calls(), (std::vector<std::string>{"Reset", "Unprepare", "Unprepare", "Close"}));
    EXPECT_FALSE(m_Device.IsOpen());
    EXPECT_EQ(Report(), "");

    // Without an image nothing is opened and every operation does nothing.
    m_Device.ClearCalls();
    MidiStream missing(m_Device, "none.mid");
    missing.Restart();
    missing.Stop(0);
    EXPECT_TRUE(m_Device.Calls().empty());
    EXPECT_EQ(missing.State(), MidiStream::kStopped);
}

TEST_F(MidiStreamTest, ReportsFromAnotherThreadAndRequestsInterleaveSafely)
{
    m_Folder.WriteFile("long.mid", Join({SmfHeader(0, 1, 96), SmfTrack(DenseEvents(2500))}));
    auto stream = std::make_unique<MidiStream>(m_Device, "long.mid");
    std::atomic<bool> done{false};
    std::thread device(
        [&]
        {
            while (!done)
            {
                m_Device.CompleteNext();
                std::this_thread::yield();
            }
        });
    for (int i = 0; i < 300; ++i)
    {
        switch (i % 4)
        {
        case 0:
            stream->Restart();
            break;
        case 1:
            stream->Stop(1);
            break;
        case 2:
            stream->Restart();
            break;
        default:
            stream->Stop(0);
            break;
        }
        EXPECT_LE(m_Device.QueuedCount(), 2);
    }
    stream->Stop(0);
    stream->WaitForPlayerThread();
    EXPECT_EQ(stream->State(), MidiStream::kStopped);
    done = true;
    device.join();
    stream.reset();
    EXPECT_FALSE(m_Device.IsOpen());
}

TEST_F(MidiStreamTest, PlayerPlaysOneStreamAtATime)
{
    m_Folder.WriteFile("bgm/a.mid", ExampleFormat1File());
    m_Folder.WriteFile("bgm/b.mid", ExampleFormat1File());
    MidiPlayer player;
    player.SetDevice(&m_Device);
    player.SetChannelCount(2);

    EXPECT_EQ(player.Play(0, "bgm\\a.mid"), 1);
    ASSERT_NE(player.Stream(0), nullptr);
    EXPECT_EQ(player.Stream(0)->State(), MidiStream::kPlaying);

    m_Device.ClearCalls();
    EXPECT_EQ(player.Play(1, "bgm\\b.mid"), 1);
    EXPECT_EQ(player.Stream(0), nullptr); // the stream of channel 0 is gone
    ASSERT_NE(player.Stream(1), nullptr);
    EXPECT_EQ(player.Stream(1)->FileName(), "bgm\\b.mid");
    const std::vector<std::string> calls = m_Device.Calls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 5),
              (std::vector<std::string>{"Pause", "Reset", "Unprepare", "Unprepare", "Close"}));

    // Only the extension "mid" plays; every stream is closed all the same.
    EXPECT_EQ(player.Play(1, "bgm\\a.MID"), 0);
    EXPECT_EQ(player.Stream(1), nullptr);
    EXPECT_FALSE(m_Device.IsOpen());

    // A file that does not load leaves its stream without an image in the channel.
    EXPECT_EQ(player.Play(0, "bgm\\none.mid"), 0);
    ASSERT_NE(player.Stream(0), nullptr);
    EXPECT_FALSE(player.Stream(0)->HasImage());

    player.Play(0, "bgm\\a.mid");
    player.StopAll(0);
    EXPECT_EQ(player.Stream(0)->State(), MidiStream::kStopped);
    player.Clear();
    EXPECT_EQ(player.ChannelCount(), 0);
    EXPECT_FALSE(m_Device.IsOpen());
}

} // namespace
