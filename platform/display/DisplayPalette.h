#pragma once

// The 256 colours a display shows at 8 bits per pixel, and the 16-bit pixel
// format, with the conversions between pixels and colours.

#include <array>
#include <cstdint>

namespace platform
{

// One entry: red, green, blue and the flags of the entry (1 the colour may
// change, 2 an entry the system keeps).
struct PaletteColour
{
    uint8_t m_nRed = 0;
    uint8_t m_nGreen = 0;
    uint8_t m_nBlue = 0;
    uint8_t m_nFlags = 0;

    bool operator==(const PaletteColour&) const = default;
};
static_assert(sizeof(PaletteColour) == 4);

using DisplayPaletteEntries = std::array<PaletteColour, 256>;

// The layout of a pixel: the bit masks of red, green and blue (all zero for
// 8-bit palette indices).
struct PixelFormat
{
    int m_nBitsPerPixel = 8;
    uint32_t m_nRedMask = 0;
    uint32_t m_nGreenMask = 0;
    uint32_t m_nBlueMask = 0;
};

constexpr PixelFormat kIndexedFormat{8, 0, 0, 0};
constexpr PixelFormat kRgb565Format{16, 0xF800, 0x07E0, 0x001F};

// An RGB565 pixel as 0x00RRGGBB, each component widened by repeating its top bits.
constexpr uint32_t Rgb565ToRgb(uint32_t pixel)
{
    const uint32_t r = pixel >> 11 & 0x1F;
    const uint32_t g = pixel >> 5 & 0x3F;
    const uint32_t b = pixel & 0x1F;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

// The RGB565 pixel of a colour 0x00RRGGBB (each component cut to its width).
constexpr uint32_t RgbToRgb565(uint32_t rgb)
{
    return (rgb >> 19 & 0x1F) << 11 | (rgb >> 10 & 0x3F) << 5 | (rgb >> 3 & 0x1F);
}

} // namespace platform
