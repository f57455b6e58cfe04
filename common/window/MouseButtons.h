#pragma once

// The mouse-button state of a window, polled from the platform's current
// button state. The pressed latches and the previous held states are shared
// by all windows, so a press is reported pressed to the first window that
// polls it only.

namespace platform
{
class WindowSystem;
}

enum : int
{
    kMouseUpdateHeld = 1,
    kMouseUpdatePressed = 2,
    kMouseUpdateReleased = 4,
    kMouseUpdateAll = 7,
};

struct MouseButtons
{
    int m_nX = 0;
    int m_nY = 0;
    int m_nMask = kMouseUpdateAll;
    int m_bLeftHeld = 0;
    int m_bRightHeld = 0;
    int m_bLeftPressed = 0;
    int m_bRightPressed = 0;
    int m_bLeftReleased = 0;
    int m_bRightReleased = 0;

    // Polls the buttons with the parts of the mask.
    void Update(int mask, bool leftDown, bool rightDown);
    void Update(int mask, platform::WindowSystem& system);
};

// Tests start from released buttons.
void ResetMouseLatches();
