#pragma once

// Music files made for the benchmarks, written into a temporary project folder.

#include <filesystem>
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
