#include "MixerMciDevice.h"

#include "common/sound/SoundPath.h"
#include "platform/audio/WaveFile.h"
#include "platform/core/Files.h"

#include <strings.h>

namespace platform
{

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
    const Device* device = Find(deviceId);
    if (device == nullptr)
    {
        return kMciErrorInvalidDeviceId;
    }
    command(*device);
    return kMciOk;
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
    if (!ReadWaveFile(file, *wave))
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

int MixerMciDevice::Play(uint32_t deviceId, bool resume, uint32_t from, bool, void*)
{
    return WithDevice(deviceId,
                      [&](const Device& device)
                      {
                          if (!resume)
                          {
                              m_Mixer.Seek(device.m_nVoice, int64_t(from) * device.m_nRate / 1000);
                          }
                          m_Mixer.Play(device.m_nVoice);
                      });
}

int MixerMciDevice::Stop(uint32_t deviceId)
{
    return WithDevice(deviceId, [this](const Device& device) { m_Mixer.Stop(device.m_nVoice); });
}

int MixerMciDevice::Pause(uint32_t deviceId)
{
    return WithDevice(deviceId, [this](const Device& device) { m_Mixer.Pause(device.m_nVoice); });
}

int MixerMciDevice::SeekToStart(uint32_t deviceId)
{
    return WithDevice(deviceId,
                      [this](const Device& device)
                      {
                          m_Mixer.Stop(device.m_nVoice);
                          m_Mixer.Rewind(device.m_nVoice);
                      });
}

int MixerMciDevice::Close(uint32_t deviceId)
{
    VoiceId voice = 0;
    {
        std::lock_guard lock(m_Mutex);
        const Device* device = Find(deviceId);
        if (device == nullptr)
        {
            return kMciErrorInvalidDeviceId;
        }
        voice = device->m_nVoice;
        m_Devices.erase(deviceId);
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
