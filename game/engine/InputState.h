#pragma once

// The game's input of one frame: four direction bits, four button bits and a
// keypad-style direction, read from the keyboard and one joystick by the
// frame, then given key repeat and one-shot buttons by each scene.

#include "game/engine/KeyConfig.h"
#include "platform/input/HeldKeys.h"
#include "platform/input/Joystick.h"

#include <array>
#include <cstdint>

// Direction bits.
constexpr uint16_t kInputLeft = 1;
constexpr uint16_t kInputRight = 2;
constexpr uint16_t kInputUp = 4;
constexpr uint16_t kInputDown = 8;
// Button bits.
constexpr uint16_t kInputButton1 = 1;
constexpr uint16_t kInputButton2 = 2;
constexpr uint16_t kInputButton3 = 4;
constexpr uint16_t kInputButton4 = 8;
constexpr uint16_t kInputAllButtons = 15;

// Keypad direction: 5 at rest, 4 left, 6 right, 2 up, 8 down, sums for diagonals.
constexpr int32_t kKeypadRest = 5;

// Poll sources of PollDefaultKeys.
constexpr int kInputFromJoystick = 1;
constexpr int kInputFromKeyboard = 2;

// A joystick position counts as pushed at or below the low limit, or above the high one.
constexpr uint32_t kJoystickLowLimit = 10000;
constexpr uint32_t kJoystickHighLimit = 55534;

// The frames a frame waits before it polls a failed joystick again is twice this.
constexpr int kJoystickRetryFrames = 60;

// Where the frame's input comes from.
struct InputDevices
{
    const platform::KeySource& m_Keys;
    platform::JoystickSource& m_Joysticks;
};

// True when the joystick is pushed in the direction of an axis code
// (kJoystickAxisLeft ... kJoystickAxisDown); false for any other code.
bool JoystickAxisHeld(const platform::JoystickInfo& info, int code);

class InputState
{
public:
    InputState();

    // The frame's poll: the configured keys when the configuration's use flag
    // is set, otherwise the built-in keys from the joystick and the keyboard.
    int32_t PollFrame(const KeyConfig& config, const InputDevices& devices);

    // The built-in keys: joystick `joystickId` (sources bit 1) and the arrows
    // with Z, X, C, V (sources bit 2); the joystick wins where it gives a
    // direction or a button. Returns 0 without reading anything when the
    // configuration's use flag is set, otherwise 1.
    int32_t PollDefaultKeys(const KeyConfig& config, const InputDevices& devices, int joystickId, int sources,
                            int retryFrames);
    // The configured actions. Returns 0 without reading anything when the use
    // flag is 0, otherwise 1. There is one player; `players` below 1 reads nothing.
    int32_t PollConfiguredKeys(const KeyConfig& config, const InputDevices& devices, int players, int retryFrames);

    // Clears a held direction except on the frame it changed, after the repeat
    // delay and then every repeat interval.
    void ApplyKeyRepeat();
    // A masked button reports once per press; after that no masked button
    // reports again until all of them are up. Mask 0 means all four.
    void LatchButtons(int mask);
    // Frames before the first repeat and between repeats (at least 1).
    void SetRepeat(int delay, int interval);
    // Button masks of the joystick for buttons 1 to 4: 1, 2, 4, 8.
    void InitJoystickButtons();

    uint16_t m_nDirections = 0;
    uint16_t m_nButtons = 0;
    // The polled direction bits of the last four frames, newest in the low 4 bits.
    uint16_t m_nHistory = 0;
    int32_t m_nKeypad = kKeypadRest;
    int32_t m_nHorizontalCount = 0;
    int32_t m_nVerticalCount = 0;
    int32_t m_nRepeatDelay = 18;
    int32_t m_nRepeatInterval = 6;
    int32_t m_nButtonLatch = 0;
    std::array<uint16_t, 4> m_nJoystickButtonMask{};
    int32_t m_bJoystickOk = 0;
    int32_t m_nJoystickRetry = 0;

private:
    // Polls the joystick unless it failed and its countdown still runs.
    bool PollJoystick(platform::JoystickSource& joysticks, int id, int retryFrames, platform::JoystickInfo& info);
    void ClearFrame();
    // A direction into the keypad number and the direction bits.
    void AddDirection(uint16_t bit);
};
