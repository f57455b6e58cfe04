#pragma once

// The sample project as the current folder and the game's display on a
// recording host, 640 x 480 at a depth, with the sample's palette, pacing off
// and the frame values of 60 frames a second: what a headless run with pacing
// off has before its first frame. Everything goes back as the object goes.

#include "platform/display/DisplayHost.h"

#include <filesystem>

class SampleDisplay
{
public:
    explicit SampleDisplay(int depth);
    ~SampleDisplay();
    SampleDisplay(const SampleDisplay&) = delete;
    SampleDisplay& operator=(const SampleDisplay&) = delete;

    bool IsReady() const { return m_bReady; }

private:
    std::filesystem::path m_Previous;
    platform::RecordingDisplayHost m_Host;
    bool m_bReady = false;
};
