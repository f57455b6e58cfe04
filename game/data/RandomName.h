#pragma once

// Random unit names: the lines of the project's name list.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr const char* kRandomNamePath = "data\\RandomName.txt";

// Longest name taken from the list, in bytes (a double-byte character that
// would cross it is left out).
constexpr std::size_t kRandomNameBytes = 16;

// Draws one line of a name list into name. CR bytes are dropped first; a line
// counts when its '\n' follows another character, so empty lines and a last
// line without '\n' are never drawn. The drawn line loses any '\n' and NUL
// bytes before its first character and ends at '\n', NUL or kRandomNameBytes.
// False, the name unchanged and nothing drawn, when no line counts.
bool PickNameFromList(std::string_view list, std::string& name);

// PickNameFromList on the project's name list. 1 when a name was drawn; 0,
// the name unchanged, when the file cannot be read or holds no line.
int PickRandomNameFromFile(std::string& name);
