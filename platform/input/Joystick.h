#pragma once

// One reading of a joystick: the two first axes in 0..65535 (32767 at rest,
// 0 left or up, 65535 right or down) and a bit per button (bit 0 = button 1).

#include <cstdint>

namespace platform
{

struct JoystickInfo
{
    uint32_t m_nX = 32767;
    uint32_t m_nY = 32767;
    uint32_t m_nButtons = 0;
};

class JoystickSource
{
public:
    virtual ~JoystickSource() = default;
    // Reads joystick `id` (0 = the first). False when there is no such
    // joystick or it does not answer; `info` is then left as it was.
    virtual bool Poll(int id, JoystickInfo& info) = 0;
};

// The source of a machine without joysticks: every poll fails.
class NoJoystick final : public JoystickSource
{
public:
    bool Poll(int, JoystickInfo&) override { return false; }
};

} // namespace platform
