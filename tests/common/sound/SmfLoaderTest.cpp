#include "common/sound/SmfLoader.h"

#include "SmfBytes.h"
#include "TempFolder.h"
#include "common/services/Log.h"

#include <gtest/gtest.h>

namespace
{

class SmfLoaderTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(OpenReportLog("Report.txt"), 1); }

    // Loads the bytes as the file "a.mid".
    bool Load(const Bytes& bytes)
    {
        m_Folder.WriteFile("a.mid", bytes);
        return m_Loader.LoadFile("a.mid");
    }

    std::string Report() const { return m_Folder.ReadText("Report.txt"); }

    TempFolder m_Folder;
    SmfLoader m_Loader;
};

TEST_F(SmfLoaderTest, Format1FileMergesIntoOneTrackWithExplicitStatusBytes)
{
    ASSERT_TRUE(Load(ExampleFormat1File()));
    const Bytes expected = {'M',  'T',  'h',  'd',  0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x01, 0x01, 0xE0,
                            'M',  'T',  'r',  'k',  0x00, 0x00, 0x00, 0x14, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1,
                            0x20, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x90, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(HexBytes(m_Loader.Image()), HexBytes(expected));
    EXPECT_DOUBLE_EQ(m_Loader.Length(), 0.5);
    EXPECT_EQ(m_Loader.TimeDivision(), 480u);
    EXPECT_EQ(m_Loader.MusicEnd(), 42u);
    EXPECT_EQ(m_Loader.FileName(), "a.mid");
    EXPECT_EQ(Report(), "");
}

TEST_F(SmfLoaderTest, EventsOnOneTickMergeInTrackOrderAndTheSongEndsOnceAtTheLongestTrack)
{
    const Bytes file =
        Join({SmfHeader(1, 3, 96), SmfTrack({0x00, 0x90, 0x30, 0x40, 0x10, 0x80, 0x30, 0x00, 0x00, 0xFF, 0x2F, 0x00}),
              SmfTrack({0x10, 0x91, 0x31, 0x40, 0x20, 0xFF, 0x2F, 0x00}),
              SmfTrack({0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x10, 0xC2, 0x05, 0x05, 0xFF, 0x2F, 0x00})});
    ASSERT_TRUE(Load(file));
    const Bytes events(m_Loader.Image().begin() + kSmfFirstEvent, m_Loader.Image().end());
    // Tick 0: track 0, then track 2's sysex; tick 16: tracks 0, 1, 2; the end at tick 48 (track 1).
    const Bytes expected = {0x00, 0x90, 0x30, 0x40, 0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x10, 0x80, 0x30,
                            0x00, 0x00, 0x91, 0x31, 0x40, 0x00, 0xC2, 0x05, 0x20, 0xFF, 0x2F, 0x00};
    EXPECT_EQ(HexBytes(events), HexBytes(expected));
}

TEST_F(SmfLoaderTest, LengthFollowsTempoChangesAndTimeDivision)
{
    struct Case
    {
        uint16_t division;
        Bytes events;
        double seconds;
    };
    const Bytes end960 = {0x87, 0x40, 0xFF, 0x2F, 0x00}; // 960 ticks later
    const Case cases[] = {
        {480, Join({{0x00, 0x90, 0x3C, 0x64}, end960}), 1.0},                   // 120 bpm by default
        {480, Join({{0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90}, end960}), 0.5}, // 250,000 us
        {480, {0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x60, 0xFF, 0x2F, 0x00}, 1.5}, // 0.5 + 1.0
        {0xE728, {0x87, 0x68, 0xFF, 0x2F, 0x00}, 1.0}, // 25 frames of 40 ticks: 1,000 ticks a second
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Load(Join({SmfHeader(0, 1, c.division), SmfTrack(c.events)})));
        EXPECT_DOUBLE_EQ(m_Loader.Length(), c.seconds) << HexBytes(c.events);
    }
}

TEST_F(SmfLoaderTest, RefusedFilesWriteTheirLineAndLeaveNoImage)
{
    const Bytes track = SmfTrack({0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00});
    Bytes truncated = Join({SmfHeader(0, 1, 96), track});
    truncated.pop_back();
    struct Case
    {
        const char* what;
        Bytes file;
        const char* line;
    };
    const Case cases[] = {
        {"not MThd", Join({{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}, track}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"header length", Join({{'M', 'T', 'h', 'd', 0, 0, 0, 8, 0, 0, 0, 1, 0, 96}, track}),
         "Midi a.mid Init 標準MIDIでない(6)"},
        {"format 2", Join({SmfHeader(2, 1, 96), track}), "Midi a.mid Init 対応フォーマットが2でない"},
        {"format 3", Join({SmfHeader(3, 1, 96), track}), "Midi a.mid Init 対応フォーマットが0または1でない"},
        {"no MTrk", Join({SmfHeader(0, 1, 96), {'M', 'T', 'r', 'x', 0, 0, 0, 0}}), "Midi a.mid Init 標準MIDIでない(4)"},
        {"empty file", {}, "Midi a.mid Init 標準MIDIでない(4)"},
        {"short header", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0}, "Midi a.mid Init 標準MIDIでない(6)"},
        {"division 0", Join({SmfHeader(0, 1, 0), track}), "Midi a.mid Init 標準MIDIでない(6)"},
        {"no track", Join({SmfHeader(0, 0, 96), track}), "Midi a.mid Init 標準MIDIでない(4)"},
        {"second chunk unknown", Join({SmfHeader(1, 2, 96), track, {'X', 'T', 'r', 'k', 0, 0, 0, 0}}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"second track missing", Join({SmfHeader(1, 2, 96), track}), "Midi a.mid Init 標準MIDIでない(4)"},
        {"truncated chunk", truncated, "Midi a.mid Init 標準MIDIでない(4)"},
        {"track without end", Join({SmfHeader(0, 1, 96), SmfTrack({0x00, 0x90, 0x3C, 0x64})}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"event past the chunk", Join({SmfHeader(0, 1, 96), SmfTrack({0x00, 0x90, 0x3C}), track}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"data byte without a status",
         Join({SmfHeader(0, 1, 96), SmfTrack({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00})}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"delta of five bytes", Join({SmfHeader(0, 1, 96), SmfTrack({0x80, 0x80, 0x80, 0x80, 0x00, 0xFF, 0x2F, 0x00})}),
         "Midi a.mid Init 標準MIDIでない(4)"},
        {"meta longer than the chunk", Join({SmfHeader(0, 1, 96), SmfTrack({0x00, 0xFF, 0x01, 0x7F, 0x41})}),
         "Midi a.mid Init 標準MIDIでない(4)"},
    };
    for (const Case& c : cases)
    {
        ASSERT_EQ(OpenReportLog("Report.txt"), 1);
        EXPECT_FALSE(Load(c.file)) << c.what;
        EXPECT_FALSE(m_Loader.HasImage()) << c.what;
        EXPECT_EQ(Report(), std::string(c.line) + "\r\n") << c.what;
    }
}

TEST_F(SmfLoaderTest, FileThatCannotBeOpenedWritesTheCreateLineToBothLogs)
{
    InitErrorLog(1, "EC.txt");
    EXPECT_FALSE(m_Loader.LoadFile("bgm\\none.mid"));
    EXPECT_FALSE(m_Loader.HasImage());
    EXPECT_EQ(Report(), "Midi bgm\\none.mid Create ファイルが開けません\r\n");
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), "Midi bgm\\none.mid Create ファイルが開けません\r\n");

    // A name longer than the 259 characters of a path fails as a missing file, even when it exists.
    const std::string longName(256, 'x');
    m_Folder.WriteFile(longName + ".mid", ExampleFormat1File());
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    EXPECT_FALSE(m_Loader.LoadFile(longName + ".mid"));
    EXPECT_EQ(Report(), "Midi " + longName + ".mid Create ファイルが開けません\r\n");
}

TEST(SmfVarLenTest, WritesAndReadsEachSizeAndRefusesWhatDoesNotFitFourBytes)
{
    struct Case
    {
        uint32_t value;
        Bytes bytes;
    };
    const Case cases[] = {
        {0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases)
    {
        uint8_t out[4] = {};
        ASSERT_EQ(WriteVarLen(out, c.value), int(c.bytes.size())) << c.value;
        EXPECT_EQ(HexBytes(Bytes(out, out + c.bytes.size())), HexBytes(c.bytes));
        uint32_t read = 0;
        EXPECT_EQ(ReadVarLen(c.bytes.data(), c.bytes.size(), read), int(c.bytes.size()));
        EXPECT_EQ(read, c.value);
    }

    uint8_t out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_EQ(WriteVarLen(out, 0x10000000), 0);
    EXPECT_EQ(out[0], 0xAA);

    uint32_t value = 0;
    const uint8_t fiveBytes[] = {0x81, 0x80, 0x80, 0x80, 0x00};
    EXPECT_EQ(ReadVarLen(fiveBytes, 5, value), 0);
    EXPECT_EQ(ReadVarLen(fiveBytes, 2, value), 0); // the bytes end first
    EXPECT_EQ(ReadVarLen(fiveBytes, 0, value), 0);
}

} // namespace
