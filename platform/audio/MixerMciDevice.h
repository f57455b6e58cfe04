#pragma once

// The MCI devices of the MCI player, played through the mixer. "waveaudio"
// opens WAV files; every other device type (the "sequencer" among them) is
// refused with kMciErrorInvalidDeviceName.
//
// A play with notification posts kMmMciNotify to its window through the
// window's system: kMciNotifySuccessful from the mixing thread when the sound
// has played to its end, kMciNotifyAborted when a command stops, pauses,
// moves or closes the device first, and kMciNotifySuperseded when another
// play with notification takes its place. Nothing is posted to a window that
// is gone.

#include "common/sound/MciDevice.h"
#include "platform/audio/Mixer.h"

#include <map>
#include <mutex>

namespace platform
{

class MixerMciDevice : public MciDevice
{
public:
    explicit MixerMciDevice(Mixer& mixer) : m_Mixer(mixer) {}
    ~MixerMciDevice() override;

    int Open(std::string_view type, std::string_view file, uint32_t& deviceId) override;
    int Play(uint32_t deviceId, bool resume, uint32_t from, bool notify, WindowHandle notifyWindow) override;
    int Stop(uint32_t deviceId) override;
    int Pause(uint32_t deviceId) override;
    int SeekToStart(uint32_t deviceId) override;
    int Close(uint32_t deviceId) override;

    bool IsPlaying(uint32_t deviceId) const;
    // The frame the device's sound is at.
    int64_t Position(uint32_t deviceId) const;
    int OpenCount() const;

private:
    struct Device
    {
        VoiceId m_nVoice = 0;
        int m_nRate = 0;
        WindowHandle m_hNotify = nullptr; // the window of the last play with notification
    };
    const Device* Find(uint32_t deviceId) const;
    // Runs the command on an open device under the lock; its result.
    template <class Command> int WithDevice(uint32_t deviceId, Command command);
    // Ends the notification the device's play may still owe (with `how`), and
    // asks for the next one at `window` (none when null). Under the lock.
    void ReplaceNotify(uint32_t deviceId, Device& device, WindowHandle window, uintptr_t how);

    Mixer& m_Mixer;
    mutable std::mutex m_Mutex;
    std::map<uint32_t, Device> m_Devices;
    uint32_t m_nNextId = 1;
};

} // namespace platform
