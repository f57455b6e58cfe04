#pragma once

// Everything that sounds, put together for a program: the mixer, the audio
// output (silent when there is no device), the MIDI synthesizer, the Ogg
// player factory and the MCI devices. A program makes one at start-up, hands
// its pieces to the music manager and the MCI player, and releases those
// before it goes. The synthesizer's SoundFont is read on a thread of its own,
// which the program starts in its first moment (StartSoundFont); the
// synthesizer waits for it where it is first needed.

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

    // Starts reading the SoundFont into a synthesizer at the output rate.
    static std::unique_ptr<SoundFontLoad> StartSoundFont(const std::string& soundFontPath = kDefaultSoundFont);

    // Opens the output; the synthesizer comes from the load. A SoundFont that
    // does not load leaves the system without MIDI.
    explicit AudioSystem(std::unique_ptr<SoundFontLoad> soundFont);
    // The same with a load started here.
    explicit AudioSystem(const std::string& soundFontPath = kDefaultSoundFont);
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    Mixer& GetMixer() { return m_Mixer; }
    AudioOutput& Output() { return *m_pOutput; }
    // Whether it plays is known once it is ready (MidiStreamDevice::Ready).
    FluidMidiDevice& MidiDevice() { return *m_pMidi; }
    OggVorbisPlayerFactory& OggFactory() { return m_OggFactory; }
    MixerMciDevice& MciDevice() { return m_Mci; }
    // Why the synthesizer is missing or the output silent ("" when neither);
    // waits for the synthesizer.
    std::string Problems();

private:
    Mixer m_Mixer{kOutputRate};
    OggVorbisPlayerFactory m_OggFactory{m_Mixer};
    MixerMciDevice m_Mci{m_Mixer};
    std::unique_ptr<FluidMidiDevice> m_pMidi;
    std::unique_ptr<AudioOutput> m_pOutput;
    std::string m_strOutputProblem;
};

} // namespace platform
