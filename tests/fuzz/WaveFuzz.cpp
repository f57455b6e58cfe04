// WAV files: read as the MCI devices and the sound effects read them; a sound
// of a shape the mixer takes is played through to the end and rewound, one it
// does not take has no frames to play.

#include "FuzzTarget.h"

#include "platform/audio/WaveFile.h"

#include <memory>

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::WriteFile("fuzz.wav", data, size);
    auto wave = std::make_shared<platform::WaveData>();
    if (!platform::ReadWaveFile("fuzz.wav", *wave))
    {
        return 0;
    }
    platform::WaveSource source(wave);
    if (!wave->IsPlayable())
    {
        fuzz::Require(source.FrameCount() == 0, "a sound the mixer cannot play has frames");
        return 0;
    }
    const int frameBytes = source.Format().FrameBytes();
    fuzz::Require(frameBytes > 0, "a playable sound has frames of no bytes");
    std::vector<uint8_t> out(static_cast<std::size_t>(frameBytes) * 1024);
    int64_t frames = 0;
    for (int n; (n = source.Read(out.data(), 1024)) > 0;)
    {
        frames += n;
    }
    fuzz::Require(frames == source.FrameCount(), "the frames read are not the frames the file holds");
    fuzz::Require(source.Rewind() && source.Position() == 0, "a sound does not rewind");
    return 0;
}
