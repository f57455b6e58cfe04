#pragma once

// The game display's host on an SDL window. The whole screen is SDL's
// full-screen desktop mode: the screen keeps its own mode and the frames are
// scaled into it, so any size and depth is granted, and a refresh rate only
// when the monitor runs at least that fast. The desktop a window draws for is
// taken to be 16 bits a pixel, the depth the display draws a window in; the
// frames are converted to the real screen's format when they are shown. The
// window's largest size is lifted while it takes the whole screen and given
// back when it leaves it.

#include "platform/display/DisplayHost.h"

struct SDL_Window;

namespace platform
{

class SdlDisplayHost : public DisplayHost
{
public:
    static constexpr int kDesktopDepth = 16;

    explicit SdlDisplayHost(SDL_Window* window) : m_pWindow(window) {}

    bool SetDisplayMode(int width, int height, int bitsPerPixel, int refreshRate) override;
    void RestoreDisplayMode() override;
    void ShowCursor(bool show) override;
    void ClientSize(int& width, int& height) const override;
    int DesktopDepth() const override { return kDesktopDepth; }
    int MonitorFrequency() const override;

private:
    SDL_Window* m_pWindow;
    int m_nKeptMaxWidth = 0; // the window's largest size before the whole screen; 0 while it has none kept
    int m_nKeptMaxHeight = 0;
};

} // namespace platform
