#include "editor/resources/EditorIcon.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace
{

constexpr int kSide = 32;
constexpr int kCell = 8; // four map cells a side

struct IconPicture
{
    std::array<uint8_t, kSide * kSide * 3> m_Bits{};

    void Put(int x, int y, uint32_t rgb)
    {
        uint8_t* p = &m_Bits[static_cast<std::size_t>((y * kSide + x) * 3)];
        p[0] = static_cast<uint8_t>(rgb);
        p[1] = static_cast<uint8_t>(rgb >> 8);
        p[2] = static_cast<uint8_t>(rgb >> 16);
    }
    void Fill(int left, int top, int width, int height, uint32_t rgb)
    {
        for (int y = top; y < top + height; ++y)
        {
            for (int x = left; x < left + width; ++x)
            {
                Put(x, y, rgb);
            }
        }
    }
};

IconPicture Draw()
{
    IconPicture icon;
    // Grass in a checker of two greens, a river across the third row of cells.
    for (int y = 0; y < kSide; ++y)
    {
        for (int x = 0; x < kSide; ++x)
        {
            int column = x / kCell;
            int row = y / kCell;
            uint32_t ground = (column + row) % 2 ? 0x58A848 : 0x4C983C;
            if (row == 2)
            {
                ground = (x + y) % 5 ? 0x3468C0 : 0x6894E0;
            }
            icon.Put(x, y, ground);
        }
    }
    // The cell grid, as the map views draw it.
    for (int i = kCell - 1; i < kSide; i += kCell)
    {
        icon.Fill(i, 0, 1, kSide, 0x2C5024);
        icon.Fill(0, i, kSide, 1, 0x2C5024);
    }
    // A banner on a pole in the second cell of the second row, its foot on a stone.
    icon.Fill(10, 3, 2, 19, 0x6C4020);
    icon.Fill(12, 3, 10, 7, 0xD02828);
    icon.Fill(12, 9, 8, 1, 0x901818);
    icon.Fill(14, 5, 4, 3, 0xF0D040);
    icon.Fill(7, 21, 8, 3, 0x909090);
    // The frame.
    icon.Fill(0, 0, kSide, 1, 0x202020);
    icon.Fill(0, kSide - 1, kSide, 1, 0x202020);
    icon.Fill(0, 0, 1, kSide, 0x202020);
    icon.Fill(kSide - 1, 0, 1, kSide, 0x202020);
    return icon;
}

} // namespace

platform::PixelView FindIconResource(int id)
{
    if (id != kIconEditor)
    {
        return {};
    }
    static const IconPicture icon = Draw();
    platform::PixelView view;
    view.m_nWidth = kSide;
    view.m_nHeight = kSide;
    view.m_nStride = kSide * 3;
    view.m_nBitsPerPixel = 24;
    view.m_pBits = icon.m_Bits.data();
    return view;
}
