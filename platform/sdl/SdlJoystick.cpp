#include "platform/sdl/SdlJoystick.h"

#include <algorithm>

namespace platform
{

namespace
{

uint32_t AxisValue(SDL_Joystick* joystick, int axis)
{
    if (axis >= SDL_JoystickNumAxes(joystick))
    {
        return JoystickInfo{}.m_nX;
    }
    return static_cast<uint32_t>(SDL_JoystickGetAxis(joystick, axis) + 32768);
}

} // namespace

SdlJoystickSource::SdlJoystickSource()
{
    m_bReady = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

SdlJoystickSource::~SdlJoystickSource()
{
    if (!m_bReady)
    {
        return;
    }
    for (auto& [id, joystick] : m_Open)
    {
        SDL_JoystickClose(joystick);
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool SdlJoystickSource::Poll(int id, JoystickInfo& info)
{
    if (!m_bReady || id < 0)
    {
        return false;
    }
    std::lock_guard lock(m_Mutex);
    SDL_LockJoysticks();
    SDL_JoystickUpdate();
    SDL_Joystick* joystick = nullptr;
    if (auto it = m_Open.find(id); it != m_Open.end())
    {
        if (SDL_JoystickGetAttached(it->second))
        {
            joystick = it->second;
        }
        else
        {
            SDL_JoystickClose(it->second);
            m_Open.erase(it);
        }
    }
    if (joystick == nullptr && id < SDL_NumJoysticks())
    {
        joystick = SDL_JoystickOpen(id);
        if (joystick != nullptr)
        {
            m_Open[id] = joystick;
        }
    }
    if (joystick != nullptr)
    {
        info.m_nX = AxisValue(joystick, 0);
        info.m_nY = AxisValue(joystick, 1);
        info.m_nButtons = 0;
        const int buttons = std::min(SDL_JoystickNumButtons(joystick), 32);
        for (int button = 0; button < buttons; ++button)
        {
            if (SDL_JoystickGetButton(joystick, button))
            {
                info.m_nButtons |= 1u << button;
            }
        }
    }
    SDL_UnlockJoysticks();
    return joystick != nullptr;
}

} // namespace platform
