#pragma once

// How long a MIDI tick lasts: shared by the Standard MIDI File loader, which
// measures a song's length, and the stream devices, which time the events.

#include <cstdint>

// Seconds per tick for a time division and a tempo (microseconds per quarter
// note). A division with bit 15 set counts frames of SMPTE time (frames per
// second in the high byte as a negative number, ticks per frame in the low
// byte) and ignores the tempo; 29 frames a second means 29.97.
inline double SecondsPerTick(uint32_t division, double tempo)
{
    if (division & 0x8000)
    {
        const int framesPerSecond = -int(int8_t(uint8_t(division >> 8)));
        const double rate = framesPerSecond == 29 ? 29.97 : double(framesPerSecond);
        return 1.0 / (rate * double(division & 0xFF));
    }
    return tempo * 0.000001 / double(division);
}
