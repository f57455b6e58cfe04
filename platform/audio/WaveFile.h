#pragma once

// WAV files: a RIFF form "WAVE" with a "fmt " chunk (plain PCM, a chunk of
// fewer than 19 bytes) followed somewhere by a "data" chunk. Reading checks
// only that; whether the mixer can play the format is asked apart
// (IsPlayable), as a sound device refuses a format it does not take.

#include "platform/audio/AudioSource.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace platform
{

struct WaveData
{
    uint16_t m_nFormatTag = 0;
    uint16_t m_nChannels = 0;
    uint32_t m_nSamplesPerSec = 0;
    uint32_t m_nAvgBytesPerSec = 0;
    uint16_t m_nBlockAlign = 0;
    uint16_t m_nBitsPerSample = 0;
    std::vector<uint8_t> m_Samples;

    // 8 or 16 bits in one or two channels at a rate the mixer takes.
    bool IsPlayable() const;
    // The mixer's view of the samples (8- or 16-bit).
    AudioFormat Format() const;
    // Whole frames of the samples.
    int64_t FrameCount() const;
};

// Reads a whole WAV file (stored path). False when it cannot be read, is not
// PCM, has a "fmt " chunk of fewer than 16 or more than 18 bytes, or its
// chunks run past its end. The "data" chunk is kept whole.
bool ReadWaveFile(std::string_view path, WaveData& wave);
// The same for the bytes of a file.
bool ParseWaveFile(const std::vector<uint8_t>& bytes, WaveData& wave);

// A sound held in memory, shared by every copy of it; each source keeps its
// own position.
class WaveSource : public AudioSource
{
public:
    explicit WaveSource(std::shared_ptr<const WaveData> wave) : m_pWave(std::move(wave)) {}

    AudioFormat Format() const override { return m_pWave->Format(); }
    int Read(void* out, int frames) override;
    bool Rewind() override { return Seek(0); }
    bool Seek(int64_t frame) override;
    int64_t Position() const override { return m_nFrame; }
    int64_t FrameCount() const { return m_pWave->FrameCount(); }

private:
    std::shared_ptr<const WaveData> m_pWave;
    int64_t m_nFrame = 0;
};

} // namespace platform
