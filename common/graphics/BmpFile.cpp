#include "common/graphics/BmpFile.h"

#include "platform/core/ByteOrder.h"
#include "platform/core/Files.h"

namespace
{

constexpr uint32_t kFileHeaderSize = 14;
constexpr int kMaxSide = 32768;

} // namespace

BmpResult ReadBmpInfo(std::string_view path, std::vector<unsigned char>& bytes, BmpHeader& header)
{
    if (!platform::ReadWholeFile(path, bytes) || bytes.size() < kFileHeaderSize + 40 || bytes[0] != 'B' ||
        bytes[1] != 'M')
    {
        return BmpResult::Unreadable;
    }
    uint32_t infoSize = platform::ReadLe32(bytes.data() + 14);
    if (infoSize < 40 || infoSize > bytes.size() - kFileHeaderSize)
    {
        return BmpResult::Unreadable;
    }
    BmpHeader h;
    int32_t width = static_cast<int32_t>(platform::ReadLe32(bytes.data() + 18));
    int32_t height = static_cast<int32_t>(platform::ReadLe32(bytes.data() + 22));
    uint16_t planes = platform::ReadLe16(bytes.data() + 26);
    h.m_nBitCount = platform::ReadLe16(bytes.data() + 28);
    h.m_nCompression = platform::ReadLe32(bytes.data() + 30);
    uint32_t coloursUsed = platform::ReadLe32(bytes.data() + 46);
    if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide || planes != 1)
    {
        return BmpResult::Unreadable;
    }
    h.m_nWidth = width;
    h.m_nHeight = height < 0 ? -height : height;
    h.m_bTopDown = height < 0;
    if (h.m_nBitCount == 1 || h.m_nBitCount == 2 || h.m_nBitCount == 4 || h.m_nBitCount == 8)
    {
        uint32_t most = 1u << h.m_nBitCount;
        h.m_nColours = static_cast<int>(coloursUsed == 0 || coloursUsed > most ? most : coloursUsed);
    }
    h.m_nColourTableOffset = kFileHeaderSize + infoSize;
    if (h.m_nColourTableOffset + h.m_nColours * 4ull > bytes.size())
    {
        return BmpResult::Unreadable;
    }
    h.m_nPixelOffset = platform::ReadLe32(bytes.data() + 10);
    header = h;
    return BmpResult::Ok;
}

BmpResult CheckBmpPixels(const std::vector<unsigned char>& bytes, BmpHeader& header)
{
    if (header.m_nCompression != 0 || (header.m_nBitCount != 1 && header.m_nBitCount != 4 &&
                                       header.m_nBitCount != 8 && header.m_nBitCount != 24 &&
                                       header.m_nBitCount != 32))
    {
        return BmpResult::Unreadable;
    }
    header.m_nStride = static_cast<uint32_t>((static_cast<uint64_t>(header.m_nWidth) * header.m_nBitCount + 31) / 32 * 4);
    if (header.m_nPixelOffset < header.m_nColourTableOffset ||
        header.m_nPixelOffset + static_cast<uint64_t>(header.m_nStride) * header.m_nHeight > bytes.size())
    {
        return BmpResult::Unreadable;
    }
    return BmpResult::Ok;
}

BmpResult ReadBmpHeader(std::string_view path, std::vector<unsigned char>& bytes, BmpHeader& header)
{
    BmpHeader h;
    BmpResult result = ReadBmpInfo(path, bytes, h);
    if (result == BmpResult::Ok)
    {
        result = CheckBmpPixels(bytes, h);
    }
    if (result == BmpResult::Ok)
    {
        header = h;
    }
    return result;
}

const unsigned char* BmpRow(const std::vector<unsigned char>& bytes, const BmpHeader& header, int y)
{
    int fileRow = header.m_bTopDown ? y : header.m_nHeight - 1 - y;
    return bytes.data() + header.m_nPixelOffset + static_cast<size_t>(fileRow) * header.m_nStride;
}
