#include "common/graphics/BmpFile.h"

#include "platform/core/ByteOrder.h"
#include "platform/core/Files.h"

#include <algorithm>

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

namespace
{

constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
// A few bytes of codes can claim any size: coded pictures are held to this many pixels.
constexpr size_t kMaxCodedPixels = 4096 * 4096;

// The run-length codes of a coded picture into indices of file rows (row 0 at
// the bottom). False when a code runs past the bytes.
bool DecodeRunLength(const unsigned char* data, size_t size, int width, int height, bool fourBits,
                     std::vector<uint8_t>& fileRows)
{
    size_t at = 0;
    int x = 0;
    int row = 0;
    auto put = [&](uint8_t index)
    {
        if (x < width && row < height)
        {
            fileRows[static_cast<size_t>(row) * width + x] = index;
        }
        ++x;
    };
    while (row < height)
    {
        if (at == size)
        {
            return true; // no end code: the rest stays index 0
        }
        if (at + 2 > size)
        {
            return false;
        }
        const int count = data[at];
        const int value = data[at + 1];
        at += 2;
        if (count > 0)
        {
            for (int i = 0; i < count; ++i)
            {
                put(static_cast<uint8_t>(fourBits ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value));
            }
            continue;
        }
        switch (value)
        {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of picture
            return true;
        case 2: // move right and up the file's rows
            if (at + 2 > size)
            {
                return false;
            }
            x += data[at];
            row += data[at + 1];
            at += 2;
            break;
        default: // a literal run of `value` pixels, padded to a 16-bit boundary
        {
            const size_t bytes = fourBits ? (static_cast<size_t>(value) + 1) / 2 : static_cast<size_t>(value);
            const size_t padded = (bytes + 1) & ~static_cast<size_t>(1);
            if (at + padded > size)
            {
                return false;
            }
            for (int i = 0; i < value; ++i)
            {
                const uint8_t byte = data[at + (fourBits ? i / 2 : i)];
                put(static_cast<uint8_t>(fourBits ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte));
            }
            at += padded;
            break;
        }
        }
    }
    return true;
}

} // namespace

BmpResult DecodeBmp(const std::vector<unsigned char>& bytes, const BmpHeader& header, BmpPicture& picture)
{
    BmpPicture p;
    p.m_nWidth = header.m_nWidth;
    p.m_nHeight = header.m_nHeight;
    p.m_nBitCount = header.m_nBitCount;
    p.m_bIndexed = header.m_nBitCount <= 8;
    p.m_nColours = header.m_nColours;
    for (int i = 0; i < header.m_nColours; ++i)
    {
        const unsigned char* e = bytes.data() + header.m_nColourTableOffset + i * 4;
        p.m_Table[i] = static_cast<uint32_t>(e[2]) << 16 | e[1] << 8 | e[0];
    }
    const size_t pixels = static_cast<size_t>(p.m_nWidth) * p.m_nHeight;
    const bool coded = (header.m_nCompression == kRle8 && header.m_nBitCount == 8) ||
                       (header.m_nCompression == kRle4 && header.m_nBitCount == 4);
    if (coded)
    {
        if (header.m_bTopDown || pixels > kMaxCodedPixels || header.m_nPixelOffset < header.m_nColourTableOffset ||
            header.m_nPixelOffset > bytes.size())
        {
            return BmpResult::Unreadable;
        }
        std::vector<uint8_t> fileRows(pixels, 0);
        if (!DecodeRunLength(bytes.data() + header.m_nPixelOffset, bytes.size() - header.m_nPixelOffset, p.m_nWidth,
                             p.m_nHeight, header.m_nBitCount == 4, fileRows))
        {
            return BmpResult::Unreadable;
        }
        p.m_Indices.resize(pixels);
        for (int y = 0; y < p.m_nHeight; ++y)
        {
            const uint8_t* from = &fileRows[static_cast<size_t>(p.m_nHeight - 1 - y) * p.m_nWidth];
            std::copy(from, from + p.m_nWidth, &p.m_Indices[static_cast<size_t>(y) * p.m_nWidth]);
        }
        picture = std::move(p);
        return BmpResult::Ok;
    }
    BmpHeader h = header;
    if (CheckBmpPixels(bytes, h) != BmpResult::Ok)
    {
        return BmpResult::Unreadable;
    }
    if (p.m_bIndexed)
    {
        p.m_Indices.resize(pixels);
        const int bits = h.m_nBitCount;
        const int perByte = 8 / bits;
        for (int y = 0; y < p.m_nHeight; ++y)
        {
            const unsigned char* row = BmpRow(bytes, h, y);
            uint8_t* out = &p.m_Indices[static_cast<size_t>(y) * p.m_nWidth];
            for (int x = 0; x < p.m_nWidth; ++x)
            {
                out[x] = static_cast<uint8_t>(row[x / perByte] >> ((perByte - 1 - x % perByte) * bits) &
                                              ((1 << bits) - 1));
            }
        }
    }
    else
    {
        p.m_Rgb.resize(pixels);
        const int step = h.m_nBitCount / 8;
        for (int y = 0; y < p.m_nHeight; ++y)
        {
            const unsigned char* row = BmpRow(bytes, h, y);
            uint32_t* out = &p.m_Rgb[static_cast<size_t>(y) * p.m_nWidth];
            for (int x = 0; x < p.m_nWidth; ++x)
            {
                const unsigned char* c = row + x * step;
                out[x] = static_cast<uint32_t>(c[2]) << 16 | c[1] << 8 | c[0];
            }
        }
    }
    picture = std::move(p);
    return BmpResult::Ok;
}

BmpResult ReadBmpPicture(std::string_view path, BmpPicture& picture)
{
    std::vector<unsigned char> bytes;
    BmpHeader header;
    BmpResult result = ReadBmpInfo(path, bytes, header);
    return result == BmpResult::Ok ? DecodeBmp(bytes, header, picture) : result;
}
