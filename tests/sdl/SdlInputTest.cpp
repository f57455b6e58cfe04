#include "platform/sdl/SdlJoystick.h"
#include "platform/sdl/SdlKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace
{

using namespace platform;

TEST(SdlKeysTest, KeysBecomeKeyNumbers)
{
    struct Case
    {
        SDL_Keycode m_Keycode;
        SDL_Scancode m_Scancode;
        int m_nKey;
        const char* m_pWhat;
    };
    const Case kCases[] = {
        {SDLK_LEFT, SDL_SCANCODE_LEFT, kVkLeft, "left"},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, kVkRight, "right"},
        {SDLK_UP, SDL_SCANCODE_UP, kVkUp, "up"},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, kVkDown, "down"},
        {SDLK_z, SDL_SCANCODE_Z, 'Z', "z"},
        {SDLK_v, SDL_SCANCODE_V, 'V', "v"},
        {SDLK_z, SDL_SCANCODE_Y, 'Z', "z of a layout that swaps z and y: the meaning counts"},
        {0x44F, SDL_SCANCODE_Z, 'Z', "a Cyrillic letter: the position counts"},
        {SDLK_UNKNOWN, SDL_SCANCODE_X, 'X', "no keycode: the position counts"},
        {SDLK_QUOTE, SDL_SCANCODE_Q, 0, "a Latin punctuation key where another layout has q"},
        {SDLK_5, SDL_SCANCODE_5, '5', "digit"},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, '1', "top-row digit of a layout that puts & there"},
        {SDLK_F1, SDL_SCANCODE_F1, kVkF1, "F1"},
        {SDLK_F8, SDL_SCANCODE_F8, kVkF1 + 7, "F8"},
        {SDLK_F12, SDL_SCANCODE_F12, kVkF1 + 11, "F12"},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, kVkEscape, "escape"},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, kVkReturn, "enter"},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, kVkReturn, "keypad enter"},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, kVkSpace, "space"},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, kVkLShift, "left shift"},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, kVkRControl, "right control"},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, kVkNumpad0, "keypad 0"},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, kVkNumpad0 + 9, "keypad 9"},
        {SDLK_F13, SDL_SCANCODE_F13, 0, "F13"},
        {SDLK_CAPSLOCK, SDL_SCANCODE_CAPSLOCK, 0, "caps lock"},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(VirtualKeyFromSdl(c.m_Keycode, c.m_Scancode), c.m_nKey) << c.m_pWhat;
    }
}

TEST(SdlKeysTest, KeyEventsHoldAndReleaseKeysInTheTable)
{
    HeldKeyTable table;
    SDL_KeyboardEvent event{};
    event.type = SDL_KEYDOWN;
    event.state = SDL_PRESSED;
    event.keysym.sym = SDLK_RIGHT;
    event.keysym.scancode = SDL_SCANCODE_RIGHT;
    OnSdlKey(table, event);
    event.keysym.sym = SDLK_RSHIFT;
    event.keysym.scancode = SDL_SCANCODE_RSHIFT;
    OnSdlKey(table, event);
    EXPECT_TRUE(table.IsKeyHeld(kVkRight));
    EXPECT_TRUE(table.IsKeyHeld(kVkShift));

    event.repeat = 1; // the system's auto-repeat keeps the key down
    event.keysym.sym = SDLK_RIGHT;
    event.keysym.scancode = SDL_SCANCODE_RIGHT;
    OnSdlKey(table, event);
    EXPECT_TRUE(table.IsKeyHeld(kVkRight));

    event.type = SDL_KEYUP;
    event.state = SDL_RELEASED;
    event.repeat = 0;
    OnSdlKey(table, event);
    EXPECT_FALSE(table.IsKeyHeld(kVkRight));
    EXPECT_TRUE(table.IsKeyHeld(kVkShift));

    event.type = SDL_TEXTINPUT; // not a key event: nothing changes
    event.keysym.sym = SDLK_RSHIFT;
    OnSdlKey(table, event);
    EXPECT_TRUE(table.IsKeyHeld(kVkShift));
}

TEST(SdlJoystickTest, APollFailsWithoutAJoystick)
{
    SdlJoystickSource source;
    ASSERT_TRUE(source.IsReady()) << SDL_GetError();
    JoystickInfo info{1, 2, 3};
    EXPECT_FALSE(source.Poll(SDL_NumJoysticks(), info));
    EXPECT_FALSE(source.Poll(-1, info));
    EXPECT_EQ(info.m_nX, 1u);
    EXPECT_EQ(info.m_nButtons, 3u);
}

// SDL's virtual joystick stands in for a real one.
TEST(SdlJoystickTest, AxesAndButtonsOfAJoystickThatComesAndGoes)
{
    SdlJoystickSource source;
    ASSERT_TRUE(source.IsReady()) << SDL_GetError();
    const int id = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 6, 0);
    if (id < 0)
    {
        GTEST_SKIP() << "no virtual joystick: " << SDL_GetError();
    }
    JoystickInfo info;
    ASSERT_TRUE(source.Poll(id, info));
    SDL_Joystick* joystick = SDL_JoystickOpen(id); // the source's own device, counted twice
    ASSERT_NE(joystick, nullptr) << SDL_GetError();

    struct Case
    {
        Sint16 m_nAxisX;
        Sint16 m_nAxisY;
        std::initializer_list<int> m_Buttons;
        uint32_t m_nX;
        uint32_t m_nY;
        uint32_t m_nBits;
    };
    const Case kCases[] = {
        {0, 0, {}, 32768, 32768, 0},
        {-32768, 32767, {0}, 0, 65535, 1},
        {32767, -32768, {1, 3}, 65535, 0, 2 | 8},
        {-22768, 22767, {5}, 10000, 55535, 32},
    };
    for (const Case& c : kCases)
    {
        SDL_JoystickSetVirtualAxis(joystick, 0, c.m_nAxisX);
        SDL_JoystickSetVirtualAxis(joystick, 1, c.m_nAxisY);
        for (int button = 0; button < 6; ++button)
        {
            bool down = std::find(c.m_Buttons.begin(), c.m_Buttons.end(), button) != c.m_Buttons.end();
            SDL_JoystickSetVirtualButton(joystick, button, down ? SDL_PRESSED : SDL_RELEASED);
        }
        ASSERT_TRUE(source.Poll(id, info));
        EXPECT_EQ(info.m_nX, c.m_nX) << c.m_nAxisX;
        EXPECT_EQ(info.m_nY, c.m_nY) << c.m_nAxisY;
        EXPECT_EQ(info.m_nButtons, c.m_nBits);
    }

    SDL_JoystickClose(joystick);
    ASSERT_EQ(SDL_JoystickDetachVirtual(id), 0) << SDL_GetError();
    EXPECT_FALSE(source.Poll(id, info));
}

} // namespace
