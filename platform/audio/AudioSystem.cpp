#include "AudioSystem.h"

namespace platform
{

std::unique_ptr<SoundFontLoad> AudioSystem::StartSoundFont(const std::string& soundFontPath)
{
    return std::make_unique<SoundFontLoad>(soundFontPath, kOutputRate);
}

AudioSystem::AudioSystem(std::unique_ptr<SoundFontLoad> soundFont)
    : m_pMidi(std::make_unique<FluidMidiDevice>(m_Mixer, std::move(soundFont)))
{
    std::string error;
    m_pOutput = OpenAudioOutput(m_Mixer, &error);
    if (!m_pOutput->IsSounding())
    {
        m_strOutputProblem = "audio output: " + error;
    }
}

AudioSystem::AudioSystem(const std::string& soundFontPath) : AudioSystem(StartSoundFont(soundFontPath))
{
}

AudioSystem::~AudioSystem()
{
    // The output goes first, so that the callback no longer reads the voices.
    m_pOutput.reset();
    m_pMidi.reset();
}

std::string AudioSystem::Problems()
{
    std::string problems;
    if (!m_pMidi->Ready())
    {
        problems = "MIDI: " + m_pMidi->LoadError();
    }
    if (!m_strOutputProblem.empty())
    {
        problems += (problems.empty() ? "" : "; ") + m_strOutputProblem;
    }
    return problems;
}

} // namespace platform
