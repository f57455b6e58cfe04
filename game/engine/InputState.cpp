#include "game/engine/InputState.h"

#include "platform/input/VirtualKeys.h"

#include <algorithm>

namespace
{

// Keypad steps of the direction bits, in bit order.
int32_t KeypadStep(uint16_t bit)
{
    switch (bit)
    {
    case kInputLeft:
        return -1;
    case kInputRight:
        return 1;
    case kInputUp:
        return -3;
    default:
        return 3;
    }
}

// Key repeat of one axis: `bits` are the two bits of the axis.
void RepeatAxis(uint16_t& directions, uint16_t previous, uint16_t bits, int32_t& counter, int32_t delay,
                int32_t interval)
{
    if ((directions & bits) != (previous & bits))
    {
        counter = 0;
        return;
    }
    ++counter;
    if (!(counter >= delay && counter % interval == 0))
    {
        directions &= static_cast<uint16_t>(~bits);
    }
}

} // namespace

bool JoystickAxisHeld(const platform::JoystickInfo& info, int code)
{
    switch (code)
    {
    case kJoystickAxisLeft:
        return info.m_nX <= kJoystickLowLimit;
    case kJoystickAxisRight:
        return info.m_nX > kJoystickHighLimit;
    case kJoystickAxisUp:
        return info.m_nY <= kJoystickLowLimit;
    case kJoystickAxisDown:
        return info.m_nY > kJoystickHighLimit;
    default:
        return false;
    }
}

InputState::InputState()
{
    InitJoystickButtons();
}

void InputState::InitJoystickButtons()
{
    m_nJoystickButtonMask = {kInputButton1, kInputButton2, kInputButton3, kInputButton4};
}

void InputState::SetRepeat(int delay, int interval)
{
    m_nRepeatDelay = delay;
    m_nRepeatInterval = std::max(interval, 1);
}

bool InputState::PollJoystick(platform::JoystickSource& joysticks, int id, int retryFrames,
                              platform::JoystickInfo& info)
{
    if (!m_bJoystickOk && m_nJoystickRetry > 0)
    {
        --m_nJoystickRetry;
        return false;
    }
    m_bJoystickOk = joysticks.Poll(id, info) ? 1 : 0;
    if (!m_bJoystickOk)
    {
        m_nJoystickRetry = 2 * retryFrames;
    }
    return m_bJoystickOk != 0;
}

void InputState::ClearFrame()
{
    m_nKeypad = kKeypadRest;
    m_nDirections = 0;
    m_nButtons = 0;
}

void InputState::AddDirection(uint16_t bit)
{
    m_nKeypad += KeypadStep(bit);
    m_nDirections |= bit;
}

int32_t InputState::PollFrame(const KeyConfig& config, const InputDevices& devices)
{
    if (config.m_nUseFlag != 0)
    {
        return PollConfiguredKeys(config, devices, 1, kJoystickRetryFrames);
    }
    return PollDefaultKeys(config, devices, 0, kInputFromJoystick | kInputFromKeyboard, kJoystickRetryFrames);
}

int32_t InputState::PollDefaultKeys(const KeyConfig& config, const InputDevices& devices, int joystickId, int sources,
                                    int retryFrames)
{
    if (config.m_nUseFlag != 0)
    {
        return 0;
    }
    platform::JoystickInfo info;
    const bool joystick =
        (sources & kInputFromJoystick) != 0 && PollJoystick(devices.m_Joysticks, joystickId, retryFrames, info);
    if (joystick)
    {
        ClearFrame();
        if (info.m_nX <= kJoystickLowLimit)
        {
            AddDirection(kInputLeft);
        }
        else if (info.m_nX > kJoystickHighLimit)
        {
            AddDirection(kInputRight);
        }
        if (info.m_nY <= kJoystickLowLimit)
        {
            AddDirection(kInputUp);
        }
        else if (info.m_nY > kJoystickHighLimit)
        {
            AddDirection(kInputDown);
        }
        for (int i = 0; i < 4; ++i)
        {
            if (info.m_nButtons & m_nJoystickButtonMask[i])
            {
                m_nButtons |= static_cast<uint16_t>(1u << i);
            }
        }
    }
    else
    {
        // Nothing read this frame: no direction or button stays on from the last one.
        ClearFrame();
    }
    if ((sources & kInputFromKeyboard) == 0)
    {
        return 1;
    }
    const platform::KeySource& keys = devices.m_Keys;
    if (m_nKeypad == kKeypadRest)
    {
        static constexpr struct
        {
            int m_nKey;
            uint16_t m_nBit;
        } kArrows[] = {{platform::kVkLeft, kInputLeft},
                       {platform::kVkRight, kInputRight},
                       {platform::kVkUp, kInputUp},
                       {platform::kVkDown, kInputDown}};
        for (const auto& arrow : kArrows)
        {
            if (keys.IsKeyHeld(arrow.m_nKey))
            {
                AddDirection(arrow.m_nBit);
            }
        }
    }
    if (m_nButtons == 0)
    {
        static constexpr char kButtonKeys[] = {'Z', 'X', 'C', 'V'};
        for (int i = 0; i < 4; ++i)
        {
            if (keys.IsKeyHeld(kButtonKeys[i]))
            {
                m_nButtons |= static_cast<uint16_t>(1u << i);
            }
        }
    }
    return 1;
}

int32_t InputState::PollConfiguredKeys(const KeyConfig& config, const InputDevices& devices, int players,
                                       int retryFrames)
{
    if (config.m_nUseFlag == 0)
    {
        return 0;
    }
    // The state keeps retry data for one joystick; the configuration holds at most one.
    const int joystickCount = std::clamp(config.m_nJoystickCount, 0, kMaxConfiguredJoysticks);
    platform::JoystickInfo info;
    bool joystickOk = false;
    for (int id = 0; id < joystickCount; ++id)
    {
        joystickOk = PollJoystick(devices.m_Joysticks, id, retryFrames, info);
    }
    if (players < 1)
    {
        return 1;
    }
    auto held = [&](const KeyAction& action, bool axes)
    {
        if (action.m_nDevice == kKeyboardDevice)
        {
            return devices.m_Keys.IsKeyHeld(action.m_nCode);
        }
        if (action.m_nDevice != 0 || !joystickOk)
        {
            return false;
        }
        const uint16_t code = static_cast<uint16_t>(action.m_nCode);
        return (axes && JoystickAxisHeld(info, code)) || (code & info.m_nButtons) != 0;
    };
    ClearFrame();
    if (held(config.m_Actions[kActionLeft], true))
    {
        AddDirection(kInputLeft);
    }
    else if (held(config.m_Actions[kActionRight], true))
    {
        AddDirection(kInputRight);
    }
    if (held(config.m_Actions[kActionUp], true))
    {
        AddDirection(kInputUp);
    }
    else if (held(config.m_Actions[kActionDown], true))
    {
        AddDirection(kInputDown);
    }
    const int actionCount = std::clamp(config.m_nActionCount, int32_t(kActionButton1), int32_t(kKeyActionCount));
    for (int j = 0; j + kActionButton1 < actionCount; ++j)
    {
        if (held(config.m_Actions[kActionButton1 + j], false))
        {
            m_nButtons |= static_cast<uint16_t>(1u << j);
        }
    }
    return 1;
}

void InputState::ApplyKeyRepeat()
{
    const uint16_t previous = m_nHistory & 15;
    m_nHistory = static_cast<uint16_t>(m_nDirections | (m_nHistory << 4));
    RepeatAxis(m_nDirections, previous, kInputLeft | kInputRight, m_nHorizontalCount, m_nRepeatDelay,
               m_nRepeatInterval);
    RepeatAxis(m_nDirections, previous, kInputUp | kInputDown, m_nVerticalCount, m_nRepeatDelay, m_nRepeatInterval);
}

void InputState::LatchButtons(int mask)
{
    const uint16_t masked = static_cast<uint16_t>(mask == 0 ? kInputAllButtons : mask & kInputAllButtons);
    const bool pressedAtEntry = (m_nButtons & masked) != 0;
    for (uint16_t bit = 1; bit <= 8; bit = static_cast<uint16_t>(bit << 1))
    {
        if ((masked & bit) == 0 || (m_nButtons & bit) == 0)
        {
            continue;
        }
        if (m_nButtonLatch == 1)
        {
            m_nButtons &= static_cast<uint16_t>(~bit);
        }
        else
        {
            m_nButtonLatch = 1;
            return;
        }
    }
    if (pressedAtEntry)
    {
        m_nButtons &= static_cast<uint16_t>(~masked);
    }
    else
    {
        m_nButtonLatch = 0;
    }
}
