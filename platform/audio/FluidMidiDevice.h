#pragma once

// The MIDI stream device of the programs: a FluidSynth synthesizer that sounds
// as one voice of the mixer and is timed by the samples it renders.
//
// Queued buffers are played while the mixer pulls frames: the synthesizer
// renders up to the sample at which the next event is due, the event is sent,
// and rendering goes on. A buffer whose last event has been sent is reported
// done to the stream's receiver from the mixing thread. There is no timer
// thread: without a running mixer (or a test pulling it) time stands still.
//
// Only channel messages and system exclusive messages reach the synthesizer;
// system messages such as the end-of-track marker (FF 2F 00 as a short
// message) are not sent.

#include "common/sound/MidiStreamDevice.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/SoundFontLoad.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace platform
{

// The General MIDI SoundFont of the system.
constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class FluidMidiDevice : public MidiStreamDevice
{
public:
    // A device whose synthesizer comes from a load already under way (made at
    // the mixer's rate); its voice is in the mixer, playing, at once, and
    // silent until the synthesizer is there. Nothing waits for the load until
    // the device is asked whether it is ready.
    FluidMidiDevice(Mixer& mixer, std::unique_ptr<SoundFontLoad> load);
    // Starts a synthesizer at the mixer's rate with the SoundFont (a path on
    // disk) and waits for it. Null, with the reason in `error`, when the
    // synthesizer or the SoundFont cannot be loaded.
    static std::unique_ptr<FluidMidiDevice> Create(Mixer& mixer, const std::string& soundFontPath = kDefaultSoundFont,
                                                   std::string* error = nullptr);
    // Waits for the load when it is still under way.
    ~FluidMidiDevice() override;
    // The synthesizer settings of the device at an output rate (for a
    // synthesizer made elsewhere that is to sound the same, as the benchmark's).
    static void ApplySettings(fluid_settings_t* settings, int rate);

    // Waits for the synthesizer the first time. False when it could not be
    // made: the voice then leaves the mixer and no stream opens.
    bool Ready() override;
    // Why the synthesizer could not be made ("" when it was); waits as Ready.
    std::string LoadError();

    int Open(MidiStreamHandle& handle, MidiDoneReceiver* receiver) override;
    int SetTimeDivision(MidiStreamHandle stream, uint32_t division) override;
    int Prepare(MidiStreamHandle stream, MidiHeader& header) override;
    int Unprepare(MidiStreamHandle stream, MidiHeader& header) override;
    int Out(MidiStreamHandle stream, MidiHeader& header) override;
    int Restart(MidiStreamHandle stream) override;
    int Pause(MidiStreamHandle stream) override;
    int Stop(MidiStreamHandle stream) override;
    int Reset(MidiStreamHandle stream) override;
    int Close(MidiStreamHandle stream) override;

    // The mixer voice of the synthesizer (for its volume); 0 once Ready has
    // found that there is no synthesizer.
    VoiceId Voice() const { return m_nVoice; }

private:
    class SynthSource;

    // Renders float stereo frames, sending the events that fall due on the way.
    int Render(float* out, int frames);
    void SendEvent(const uint8_t* event, uint32_t word);
    void HandBackAll();
    void NotesOff();
    bool IsOpenStream(MidiStreamHandle stream) const { return stream != 0 && stream == m_hStream; }
    fluid_synth_t* Synth() const { return m_Synth.m_pSynth.get(); }
    double SamplesPerTick() const;

    Mixer& m_Mixer;
    VoiceId m_nVoice = 0;

    // Held while the synthesizer is waited for; guards the three below.
    std::mutex m_ReadyMutex;
    std::unique_ptr<SoundFontLoad> m_pLoad; // until it is taken
    bool m_bLoaded = false;
    std::string m_strLoadError;

    // Guarded by m_Mutex, as is every call into the synthesizer. The
    // synthesizer is set once, under both locks.
    std::mutex m_Mutex;
    LoadedSynth m_Synth;
    MidiStreamHandle m_hStream = 0;
    MidiStreamHandle m_hNextStream = 1;
    MidiDoneReceiver* m_pReceiver = nullptr;
    uint32_t m_nDivision = 96;
    double m_dTempo = 500000.0;
    bool m_bPlaying = false;
    std::vector<MidiHeader*> m_Queue; // oldest first
    uint32_t m_nEventOffset = 0;      // next event in the oldest buffer
    bool m_bEventTimed = false;       // its delta time is in m_dWait already
    double m_dWait = 0.0;             // samples until that event is due
    int m_nIdleFrames = 0;            // frames rendered since the synthesizer fell silent
};

} // namespace platform
