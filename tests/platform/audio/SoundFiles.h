#pragma once

// Sound files made by the tests and benchmarks.

#include <cstdint>
#include <vector>

// A PCM WAV file of a sine tone (8-bit unsigned or 16-bit signed samples).
std::vector<uint8_t> MakeWave(int rate, int channels, int bits, int frames, double frequency = 440.0);

// An Ogg Vorbis file of a sine tone, encoded with libvorbisenc; `noise` mixes
// in white noise of that amplitude (from a fixed seed), which makes the file
// as large as busy music would be.
std::vector<uint8_t> MakeOggVorbis(int rate, int channels, double seconds, double frequency = 440.0,
                                   double noise = 0.0);

// Makes every page's checksum agree with its bytes again after a test changed
// them; stops at the first page whose header no longer holds together.
void ResealOggPages(std::vector<uint8_t>& file);
// Gives every page of the file (one logical stream) another serial number, so
// that it can follow another file as the next link of a chain.
void SetOggSerialNumber(std::vector<uint8_t>& file, uint32_t serial);
