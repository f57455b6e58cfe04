#pragma once

// A read-only view of a bitmap's pixels as a window is shown it: rows top-down,
// 8 bits per pixel with a colour table of 256 entries (blue, green, red,
// reserved) or 24 bits per pixel in blue, green, red order.

#include <cstdint>

namespace platform
{

struct PixelView
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0; // bytes from one row to the next
    int m_nBitsPerPixel = 0;
    const uint8_t* m_pBits = nullptr;
    const uint8_t* m_pColourTable = nullptr; // 256 x 4 bytes, 8-bit views only

    bool IsValid() const { return m_pBits && m_nWidth > 0 && m_nHeight > 0; }

    // The pixel's colour as 0x00RRGGBB.
    uint32_t Rgb(int x, int y) const
    {
        const uint8_t* row = m_pBits + static_cast<long>(y) * m_nStride;
        if (m_nBitsPerPixel == 8)
        {
            const uint8_t* entry = m_pColourTable + row[x] * 4;
            return static_cast<uint32_t>(entry[2]) << 16 | entry[1] << 8 | entry[0];
        }
        const uint8_t* p = row + x * 3;
        return static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
    }
};

} // namespace platform
