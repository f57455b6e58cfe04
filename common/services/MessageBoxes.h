#pragma once

// The message boxes of both programs, over the platform's dialog service
// (platform/window/Dialogs.h). Every box is modal; texts are CP932.

#include "platform/core/Format.h"
#include "platform/window/Dialogs.h"

#include <functional>
#include <string_view>

// How the game shows a box while its display holds the whole screen: set by
// the display layer while it runs full screen, cleared when it leaves. The
// function shows the box and returns 1 (0 when the display cannot make room).
void SetFullScreenMessageBox(std::function<int(std::string_view text, std::string_view caption, uint32_t type)> show);

// The platform's box with that owner, or the full-screen path while it is set.
int ShowMessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type);
// The same, owned by the active window.
int ShowMessageBoxActive(std::string_view text, std::string_view caption, uint32_t type);
// An "エラー" box with an OK button, owned by the active window.
void ShowError(std::string_view text);
// ShowError of the formatted text (at most 1,023 bytes, never a split character).
void ShowErrorF(const char* format, ...) TK_PRINTF(1, 2);
// ShowErrorF, only while the error log is enabled.
void ShowDebugErrorF(const char* format, ...) TK_PRINTF(1, 2);
// "メモリが不足しています！", then a close of the main window is posted.
void ShowOutOfMemory();
// "終了しますか？\n" / "終了確認" with Yes and No (never the full-screen path); true for Yes.
bool ConfirmQuit(platform::WindowHandle owner);
