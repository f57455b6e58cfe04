#pragma once

// The text files of the sample: the game's settings and the names new
// friends may draw.

#include <string>

namespace sample
{

// "System.ini": windowed at 16 bits, 60 frames a second, music on, no FPS
// counter. CP932 with CR LF line ends.
std::string SystemIniText();

// "data\RandomName.txt": one name a line, each at most 16 bytes.
std::string RandomNameText();

} // namespace sample
