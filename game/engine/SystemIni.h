#pragma once

// "System.ini": the player's machine settings, seven "key=value" entries read
// in the order of their '=' signs (key names are never compared), and the
// frame-rate values derived from them.

#include <cstdint>
#include <string_view>

struct GameSettings
{
    int32_t m_nMusic = 1;        // non-zero: music plays
    int32_t m_nEffectVolume = 0; // 0: each sound's own volume; else hundredths of a decibel
    int32_t m_nWindowed = 0;     // non-zero: windowed display
    int32_t m_nColourDepth = 0;  // bits per pixel; 0: 8 full screen, the desktop's windowed
    int32_t m_nFrameRate = 60;   // 20..60
    int32_t m_nPageFlip = 1;     // full screen: page flipping allowed
    int32_t m_nFpsDisplay = 1;   // exactly 1: "FPS %2d" drawn every frame

    bool operator==(const GameSettings&) const = default;
};

// Fills the settings from the file (a stored path). False when the file
// cannot be opened, ends before the seventh value, or holds a key or a value
// of 2,048 bytes or more; the fields read until then are filled. On success
// the effect volume of 1 or more becomes value - 10000, at most 1, and the
// frame rate is within 20..60.
bool ReadSystemIni(std::string_view path, GameSettings& settings);

// What the start-up takes: the file's settings, or all defaults when it
// cannot be read; windowed mode forces page flipping on.
GameSettings LoadGameSettings(std::string_view path);

// Values of the frame rate, for timings authored at 60 frames per second.
struct FrameValues
{
    int m_nFrameRate = 60;
    double m_dFrameScale = 1.0;  // fps / 60: counts and distances per frame
    double m_dFrameLength = 1.0; // 60 / fps: steps that keep their speed per second
    int m_nFadeStep = 10;        // degrees per frame of a fade
    int m_nKeyRepeatDelay = 18;
    int m_nKeyRepeatInterval = 6; // at least 1

    bool operator==(const FrameValues&) const = default;
};

// The values at that rate (the defaults above for a rate of 0 or less).
FrameValues DeriveFrameValues(int fps);

// A count of frames authored at 60 per second, in frames of the rate of this
// run (FrameRateValues), rounded, at least 1.
int ScaledFrames(int frames);

// The settings and frame values of this run: set by the start-up before the
// game thread starts, read by every thread after.
extern GameSettings Settings;
extern FrameValues FrameRateValues;
