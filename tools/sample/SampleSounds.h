#pragma once

// The sound effects of the sample: the game's eleven, the editor's own, and
// the sounds of skills and items; every one an 8-bit mono 22050 Hz WAV file
// synthesised from code.

#include <cstdint>
#include <string>
#include <vector>

namespace sample
{

constexpr int kSoundRate = 22050;

struct SoundFile
{
    std::string m_strPath; // stored path
    std::vector<uint8_t> m_Bytes;
};

// The game's sound table in id order (11 files), then the editor's two more,
// then the skill and item sounds.
std::vector<SoundFile> MakeSoundFiles();

// The eleven files of the game's sound table, in id order.
extern const char* const kGameSoundFiles[11];

// A PCM WAV file of 8-bit unsigned mono samples at kSoundRate; the samples
// are in -1..1 and are clipped.
std::vector<uint8_t> EncodeWave8(const std::vector<double>& samples);

} // namespace sample
