// The SDL backend on SDL's X11 driver, on an X server of the test's own (Xvfb
// on a display number it picks itself); skipped where Xvfb is not installed.

#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <SDL.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
// After the test framework: it brings in Xlib, whose macros (None) the framework's names would meet.
#include <SDL_syswm.h>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

extern char** environ;

namespace
{

using platform::WindowHandle;

// An Xvfb of the test's own, up for the object's lifetime; the environment
// names it (and SDL's X11 driver) meanwhile.
class PrivateXServer
{
public:
    PrivateXServer()
    {
        int ready[2];
        if (pipe2(ready, O_CLOEXEC) != 0)
        {
            return;
        }
        // Xvfb writes the display number it took to descriptor 3.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        const char* argv[] = {"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr};
        if (posix_spawnp(&m_nPid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
        {
            m_nPid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        char c = 0;
        while (m_nPid > 0 && poll(&wait, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n')
        {
            number += c;
        }
        close(ready[0]);
        if (number.empty())
        {
            return;
        }
        Keep("DISPLAY", ":" + number);
        Keep("SDL_VIDEODRIVER", "x11");
    }
    ~PrivateXServer()
    {
        for (const auto& [name, value] : m_Kept)
        {
            if (value)
            {
                setenv(name.c_str(), value->c_str(), 1);
            }
            else
            {
                unsetenv(name.c_str());
            }
        }
        if (m_nPid > 0)
        {
            kill(m_nPid, SIGTERM);
            waitpid(m_nPid, nullptr, 0);
        }
    }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool IsUp() const { return !m_Kept.empty(); }

private:
    void Keep(const std::string& name, const std::string& value)
    {
        const char* before = std::getenv(name.c_str());
        m_Kept.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

    pid_t m_nPid = -1;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_Kept;
};

// What SDL's X11 driver and the X libraries allocate on this thread meanwhile
// is left out of the leak checker's report: they keep some of it in modules
// they load and unload again (the input method's), where it looks lost.
class X11AllocationsUnchecked
{
public:
#if defined(__SANITIZE_ADDRESS__)
    X11AllocationsUnchecked()
    {
        __lsan_disable();
    }
    ~X11AllocationsUnchecked()
    {
        __lsan_enable();
    }
#endif
};

constexpr uint32_t kWmServe = platform::kWmUser + 1;
constexpr uint32_t kWmBoxIsUp = platform::kWmUser + 2;

std::atomic<int> g_nServed{0};
std::atomic<bool> g_bBoxIsUp{false};

intptr_t OwnerProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == kWmServe)
    {
        ++g_nServed;
        return 0;
    }
    if (message == kWmBoxIsUp)
    {
        g_bBoxIsUp = true;
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

// The X messages with which SDL's own wait is woken (SDL sends one to its newest window).
struct WakeUpMessages
{
    Atom m_nType = None;
    std::atomic<int> m_nCount{0};
};

int CountWakeUpMessages(void* data, SDL_Event* event)
{
    auto* seen = static_cast<WakeUpMessages*>(data);
    if (event->type == SDL_SYSWMEVENT && event->syswm.msg->subsystem == SDL_SYSWM_X11)
    {
        const XEvent& x = event->syswm.msg->msg.x11.event;
        if (x.type == ClientMessage && x.xclient.message_type == seen->m_nType)
        {
            ++seen->m_nCount;
        }
    }
    return 1;
}

TEST(SdlX11Test, PostsFromAnotherThreadWakeTheLoopUnderABoxWithoutAnyMessageToAWindow)
{
    // SDL's wait on X11 wakes by an X message to its newest window, which is
    // the box while one is up; an answered box is destroyed at once, and a
    // message still on its way to it then made the X server answer with an
    // error that ended the game. The loop must never sleep in that wait.
    platform::FreeTypeRasterizer fonts;
    ASSERT_TRUE(fonts.Open()); // else a box of SDL's own would stand in, and wait for a person
    PrivateXServer server;
    if (!server.IsUp())
    {
        GTEST_SKIP() << "no Xvfb to run an X server of the test's own";
    }
    [[maybe_unused]] X11AllocationsUnchecked unchecked;
    platform::SdlWindowSystem system;
    ASSERT_TRUE(system.IsReady()) << SDL_GetError();
    ASSERT_FALSE(system.IsHeadless());
    platform::SdlDialogs dialogs(system);

    platform::WindowCreateParams params;
    params.m_strTitle = "owner";
    params.m_nStyle = platform::kWsPopup | platform::kWsCaption;
    params.m_WindowRect = {100, 60, 320, 240};
    params.m_pProcedure = &OwnerProcedure;
    const WindowHandle owner = system.CreateWindow(params);
    ASSERT_TRUE(owner);
    system.Resolve(owner)->Show(true);

    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(platform::NativeSdlWindow(system, owner), &info)) << SDL_GetError();
    ASSERT_EQ(info.subsystem, SDL_SYSWM_X11);
    WakeUpMessages wakeUps;
    wakeUps.m_nType = XInternAtom(info.info.x11.display, "_SDL_WAKEUP", False);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_AddEventWatch(CountWakeUpMessages, &wakeUps);

    // Each post is served before the next is made, so the loop falls asleep in between.
    constexpr int kPosts = 40;
    g_nServed = 0;
    g_bBoxIsUp = false;
    std::atomic<bool> done{false};
    std::atomic<bool> boxGone{false};
    std::thread poster(
        [&]
        {
            while (!g_bBoxIsUp && !boxGone)
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            for (int i = 0; i < kPosts && !boxGone; ++i)
            {
                const int before = g_nServed;
                EXPECT_TRUE(system.PostMessage(owner, kWmServe, 0, 0));
                while (g_nServed == before && !boxGone)
                {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            done = true;
        });
    dialogs.SetCancelCheck([&] { return done.load(); });
    EXPECT_TRUE(system.PostMessage(owner, kWmBoxIsUp, 0, 0)); // served inside the box's loop
    EXPECT_EQ(dialogs.MessageBox(owner, "x", "box", platform::kMbOk), platform::kIdOk);
    boxGone = true;
    poster.join();

    SDL_DelEventWatch(CountWakeUpMessages, &wakeUps);
    SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
    EXPECT_EQ(g_nServed, kPosts);
    EXPECT_EQ(wakeUps.m_nCount, 0);
}

} // namespace
