#include "game/engine/Display.h"

#include "common/services/MessageBoxes.h"
#include "tests/game/engine/DisplayFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

using platform::PixelSurface;
using platform::SurfaceResult;

constexpr uint32_t kUntouched = 0xABCD;

class DisplayTest : public DisplayFixture
{
protected:
    // A 16-bit surface whose every pixel tells where it is: y x 256 + x.
    std::unique_ptr<PixelSurface> Numbered(int width, int height)
    {
        std::unique_ptr<PixelSurface> surface;
        int memory = kSystemMemory;
        EXPECT_TRUE(DDCreateSurface(surface, width, height, 0, memory));
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                surface->SetPixel(x, y, static_cast<uint32_t>(y * 256 + x));
            }
        }
        return surface;
    }

    std::unique_ptr<PixelSurface> Filled(int width, int height, uint32_t value)
    {
        std::unique_ptr<PixelSurface> surface;
        int memory = kSystemMemory;
        EXPECT_TRUE(DDCreateSurface(surface, width, height, 0, memory));
        surface->Fill({0, 0, width, height}, value);
        return surface;
    }

    static std::vector<uint32_t> Pixels(const PixelSurface& surface)
    {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < surface.Height(); ++y)
        {
            for (int x = 0; x < surface.Width(); ++x)
            {
                pixels.push_back(surface.Pixel(x, y));
            }
        }
        return pixels;
    }
};

TEST_F(DisplayTest, BltFastClipsBothRectanglesByTheirOwnRules)
{
    Start(16);
    struct Case
    {
        const char* m_pszWhat;
        int x, y, w, h, sx, sy;
        // The target rectangle drawn and the source pixel at its top left (w 0: nothing drawn).
        int m_nX, m_nY, m_nW, m_nH, m_nSx, m_nSy;
    };
    const Case cases[] = {
        {"inside", 5, 6, 10, 8, 2, 3, 5, 6, 10, 8, 2, 3},
        {"left of the target", -10, 4, 20, 5, 5, 0, 0, 4, 10, 5, 15, 0},
        {"above the target", 3, -3, 6, 6, 0, 10, 3, 0, 6, 3, 0, 13},
        {"past the target's right and bottom", 60, 44, 10, 10, 0, 0, 60, 44, 4, 4, 0, 0},
        {"negative source start only raises it", 8, 8, 10, 10, -4, -2, 8, 8, 6, 8, 0, 0},
        {"past the source's right", 0, 0, 10, 2, 28, 0, 0, 0, 4, 2, 28, 0},
        {"wholly right of the target", 70, 0, 10, 10, 0, 0, 0, 0, 0, 0, 0, 0},
        {"wholly left of the target", -20, 0, 10, 10, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    std::unique_ptr<PixelSurface> source = Numbered(32, 32);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        std::unique_ptr<PixelSurface> target = Filled(64, 48, kUntouched);
        SurfaceResult result = DDBltFast(target.get(), c.x, c.y, c.w, c.h, source.get(), c.sx, c.sy, 0);
        EXPECT_EQ(result, c.m_nW ? SurfaceResult::Ok : SurfaceResult::InvalidRect);
        for (int y = 0; y < target->Height(); ++y)
        {
            for (int x = 0; x < target->Width(); ++x)
            {
                const bool inside = x >= c.m_nX && x < c.m_nX + c.m_nW && y >= c.m_nY && y < c.m_nY + c.m_nH;
                const uint32_t expected =
                    inside ? static_cast<uint32_t>((c.m_nSy + y - c.m_nY) * 256 + c.m_nSx + x - c.m_nX) : kUntouched;
                ASSERT_EQ(target->Pixel(x, y), expected) << "at " << x << ", " << y;
            }
        }
    }
}

TEST_F(DisplayTest, AClippedStretchKeepsItsScale)
{
    Start(16);
    std::unique_ptr<PixelSurface> source = Numbered(16, 16);
    // The whole picture twice as large, as the reference.
    std::unique_ptr<PixelSurface> whole = Filled(32, 32, kUntouched);
    ASSERT_EQ(DDBltStretch(whole.get(), 0, 0, 32, 32, source.get(), 0, 0, 16, 16, 0), SurfaceResult::Ok);
    EXPECT_EQ(whole->Pixel(31, 31), 15u * 256 + 15);
    EXPECT_EQ(whole->Pixel(1, 0), 0u);

    struct Case
    {
        int x, y;
    };
    for (Case c : {Case{-4, -6}, Case{10, 20}, Case{-8, 12}})
    {
        SCOPED_TRACE(testing::Message() << "at " << c.x << ", " << c.y);
        std::unique_ptr<PixelSurface> target = Filled(40, 36, kUntouched);
        ASSERT_EQ(DDBltStretch(target.get(), c.x, c.y, 32, 32, source.get(), 0, 0, 16, 16, 0), SurfaceResult::Ok);
        for (int y = 0; y < target->Height(); ++y)
        {
            for (int x = 0; x < target->Width(); ++x)
            {
                const int wx = x - c.x;
                const int wy = y - c.y;
                const bool inside = wx >= 0 && wx < 32 && wy >= 0 && wy < 32;
                ASSERT_EQ(target->Pixel(x, y), inside ? whole->Pixel(wx, wy) : kUntouched) << x << ", " << y;
            }
        }
    }

    std::unique_ptr<PixelSurface> target = Filled(8, 8, kUntouched);
    EXPECT_EQ(DDBltStretch(target.get(), 0, 0, 0, 8, source.get(), 0, 0, 16, 16, 0), SurfaceResult::Ok);
    EXPECT_EQ(Pixels(*target), std::vector<uint32_t>(64, kUntouched)) << "a stretch of no width draws nothing";
}

TEST_F(DisplayTest, ColourKeyedCopiesLeaveTheTransparentColourOut)
{
    for (int depth : {8, 16})
    {
        SCOPED_TRACE(depth);
        Start(depth);
        const uint32_t key = Display.m_nTransparent;
        EXPECT_EQ(key, depth == 8 ? 0u : FixturePixel(0));
        std::unique_ptr<PixelSurface> sprite;
        int memory = kVideoMemory;
        ASSERT_TRUE(DDCreateSurface(sprite, 21, 3, 1, memory));
        EXPECT_TRUE(sprite->HasColourKey());
        for (int x = 0; x < 21; ++x)
        {
            for (int y = 0; y < 3; ++y)
            {
                sprite->SetPixel(x, y, (x + y) % 3 == 0 ? key : PaletteIndexToPixel(50 + x));
            }
        }
        std::unique_ptr<PixelSurface> target = Filled(64, 8, PaletteIndexToPixel(7));
        ASSERT_EQ(DDBltFast(target.get(), 2, 1, 21, 3, sprite.get(), 0, 0, 1), SurfaceResult::Ok);
        // Twice as wide: target column i shows source column i / 2.
        ASSERT_EQ(DDBltStretch(target.get(), 2, 4, 42, 3, sprite.get(), 0, 0, 21, 3, 1), SurfaceResult::Ok);
        for (int y = 0; y < 3; ++y)
        {
            for (int x = 0; x < 42; ++x)
            {
                auto expected = [&](int column)
                { return (column + y) % 3 == 0 ? PaletteIndexToPixel(7) : PaletteIndexToPixel(50 + column); };
                if (x < 21)
                {
                    ASSERT_EQ(target->Pixel(2 + x, 1 + y), expected(x)) << x << ", " << y;
                }
                ASSERT_EQ(target->Pixel(2 + x, 4 + y), expected(x / 2)) << x << ", " << y;
            }
        }
        ASSERT_EQ(DDBltFast(target.get(), 2, 1, 21, 3, sprite.get(), 0, 0, 0), SurfaceResult::Ok);
        EXPECT_EQ(target->Pixel(2, 1), key) << "key 0 copies every pixel";
        DDRelease();
    }
}

TEST_F(DisplayTest, FillsClipByTheirEdgeRulesAndUseThePalettesPixel)
{
    struct Case
    {
        int x, y, w, h;
        int m_nLeft, m_nTop, m_nRight, m_nBottom; // drawn (right 0: nothing)
    };
    const Case cases[] = {
        {4, 5, 10, 6, 4, 5, 14, 11},
        {-10, 2, 30, 4, 0, 2, 20, 6},     // a negative x becomes 0, the right edge stays at x + w
        {-10, 2, 80, 4, 0, 0, 0, 0},      // so a fill that then reaches past the right draws nothing
        {50, 40, 30, 30, 50, 40, 64, 48}, // otherwise the right and bottom are cut at the surface
        {3, -5, 4, 9, 3, 0, 7, 4},
        {3, -5, 4, 60, 0, 0, 0, 0},
    };
    for (int depth : {8, 16})
    {
        Start(depth);
        const uint32_t pixel = depth == 8 ? 77u : FixturePixel(77);
        EXPECT_EQ(PaletteIndexToPixel(77), pixel);
        for (const Case& c : cases)
        {
            SCOPED_TRACE(testing::Message()
                         << depth << " bits, fill at " << c.x << ", " << c.y << " " << c.w << " x " << c.h);
            std::unique_ptr<PixelSurface> target = Filled(64, 48, 3);
            DDFillRect(target.get(), c.x, c.y, c.w, c.h, 77);
            for (int y = 0; y < 48; ++y)
            {
                for (int x = 0; x < 64; ++x)
                {
                    const bool inside = x >= c.m_nLeft && x < c.m_nRight && y >= c.m_nTop && y < c.m_nBottom;
                    ASSERT_EQ(target->Pixel(x, y), inside ? pixel : 3u) << x << ", " << y;
                }
            }
        }
        DDRelease();
    }
}

TEST_F(DisplayTest, FullScreenTakesTheScreenAndShowsThePaletteAtEightBits)
{
    Start(8);
    EXPECT_EQ(m_Host.m_Calls, (std::vector<std::string>{"mode 640x480x8@60", "cursor 0"}));
    ASSERT_NE(Display.m_pDevice, nullptr);
    EXPECT_TRUE(Display.m_pDevice->IsPaletteAttached());
    EXPECT_EQ(Display.m_pPrimary->Memory(), platform::SurfaceMemory::Video);
    EXPECT_EQ(Display.m_pBackBuffer->Memory(), platform::SurfaceMemory::Video);
    EXPECT_EQ(DDWorkSurface()->Memory(), platform::SurfaceMemory::System);
    EXPECT_EQ(DDBackBuffer()->Width(), 640);
    EXPECT_EQ(DDBackBuffer()->BytesPerPixel(), 1);
    // The palette of the file, shown at once, with the system colours marked.
    const platform::PaletteColour entry = Display.m_pDevice->Palette()[37];
    const uint32_t colour = FixtureTable()[37];
    EXPECT_EQ(entry, (platform::PaletteColour{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), 1}));
    EXPECT_EQ(Display.m_pDevice->Palette()[5].m_nFlags, 2);
    EXPECT_EQ(Display.m_pDevice->Palette()[250].m_nFlags, 2);

    // A box while the display holds the screen shows the cursor around it.
    m_Host.m_Calls.clear();
    ShowMessageBoxActive("テスト", "キャプション", platform::kMbOk);
    EXPECT_EQ(m_Host.m_Calls, (std::vector<std::string>{"cursor 1", "cursor 0"}));
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "テスト");
}

TEST_F(DisplayTest, SixteenBitsTakeThePixelFormatAndTheChartOfThePaletteSheet)
{
    Start(16);
    EXPECT_FALSE(Display.m_pDevice->IsPaletteAttached());
    EXPECT_EQ(Display.m_nRedShift, 11);
    EXPECT_EQ(Display.m_nGreenShift, 5);
    EXPECT_EQ(Display.m_nBlueShift, 0);
    EXPECT_EQ(Display.m_nRedMask, 31u);
    EXPECT_EQ(Display.m_nGreenMask, 63u);
    EXPECT_EQ(Display.m_nBlueMask, 31u);
    for (int i : {0, 1, 37, 128, 255})
    {
        SCOPED_TRACE(i);
        const uint32_t colour = FixtureTable()[i];
        const platform::PaletteColour entry = Display.m_SourcePalette[i];
        EXPECT_EQ(entry.m_nRed, (colour >> 16) >> 3);
        EXPECT_EQ(entry.m_nGreen, (colour >> 8 & 0xFF) >> 2);
        EXPECT_EQ(entry.m_nBlue, (colour & 0xFF) >> 3);
        EXPECT_EQ(PaletteEntryToPixel(entry), FixturePixel(i));
    }
    // A palette sheet without the chart's rows cannot give the palette.
    m_Folder.WriteFile("bmp/Small.bmp", FixtureBitmap(16, 20, FixturePalettePixel));
    platform::DisplayPaletteEntries entries{};
    EXPECT_FALSE(DDLoadPaletteFromFile(entries, "bmp\\Small.bmp", 0));
    EXPECT_FALSE(DDLoadPaletteFromFile(entries, "bmp\\Missing.bmp", 0));
}

TEST_F(DisplayTest, ARefusedRefreshRateIsTriedAgainWithout)
{
    m_Host.m_nRefusedRate = 60;
    Start(16);
    EXPECT_EQ(m_Host.m_Calls, (std::vector<std::string>{"mode 640x480x16@60", "mode 640x480x16@0", "cursor 0"}));
    DDRelease();

    m_Host.m_Calls.clear();
    ASSERT_TRUE(DDInit(m_Host, 640, 480, 8, kFullScreen, 1, 60, 0, Surfaces, SurfaceDefs, kSurfaceCount));
    EXPECT_EQ(m_Host.m_Calls.front(), "mode 640x480x8@0") << "without the use flag the rate is never asked";
}

TEST_F(DisplayTest, StartUpFailuresWriteTheirErrorText)
{
    struct Case
    {
        const char* m_pszWhat;
        int m_nMode;
        int m_nDepth;
        int m_nDesktop;
        bool m_bRefuse;
        const char* m_pszText;
    };
    const Case cases[] = {
        {"the screen refuses every mode", kFullScreen, 8, 16, true, "SETDISPLAYMODE_ERR"},
        {"a depth the display cannot draw", kFullScreen, 24, 16, false, "SETDISPLAYMODE_ERR"},
        {"a desktop depth the display cannot draw", kWindowed, 16, 32, false, "CREATESURFACE_ERR"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        InitErrorLog(1, "EC_Game.txt");
        m_Host.m_bRefuseAll = c.m_bRefuse;
        m_Host.m_nDesktopDepth = c.m_nDesktop;
        EXPECT_FALSE(DDInit(m_Host, 640, 480, c.m_nDepth, c.m_nMode, 1, 60, 1, Surfaces, SurfaceDefs, kSurfaceCount));
        EXPECT_EQ(ErrorLog(), std::string(c.m_pszText) + "\r\n");
        EXPECT_FALSE(Display.m_bInitialised);
        DDRelease();
    }
}

TEST_F(DisplayTest, ErrorCodesNameTheirFailure)
{
    for (int code = 0; code <= 13; ++code)
    {
        SCOPED_TRACE(code);
        std::filesystem::remove(m_Folder.Path() / "EC_Game.txt");
        InitErrorLog(1, "EC_Game.txt");
        const bool startUp = (code >= 1 && code <= 7) || (code >= 10 && code <= 12);
        const bool surface = code == 4 || code == 8 || code == 9;
        EXPECT_EQ(DDErrorName(code), !startUp);
        EXPECT_EQ(SurfaceErrorName(code), !surface);
        const char* text = DisplayErrorText(code);
        const std::string line = text ? std::string(text) + "\r\n" : "";
        EXPECT_EQ(ErrorLog(), (startUp ? line : "") + (surface ? line : ""));
    }
    EXPECT_STREQ(DisplayErrorText(1), "CREATEEX_ERR");
    EXPECT_STREQ(DisplayErrorText(5), "GETATTACHEDSURFACE_ERR");
    EXPECT_STREQ(DisplayErrorText(9), "SETCOLORKEY_ERR");
    EXPECT_STREQ(DisplayErrorText(12), "SETCLIPPER_ERR");
}

TEST_F(DisplayTest, WindowedDrawsAtTheDesktopDepthInTheClientArea)
{
    m_Host.m_nClientWidth = 320;
    m_Host.m_nClientHeight = 240;
    Start(16, kWindowed);
    EXPECT_EQ(m_Host.m_Calls, (std::vector<std::string>{"cursor 1"}));
    EXPECT_FALSE(m_Host.m_bFullScreen);
    EXPECT_EQ(Display.m_nDepth, 16);
    EXPECT_EQ(DDBackBuffer()->Width(), 320);
    EXPECT_EQ(DDBackBuffer()->BytesPerPixel(), 2);
    EXPECT_TRUE(Display.m_bClipper);

    // Drawn into the back buffer, shown through the exchange.
    DDFillRect(DDBackBuffer(), 10, 10, 5, 5, 99);
    DDPresent(1);
    const platform::Frame* frame = DisplayFrames().TakeLatest();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_nWidth, 320);
    EXPECT_EQ(frame->Rgb(12, 12), platform::Rgb565ToRgb(FixturePixel(99)));
    EXPECT_EQ(frame->Rgb(0, 0), 0u);

    // Windowed at 8 bits: the windowed palette until the file's is loaded.
    DDReleaseWindowed();
    m_Host.m_nDesktopDepth = 8;
    ASSERT_TRUE(DDInit(m_Host, 640, 480, 8, kWindowed, 1, 60, 1, Surfaces, SurfaceDefs, kSurfaceCount));
    EXPECT_EQ(Display.m_pDevice->Palette()[5], (platform::PaletteColour{5, 0, 0, 2}));
    EXPECT_EQ(Display.m_pDevice->Palette()[100], (platform::PaletteColour{100, 100, 0, 1}));
    EXPECT_EQ(PaletteEntryToPixel({31, 63, 31, 0}), 0u) << "no pixel format is left from the start at 16 bits";
}

TEST_F(DisplayTest, PresentingFlipsOrCopiesAndHandsOnThePalette)
{
    Start(8);
    for (int flip : {0, 1})
    {
        SCOPED_TRACE(flip);
        DDFillRect(DDBackBuffer(), 0, 0, 640, 480, 20 + flip);
        DDPresent(flip);
        const platform::Frame* frame = DisplayFrames().TakeLatest();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->m_nBitsPerPixel, 8);
        EXPECT_EQ(frame->Row(100)[200], 20 + flip);
        EXPECT_EQ(frame->Rgb(200, 100), FixtureTable()[20 + flip]);
    }
}

TEST_F(DisplayTest, TheSurfaceListLoadsWithoutTheOptionalWorldBack)
{
    m_Folder.WriteFile("bmp/WorldBack.bmp", std::string()); // present, but no bitmap
    Start(16);
    std::vector<int> every(kSurfaceCount);
    for (int id = 0; id < kSurfaceCount; ++id)
    {
        every[id] = id;
    }
    InitErrorLog(1, "EC_Game.txt");
    ASSERT_TRUE(DDLoadSurfaces(Surfaces, every.data(), kSurfaceCount));
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    EXPECT_EQ(Surfaces[11].Get(), nullptr);
    EXPECT_EQ(ErrorLog(), "bmp\\WorldBack.bmp\r\nLOADIMAGE_ERR\r\n");
    for (const FixtureSheet& sheet : FixtureSheets())
    {
        for (int id = 0; id < kSurfaceCount; ++id)
        {
            if (id != 11 && std::string(SurfaceDefs[id].m_pszFile) == sheet.m_pszFile)
            {
                SCOPED_TRACE(id);
                ASSERT_NE(Surfaces[id].Get(), nullptr);
                EXPECT_EQ(Surfaces[id].m_nWidth, sheet.m_nWidth);
                EXPECT_EQ(Surfaces[id].Get()->Height(), sheet.m_nHeight);
                EXPECT_EQ(Surfaces[id].m_strFile, sheet.m_pszFile);
                EXPECT_EQ(Surfaces[id].Get()->HasColourKey(), SurfaceDefs[id].m_nColourKey == 1);
                EXPECT_EQ(Surfaces[id].m_nMemory, SurfaceDefs[id].m_nMemory);
                EXPECT_EQ(Surfaces[id].Get()->Memory() == platform::SurfaceMemory::System,
                          SurfaceDefs[id].m_nMemory == kSystemMemory);
                EXPECT_EQ(Surfaces[id].m_Indices.empty(), SurfaceDefs[id].m_nKeepIndices == 0);
            }
        }
    }
    // The blank surface.
    ASSERT_NE(Surfaces[18].Get(), nullptr);
    EXPECT_EQ(Surfaces[18].m_nWidth, 128);
    EXPECT_EQ(Surfaces[18].m_nHeight, 96);
    EXPECT_TRUE(Surfaces[18].Get()->HasColourKey());
    EXPECT_EQ(Surfaces[18].Get()->Pixel(5, 5), FixturePixel(0));
    // A picture drawn as the file holds it, at the screen's pixel format.
    EXPECT_EQ(Surfaces[12].Get()->Pixel(9, 7), FixturePixel(FixtureSheetPixel(9, 7)));

    const int ids[] = {3, 12};
    DDReleaseSurfaces(Surfaces, ids, 2);
    EXPECT_EQ(Surfaces[3].Get(), nullptr);
    EXPECT_EQ(Surfaces[12].Get(), nullptr);
}

TEST_F(DisplayTest, AMissingSheetThatIsNotOptionalFailsTheList)
{
    m_Folder.WriteFile("bmp/Window.bmp", std::string("BM"));
    Start(8);
    InitErrorLog(1, "EC_Game.txt");
    const int ids[] = {1, 2, 3};
    EXPECT_FALSE(DDLoadSurfaces(Surfaces, ids, 3));
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "bmp\\Window.bmp 読み込み失敗！");
    EXPECT_EQ(ErrorLog(), "bmp\\Window.bmp\r\nLOADIMAGE_ERR\r\n");
    EXPECT_NE(Surfaces[1].Get(), nullptr);
    EXPECT_EQ(Surfaces[3].Get(), nullptr) << "the list stops at the failure";

    const int outside[] = {3, 22};
    EXPECT_FALSE(DDLoadSurfaces(Surfaces, outside, 2));
    EXPECT_NE(ErrorLog().find("DDLoadSurfaces: サーフェス 22 はありません"), std::string::npos);
}

TEST_F(DisplayTest, VideoMemoryRunningOutFallsBackToSystemMemory)
{
    Start(8);
    Display.m_pDevice->SetVideoMemory(Display.m_pDevice->VideoMemoryTotal() - Display.m_pDevice->VideoMemoryFree());
    EXPECT_EQ(Display.m_pDevice->VideoMemoryFree(), 0u);
    Load({2});
    EXPECT_EQ(Surfaces[2].m_nMemory, kSystemMemory);
    EXPECT_EQ(Surfaces[2].Get()->Memory(), platform::SurfaceMemory::System);
}

TEST_F(DisplayTest, MirroredSheetsTurnEachCellInPlace)
{
    for (int depth : {8, 16})
    {
        SCOPED_TRACE(depth);
        Start(depth);
        Load({7, 8});
        const PixelSurface& plain = *Surfaces[7].Get();
        const PixelSurface& mirrored = *Surfaces[8].Get();
        ASSERT_EQ(mirrored.Width(), 100);
        for (int y = 0; y < 48; ++y)
        {
            for (int x = 0; x < 100; ++x)
            {
                // Column x of cell k shows column 47 - (x mod 48) of the same cell; the
                // columns of a cell that reaches past the picture stay blank.
                const uint32_t expected = x < 96 ? plain.Pixel(48 * (x / 48) + 47 - x % 48, y) : PaletteIndexToPixel(0);
                ASSERT_EQ(mirrored.Pixel(x, y), expected) << x << ", " << y;
            }
        }
        EXPECT_EQ(mirrored.Pixel(0, 3), PaletteIndexToPixel(FixtureSheetPixel(47, 3)));
        DDRelease();
    }

    // Cells mirrored top to bottom as well.
    Start(8);
    Surface flipped;
    ASSERT_EQ(DDLoadBitmapToSurface(flipped, "bmp\\Time.bmp", 0, 8, kSystemMemory, 0, 32, 20), kDDOk);
    EXPECT_EQ(flipped.Get()->Pixel(0, 0), static_cast<uint32_t>(FixtureSheetPixel(31, 19)));
    EXPECT_EQ(flipped.Get()->Pixel(40, 25), static_cast<uint32_t>(FixtureSheetPixel(32 + 31 - 8, 20 + 19 - 5)));
}

TEST_F(DisplayTest, ALostDisplayReloadsTheVideoMemorySurfacesOnly)
{
    for (int depth : {8, 16})
    {
        SCOPED_TRACE(depth);
        Start(depth);
        Load({2, 7, 12, 14, 18});
        ShiftSurfaceColours(Surfaces[14]);
        DDFillRect(Surfaces[18].Get(), 0, 0, 10, 10, 60);
        std::vector<std::vector<uint32_t>> before;
        for (int id : {2, 7, 12, 14, 18})
        {
            before.push_back(Pixels(*Surfaces[id].Get()));
        }
        // Something the fades left in the working palette, to be shown again.
        Display.m_WorkingPalette[40] = {1, 2, 3, 1};

        DDSimulateDisplayChange();
        EXPECT_TRUE(Display.m_pPrimary->IsLost());
        EXPECT_TRUE(DDBackBuffer()->IsLost());
        EXPECT_TRUE(Surfaces[2].Get()->IsLost());
        EXPECT_TRUE(Surfaces[12].Get()->IsLost());
        EXPECT_FALSE(Surfaces[7].Get()->IsLost());
        EXPECT_FALSE(Surfaces[14].Get()->IsLost());
        EXPECT_FALSE(DDWorkSurface()->IsLost());
        EXPECT_EQ(DDFillRect(DDBackBuffer(), 0, 0, 4, 4, 1), SurfaceResult::Lost);

        ASSERT_TRUE(DDRestoreSurfaces());
        EXPECT_FALSE(Display.m_pPrimary->IsLost());
        EXPECT_FALSE(DDBackBuffer()->IsLost());
        int k = 0;
        for (int id : {2, 7, 12, 14, 18})
        {
            SCOPED_TRACE(id);
            EXPECT_FALSE(Surfaces[id].Get()->IsLost());
            EXPECT_EQ(Pixels(*Surfaces[id].Get()), before[k++]);
        }
        if (depth == 8)
        {
            EXPECT_EQ(Display.m_pDevice->Palette()[40], (platform::PaletteColour{1, 2, 3, 1}));
        }
        DDRelease();
    }
}

TEST_F(DisplayTest, ABitmapThatCannotBeReloadedFailsTheRestore)
{
    Start(8);
    Load({2});
    std::filesystem::remove(m_Folder.Path() / "bmp/Window.bmp");
    DDSimulateDisplayChange();
    EXPECT_FALSE(DDRestoreSurfaces());
    EXPECT_TRUE(DDRestoreSurfaces()) << "the primary surface is back: nothing more is tried";
}

TEST_F(DisplayTest, ShiftedColoursGiveTheActedLook)
{
    // Indices 0..255 in a 16 x 16 sheet.
    m_Folder.WriteFile("bmp/MapChara.bmp", FixtureBitmap(16, 16, [](int x, int y) { return y * 16 + x; }));
    auto shifted = [](int i) { return i != 0 && i != 43 && i >= 7 && i <= 181 ? i + 3 : i; };
    for (int depth : {8, 16})
    {
        SCOPED_TRACE(depth);
        Start(depth);
        Load({13, 14});
        ShiftSurfaceColours(Surfaces[14]);
        for (int i = 0; i < 256; ++i)
        {
            const int x = i % 16;
            const int y = i / 16;
            ASSERT_EQ(Surfaces[14].Get()->Pixel(x, y), PaletteIndexToPixel(shifted(i))) << i;
            ASSERT_EQ(Surfaces[13].Get()->Pixel(x, y), PaletteIndexToPixel(i)) << i;
            if (depth == 16)
            {
                ASSERT_EQ(Surfaces[14].m_Indices[i], shifted(i)) << i;
            }
        }
        EXPECT_EQ(Surfaces[14].Get()->Pixel(6, 0), PaletteIndexToPixel(6));
        EXPECT_EQ(Surfaces[14].Get()->Pixel(7, 0), PaletteIndexToPixel(10));
        EXPECT_EQ(Surfaces[14].Get()->Pixel(5, 11), PaletteIndexToPixel(184)); // 181
        EXPECT_EQ(Surfaces[14].Get()->Pixel(6, 11), PaletteIndexToPixel(182));
        EXPECT_TRUE(Surfaces[13].m_Indices.empty());
        DDRelease();
    }
}

TEST_F(DisplayTest, PixelsOfNoPaletteColourHaveIndexZeroInTheIndexImage)
{
    BmpLayout layout;
    layout.m_nWidth = 3;
    layout.m_nHeight = 1;
    layout.m_nBitCount = 24;
    layout.m_Pixels = {FixtureTable()[90], 0x123456, FixtureTable()[200]};
    m_Folder.WriteFile("bmp/MapChara.bmp", MakeBmp(layout));
    Start(16);
    Load({14});
    EXPECT_EQ(Surfaces[14].m_Indices, (std::vector<uint8_t>{90, 0, 200}));
    EXPECT_EQ(Surfaces[14].Get()->Pixel(1, 0), platform::RgbToRgb565(0x123456));

    // At 8 bits a picture of colours takes the nearest palette entries.
    DDRelease();
    Start(8);
    Load({14});
    EXPECT_EQ(Surfaces[14].Get()->Pixel(0, 0), 90u);
    EXPECT_EQ(Surfaces[14].Get()->Pixel(2, 0), 200u);
}

TEST_F(DisplayTest, TheTransparentColourIsTheTopLeftPixel)
{
    m_Folder.WriteFile("bmp/Key.bmp", FixtureBitmap(4, 4, [](int x, int y) { return x == 0 && y == 0 ? 201 : 5; }));
    for (int depth : {8, 16})
    {
        Start(depth);
        ASSERT_TRUE(DDSetTransmit("bmp\\Key.bmp"));
        EXPECT_EQ(Display.m_nTransparent, depth == 8 ? 201u : FixturePixel(201));
        DDRelease();
    }
    Start(8);
    InitErrorLog(1, "EC_Game.txt");
    EXPECT_FALSE(DDSetTransmit("bmp\\None.bmp"));
    EXPECT_EQ(ErrorLog(), "bmp\\None.bmp\r\nbmp\\None.bmp 生成失敗！\r\n");
    EXPECT_EQ(Display.m_nTransparent, 0u);
}

TEST_F(DisplayTest, DrawingWithASurfaceThatDidNotLoadIsANoOpLoggedOnce)
{
    Start(16);
    InitErrorLog(1, "EC_Game.txt");
    DDFillRect(DDBackBuffer(), 0, 0, 640, 480, 9);
    const std::vector<uint32_t> before = Pixels(*DDBackBuffer());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(DDBltFast(DDBackBuffer(), 0, 0, 16, 16, Surfaces[5], 0, 0, 1), SurfaceResult::NoSurface);
        EXPECT_EQ(DDBltStretch(DDBackBuffer(), 0, 0, 16, 16, Surfaces[5], 0, 0, 8, 8, 1), SurfaceResult::NoSurface);
        EXPECT_EQ(DDFillRect(nullptr, 0, 0, 16, 16, 3), SurfaceResult::NoSurface);
        ShiftSurfaceColours(Surfaces[14]);
    }
    EXPECT_EQ(Pixels(*DDBackBuffer()), before);
    EXPECT_EQ(ErrorLog(), "DDBltFast: bmp\\Symbol.bmp が読み込まれていません\r\n"
                          "DDFillRect: サーフェスがありません\r\n"
                          "ShiftSurfaceColours: bmp\\MapChara.bmp が読み込まれていません\r\n");

    // Once loaded it draws; unloaded again, it is reported again.
    Load({5});
    EXPECT_EQ(DDBltFast(DDBackBuffer(), 0, 0, 16, 16, Surfaces[5], 0, 0, 1), SurfaceResult::Ok);
    Surfaces[5].Release();
    InitErrorLog(1, "EC_Game.txt");
    DDBltFast(DDBackBuffer(), 0, 0, 16, 16, Surfaces[5], 0, 0, 1);
    DDBltFast(DDBackBuffer(), 0, 0, 16, 16, Surfaces[5], 0, 0, 1);
    EXPECT_EQ(ErrorLog(), "DDBltFast: bmp\\Symbol.bmp が読み込まれていません\r\n");
}

TEST_F(DisplayTest, ASurfaceLeftAliveAtTheReleaseIsALeak)
{
    Start(8);
    Load({2, 5});
    std::unique_ptr<PixelSurface> kept;
    int memory = kSystemMemory;
    ASSERT_TRUE(DDCreateSurface(kept, 8, 8, 0, memory));
    DDRelease();
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "解放漏れがあります");
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strCaption, "DirectDraw");
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_nType, platform::kMbIconError);
    EXPECT_EQ(Surfaces[2].Get(), nullptr);
    kept.reset();

    // Released without a leak, and once more with nothing left.
    Start(8);
    Load({2, 5});
    DDRelease();
    DDRelease();
    DDReleaseWindowed();
    EXPECT_EQ(m_Dialogs.Boxes().size(), 1u);
}

} // namespace
