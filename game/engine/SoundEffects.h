#pragma once

// The game's sound effects. Eleven WAV files are loaded at start-up, each into
// a group of buffers that holds the same sound and is played in turn, so that
// a sound can overlap itself; the battle loads the sound of the item or skill
// in use into the spare group. Volumes are in hundredths of a decibel.
//
// Without a sound device (before DS_Init, or after the release) every call
// does nothing and reports success or 0, so the game goes on silently. A lock
// guards the groups: the game thread plays them, and the data operations may
// ask for a sound from the event thread.

#include "common/sound/SoundBuffers.h"
#include "game/engine/MixerSoundBuffer.h"

#include <string>
#include <string_view>

enum SoundEffectId
{
    kSeCursor,   // the menu cursor moved
    kSeChoice,   // button 1 confirmed
    kSeCancel,   // button 2 cancelled
    kSeRefusal,  // not possible
    kSeEquip,    // equipment changed
    kSeMessage,  // a message window closed
    kSeTrade,    // purchase or sale
    kSeClear,    // stage cleared, money
    kSeAttack,   // a hit in battle
    kSeCritical, // a critical hit
    kSeHeal,     // a skill or an item used on the map
    kSoundEffectCount
};

// The table loaded at start-up, one group per entry, in id order.
extern const SoundDef SoundDefs[kSoundEffectCount];
extern SoundBufferGroup SoundGroups[kSoundEffectCount];
// The battle's group for the sound of the item or skill in use.
extern SoundBufferGroup SpareSoundGroup;

// The format the game asks of the sound device: 22050 Hz, 8 bits, mono.
constexpr int kSoundRate = 22050;
constexpr int kSoundBits = 8;
constexpr int kSoundChannels = 1;

// The most buffers a group can have.
constexpr int kMaxSoundBuffers = 64;

// Axes of PlayCursorSound.
constexpr int kCursorAxisHorizontal = 1;
constexpr int kCursorAxisVertical = 2;

// Makes the sound device on the mixer with a primary buffer of the format and
// keeps the table of `count` groups (not yet loaded); a device made before is
// released first. Without a mixer: "DIRECTSOUNDCREATE_ERR!" in the error log
// and false.
bool DS_Init(platform::Mixer* mixer, int samplesPerSec, int bitsPerSample, int channels, SoundBufferGroup* groups,
             int count);
// Loads every group of the table that has no buffers yet, with `volume` when
// it is non-zero, else the entry's own volume. The first failure:
// "DSCreateBufferGropeFromFile失敗！" in the error log and false.
bool DSCreateBufferGroup(SoundBufferGroup* groups, const SoundDef* defs, int volume);
// Replaces the group's buffers by `count` buffers of the WAV file (the first
// loaded, the others its duplicates), each at `volume` when it is non-zero.
// A file that cannot be read (not a PCM WAV file, a "fmt " chunk of 19 bytes
// or more, a chunk past the end): "%s読み込み失敗！"; one without samples or
// in a format the device does not take (bits other than 8 or 16, more than
// two channels): "%s生成失敗！"; a count outside 1..kMaxSoundBuffers:
// "%sのメモリ確保失敗！"; then false, with the group left without buffers.
bool DSCreateBufferGropeFromFile(SoundBufferGroup& group, std::string_view file, int count, int volume);
// Plays the group's next buffer from its start (stopping it first when it is
// still playing) and returns the index of the buffer after it, 0 after the
// last; 0 for a group without buffers.
int DSPlayBufferGroup(SoundBufferGroup& group, int flags);
// Plays one buffer of the group from its start.
void DSPlayBuffer(SoundBufferGroup& group, int index, int flags);
// Releases the group, loads it with one buffer of the file at `volume` and
// plays it. On failure "DSCreateBufferGropeFromFile失敗！" and false.
bool DSPlaySoundFile(SoundBufferGroup& group, std::string_view file, int volume);
// Sets a buffer's volume, the current one added when `relative` is 1, clamped
// to -10000..0; returns the volume set (0 when there is no such buffer).
int DSSetVolume(SoundBufferGroup& group, int index, int volume, int relative);
int DSGetVolume(const SoundBufferGroup& group, int index);
// The menu cursor's sound for the frame's directions (after key repeat): once
// for left or right when `axes` has kCursorAxisHorizontal, once more for up
// or down when it has kCursorAxisVertical. `groupId` is an index of the table.
void PlayCursorSound(int directions, int axes, int groupId);
// How many times PlayCursorSound plays for the directions and axes: 0, 1 or 2.
int CursorSoundCount(int directions, int axes);
// Plays the next buffer of the table's group `id`; nothing for another number.
void PlaySoundEffect(int id);

// The buffer of a group on the mixer (null when there is none).
MixerSoundBuffer* GroupBuffer(const SoundBufferGroup& group, int index);

// Start-up of the game's effects on the mixer: DS_Init with the game's format
// and table ("DS_Init失敗！" on failure), DSCreateBufferGroup with the effect
// volume of System.ini ("DSCreateBufferGroup失敗！"), then the effects serve
// RequestSound. False on failure, with the reason for the player when asked
// (the effect file that cannot be read): the game cannot start.
bool InitSoundEffects(platform::Mixer* mixer, int volume, std::string* reason = nullptr);
// Shut-down, once the game threads have ended and before the mixer goes: the
// spare group, the table, the primary buffer and the device.
void ReleaseSoundEffects();
