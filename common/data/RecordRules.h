#pragma once

// Small rules shared by the database records: the nine parameters, the
// experience of a level and the repair of indices into the current tables.

#include <algorithm>
#include <cstdint>

// The nine parameters, always in this order: HP, SP, attack, defence, magic,
// resistance, skill, reaction, speed. Every nine-element array uses it.
constexpr int kParameterCount = 9;

// Stored parameter values stay within 0..999.
constexpr int32_t kMaxParameterValue = 999;

constexpr int32_t ClampParameter(int32_t value)
{
    return std::clamp<int32_t>(value, 0, kMaxParameterValue);
}

// Experience counts toward the next level in steps of this; a level-up
// spends what reaches it, so a character below its level limit keeps
// 0..kExpPerLevel - 1.
constexpr int32_t kExpPerLevel = 100;

// True when index selects an entry of a table of count entries; a negative
// index never does (indices are compared as unsigned numbers).
constexpr bool IsTableIndex(int32_t index, int count)
{
    return index >= 0 && index < count;
}

// An index outside its table falls back to entry 0.
constexpr void FitIndex(int32_t& index, int count)
{
    if (!IsTableIndex(index, count))
    {
        index = 0;
    }
}

// An index outside its table falls back to entry 1, the first real entry of a
// table whose entry 0 is the empty one; when the table has no entry 1, to 0.
constexpr void FitIndexOrOne(int32_t& index, int count)
{
    if (!IsTableIndex(index, count))
    {
        index = count >= 2 ? 1 : 0;
    }
}
