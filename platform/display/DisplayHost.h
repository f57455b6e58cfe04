#pragma once

// What the display asks of the window it shows in: the screen mode, the
// cursor, and what it knows of the desktop and the monitor. The SDL backend
// gives the game window's; the tests use the recording host below.

#include <string>
#include <vector>

namespace platform
{

class DisplayHost
{
public:
    virtual ~DisplayHost() = default;

    // The window takes the whole screen at that size and depth (refresh 0:
    // any rate). False when the screen refuses the mode.
    virtual bool SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate) = 0;
    // The window goes back to a normal window on the desktop.
    virtual void RestoreDisplayMode() = 0;
    virtual void ShowCursor(bool show) = 0;
    // The size of the window's client area.
    virtual void ClientSize(int& width, int& height) const = 0;
    // The bits per pixel of the desktop a window shows on.
    virtual int DesktopDepth() const = 0;
    // The monitor's refresh rate in hertz (0 when unknown).
    virtual int MonitorFrequency() const = 0;
};

// A host without a screen that writes down what was asked of it.
class RecordingDisplayHost : public DisplayHost
{
public:
    bool SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate) override;
    void RestoreDisplayMode() override;
    void ShowCursor(bool show) override;
    void ClientSize(int& width, int& height) const override;
    int DesktopDepth() const override { return m_nDesktopDepth; }
    int MonitorFrequency() const override { return m_nFrequency; }

    // What the host answers.
    int m_nClientWidth = 640;
    int m_nClientHeight = 480;
    int m_nDesktopDepth = 16;
    int m_nFrequency = 60;
    // A refresh rate other than 0 that the screen refuses (0: none refused).
    int m_nRefusedRate = 0;
    bool m_bRefuseAll = false;

    // What it was asked, one line each: "mode 640x480x8@60", "restore", "cursor 0".
    std::vector<std::string> m_Calls;
    bool m_bFullScreen = false;
    bool m_bCursorShown = true;
};

} // namespace platform
