#pragma once

// The programs' one random number generator. It produces the sequence of the
// 32-bit Windows C runtime's rand(): state = state * 214013 + 2531011, result
// (state >> 16) & 0x7FFF, so that a seed gives the draws the design was tuned
// with. One generator serves every thread, under a lock.

#include <cstdint>
#include <functional>

// rand(): a number in 0..32767.
int Rand();

// srand(): restarts the sequence from a seed.
void SeedRand(uint32_t seed);

namespace platform
{

// Tests replace the generator: while a ScopedRandomSource lives, Rand() returns
// what its function returns (and counts the draws).
class ScopedRandomSource
{
public:
    explicit ScopedRandomSource(std::function<int()> source);
    ~ScopedRandomSource();
    ScopedRandomSource(const ScopedRandomSource&) = delete;
    ScopedRandomSource& operator=(const ScopedRandomSource&) = delete;

    int Draws() const;

private:
    std::function<int()> m_Previous;
};

} // namespace platform
