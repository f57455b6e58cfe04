#pragma once

// What the shared code does when it meets a program error it cannot go on
// from. Each program installs its own actions at start-up: the editor destroys
// its main window, the game posts a close to its main window. Tests install
// counters. An unset hook does nothing.
//
// After a fatal error the program must not write data files any more: the
// process-wide fatal flag, set by FatalError(), makes every save refuse.

#include <functional>

namespace platform
{

// The editor's "destroy the main window" (checked access of the data model).
void SetDestroyMainWindowHook(std::function<void()> hook);
// The game's and the shared services' "post a close to the main window".
void SetPostCloseHook(std::function<void()> hook);

// Runs the destroy hook and sets the fatal flag.
void FatalError();
// Runs the post-close hook.
void RequestClose();

bool IsFatalErrorRaised();
// Tests start each case afresh.
void ClearFatalError();

} // namespace platform
