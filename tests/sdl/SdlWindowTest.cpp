#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "tests/common/window/CoreBehaviours.h"
#include "tests/common/window/TestWindow.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace
{

INSTANTIATE_TEST_SUITE_P(Sdl, CoreBehaviour,
                         testing::Values(CoreBackend{"Sdl", [] { return std::make_unique<platform::SdlWindowSystem>(); }}),
                         CoreBackendName);

class SdlWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_System.IsReady()) << SDL_GetError();
        AppWindowSystem = &m_System;
        ResetMouseLatches();
    }
    void TearDown() override { AppWindowSystem = nullptr; }

    SDL_Window* Native(WindowBase& window)
    {
        return static_cast<platform::SdlWindow*>(window.Native())->Native();
    }
    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    platform::SdlWindowSystem m_System;
};

TEST_F(SdlWindowTest, AResizeAClickAndAPaintReachTheHandlers)
{
    RecordingWindow window;
    window.Init(0, nullptr, nullptr, &RecordingWindow::Procedure);
    window.SetLayout(640, 480, 100, 100, 640, 480, platform::kWsPopup | platform::kWsOverlappedWindow, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("ゲーム", 100, 100), 1);
    window.Show(1);
    EXPECT_EQ(window.m_nCreates, 1);
    EXPECT_EQ(window.UsableWidth(), 640);

    SDL_SetWindowSize(Native(window), 320, 200);
    m_System.PumpMessages();
    EXPECT_EQ(window.UsableWidth(), 320);
    EXPECT_EQ(window.UsableHeight(), 200);

    uint32_t id = SDL_GetWindowID(Native(window));
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.windowID = id;
    down.button.button = SDL_BUTTON_LEFT;
    down.button.state = SDL_PRESSED;
    down.button.x = 21;
    down.button.y = 13;
    Push(down);
    SDL_Event up = down;
    up.type = SDL_MOUSEBUTTONUP;
    up.button.state = SDL_RELEASED;
    Push(up);
    SDL_Event expose{};
    expose.type = SDL_WINDOWEVENT;
    expose.window.windowID = id;
    expose.window.event = SDL_WINDOWEVENT_EXPOSED;
    Push(expose);
    m_System.PumpMessages();
    EXPECT_EQ(window.m_nLeftDowns, 1);
    EXPECT_EQ(window.m_nLeftUps, 1);
    EXPECT_EQ(window.m_LastClick.m_nX, 21);
    EXPECT_EQ(window.m_LastClick.m_nY, 13);
    EXPECT_EQ(window.m_nLastKeys, static_cast<int>(platform::kMkLButton));
    EXPECT_EQ(window.Mouse().m_nX, 21);
    EXPECT_EQ(window.Mouse().m_bLeftHeld, 0);
    EXPECT_GE(window.m_nPaints, 1);

    // A presented bitmap reaches the window's surface.
    ASSERT_EQ(window.m_Front.Create(320, 200, 24, 0), 1);
    window.m_Front.Clear(0xFF0000);
    window.ShowFront();
    EXPECT_EQ(static_cast<platform::SdlWindow*>(window.Native())->PresentedPixel(3, 3), 0x0000FFu);
}

TEST_F(SdlWindowTest, AWindowWithoutAPictureIsPaintedBlackWhenExposedOnTheDesktopAndOverTheWholeScreen)
{
    platform::WindowCreateParams params;
    params.m_nStyle = platform::kWsPopup | platform::kWsOverlappedWindow;
    params.m_WindowRect = {100, 100, 640, 480};
    const platform::WindowHandle handle = m_System.CreateWindow(params);
    ASSERT_TRUE(handle);
    m_System.Resolve(handle)->Show(true);
    SDL_Window* window = static_cast<platform::SdlWindow*>(m_System.Resolve(handle))->Native();
    // Made before it was shown.
    SDL_Renderer* renderer = SDL_GetRenderer(window);
    ASSERT_NE(renderer, nullptr);
    for (bool wholeScreen : {false, true})
    {
        SCOPED_TRACE(wholeScreen ? "the whole screen" : "the desktop");
        if (wholeScreen)
        {
            ASSERT_EQ(SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP), 0);
            m_System.PumpMessages();
        }
        // What the screen held there: anything but black.
        SDL_SetRenderDrawColor(renderer, 255, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_RenderPresent(renderer);
        SDL_Event expose{};
        expose.type = SDL_WINDOWEVENT;
        expose.window.windowID = SDL_GetWindowID(window);
        expose.window.event = SDL_WINDOWEVENT_EXPOSED;
        Push(expose);
        m_System.PumpMessages();
        int width = 0;
        int height = 0;
        ASSERT_EQ(SDL_GetRendererOutputSize(renderer, &width, &height), 0);
        EXPECT_EQ(width, wholeScreen ? 1024 : 640);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 1);
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, pixels.data(), width * 4), 0);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), static_cast<std::ptrdiff_t>(pixels.size()));
    }
    SDL_SetWindowFullscreen(window, 0);
}

TEST_F(SdlWindowTest, KeysTimersAndClosingGoThroughTheLoop)
{
    RecordingWindow window;
    window.Init(0, nullptr, nullptr, &RecordingWindow::Procedure);
    window.SetLayout(64, 48, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("", 0, 0), 1);
    std::vector<uint32_t> keys;
    int timers = 0;
    m_System.SetMessageFilter([&](platform::WindowHandle target, uint32_t message, uintptr_t wParam, intptr_t) {
        if (message == platform::kWmKeyDown)
        {
            keys.push_back(static_cast<uint32_t>(wParam));
        }
        if (message == platform::kWmTimer && ++timers == 2)
        {
            m_System.Resolve(target)->KillTimer(9);
            m_System.SendMessage(target, platform::kWmClose, 0, 0);
            m_System.PostQuit(0);
        }
        return false;
    });
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.windowID = SDL_GetWindowID(Native(window));
    key.key.keysym.sym = SDLK_ESCAPE;
    Push(key);
    key.key.keysym.sym = SDLK_F3;
    Push(key);
    window.Native()->SetTimer(9, 2);
    EXPECT_EQ(m_System.RunMessageLoop(nullptr), 0);
    m_System.SetMessageFilter(nullptr);
    EXPECT_EQ(keys, (std::vector<uint32_t>{platform::kVkEscape, platform::kVkF1 + 2}));
    EXPECT_EQ(timers, 2);
    EXPECT_EQ(window.Handle(), nullptr); // closed by the default procedure
}

} // namespace

namespace
{

TEST_F(SdlWindowTest, TimersThatAreKilledOrWhoseWindowIsGoneStopSafely)
{
    // Timers fire on SDL's own thread while the loop's thread kills them and destroys their windows.
    platform::WindowCreateParams params;
    params.m_WindowRect = {0, 0, 32, 32};
    for (int round = 0; round < 300; ++round)
    {
        platform::WindowHandle handle = m_System.CreateWindow(params);
        platform::NativeWindow* window = m_System.Resolve(handle);
        ASSERT_NE(window, nullptr);
        window->SetTimer(1, 1);
        window->SetTimer(2, 1);
        SDL_Delay(round % 3);
        window->KillTimer(1);
        window->SetTimer(2, 1);
        if (round % 2)
        {
            SDL_Delay(1);
        }
        window->Destroy();
        m_System.PumpMessages();
    }
}

} // namespace

namespace
{

TEST(SdlDialogsTest, BoxesHaveTheButtonsOfTheirType)
{
    auto answers = [](uint32_t type) {
        std::vector<int> ids;
        for (const platform::MessageBoxButton& button : platform::MessageBoxButtons(type))
        {
            ids.push_back(button.m_nAnswer);
        }
        return ids;
    };
    EXPECT_EQ(answers(platform::kMbOk | platform::kMbIconError), std::vector<int>{platform::kIdOk});
    EXPECT_EQ(answers(platform::kMbYesNo), (std::vector<int>{platform::kIdYes, platform::kIdNo}));
    EXPECT_EQ(answers(platform::kMbOkCancel), (std::vector<int>{platform::kIdOk, platform::kIdCancel}));
    EXPECT_EQ(answers(platform::kMbYesNoCancel),
              (std::vector<int>{platform::kIdYes, platform::kIdNo, platform::kIdCancel}));
    // Escape is No in a yes/no box, as closing it is.
    EXPECT_TRUE(platform::MessageBoxButtons(platform::kMbYesNo)[1].m_bEscapeKey);
    EXPECT_EQ(platform::MessageBoxButtons(platform::kMbYesNo)[1].m_strLabel, "いいえ");
}

} // namespace

namespace
{

TEST_F(SdlWindowTest, AShownWindowIsActiveWithoutADisplay)
{
    ASSERT_TRUE(m_System.IsHeadless());
    RecordingWindow window;
    window.Init(0, nullptr, nullptr, &RecordingWindow::Procedure);
    window.SetLayout(64, 48, 0, 0, 0, 0, platform::kWsOverlappedWindow, 0, 0, 0, 0, 0);
    ASSERT_EQ(window.Create("", 0, 0), 1);
    AppActive = 0;
    EXPECT_EQ(m_System.ActiveWindow(), nullptr);
    window.Show(1);
    // The dummy driver sends no focus events: showing is enough.
    EXPECT_EQ(m_System.ActiveWindow(), window.Handle());
    EXPECT_TRUE(m_System.IsAppActive());
    EXPECT_EQ(AppActive, 1);
}

TEST_F(SdlWindowTest, KeysFedDuringAFloodOfPostsAllArriveInOrder)
{
    // Another thread posts 100,000 messages while the keyboard types, before the
    // loop gets to run: one wake event at a time keeps SDL's queue free for the keys.
    platform::WindowCreateParams params;
    params.m_WindowRect = {0, 0, 64, 48};
    platform::WindowHandle window = m_System.CreateWindow(params);
    ASSERT_TRUE(window);
    uint32_t nativeId = SDL_GetWindowID(static_cast<platform::SdlWindow*>(m_System.Resolve(window))->Native());
    constexpr int kPosts = 100000;
    constexpr int kKeys = 2000;
    static const SDL_Keycode kCycle[] = {SDLK_a, SDLK_MINUS, SDLK_PERIOD, SDLK_5, SDLK_F2, SDLK_KP_7};
    static const uint32_t kExpected[] = {'A', platform::kVkOemMinus, platform::kVkOemPeriod, '5', platform::kVkF1 + 1,
                                         platform::kVkNumpad0 + 7};
    std::atomic<int> refusedPushes{0};
    std::atomic<int> posted{0};
    std::atomic<bool> postsDone{false}, keysDone{false};
    std::vector<uint32_t> keys;
    int posts = 0;
    std::thread poster([&] {
        for (int i = 0; i < kPosts; ++i)
        {
            m_System.PostMessage(window, platform::kWmUser, static_cast<uintptr_t>(i), 0);
            posted.store(i + 1, std::memory_order_relaxed);
        }
        postsDone = true;
    });
    std::thread keyboard([&] {
        for (int i = 0; i < kKeys; ++i)
        {
            // Spread over the whole flood: the last keys come when a wake event per post would have filled SDL's queue.
            while (posted.load(std::memory_order_relaxed) < i * (kPosts / kKeys))
            {
                std::this_thread::yield();
            }
            SDL_Event key{};
            key.type = SDL_KEYDOWN;
            key.key.windowID = nativeId;
            key.key.keysym.sym = kCycle[i % std::size(kCycle)];
            if (SDL_PushEvent(&key) != 1)
            {
                ++refusedPushes;
            }
        }
        keysDone = true;
    });
    poster.join();
    keyboard.join();
    m_System.RunMessageLoop(
        [&] {
            if (postsDone && keysDone && posts == kPosts && static_cast<int>(keys.size()) + refusedPushes >= kKeys)
            {
                m_System.PostQuit(0);
            }
            std::this_thread::yield();
            return true;
        },
        [&](const platform::WindowMessage& message) {
            if (message.m_nMessage == platform::kWmKeyDown)
            {
                keys.push_back(static_cast<uint32_t>(message.m_wParam));
            }
            else if (message.m_nMessage == platform::kWmUser)
            {
                EXPECT_EQ(message.m_wParam, static_cast<uintptr_t>(posts)); // posts keep their order too
                ++posts;
            }
            return true;
        });
    EXPECT_EQ(refusedPushes, 0);
    ASSERT_EQ(keys.size(), static_cast<size_t>(kKeys));
    for (int i = 0; i < kKeys; ++i)
    {
        ASSERT_EQ(keys[i], kExpected[i % std::size(kExpected)]) << "key " << i;
    }
    EXPECT_EQ(posts, kPosts);
}

} // namespace
