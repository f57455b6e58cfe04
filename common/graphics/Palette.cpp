#include "common/graphics/Palette.h"

#include "common/graphics/BmpFile.h"

#include <cstring>
#include <vector>

PaletteEntries GlobalPalette{};
std::array<uint8_t, 3> TransparentColour{};
uint8_t TransparentIndex = 0;

int ReadBmpPalette(PaletteEntries& palette, std::string_view path)
{
    BmpHeader header;
    std::vector<unsigned char> bytes;
    if (ReadBmpInfo(path, bytes, header) != BmpResult::Ok || header.m_nColours == 0)
    {
        return 0;
    }
    std::memcpy(palette.data(), bytes.data() + header.m_nColourTableOffset, header.m_nColours * 4u);
    return 1;
}

bool LoadGlobalPalette(std::string_view path)
{
    return ReadBmpPalette(GlobalPalette, path) != 0;
}

void FindTransparentIndex(const uint8_t colour[3])
{
    TransparentColour = {colour[0], colour[1], colour[2]};
    for (int i = 0; i < 256; ++i)
    {
        const uint8_t* entry = &GlobalPalette[i * 4];
        if (entry[0] == colour[0] && entry[1] == colour[1] && entry[2] == colour[2])
        {
            TransparentIndex = static_cast<uint8_t>(i);
            return;
        }
    }
}

uint8_t NearestPaletteIndex(const uint8_t* colourTable, uint32_t colour)
{
    int red = colour & 0xFF;
    int green = (colour >> 8) & 0xFF;
    int blue = (colour >> 16) & 0xFF;
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i)
    {
        const uint8_t* e = colourTable + i * 4;
        long distance = (e[2] - red) * (e[2] - red) + (e[1] - green) * (e[1] - green) + (e[0] - blue) * (e[0] - blue);
        if (bestDistance < 0 || distance < bestDistance)
        {
            best = i;
            bestDistance = distance;
            if (distance == 0)
            {
                break;
            }
        }
    }
    return static_cast<uint8_t>(best);
}
