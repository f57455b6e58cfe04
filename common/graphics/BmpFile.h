#pragma once

// Reading of BMP files: the file header's pixel offset, the information
// header's own size, the colour count, rows padded to 4 bytes, bottom-up or
// top-down. The rows of uncompressed files are read in place (BmpRow);
// DecodeBmp makes a whole picture of any layout the display loads, run-length
// coded ones included.

#include <array>
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

// The start of image row y (0 = top) inside the file's bytes; uncompressed files only.
const unsigned char* BmpRow(const std::vector<unsigned char>& bytes, const BmpHeader& header, int y);

// A picture decoded from a file, rows top-down. Files of 1, 4 and 8 bits keep
// their palette indices; 24- and 32-bit files their colours.
struct BmpPicture
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBitCount = 0;
    bool m_bIndexed = false;
    std::vector<uint8_t> m_Indices; // indexed files: one index per pixel
    std::vector<uint32_t> m_Rgb;    // the others: 0x00RRGGBB per pixel
    // The file's colour table as 0x00RRGGBB. Only the first m_nColours
    // entries come from the file (the colour count, or all 2^bits when the
    // count is 0 or larger); an index past them shows black.
    std::array<uint32_t, 256> m_Table{};
    int m_nColours = 0;

    // The colour of pixel i (row-major) as 0x00RRGGBB.
    uint32_t Colour(size_t i) const { return m_bIndexed ? m_Table[m_Indices[i]] : m_Rgb[i]; }
};

// Decodes the pixels of a file that ReadBmpInfo accepted: 1, 4, 8, 24 or 32
// bits uncompressed, 8 bits run-length coded (compression 1) and 4 bits
// run-length coded (compression 2). Pixels a run-length picture never sets
// are index 0. Unreadable for any other layout, a row or a run code that lies
// past the bytes, a coded picture stored top-down or of more than 4096 x 4096
// pixels; the picture is set only
// on success.
BmpResult DecodeBmp(const std::vector<unsigned char>& bytes, const BmpHeader& header, BmpPicture& picture);
// ReadBmpInfo and DecodeBmp of a file.
BmpResult ReadBmpPicture(std::string_view path, BmpPicture& picture);
