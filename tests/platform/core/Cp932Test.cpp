#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace
{

TEST(Cp932Test, RoundTripsJapaneseTextAndKeepsTrailBackslash)
{
    // "表" is 95 5C: its trail byte is the code of '\\'.
    const std::string cp932 = "表\\データ.dat";
    platform::ConversionResult utf8 = platform::Cp932ToUtf8(cp932);
    ASSERT_TRUE(utf8.Complete());
    EXPECT_EQ(utf8.text, std::string(reinterpret_cast<const char*>(u8"表\\データ.dat")));
    EXPECT_EQ(platform::FromUtf8(utf8.text), cp932);
}

TEST(Cp932Test, ReportsCharactersThatDoNotConvert)
{
    // An emoji has no CP932 code; it becomes '?' and its offset is reported.
    std::string utf8 = std::string("a") + reinterpret_cast<const char*>(u8"\U0001F600") + "b";
    platform::ConversionResult r = platform::Utf8ToCp932(utf8);
    EXPECT_EQ(r.text, "a?b");
    ASSERT_EQ(r.unconverted.size(), 1u);
    EXPECT_EQ(r.unconverted[0], 1u);

    // A lead byte with an invalid trail, and a lone lead byte at the end.
    platform::ConversionResult bad = platform::Cp932ToUtf8(std::string("x\x81\x20y\x82", 5));
    EXPECT_FALSE(bad.Complete());
    EXPECT_EQ(bad.text.front(), 'x');
}

TEST(Cp932Test, LeadBytes)
{
    EXPECT_TRUE(platform::IsCp932LeadByte(0x81));
    EXPECT_TRUE(platform::IsCp932LeadByte(0x9F));
    EXPECT_TRUE(platform::IsCp932LeadByte(0xE0));
    EXPECT_TRUE(platform::IsCp932LeadByte(0xFC));
    EXPECT_FALSE(platform::IsCp932LeadByte(0x80));
    EXPECT_FALSE(platform::IsCp932LeadByte(0xA0)); // half-width katakana are single bytes
    EXPECT_FALSE(platform::IsCp932LeadByte(0xDF));
    EXPECT_FALSE(platform::IsCp932LeadByte('\\'));
}

} // namespace
