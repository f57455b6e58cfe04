#pragma once

// Calls per second, counted in windows of 1,000 ms of the program clock. A
// call returns the count of the last completed window; the call that closes a
// window is not counted.

#include <cstdint>

class FrameRateMeter
{
public:
    // One call at the time now (program clock, milliseconds).
    int Tick(uint32_t now);
    void Reset() { *this = FrameRateMeter(); }

private:
    bool m_bStarted = false;
    uint32_t m_nStart = 0;
    int m_nCount = 0;
    int m_nLastRate = 0;
};

// The editor's idle step: one meter on the program clock. One thread per program calls it.
int MeasureFrameRate();
// Tests start a fresh measurement.
void ResetFrameRateMeasure();
