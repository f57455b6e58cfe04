#pragma once

// Message boxes of the game. Boxes are shown by the main thread, which owns
// the window: a box raised on a game thread is posted to the main window
// (kWmShowBox) and the thread waits for its answer, letting go of the
// game-data lock meanwhile. Once shut-down has begun, a box of a game thread
// fails at once (it answers as if closed), so that no game thread waits for a
// main thread that is waiting for the game threads to end. Boxes of the main
// thread go straight to the backend's service, owned by the main window when
// they name no owner. The game has no file dialogs: other threads get them
// cancelled.
//
// A box comes before the close: the main window's close waits while boxes
// are up or asked for (BeginClose), and comes again once the last one is
// answered, so that a failure's box asked for before or while a close was on
// its way is shown before the game ends. Only a close signal ends the boxes
// at once (BeginShutdown before the window goes).

#include "platform/window/Dialogs.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class GameDialogs : public platform::DialogService
{
public:
    GameDialogs() = default;
    ~GameDialogs() override;
    GameDialogs(const GameDialogs&) = delete;
    GameDialogs& operator=(const GameDialogs&) = delete;

    // The main thread installs the object as the dialog service over the one
    // in place (the backend's, or without one the standard error stream), with
    // the window that shows boxes.
    void Install(platform::WindowHandle mainWindow);
    // Back to the service that was in place; a waiting box fails.
    void Uninstall();
    bool IsInstalled() const;

    // Shut-down began: every waiting box of another thread fails now, and every later one at once.
    void BeginShutdown();
    // The main window is asked to close (the main thread). False while a box
    // is up or waiting: the close is then posted to the main window again
    // once the last box is answered. True when the close may go on; shut-down
    // has then begun (BeginShutdown).
    bool BeginClose();
    // The main window's answer to kWmShowBox: shows the boxes waiting, oldest
    // first. A call made while a box is up (from its modal loop) leaves the
    // boxes to the call that shows it.
    void ServeBoxes();
    // Boxes of game threads waiting to be shown or up now. Any thread.
    int PendingBoxes() const;

    int MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                   uint32_t type) override;
    // A box with work done around it where it is shown, on the main thread:
    // around(true) just before it shows and around(false) once it is closed
    // (the whole screen shows the mouse cursor meanwhile). A box that fails
    // without being shown does neither.
    int MessageBoxAround(platform::WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type,
                         std::function<void(bool showing)> around);
    // Off the main thread: the main window.
    platform::WindowHandle ActiveWindow() override;
    bool OpenFile(const platform::FileDialogRequest& request, std::vector<std::string>& paths) override;
    bool SaveFile(const platform::FileDialogRequest& request, std::string& path) override;
    bool BrowseFolder(platform::WindowHandle owner, std::string_view startFolder, std::string_view title,
                      std::string& path) override;

private:
    struct Box;

    // The backend's service when called on the main thread; null elsewhere or before Install.
    platform::DialogService* MainThreadInner() const;
    void FailWaiting(); // under the lock
    // Posts the close that waited for the boxes, once none is left.
    void PostDeferredClose();

    mutable std::mutex m_Mutex;
    std::condition_variable m_Answered;
    platform::DialogService* m_pInner = nullptr;    // shows the boxes (main thread only), once installed
    platform::DialogService* m_pPrevious = nullptr; // the service in place before, put back by Uninstall
    platform::WindowHandle m_hMain;
    std::thread::id m_MainThread;
    bool m_bShuttingDown = false;
    bool m_bCloseDeferred = false; // a close waits for the boxes
    bool m_bServing = false;       // the main thread is in ServeBoxes
    int m_nShownHere = 0;          // boxes of the main thread's own that are up
    std::deque<std::shared_ptr<Box>> m_Waiting;
    std::deque<std::shared_ptr<Box>> m_Showing;
};

// The game's one instance.
extern GameDialogs GameBoxes;
