// The game's surface table against the sample project's sheets: the same
// files in the same order, and every surface loading at its sheet's size at
// both depths, as the display layer loads them.

#include "SamplePalette.h"
#include "SheetTable.h"
#include "common/data/ProjectData.h"
#include "game/engine/Display.h"
#include "platform/core/Cp932.h"
#include "platform/display/DisplayHost.h"
#include "platform/window/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{

TEST(SampleSurfacesTest, TheSurfaceTableNamesTheSheetsOfTheSample)
{
    for (int id = 0; id < kSurfaceCount; ++id)
    {
        EXPECT_EQ(std::string(SurfaceDefs[id].m_pszFile), std::string(sample::kSurfaceFiles[id])) << "surface " << id;
        if (std::string(SurfaceDefs[id].m_pszFile) != "E")
        {
            const sample::SheetInfo* sheet = sample::FindSheet(SurfaceDefs[id].m_pszFile);
            ASSERT_NE(sheet, nullptr) << "surface " << id;
            EXPECT_NE(sheet->m_strSurfaces.find("surface"), std::string::npos) << "surface " << id;
            if (SurfaceDefs[id].m_nMirrorWidth)
            {
                EXPECT_EQ(sheet->m_nWidth % SurfaceDefs[id].m_nMirrorWidth, 0) << "surface " << id;
            }
        }
    }
}

TEST(SampleSurfacesTest, EverySurfaceLoadsAtItsSheetSizeAtBothDepths)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(TK_SAMPLE_DIR);
    platform::ScriptedDialogs dialogs;
    platform::RecordingDisplayHost host;
    for (int depth : {8, 16})
    {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(DDInit(host, 640, 480, depth, kFullScreen, 1, 60, 0, Surfaces, SurfaceDefs, kSurfaceCount));
        ASSERT_TRUE(DDLoadPaletteFromFile(Display.m_SourcePalette, "bmp\\Palette.bmp", kFullScreen));
        Display.m_WorkingPalette = Display.m_SourcePalette;
        ASSERT_TRUE(DDSetTransmit("bmp\\Palette.bmp"));
        EXPECT_EQ(Display.m_nTransparent, PaletteIndexToPixel(sample::kTransparent));

        // The chart read back at 16 bits gives the colour table's colours in the screen's widths.
        const sample::SamplePaletteColours& colours = sample::SamplePalette();
        for (int i = 0; i < 256; ++i)
        {
            const platform::PaletteColour& entry = Display.m_SourcePalette[i];
            const int shift[3] = {depth == 8 ? 0 : 3, depth == 8 ? 0 : 2, depth == 8 ? 0 : 3};
            ASSERT_EQ(entry.m_nRed, colours[i].r >> shift[0]) << i;
            ASSERT_EQ(entry.m_nGreen, colours[i].g >> shift[1]) << i;
            ASSERT_EQ(entry.m_nBlue, colours[i].b >> shift[2]) << i;
        }

        std::vector<int> every(kSurfaceCount);
        for (int id = 0; id < kSurfaceCount; ++id)
        {
            every[id] = id;
        }
        ASSERT_TRUE(DDLoadSurfaces(Surfaces, every.data(), kSurfaceCount));
        for (int id = 0; id < kSurfaceCount; ++id)
        {
            SCOPED_TRACE(id);
            ASSERT_NE(Surfaces[id].Get(), nullptr);
            const sample::SheetInfo* sheet = sample::FindSheet(SurfaceDefs[id].m_pszFile);
            const int width = sheet ? sheet->m_nWidth : SurfaceDefs[id].m_nBlankWidth;
            const int height = sheet ? sheet->m_nHeight : SurfaceDefs[id].m_nBlankHeight;
            EXPECT_EQ(Surfaces[id].Get()->Width(), width);
            EXPECT_EQ(Surfaces[id].Get()->Height(), height);
        }
        // The face of graphic 1 turned within its cell.
        const platform::PixelSurface& plain = *Surfaces[7].Get();
        const platform::PixelSurface& mirrored = *Surfaces[8].Get();
        for (int x = 0; x < 48; ++x)
        {
            ASSERT_EQ(mirrored.Pixel(x, 48 + 20), plain.Pixel(47 - x, 48 + 20)) << x;
        }
        ShiftSurfaceColours(Surfaces[14]);
        EXPECT_TRUE(dialogs.Boxes().empty());
        DDRelease();
        EXPECT_TRUE(dialogs.Boxes().empty()) << "released without a leak";
    }
    Display.m_pTable = nullptr;
    std::filesystem::current_path(previous);
}

} // namespace
