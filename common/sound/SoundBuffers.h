#pragma once

// The sound objects of the game's sound effects, as far as both programs share
// them: the sound device, the primary buffer and the table of buffer groups,
// and their release at shut-down. Each effect is a group of buffers holding
// the same sound (buffer 0 loaded from the file, the others its duplicates),
// played in turn so that the sound can overlap itself. The editor never
// creates the device, so its release finds nothing to do.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A buffer of the sound device; destroying it releases it.
class SoundBuffer
{
public:
    virtual ~SoundBuffer() = default;
};

// The sound device; destroying it releases it.
class SoundDevice
{
public:
    virtual ~SoundDevice() = default;
};

// One entry of the game's table of effects.
struct SoundDef
{
    const char* m_pFileName = nullptr;
    int32_t m_nBufferCount = 1;
    int32_t m_nVolume = 0; // hundredths of a decibel; 0 is full
};

struct SoundBufferGroup
{
    std::string m_strName; // the file the buffers were loaded from
    // The buffers; empty when the group has none. A slot may be empty when
    // its buffer could not be made.
    std::vector<std::unique_ptr<SoundBuffer>> m_Buffers;
    int32_t m_nCount = 0;
    int32_t m_nNext = 0;
};

// The sound state of the process.
struct SoundState
{
    std::unique_ptr<SoundDevice> m_pDevice;
    std::unique_ptr<SoundBuffer> m_pPrimary;
    SoundBufferGroup* m_pGroups = nullptr;
    int m_nCount = 0;
};

extern SoundState SoundEffects;

// Releases a group's duplicates, then its buffer 0, and frees its array;
// nothing without a sound device or without an array.
void DSReleaseBufferGroup(SoundBufferGroup& group);
// Releases every group of the table, the primary buffer and the device;
// nothing without a device, so a second call does nothing.
void DS_Release();
