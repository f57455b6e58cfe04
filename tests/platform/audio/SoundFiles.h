#pragma once

// Sound files made by the tests and benchmarks.

#include <cstdint>
#include <vector>

// A PCM WAV file of a sine tone (8-bit unsigned or 16-bit signed samples).
std::vector<uint8_t> MakeWave(int rate, int channels, int bits, int frames, double frequency = 440.0);

// An Ogg Vorbis file of a sine tone, encoded with libvorbisenc.
std::vector<uint8_t> MakeOggVorbis(int rate, int channels, double seconds, double frequency = 440.0);
