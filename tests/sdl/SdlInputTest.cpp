#include "platform/input/HeldKeys.h"
#include "platform/sdl/SdlJoystick.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "tests/common/window/TestWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace
{

using namespace platform;

// A window that keeps the held keys from its messages, as the game's main window does.
class KeyTableWindow : public RecordingWindow
{
public:
    explicit KeyTableWindow(HeldKeyTable& table) : m_Table(table) {}
    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        OnKeyMessage(m_Table, message, wParam);
        return RecordingWindow::WindowProc(window, message, wParam, lParam);
    }

private:
    HeldKeyTable& m_Table;
};

// SDL's key events reach the table through the window's key messages.
class SdlKeysTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_System.IsReady()) << SDL_GetError();
        AppWindowSystem = &m_System;
    }
    void TearDown() override { AppWindowSystem = nullptr; }

    SdlWindowSystem m_System;
};

TEST_F(SdlKeysTest, KeyEventsHoldAndReleaseKeysInTheTable)
{
    SdlWindowSystem& system = m_System;
    HeldKeyTable table; // outlives the window, whose messages reach it
    KeyTableWindow window(table);
    window.Init(0, nullptr, nullptr, &RecordingWindow::Procedure);
    window.SetLayout(64, 48, 0, 0, 0, 0, kWsOverlappedWindow, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("", 0, 0), 1);
    const uint32_t id = SDL_GetWindowID(static_cast<SdlWindow*>(window.Native())->Native());
    auto push = [](SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); };
    auto key = [&](Uint32 type, SDL_Keycode sym)
    {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = id;
        event.key.keysym.sym = sym;
        push(event);
    };
    auto focus = [&](Uint8 change)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = id;
        event.window.event = change;
        push(event);
    };

    focus(SDL_WINDOWEVENT_FOCUS_GAINED);
    key(SDL_KEYDOWN, SDLK_z);
    key(SDL_KEYDOWN, SDLK_LEFT);
    key(SDL_KEYDOWN, SDLK_RETURN);
    key(SDL_KEYUP, SDLK_RETURN);
    system.PumpMessages();
    EXPECT_EQ(table.Snapshot(), KeySet().set('Z').set(kVkLeft));

    focus(SDL_WINDOWEVENT_FOCUS_LOST); // the key-ups go elsewhere: nothing may stay held
    system.PumpMessages();
    EXPECT_TRUE(table.Snapshot().none());
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
