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

// The tune of a stored path without its extension ("bgm\Battle") as a
// Standard MIDI File that plays it over and over for at least `seconds`,
// written out as one song, as a project's own songs of some minutes are;
// empty for a path that is not one of the tunes.
std::vector<uint8_t> MakeLongMidiFile(const std::string& base, int seconds);

// The sample rate of the Ogg files.
constexpr int kMusicRate = 22050;

} // namespace sample
