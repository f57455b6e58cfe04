#pragma once

// The value operations and comparisons of the event data: variable commands,
// page conditions of stages and the world map, battle-AI conditions.

#include <cstdint>

// Operators, in the order of the operator words (OperatorNames).
enum ValueOperator : int32_t
{
    kOperatorAssign,
    kOperatorAdd,
    kOperatorSubtract,
    kOperatorMultiply,
    kOperatorDivide,  // toward zero; by 0 the value stays
    kOperatorPercent, // operand x value x 0.01, rounded half away from zero
};

// Applies the operator to value and clamps value to min..max. Computed in 64
// bits, so no operand overflows; returns the result before the clamp,
// saturated to int32. An unknown operator leaves the value and only clamps it.
int32_t ApplyValueOperation(int32_t& value, int32_t operand, int32_t op, int32_t min, int32_t max);

// Comparisons, in the order of the comparison words (ComparisonNames):
// =, !=, >=, <=, >, <. Any other code is false.
bool CompareValues(int32_t a, int32_t b, int32_t comparison);
