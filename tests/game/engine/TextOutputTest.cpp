#include "game/engine/TextOutput.h"

#include "game/engine/ScreenDrawTarget.h"
#include "tests/game/engine/DisplayFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{

using platform::PixelSurface;

constexpr int kPaper = 20;       // the back buffer's colour before each test draws
constexpr int kPattern = 77;     // the window pattern
constexpr int kSymbolBase = 100; // symbol cell n is filled with index 100 + n

// One keyed pixel a cell, the rest of the cell its number.
int SymbolPixel(int x, int y)
{
    return x % 16 == 15 && y == 0 ? 0 : kSymbolBase + x / 16;
}

int GlyphIndex(int column, int row)
{
    return 21 + (16 * row + column) % 230;
}

// The display at a depth with sheets of plain colours for the text: a window
// pattern of 640 x 480, symbols whose cells show their number, and a glyph
// sheet of 8 x 16 cells whose cell (column c, row r) is GlyphIndex(c, r).
class TextOutputTest : public DisplayFixture, public testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        DisplayFixture::SetUp();
        m_Folder.WriteFile("bmp/Window.bmp", FixtureBitmap(640, 480, [](int, int) { return kPattern; }));
        m_Folder.WriteFile("bmp/Symbol.bmp", FixtureBitmap(26 * 32, 32, SymbolPixel));
        m_Folder.WriteFile("bmp/Debug.bmp",
                           FixtureBitmap(128, 256, [](int x, int y) { return GlyphIndex(x / 8, y / 16); }));
    }

    void TearDown() override
    {
        DeleteFonts(TextFonts, kEveryFont, kFontCount);
        DisplayFixture::TearDown();
    }

    void StartWithFonts(int depth)
    {
        Start(depth);
        Load({1, 2, 5});
        ASSERT_TRUE(CreateFonts(TextFonts, kEveryFont, kFontCount, FontDefs));
        DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    }

    static PixelSurface* Back() { return DDBackBuffer(); }
    static uint32_t Pixel(int x, int y) { return Back()->Pixel(x, y); }
    static uint32_t Index(int index) { return PaletteIndexToPixel(index); }

    // The pixels other than the paper, by value.
    static std::set<uint32_t> InkIn(int left, int top, int right, int bottom)
    {
        std::set<uint32_t> inks;
        for (int y = top; y < bottom; ++y)
        {
            for (int x = left; x < right; ++x)
            {
                if (Pixel(x, y) != Index(kPaper))
                {
                    inks.insert(Pixel(x, y));
                }
            }
        }
        return inks;
    }
    static int InkCount(int left, int top, int right, int bottom)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
        {
            for (int x = left; x < right; ++x)
            {
                count += Pixel(x, y) != Index(kPaper);
            }
        }
        return count;
    }

    static constexpr int kEveryFont[kFontCount] = {0, 1, 2};
};

TEST_P(TextOutputTest, ABoxAtTheCentreMarkIsCentredOnItsPattern)
{
    StartWithFonts(GetParam());
    struct Case
    {
        int x, y, w, h;
        int left, top; // where the box's pattern starts
    };
    const Case cases[] = {
        {kCentred, 50, 200, 40, 220, 50},
        {30, kCentred, 100, 80, 30, 200},
        {kCentred, kCentred, 201, 1, 220, 240}, // an odd size leans to the top left
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        DDFillRect(Back(), 0, 0, 640, 480, kPaper);
        TextFonts[0].DrawBox(Back(), c.x, c.y, c.w, c.h);
        const int row = c.top + c.h / 2;
        EXPECT_EQ(Pixel(c.left - 2, row), Index(kPaper));
        EXPECT_EQ(Pixel(c.left - 1, row), Index(189)); // the frame, one pixel outside
        EXPECT_EQ(Pixel(c.left, row), Index(kPattern));
        EXPECT_EQ(Pixel(c.left + c.w - 1, row), Index(kPattern));
        EXPECT_EQ(Pixel(c.left + c.w, row), Index(189));
        EXPECT_EQ(Pixel(c.left + c.w / 2, c.top - 1), Index(189));
        EXPECT_EQ(Pixel(c.left + c.w / 2, c.top), Index(kPattern));
    }
}

TEST_P(TextOutputTest, LowercaseLettersAreSymbolsOfTheirCells)
{
    StartWithFonts(GetParam());
    TextFonts[0].DrawText(Back(), 50, 60, "ab");
    EXPECT_EQ(InkIn(50, 60, 66, 76), std::set<uint32_t>{Index(kSymbolBase)});
    EXPECT_EQ(InkIn(66, 60, 82, 76), std::set<uint32_t>{Index(kSymbolBase + 1)});
    EXPECT_EQ(Pixel(65, 60), Index(kPaper)) << "the sheet's keyed pixel is left out";
    EXPECT_EQ(InkCount(0, 0, 640, 480), 2 * 16 * 16 - 2) << "no letters besides";

    // Symbols share the walk with the other characters; a trail byte in the
    // letters' range ("ヂ" is 0x83 0x61) is part of its character, and a
    // line starts at the left again.
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    TextFonts[0].DrawText(Back(), 100, 200, "zヂ\nyc");
    EXPECT_EQ(InkIn(100, 200, 116, 216), std::set<uint32_t>{Index(kSymbolBase + 25)});
    EXPECT_EQ(InkIn(116, 200, 132, 216), std::set<uint32_t>{Index(190)});
    EXPECT_EQ(InkIn(100, 216, 116, 232), std::set<uint32_t>{Index(kSymbolBase + 24)});
    EXPECT_EQ(InkIn(116, 216, 132, 232), std::set<uint32_t>{Index(kSymbolBase + 2)});
    EXPECT_EQ(InkCount(132, 200, 640, 480) + InkCount(0, 232, 640, 480), 0);

    // The large font takes cells of 32 from the same sheet.
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    TextFonts[2].DrawText(Back(), 0, 0, "b");
    EXPECT_EQ(InkIn(0, 0, 32, 32), (std::set<uint32_t>{Index(kSymbolBase + 2), Index(kSymbolBase + 3)}));
}

TEST_P(TextOutputTest, TextIsDrawnInExactlyTheFontsColourInsideItsCells)
{
    StartWithFonts(GetParam());
    const int x = 40, y = 30;
    TextFonts[0].DrawText(Back(), x, y, "テスト\nA");
    // Every ink pixel is the colour index 190, each character in its cell:
    // three cells of 16 on the first line, "A" a quarter cell in on the second.
    EXPECT_EQ(InkIn(0, 0, 640, 480), std::set<uint32_t>{Index(190)});
    EXPECT_EQ(InkCount(0, 0, 640, 480), InkCount(x, y, x + 48, y + 16) + InkCount(x + 4, y + 16, x + 16, y + 32));
    for (int cell = 0; cell < 3; ++cell)
    {
        EXPECT_GT(InkCount(x + 16 * cell, y, x + 16 * cell + 16, y + 16), 10) << cell;
    }
    EXPECT_GT(InkCount(x + 4, y + 16, x + 16, y + 32), 10);

    // The grey font in its own colour; a colour of a text box's own is the
    // nearest the palette has (at 16 bits the colour itself).
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    TextFonts[1].DrawText(Back(), x, y, "テ");
    EXPECT_EQ(InkIn(0, 0, 640, 480), std::set<uint32_t>{Index(191)});
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    TextFonts[0].DrawTextBox(Back(), x, y, 16, 16, "テ", 0, kWhite);
    const uint32_t white = GetParam() == 8 ? 255u : 0xFFFFu; // 255 is the fixture's lightest entry
    EXPECT_EQ(InkIn(x, y, x + 16, y + 16), (std::set<uint32_t>{Index(kPattern), white}));
}

TEST_P(TextOutputTest, TextBoxesTakeTheirSizeFromTheText)
{
    StartWithFonts(GetParam());
    struct Case
    {
        const char* text;
        int width, height;
    };
    // Fixed cells count characters; an empty line adds no height.
    const Case cases[] = {
        {"あいう\n\nab", 48, 32},
        {"x\n", 16, 16},
        {"", 0, 0},
        {"Aあ\nいい\nう", 32, 48},
    };
    for (const Case& c : cases)
    {
        const TextFont::Extent extent = TextFonts[0].MeasureText(c.text);
        EXPECT_EQ(extent.m_nWidth, c.width) << c.text;
        EXPECT_EQ(extent.m_nHeight, c.height) << c.text;
    }
    EXPECT_EQ(TextFonts[2].MeasureText("あいう\n\nab").m_nWidth, 96);

    // A proportional font measures what it draws, and an empty line takes 20 pixels.
    FontDef proportional = FontDefs[0];
    proportional.m_nCellWidth = 0;
    TextFont font;
    font.Create(proportional, OpenFontFace(), Surfaces, kSurfaceCount);
    const TextFont::Extent extent = font.MeasureText("あい\n\nA");
    EXPECT_EQ(extent.m_nHeight, 16 + 20 + 16);
    EXPECT_GE(extent.m_nWidth, 28);
    EXPECT_LE(extent.m_nWidth, 32);
    // It draws whole lines, each one line height below the last, lowercase letters as letters.
    font.DrawText(Back(), 0, 400, "あい\n\nab");
    EXPECT_GT(InkCount(0, 400, 32, 416), 20);
    EXPECT_EQ(InkCount(0, 416, 640, 432), 0);
    EXPECT_EQ(InkIn(0, 432, 640, 448), std::set<uint32_t>{Index(190)});
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);

    // Measured, with a margin, centred: 8 + 48 wide and 32 high in the middle.
    TextFonts[0].DrawTextBox(Back(), kCentred, kCentred, 0, 0, "あいう\nab", 8);
    const int left = 320 - 28, top = 240 - 16;
    EXPECT_EQ(Pixel(left - 1, 240), Index(189));
    EXPECT_EQ(Pixel(left, 240), Index(kPattern));
    EXPECT_EQ(Pixel(left + 56, 240), Index(189));
    EXPECT_EQ(Pixel(320, top - 1), Index(189));
    EXPECT_EQ(Pixel(320, top + 32), Index(189));
    EXPECT_GT(InkCount(left + 8, top, left + 24, top + 16), 10);
    EXPECT_EQ(InkIn(left, top, left + 8, top + 32), std::set<uint32_t>{Index(kPattern)}) << "the margin stays empty";
    EXPECT_EQ(InkIn(left + 8, top + 16, left + 24, top + 32),
              (std::set<uint32_t>{Index(kPattern), Index(kSymbolBase)}));
}

TEST_P(TextOutputTest, FormattedTextBoxesStopBeforeACharacterThatDoesNotFit)
{
    StartWithFonts(GetParam());
    // 2 + 254 x 2 + 2 bytes: the last "い" would end at byte 512, past the
    // 511 a box formats, so the box holds 256 characters of 16, 4096 pixels.
    std::string text = "ab";
    for (int k = 0; k < 254; ++k)
    {
        text += "あ";
    }
    text += "い";
    const int x = 100 - 4096;
    TextFonts[0].PrintfTextBox(Back(), x, 50, 0, 0, "%s", text.c_str());
    EXPECT_EQ(Pixel(100, 58), Index(189)) << "the right frame";
    EXPECT_EQ(Pixel(101, 58), Index(kPaper));
    EXPECT_GT(InkCount(84, 50, 100, 66), 10) << "the last whole character";

    // Printf stops at 255 bytes in the same way: 2 + 126 x 2 bytes fit, the next does not.
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    std::string line = "AB";
    for (int k = 0; k < 130; ++k)
    {
        line += "あ";
    }
    TextFonts[0].Printf(Back(), 10 - 128 * 16, 300, "%s", line.c_str());
    EXPECT_GT(InkCount(0, 300, 10, 316), 10);
    EXPECT_EQ(InkCount(10, 300, 640, 316), 0);
}

TEST_P(TextOutputTest, GlyphTextTakesEachByteFromItsCell)
{
    StartWithFonts(GetParam());
    auto cell = [](int column, int row) { return Index(GlyphIndex(column, row)); };
    // "A", then 0xB1 from the katakana rows, then plainly after "^"; ":" is a
    // new line, "$" nothing, "@" the katakana rows again (0xC1: row 12 - 4).
    DrawGlyphText(Back(), 10, 20, 8, 16, Surfaces[1], "A\xB1^\xB1:B$@\xC1\xDE");
    struct Expect
    {
        int x, y;
        uint32_t pixel;
    };
    const Expect expected[] = {
        {10, 20, cell(1, 4)}, {18, 20, cell(1, 1)}, {26, 20, cell(1, 11)},
        {10, 36, cell(2, 4)}, {18, 36, cell(1, 8)}, {26, 36, cell(14, 13)},
    };
    for (const Expect& e : expected)
    {
        EXPECT_EQ(Pixel(e.x + 3, e.y + 5), e.pixel) << e.x << "," << e.y;
    }
    EXPECT_EQ(InkCount(34, 20, 640, 52), 0);

    // A line that reaches the screen's width goes on below; formatted text as well.
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    DrawGlyphTextF(Back(), 0, 100, 8, 16, Surfaces[1], "%s%d", std::string(80, 'x').c_str(), 7);
    EXPECT_EQ(Pixel(636, 105), cell(8, 7));
    EXPECT_EQ(Pixel(3, 121), cell(7, 3));
    EXPECT_EQ(InkCount(8, 116, 640, 132), 0);
}

TEST_P(TextOutputTest, TheScreenTargetDrawsWithTheGameFonts)
{
    StartWithFonts(GetParam());
    ScreenDrawTarget target;
    target.DrawBox(kFontStandard, kCentred, 10, 200, 16);
    target.DrawText(kFontGrey, 220, 10, "テa");
    target.DrawTextBox(kFontStandard, 100, 300, 0, 0, "テ", 0, kFontColour);
    EXPECT_EQ(Pixel(219, 12), Index(189));
    EXPECT_EQ(InkIn(220, 10, 236, 26), (std::set<uint32_t>{Index(kPattern), Index(191)}));
    EXPECT_EQ(InkIn(236, 10, 252, 26), (std::set<uint32_t>{Index(kPattern), Index(kSymbolBase)}));
    EXPECT_EQ(Pixel(116, 305), Index(189));

    // A font id outside the three and a font not made draw nothing, with one line each in the error log.
    DDFillRect(Back(), 0, 0, 640, 480, kPaper);
    target.DrawText(3, 0, 0, "テ");
    TextFonts[1].Delete();
    target.DrawText(kFontGrey, 0, 0, "テ");
    target.DrawBox(kFontGrey, 0, 0, 10, 10);
    EXPECT_EQ(InkCount(0, 0, 640, 480), 0);
    EXPECT_NE(ErrorLog().find("フォント 3 はありません"), std::string::npos);
    EXPECT_NE(ErrorLog().find("DrawText: フォントが作られていません"), std::string::npos);
    EXPECT_EQ(ErrorLog().find("DrawBox: フォントが作られていません"), std::string::npos) << "one line for a font";
}

INSTANTIATE_TEST_SUITE_P(Depths, TextOutputTest, testing::Values(8, 16),
                         [](const testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "Bits"; });

TEST(TextFontsTest, NoFontIsMadeWithoutItsFace)
{
    TempFolder folder;
    InitErrorLog(1, "EC_Game.txt");
    TextFont fonts[kFontCount];
    const int ids[] = {0, 2};
    EXPECT_FALSE(CreateFonts(fonts, ids, 2, FontDefs, "/nonexistent/font.ttf"));
    EXPECT_FALSE(fonts[0].IsCreated());
    EXPECT_NE(folder.ReadText("EC_Game.txt").find("フォント /nonexistent/font.ttf を開けません"), std::string::npos);
    ASSERT_TRUE(CreateFonts(fonts, ids, 2, FontDefs));
    EXPECT_TRUE(fonts[0].IsCreated());
    EXPECT_FALSE(fonts[1].IsCreated());
    EXPECT_TRUE(fonts[2].IsCreated());
    DeleteFonts(fonts, ids, 2);
    EXPECT_FALSE(fonts[2].IsCreated());
    InitErrorLog(0, "EC_Game.txt");
}

TEST(TextFontsTest, LineLengthCountsBytesBeforeTheFirstBreak)
{
    EXPECT_EQ(LineLength("あい\nう"), 4);
    EXPECT_EQ(LineLength("abc"), 3);
    EXPECT_EQ(LineLength("\nx"), 0);
    EXPECT_EQ(LineLength(""), 0);
}

} // namespace
