#include "Arithmetic.h"

#include <cmath>
#include <limits>

namespace
{

int32_t Saturate(double value)
{
    if (std::isnan(value))
    {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

} // namespace

int32_t TruncateToInt(double value)
{
    return Saturate(std::trunc(value));
}

int32_t RoundHalfAway(double value)
{
    return Saturate(std::round(value));
}

int32_t PercentOf(int32_t value, int32_t percent)
{
    return RoundHalfAway(static_cast<double>(value) * static_cast<double>(percent) * 0.01);
}
