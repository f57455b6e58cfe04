#pragma once

// SDL's keyboard events in the key numbers of the input layer.

#include "platform/input/HeldKeys.h"

#include <SDL.h>

namespace platform
{

// The key number of an SDL key, 0 when the game has none for it. Letters
// follow the key's meaning in the keyboard layout (its keycode); on a layout of
// another script, whose keys give no Latin letters, the key's position (its
// scancode) decides, so every keyboard has its Z, X, C and V. The digits of the
// top row go by position, whatever character the layout puts there.
int VirtualKeyFromSdl(SDL_Keycode keycode, SDL_Scancode scancode);

// Writes a key-down or key-up event into the table. Events of keys without a
// number, and events of other kinds, change nothing. Call it on the thread that
// receives the window's events.
void OnSdlKey(HeldKeyTable& table, const SDL_KeyboardEvent& event);

} // namespace platform
