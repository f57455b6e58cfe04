#include "SoundEffects.h"

#include "common/services/Log.h"
#include "game/data/SoundRequests.h"
#include "game/engine/InputState.h"

#include <algorithm>
#include <mutex>

const SoundDef SoundDefs[kSoundEffectCount] = {
    {"wave\\カーソル移動.wav", 1, 0}, {"wave\\決定.wav", 1, 0},   {"wave\\キャンセル.wav", 1, 0},
    {"wave\\エラー.wav", 1, 0},       {"wave\\装備.wav", 1, 0},   {"wave\\メッセージ.wav", 1, 0},
    {"wave\\売買.wav", 1, 0},         {"wave\\クリア.wav", 1, 0}, {"wave\\攻撃.wav", 1, 0},
    {"wave\\必殺.wav", 1, 0},         {"wave\\回復.wav", 1, 0},
};

SoundBufferGroup SoundGroups[kSoundEffectCount];
SoundBufferGroup SpareSoundGroup;

namespace
{

std::mutex g_Lock;

MixerSoundDevice* Device()
{
    return dynamic_cast<MixerSoundDevice*>(SoundEffects.m_pDevice.get());
}

int BufferCount(const SoundBufferGroup& group)
{
    return std::clamp(group.m_nCount, 0, int(group.m_Buffers.size()));
}

void PlayBuffer(MixerSoundBuffer* buffer, int flags)
{
    if (buffer)
    {
        buffer->Stop();
        buffer->SetCurrentPosition(0);
        buffer->Play(flags);
    }
}

int PlayNext(SoundBufferGroup& group, int flags)
{
    const int count = BufferCount(group);
    if (!Device() || count == 0)
    {
        return 0;
    }
    const int index = group.m_nNext >= 0 && group.m_nNext < count ? group.m_nNext : 0;
    PlayBuffer(GroupBuffer(group, index), flags);
    group.m_nNext = index + 1 < count ? index + 1 : 0;
    return group.m_nNext;
}

int SetVolume(SoundBufferGroup& group, int index, int volume, int relative)
{
    MixerSoundBuffer* buffer = Device() ? GroupBuffer(group, index) : nullptr;
    if (!buffer)
    {
        return 0;
    }
    int64_t wanted = volume;
    if (relative == 1)
    {
        wanted += buffer->GetVolume();
    }
    const int set = int(std::clamp<int64_t>(wanted, kSoundVolumeMin, kSoundVolumeMax));
    buffer->SetVolume(set);
    return set;
}

bool CreateGroupFromFile(SoundBufferGroup& group, std::string_view file, int count, int volume)
{
    MixerSoundDevice* device = Device();
    if (!device)
    {
        return true;
    }
    group = SoundBufferGroup();
    const std::string name(file);
    if (count < 1 || count > kMaxSoundBuffers)
    {
        WriteErrorLogF("%sのメモリ確保失敗！", name.c_str());
        return false;
    }
    platform::WaveData wave;
    if (!platform::ReadWaveFile(file, wave))
    {
        WriteErrorLogF("%s読み込み失敗！", name.c_str());
        return false;
    }
    std::unique_ptr<MixerSoundBuffer> first = device->CreateBuffer(std::move(wave));
    if (!first)
    {
        WriteErrorLogF("%s生成失敗！", name.c_str());
        return false;
    }
    group.m_Buffers.resize(std::size_t(count));
    for (int i = 1; i < count; ++i)
    {
        group.m_Buffers[std::size_t(i)] = first->Duplicate();
    }
    group.m_Buffers[0] = std::move(first);
    group.m_nCount = count;
    group.m_nNext = 0;
    group.m_strName = name;
    if (volume != 0)
    {
        for (int i = 0; i < count; ++i)
        {
            SetVolume(group, i, volume, 0);
        }
    }
    return true;
}

} // namespace

MixerSoundBuffer* GroupBuffer(const SoundBufferGroup& group, int index)
{
    if (index < 0 || index >= BufferCount(group))
    {
        return nullptr;
    }
    return dynamic_cast<MixerSoundBuffer*>(group.m_Buffers[std::size_t(index)].get());
}

bool DS_Init(platform::Mixer* mixer, int samplesPerSec, int bitsPerSample, int channels, SoundBufferGroup* groups,
             int count)
{
    std::lock_guard lock(g_Lock);
    DS_Release();
    if (!mixer)
    {
        WriteErrorLog("DIRECTSOUNDCREATE_ERR!");
        return false;
    }
    auto primary = std::make_unique<PrimarySoundBuffer>();
    primary->SetFormat(
        {samplesPerSec, channels, bitsPerSample == 8 ? platform::SampleType::U8 : platform::SampleType::S16});
    SoundEffects.m_pDevice = std::make_unique<MixerSoundDevice>(*mixer);
    SoundEffects.m_pPrimary = std::move(primary);
    SoundEffects.m_pGroups = groups;
    SoundEffects.m_nCount = groups ? std::max(0, count) : 0;
    return true;
}

bool DSCreateBufferGroup(SoundBufferGroup* groups, const SoundDef* defs, int volume)
{
    std::lock_guard lock(g_Lock);
    for (int i = 0; groups && defs && i < SoundEffects.m_nCount; ++i)
    {
        if (!groups[i].m_Buffers.empty())
        {
            continue;
        }
        const SoundDef& def = defs[i];
        if (!CreateGroupFromFile(groups[i], def.m_pFileName ? def.m_pFileName : "", def.m_nBufferCount,
                                 volume != 0 ? volume : def.m_nVolume))
        {
            WriteErrorLog("DSCreateBufferGropeFromFile失敗！");
            return false;
        }
    }
    return true;
}

bool DSCreateBufferGropeFromFile(SoundBufferGroup& group, std::string_view file, int count, int volume)
{
    std::lock_guard lock(g_Lock);
    return CreateGroupFromFile(group, file, count, volume);
}

int DSPlayBufferGroup(SoundBufferGroup& group, int flags)
{
    std::lock_guard lock(g_Lock);
    return PlayNext(group, flags);
}

void DSPlayBuffer(SoundBufferGroup& group, int index, int flags)
{
    std::lock_guard lock(g_Lock);
    if (Device())
    {
        PlayBuffer(GroupBuffer(group, index), flags);
    }
}

bool DSPlaySoundFile(SoundBufferGroup& group, std::string_view file, int volume)
{
    std::lock_guard lock(g_Lock);
    DSReleaseBufferGroup(group);
    if (!CreateGroupFromFile(group, file, 1, volume))
    {
        WriteErrorLog("DSCreateBufferGropeFromFile失敗！");
        return false;
    }
    if (Device())
    {
        PlayBuffer(GroupBuffer(group, 0), 0);
    }
    return true;
}

int DSSetVolume(SoundBufferGroup& group, int index, int volume, int relative)
{
    std::lock_guard lock(g_Lock);
    return SetVolume(group, index, volume, relative);
}

int DSGetVolume(const SoundBufferGroup& group, int index)
{
    std::lock_guard lock(g_Lock);
    const MixerSoundBuffer* buffer = Device() ? GroupBuffer(group, index) : nullptr;
    return buffer ? buffer->GetVolume() : 0;
}

void PlayCursorSound(int directions, int axes, int groupId)
{
    std::lock_guard lock(g_Lock);
    if (groupId < 0 || groupId >= SoundEffects.m_nCount)
    {
        return;
    }
    for (int n = CursorSoundCount(directions, axes); n > 0; --n)
    {
        PlayNext(SoundEffects.m_pGroups[groupId], 0);
    }
}

int CursorSoundCount(int directions, int axes)
{
    const bool across = (axes & kCursorAxisHorizontal) && (directions & (kInputLeft | kInputRight));
    const bool upDown = (axes & kCursorAxisVertical) && (directions & (kInputUp | kInputDown));
    return (across ? 1 : 0) + (upDown ? 1 : 0);
}

void PlaySoundEffect(int id)
{
    std::lock_guard lock(g_Lock);
    if (id >= 0 && id < SoundEffects.m_nCount)
    {
        PlayNext(SoundEffects.m_pGroups[id], 0);
    }
}

bool InitSoundEffects(platform::Mixer* mixer, int volume, std::string* reason)
{
    if (!DS_Init(mixer, kSoundRate, kSoundBits, kSoundChannels, SoundGroups, kSoundEffectCount))
    {
        WriteErrorLog("DS_Init失敗！");
        if (reason)
        {
            *reason = "効果音を初期化できません！";
        }
        return false;
    }
    if (!DSCreateBufferGroup(SoundGroups, SoundDefs, volume))
    {
        WriteErrorLog("DSCreateBufferGroup失敗！");
        // The groups are made in order: the first one left empty is the file that failed.
        for (int i = 0; reason && i < kSoundEffectCount; ++i)
        {
            if (SoundGroups[i].m_Buffers.empty())
            {
                *reason = std::string(SoundDefs[i].m_pFileName) + " のロードに失敗！";
                break;
            }
        }
        return false;
    }
    SetSoundRequestHandler(PlaySoundEffect);
    return true;
}

void ReleaseSoundEffects()
{
    SetSoundRequestHandler(nullptr);
    std::lock_guard lock(g_Lock);
    DSReleaseBufferGroup(SpareSoundGroup);
    DS_Release();
}
