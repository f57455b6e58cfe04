#pragma once

// The one text rasteriser of the programs: CP932 text into a coverage image.
// The FreeType implementation (FreeTypeRasterizer.h) is what both programs
// use; the interface lets the shared drawing code stay free of it.

#include <cstdint>
#include <string_view>
#include <vector>

namespace platform
{

// One line of text: coverage 0..255 per pixel, rows top-down. The image is
// one line box high (pixel size); the pen starts at x 0.
struct TextImage
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint8_t> m_Coverage;

    uint8_t At(int x, int y) const { return m_Coverage[static_cast<size_t>(y) * m_nWidth + x]; }
};

class TextRasterizer
{
public:
    virtual ~TextRasterizer() = default;
    // Renders one line (no line breaks) at the pixel size; an empty image when nothing can be drawn.
    virtual TextImage Render(std::string_view cp932, int pixelSize) = 0;
};

} // namespace platform
