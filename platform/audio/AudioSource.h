#pragma once

// Sound that the mixer pulls: a source hands out frames of its own format on
// request. Sources are read only under the mixer's lock, from whatever thread
// mixes (the audio device's callback, or a test calling Mixer::Mix).

#include <cstdint>

namespace platform
{

// The highest sample rate a sound file may have; the mixer resamples every
// source to its own rate, reading rate / output rate source frames a frame.
constexpr int kMaxSampleRate = 384000;

enum class SampleType
{
    U8,  // unsigned 8-bit, 128 is silence
    S16, // signed 16-bit, native byte order
    F32, // float, -1 to 1
};

struct AudioFormat
{
    int m_nRate = 44100;
    int m_nChannels = 2; // 1 or 2 are mixed; further channels are ignored
    SampleType m_Type = SampleType::S16;

    int SampleBytes() const { return m_Type == SampleType::U8 ? 1 : m_Type == SampleType::S16 ? 2 : 4; }
    int FrameBytes() const { return SampleBytes() * m_nChannels; }
};

class AudioSource
{
public:
    virtual ~AudioSource() = default;

    virtual AudioFormat Format() const = 0;
    // Reads up to `frames` frames; fewer (down to 0) only at the end of the sound.
    virtual int Read(void* out, int frames) = 0;
    // Back to the first frame; false when the source cannot go back.
    virtual bool Rewind() = 0;
    // To a frame from the start; false when the source cannot move.
    virtual bool Seek(int64_t frame) { return frame == 0 && Rewind(); }
    // The frame the next Read starts at.
    virtual int64_t Position() const { return 0; }
};

} // namespace platform
