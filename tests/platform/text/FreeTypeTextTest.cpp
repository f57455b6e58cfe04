#include "common/graphics/DibBitmap.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <gtest/gtest.h>
#include <set>

namespace
{

TEST(FreeTypeTextTest, Cp932TextLandsInsideItsCellsInOneColourIndex)
{
    platform::FreeTypeRasterizer rasterizer;
    ASSERT_TRUE(rasterizer.Open());
    SetTextRasterizer(&rasterizer);
    for (int i = 0; i < 256; ++i)
    {
        GlobalPalette[i * 4] = GlobalPalette[i * 4 + 1] = GlobalPalette[i * 4 + 2] = static_cast<uint8_t>(i);
    }
    GlobalPalette[40 * 4 + 2] = 0xFF; // a red entry
    GlobalPalette[40 * 4 + 1] = GlobalPalette[40 * 4] = 0;

    DibBitmap bitmap;
    ASSERT_EQ(bitmap.Create(120, 60, 8, 0), 1);
    bitmap.Clear(0);
    // "漢" takes a full cell of 16 pixels, "A" and "1" half cells of 8.
    const int x = 10, y = 7;
    bitmap.DrawTextLines(x, y, "漢A1\nあ", 0x0000FF, kBkTransparent);
    SetTextRasterizer(nullptr);

    std::set<uint32_t> inks;
    int inCell[4] = {0, 0, 0, 0}; // 漢, A, 1, あ
    for (int py = 0; py < 60; ++py)
    {
        for (int px = 0; px < 120; ++px)
        {
            uint32_t value = bitmap.Pixel(px, py);
            if (value == 0)
            {
                continue;
            }
            inks.insert(value);
            bool firstLine = py >= y && py < y + 16;
            bool secondLine = py >= y + 20 && py < y + 36;
            ASSERT_TRUE((firstLine && px >= x && px < x + 32) || (secondLine && px >= x && px < x + 16))
                << "ink outside the cells at " << px << "," << py;
            if (firstLine)
            {
                ++inCell[px < x + 16 ? 0 : px < x + 24 ? 1 : 2];
            }
            else
            {
                ++inCell[3];
            }
        }
    }
    EXPECT_EQ(inks, std::set<uint32_t>{40});
    for (int cell : inCell)
    {
        EXPECT_GT(cell, 5);
    }
}

TEST(FreeTypeTextTest, MissingFontsAndEmptyTextsDrawNothing)
{
    platform::FreeTypeRasterizer rasterizer;
    EXPECT_FALSE(rasterizer.Open("/nonexistent/font.ttf"));
    EXPECT_EQ(rasterizer.Render("abc", 16).m_nWidth, 0);
    ASSERT_TRUE(rasterizer.Open());
    EXPECT_EQ(rasterizer.Render("", 16).m_nWidth, 0);
    platform::TextImage image = rasterizer.Render("ab", 16);
    EXPECT_EQ(image.m_nWidth, 16);
    EXPECT_EQ(image.m_nHeight, 16);
}

} // namespace
