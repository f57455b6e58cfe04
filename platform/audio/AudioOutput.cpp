#include "AudioOutput.h"

#include <SDL.h>

namespace platform
{

namespace
{

constexpr int kBufferFrames = 1024;

void MixCallback(void* mixer, Uint8* stream, int bytes)
{
    static_cast<Mixer*>(mixer)->Mix(stream, bytes);
}

} // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::Open(Mixer& mixer, std::string* error)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        if (error)
        {
            *error = SDL_GetError();
        }
        return nullptr;
    }
    SDL_AudioSpec want{};
    want.freq = mixer.OutputRate();
    want.format = AUDIO_S16SYS;
    want.channels = Mixer::kOutputChannels;
    want.samples = kBufferFrames;
    want.callback = &MixCallback;
    want.userdata = &mixer;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts whatever the card wants from our format.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0)
    {
        if (error)
        {
            *error = SDL_GetError();
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<SdlAudioOutput>(new SdlAudioOutput(device));
}

SdlAudioOutput::~SdlAudioOutput()
{
    // Closing waits for a running callback to return.
    SDL_CloseAudioDevice(m_nDevice);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlAudioOutput::DriverName() const
{
    const char* name = SDL_GetCurrentAudioDriver();
    return name ? name : "";
}

std::unique_ptr<AudioOutput> OpenAudioOutput(Mixer& mixer, std::string* error)
{
    if (auto output = SdlAudioOutput::Open(mixer, error))
    {
        return output;
    }
    return std::make_unique<SilentAudioOutput>();
}

} // namespace platform
