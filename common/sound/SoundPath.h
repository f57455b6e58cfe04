#pragma once

// The longest file name the sound players open. Paths are stored as strings of
// any length, but the design's path buffers held 259 characters: a longer name
// fails to open exactly as a missing file does.

#include <cstddef>
#include <string_view>

constexpr std::size_t kMaxSoundPathLength = 259;

// False for an empty or over-long name.
inline bool IsOpenableSoundPath(std::string_view path)
{
    return !path.empty() && path.size() <= kMaxSoundPathLength;
}
