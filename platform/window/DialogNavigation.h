#pragma once

// The keyboard of a dialog, as a loop's pre-translate step applies it to
// every key that arrives for the dialog or one of its controls:
// - Tab and Shift+Tab move the focus to the next or the previous control
//   with kWsTabStop that is shown and enabled, in the order the dialog lists
//   its controls; an edit that gets the focus this way has all its text selected;
// - Enter sends kWmCommand (BN_CLICKED) for the focused push button, else the
//   default push button, else command 1 (kIdOk); a multi-line edit with
//   kEsWantReturn keeps its Enter;
// - Esc sends command 2 (kIdCancel). Nothing closes by itself: a dialog that
//   wants Esc to close it handles that command.
// Keys with kKeyReposted are left alone, and so is every key of a dialog
// inside another window (a page of a property sheet): the window around it
// has the keyboard.

#include "platform/window/WindowSystem.h"

namespace platform
{

// True when the message was one of the keys above and was used.
bool IsDialogMessage(WindowHandle dialog, const WindowMessage& message);

// The control with kWsTabStop after (or before) the one given, going round;
// the first one for a null control. Null when the dialog has none.
WindowHandle NextTabStop(WindowHandle dialog, WindowHandle from, bool previous = false);

// The id of the default push button of the dialog, else kIdOk.
int DefaultButtonId(WindowHandle dialog);

// Gives the control the focus as the dialog keyboard does (an edit gets its text selected).
void FocusDialogControl(WindowHandle control);

} // namespace platform
