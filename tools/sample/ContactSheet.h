#pragma once

// One picture of every bitmap of the sample, with previews of the world map
// and the two stages drawn from their data files, as a PNG for the README.

#include "Canvas.h"
#include "platform/image/PngFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{
class TextRasterizer;
}

namespace sample
{

using platform::RgbImage;

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

} // namespace sample
