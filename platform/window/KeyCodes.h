#pragma once

// The virtual key of a key that types a character, for backends whose native
// key codes name characters (Qt and SDL both do for letters, digits and
// punctuation). Characters are those of a Japanese keyboard, shifted or not.

#include <cstdint>

namespace platform
{

// 0 when no key of ours types the character.
uint32_t VirtualKeyOfCharacter(uint32_t character);

} // namespace platform
