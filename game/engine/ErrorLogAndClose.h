#pragma once

// The game's answer to a failure it cannot go on from: its reason in the
// report log (and the error log, when that is enabled) and in a box, then a
// close posted to the main window, from whatever thread the failure happened
// on. The run remembers that it ended by a failure, so that a scripted run can
// tell it from a close the player asked for.

#include "common/services/Log.h"
#include "platform/window/WindowHandle.h"

#include <string_view>

void WriteErrorLogAndClose(platform::WindowHandle window, const char* format, ...) TK_PRINTF(2, 3);

// The reason of a failure that ends the game, told where the player and the
// report see it: a line "Error : reason" in the report log and a box.
void ReportGameFailure(std::string_view reason);
// A failure's own reason has just been shown in a box (a bitmap that cannot be
// read): the close that follows it writes its line but shows no second box.
void NoteFailureShown();

// Whether the run met such a failure (WriteErrorLogAndClose, or NoteGameFailure); any thread.
bool GameFailureReported();
// A failure that ends the game by another way (its start-up failed).
void NoteGameFailure();
// A new run starts without one.
void ClearGameFailure();
