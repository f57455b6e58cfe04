#pragma once

// A project folder with a small bitmap for every entry of the surface table,
// all in one fixture palette, and a display started on a recording host, as
// the game's start-up leaves it: the palette of "bmp\Palette.bmp" loaded,
// copied into the working palette, and its top-left pixel the transparent
// colour.

#include "TempFolder.h"
#include "common/services/Log.h"
#include "game/engine/Display.h"
#include "game/engine/ScreenEffects.h"
#include "platform/display/DisplayHost.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/common/graphics/BmpBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

// Entry i: red (i >> 5) x 32, green ((i >> 2) & 7) x 32, blue (i & 3) x 64;
// every entry stays a colour of its own at 16 bits per pixel.
inline std::vector<uint32_t> FixtureTable()
{
    std::vector<uint32_t> table(256);
    for (uint32_t i = 0; i < 256; ++i)
    {
        table[i] = ((i >> 5) * 32) << 16 | (((i >> 2) & 7) * 32) << 8 | (i & 3) * 64;
    }
    return table;
}

// The RGB565 pixel of a fixture entry.
inline uint32_t FixturePixel(int index)
{
    return platform::RgbToRgb565(FixtureTable()[index]);
}

// An 8-bit bitmap of the fixture palette with the pixels of a function.
inline std::vector<unsigned char> FixtureBitmap(int width, int height, const std::function<int(int, int)>& pixel)
{
    BmpLayout layout;
    layout.m_nWidth = width;
    layout.m_nHeight = height;
    layout.m_Table = FixtureTable();
    layout.m_Pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            layout.m_Pixels[static_cast<size_t>(y) * width + x] = static_cast<uint32_t>(pixel(x, y));
        }
    }
    return MakeBmp(layout);
}

// The picture of each fixture sheet but the palette: stripes of index 0 (the
// transparent colour) 4 pixels wide every 16 columns, between them blocks of
// 4 x 4 pixels of changing colours.
inline int FixtureSheetPixel(int x, int y)
{
    return (x % 16) < 4 ? 0 : 16 + ((x / 4) * 7 + (y / 4) * 13) % 200;
}

// The palette sheet: index 0 at the top left, the chart of every entry at
// rows 8-23 (entry r x 16 + c at column c, row 8 + r).
inline int FixturePalettePixel(int x, int y)
{
    if (y >= 8 && y < 24 && x < 16)
    {
        return (y - 8) * 16 + x;
    }
    return 0;
}

// The stored file (as the table names it) of every sheet with its size.
struct FixtureSheet
{
    const char* m_pszFile;
    const char* m_pszDisk;
    int m_nWidth;
    int m_nHeight;
};

inline const std::vector<FixtureSheet>& FixtureSheets()
{
    static const std::vector<FixtureSheet> sheets = {
        {"bmp\\Palette.bmp", "bmp/Palette.bmp", 128, 160},
        {"bmp\\Debug.bmp", "bmp/Debug.bmp", 128, 64},
        {"bmp\\Window.bmp", "bmp/Window.bmp", 160, 120},
        {"bmp\\Title.bmp", "bmp/Title.bmp", 64, 48},
        {"bmp\\TitleWord.bmp", "bmp/TitleWord.bmp", 64, 32},
        {"bmp\\Symbol.bmp", "bmp/Symbol.bmp", 96, 16},
        {"bmp\\Accessory.bmp", "bmp/Accessory.bmp", 64, 64},
        {"bmp\\Character.bmp", "bmp/Character.bmp", 100, 48}, // two whole 48-pixel cells and 4 columns
        {"bmp\\WorldMapChip.bmp", "bmp/WorldMapChip.bmp", 64, 32},
        {"bmp\\WorldEvent.bmp", "bmp/WorldEvent.bmp", 64, 32},
        {"bmp\\WorldBack.bmp", "bmp/WorldBack.bmp", 64, 48},
        {"bmp\\MapChip.bmp", "bmp/MapChip.bmp", 128, 64},
        {"bmp\\MapChara.bmp", "bmp/MapChara.bmp", 64, 64},
        {"bmp\\Event.bmp", "bmp/Event.bmp", 64, 32},
        {"bmp\\Time.bmp", "bmp/Time.bmp", 64, 40},
        {"bmp\\Effect.bmp", "bmp/Effect.bmp", 128, 48},
        {"bmp\\Number.bmp", "bmp/Number.bmp", 160, 32},
        {"bmp\\Word.bmp", "bmp/Word.bmp", 64, 32},
        {"bmp\\back\\Back_Grass.bmp", "bmp/back/Back_Grass.bmp", 64, 48},
    };
    return sheets;
}

// Every sheet of the table but the skipped ones (stored names), into the folder.
inline void WriteFixtureSheets(const TempFolder& folder, const std::set<std::string>& skipped)
{
    for (const FixtureSheet& sheet : FixtureSheets())
    {
        if (skipped.count(sheet.m_pszFile))
        {
            continue;
        }
        const bool palette = std::string(sheet.m_pszFile) == "bmp\\Palette.bmp";
        folder.WriteFile(sheet.m_pszDisk, FixtureBitmap(sheet.m_nWidth, sheet.m_nHeight,
                                                        palette ? FixturePalettePixel : FixtureSheetPixel));
    }
}

// DDInit on the host, then the palette and the transparent colour as the start-up sets them.
inline void StartFixtureDisplay(platform::RecordingDisplayHost& host, int depth, int mode = kFullScreen)
{
    host.m_nDesktopDepth = depth;
    ASSERT_TRUE(DDInit(host, kScreenWidth, kScreenHeight, depth, mode, 1, 60, 1, Surfaces, SurfaceDefs, kSurfaceCount));
    ASSERT_TRUE(DDLoadPaletteFromFile(Display.m_SourcePalette, "bmp\\Palette.bmp", mode));
    Display.m_WorkingPalette = Display.m_SourcePalette;
    ASSERT_TRUE(DDSetTransmit("bmp\\Palette.bmp"));
}

// The display released and its state, the surface table and the effects as
// before any test started them.
inline void ReleaseTestDisplay()
{
    if (Display.m_nMode == kWindowed)
    {
        DDReleaseWindowed();
    }
    else
    {
        DDRelease();
    }
    Display.m_pTable = nullptr;
    Display.m_pDefs = nullptr;
    Display.m_nTableCount = 0;
    Display.m_nTransparent = 0;
    Display.m_SourcePalette = {};
    Display.m_WorkingPalette = {};
    Display.m_nRedShift = Display.m_nGreenShift = Display.m_nBlueShift = 0;
    Display.m_nRedMask = Display.m_nGreenMask = Display.m_nBlueMask = 0;
    for (Surface& surface : Surfaces)
    {
        surface.Release();
        surface.m_strFile.clear();
        surface.m_bMissingReported = false;
    }
    ResetFades();
    ResetSinePhase();
}

class DisplayFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        InitErrorLog(1, "EC_Game.txt");
        WriteSheets({});
    }

    void TearDown() override
    {
        ReleaseTestDisplay();
        InitErrorLog(0, "EC_Game.txt");
    }

    // Every sheet of the table but the skipped ones (stored names).
    void WriteSheets(const std::set<std::string>& skipped) { WriteFixtureSheets(m_Folder, skipped); }

    // DDInit on the recording host, then the palette and the transparent colour as the start-up sets them.
    void Start(int depth, int mode = kFullScreen) { StartFixtureDisplay(m_Host, depth, mode); }

    // The surfaces of the ids.
    void Load(std::initializer_list<int> ids)
    {
        std::vector<int> list(ids);
        ASSERT_TRUE(DDLoadSurfaces(Surfaces, list.data(), static_cast<int>(list.size())));
    }

    std::string ErrorLog() const { return m_Folder.ReadText("EC_Game.txt"); }

    TempFolder m_Folder;
    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
};
