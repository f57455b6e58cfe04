#pragma once

// Hand-made BMP files for the bitmap tests: any header size, colour count,
// gap before the pixels, row order and compression.

#include <cstdint>
#include <vector>

struct BmpLayout
{
    int m_nWidth = 5;
    int m_nHeight = 3;
    int m_nBitCount = 8;
    bool m_bTopDown = false;
    uint32_t m_nInfoSize = 40;
    uint32_t m_nColours = 0;     // biClrUsed; 0 = all
    uint32_t m_nCompression = 0;
    uint32_t m_nGap = 0;         // bytes between the colour table and the pixels
    // Colour table entries written (blue, green, red, 0); the file writes
    // m_nColours of them, or 256 for 8 bits when 0.
    std::vector<uint32_t> m_Table; // 0x00RRGGBB
    // Pixels top row first: indices (8 bits) or 0x00RRGGBB (24 bits).
    std::vector<uint32_t> m_Pixels;
};

inline std::vector<unsigned char> MakeBmp(const BmpLayout& layout)
{
    std::vector<unsigned char> b;
    auto u16 = [&](uint32_t v) {
        b.push_back(v & 0xFF);
        b.push_back(v >> 8 & 0xFF);
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    uint32_t tableEntries = layout.m_nBitCount == 8 ? (layout.m_nColours ? layout.m_nColours : 256) : 0;
    uint32_t stride = (layout.m_nWidth * layout.m_nBitCount / 8 + 3) & ~3u;
    uint32_t pixelOffset = 14 + layout.m_nInfoSize + tableEntries * 4 + layout.m_nGap;
    b.push_back('B');
    b.push_back('M');
    u32(pixelOffset + stride * layout.m_nHeight);
    u32(0);
    u32(pixelOffset);
    u32(layout.m_nInfoSize);
    u32(layout.m_nWidth);
    u32(layout.m_bTopDown ? static_cast<uint32_t>(-layout.m_nHeight) : layout.m_nHeight);
    u16(1);
    u16(layout.m_nBitCount);
    u32(layout.m_nCompression);
    u32(stride * layout.m_nHeight);
    u32(2835);
    u32(2835);
    u32(layout.m_nColours);
    u32(0);
    while (b.size() < 14 + layout.m_nInfoSize)
    {
        b.push_back(0);
    }
    for (uint32_t i = 0; i < tableEntries; ++i)
    {
        uint32_t rgb = i < layout.m_Table.size() ? layout.m_Table[i] : 0;
        b.push_back(rgb & 0xFF);
        b.push_back(rgb >> 8 & 0xFF);
        b.push_back(rgb >> 16 & 0xFF);
        b.push_back(0);
    }
    b.insert(b.end(), layout.m_nGap, 0xEE);
    for (int row = 0; row < layout.m_nHeight; ++row)
    {
        int y = layout.m_bTopDown ? row : layout.m_nHeight - 1 - row;
        size_t start = b.size();
        for (int x = 0; x < layout.m_nWidth; ++x)
        {
            uint32_t v = layout.m_Pixels.empty() ? 0 : layout.m_Pixels[static_cast<size_t>(y) * layout.m_nWidth + x];
            if (layout.m_nBitCount == 8)
            {
                b.push_back(v & 0xFF);
            }
            else
            {
                b.push_back(v & 0xFF);
                b.push_back(v >> 8 & 0xFF);
                b.push_back(v >> 16 & 0xFF);
            }
        }
        while (b.size() - start < stride)
        {
            b.push_back(0xAB); // padding that must never show up as a pixel
        }
    }
    return b;
}

// A grey ramp: entry i = (i, i, i), with a few marked colours.
inline std::vector<uint32_t> RampTable()
{
    std::vector<uint32_t> table(256);
    for (uint32_t i = 0; i < 256; ++i)
    {
        table[i] = i << 16 | i << 8 | i;
    }
    table[10] = 0xFF0000;
    table[11] = 0x00FF00;
    table[12] = 0x0000FF;
    return table;
}
