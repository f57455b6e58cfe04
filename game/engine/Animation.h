#pragma once

// Frame-counted sprite animations. A step table is a list of rows {frame,
// duration, unused}: a frame of 0 or more is a picture number shown for the
// row's duration in frames; a negative frame is a code: -1 stays on the row
// before, -2 goes back to row 0, -3 switches to the animation whose index is
// in the duration column, and any other is handed to the caller as it is
// (the tables end with -4).

#include <array>

struct AnimationStep
{
    int m_nFrame;
    int m_nDuration;
    int m_nUnused;
};

// A table set: one step table for each animation index.
using AnimationSet = const AnimationStep* const*;

enum : int
{
    kAnimationStay = -1,
    kAnimationRestart = -2,
    kAnimationSwitch = -3,
    kAnimationEnd = -4,
};

struct Animation
{
    AnimationSet m_pSet = nullptr;
    int m_nIndex = 0;
    int m_nStep = 0;
    int m_nCounter = 0;

    // Row 0 of the animation, counter 0.
    static void Start(Animation& animation, int index);
    // One frame: after the row's duration the next row's code applies. The
    // frame of the row it is then on.
    static int Advance(Animation& animation);
    static int Current(const Animation& animation);
};

// The program's two table sets, with the durations in use (after ScaleAnimationTables).
extern const AnimationStep* const AnimationSetA[2];
extern const AnimationStep* const AnimationSetB[1];

// The start-up calls it once with the frame scale of System.ini's rate
// (FrameRateValues.m_dFrameScale). Sets the durations of every picture row (frame 0 or more) of the tables to
// the authored duration times the frame scale, truncated and at least 1;
// codes and picture numbers stay. The authored values are kept, so a second
// call starts from them again.
void ScaleAnimationTables(double frameScale);
