#include "common/graphics/DibBitmap.h"
#include "common/services/MessageBoxes.h"
#include "platform/core/Cp932.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/common/graphics/BmpBuilder.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <cstring>
#include <set>
#include <sys/resource.h>

namespace
{

// Draws every character of a line as a full cell 8 pixels wide (16 for a
// double-byte character) and 16 pixels high, so tests can see where text went.
class BlockRasterizer : public platform::TextRasterizer
{
public:
    platform::TextImage Render(std::string_view text, int pixelSize) override
    {
        ++m_nLines;
        platform::TextImage image;
        image.m_nWidth = 0;
        for (size_t i = 0; i < text.size(); i += platform::Cp932CharLength(text, i))
        {
            image.m_nWidth += platform::Cp932CharLength(text, i) * 8;
        }
        image.m_nHeight = pixelSize;
        image.m_Coverage.assign(static_cast<size_t>(image.m_nWidth) * image.m_nHeight, 255);
        return image;
    }
    int m_nLines = 0;
};

class DibBitmapTest : public testing::Test
{
protected:
    void SetUp() override
    {
        GlobalPalette.fill(0);
        TransparentIndex = 0;
    }
    void TearDown() override { SetTextRasterizer(nullptr); }

    TempFolder m_Folder;
    platform::ScriptedDialogs m_Dialogs;
};

TEST_F(DibBitmapTest, EightBitFilesLoadWithTheirHeadersPaddingAndRowOrder)
{
    struct Case
    {
        const char* m_pszName;
        bool m_bTopDown;
        uint32_t m_nInfoSize;
        uint32_t m_nColours;
        uint32_t m_nGap;
    };
    const Case cases[] = {
        {"bottom-up", false, 40, 0, 0},
        {"top-down", true, 40, 0, 0},
        {"larger header and a gap before the pixels", false, 124, 0, 6},
        {"short colour table", false, 40, 16, 0},
    };
    std::vector<uint32_t> pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszName);
        BmpLayout layout;
        layout.m_bTopDown = c.m_bTopDown;
        layout.m_nInfoSize = c.m_nInfoSize;
        layout.m_nColours = c.m_nColours;
        layout.m_nGap = c.m_nGap;
        layout.m_Table = RampTable();
        layout.m_Pixels = pixels;
        m_Folder.WriteFile("bmp/Chip.bmp", MakeBmp(layout));
        GlobalPalette.fill(0x77);

        DibBitmap bitmap;
        ASSERT_EQ(bitmap.Load("bmp\\Chip.bmp", 8, 0), 1);
        ASSERT_EQ(bitmap.Width(), 5);
        ASSERT_EQ(bitmap.Height(), 3);
        for (int y = 0; y < 3; ++y)
        {
            for (int x = 0; x < 5; ++x)
            {
                EXPECT_EQ(bitmap.Pixel(x, y), pixels[y * 5 + x]) << x << "," << y;
            }
        }
        // The file's colours became the shared palette; entries it does not hold stay.
        EXPECT_EQ(GlobalPalette[10 * 4 + 2], 0xFF);
        EXPECT_EQ(GlobalPalette[5 * 4], 5);
        EXPECT_EQ(GlobalPalette[200 * 4], c.m_nColours == 16 ? 0x77 : 200);
        EXPECT_EQ(bitmap.PixelRgb(4, 1), 0xFF0000u);
    }
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
}

TEST_F(DibBitmapTest, FilesTheEightBitLoaderCannotTakeShowABoxAndLeaveThePalette)
{
    BmpLayout trueColour;
    trueColour.m_nBitCount = 24;
    m_Folder.WriteFile("bmp/True.bmp", MakeBmp(trueColour));
    BmpLayout compressed;
    compressed.m_nCompression = 1;
    m_Folder.WriteFile("bmp/Rle.bmp", MakeBmp(compressed));
    std::vector<unsigned char> truncated = MakeBmp(BmpLayout{});
    truncated.resize(truncated.size() - 4);
    m_Folder.WriteFile("bmp/Short.bmp", truncated);

    GlobalPalette.fill(0x42);
    PaletteEntries before = GlobalPalette;
    DibBitmap bitmap;
    EXPECT_EQ(bitmap.Load("bmp\\True.bmp", 8, 0), 0);
    EXPECT_EQ(bitmap.Load("bmp\\Rle.bmp", 8, 0), 0);
    EXPECT_EQ(bitmap.Load("bmp\\Short.bmp", 8, 0), 0);
    EXPECT_EQ(bitmap.Load("bmp\\Missing.bmp", 8, 0), 0);
    EXPECT_EQ(GlobalPalette, before);
    EXPECT_FALSE(bitmap.IsCreated());

    const auto& boxes = m_Dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].m_strText, "bmp\\True.bmp は256色ではありません！");
    EXPECT_EQ(boxes[0].m_strCaption, "エラー");
    EXPECT_EQ(boxes[0].m_nType, platform::kMbOk);
    EXPECT_EQ(boxes[1].m_strText, "bmp\\Rle.bmp が読み込めません！");
    EXPECT_EQ(boxes[2].m_strText, "bmp\\Short.bmp が読み込めません！");
    EXPECT_EQ(boxes[3].m_strText, "bmp\\Missing.bmp が読み込めません！");

    // The 24-bit loader fails quietly.
    EXPECT_EQ(bitmap.Load("bmp\\Missing.bmp", 24, 0), 0);
    EXPECT_EQ(bitmap.Load("bmp\\True.bmp", 24, 0), 1);
    EXPECT_EQ(m_Dialogs.Boxes().size(), 4u);
}

TEST_F(DibBitmapTest, CreatedBitmapsAreWhiteWithBlackAndWhiteEnds)
{
    GlobalPalette.fill(0x55);
    DibBitmap bitmap;
    ASSERT_EQ(bitmap.Create(7, 2, 8, 1), 1);
    const uint8_t* table = bitmap.ColourTable();
    EXPECT_EQ(table[0] | table[1] | table[2], 0);
    EXPECT_EQ(table[255 * 4] & table[255 * 4 + 1] & table[255 * 4 + 2], 0xFF);
    EXPECT_EQ(table[4], 0x55); // the rest is the global palette
    EXPECT_EQ(bitmap.Stride(), 8);
    EXPECT_EQ(bitmap.Pixel(6, 1), 255u);
    EXPECT_EQ(bitmap.PixelRgb(0, 0), 0xFFFFFFu);
    EXPECT_TRUE(bitmap.HasMask());

    DibBitmap rgb;
    ASSERT_EQ(rgb.Create(3, 3, 24, 0), 1);
    EXPECT_EQ(rgb.Pixel(2, 2), 0xFFFFFFu);
    EXPECT_EQ(rgb.Create(0, 3, 24, 0), 0);
    EXPECT_EQ(rgb.Create(3, 3, 16, 0), 0);
}

TEST_F(DibBitmapTest, GridLinesStayInsideTheRectangle)
{
    DibBitmap bitmap;
    ASSERT_EQ(bitmap.Create(100, 60, 24, 0), 1);
    const int x = 10, y = 5;
    bitmap.DrawGrid(x, y, 64, 32, 1, 1, 0x0000FF);
    std::set<int> columns = {x, x + 32, x + 63};
    std::set<int> rows = {y, y + 31};
    for (int py = 0; py < 60; ++py)
    {
        for (int px = 0; px < 100; ++px)
        {
            bool inside = px >= x && px < x + 64 && py >= y && py < y + 32;
            bool onLine = inside && (columns.count(px) || rows.count(py));
            EXPECT_EQ(bitmap.Pixel(px, py), onLine ? 0xFF0000u : 0xFFFFFFu) << px << "," << py;
        }
    }
    EXPECT_FALSE(bitmap.HasPen());

    DibBitmap untouched;
    ASSERT_EQ(untouched.Create(70, 40, 24, 0), 1);
    untouched.DrawGrid(0, 0, 64, 32, 1, 0, 0);
    EXPECT_EQ(untouched.Pixel(0, 0), 0xFFFFFFu);
}

TEST_F(DibBitmapTest, LinesLeaveOutTheirEndPointAndUseTheNearestColour)
{
    for (int i = 0; i < 256; ++i)
    {
        GlobalPalette[i * 4] = GlobalPalette[i * 4 + 1] = GlobalPalette[i * 4 + 2] = static_cast<uint8_t>(i);
    }
    DibBitmap bitmap;
    ASSERT_EQ(bitmap.Create(10, 10, 8, 0), 1);
    ASSERT_EQ(bitmap.SetPen(kPenSolid, 1, 0x646464), 1); // grey 100
    bitmap.DrawLine(1, 1, 5, 1);
    EXPECT_EQ(bitmap.Pixel(1, 1), 100u);
    EXPECT_EQ(bitmap.Pixel(4, 1), 100u);
    EXPECT_EQ(bitmap.Pixel(5, 1), 255u);
    bitmap.DrawLine(0, 0, 3, 3);
    EXPECT_EQ(bitmap.Pixel(2, 2), 100u);
    EXPECT_EQ(bitmap.Pixel(3, 3), 255u);

    bitmap.Clear(0x000000);
    EXPECT_EQ(bitmap.Pixel(9, 9), 0u);
    EXPECT_TRUE(bitmap.HasPen()); // Clear leaves its pen selected
    bitmap.SetPen(kPenSolid, 1, 0xFFFFFF);
    bitmap.DrawRect(2, 2, 4, 3);
    for (int px = 2; px <= 5; ++px)
    {
        EXPECT_EQ(bitmap.Pixel(px, 2), 255u);
        EXPECT_EQ(bitmap.Pixel(px, 4), 255u);
    }
    EXPECT_EQ(bitmap.Pixel(3, 3), 0u);
    EXPECT_EQ(bitmap.Pixel(6, 2), 0u);
}

TEST_F(DibBitmapTest, PrintfDrawsEachLineTwentyPixelsLowerInWhite)
{
    BlockRasterizer rasterizer;
    SetTextRasterizer(&rasterizer);
    DibBitmap bitmap;
    ASSERT_EQ(bitmap.Create(80, 80, 24, 0), 1);
    bitmap.Clear(0);
    bitmap.Printf(4, 2, "a%d\nあ\n%s", 7, "xyz");
    EXPECT_EQ(rasterizer.m_nLines, 3);
    auto rowHasInk = [&](int y) {
        for (int x = 0; x < 80; ++x)
        {
            if (bitmap.Pixel(x, y) == 0xFFFFFFu)
            {
                return true;
            }
        }
        return false;
    };
    // Line k covers rows 2 + 20k .. 2 + 20k + 15.
    for (int y = 0; y < 80; ++y)
    {
        bool expected = y >= 2 && (y - 2) % 20 < 16 && y < 2 + 40 + 16;
        EXPECT_EQ(rowHasInk(y), expected) << y;
    }
    EXPECT_EQ(bitmap.Pixel(4 + 15, 2), 0xFFFFFFu);  // "a7": two cells
    EXPECT_EQ(bitmap.Pixel(4 + 16, 2), 0u);
    EXPECT_EQ(bitmap.Pixel(4 + 15, 22), 0xFFFFFFu); // "あ": one double cell
    EXPECT_EQ(bitmap.Pixel(4 + 23, 42), 0xFFFFFFu); // "xyz"
    EXPECT_EQ(bitmap.Pixel(4 + 24, 42), 0u);
}

TEST_F(DibBitmapTest, MaskedBlitOntoEightBitsKeepsTheDestinationUnderTheTransparentIndex)
{
    BmpLayout layout;
    layout.m_nWidth = 4;
    layout.m_nHeight = 1;
    layout.m_Table = RampTable();
    layout.m_Pixels = {7, 20, 7, 30};
    m_Folder.WriteFile("bmp/Sprite.bmp", MakeBmp(layout));
    TransparentIndex = 7;
    DibBitmap sprite;
    ASSERT_EQ(sprite.Load("bmp\\Sprite.bmp", 8, 1), 1);
    for (int x = 0; x < 4; ++x)
    {
        EXPECT_EQ(sprite.MaskBits()[x], x % 2 == 0 ? 0xFF : 0xFE);
    }

    DibBitmap target;
    ASSERT_EQ(target.Create(6, 2, 8, 0), 1);
    target.Blt(1, 0, 4, 1, sprite, 0, 0, 0);
    std::vector<uint32_t> row;
    for (int x = 0; x < 6; ++x)
    {
        row.push_back(target.Pixel(x, 0));
    }
    EXPECT_EQ(row, (std::vector<uint32_t>{255, 255, 20, 255, 30, 255}));
    // Opaque: a plain copy, the transparent index included.
    target.Blt(1, 1, 4, 1, sprite, 0, 0, 1);
    EXPECT_EQ(target.Pixel(1, 1), 7u);
    // Drawn onto 24 bits the colours come through the source's table.
    DibBitmap rgb;
    ASSERT_EQ(rgb.Create(4, 1, 24, 0), 1);
    rgb.Blt(0, 0, 4, 1, sprite, 0, 0, 0);
    EXPECT_EQ(rgb.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb.Pixel(1, 0), 0x141414u);
}

TEST_F(DibBitmapTest, StretchBltScalesAndClipsAtTheEdges)
{
    DibBitmap source;
    ASSERT_EQ(source.Create(2, 1, 24, 0), 1);
    source.SetPixel(0, 0, 0x0000FF);
    source.SetPixel(1, 0, 0x00FF00);
    DibBitmap target;
    ASSERT_EQ(target.Create(3, 2, 24, 0), 1);
    target.StretchBlt(-1, 0, 4, 2, source, 0, 0, 2, 1, 1);
    EXPECT_EQ(target.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(target.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(target.Pixel(2, 1), 0x00FF00u);
}

TEST_F(DibBitmapTest, PalettesComeFromTheColourTableAndTheTransparentIndexIsTheFirstMatch)
{
    BmpLayout layout;
    layout.m_nInfoSize = 108;
    layout.m_nColours = 4;
    layout.m_Table = {0x000000, 0x112233, 0x00FF00, 0x00FF00};
    m_Folder.WriteFile("bmp/Palette.bmp", MakeBmp(layout));
    BmpLayout trueColour;
    trueColour.m_nBitCount = 24;
    m_Folder.WriteFile("bmp/True.bmp", MakeBmp(trueColour));

    GlobalPalette.fill(9);
    ASSERT_TRUE(LoadGlobalPalette("bmp\\Palette.bmp"));
    EXPECT_EQ(GlobalPalette[4], 0x33);
    EXPECT_EQ(GlobalPalette[6], 0x11);
    EXPECT_EQ(GlobalPalette[4 * 4], 9); // past the file's four colours
    PaletteEntries second{};
    EXPECT_EQ(ReadBmpPalette(second, "bmp\\True.bmp"), 0);
    EXPECT_EQ(ReadBmpPalette(second, "bmp\\Missing.bmp"), 0);
    EXPECT_FALSE(LoadGlobalPalette("bmp\\Missing.bmp"));

    const uint8_t green[3] = {0x00, 0xFF, 0x00};
    FindTransparentIndex(green);
    EXPECT_EQ(TransparentIndex, 2);
    const uint8_t none[3] = {1, 2, 3};
    FindTransparentIndex(none);
    EXPECT_EQ(TransparentIndex, 2);
    EXPECT_EQ(TransparentColour[2], 3);
}

} // namespace

namespace
{

TEST_F(DibBitmapTest, AFileOfAnotherDepthIsNotTwoHundredFiftySixColoursWhateverItsLayout)
{
    BmpLayout highColour;
    highColour.m_nBitCount = 16;
    m_Folder.WriteFile("bmp/High.bmp", MakeBmp(highColour));
    BmpLayout bitFields;
    bitFields.m_nBitCount = 32;
    bitFields.m_nCompression = 3;
    m_Folder.WriteFile("bmp/Fields.bmp", MakeBmp(bitFields));

    GlobalPalette.fill(0x42);
    PaletteEntries before = GlobalPalette;
    DibBitmap bitmap;
    EXPECT_EQ(bitmap.Load("bmp\\High.bmp", 8, 0), 0);
    EXPECT_EQ(bitmap.Load("bmp\\Fields.bmp", 8, 0), 0);
    EXPECT_EQ(GlobalPalette, before);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 2u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "bmp\\High.bmp は256色ではありません！");
    EXPECT_EQ(m_Dialogs.Boxes()[1].m_strText, "bmp\\Fields.bmp は256色ではありません！");
}

TEST_F(DibBitmapTest, APaletteNeedsOnlyTheHeadersAndTheColourTable)
{
    BmpLayout compressed;
    compressed.m_nCompression = 1; // run-length coded pixels
    compressed.m_Table = RampTable();
    m_Folder.WriteFile("bmp/Rle.bmp", MakeBmp(compressed));
    std::vector<unsigned char> cut = MakeBmp(BmpLayout{.m_Table = RampTable()});
    cut.resize(14 + 40 + 256 * 4 + 3); // the pixel rows are missing
    m_Folder.WriteFile("bmp/Cut.bmp", cut);

    for (const char* file : {"bmp\\Rle.bmp", "bmp\\Cut.bmp"})
    {
        SCOPED_TRACE(file);
        PaletteEntries palette{};
        ASSERT_EQ(ReadBmpPalette(palette, file), 1);
        EXPECT_EQ(palette[10 * 4 + 2], 0xFF);
        EXPECT_EQ(palette[200 * 4], 200);
    }
}

TEST_F(DibBitmapTest, AnUnscaledCopyClipsAndKeysPixelByPixel)
{
    // A 5 x 4 source with a pattern, every third pixel transparent, copied with
    // offsets that leave either bitmap, at every pair of depths, keyed and not.
    struct Place
    {
        int x, y, sx, sy, w, h;
    };
    const Place places[] = {{1, 1, 0, 0, 5, 4}, {-2, 1, 0, 0, 5, 4}, {3, 2, 0, 0, 5, 4}, {0, 0, -1, -2, 5, 4},
                            {0, 0, 2, 1, 5, 4}, {-1, -1, 1, 1, 3, 2}, {7, 0, 0, 0, 5, 4}};
    for (int sourceBits : {8, 24})
    {
        for (int targetBits : {8, 24})
        {
            for (int opaque : {0, 1})
            {
                for (const Place& p : places)
                {
                    SCOPED_TRACE(testing::Message() << sourceBits << " -> " << targetBits << " opaque " << opaque
                                                    << " at " << p.x << "," << p.y << " from " << p.sx << ","
                                                    << p.sy);
                    DibBitmap source;
                    ASSERT_EQ(source.Create(5, 4, sourceBits, 1), 1);
                    for (int y = 0; y < 4; ++y)
                    {
                        for (int x = 0; x < 5; ++x)
                        {
                            source.SetPixel(x, y, static_cast<uint32_t>(0x102030 * (x + 5 * y + 1)) & 0xFFFFFF);
                            if ((x + 5 * y) % 3 == 0)
                            {
                                int bytes = sourceBits / 8;
                                std::memset(source.MaskBits() + y * source.Stride() + x * bytes, 0xFF, bytes);
                            }
                        }
                    }
                    DibBitmap target;
                    ASSERT_EQ(target.Create(6, 5, targetBits, 0), 1);
                    target.Clear(0x0000FF);
                    DibBitmap expected;
                    ASSERT_EQ(expected.Create(6, 5, targetBits, 0), 1);
                    expected.Clear(0x0000FF);
                    for (int row = 0; row < p.h; ++row)
                    {
                        for (int column = 0; column < p.w; ++column)
                        {
                            int sx = p.sx + column;
                            int sy = p.sy + row;
                            if (sx < 0 || sy < 0 || sx >= 5 || sy >= 4 || (opaque == 0 && (sx + 5 * sy) % 3 == 0))
                            {
                                continue;
                            }
                            uint32_t rgb = source.PixelRgb(sx, sy);
                            expected.SetPixel(p.x + column, p.y + row,
                                              (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
                        }
                    }
                    target.Blt(p.x, p.y, p.w, p.h, source, p.sx, p.sy, opaque);
                    for (int y = 0; y < 5; ++y)
                    {
                        for (int x = 0; x < 6; ++x)
                        {
                            EXPECT_EQ(target.PixelRgb(x, y), expected.PixelRgb(x, y)) << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(DibBitmapTest, ACreatedMaskHidesNothing)
{
    for (int bits : {8, 24})
    {
        SCOPED_TRACE(bits);
        DibBitmap sprite;
        ASSERT_EQ(sprite.Create(2, 1, bits, 1), 1);
        sprite.Clear(0x000000);
        DibBitmap target;
        ASSERT_EQ(target.Create(2, 1, bits, 0), 1);
        target.Blt(0, 0, 2, 1, sprite, 0, 0, 0);
        EXPECT_EQ(target.PixelRgb(0, 0), 0u);
        EXPECT_EQ(target.PixelRgb(1, 0), 0u);
    }
}

TEST_F(DibBitmapTest, ABitmapTooLargeForTheMemoryIsRefused)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#else
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit small = old;
    small.rlim_cur = rlim_t{1} << 31; // 2 GB of address space; the bitmap wants 6 GB
    ASSERT_EQ(setrlimit(RLIMIT_AS, &small), 0);
    DibBitmap bitmap;
    int created = bitmap.Create(32768, 32768, 24, 1);
    setrlimit(RLIMIT_AS, &old);
    EXPECT_EQ(created, 0);
    EXPECT_FALSE(bitmap.IsCreated());
    EXPECT_EQ(bitmap.Width(), 0);
#endif
}

} // namespace
