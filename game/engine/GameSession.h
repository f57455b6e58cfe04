#pragma once

// The steps of the game's entry around its start-up that the platform gives:
// the test-play rule, the single instance, the main window, the reports to the
// editor, the main loop, and what is left to undo at the end. The entry runs,
// in order: Open, its own start-up (settings, display, sound, data), the game
// thread, RunLoop, its own release of display, sound and music, Close. A
// start-up that fails skips to its release and Close; the end report reaches
// the editor all the same.

#include "platform/core/SingleInstance.h"
#include "platform/window/WindowSystem.h"

// The name of the game's single-instance lock.
inline constexpr std::string_view kGameInstanceName = "ゲーム";

class GameSession
{
public:
    GameSession() = default;
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    // In order: the test-play flag from the show state (5: test play) and the
    // reports armed; outside test play, when asked for, the single-instance
    // lock (a second copy shows "既に起動しています" / "二重起動" and fails;
    // the game's scripted runs take none, so that they may run side by
    // side); the main
    // window, centred ("ウインドウが生成出来ません！" when it cannot be made);
    // in test play the start report; boxes of the game threads through the
    // main thread; the shared code's close requests posted to the main window.
    // False when the game cannot go on (everything is undone then).
    bool Open(platform::WindowSystem& system, int showState, bool takeInstanceLock = true);
    // The main loop, until the quit posted when the window is destroyed; its code.
    int RunLoop();
    // The window goes when it is still there (which ends the game threads),
    // the end report goes when it has not, the lock is released and the hooks
    // are removed. The destructor does it too; a second call does nothing.
    void Close();

private:
    platform::WindowSystem* m_pSystem = nullptr;
    platform::SingleInstanceLock m_Instance;
    bool m_bOpen = false;
    bool m_bMadeWindow = false; // what this session set up is what it undoes
    bool m_bInstalledBoxes = false;
};
