#include "StageEditorFixture.h"
#include "editor/stage/StageMapView.h"

#include <gtest/gtest.h>

namespace
{

using namespace stagetest;

// Every tile of the test bitmaps is one palette index; index i shows the
// colour 0x00RRGGBB = i << 16 | 0x4020, unlike black, white and the frames.
uint32_t ColourOf(int index)
{
    return static_cast<uint32_t>(index) << 16 | 0x4020;
}

constexpr int kChipBase = 10;   // map chip tile t: index 10 + t
constexpr int kEnemyBase = 40;  // enemy tile n: 40 + n
constexpr int kEventBase = 60;  // event tile n: 60 + n
constexpr int kAccessoryIndex = 80;

void MakeTiles(DibBitmap& bitmap, int width, int height, bool masked)
{
    ASSERT_TRUE(bitmap.Create(width, height, 8, masked ? 1 : 0));
    uint8_t* table = bitmap.ColourTable();
    for (int i = 0; i < 256; ++i)
    {
        table[i * 4] = 0x20;
        table[i * 4 + 1] = 0x40;
        table[i * 4 + 2] = static_cast<uint8_t>(i);
    }
}

void Fill(DibBitmap& bitmap, int x, int y, int width, int height, int index)
{
    for (int row = y; row < y + height; ++row)
    {
        for (int column = x; column < x + width; ++column)
        {
            bitmap.Bits()[row * bitmap.Stride() + column] = static_cast<uint8_t>(index);
        }
    }
}

void MakeTransparent(DibBitmap& bitmap, int x, int y)
{
    bitmap.MaskBits()[y * bitmap.Stride() + x] = 0xFF;
}

class StageMapViewTest : public StageEditorFixture
{
protected:
    void SetUp() override
    {
        StageEditorFixture::SetUp();
        // Map chips: eight a row, two rows.
        MakeTiles(m_MapChip, 8 * 32, 2 * 32, false);
        for (int t = 0; t < 16; ++t)
        {
            Fill(m_MapChip, t % 8 * 32, t / 8 * 32, 32, 32, kChipBase + t);
        }
        // Enemies and events: tile n in column n / 15 (64 pixels wide), row n % 15;
        // enemies use the right half of a column.
        MakeTiles(m_MapChara, 128, 15 * 32, true);
        MakeTiles(m_Event, 128, 15 * 32, false);
        for (int n = 0; n < 20; ++n)
        {
            Fill(m_MapChara, n / 15 * 64 + 32, n % 15 * 32, 32, 32, kEnemyBase + n);
            MakeTransparent(m_MapChara, n / 15 * 64 + 32 + 1, n % 15 * 32 + 1);
            Fill(m_Event, n / 15 * 64, n % 15 * 32, 32, 32, kEventBase + n);
        }
        MakeTiles(m_Accessory, 32, 96, true);
        Fill(m_Accessory, 0, 64, 32, 32, kAccessoryIndex);
        MakeTransparent(m_Accessory, 1, 65);

        m_View.SetTiles({&m_MapChip, &m_MapChara, &m_Event, &m_Accessory});
        ASSERT_TRUE(m_Surface.Create(200, 160, 24, 0));
        m_Viewport = {0, 0, 200, 160};
        m_bViewportFollowsMap = false;
    }

    void SetCursor(int column, int row)
    {
        m_Edit.Cursor() = {column, row, (column - m_Viewport.m_nScrollColumn) * 32,
                           (row - m_Viewport.m_nScrollRow) * 32};
    }

    uint32_t Paint(int x, int y, bool leftHeld = false)
    {
        m_View.Paint(m_Surface, m_Viewport, leftHeld);
        return m_Surface.PixelRgb(x, y);
    }

    DibBitmap m_MapChip;
    DibBitmap m_MapChara;
    DibBitmap m_Event;
    DibBitmap m_Accessory;
    DibBitmap m_Surface;
    StageMapView m_View{m_Edit, m_Stage};
};

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kToolFrame = 0x8000FF; // as red, green, blue
constexpr uint32_t kPickFrame = 0xFF0080;

TEST_F(StageMapViewTest, EachLayerIsDrawnWhereItBelongs)
{
    // A 4 x 3 stage in a view of 6 x 5 cells: lands 0, 1 (image 9), 2, 3.
    SetMap({"0123", "0123", "0123"});
    LandTable.At(1).m_nGraphic = 9;
    AddPlacement(1, 1, 1);  // class 1, graphic 1
    AddPlacement(0, 2, 1);  // no enemy set: not drawn
    AddPlacement(2, -1, -1);
    AddEvent(2, 2, 1, 2);   // graphic 2
    AddEvent(3, 1, 0);      // no pages: not drawn
    m_Stage.m_nStartGroup = 1;
    m_Stage.m_GroupPos.At(1).m_Point = {{0, 2}};
    SetCursor(5, 4);        // the tool frame out of the way

    struct Probe
    {
        const char* m_pszWhat;
        int m_nX;
        int m_nY;
        uint32_t m_nColour;
    };
    const Probe probes[] = {
        {"land 2 from tile 2", 2 * 32 + 5, 5, ColourOf(kChipBase + 2)},
        {"land with image 9 from the tile at (32, 32)", 32 + 5, 5, ColourOf(kChipBase + 9)},
        {"grid line between cells", 32, 5, kWhite},
        {"outside the stage is black", 4 * 32 + 10, 10, kBlack},
        {"below the stage is black", 10, 3 * 32 + 10, kBlack},
        {"grid drawn outside the stage", 5 * 32, 10, kWhite},
        {"grid row drawn outside the stage", 10, 4 * 32, kWhite},
        {"grid on the far right edge", 199, 10, kWhite},
        {"grid on the bottom edge", 10, 159, kWhite},
        {"enemy of class graphic 1", 32 + 5, 32 + 5, ColourOf(kEnemyBase + 1)},
        {"enemy masked pixel shows the chip", 32 + 1, 32 + 1, ColourOf(kChipBase + 9)},
        {"placement without an enemy", 2 * 32 + 5, 32 + 5, ColourOf(kChipBase + 2)},
        {"event frame", 2 * 32 + 15, 2 * 32 + 1, kYellow},
        {"event picture shrunk inside its frame", 2 * 32 + 20, 2 * 32 + 6, ColourOf(kEventBase + 2)},
        {"beside the event picture", 2 * 32 + 5, 2 * 32 + 6, ColourOf(kChipBase + 2)},
        {"event without pages", 3 * 32 + 15, 32 + 1, ColourOf(kChipBase + 3)},
        {"start group mark", 5, 2 * 32 + 5, ColourOf(kAccessoryIndex)},
        {"start group mark is masked", 1, 2 * 32 + 1, ColourOf(kChipBase + 0)},
    };
    m_View.Paint(m_Surface, m_Viewport, false);
    for (const Probe& p : probes)
    {
        EXPECT_EQ(m_Surface.PixelRgb(p.m_nX, p.m_nY), p.m_nColour) << p.m_pszWhat;
    }
}

TEST_F(StageMapViewTest, TheViewStartsAtTheScrollCell)
{
    SetMap({"0000", "0003"});
    AddPlacement(1, 3, 1);
    m_Viewport.m_nScrollColumn = 2;
    m_Viewport.m_nScrollRow = 1;
    SetCursor(6, 5);
    m_View.Paint(m_Surface, m_Viewport, false);
    EXPECT_EQ(m_Surface.PixelRgb(5, 5), ColourOf(kChipBase + 0));
    EXPECT_EQ(m_Surface.PixelRgb(32 + 5, 5), ColourOf(kEnemyBase + 1));
    EXPECT_EQ(m_Surface.PixelRgb(5, 32 + 5), kBlack);
}

TEST_F(StageMapViewTest, CellsAndPlacementsTheTablesNoLongerHaveAreLeftOut)
{
    SetMap({"04"});
    LandTable.resize(3);                  // land 4 is gone (an undo may bring such cells back)
    AddPlacement(1, 0, 0);
    EnemyTable.At(1).m_nClass = 7;        // no such class
    AddPlacement(5, 1, 0);                // no such enemy
    SetCursor(5, 4);
    m_View.Paint(m_Surface, m_Viewport, false);
    EXPECT_EQ(m_Surface.PixelRgb(5, 5), ColourOf(kChipBase + 0));
    EXPECT_EQ(m_Surface.PixelRgb(32 + 5, 5), kBlack);
}

TEST_F(StageMapViewTest, TheToolFrameChangesColourWhilePicking)
{
    SetMap({"000", "000"});
    m_Viewport.m_nClientWidth = 3 * 32;
    struct Case
    {
        int32_t m_nPenMode;
        uint32_t m_nColour;
    };
    for (Case c : {Case{kToolPen, kToolFrame}, Case{kToolLine, kToolFrame}, Case{kToolRectangle, kToolFrame},
                   Case{kToolFill, kToolFrame}, Case{kPenModePicking, kPickFrame}})
    {
        SCOPED_TRACE(c.m_nPenMode);
        m_Edit.m_nPenMode = c.m_nPenMode;
        m_Edit.m_nPickX = 1;
        m_Edit.m_nPickY = 1;
        SetCursor(1, 1);
        EXPECT_EQ(Paint(33, 40), c.m_nColour);
    }

    // Through the mouse: the pick frame from the right press to the release.
    m_Edit.SetPenMode(kToolPen);
    RightDown(0, 0);
    EXPECT_EQ(Paint(1, 10), kPickFrame);
    Mouse(MapMouseAction::Move, 1, 1, kMouseKeyRight);
    EXPECT_EQ(Paint(2 * 32 - 1, 40), kPickFrame); // right edge of the 2 x 2 frame
    RightUp(1, 1);
    EXPECT_EQ(Paint(33, 40), kToolFrame);
}

TEST_F(StageMapViewTest, ThePenFrameHasTheSizeOfTheBlock)
{
    SetMap({"0000", "0000", "0000"});
    PickChips({"11", "11"});
    SetCursor(1, 0);
    m_View.Paint(m_Surface, m_Viewport, false);
    EXPECT_EQ(m_Surface.PixelRgb(3 * 32 - 1, 10), kToolFrame); // right edge, two cells wide
    EXPECT_EQ(m_Surface.PixelRgb(40, 2 * 32 - 1), kToolFrame); // bottom edge, two cells high
    EXPECT_EQ(m_Surface.PixelRgb(40, 40), ColourOf(kChipBase + 0));

    // A block of 0 x 0 (nothing picked) has no frame.
    m_Edit.m_nBlockWidth = 0;
    m_Edit.m_nBlockHeight = 0;
    EXPECT_EQ(Paint(33, 10), ColourOf(kChipBase + 0));
}

TEST_F(StageMapViewTest, LineAndRectangleShowWhatTheyWillDrawWhileTheButtonIsHeld)
{
    SetMap({"0000", "0000", "0000"});
    PickChips({"3"});
    struct Case
    {
        int32_t m_nTool;
        bool m_bHeld;
        uint32_t m_nMiddle; // inside cell (1, 0), between start and cursor
    };
    for (Case c : {Case{kToolLine, true, ColourOf(kChipBase + 3)}, Case{kToolLine, false, ColourOf(kChipBase + 0)},
                   Case{kToolRectangle, true, ColourOf(kChipBase + 3)},
                   Case{kToolRectangle, false, ColourOf(kChipBase + 0)}})
    {
        SCOPED_TRACE(testing::Message() << c.m_nTool << (c.m_bHeld ? " held" : " up"));
        m_Edit.SetPenMode(c.m_nTool);
        LeftDown(0, 0);
        Mouse(MapMouseAction::Move, 2, 0, kMouseKeyLeft);
        EXPECT_EQ(Paint(32 + 10, 10, c.m_bHeld), c.m_nMiddle);
        LeftUp(2, 0);
        m_Edit.Undo(m_Stage);
    }

    // The rectangle's preview frame goes round the whole rectangle.
    m_Edit.SetPenMode(kToolRectangle);
    LeftDown(2, 2);
    Mouse(MapMouseAction::Move, 0, 1, kMouseKeyLeft);
    m_View.Paint(m_Surface, m_Viewport, true);
    EXPECT_EQ(m_Surface.PixelRgb(1, 40), kToolFrame);          // left edge
    EXPECT_EQ(m_Surface.PixelRgb(3 * 32 - 1, 40), kToolFrame); // right edge
    EXPECT_EQ(m_Surface.PixelRgb(40, 3 * 32 - 1), kToolFrame); // bottom edge
}

TEST_F(StageMapViewTest, TheStatusTextNamesTheCursorCell)
{
    SetCursor(3, 12);
    EXPECT_EQ(m_View.StatusText(), "座標 (3,12)");
}

TEST_F(StageMapViewTest, ASurfaceNotYetCreatedIsLeftAlone)
{
    DibBitmap none;
    m_View.Paint(none, m_Viewport, false);
    EXPECT_FALSE(none.IsCreated());
}

} // namespace
