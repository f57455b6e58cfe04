#include "common/window/MouseButtons.h"

#include "platform/window/WindowSystem.h"

namespace
{
// Process-wide: the pressed latch and the previous held state of each button.
bool g_bLatched[2] = {false, false};
bool g_bPreviousHeld[2] = {false, false};

void UpdateButton(int mask, int button, bool down, int& held, int& pressed, int& released)
{
    if (mask & kMouseUpdateHeld)
    {
        held = down ? 1 : 0;
    }
    if (mask & kMouseUpdatePressed)
    {
        if (!down)
        {
            g_bLatched[button] = false;
            pressed = 0;
        }
        else if (!g_bLatched[button])
        {
            g_bLatched[button] = true;
            pressed = 1;
        }
        else
        {
            pressed = 0;
        }
    }
    if (mask & kMouseUpdateReleased)
    {
        released = g_bPreviousHeld[button] && !held ? 1 : 0;
    }
}
} // namespace

void MouseButtons::Update(int mask, bool leftDown, bool rightDown)
{
    g_bPreviousHeld[0] = m_bLeftHeld != 0;
    g_bPreviousHeld[1] = m_bRightHeld != 0;
    UpdateButton(mask, 0, leftDown, m_bLeftHeld, m_bLeftPressed, m_bLeftReleased);
    UpdateButton(mask, 1, rightDown, m_bRightHeld, m_bRightPressed, m_bRightReleased);
}

void MouseButtons::Update(int mask, platform::WindowSystem& system)
{
    Update(mask, system.IsMouseButtonDown(0), system.IsMouseButtonDown(1));
}

void ResetMouseLatches()
{
    g_bLatched[0] = g_bLatched[1] = false;
    g_bPreviousHeld[0] = g_bPreviousHeld[1] = false;
}
