#include "AudioSystem.h"

namespace platform
{

AudioSystem::AudioSystem(const std::string& soundFontPath)
{
    std::string error;
    m_pMidi = FluidMidiDevice::Create(m_Mixer, soundFontPath, &error);
    if (!m_pMidi)
    {
        m_strProblems = "MIDI: " + error;
    }
    error.clear();
    m_pOutput = OpenAudioOutput(m_Mixer, &error);
    if (!m_pOutput->IsSounding())
    {
        m_strProblems += (m_strProblems.empty() ? "" : "; ") + std::string("audio output: ") + error;
    }
}

AudioSystem::~AudioSystem()
{
    // The output goes first, so that the callback no longer reads the voices.
    m_pOutput.reset();
    m_pMidi.reset();
}

} // namespace platform
