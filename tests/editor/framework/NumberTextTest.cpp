// The number helpers of the numeric field: digit and decimal counts, and
// what the field takes of typed and input-method characters.
#include "editor/framework/NumberEdit.h"

#include <gtest/gtest.h>

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

TEST(NumberTextTest, ANumericFieldTakesDigitsSignPointAndTheControlCodesBelowTheParenthesis)
{
    const struct
    {
        uint32_t m_nCode;
        bool m_bTaken;
    } cases[] = {
        {'0', true},  {'9', true},  {'-', true},   {'.', true},   {8, true},     {'\t', true}, {'\r', true},
        {0x1B, true}, {0x16, true}, {' ', true},   {'!', true},   {'\'', true}, {'(', false},  {'+', false},
        {',', false}, {'/', false}, {':', false},  {'a', false},  {'E', false},  {0, false},    {0x7F, false},
        {0xB1, false}, {0x8250, false}, // a half-width katakana; a full-width digit typed as a key
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(NumberFieldTakesChar(c.m_nCode), c.m_bTaken) << c.m_nCode;
    }
}

} // namespace
