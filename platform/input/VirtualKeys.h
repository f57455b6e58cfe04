#pragma once

// Key numbers of the input layer: the virtual-key codes of the window
// messages (WindowMessages.h), which the key-configuration file stores too.
// Letters and digits are their upper-case ASCII codes.

#include "platform/window/WindowMessages.h"

#include <string_view>

namespace platform
{

constexpr int kVkCount = 256;

// The key of a name as scripts write it, letter case ignored: "left", "right",
// "up", "down", "esc", "enter", "space", "shift", "ctrl", "alt", "f1".."f12",
// a single letter or digit. 0 when the name is none of these.
int VirtualKeyFromName(std::string_view name);

} // namespace platform
