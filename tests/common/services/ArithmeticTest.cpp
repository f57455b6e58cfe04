#include "common/services/Arithmetic.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace
{

TEST(ArithmeticTest, TruncationAndRoundingSaturateInsteadOfOverflowing)
{
    struct Case
    {
        double value;
        int32_t truncated, rounded;
    };
    const Case cases[] = {
        {2.5, 2, 3},
        {-2.5, -2, -3},
        {2.4999, 2, 2},
        {-0.5, 0, -1},
        {1e20, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max()},
        {-1e20, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()},
        {std::nan(""), 0, 0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(TruncateToInt(c.value), c.truncated) << c.value;
        EXPECT_EQ(RoundHalfAway(c.value), c.rounded) << c.value;
    }
}

TEST(ArithmeticTest, PercentOfRoundsHalfAwayFromZero)
{
    EXPECT_EQ(PercentOf(15, 50), 8);
    EXPECT_EQ(PercentOf(-15, 50), -8);
    EXPECT_EQ(PercentOf(10, 14), 1);
    EXPECT_EQ(PercentOf(999, 999), 9980);
}

} // namespace
