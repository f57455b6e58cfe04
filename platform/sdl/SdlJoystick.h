#pragma once

// Joysticks through SDL. Joystick id n is SDL's device n; a device is opened
// on its first poll and closed when it goes away, so a joystick plugged in
// later is found by a later poll. Polls may come from any thread: SDL's
// joystick lock guards every call.

#include "platform/input/Joystick.h"

#include <SDL.h>

#include <map>
#include <mutex>

namespace platform
{

class SdlJoystickSource final : public JoystickSource
{
public:
    SdlJoystickSource();
    ~SdlJoystickSource() override;
    SdlJoystickSource(const SdlJoystickSource&) = delete;
    SdlJoystickSource& operator=(const SdlJoystickSource&) = delete;

    // False when SDL's joystick support could not start; every poll then fails.
    bool IsReady() const { return m_bReady; }

    // Axes 0 and 1 as X and Y, each -32768..32767 moved to 0..65535, and
    // buttons 0..31 as bits 0..31. A missing axis reads as at rest.
    bool Poll(int id, JoystickInfo& info) override;

private:
    bool m_bReady = false;
    std::mutex m_Mutex;
    std::map<int, SDL_Joystick*> m_Open;
};

} // namespace platform
