#pragma once

// Millisecond clock of the programs (the multimedia timer of the original
// design): monotonic, counted from the first call, wrapping at 2^32.

#include <cstdint>
#include <functional>

namespace platform
{

uint32_t TickCount();

// Tests fix the clock: while an override is set, TickCount() returns its value.
void SetTickCountOverride(std::function<uint32_t()> source);

} // namespace platform
