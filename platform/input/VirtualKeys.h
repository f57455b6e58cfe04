#pragma once

// Key numbers of the input layer. The game and its key-configuration file
// name keys by the virtual-key numbers of the system the design was made for,
// so these values are part of the file format: letters and digits are their
// upper-case ASCII codes, the rest are listed here.

#include <string_view>

namespace platform
{

constexpr int kVkCount = 256;

constexpr int kVkReturn = 13;
constexpr int kVkShift = 16;   // either shift key
constexpr int kVkControl = 17; // either control key
constexpr int kVkMenu = 18;    // either alt key
constexpr int kVkEscape = 27;
constexpr int kVkSpace = 32;
constexpr int kVkLeft = 37;
constexpr int kVkUp = 38;
constexpr int kVkRight = 39;
constexpr int kVkDown = 40;
constexpr int kVkNumpad0 = 96; // ... kVkNumpad0 + 9
constexpr int kVkF1 = 112;     // ... kVkF1 + 11 is F12
constexpr int kVkLShift = 160;
constexpr int kVkRShift = 161;
constexpr int kVkLControl = 162;
constexpr int kVkRControl = 163;
constexpr int kVkLMenu = 164;
constexpr int kVkRMenu = 165;

// The key number of a letter 'a'..'z' or 'A'..'Z' or a digit '0'..'9'.
constexpr int VkOfChar(char c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// The key of a name as scripts write it, letter case ignored: "left", "right",
// "up", "down", "esc", "enter", "space", "shift", "ctrl", "alt", "f1".."f12",
// a single letter or digit. 0 when the name is none of these.
int VirtualKeyFromName(std::string_view name);

} // namespace platform
