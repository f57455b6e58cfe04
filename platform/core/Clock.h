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

// A clock that moves only when told, so that frames run without waiting: the
// tests and the headless runs drive it, and the frame pacing advances it to
// the next frame's due time instead of waiting for it. While it is driven
// (and no override is set) TickCount() reads it. Any thread.
void DriveClock(uint32_t start);
void StopDrivingClock();
bool IsClockDriven();
void AdvanceClock(uint32_t milliseconds);

} // namespace platform
