// The number helpers of the numeric field: digit and decimal counts, what
// the field takes of the author's text, and how it reads a decimal.
#include "editor/framework/NumberEdit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

TEST(NumberTextTest, CountIntegerDigits)
{
    const struct
    {
        int m_nValue;
        int m_nDigits;
    } cases[] = {
        {0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {12345, 5}, {-1, 1}, {-12345, 5},
        {1000000000, 10}, {2147483647, 10}, {-2147483647 - 1, 10},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CountIntegerDigits(c.m_nValue), c.m_nDigits) << c.m_nValue;
    }
}

TEST(NumberTextTest, CountDecimals)
{
    const struct
    {
        double m_dUnit;
        int m_nDecimals;
    } cases[] = {
        {1, 0},     {10, 0},     {0.5, 1},     {0.1, 1},   {0.01, 2},  {0.001, 3}, {2.5, 1},
        {10.25, 2}, {0.25, 2},   {-0.5, 2},    {0, 0},     {1e-10, 10}, {1e-12, 0}, {123456.75, 2},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(CountDecimals(c.m_dUnit), c.m_nDecimals) << c.m_dUnit;
    }
}

TEST(NumberTextTest, TheInputMethodsFullWidthDigitsMinusAndPointTypeTheirAsciiForms)
{
    const struct
    {
        const char* m_pszTyped; // one CP932 character
        char m_cSent;           // 0: nothing
    } cases[] = {
        {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'}, {"７", '7'},
        {"８", '8'}, {"９", '9'}, {"０", '0'}, {"－", '-'}, {"．", '.'},
        {"ａ", 0},   {"Ａ", 0},   {"＋", 0},   {"，", 0},   {"あ", 0},   {"一", 0},
    };
    for (const auto& c : cases)
    {
        std::string_view typed = c.m_pszTyped;
        ASSERT_EQ(typed.size(), 2u);
        uint32_t code = static_cast<uint32_t>(static_cast<unsigned char>(typed[0])) << 8 |
                        static_cast<unsigned char>(typed[1]);
        EXPECT_EQ(NumberCharOfFullWidth(code), c.m_cSent) << c.m_pszTyped;
    }
}

TEST(NumberTextTest, ANumericFieldTakesDigitsAMinusInFrontAndInADecimalFieldOnePoint)
{
    const struct
    {
        const char* m_pszText;
        bool m_bInteger;
        bool m_bDecimal;
    } cases[] = {
        {"", true, true},       {"-", true, true},       {"0", true, true},      {"-12", true, true},
        {"007", true, true},    {"2.5", false, true},    {".5", false, true},    {"-.", false, true},
        {"7.", false, true},    {"2,5", false, false},   {"1.2.3", false, false}, {"5-", false, false},
        {"--5", false, false},  {"+5", false, false},    {" 5", false, false},   {"5a", false, false},
        {"1e5", false, false},  {"５", false, false},    {"!", false, false},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(IsNumberFieldText(c.m_pszText, false), c.m_bInteger) << c.m_pszText;
        EXPECT_EQ(IsNumberFieldText(c.m_pszText, true), c.m_bDecimal) << c.m_pszText;
    }
}

TEST(NumberTextTest, ADecimalReadsWithItsPointAndNumbersBeyondADoubleReadAsInfinityOrZero)
{
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::string huge = "1" + std::string(400, '0');
    const struct
    {
        std::string m_strText;
        double m_dValue;
    } cases[] = {
        {"2.5", 2.5},   {"-0.04", -0.04}, {"7.", 7.0},      {".5", 0.5}, {"12.3456", 12.3456},
        {"", 0.0},      {"-", 0.0},       {".", 0.0},       {"2,5", 2.0},
        {tiny, 0.0},    {"-" + tiny, 0.0}, {"000" + tiny, 0.0},
        {huge, HUGE_VAL}, {"-" + huge, -HUGE_VAL}, {huge + ".5", HUGE_VAL}, {"0" + huge, HUGE_VAL},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ReadDecimalNumber(c.m_strText), c.m_dValue) << c.m_strText.substr(0, 12);
    }
}

} // namespace
