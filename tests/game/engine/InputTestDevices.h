#pragma once

// Input devices of the engine tests: a set of held keys and a joystick that
// is there or not, with the position and buttons the test gives it.

#include "game/engine/InputState.h"
#include "platform/input/HeldKeys.h"
#include "platform/input/Joystick.h"

#include <initializer_list>

class FakeJoystick final : public platform::JoystickSource
{
public:
    bool Poll(int id, platform::JoystickInfo& info) override
    {
        ++m_nPolls;
        m_nLastId = id;
        if (!m_bPresent)
        {
            return false;
        }
        info = m_Info;
        return true;
    }

    bool m_bPresent = false;
    platform::JoystickInfo m_Info;
    int m_nPolls = 0;
    int m_nLastId = -1;
};

struct TestDevices
{
    void Hold(std::initializer_list<int> keys)
    {
        m_Keys.Keys().reset();
        for (int key : keys)
        {
            m_Keys.Keys().set(key);
        }
    }
    InputDevices Devices() { return InputDevices{m_Keys, m_Joystick}; }

    platform::KeySetSource m_Keys;
    FakeJoystick m_Joystick;
};
