#include "game/scenes/DamagePopup.h"

#include <gtest/gtest.h>

#include <array>

namespace
{

constexpr int32_t kDamageRow = 1;
constexpr int32_t kRecoveryRow = 3;

std::array<int32_t, 3> Offsets(const DamagePopup& popup)
{
    return {popup.m_nOffset[0], popup.m_nOffset[1], popup.m_nOffset[2]};
}

TEST(DamagePopupTest, DigitsStartHigherToTheRight)
{
    // Offsets by digit: ones, tens, hundreds.
    struct Case
    {
        int32_t m_nValue;
        int32_t m_nRow;
        int32_t m_nDigitCount;
        std::array<int32_t, 3> m_Digits;
        std::array<int32_t, 3> m_Offsets;
    };
    const Case cases[] = {
        {7, kDamageRow, 1, {7, 0, 0}, {-40, -40, -40}},
        {0, kDamageRow, 1, {0, 0, 0}, {-40, -40, -40}},
        {42, kRecoveryRow, 2, {2, 4, 0}, {-50, -40, -40}},
        {305, kDamageRow, 3, {5, 0, 3}, {-60, -50, -40}},
        {0, 0, 1, {0, 0, 0}, {-40, -40, -40}},   // the miss word
        {305, 0, 3, {5, 0, 3}, {-40, -40, -40}}, // the miss word whatever the value
        {1500, kDamageRow, 3, {9, 9, 9}, {-60, -50, -40}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.m_nValue << " row " << c.m_nRow);
        DamagePopup popup;
        popup.Start(c.m_nValue, c.m_nRow);
        EXPECT_TRUE(popup.IsActive());
        EXPECT_EQ(popup.m_nGlyphRow, c.m_nRow);
        EXPECT_EQ(popup.m_nDigitCount, c.m_nDigitCount);
        EXPECT_EQ((std::array<int32_t, 3>{popup.m_nDigit[0], popup.m_nDigit[1], popup.m_nDigit[2]}), c.m_Digits);
        EXPECT_EQ(Offsets(popup), c.m_Offsets);
        EXPECT_TRUE(popup.Glyphs().empty()); // none has dropped to 32 px above its place yet
    }
}

TEST(DamagePopupTest, DigitsFallInPlaceAndThePopupEndsAfterASecond)
{
    struct Case
    {
        int m_nFrameRate;
        std::array<int32_t, 3> m_AfterOneFrame;
        int m_nFramesToPlace; // of the ones digit, from -60
        int m_nLifetime;
    };
    const Case cases[] = {
        {60, {-58, -48, -38}, 30, 60},
        {30, {-56, -46, -36}, 15, 30},
        // 2.67 px a frame, truncated toward zero: -57.33 is -57.
        {45, {-57, -47, -37}, 20, 45},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nFrameRate);
        const FrameValues frame = DeriveFrameValues(c.m_nFrameRate);
        DamagePopup popup;
        popup.Start(305, kDamageRow);
        popup.Advance(frame);
        EXPECT_EQ(Offsets(popup), c.m_AfterOneFrame);
        int frames = 1;
        for (; popup.m_nOffset[0] < 0 && frames < 1000; ++frames)
        {
            popup.Advance(frame);
        }
        EXPECT_EQ(frames, c.m_nFramesToPlace);
        EXPECT_EQ(Offsets(popup), (std::array<int32_t, 3>{0, 0, 0}));
        for (; popup.IsActive() && frames < 1000; ++frames)
        {
            popup.Advance(frame);
        }
        EXPECT_EQ(frames, c.m_nLifetime);
        EXPECT_TRUE(popup.Glyphs().empty());
        popup.Advance(frame);
        EXPECT_EQ(popup.m_nFrame, c.m_nLifetime);
    }
}

TEST(DamagePopupTest, GlyphsShowFrom32PxAboveTheirPlace)
{
    const FrameValues frame = DeriveFrameValues(30);
    DamagePopup popup;
    popup.Start(305, kDamageRow);
    popup.Advance(frame);
    EXPECT_TRUE(popup.Glyphs().empty());
    popup.Advance(frame); // the hundreds digit at -32
    EXPECT_EQ(popup.Glyphs(), (std::vector<PopupGlyph>{{48, 32, 8, -32}}));
    for (int i = 0; i < 20; ++i)
    {
        popup.Advance(frame);
    }
    // The ones digit at x + 40 for three digits, the higher ones 16 px to its left.
    EXPECT_EQ(popup.Glyphs(), (std::vector<PopupGlyph>{{80, 32, 40, 0}, {0, 32, 24, 0}, {48, 32, 8, 0}}));

    struct Case
    {
        int32_t m_nValue;
        int32_t m_nRow;
        std::vector<PopupGlyph> m_Glyphs;
    };
    const Case cases[] = {
        {7, kDamageRow, {{112, 32, 24, 0}}},
        {42, kRecoveryRow, {{32, 96, 32, 0}, {64, 96, 16, 0}}},
        {0, 0, {{0, 0, 8, 0}, {16, 0, 24, 0}, {32, 0, 40, 0}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_nValue);
        popup.Start(c.m_nValue, c.m_nRow);
        for (int i = 0; i < 15; ++i)
        {
            popup.Advance(frame);
        }
        EXPECT_EQ(popup.Glyphs(), c.m_Glyphs);
    }
}

} // namespace
