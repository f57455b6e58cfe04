#pragma once

// The music of the sample: five short looping tunes written as notes in
// code, each saved twice, as a Standard MIDI File and as an Ogg Vorbis file
// rendered by a small synthesiser of our own (fixed stream serial, so that
// the bytes are the same on every run).

#include <cstdint>
#include <string>
#include <vector>

namespace sample
{

struct MusicFile
{
    std::string m_strPath; // stored path
    std::vector<uint8_t> m_Bytes;
};

// "bgm\Title", "bgm\WorldMap", "bgm\Stage", "bgm\Battle" and the editor's
// "bgm\Free", each as ".mid" and ".ogg".
std::vector<MusicFile> MakeMusicFiles();

// The sample rate of the Ogg files.
constexpr int kMusicRate = 22050;

} // namespace sample
