#include "game/engine/ScreenEffects.h"

#include "game/engine/SystemIni.h"
#include "tests/game/engine/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using platform::DisplayPaletteEntries;
using platform::PaletteColour;
using platform::PixelSurface;

constexpr PaletteColour kBlack{0, 0, 0, 1};

class ScreenEffectsTest : public DisplayFixture
{
protected:
    const DisplayPaletteEntries& Shown() const { return Display.m_pDevice->Palette(); }

    // Whether entries 10..245 of the shown palette are all black, or all the source's colours.
    bool ShownIsBlack() const
    {
        for (int i = 10; i <= 245; ++i)
        {
            if (Shown()[i] != kBlack)
            {
                return false;
            }
        }
        return true;
    }
    bool ShownIsSource() const
    {
        for (int i = 10; i <= 245; ++i)
        {
            const PaletteColour& s = Display.m_SourcePalette[i];
            if (Shown()[i] != PaletteColour{s.m_nRed, s.m_nGreen, s.m_nBlue, 1})
            {
                return false;
            }
        }
        return true;
    }
};

TEST_F(ScreenEffectsTest, AFadeInTakesItsFramesFromTheFrameRate)
{
    struct Case
    {
        int m_nFps;
        int m_nCalls;
    };
    for (Case c : {Case{30, 6}, Case{60, 10}, Case{20, 4}})
    {
        SCOPED_TRACE(c.m_nFps);
        Start(8);
        const int step = DeriveFrameValues(c.m_nFps).m_nFadeStep;
        const PaletteColour system = Shown()[3];
        int calls = 0;
        bool done = false;
        while (!done && calls < 100)
        {
            done = FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, step, Display.m_SourcePalette, false);
            ++calls;
            if (calls == 1)
            {
                EXPECT_TRUE(ShownIsBlack()) << "the first step is all black";
            }
        }
        EXPECT_EQ(calls, c.m_nCalls);
        EXPECT_TRUE(ShownIsSource());
        EXPECT_EQ(Shown()[3], system) << "the system colours stay";
        EXPECT_EQ(Fade.m_dIn, 0.0) << "ready for the next fade";
        DDRelease();
    }
}

TEST_F(ScreenEffectsTest, AFadeOutEndsOnBlackAndAJumpEndsAtOnce)
{
    Start(8);
    // The second step at 60 fps: angle 80, weight truncate(sin 80 x 256) = 252.
    ASSERT_FALSE(FadeOut(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 10, Display.m_SourcePalette, false));
    EXPECT_TRUE(ShownIsSource());
    ASSERT_FALSE(FadeOut(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 10, Display.m_SourcePalette, false));
    const int weight = static_cast<int>(std::sin(80 * 3.14159265358979323846 / 180) * 256);
    EXPECT_EQ(weight, 252);
    EXPECT_EQ(Shown()[200].m_nRed, (Display.m_SourcePalette[200].m_nRed * weight) >> 8);
    int calls = 2;
    while (!FadeOut(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 10, Display.m_SourcePalette, false))
    {
        ++calls;
    }
    EXPECT_EQ(calls + 1, 10);
    EXPECT_TRUE(ShownIsBlack());

    // Towards another colour, at once.
    EXPECT_TRUE(FadeOut(Display.m_WorkingPalette, 10, 245, 255, 128, 0, 10, Display.m_SourcePalette, true));
    EXPECT_EQ(Shown()[100], (PaletteColour{255, 128, 0, 1}));
    EXPECT_EQ(Fade.m_dOut, 90.0);
    EXPECT_TRUE(FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 10, Display.m_SourcePalette, true));
    EXPECT_TRUE(ShownIsSource());
}

TEST_F(ScreenEffectsTest, SixteenBitFadesBlendThePixelsOfASnapshot)
{
    Start(16);
    PixelSurface* back = DDBackBuffer();
    DDFillRect(back, 0, 0, 640, 480, 0xFF); // white in the fixture palette
    DDFillRect(back, 100, 100, 50, 50, 0x80);
    const uint32_t white = FixturePixel(0xFF);
    const uint32_t red = FixturePixel(0x80);

    ASSERT_FALSE(FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false));
    EXPECT_EQ(back->Pixel(0, 0), 0u) << "the first step draws black";
    EXPECT_EQ(back->Pixel(120, 120), 0u);
    EXPECT_EQ(DDWorkSurface()->Pixel(120, 120), red) << "the snapshot holds the picture";
    ASSERT_FALSE(FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false));
    // Angle 30: weight 127. Each component is widened to 0..255, blended and narrowed again, rounded.
    auto blended = [](uint32_t c, uint32_t mask)
    { return (((c * 255 + mask / 2) / mask * 127 >> 8) * mask + 127) / 255; };
    EXPECT_EQ(back->Pixel(0, 0) >> 11, blended(white >> 11, 31));
    EXPECT_EQ(back->Pixel(0, 0) >> 5 & 0x3F, blended(white >> 5 & 0x3F, 63));
    EXPECT_EQ(back->Pixel(0, 0) & 0x1F, blended(white & 0x1F, 31));
    ASSERT_FALSE(FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false));
    ASSERT_TRUE(FadeIn(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false));
    EXPECT_EQ(back->Pixel(0, 0), white);
    EXPECT_EQ(back->Pixel(120, 120), red);

    // Fading out takes a new snapshot of what the scene drew since.
    DDFillRect(back, 0, 0, 10, 10, 0x80);
    ASSERT_FALSE(FadeOut(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false));
    EXPECT_EQ(back->Pixel(5, 5), red);
    while (!FadeOut(Display.m_WorkingPalette, 10, 245, 0, 0, 0, 30, Display.m_SourcePalette, false))
    {
    }
    EXPECT_EQ(back->Pixel(5, 5), 0u);
    EXPECT_EQ(back->Pixel(300, 300), 0u);
}

TEST_F(ScreenEffectsTest, PaletteRotationTurnsARangeOfEntries)
{
    const PaletteColour a{1, 0, 0, 1}, b{2, 0, 0, 1}, c{3, 0, 0, 1}, d{4, 0, 0, 1};
    DisplayPaletteEntries source{};
    source[99] = {9, 9, 9, 1};
    source[100] = a;
    source[101] = b;
    source[102] = c;
    source[103] = d;
    struct Case
    {
        int m_nN;
        int m_nDirection;
        PaletteColour m_Expected[4];
    };
    const Case cases[] = {
        {1, 0, {d, a, b, c}}, {1, 1, {b, c, d, a}}, {2, 0, {c, d, a, b}}, {5, 0, {d, a, b, c}}, {1, 2, {a, b, c, d}},
    };
    for (int depth : {8, 16})
    {
        Start(depth);
        for (const Case& k : cases)
        {
            SCOPED_TRACE(testing::Message() << depth << " bits, " << k.m_nN << " places, direction " << k.m_nDirection);
            DisplayPaletteEntries out{};
            RotatePalette(out, 100, 103, k.m_nN, k.m_nDirection, source);
            for (int i = 0; i < 4; ++i)
            {
                EXPECT_EQ(out[100 + i], k.m_Expected[i]) << i;
            }
            EXPECT_EQ(out[99], source[99]);
        }
        DDRelease();
    }
}

TEST_F(ScreenEffectsTest, AWindowBoxHasItsFrameOutsideTheBox)
{
    Start(8);
    Load({2});
    PixelSurface* back = DDBackBuffer();
    DDFillRect(back, 0, 0, 640, 480, 1);
    DrawWindowBox(back, 10, 10, 100, 50, Surfaces[2], 2, 189);
    const PixelSurface& pattern = *Surfaces[2].Get();
    for (int y = 0; y < 80; ++y)
    {
        for (int x = 0; x < 130; ++x)
        {
            uint32_t expected = 1;
            const bool outer = x >= 8 && x < 112 && y >= 8 && y < 62;
            const bool inner = x >= 10 && x < 110 && y >= 10 && y < 60;
            if (inner)
            {
                expected = pattern.Pixel(x - 10, y - 10);
            }
            else if (outer)
            {
                expected = 189;
            }
            ASSERT_EQ(back->Pixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST_F(ScreenEffectsTest, SineRowsShiftEachRowAndAdvanceTheSharedPhase)
{
    Start(8);
    Load({3});
    PixelSurface* back = DDBackBuffer();
    const PixelSurface& source = *Surfaces[3].Get();
    DDFillRect(back, 0, 0, 640, 480, 1);
    EXPECT_EQ(DrawSineRows(back, 100, 50, 20, 4, 1, 10, Surfaces[3], 4, 2, 0), 1);
    // Row k (1..4) at 100 + truncate(sin(k x 90 degrees) x 10): 10, 0, -10, 0.
    const int shifts[4] = {10, 0, -10, 0};
    for (int k = 1; k <= 4; ++k)
    {
        SCOPED_TRACE(k);
        const int y = 50 + k - 1;
        const int x = 100 + shifts[k - 1];
        EXPECT_EQ(back->Pixel(x - 1, y), 1u);
        for (int i = 0; i < 20; ++i)
        {
            ASSERT_EQ(back->Pixel(x + i, y), source.Pixel(4 + i, 2 + k - 1)) << i;
        }
        EXPECT_EQ(back->Pixel(x + 20, y), 1u);
    }
    for (int call = 2; call <= 359; ++call)
    {
        DrawSineRows(back, 100, 50, 20, 4, 1, 10, Surfaces[3], 4, 2, 0);
    }
    EXPECT_EQ(DrawSineRows(back, 100, 50, 20, 4, 1, 10, Surfaces[3], 4, 2, 0), 0) << "back to 0 after 359";
    EXPECT_EQ(DrawSineRows(back, 100, 50, 20, 0, 1, 10, Surfaces[3], 4, 2, 0), 0) << "no rows: nothing moves";
}

TEST_F(ScreenEffectsTest, SplitBandsMoveOddBandsLeftAndEvenBandsRight)
{
    Start(8);
    Load({3});
    PixelSurface* back = DDBackBuffer();
    const PixelSurface& source = *Surfaces[3].Get();
    struct Case
    {
        int m_nHeight;
        int m_nBands; // whole bands drawn
    };
    for (Case c : {Case{12, 3}, Case{14, 3}, Case{4, 1}, Case{3, 0}})
    {
        SCOPED_TRACE(c.m_nHeight);
        DDFillRect(back, 0, 0, 640, 480, 1);
        DrawSplitBands(back, 50, 20, 10, c.m_nHeight, 4, 3, Surfaces[3], 2, 5, 0);
        for (int row = 0; row < 16; ++row)
        {
            SCOPED_TRACE(row);
            const int band = row / 4;
            const int x = band % 2 == 0 ? 53 : 47;
            if (band >= c.m_nBands)
            {
                for (int i = 40; i < 70; ++i)
                {
                    ASSERT_EQ(back->Pixel(i, 20 + row), 1u) << i;
                }
                continue;
            }
            EXPECT_EQ(back->Pixel(x - 1, 20 + row), 1u);
            for (int i = 0; i < 10; ++i)
            {
                ASSERT_EQ(back->Pixel(x + i, 20 + row), source.Pixel(2 + i, 5 + row)) << i;
            }
            EXPECT_EQ(back->Pixel(x + 10, 20 + row), 1u);
        }
    }
}

TEST_F(ScreenEffectsTest, ReplacedColoursTakeTheirNewEntryInsideTheRectangle)
{
    Start(16);
    PixelSurface* back = DDBackBuffer();
    DDFillRect(back, 0, 0, 40, 20, 30);
    DDFillRect(back, 0, 10, 40, 10, 31);
    const PaletteColour oldColours[2] = {Display.m_SourcePalette[30], Display.m_SourcePalette[31]};
    const PaletteColour newColours[2] = {Display.m_SourcePalette[200], Display.m_SourcePalette[201]};
    DDReplaceColors(back, 10, 5, 20, 10, newColours, oldColours, 2);
    EXPECT_EQ(back->Pixel(9, 5), FixturePixel(30));
    EXPECT_EQ(back->Pixel(10, 5), FixturePixel(200));
    EXPECT_EQ(back->Pixel(29, 9), FixturePixel(200));
    EXPECT_EQ(back->Pixel(29, 10), FixturePixel(201));
    EXPECT_EQ(back->Pixel(29, 14), FixturePixel(201));
    EXPECT_EQ(back->Pixel(29, 15), FixturePixel(31));
    EXPECT_EQ(back->Pixel(30, 10), FixturePixel(31));
}

} // namespace
