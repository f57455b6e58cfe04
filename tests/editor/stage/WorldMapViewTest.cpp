// The world map as its editor draws it: background colour and image, chips
// by their own tile, events by their first page with the stage number, and
// the pen's cursor.
#include "DataFileTest.h"
#include "common/graphics/Palette.h"
#include "editor/stage/WorldMapView.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

// Tiles of the test bitmaps are one palette index each; index i shows 0x00RRGGBB = i << 16 | 0x4020.
uint32_t ColourOf(int index)
{
    return static_cast<uint32_t>(index) << 16 | 0x4020;
}

void MakeTiles(DibBitmap& bitmap, int width, int height, int withMask)
{
    ASSERT_TRUE(bitmap.Create(width, height, 8, withMask));
    uint8_t* table = bitmap.ColourTable();
    for (int i = 0; i < 256; ++i)
    {
        table[i * 4] = 0x20;
        table[i * 4 + 1] = 0x40;
        table[i * 4 + 2] = static_cast<uint8_t>(i);
    }
}

void Fill(DibBitmap& bitmap, int x, int y, int index)
{
    for (int row = y; row < y + 32; ++row)
    {
        for (int column = x; column < x + 32; ++column)
        {
            bitmap.Bits()[row * bitmap.Stride() + column] = static_cast<uint8_t>(index);
        }
    }
}

constexpr int kChipBase = 10;  // chip tile g: index 10 + g
constexpr int kEventBase = 40; // event graphic row n: 40 + 2n numbered, 41 + 2n unnumbered
constexpr int kBackIndex = 90;

class WorldMapViewTest : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        MakeTiles(m_Chips, 5 * 32, 2 * 32, 1);
        for (int g = 0; g < 10; ++g)
        {
            Fill(m_Chips, g % 5 * 32, g / 5 * 32, kChipBase + g);
        }
        MakeTiles(m_Events, 64, 3 * 32, 1);
        MakeTiles(m_Back, 320, 320, 0);
        for (int n = 0; n < 3; ++n)
        {
            Fill(m_Events, 0, n * 32, kEventBase + 2 * n);
            Fill(m_Events, 32, n * 32, kEventBase + 2 * n + 1);
        }
        Fill(m_Back, 64, 32, kBackIndex);
        m_View.SetTiles({&m_Back, &m_Chips, &m_Events});
        ASSERT_TRUE(m_Surface.Create(160, 128, 24, 0));
        m_Map.Resize(4, 3);
        m_pEdit->SetPenMode(kToolPen);
        m_pEdit->Cursor() = {0, 0, 0, 0};
    }

    uint32_t Paint(int x, int y)
    {
        m_View.Paint(m_Surface, m_Viewport);
        return m_Surface.PixelRgb(x, y);
    }

    std::unique_ptr<WorldMapEditState> m_pEdit = std::make_unique<WorldMapEditState>();
    WorldMapRecord m_Map;
    WorldMapView m_View{*m_pEdit, m_Map};
    DibBitmap m_Chips;
    DibBitmap m_Events;
    DibBitmap m_Back;
    DibBitmap m_Surface;
    StageViewport m_Viewport{0, 0, 160, 128};
};

TEST_F(WorldMapViewTest, ChipsEventsAndBackgroundAreDrawnWhereTheyBelong)
{
    // Chip 3 shown by tile 7; a number that is no chip leaves the background colour.
    m_Map.m_Chip.At(3).m_nTile = 7;
    m_Map.CellAt(1, 0) = 3;
    m_Map.CellAt(2, 0) = 42;
    m_Map.m_nBackColor = 20;
    const PaletteEntries saved = GlobalPalette;
    GlobalPalette[20 * 4] = 0x33; // blue, green, red
    GlobalPalette[20 * 4 + 1] = 0x66;
    GlobalPalette[20 * 4 + 2] = 0x99;
    const uint32_t back = 0x996633;
    EXPECT_EQ(Paint(32 + 16, 16), ColourOf(kChipBase + 7));
    EXPECT_EQ(Paint(64 + 16, 16), back);
    EXPECT_EQ(Paint(3 * 32 + 16, 16), ColourOf(kChipBase)) << "chip 0";
    EXPECT_EQ(Paint(4 * 32 + 16, 16), back) << "beside the map";

    // The background image, from the scroll position, under the chips.
    m_Map.m_bUseBackImage = 1;
    EXPECT_EQ(Paint(64 + 16, 16), ColourOf(255)) << "no chip drawn over the image's own white";
    m_Viewport.m_nScrollColumn = 2;
    m_Viewport.m_nScrollRow = 1;
    m_Map.CellAt(2, 1) = 42;
    EXPECT_EQ(Paint(16, 16), ColourOf(kBackIndex));
    m_Map.m_bUseBackImage = 0;
    m_Viewport = {0, 0, 160, 128};

    // Events: the first page's graphic, unnumbered (stage 0) and numbered, in the cell's top right.
    WorldMapEvent road;
    road.Init();
    road.m_Page.At(0).m_nGraphic = 1;
    road.m_Page.At(0).m_nKind = 1;
    m_Map.PutEvent(road, 0, 1);
    WorldMapEvent town;
    town.Init();
    town.m_Page.At(0).m_nGraphic = 2;
    town.m_Page.At(0).m_nStageNumber = 7;
    m_Map.PutEvent(town, 1, 2);
    m_View.Paint(m_Surface, m_Viewport);
    EXPECT_EQ(m_Surface.PixelRgb(15 + 4, 32 + 1 + 12), ColourOf(kEventBase + 2 * 1 + 1));
    EXPECT_EQ(m_Surface.PixelRgb(15, 32 + 1), 0xFFFF00u) << "the yellow frame";
    EXPECT_EQ(m_Surface.PixelRgb(32 + 15 + 1, 64 + 1 + 14), ColourOf(kEventBase + 2 * 2));

    // The pen's cursor: the picked block at the cursor cell.
    m_pEdit->m_nBlockWidth = 2;
    m_pEdit->m_nBlockHeight = 1;
    m_pEdit->Cursor() = {2, 2, 64, 64};
    EXPECT_EQ(Paint(64 + 32 + 16, 64), 0x8000FFu);
    EXPECT_EQ(m_View.StatusText(), "座標 (2,2)");
    GlobalPalette = saved;
}

} // namespace
