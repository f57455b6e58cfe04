#pragma once

// Reading of BMP files: the file header's pixel offset, the information
// header's own size, the colour count, rows padded to 4 bytes, bottom-up or
// top-down. Only uncompressed 8-bit and 24-bit images are read.

#include <cstdint>
#include <string_view>
#include <vector>

enum class BmpResult
{
    Ok,
    Unreadable,   // missing, short, not a BMP, compressed or an unsupported layout
    WrongDepth,   // readable, but not the depth asked for
};

struct BmpHeader
{
    int m_nWidth = 0;
    int m_nHeight = 0;     // always positive
    bool m_bTopDown = false;
    int m_nBitCount = 0;
    uint32_t m_nCompression = 0;
    int m_nColours = 0;    // entries in the colour table (0 without one)
    uint32_t m_nColourTableOffset = 0;
    uint32_t m_nPixelOffset = 0;
    uint32_t m_nStride = 0; // bytes per row in the file (set by CheckBmpPixels)
};

// Reads the file and checks its headers and that its colour table lies inside
// the bytes, whatever its depth, compression or pixels.
BmpResult ReadBmpInfo(std::string_view path, std::vector<unsigned char>& bytes, BmpHeader& header);
// Whether the pixels of a file that ReadBmpInfo accepted can be read: a bit
// count of 1, 4, 8, 24 or 32 without compression, every row inside the bytes.
BmpResult CheckBmpPixels(const std::vector<unsigned char>& bytes, BmpHeader& header);
// ReadBmpInfo and CheckBmpPixels; the header is set only when both pass.
BmpResult ReadBmpHeader(std::string_view path, std::vector<unsigned char>& bytes, BmpHeader& header);

// The start of image row y (0 = top) inside the file's bytes.
const unsigned char* BmpRow(const std::vector<unsigned char>& bytes, const BmpHeader& header, int y);
