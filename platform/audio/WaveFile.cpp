#include "WaveFile.h"

#include "platform/core/ByteOrder.h"
#include "platform/core/Files.h"

#include <algorithm>
#include <cstring>

namespace platform
{

namespace
{

constexpr uint32_t kMaxFormatChunk = 18; // the "fmt " chunk must be below 19 bytes
constexpr uint16_t kFormatPcm = 1;

// Finds a chunk among those in [pos, end); its data offset and size.
bool FindChunk(const std::vector<uint8_t>& bytes, std::size_t pos, std::size_t end, const char* id, std::size_t& dataAt,
               uint32_t& size)
{
    while (pos + 8 <= end)
    {
        const uint32_t chunkSize = ReadLe32(bytes.data() + pos + 4);
        if (std::memcmp(bytes.data() + pos, id, 4) == 0)
        {
            dataAt = pos + 8;
            size = chunkSize;
            return chunkSize <= end - dataAt;
        }
        pos += 8 + std::size_t(chunkSize) + (chunkSize & 1);
    }
    return false;
}

} // namespace

bool WaveData::IsPlayable() const
{
    return (m_nBitsPerSample == 8 || m_nBitsPerSample == 16) && (m_nChannels == 1 || m_nChannels == 2) &&
           m_nSamplesPerSec > 0 && m_nSamplesPerSec <= uint32_t(kMaxSampleRate);
}

AudioFormat WaveData::Format() const
{
    return {int(m_nSamplesPerSec), int(m_nChannels), m_nBitsPerSample == 8 ? SampleType::U8 : SampleType::S16};
}

bool ParseWaveFile(const std::vector<uint8_t>& bytes, WaveData& wave)
{
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    {
        return false;
    }
    const std::size_t end = std::min(bytes.size(), std::size_t(8) + ReadLe32(bytes.data() + 4));
    std::size_t formatAt = 0;
    uint32_t formatSize = 0;
    if (!FindChunk(bytes, 12, end, "fmt ", formatAt, formatSize) || formatSize < 16 || formatSize > kMaxFormatChunk)
    {
        return false;
    }
    WaveData result;
    const uint8_t* f = bytes.data() + formatAt;
    result.m_nFormatTag = ReadLe16(f);
    result.m_nChannels = ReadLe16(f + 2);
    result.m_nSamplesPerSec = ReadLe32(f + 4);
    result.m_nAvgBytesPerSec = ReadLe32(f + 8);
    result.m_nBlockAlign = ReadLe16(f + 12);
    result.m_nBitsPerSample = ReadLe16(f + 14);
    if (result.m_nFormatTag != kFormatPcm)
    {
        return false;
    }
    std::size_t dataAt = 0;
    uint32_t dataSize = 0;
    const std::size_t afterFormat = formatAt + formatSize + (formatSize & 1);
    if (!FindChunk(bytes, afterFormat, end, "data", dataAt, dataSize))
    {
        return false;
    }
    result.m_Samples.assign(bytes.begin() + std::ptrdiff_t(dataAt), bytes.begin() + std::ptrdiff_t(dataAt + dataSize));
    wave = std::move(result);
    return true;
}

bool ReadWaveFile(std::string_view path, WaveData& wave)
{
    std::vector<uint8_t> bytes;
    return ReadWholeFile(path, bytes) && ParseWaveFile(bytes, wave);
}

int64_t WaveData::FrameCount() const
{
    // A trailing part of a frame is not played.
    const int frameBytes = IsPlayable() ? Format().FrameBytes() : 0;
    return frameBytes > 0 ? int64_t(m_Samples.size() / std::size_t(frameBytes)) : 0;
}

int WaveSource::Read(void* out, int frames)
{
    const int frameBytes = Format().FrameBytes();
    const int n = int(std::min<int64_t>(frames, FrameCount() - m_nFrame));
    if (n <= 0)
    {
        return 0;
    }
    std::memcpy(out, m_pWave->m_Samples.data() + m_nFrame * frameBytes, std::size_t(n) * std::size_t(frameBytes));
    m_nFrame += n;
    return n;
}

bool WaveSource::Seek(int64_t frame)
{
    if (frame < 0 || frame > FrameCount())
    {
        return false;
    }
    m_nFrame = frame;
    return true;
}

} // namespace platform
