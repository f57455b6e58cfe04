#include "TempFolder.h"
#include "common/graphics/BmpFile.h"
#include "tests/common/graphics/BmpBuilder.h"

#include <gtest/gtest.h>

namespace
{

// A file of the layout's size, bit count, compression and colour count, with
// a grey colour table, whose pixel bytes are the given ones (run-length codes).
std::vector<unsigned char> CodedBmp(const BmpLayout& layout, const std::vector<unsigned char>& codes)
{
    std::vector<unsigned char> b;
    auto u16 = [&](uint32_t v)
    {
        b.push_back(v & 0xFF);
        b.push_back(v >> 8 & 0xFF);
    };
    auto u32 = [&](uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const uint32_t colours = layout.m_nColours ? layout.m_nColours : 1u << layout.m_nBitCount;
    const uint32_t pixelOffset = 14 + 40 + colours * 4;
    b.push_back('B');
    b.push_back('M');
    u32(pixelOffset + static_cast<uint32_t>(codes.size()));
    u32(0);
    u32(pixelOffset);
    u32(40);
    u32(layout.m_nWidth);
    u32(layout.m_bTopDown ? static_cast<uint32_t>(-layout.m_nHeight) : layout.m_nHeight);
    u16(1);
    u16(layout.m_nBitCount);
    u32(layout.m_nCompression);
    u32(static_cast<uint32_t>(codes.size()));
    u32(2835);
    u32(2835);
    u32(layout.m_nColours);
    u32(0);
    for (uint32_t i = 0; i < colours; ++i)
    {
        u32(i << 16 | i << 8 | i);
    }
    b.insert(b.end(), codes.begin(), codes.end());
    return b;
}

BmpLayout Indexed(int width, int height, int bits, uint32_t compression)
{
    BmpLayout layout;
    layout.m_nWidth = width;
    layout.m_nHeight = height;
    layout.m_nBitCount = bits;
    layout.m_nCompression = compression;
    return layout;
}

class BmpDecodeTest : public testing::Test
{
protected:
    BmpResult Decode(const std::vector<unsigned char>& file, BmpPicture& picture)
    {
        m_Folder.WriteFile("p.bmp", file);
        return ReadBmpPicture("p.bmp", picture);
    }

    TempFolder m_Folder;
};

TEST_F(BmpDecodeTest, RunLengthCodedPicturesDecodeBottomUp)
{
    struct Case
    {
        const char* m_pszWhat;
        int m_nBits;
        int m_nWidth;
        int m_nHeight;
        std::vector<unsigned char> m_Codes;
        std::vector<uint8_t> m_Expected; // top row first
    };
    const std::vector<Case> cases = {
        {"runs and line ends", 8, 4, 2, {2, 5, 2, 6, 0, 0, 4, 9, 0, 1}, {9, 9, 9, 9, 5, 5, 6, 6}},
        {"a literal run padded to a word", 8, 4, 2, {0, 3, 7, 8, 9, 0xEE, 1, 4, 0, 0, 0, 1}, {0, 0, 0, 0, 7, 8, 9, 4}},
        {"a move right and up", 8, 4, 3, {0, 2, 1, 2, 1, 3, 0, 1}, {0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"a run past the right edge is cut", 8, 3, 2, {5, 2, 0, 0, 1, 4, 0, 1}, {4, 0, 0, 2, 2, 2}},
        {"codes ending without the end mark", 8, 2, 2, {2, 1}, {0, 0, 1, 1}},
        {"four bits: runs alternate their two pixels", 4, 5, 1, {5, 0x12, 0, 1}, {1, 2, 1, 2, 1}},
        {"four bits: a literal run", 4, 4, 1, {0, 3, 0x34, 0x50, 0, 1}, {3, 4, 5, 0}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        BmpPicture picture;
        ASSERT_EQ(
            Decode(CodedBmp(Indexed(c.m_nWidth, c.m_nHeight, c.m_nBits, c.m_nBits == 8 ? 1 : 2), c.m_Codes), picture),
            BmpResult::Ok);
        EXPECT_TRUE(picture.m_bIndexed);
        EXPECT_EQ(picture.m_nWidth, c.m_nWidth);
        EXPECT_EQ(picture.m_Indices, c.m_Expected);
    }
}

TEST_F(BmpDecodeTest, DamagedOrUnsupportedLayoutsAreRefused)
{
    struct Case
    {
        const char* m_pszWhat;
        std::vector<unsigned char> m_File;
    };
    BmpLayout topDown = Indexed(4, 2, 8, 1);
    topDown.m_bTopDown = true;
    BmpLayout bitFields = Indexed(4, 2, 16, 3);
    bitFields.m_nBitCount = 16;
    BmpLayout huge = Indexed(8192, 4096, 8, 1);
    std::vector<unsigned char> shortRows = MakeBmp(Indexed(5, 3, 8, 0));
    shortRows.resize(shortRows.size() - 1);
    const std::vector<Case> cases = {
        {"a code cut in half", CodedBmp(Indexed(4, 2, 8, 1), {2, 5, 0})},
        {"a literal run past the end", CodedBmp(Indexed(4, 2, 8, 1), {0, 4, 1, 2})},
        {"a move past the end", CodedBmp(Indexed(4, 2, 8, 1), {0, 2, 1})},
        {"a coded picture stored top-down", CodedBmp(topDown, {0, 1})},
        {"a coded picture larger than codes may claim", CodedBmp(huge, {0, 1})},
        {"four-bit codes in an eight-bit file", CodedBmp(Indexed(4, 2, 8, 2), {0, 1})},
        {"bit fields", MakeBmp(bitFields)},
        {"rows past the end of the file", shortRows},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pszWhat);
        BmpPicture picture;
        picture.m_nWidth = 77;
        EXPECT_EQ(Decode(c.m_File, picture), BmpResult::Unreadable);
        EXPECT_EQ(picture.m_nWidth, 77) << "the picture is left alone";
    }
}

TEST_F(BmpDecodeTest, ColoursComeFromTheTableUpToItsCountAndBlackPastIt)
{
    BmpLayout layout = Indexed(4, 1, 8, 0);
    layout.m_nColours = 3;
    layout.m_Table = {0x102030, 0x405060, 0x708090};
    layout.m_Pixels = {0, 2, 3, 200};
    BmpPicture picture;
    ASSERT_EQ(Decode(MakeBmp(layout), picture), BmpResult::Ok);
    EXPECT_EQ(picture.m_nColours, 3);
    EXPECT_EQ(picture.m_Indices, (std::vector<uint8_t>{0, 2, 3, 200}));
    EXPECT_EQ(picture.Colour(0), 0x102030u);
    EXPECT_EQ(picture.Colour(1), 0x708090u);
    EXPECT_EQ(picture.Colour(2), 0u);
    EXPECT_EQ(picture.Colour(3), 0u);

    // 24 bits: colours, no indices, rows in either order.
    for (bool topDown : {false, true})
    {
        BmpLayout rgb;
        rgb.m_nWidth = 3;
        rgb.m_nHeight = 2;
        rgb.m_nBitCount = 24;
        rgb.m_bTopDown = topDown;
        rgb.m_Pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
        ASSERT_EQ(Decode(MakeBmp(rgb), picture), BmpResult::Ok);
        EXPECT_FALSE(picture.m_bIndexed);
        EXPECT_EQ(picture.m_Rgb, (std::vector<uint32_t>{0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112}));
    }
}

} // namespace
