#pragma once

// Frame pacing and the frame counter of the game, on the program clock
// (platform/core/Clock.h). One due time and one counter serve the game
// thread and the event thread, which draw frames in turn.

#include <cstdint>

// True when the next frame is due. The first call is due at once; a frame
// that is due sets the next due time to now + 1000 / fps (from the moment of
// the call). fps 0: always due. With a driven clock a frame is always due:
// the clock is moved on to the due time.
bool WaitFrameTimer(int fps);

// Frames counted in the last whole second.
int CountFps();

// Frame pacing, switched on by the game's start-up (off: frames run as fast as they can).
void SetFramePacing(bool on);
bool IsFramePacing();

// Waits until the next frame is due (while pacing is on), sleeping rather
// than spinning. False when the calling game thread was asked to quit meanwhile.
bool PaceFrame(int fps);

// Tests start afresh.
void ResetFrameTimers();
