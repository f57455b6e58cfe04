#pragma once

// The number rules of the data model and the game: conversions from double to
// int32 truncate toward zero, percentages are value x percent x 0.01 in double
// and rounded half away from zero. A result beyond int32 saturates, and NaN
// gives 0, so that a value read from a damaged file cannot make a conversion
// undefined.

#include <cstdint>

// Truncation toward zero.
int32_t TruncateToInt(double value);

// Rounding half away from zero (2.5 gives 3, -2.5 gives -3).
int32_t RoundHalfAway(double value);

// value x percent x 0.01, rounded half away from zero.
int32_t PercentOf(int32_t value, int32_t percent);
