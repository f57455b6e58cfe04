#pragma once

// Everything that sounds, put together for a program: the mixer, the audio
// output (silent when there is no device), the MIDI synthesizer, the Ogg
// player factory and the MCI devices. A program makes one at start-up, hands
// its pieces to the music manager and the MCI player, and releases those
// before it goes.

#include "platform/audio/AudioOutput.h"
#include "platform/audio/FluidMidiDevice.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/MixerMciDevice.h"
#include "platform/audio/OggVorbisPlayer.h"

#include <memory>
#include <string>

namespace platform
{

class AudioSystem
{
public:
    static constexpr int kOutputRate = 44100;

    // Opens the output; a missing SoundFont leaves the system without MIDI.
    explicit AudioSystem(const std::string& soundFontPath = kDefaultSoundFont);
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    Mixer& GetMixer() { return m_Mixer; }
    AudioOutput& Output() { return *m_pOutput; }
    // Null when the synthesizer could not start.
    FluidMidiDevice* MidiDevice() { return m_pMidi.get(); }
    OggVorbisPlayerFactory& OggFactory() { return m_OggFactory; }
    MixerMciDevice& MciDevice() { return m_Mci; }
    // Why the output is silent or the synthesizer missing ("" when neither).
    const std::string& Problems() const { return m_strProblems; }

private:
    Mixer m_Mixer{kOutputRate};
    OggVorbisPlayerFactory m_OggFactory{m_Mixer};
    MixerMciDevice m_Mci{m_Mixer};
    std::unique_ptr<FluidMidiDevice> m_pMidi;
    std::unique_ptr<AudioOutput> m_pOutput;
    std::string m_strProblems;
};

} // namespace platform
