#include "BenchSupport.h"

#include <unistd.h>

#include <chrono>
#include <fstream>

namespace
{

void VarLen(std::vector<unsigned char>& out, uint32_t value)
{
    unsigned char groups[4];
    int n = 0;
    do
    {
        groups[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 0)
    {
        --n;
        out.push_back(n > 0 ? (groups[n] | 0x80) : groups[n]);
    }
}

void Be(std::vector<unsigned char>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
    {
        out.push_back((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

BenchFolder::BenchFolder()
{
    m_Previous = std::filesystem::current_path();
    m_Path = std::filesystem::temp_directory_path() / ("tk_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(m_Path);
    std::filesystem::current_path(m_Path);
}

BenchFolder::~BenchFolder()
{
    std::filesystem::current_path(m_Previous);
    std::error_code ec;
    std::filesystem::remove_all(m_Path, ec);
}

void BenchFolder::Write(const std::string& name, const std::vector<unsigned char>& bytes) const
{
    std::filesystem::create_directories((m_Path / name).parent_path());
    std::ofstream(m_Path / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<unsigned char> DenseSixteenChannelSong(int seconds)
{
    constexpr uint32_t kDivision = 480; // 120 beats per minute: 960 ticks a second
    constexpr uint32_t kStep = 48;      // 50 ms
    const int steps = seconds * 20;

    std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    Be(file, 16, 2);
    Be(file, kDivision, 2);
    for (int channel = 0; channel < 16; ++channel)
    {
        std::vector<unsigned char> track;
        const unsigned char ch = static_cast<unsigned char>(channel);
        track.insert(track.end(),
                     {0x00, static_cast<unsigned char>(0xC0 | ch), static_cast<unsigned char>(channel * 7 % 112)});
        for (int step = 0; step < steps; ++step)
        {
            const int root = 40 + (channel * 5 + step * 3) % 36;
            for (int note = 0; note < 3; ++note)
            {
                VarLen(track, note == 0 && step > 0 ? 1 : 0);
                track.insert(track.end(), {static_cast<unsigned char>(0x90 | ch),
                                           static_cast<unsigned char>(root + note * 4), 0x50});
            }
            track.insert(track.end(), {0x00, static_cast<unsigned char>(0xB0 | ch), 0x0B,
                                       static_cast<unsigned char>(60 + step % 60)});
            track.insert(track.end(), {0x00, static_cast<unsigned char>(0xE0 | ch), 0x00,
                                       static_cast<unsigned char>(0x38 + step % 16)});
            for (int note = 0; note < 3; ++note)
            {
                VarLen(track, note == 0 ? kStep - 1 : 0);
                track.insert(track.end(), {static_cast<unsigned char>(0x80 | ch),
                                           static_cast<unsigned char>(root + note * 4), 0x40});
            }
        }
        track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        Be(file, static_cast<uint32_t>(track.size()), 4);
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

double MixOneSecondPerIteration(benchmark::State& state, platform::Mixer& mixer, const std::function<void()>& untimed)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration mixing{};
    std::vector<uint8_t> out(std::size_t(mixer.OutputRate()) * platform::Mixer::kOutputFrameBytes);
    for (auto _ : state)
    {
        const Clock::time_point start = Clock::now();
        mixer.Mix(out.data(), int(out.size()));
        benchmark::DoNotOptimize(out.data());
        mixing += Clock::now() - start;
        if (untimed)
        {
            state.PauseTiming();
            untimed();
            state.ResumeTiming();
        }
    }
    state.counters["core_share"] =
        benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    return std::chrono::duration<double>(mixing).count();
}
