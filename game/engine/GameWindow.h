#pragma once

// The game's one top-level window, owned by the main thread: 640x480 client
// area, centred on the desktop. Any thread posts to it (a posted message wakes
// the main loop); its procedure runs on the main thread. Activation follows
// the focus, and a window without a display is always active (the backend's
// doing); the active flag AppActive follows kWmActivateApp. Game threads only
// post to it, never send: a send would wait for a main thread that may itself
// be waiting for that game thread to end. Its key messages keep the table of
// held keys that the game threads read their input from.
//
// A close (kWmClose) waits while boxes are up or asked for, and comes again
// once they are answered (GameDialogs::BeginClose); the close of a signal
// (kWmCloseAtOnce) ends them as if they were closed and goes on at once.
//
// Shut-down happens in kWmDestroy, on the main thread, in this order: game
// threads' boxes fail from now on, the music stops, the event thread and then
// the game thread are asked to end and joined (neither can start again), the
// music requests still queued are dropped, the end report goes to the editor
// in test play, the frame handler is dropped, and the loop is told to quit.
// Display, sound and music are released by the main thread after the loop,
// when both game threads have ended.

#include "common/window/WindowBase.h"
#include "platform/input/HeldKeys.h"

#include <functional>

// Messages of the main window.
enum : uint32_t
{
    kWmPlayMusic = platform::kWmUser + 1,   // music requests wait (wParam channel, lParam track of the latest)
    kWmShowBox = platform::kWmUser + 2,     // a box of a game thread waits
    kWmShowFrame = platform::kWmUser + 3,   // a frame was presented
    kWmCloseAtOnce = platform::kWmUser + 4, // a close signal: the game closes now, a box up ends as if closed
};

constexpr int kGameScreenWidth = 640;
constexpr int kGameScreenHeight = 480;
// WS_POPUP together with WS_OVERLAPPEDWINDOW.
constexpr uint32_t kGameWindowStyle = 0x80CF0000;

class GameMainWindow : public FrameWindow
{
public:
    // Creates the window in the system, hidden, centred on the desktop. False when it cannot be made.
    bool Create(platform::WindowSystem& system);

    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // What a key pressed in the window does (the debug keys of a test play);
    // without a handler Esc closes the window.
    void SetKeyHandler(std::function<void(uintptr_t key)> handler) { m_KeyHandler = std::move(handler); }

    // What the window does when a frame was presented (shows it). It is
    // dropped in kWmDestroy, before the window goes, together with whatever it holds.
    void SetFrameHandler(std::function<void()> handler) { m_FrameHandler = std::move(handler); }

    // The keys held down in the window (released all when the game stops being active). Any thread reads it.
    const platform::HeldKeyTable& Keys() const { return m_Keys; }
    platform::HeldKeyTable& Keys() { return m_Keys; }

private:
    void OnDestroy();

    std::function<void(uintptr_t)> m_KeyHandler;
    std::function<void()> m_FrameHandler;
    platform::HeldKeyTable m_Keys;
};

// The game's main window object.
extern GameMainWindow GameWindow;

// The procedure of the main window's class: forwards to GameWindow.
intptr_t MainWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// The main window's handle; null before it is made and after it is destroyed. Any thread.
platform::WindowHandle MainWindowHandle();
