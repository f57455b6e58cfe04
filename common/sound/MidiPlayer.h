#pragma once

// The MIDI side of the music manager: one MIDI stream per music channel.
// Playing a file on one channel closes the streams of every channel first, so
// at most one stream exists at a time.

#include "common/data/CheckedVector.h"
#include "common/sound/MidiStream.h"

#include <memory>
#include <string_view>

class MidiPlayer
{
public:
    // The device every stream plays through; without one, or with one that
    // cannot play (MidiStreamDevice::Ready), Play fails.
    void SetDevice(MidiStreamDevice* device) { m_pDevice = device; }
    MidiStreamDevice* Device() const { return m_pDevice; }

    // n channels; new entries hold no stream.
    void SetChannelCount(int count);
    int ChannelCount() const { return m_Streams.Count(); }
    // Closes every stream and forgets the channels.
    void Clear();

    // Stop (pause) on every stream.
    void StopAll(int pause);

    // Pauses and closes every stream, then opens the file on the channel and
    // starts it. 0 when the path's extension is not "mid" (compared
    // case-sensitively), the device cannot play (no stream is made), or the
    // file gives no image (the stream that failed to load stays in its
    // channel); 1 when playing.
    int Play(int channel, std::string_view path);

    MidiStream* Stream(int channel) { return m_Streams.At(channel).get(); }

private:
    MidiStreamDevice* m_pDevice = nullptr;
    GuardedVector<std::unique_ptr<MidiStream>> m_Streams;
};
