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

#include <memory>
#include <mutex>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace platform
{

// The General MIDI SoundFont of the system.
constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class FluidMidiDevice : public MidiStreamDevice
{
public:
    // Starts a synthesizer at the mixer's rate with the SoundFont (a path on
    // disk) and adds its voice to the mixer, playing. Null, with the reason in
    // `error`, when the synthesizer or the SoundFont cannot be loaded.
    static std::unique_ptr<FluidMidiDevice> Create(Mixer& mixer, const std::string& soundFontPath = kDefaultSoundFont,
                                                   std::string* error = nullptr);
    ~FluidMidiDevice() override;
    // The synthesizer settings of the device at an output rate (for a
    // synthesizer made elsewhere that is to sound the same, as the benchmark's).
    static void ApplySettings(fluid_settings_t* settings, int rate);

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

    // The mixer voice of the synthesizer (for its volume).
    VoiceId Voice() const { return m_nVoice; }

private:
    class SynthSource;

    FluidMidiDevice(Mixer& mixer, fluid_settings_t* settings, fluid_synth_t* synth);

    // Renders float stereo frames, sending the events that fall due on the way.
    int Render(float* out, int frames);
    void SendEvent(const uint8_t* event, uint32_t word);
    void HandBackAll();
    void NotesOff();
    bool IsOpenStream(MidiStreamHandle stream) const { return stream != 0 && stream == m_hStream; }
    double SamplesPerTick() const;

    Mixer& m_Mixer;
    fluid_settings_t* m_pSettings;
    fluid_synth_t* m_pSynth;
    VoiceId m_nVoice = 0;

    // Guarded by m_Mutex, as is every call into the synthesizer.
    std::mutex m_Mutex;
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
