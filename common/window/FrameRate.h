#pragma once

// Calls per second, counted in windows of 1,000 ms of the program clock.
// Returns the count of the last completed window; the call that closes a
// window is not counted. One thread per program calls it.
int MeasureFrameRate();
// Tests start a fresh measurement.
void ResetFrameRateMeasure();
