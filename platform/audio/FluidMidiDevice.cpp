#include "FluidMidiDevice.h"

#include "common/sound/MidiTiming.h"
#include "platform/core/ByteOrder.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>

namespace platform
{

namespace
{

constexpr double kDefaultTempo = 500000.0;
constexpr uint32_t kDefaultDivision = 96;
constexpr double kSynthGain = 0.4;
// Voices that sound at once, as on the sound modules the music was written
// for; the oldest released notes give way first. It bounds the cost of a busy
// song to a few percent of a core.
constexpr int kPolyphony = 64;
// After this long without a sounding voice the synthesizer is not run.
constexpr int kIdleSeconds = 2;

} // namespace

class FluidMidiDevice::SynthSource : public AudioSource
{
public:
    SynthSource(FluidMidiDevice& device, int rate) : m_Device(device), m_nRate(rate) {}

    AudioFormat Format() const override { return {m_nRate, 2, SampleType::F32}; }
    int Read(void* out, int frames) override { return m_Device.Render(static_cast<float*>(out), frames); }
    bool Rewind() override { return false; }

private:
    FluidMidiDevice& m_Device;
    int m_nRate;
};

FluidMidiDevice::FluidMidiDevice(Mixer& mixer, std::unique_ptr<SoundFontLoad> load)
    : m_Mixer(mixer), m_pLoad(std::move(load))
{
    m_Queue.reserve(16);
    m_nVoice = mixer.AddVoice(std::make_shared<SynthSource>(*this, mixer.OutputRate()));
    mixer.Play(m_nVoice);
}

std::unique_ptr<FluidMidiDevice> FluidMidiDevice::Create(Mixer& mixer, const std::string& soundFontPath,
                                                         std::string* error)
{
    auto device =
        std::make_unique<FluidMidiDevice>(mixer, std::make_unique<SoundFontLoad>(soundFontPath, mixer.OutputRate()));
    if (!device->Ready())
    {
        if (error)
        {
            *error = device->LoadError();
        }
        return nullptr;
    }
    return device;
}

void FluidMidiDevice::ApplySettings(fluid_settings_t* settings, int rate)
{
    fluid_settings_setnum(settings, "synth.sample-rate", double(rate));
    fluid_settings_setnum(settings, "synth.gain", kSynthGain);
    fluid_settings_setint(settings, "synth.polyphony", kPolyphony);
    // Every call into the synthesizer is made under the device's own lock.
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
}

FluidMidiDevice::~FluidMidiDevice()
{
    // Once the voice is out of the mixer, nothing renders any more.
    if (m_nVoice != 0)
    {
        m_Mixer.RemoveVoice(m_nVoice);
    }
}

bool FluidMidiDevice::Ready()
{
    std::lock_guard ready(m_ReadyMutex);
    if (m_pLoad)
    {
        LoadedSynth loaded = m_pLoad->Take();
        m_pLoad.reset();
        m_bLoaded = loaded.m_pSynth != nullptr;
        m_strLoadError = loaded.m_strError;
        if (m_bLoaded)
        {
            std::lock_guard lock(m_Mutex);
            m_Synth = std::move(loaded);
        }
        else
        {
            m_Mixer.RemoveVoice(m_nVoice);
            m_nVoice = 0;
        }
    }
    return m_bLoaded;
}

std::string FluidMidiDevice::LoadError()
{
    Ready();
    std::lock_guard ready(m_ReadyMutex);
    return m_strLoadError;
}

double FluidMidiDevice::SamplesPerTick() const
{
    return SecondsPerTick(m_nDivision, m_dTempo) * m_Mixer.OutputRate();
}

int FluidMidiDevice::Open(MidiStreamHandle& handle, MidiDoneReceiver* receiver)
{
    if (!Ready())
    {
        handle = 0;
        return kMidiErrorNoDriver;
    }
    std::lock_guard lock(m_Mutex);
    if (m_hStream != 0)
    {
        handle = 0;
        return kMidiErrorAllocated;
    }
    handle = m_hStream = m_hNextStream++;
    m_pReceiver = receiver;
    m_nDivision = kDefaultDivision;
    m_dTempo = kDefaultTempo;
    m_bPlaying = false;
    m_nEventOffset = 0;
    m_bEventTimed = false;
    m_dWait = 0.0;
    return kMidiOk;
}

int FluidMidiDevice::SetTimeDivision(MidiStreamHandle stream, uint32_t division)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    if (division == 0 || ((division & 0x8000) && ((division & 0xFF) == 0 || (division >> 8) == 0x80)))
    {
        return kMidiErrorInvalidParam;
    }
    m_nDivision = division;
    return kMidiOk;
}

int FluidMidiDevice::Prepare(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    return PrepareMidiHeader(header);
}

int FluidMidiDevice::Unprepare(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    return UnprepareMidiHeader(header);
}

int FluidMidiDevice::Out(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    const int result = QueueMidiHeader(header);
    if (result == kMidiOk)
    {
        m_Queue.push_back(&header);
    }
    return result;
}

int FluidMidiDevice::Restart(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    m_bPlaying = true;
    return kMidiOk;
}

int FluidMidiDevice::Pause(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    m_bPlaying = false;
    NotesOff();
    return kMidiOk;
}

int FluidMidiDevice::Stop(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    m_bPlaying = false;
    NotesOff();
    HandBackAll();
    m_dTempo = kDefaultTempo;
    return kMidiOk;
}

int FluidMidiDevice::Reset(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    m_bPlaying = false;
    fluid_synth_all_sounds_off(Synth(), -1);
    HandBackAll();
    return kMidiOk;
}

int FluidMidiDevice::Close(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    if (!IsOpenStream(stream))
    {
        return kMidiErrorInvalidHandle;
    }
    if (!m_Queue.empty())
    {
        return kMidiErrorStillPlaying;
    }
    NotesOff();
    m_bPlaying = false;
    m_hStream = 0;
    m_pReceiver = nullptr;
    return kMidiOk;
}

void FluidMidiDevice::NotesOff()
{
    fluid_synth_all_notes_off(Synth(), -1);
}

void FluidMidiDevice::HandBackAll()
{
    std::vector<MidiHeader*> handedBack;
    handedBack.swap(m_Queue);
    m_Queue.reserve(16);
    m_nEventOffset = 0;
    m_bEventTimed = false;
    m_dWait = 0.0;
    for (MidiHeader* header : handedBack)
    {
        m_pReceiver->OnBufferDone(FinishMidiHeader(*header, false));
    }
}

void FluidMidiDevice::SendEvent(const uint8_t* event, uint32_t word)
{
    if (word & kMidiEventLong)
    {
        // Long messages: only system exclusive ones, F0 ... F7.
        uint32_t length = word & 0xFFFFFF;
        const uint8_t* data = event + kMidiStreamEventSize;
        if (((word >> 24) & ~0x40u) != 0x80 || length < 2 || data[0] != 0xF0)
        {
            return;
        }
        ++data;
        --length;
        if (data[length - 1] == 0xF7)
        {
            --length;
        }
        fluid_synth_sysex(Synth(), reinterpret_cast<const char*>(data), int(length), nullptr, nullptr, nullptr, 0);
        return;
    }
    const uint32_t type = (word >> 24) & 0x3F;
    if (type == (kMidiEventTempo >> 24))
    {
        if ((word & 0xFFFFFF) != 0)
        {
            m_dTempo = double(word & 0xFFFFFF);
        }
        return;
    }
    if (type != 0)
    {
        return;
    }
    const int status = int(word & 0xFF);
    const int channel = status & 0x0F;
    const int data1 = int((word >> 8) & 0x7F);
    const int data2 = int((word >> 16) & 0x7F);
    switch (status & 0xF0)
    {
    case 0x80:
        fluid_synth_noteoff(Synth(), channel, data1);
        break;
    case 0x90:
        if (data2 != 0)
        {
            fluid_synth_noteon(Synth(), channel, data1, data2);
        }
        else
        {
            fluid_synth_noteoff(Synth(), channel, data1);
        }
        break;
    case 0xA0:
        fluid_synth_key_pressure(Synth(), channel, data1, data2);
        break;
    case 0xB0:
        fluid_synth_cc(Synth(), channel, data1, data2);
        break;
    case 0xC0:
        fluid_synth_program_change(Synth(), channel, data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(Synth(), channel, data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(Synth(), channel, data1 | (data2 << 7));
        break;
    default:
        // System messages (the end-of-track marker among them) are not sent.
        break;
    }
}

int FluidMidiDevice::Render(float* out, int frames)
{
    std::lock_guard lock(m_Mutex);
    if (Synth() == nullptr)
    {
        // The synthesizer is still being made, so no stream is open either.
        std::fill(out, out + 2 * frames, 0.0f);
        return frames;
    }
    int done = 0;
    while (done < frames)
    {
        int n = frames - done;
        const bool timing = m_bPlaying && !m_Queue.empty();
        if (timing)
        {
            MidiHeader* header = m_Queue.front();
            if (m_nEventOffset + kMidiStreamEventSize <= header->m_nBytesRecorded)
            {
                const uint8_t* event = header->m_pData + m_nEventOffset;
                if (!m_bEventTimed)
                {
                    m_dWait += double(platform::ReadLe32(event)) * SamplesPerTick();
                    m_bEventTimed = true;
                }
                if (m_dWait >= 0.5)
                {
                    n = int(std::min<double>(n, m_dWait + 0.5));
                }
                else
                {
                    const uint32_t word = platform::ReadLe32(event + 8);
                    const uint32_t size = MidiStreamEventSize(word);
                    if (m_nEventOffset + size <= header->m_nBytesRecorded)
                    {
                        SendEvent(event, word);
                        if (word & kMidiEventCallback)
                        {
                            header->m_nOffset = m_nEventOffset;
                        }
                    }
                    m_nEventOffset += size;
                    m_bEventTimed = false;
                    continue;
                }
            }
            else
            {
                // Every event of the oldest buffer has been sent.
                m_Queue.erase(m_Queue.begin());
                m_nEventOffset = 0;
                m_bEventTimed = false;
                m_pReceiver->OnBufferDone(FinishMidiHeader(*header, true));
                continue;
            }
        }

        float* block = out + 2 * done;
        if (fluid_synth_get_active_voice_count(Synth()) > 0)
        {
            m_nIdleFrames = 0;
        }
        if (m_nIdleFrames >= kIdleSeconds * m_Mixer.OutputRate())
        {
            std::fill(block, block + 2 * n, 0.0f);
        }
        else
        {
            fluid_synth_write_float(Synth(), n, block, 0, 2, block, 1, 2);
            m_nIdleFrames += n;
        }
        if (timing)
        {
            m_dWait -= n;
        }
        done += n;
    }
    return frames;
}

} // namespace platform
