#pragma once

// The frame-rate values of the game: everything that moves or waits was
// authored for 60 frames a second and is scaled from the player's rate.

struct FrameTiming
{
    int m_nFps = 60;             // frames a second, 20..60
    double m_dFrameScale = 1.0;  // fps / 60: counts of frames authored for 60 fps
    double m_dFrameLength = 1.0; // 60 / fps: steps per frame that keep their speed
    int m_nFadeStep = 10;        // degrees a fade moves per frame
    int m_nKeyRepeatDelay = 18;  // frames before a held key repeats
    int m_nKeyRepeatInterval = 6;
};

// The values for a frame rate (clamped to 20..60).
FrameTiming MakeFrameTiming(int fps);
