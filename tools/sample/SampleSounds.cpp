#include "SampleSounds.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace sample
{

const char* const kGameSoundFiles[11] = {
    "wave\\カーソル移動.wav", "wave\\決定.wav",       "wave\\キャンセル.wav", "wave\\エラー.wav",
    "wave\\装備.wav",         "wave\\メッセージ.wav", "wave\\売買.wav",       "wave\\クリア.wav",
    "wave\\攻撃.wav",         "wave\\必殺.wav",       "wave\\回復.wav",
};

namespace
{

// A sound being built: a buffer of samples in -1..1.
class Synth
{
public:
    explicit Synth(double seconds) : m_Samples(static_cast<size_t>(seconds * kSoundRate), 0.0) {}

    // A tone from `start` for `length` seconds whose frequency glides from f0
    // to f1, with a short attack and an exponential decay.
    void Tone(double start, double length, double f0, double f1, double volume, double decay = 6.0, int shape = 0)
    {
        double phase = 0;
        int first = static_cast<int>(start * kSoundRate);
        int count = static_cast<int>(length * kSoundRate);
        for (int i = 0; i < count && first + i < static_cast<int>(m_Samples.size()); ++i)
        {
            double t = i / double(kSoundRate);
            double f = f0 + (f1 - f0) * (i / double(count));
            phase += f / kSoundRate;
            double attack = std::min(1.0, t / 0.004);
            double release = std::min(1.0, (count - i) / (0.01 * kSoundRate));
            double envelope = attack * release * std::exp(-decay * t / length);
            m_Samples[static_cast<size_t>(first + i)] += volume * envelope * Wave(phase, shape);
        }
    }
    // Noise through a one-pole low-pass filter (cut-off gliding from c0 to c1, 0..1).
    void Noise(double start, double length, double c0, double c1, double volume, double decay = 5.0)
    {
        int first = static_cast<int>(start * kSoundRate);
        int count = static_cast<int>(length * kSoundRate);
        double low = 0;
        for (int i = 0; i < count && first + i < static_cast<int>(m_Samples.size()); ++i)
        {
            m_nSeed = m_nSeed * 1103515245u + 12345u;
            double white = ((m_nSeed >> 9) & 0xFFFF) / 32768.0 - 1.0;
            double cut = c0 + (c1 - c0) * (i / double(count));
            low += cut * (white - low);
            double t = i / double(kSoundRate);
            double envelope = std::min(1.0, t / 0.002) * std::exp(-decay * t / length);
            m_Samples[static_cast<size_t>(first + i)] += volume * envelope * low;
        }
    }

    const std::vector<double>& Samples() const { return m_Samples; }

private:
    // 0 sine, 1 square, 2 triangle, 3 a soft square (first harmonics).
    static double Wave(double phase, int shape)
    {
        double p = phase - std::floor(phase);
        switch (shape)
        {
        case 1:
            return p < 0.5 ? 0.6 : -0.6;
        case 2:
            return 4 * std::abs(p - 0.5) - 1;
        case 3:
            return std::sin(2 * M_PI * p) + std::sin(6 * M_PI * p) / 3 + std::sin(10 * M_PI * p) / 5;
        default:
            return std::sin(2 * M_PI * p);
        }
    }

    std::vector<double> m_Samples;
    uint32_t m_nSeed = 12345;
};

double Note(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

std::vector<double> Cursor()
{
    Synth s(0.06);
    s.Tone(0, 0.06, 1800, 1900, 0.45, 5, 2);
    return s.Samples();
}

std::vector<double> Decide()
{
    Synth s(0.22);
    s.Tone(0, 0.09, Note(84), Note(84), 0.4, 3, 3);
    s.Tone(0.07, 0.15, Note(91), Note(91), 0.4, 4, 3);
    return s.Samples();
}

std::vector<double> Cancel()
{
    Synth s(0.18);
    s.Tone(0, 0.18, Note(79), Note(67), 0.45, 4, 2);
    return s.Samples();
}

std::vector<double> Error()
{
    Synth s(0.3);
    s.Tone(0, 0.12, 180, 170, 0.5, 1, 1);
    s.Tone(0.14, 0.14, 180, 160, 0.5, 2, 1);
    return s.Samples();
}

std::vector<double> Equip()
{
    Synth s(0.3);
    s.Noise(0, 0.05, 0.9, 0.4, 0.5, 6);
    s.Tone(0, 0.3, 2100, 2080, 0.25, 7);
    s.Tone(0, 0.3, 3150, 3120, 0.15, 9);
    s.Tone(0.08, 0.2, 1400, 1400, 0.2, 7);
    return s.Samples();
}

std::vector<double> Message()
{
    Synth s(0.12);
    s.Tone(0, 0.12, Note(81), Note(81), 0.4, 5, 0);
    s.Tone(0, 0.12, Note(93), Note(93), 0.15, 7, 0);
    return s.Samples();
}

std::vector<double> Trade()
{
    Synth s(0.45);
    for (int i = 0; i < 4; ++i)
    {
        s.Tone(i * 0.06, 0.25, Note(88 + (i % 2) * 5), Note(88 + (i % 2) * 5), 0.3, 6, 0);
        s.Tone(i * 0.06, 0.25, Note(100 + (i % 2) * 5), Note(100 + (i % 2) * 5), 0.1, 8, 0);
    }
    return s.Samples();
}

std::vector<double> Clear()
{
    Synth s(1.4);
    const int notes[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i)
    {
        s.Tone(i * 0.11, i == 3 ? 1.0 : 0.2, Note(notes[i]), Note(notes[i]), 0.28, i == 3 ? 3 : 2, 3);
    }
    s.Tone(0.33, 1.0, Note(76), Note(76), 0.16, 3, 3);
    s.Tone(0.33, 1.0, Note(79), Note(79), 0.16, 3, 3);
    return s.Samples();
}

std::vector<double> Attack()
{
    Synth s(0.25);
    s.Noise(0, 0.25, 0.7, 0.05, 0.9, 5);
    s.Tone(0, 0.1, 220, 90, 0.45, 3, 0);
    return s.Samples();
}

std::vector<double> Critical()
{
    Synth s(0.5);
    s.Noise(0, 0.12, 0.9, 0.5, 0.8, 3);
    s.Noise(0.05, 0.45, 0.4, 0.03, 0.9, 4);
    s.Tone(0, 0.35, 160, 45, 0.6, 3, 0);
    s.Tone(0.02, 0.2, 1200, 600, 0.2, 4, 2);
    return s.Samples();
}

std::vector<double> Recover()
{
    Synth s(0.8);
    const int notes[] = {76, 79, 83, 88, 91};
    for (int i = 0; i < 5; ++i)
    {
        s.Tone(i * 0.08, 0.45, Note(notes[i]), Note(notes[i]), 0.22, 5, 0);
        s.Tone(i * 0.08, 0.45, Note(notes[i] + 12) * 1.003, Note(notes[i] + 12), 0.08, 6, 0);
    }
    return s.Samples();
}

std::vector<double> Copy()
{
    Synth s(0.1);
    s.Tone(0, 0.05, Note(86), Note(86), 0.35, 3, 2);
    s.Tone(0.05, 0.05, Note(93), Note(93), 0.35, 3, 2);
    return s.Samples();
}

std::vector<double> Free()
{
    Synth s(0.5);
    s.Tone(0, 0.5, Note(79), Note(79), 0.3, 4, 0);
    s.Tone(0, 0.5, Note(83), Note(83), 0.2, 4, 0);
    s.Tone(0, 0.5, Note(86), Note(86), 0.2, 4, 0);
    return s.Samples();
}

std::vector<double> Slash()
{
    Synth s(0.3);
    s.Noise(0, 0.3, 0.2, 0.9, 0.8, 4);
    s.Tone(0.02, 0.25, 3000, 1500, 0.12, 5, 0);
    return s.Samples();
}

std::vector<double> Bow()
{
    Synth s(0.35);
    s.Tone(0, 0.08, 140, 110, 0.5, 2, 2);
    s.Noise(0.04, 0.3, 0.5, 0.1, 0.5, 3);
    return s.Samples();
}

std::vector<double> Flame()
{
    Synth s(0.7);
    s.Noise(0, 0.7, 0.05, 0.35, 0.9, 2);
    s.Noise(0.1, 0.6, 0.3, 0.1, 0.4, 3);
    s.Tone(0, 0.5, 90, 60, 0.3, 2, 0);
    return s.Samples();
}

std::vector<double> Bite()
{
    Synth s(0.25);
    s.Noise(0, 0.06, 0.9, 0.6, 0.7, 4);
    s.Noise(0.09, 0.08, 0.9, 0.6, 0.8, 4);
    s.Tone(0.09, 0.15, 300, 120, 0.35, 3, 1);
    return s.Samples();
}

std::vector<double> Potion()
{
    Synth s(0.45);
    for (int i = 0; i < 5; ++i)
    {
        s.Tone(i * 0.07, 0.08, 600 + i * 90, 900 + i * 90, 0.3, 3, 0);
    }
    return s.Samples();
}

} // namespace

std::vector<uint8_t> EncodeWave8(const std::vector<double>& samples)
{
    std::vector<uint8_t> data;
    data.reserve(samples.size());
    for (double sample : samples)
    {
        data.push_back(static_cast<uint8_t>(std::clamp(std::lround(128 + 127 * sample), 0L, 255L)));
    }
    std::vector<uint8_t> file;
    file.reserve(44 + data.size() + 1);
    auto tag = [&](const char* t)
    {
        for (int i = 0; i < 4; ++i)
        {
            file.push_back(static_cast<uint8_t>(t[i]));
        }
    };
    auto le = [&](uint32_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
        {
            file.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    tag("RIFF");
    le(static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size() + data.size() % 2), 4);
    tag("WAVE");
    tag("fmt ");
    le(16, 4);
    le(1, 2); // PCM
    le(1, 2); // mono
    le(kSoundRate, 4);
    le(kSoundRate, 4); // bytes per second
    le(1, 2);          // block align
    le(8, 2);          // bits per sample
    tag("data");
    le(static_cast<uint32_t>(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    if (data.size() % 2)
    {
        file.push_back(0x80); // chunks are padded to an even length
    }
    return file;
}

std::vector<SoundFile> MakeSoundFiles()
{
    using Make = std::function<std::vector<double>()>;
    const Make game[11] = {Cursor, Decide, Cancel, Error, Equip, Message, Trade, Clear, Attack, Critical, Recover};
    std::vector<SoundFile> files;
    for (int i = 0; i < 11; ++i)
    {
        files.push_back({kGameSoundFiles[i], EncodeWave8(game[i]())});
    }
    files.push_back({"wave\\コピー.wav", EncodeWave8(Copy())});
    files.push_back({"wave\\free.wav", EncodeWave8(Free())});
    files.push_back({"wave\\SkillAndItem\\斬撃.wav", EncodeWave8(Slash())});
    files.push_back({"wave\\SkillAndItem\\弓.wav", EncodeWave8(Bow())});
    files.push_back({"wave\\SkillAndItem\\炎.wav", EncodeWave8(Flame())});
    files.push_back({"wave\\SkillAndItem\\牙.wav", EncodeWave8(Bite())});
    files.push_back({"wave\\SkillAndItem\\薬.wav", EncodeWave8(Potion())});
    return files;
}

} // namespace sample
