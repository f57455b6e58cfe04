#include "SmfLoader.h"

#include "common/services/Log.h"
#include "common/sound/MidiTiming.h"
#include "common/sound/SoundPath.h"
#include "platform/core/Files.h"

#include <algorithm>
#include <cstring>

namespace
{

constexpr uint8_t kMetaStatus = 0xFF;
constexpr uint8_t kMetaEndOfTrack = 0x2F;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint32_t kDefaultTempo = 500000; // microseconds per quarter note: 120 beats per minute

// One source event: where its data bytes lie in the source block.
struct SourceEvent
{
    uint64_t m_nTime;   // absolute time in ticks
    uint32_t m_nOffset; // first data byte in the source block
    uint32_t m_nSize;   // number of data bytes
    uint8_t m_nStatus;
};

uint32_t ReadBe32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

uint32_t ReadBe16(const uint8_t* p)
{
    return (uint32_t(p[0]) << 8) | p[1];
}

void WriteBe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

bool HasTag(const std::vector<uint8_t>& block, std::size_t at, const char* tag)
{
    return block.size() >= at + 4 && std::memcmp(block.data() + at, tag, 4) == 0;
}

// Reads the tracks of a source file through their chunk lengths. The events of
// all tracks go to `events` track by track; the end of the longest track to
// `endTime`. False when a chunk is not a track, runs past the file, holds an
// event that runs past the chunk or does not end with FF 2F.
bool ParseTracks(const std::vector<uint8_t>& block, uint32_t trackCount, std::vector<SourceEvent>& events,
                 uint64_t& endTime)
{
    std::size_t pos = 14;
    endTime = 0;
    for (uint32_t track = 0; track < trackCount; ++track)
    {
        if (!HasTag(block, pos, "MTrk") || block.size() < pos + 8)
        {
            return false;
        }
        const std::size_t chunkEnd = pos + 8 + std::size_t(ReadBe32(block.data() + pos + 4));
        if (chunkEnd > block.size())
        {
            return false;
        }
        pos += 8;

        uint64_t time = 0;
        uint8_t runningStatus = 0;
        bool ended = false;
        while (!ended)
        {
            uint32_t delta = 0;
            int n = ReadVarLen(block.data() + pos, chunkEnd - pos, delta);
            if (n == 0 || pos + n >= chunkEnd)
            {
                return false;
            }
            pos += n;
            time += delta;

            uint8_t status = block[pos];
            if (status >= 0x80)
            {
                ++pos;
                if (status < 0xF0)
                {
                    runningStatus = status;
                }
            }
            else if (runningStatus != 0)
            {
                status = runningStatus; // the byte is the first data byte
            }
            else
            {
                return false;
            }

            const std::size_t dataStart = pos;
            if (status == kMetaStatus || status == 0xF0 || status == 0xF7)
            {
                uint8_t type = 0;
                if (status == kMetaStatus)
                {
                    if (pos >= chunkEnd)
                    {
                        return false;
                    }
                    type = block[pos++];
                }
                uint32_t length = 0;
                n = ReadVarLen(block.data() + pos, chunkEnd - pos, length);
                if (n == 0 || length > chunkEnd - pos - n)
                {
                    return false;
                }
                pos += n + length;
                if (status == kMetaStatus && type == kMetaEndOfTrack)
                {
                    endTime = std::max(endTime, time);
                    ended = true;
                    continue;
                }
            }
            else
            {
                uint32_t size = SmfShortDataSize(status);
                if (size > chunkEnd - pos)
                {
                    return false;
                }
                pos += size;
            }
            events.push_back({time, uint32_t(dataStart), uint32_t(pos - dataStart), status});
        }
        pos = chunkEnd;
    }
    return true;
}

} // namespace

int ReadVarLen(const uint8_t* bytes, std::size_t available, uint32_t& value)
{
    value = 0;
    for (int i = 0; i < 4; ++i)
    {
        if (static_cast<std::size_t>(i) >= available)
        {
            return 0;
        }
        value = (value << 7) | (bytes[i] & 0x7F);
        if ((bytes[i] & 0x80) == 0)
        {
            return i + 1;
        }
    }
    return 0;
}

int WriteVarLen(uint8_t* out, uint32_t value)
{
    if (value > kSmfMaxVarLen)
    {
        return 0;
    }
    int count = 1;
    for (uint32_t rest = value >> 7; rest != 0; rest >>= 7)
    {
        ++count;
    }
    for (int i = 0; i < count; ++i)
    {
        uint8_t group = uint8_t((value >> (7 * (count - 1 - i))) & 0x7F);
        out[i] = i + 1 < count ? uint8_t(group | 0x80) : group;
    }
    return count;
}

bool SmfLoader::LoadFile(std::string_view fileName)
{
    m_strFileName = fileName;
    m_Image.clear();
    m_Length = 0.0;

    std::vector<uint8_t> block;
    if (!IsOpenableSoundPath(fileName) || !platform::ReadWholeFile(fileName, block))
    {
        WriteReportAndErrorLog("Midi %s Create ファイルが開けません", m_strFileName.c_str());
        return false;
    }
    return ReadHeader(block);
}

bool SmfLoader::ReadHeader(const std::vector<uint8_t>& block)
{
    const char* name = m_strFileName.c_str();
    auto refuse = [name](const char* line)
    {
        WriteReportAndErrorLog(line, name);
        return false;
    };

    if (!HasTag(block, 0, "MThd"))
    {
        return refuse("Midi %s Init 標準MIDIでない(4)");
    }
    // A division of 0 ticks (or of 0 SMPTE frames or ticks) has no time.
    if (block.size() < 14 || ReadBe32(block.data() + 4) != 6 || ReadBe16(block.data() + 12) == 0 ||
        ((block[12] & 0x80) && (block[12] == 0x80 || block[13] == 0)))
    {
        return refuse("Midi %s Init 標準MIDIでない(6)");
    }
    const uint32_t format = ReadBe16(block.data() + 8);
    if (format == 2)
    {
        return refuse("Midi %s Init 対応フォーマットが2でない");
    }
    if (format > 2)
    {
        return refuse("Midi %s Init 対応フォーマットが0または1でない");
    }
    if (!HasTag(block, 14, "MTrk"))
    {
        return refuse("Midi %s Init 標準MIDIでない(4)");
    }

    // Tracks that do not read as chunks, a file without a track and merged
    // deltas beyond four bytes are refused with the same line.
    const uint32_t trackCount = ReadBe16(block.data() + 10);
    std::vector<SourceEvent> events;
    uint64_t endTime = 0;
    if (trackCount == 0 || !ParseTracks(block, trackCount, events, endTime))
    {
        return refuse("Midi %s Init 標準MIDIでない(4)");
    }

    // Merge by time; the events were gathered track by track, so a stable sort
    // keeps equal times in track order. The end of the whole song comes last.
    std::stable_sort(events.begin(), events.end(),
                     [](const SourceEvent& a, const SourceEvent& b) { return a.m_nTime < b.m_nTime; });

    static const uint8_t kEndOfTrackData[] = {kMetaEndOfTrack, 0x00};
    const uint32_t division = ReadBe16(block.data() + 12);

    // The song's length, following the tempo changes.
    double length = 0.0;
    double tempo = kDefaultTempo;
    uint64_t tempoTime = 0;
    for (const SourceEvent& e : events)
    {
        const uint8_t* data = block.data() + e.m_nOffset;
        if (e.m_nStatus == kMetaStatus && e.m_nSize == 5 && data[0] == kMetaTempo && data[1] == 3)
        {
            length += double(e.m_nTime - tempoTime) * SecondsPerTick(division, tempo);
            tempo = double((uint32_t(data[2]) << 16) | (uint32_t(data[3]) << 8) | data[4]);
            tempoTime = e.m_nTime;
        }
    }
    length += double(endTime - tempoTime) * SecondsPerTick(division, tempo);

    std::vector<uint8_t> image(kSmfFirstEvent);
    std::memcpy(image.data(), "MThd\0\0\0\x06\0\0\0\x01", 12);
    image[12] = block[12];
    image[13] = block[13];
    std::memcpy(image.data() + 14, "MTrk", 4);
    image.reserve(block.size() * 2 + 32);

    uint64_t previousTime = 0;
    auto append = [&](uint64_t time, uint8_t status, const uint8_t* data, uint32_t size)
    {
        if (time - previousTime > kSmfMaxVarLen)
        {
            return false;
        }
        uint8_t delta[4];
        int n = WriteVarLen(delta, uint32_t(time - previousTime));
        previousTime = time;
        image.insert(image.end(), delta, delta + n);
        image.push_back(status);
        image.insert(image.end(), data, data + size);
        return true;
    };
    for (const SourceEvent& e : events)
    {
        if (!append(e.m_nTime, e.m_nStatus, block.data() + e.m_nOffset, e.m_nSize))
        {
            return refuse("Midi %s Init 標準MIDIでない(4)");
        }
    }
    if (!append(endTime, kMetaStatus, kEndOfTrackData, 2) || image.size() - kSmfFirstEvent > 0xFFFFFFFFu)
    {
        return refuse("Midi %s Init 標準MIDIでない(4)");
    }
    WriteBe32(image.data() + 18, uint32_t(image.size() - kSmfFirstEvent));

    m_Image = std::move(image);
    m_Length = length;
    return true;
}

uint32_t SmfLoader::TimeDivision() const
{
    return HasImage() ? ReadBe16(m_Image.data() + 12) : 0;
}

uint32_t SmfLoader::MusicEnd() const
{
    return HasImage() ? kSmfFirstEvent + ReadBe32(m_Image.data() + 18) : 0;
}
