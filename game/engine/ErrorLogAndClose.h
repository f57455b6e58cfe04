#pragma once

// The game's answer to a failure it cannot go on from: a line in the error
// log (when that log is enabled) and a close posted to the main window, from
// whatever thread the failure happened on.

#include "common/services/Log.h"
#include "platform/window/WindowHandle.h"

void WriteErrorLogAndClose(platform::WindowHandle window, const char* format, ...) TK_PRINTF(2, 3);
