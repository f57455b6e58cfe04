#pragma once

// What the benchmarks share: a temporary project folder, music files made for
// them, and the loop that mixes one second per iteration.

#include "platform/audio/Mixer.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A temporary folder that is the current folder while the object lives.
class BenchFolder
{
public:
    BenchFolder();
    ~BenchFolder();
    void Write(const std::string& name, const std::vector<unsigned char>& bytes) const;

private:
    std::filesystem::path m_Path;
    std::filesystem::path m_Previous;
};

// A format-1 file of `seconds` seconds with 16 busy channels: one track per
// channel, each with its own instrument, playing three-note chords that change
// every 50 ms, with controller and pitch-bend traffic.
std::vector<unsigned char> DenseSixteenChannelSong(int seconds);

// Mixes one second of output per iteration and adds the counter "core_share":
// the part of one processor core that mixing in real time takes. `untimed`
// runs after each second, outside the timing. The seconds spent mixing.
double MixOneSecondPerIteration(benchmark::State& state, platform::Mixer& mixer,
                                const std::function<void()>& untimed = nullptr);
