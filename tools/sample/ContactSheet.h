#pragma once

// One picture of every bitmap of the sample, with previews of the world map
// and the two stages drawn from their data files, as a PNG for the README.

#include "Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{
class TextRasterizer;
}

namespace sample
{

struct RgbImage
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint8_t> m_Pixels; // red, green, blue, rows top-down
};

struct NamedCanvas
{
    std::string m_strName; // CP932
    Canvas m_Canvas;
};

// The contact sheet of the pictures, in their order; index 0 shows as the
// background.
RgbImage RenderContactSheet(const std::vector<NamedCanvas>& pictures, platform::TextRasterizer& fonts);

// The previews of the world map and of each stage of the project in the
// current folder, drawn with the sheets given by path.
std::vector<NamedCanvas> RenderMapPreviews(const std::vector<NamedCanvas>& sheets);

// A PNG file of the image (no time or text chunks: the same image gives the
// same bytes). Empty when the encoder fails.
std::vector<uint8_t> EncodePng(const RgbImage& image);
// The pixels of a PNG file as RGB; false when it cannot be read.
bool DecodePng(const std::vector<uint8_t>& bytes, RgbImage& image);

} // namespace sample
