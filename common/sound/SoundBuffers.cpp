#include "SoundBuffers.h"

SoundState SoundEffects;

void DSReleaseBufferGroup(SoundBufferGroup& group)
{
    if (!SoundEffects.m_pDevice || group.m_Buffers.empty())
    {
        return;
    }
    for (std::size_t i = 1; i < group.m_Buffers.size(); ++i)
    {
        group.m_Buffers[i].reset();
    }
    group.m_Buffers[0].reset();
    group.m_Buffers.clear();
    group.m_Buffers.shrink_to_fit();
}

void DS_Release()
{
    if (!SoundEffects.m_pDevice)
    {
        return;
    }
    for (int i = 0; i < SoundEffects.m_nCount && SoundEffects.m_pGroups != nullptr; ++i)
    {
        DSReleaseBufferGroup(SoundEffects.m_pGroups[i]);
    }
    SoundEffects.m_pPrimary.reset();
    SoundEffects.m_pDevice.reset();
}
