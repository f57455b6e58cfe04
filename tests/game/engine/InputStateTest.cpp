#include "game/engine/InputState.h"

#include "platform/input/VirtualKeys.h"
#include "tests/game/engine/InputTestDevices.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using platform::kVkDown;
using platform::kVkLeft;
using platform::kVkRight;
using platform::kVkUp;

constexpr uint32_t kRest = 32767;

// The frames (counted from 1) on which the direction bits survive key repeat
// while `directions` are held for `frames` frames.
std::vector<int> RepeatFrames(InputState& state, uint16_t directions, int frames, uint16_t reported)
{
    std::vector<int> result;
    for (int frame = 1; frame <= frames; ++frame)
    {
        state.m_nDirections = directions;
        state.ApplyKeyRepeat();
        if (state.m_nDirections & reported)
        {
            result.push_back(frame);
        }
    }
    return result;
}

// One poll: the joystick (when present) and the held keys, and what the state reports.
struct PollCase
{
    const char* m_pWhat;
    bool m_bJoystick;
    uint32_t m_nX;
    uint32_t m_nY;
    uint32_t m_nJoyButtons;
    std::initializer_list<int> m_Keys;
    uint16_t m_nDirections;
    int32_t m_nKeypad;
    uint16_t m_nButtons;
};

void ExpectPoll(const KeyConfig& config, const PollCase& c)
{
    TestDevices devices;
    devices.m_Joystick.m_bPresent = c.m_bJoystick;
    devices.m_Joystick.m_Info = {c.m_nX, c.m_nY, c.m_nJoyButtons};
    devices.Hold(c.m_Keys);
    InputState state;
    state.m_nDirections = kInputDown; // last frame's values do not stay
    state.m_nButtons = kInputButton4;
    EXPECT_EQ(state.PollFrame(config, devices.Devices()), 1) << c.m_pWhat;
    EXPECT_EQ(state.m_nDirections, c.m_nDirections) << c.m_pWhat;
    EXPECT_EQ(state.m_nKeypad, c.m_nKeypad) << c.m_pWhat;
    EXPECT_EQ(state.m_nButtons, c.m_nButtons) << c.m_pWhat;
}

TEST(InputStateTest, AHeldDirectionRepeatsAfterTheDelayThenEveryInterval)
{
    struct Case
    {
        int m_nDelay;
        int m_nInterval;
        int m_nFrames;
        std::vector<int> m_Reported;
    };
    // The first repeat comes when the count of unchanged frames reaches the
    // delay: at 60 fps on frame 19, then every 6 frames.
    const Case kCases[] = {
        {18, 6, 40, {1, 19, 25, 31, 37}}, // 60 fps
        {9, 3, 20, {1, 10, 13, 16, 19}},  // 30 fps
        {36, 12, 62, {1, 37, 49, 61}},    // 120 fps
        {0, 1, 4, {1, 2, 3, 4}},
    };
    for (const Case& c : kCases)
    {
        InputState state;
        state.SetRepeat(c.m_nDelay, c.m_nInterval);
        EXPECT_EQ(RepeatFrames(state, kInputRight, c.m_nFrames, kInputRight), c.m_Reported) << c.m_nDelay;
    }
}

TEST(InputStateTest, AChangeOfDirectionReportsAtOnceAndTheAxesCountApart)
{
    InputState state;
    EXPECT_EQ(RepeatFrames(state, kInputRight, 10, kInputRight), std::vector<int>{1});
    // Right to left: the horizontal counter starts again.
    EXPECT_EQ(RepeatFrames(state, kInputLeft, 19, kInputLeft), (std::vector<int>{1, 19}));
    // Down joins while left stays held: down reports at once, left keeps its own count.
    state.m_nDirections = kInputLeft | kInputDown;
    state.ApplyKeyRepeat();
    EXPECT_EQ(state.m_nDirections, kInputDown);
    EXPECT_EQ(state.m_nHistory, (kInputLeft | kInputDown) | kInputLeft << 4 | kInputLeft << 8 | kInputLeft << 12);
    // A zero interval would divide by zero: it is at least 1.
    state.SetRepeat(18, 0);
    EXPECT_EQ(state.m_nRepeatInterval, 1);
}

TEST(InputStateTest, ButtonsReportOncePerPressUntilAllAreUp)
{
    struct Case
    {
        const char* m_pWhat;
        int m_nMask;
        std::vector<uint16_t> m_Held;     // button bits held on each frame
        std::vector<uint16_t> m_Reported; // button bits left after the latch
    };
    const Case kCases[] = {
        {"button 1 held", 0, {1, 1, 1, 1}, {1, 0, 0, 0}},
        {"button 2 while 1 is held", 0, {1, 1 | 2, 2, 2, 0, 2}, {1, 0, 0, 0, 0, 2}},
        {"two pressed together both report", 0, {1 | 4, 1 | 4, 0}, {1 | 4, 0, 0}},
        {"a press after a release", 0, {8, 0, 8}, {8, 0, 8}},
        {"button 2 outside the mask goes through", 1, {1 | 2, 1 | 2, 2}, {1 | 2, 2, 2}},
        {"mask 3 latches buttons 1 and 2 together", 3, {2, 1 | 2, 1, 0, 1}, {2, 0, 0, 0, 1}},
    };
    for (const Case& c : kCases)
    {
        InputState state;
        std::vector<uint16_t> reported;
        for (uint16_t held : c.m_Held)
        {
            state.m_nButtons = held;
            state.LatchButtons(c.m_nMask);
            reported.push_back(state.m_nButtons);
        }
        EXPECT_EQ(reported, c.m_Reported) << c.m_pWhat;
    }
}

TEST(InputStateTest, DefaultKeysPreferTheJoystick)
{
    const PollCase kCases[] = {
        {"joystick left with the right arrow", true, 0, kRest, 0, {kVkRight}, kInputLeft, 4, 0},
        {"joystick at rest: the arrows count",
         true,
         kRest,
         kRest,
         0,
         {kVkRight, kVkDown},
         kInputRight | kInputDown,
         9,
         0},
        {"joystick edges", true, 10000, 55535, 0, {}, kInputLeft | kInputDown, 7, 0},
        {"just inside the edges", true, 10001, 55534, 0, {}, 0, 5, 0},
        {"joystick up and right", true, 65535, 0, 0, {}, kInputRight | kInputUp, 3, 0},
        {"joystick button wins over the keys", true, kRest, kRest, 2 | 16, {'Z', 'V'}, 0, 5, kInputButton2},
        {"no joystick button: the keys count", true, kRest, kRest, 16, {'Z', 'V'}, 0, 5, kInputButton1 | kInputButton4},
        {"no joystick",
         false,
         0,
         0,
         1,
         {kVkLeft, kVkUp, 'X', 'C'},
         kInputLeft | kInputUp,
         1,
         kInputButton2 | kInputButton3},
        {"both arrows of an axis", false, 0, 0, 0, {kVkLeft, kVkRight}, kInputLeft | kInputRight, 5, 0},
    };
    for (const PollCase& c : kCases)
    {
        ExpectPoll(KeyConfig(), c);
    }
}

TEST(InputStateTest, SourcesChooseTheDevices)
{
    TestDevices devices;
    devices.m_Joystick.m_bPresent = true;
    devices.m_Joystick.m_Info = {kRest, 0, 0};
    devices.Hold({kVkLeft, 'Z'});
    const KeyConfig config;
    InputState state;

    state.PollDefaultKeys(config, devices.Devices(), 0, kInputFromJoystick, 60);
    EXPECT_EQ(state.m_nDirections, kInputUp);
    EXPECT_EQ(state.m_nButtons, 0);
    state.PollDefaultKeys(config, devices.Devices(), 0, kInputFromKeyboard, 60);
    EXPECT_EQ(state.m_nDirections, kInputLeft);
    EXPECT_EQ(state.m_nButtons, kInputButton1);
    EXPECT_EQ(devices.m_Joystick.m_nPolls, 1);
    // Without the keyboard and with the joystick gone nothing stays held.
    devices.m_Joystick.m_bPresent = false;
    state.PollDefaultKeys(config, devices.Devices(), 0, kInputFromJoystick, 60);
    EXPECT_EQ(state.m_nDirections, 0);
    EXPECT_EQ(state.m_nButtons, 0);
    EXPECT_EQ(state.m_nKeypad, kKeypadRest);
}

TEST(InputStateTest, AFailedJoystickIsPolledAgainAfterTheCountdown)
{
    TestDevices devices;
    const KeyConfig config;
    InputState state;
    std::vector<int> pollFrames;
    for (int frame = 1; frame <= 300; ++frame)
    {
        const int polls = devices.m_Joystick.m_nPolls;
        devices.Hold({kVkUp});
        state.PollFrame(config, devices.Devices());
        EXPECT_EQ(state.m_nDirections, kInputUp) << "the keyboard keeps working, frame " << frame;
        if (devices.m_Joystick.m_nPolls != polls)
        {
            pollFrames.push_back(frame);
        }
        if (frame == 200)
        {
            devices.m_Joystick.m_bPresent = true; // plugged in: found at the next retry
        }
    }
    // A failure waits 2 x 60 frames counted down, then polls again; once it
    // answers the joystick is polled every frame.
    ASSERT_GE(pollFrames.size(), 4u);
    EXPECT_EQ(std::vector<int>(pollFrames.begin(), pollFrames.begin() + 4), (std::vector<int>{1, 122, 243, 244}));
    EXPECT_EQ(pollFrames.size(), 3u + 300 - 243);
    EXPECT_EQ(state.m_bJoystickOk, 1);
}

TEST(InputStateTest, ConfiguredActionsOnTheKeyboardAndTheJoystick)
{
    KeyConfig config;
    config.m_nUseFlag = 1;
    config.m_Actions[kActionLeft] = {0, kJoystickAxisLeft, 0};
    config.m_Actions[kActionRight] = {kKeyboardDevice, 'D', 0};
    config.m_Actions[kActionUp] = {0, 16, 0};                  // joystick button 5 as up
    config.m_Actions[kActionDown] = {3, kJoystickAxisDown, 0}; // a joystick that is never polled
    config.m_Actions[kActionButton1] = {0, 1, 0};
    config.m_Actions[kActionButton1 + 1] = {0, kJoystickAxisLeft, 0}; // an axis does not press a button
    config.m_Actions[kActionButton1 + 2] = {kKeyboardDevice, 'C', 0};
    config.m_Actions[kActionButton1 + 3] = {kKeyboardDevice, 'V', 0};

    const PollCase kCases[] = {
        {"left wins over right", true, 0, kRest, 0, {'D'}, kInputLeft, 4, 0},
        {"right from the keyboard", true, kRest, kRest, 0, {'D'}, kInputRight, 6, 0},
        {"up from a joystick button", true, kRest, kRest, 16, {}, kInputUp, 2, 0},
        {"down on joystick 3, which is never polled", true, kRest, 65535, 0, {}, 0, 5, 0},
        {"buttons", true, 0, kRest, 1, {'C', 'V'}, kInputLeft, 4, kInputButton1 | kInputButton3 | kInputButton4},
        {"no joystick", false, 0, kRest, 1, {'V'}, 0, 5, kInputButton4},
    };
    for (const PollCase& c : kCases)
    {
        ExpectPoll(config, c);
    }
    // Six actions poll two buttons.
    config.m_nActionCount = 6;
    ExpectPoll(config, {"six actions", true, kRest, kRest, 1, {'C', 'V'}, 0, 5, kInputButton1});
}

TEST(InputStateTest, JoystickAxisCodes)
{
    const platform::JoystickInfo leftUp{10000, 10000, 0};
    const platform::JoystickInfo rightDown{55535, 55535, 0};
    const platform::JoystickInfo rest{kRest, kRest, 0xFFFF};
    for (int code : {kJoystickAxisLeft, kJoystickAxisUp})
    {
        EXPECT_TRUE(JoystickAxisHeld(leftUp, code));
        EXPECT_FALSE(JoystickAxisHeld(rightDown, code));
    }
    for (int code : {kJoystickAxisRight, kJoystickAxisDown})
    {
        EXPECT_TRUE(JoystickAxisHeld(rightDown, code));
        EXPECT_FALSE(JoystickAxisHeld(leftUp, code));
    }
    for (int code : {0, 1, 128, 4096, 256 | 512})
    {
        EXPECT_FALSE(JoystickAxisHeld(leftUp, code));
        EXPECT_FALSE(JoystickAxisHeld(rest, code));
    }
}

} // namespace
