#include "MixerMciDevice.h"

#include "common/sound/SoundPath.h"
#include "platform/audio/WaveFile.h"
#include "platform/core/Files.h"
#include "platform/window/WindowSystem.h"

#include <strings.h>

namespace platform
{

namespace
{

// Posts the end of a play to its window, when the window is still there.
void PostNotify(WindowHandle window, uintptr_t how, uint32_t deviceId)
{
    if (WindowSystem* system = SystemOfWindow(window))
    {
        system->PostMessage(window, kMmMciNotify, how, intptr_t(deviceId));
    }
}

} // namespace

MixerMciDevice::~MixerMciDevice()
{
    for (const auto& [id, device] : m_Devices)
    {
        m_Mixer.RemoveVoice(device.m_nVoice);
    }
}

const MixerMciDevice::Device* MixerMciDevice::Find(uint32_t deviceId) const
{
    auto it = m_Devices.find(deviceId);
    return it == m_Devices.end() ? nullptr : &it->second;
}

template <class Command> int MixerMciDevice::WithDevice(uint32_t deviceId, Command command)
{
    std::lock_guard lock(m_Mutex);
    auto it = m_Devices.find(deviceId);
    if (it == m_Devices.end())
    {
        return kMciErrorInvalidDeviceId;
    }
    command(it->second);
    return kMciOk;
}

void MixerMciDevice::ReplaceNotify(uint32_t deviceId, Device& device, WindowHandle window, uintptr_t how)
{
    std::function<void()> onEnd;
    if (window)
    {
        onEnd = [window, deviceId] { PostNotify(window, kMciNotifySuccessful, deviceId); };
    }
    if (m_Mixer.SetEndHandler(device.m_nVoice, std::move(onEnd)))
    {
        PostNotify(device.m_hNotify, how, deviceId);
    }
    device.m_hNotify = window;
}

int MixerMciDevice::Open(std::string_view type, std::string_view file, uint32_t& deviceId)
{
    deviceId = 0;
    if (type.size() != 9 || strncasecmp(type.data(), "waveaudio", 9) != 0)
    {
        return kMciErrorInvalidDeviceName;
    }
    if (!IsOpenableSoundPath(file) || !PathExists(file))
    {
        return kMciErrorFileNotFound;
    }
    auto wave = std::make_shared<WaveData>();
    if (!ReadWaveFile(file, *wave) || !wave->IsPlayable())
    {
        return kMciErrorInvalidFile;
    }
    const int rate = int(wave->m_nSamplesPerSec);
    const VoiceId voice = m_Mixer.AddVoice(std::make_shared<WaveSource>(std::move(wave)));
    std::lock_guard lock(m_Mutex);
    deviceId = m_nNextId++;
    m_Devices[deviceId] = {voice, rate};
    return kMciOk;
}

int MixerMciDevice::Play(uint32_t deviceId, bool resume, uint32_t from, bool notify, WindowHandle notifyWindow)
{
    return WithDevice(deviceId,
                      [&](Device& device)
                      {
                          if (!resume)
                          {
                              m_Mixer.Seek(device.m_nVoice, int64_t(from) * device.m_nRate / 1000);
                          }
                          // The notification an earlier play still owes: superseded by
                          // this one when it asks for its own, else aborted.
                          ReplaceNotify(deviceId, device, notify ? notifyWindow : nullptr,
                                        notify ? kMciNotifySuperseded : kMciNotifyAborted);
                          m_Mixer.Play(device.m_nVoice);
                      });
}

int MixerMciDevice::Stop(uint32_t deviceId)
{
    return WithDevice(deviceId,
                      [&](Device& device)
                      {
                          ReplaceNotify(deviceId, device, nullptr, kMciNotifyAborted);
                          m_Mixer.Stop(device.m_nVoice);
                      });
}

int MixerMciDevice::Pause(uint32_t deviceId)
{
    return WithDevice(deviceId,
                      [&](Device& device)
                      {
                          ReplaceNotify(deviceId, device, nullptr, kMciNotifyAborted);
                          m_Mixer.Pause(device.m_nVoice);
                      });
}

int MixerMciDevice::SeekToStart(uint32_t deviceId)
{
    return WithDevice(deviceId,
                      [&](Device& device)
                      {
                          ReplaceNotify(deviceId, device, nullptr, kMciNotifyAborted);
                          m_Mixer.Stop(device.m_nVoice);
                          m_Mixer.Rewind(device.m_nVoice);
                      });
}

int MixerMciDevice::Close(uint32_t deviceId)
{
    VoiceId voice = 0;
    {
        std::lock_guard lock(m_Mutex);
        auto it = m_Devices.find(deviceId);
        if (it == m_Devices.end())
        {
            return kMciErrorInvalidDeviceId;
        }
        ReplaceNotify(deviceId, it->second, nullptr, kMciNotifyAborted);
        voice = it->second.m_nVoice;
        m_Devices.erase(it);
    }
    m_Mixer.RemoveVoice(voice);
    return kMciOk;
}

bool MixerMciDevice::IsPlaying(uint32_t deviceId) const
{
    std::lock_guard lock(m_Mutex);
    const Device* device = Find(deviceId);
    return device != nullptr && m_Mixer.IsPlaying(device->m_nVoice);
}

int64_t MixerMciDevice::Position(uint32_t deviceId) const
{
    std::lock_guard lock(m_Mutex);
    const Device* device = Find(deviceId);
    return device != nullptr ? m_Mixer.Position(device->m_nVoice) : 0;
}

int MixerMciDevice::OpenCount() const
{
    std::lock_guard lock(m_Mutex);
    return int(m_Devices.size());
}

} // namespace platform
