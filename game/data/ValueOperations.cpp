#include "ValueOperations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

int64_t Operate(int64_t value, int64_t operand, int32_t op)
{
    switch (op)
    {
    case kOperatorAssign:
        return operand;
    case kOperatorAdd:
        return value + operand;
    case kOperatorSubtract:
        return value - operand;
    case kOperatorMultiply:
        return value * operand;
    case kOperatorDivide:
        return operand == 0 ? value : value / operand;
    case kOperatorPercent:
        // |operand x value| < 2^62: exact in 64 bits, and the rounded double
        // stays far inside int64.
        return static_cast<int64_t>(std::round(static_cast<double>(operand * value) * 0.01));
    default:
        return value;
    }
}

} // namespace

int32_t ApplyValueOperation(int32_t& value, int32_t operand, int32_t op, int32_t min, int32_t max)
{
    const int64_t result = Operate(value, operand, op);
    if (result < min)
    {
        value = min;
    }
    else if (result > max)
    {
        value = max;
    }
    else
    {
        value = static_cast<int32_t>(result);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(result, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool CompareValues(int32_t a, int32_t b, int32_t comparison)
{
    switch (comparison)
    {
    case 0:
        return a == b;
    case 1:
        return a != b;
    case 2:
        return a >= b;
    case 3:
        return a <= b;
    case 4:
        return a > b;
    case 5:
        return a < b;
    default:
        return false;
    }
}
