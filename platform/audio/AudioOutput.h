#pragma once

// The audio device: it only opens the sound card and has the mixer fill the
// card's buffers from its callback. When no device can be opened, the silent
// output takes its place and the programs go on without sound.

#include "platform/audio/Mixer.h"

#include <memory>
#include <string>

namespace platform
{

class AudioOutput
{
public:
    virtual ~AudioOutput() = default;
    // False for the silent output.
    virtual bool IsSounding() const = 0;
    // The audio driver in use ("" for the silent output).
    virtual std::string DriverName() const = 0;
};

// SDL2 audio: 16-bit stereo at the mixer's rate (SDL converts for the card).
class SdlAudioOutput : public AudioOutput
{
public:
    // Null, with SDL's reason in `error`, when the device cannot be opened.
    static std::unique_ptr<SdlAudioOutput> Open(Mixer& mixer, std::string* error = nullptr);
    ~SdlAudioOutput() override;

    bool IsSounding() const override { return true; }
    std::string DriverName() const override;

private:
    explicit SdlAudioOutput(uint32_t device) : m_nDevice(device) {}
    uint32_t m_nDevice;
};

class SilentAudioOutput : public AudioOutput
{
public:
    bool IsSounding() const override { return false; }
    std::string DriverName() const override { return {}; }
};

// The SDL output, or the silent one when SDL cannot open a device.
std::unique_ptr<AudioOutput> OpenAudioOutput(Mixer& mixer, std::string* error = nullptr);

} // namespace platform
