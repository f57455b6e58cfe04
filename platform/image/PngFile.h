#pragma once

// PNG files of 24-bit pictures: the contact sheet of the sample project and
// the frames the game captures. The encoder writes no time or text chunks, so
// the same picture always gives the same bytes.

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform
{

struct RgbImage
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint8_t> m_Pixels; // red, green, blue, rows top-down

    // The pixel as 0x00RRGGBB; the caller keeps x and y inside.
    uint32_t Rgb(int x, int y) const
    {
        const uint8_t* p = &m_Pixels[(static_cast<size_t>(y) * m_nWidth + x) * 3];
        return static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
    }
};

// A PNG file of the image. Empty when the encoder fails.
std::vector<uint8_t> EncodePng(const RgbImage& image);
// The pixels of a PNG file as RGB; false, leaving the image alone, when it cannot be read.
bool DecodePng(const std::vector<uint8_t>& bytes, RgbImage& image);

// EncodePng written to a file (a stored path) through a temporary file; false on any failure.
bool WritePngFile(std::string_view path, const RgbImage& image);
// DecodePng of a file; false when it cannot be read.
bool ReadPngFile(std::string_view path, RgbImage& image);

} // namespace platform
