#include "game/data/ValueOperations.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

struct OperationCase
{
    int32_t value;
    int32_t operand;
    int32_t op;
    int32_t min;
    int32_t max;
    int32_t stored;
    int32_t returned;
};

TEST(ValueOperationTest, StoresTheClampedAndReturnsTheUnclampedResult)
{
    const OperationCase cases[] = {
        {5, 9, kOperatorAssign, 0, 100, 9, 9},
        {5, 9, kOperatorAdd, 0, 100, 14, 14},
        {5, 9, kOperatorSubtract, 0, 100, 0, -4},
        {500, 3, kOperatorMultiply, 0, 1000, 1000, 1500},
        {-7, 2, kOperatorDivide, -100, 100, -3, -3},
        {7, 0, kOperatorDivide, 0, 5, 5, 7},   // division by 0 only clamps
        {-3, 0, kOperatorDivide, 0, 5, 0, -3}, // ... from either side
        {7, 50, kOperatorPercent, -100, 100, 4, 4},
        {-7, 50, kOperatorPercent, -100, 100, -4, -4},
        {5, 9, 6, 0, 3, 3, 5}, // an unknown operator only clamps
        {5, 9, -1, 0, 100, 5, 5},
        // No operand overflows: 64-bit results, saturated on return.
        {kMax, kMax, kOperatorAdd, -999999, 999999, 999999, kMax},
        {kMin, kMax, kOperatorSubtract, -999999, 999999, -999999, kMin},
        {kMin, -1, kOperatorMultiply, kMin, kMax, kMax, kMax},
        {kMin, kMin, kOperatorMultiply, 0, 10, 10, kMax},
        {kMin, -1, kOperatorDivide, 0, 10, 10, kMax},
        {kMax, kMax, kOperatorPercent, 0, 10, 10, kMax},
        {kMin, kMax, kOperatorPercent, 0, 10, 0, kMin},
    };
    for (const OperationCase& c : cases)
    {
        int32_t value = c.value;
        int32_t returned = ApplyValueOperation(value, c.operand, c.op, c.min, c.max);
        EXPECT_EQ(value, c.stored) << c.value << " op " << c.op << " " << c.operand;
        EXPECT_EQ(returned, c.returned) << c.value << " op " << c.op << " " << c.operand;
    }
}

TEST(ValueOperationTest, ComparesByCode)
{
    struct CompareCase
    {
        int32_t a;
        int32_t b;
        bool results[6]; // =, !=, >=, <=, >, <
    };
    const CompareCase cases[] = {
        {3, 3, {true, false, true, true, false, false}},
        {4, 3, {false, true, true, false, true, false}},
        {kMin, kMax, {false, true, false, true, false, true}},
    };
    for (const CompareCase& c : cases)
    {
        for (int32_t code = 0; code < 6; ++code)
        {
            EXPECT_EQ(CompareValues(c.a, c.b, code), c.results[code]) << c.a << " " << code << " " << c.b;
        }
        EXPECT_FALSE(CompareValues(c.a, c.b, 6));
        EXPECT_FALSE(CompareValues(c.a, c.b, -1));
    }
}

} // namespace
