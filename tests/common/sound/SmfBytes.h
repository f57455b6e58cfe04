#pragma once

// Hand-made Standard MIDI Files for the tests.

#include <cstdint>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts);
// "MThd", length 6, format, track count, division.
Bytes SmfHeader(uint16_t format, uint16_t tracks, uint16_t division);
// "MTrk", the big-endian length and the events.
Bytes SmfTrack(const Bytes& events);
// A variable-length number.
Bytes VarLen(uint32_t value);
// A merged format-0 image as the loader builds it, around the given events.
Bytes MergedImage(uint16_t division, const Bytes& events);
// `count` note-on events one tick apart on channel 0, then the end of track.
Bytes DenseEvents(int count);

// The format-1 file of division 480 with a tempo track (500,000 us) and a note
// track that uses running status for its note-off.
Bytes ExampleFormat1File();
// One note: on at 0, off at `offTick`, end of track at `endTick`; division 480,
// 120 beats per minute.
Bytes OneNoteFile(uint32_t offTick, uint32_t endTick);
