#pragma once

// An edit field that names a music file (a Standard MIDI File or an Ogg
// Vorbis file), with its two buttons: "参照" picks a file below "bgm\" and
// puts its path relative to the project folder into the field; "再生" plays
// the file the field names through the editor's music manager (track 0,
// channel 0, from its start) and shows "読み込み失敗！" when it does not play.
// Only the field changes: its bound text takes it at OK.

#include "platform/window/WindowHandle.h"

// The file dialog; the field keeps its text when it is cancelled or the path cannot be made relative.
void BrowseMusicFile(platform::WindowHandle dialog, int editId, int bufferSize);
// Plays the field's file; nothing for an empty field.
void PlayMusicFile(platform::WindowHandle dialog, int editId, int bufferSize);
