#pragma once

// The MIDI stream service that the MIDI stream player plays through.
//
// A stream is opened with a receiver for its "buffer done" reports and a time
// division; the player prepares buffers of stream events and queues them; the
// device plays the queued buffers one after another, timing the events in ticks
// by the division and the tempo events met in the buffers (120 beats per minute
// until the first one), and reports each buffer when it is done.
//
// A stream event in a buffer is 12 bytes, little-endian: delta time in ticks,
// stream id (0), event word. The event word's high byte is the kind: 0x00 a
// short message (status, data 1, data 2 in the low three bytes), 0x01 a tempo
// (microseconds per quarter note in the low three bytes), 0x80 a long message
// whose low three bytes give the length of its parameter bytes, which follow
// the event padded to a multiple of four. Bit 0x40000000 marks an event whose
// playing is recorded as the buffer's callback event.
//
// Device errors are numbered as the multimedia library numbered them; 0 is
// success. Every operation may be called from any thread; the device's reports
// may come from its own thread, even from within Stop, Reset or Close.

#include <atomic>
#include <cstdint>

// Results of the device operations.
enum MidiResult : int
{
    kMidiOk = 0,
    kMidiErrorAllocated = 4,     // the device already has an open stream
    kMidiErrorInvalidHandle = 5, // no stream is open
    kMidiErrorNoDriver = 6,      // the device cannot play at all
    kMidiErrorInvalidParam = 11,
    kMidiErrorUnprepared = 64,   // the buffer was not prepared
    kMidiErrorStillPlaying = 65, // the buffer is still queued
};

// The text for a device error (CP932).
const char* MidiErrorText(int result);

// Header flags.
constexpr uint32_t kMidiHeaderDone = 1;
constexpr uint32_t kMidiHeaderPrepared = 2;
constexpr uint32_t kMidiHeaderInQueue = 4;

// Stream event words and flags.
constexpr uint32_t kMidiEventCallback = 0x40000000;
constexpr uint32_t kMidiEventShort = 0x00000000;
constexpr uint32_t kMidiEventTempo = 0x01000000;
constexpr uint32_t kMidiEventLong = 0x80000000;
constexpr uint32_t kMidiStreamEventSize = 12;

// A buffer of stream events. The device sets and clears the done and in-queue
// flags from its own thread; the flags are atomic for that.
struct MidiHeader
{
    uint8_t* m_pData = nullptr;
    uint32_t m_nBufferLength = 0;
    uint32_t m_nBytesRecorded = 0;
    uintptr_t m_nUser = 0;
    std::atomic<uint32_t> m_nFlags{0};
    // Offset of the last event with the callback flag that was played.
    uint32_t m_nOffset = 0;
};

// The size of a stream event in its buffer, parameters included.
constexpr uint32_t MidiStreamEventSize(uint32_t word)
{
    return kMidiStreamEventSize + ((word & kMidiEventLong) ? (((word & 0xFFFFFF) + 3) & ~3u) : 0);
}

// A stream of a device; 0 is no stream.
using MidiStreamHandle = uint32_t;

// A "buffer done" report. The callback offset is taken when the buffer is
// done, so that the report stays true after the header is queued again.
struct MidiDoneReport
{
    MidiHeader* m_pHeader = nullptr;
    // False for a buffer handed back by Stop, Reset or Close before it was
    // played to its end.
    bool m_bPlayed = false;
    // The offset of the last event with the callback flag that was played.
    uint32_t m_nCallbackOffset = 0;
};

class MidiDoneReceiver
{
public:
    virtual ~MidiDoneReceiver() = default;
    virtual void OnBufferDone(const MidiDoneReport& report) = 0;
};

// The header rules every device keeps: a header is prepared before it is
// queued, is queued once at a time and cannot be unprepared while queued.
int PrepareMidiHeader(MidiHeader& header);
int UnprepareMidiHeader(MidiHeader& header);
// Marks a prepared header queued (the callback offset back to 0).
int QueueMidiHeader(MidiHeader& header);
// Marks a queued header done and gives its report.
MidiDoneReport FinishMidiHeader(MidiHeader& header, bool played);

class MidiStreamDevice
{
public:
    virtual ~MidiStreamDevice() = default;

    // Whether the device can play at all. A device that is still starting
    // (its synthesizer being made on another thread) waits here until it
    // knows; Open fails with kMidiErrorNoDriver on a device that cannot.
    virtual bool Ready() { return true; }
    // Opens the one stream of the device, stopped, at division 96 and 120
    // beats per minute. kMidiErrorAllocated while another stream is open.
    // Every other operation refuses a handle that is not the open stream's
    // with kMidiErrorInvalidHandle.
    virtual int Open(MidiStreamHandle& handle, MidiDoneReceiver* receiver) = 0;
    // Ticks per quarter note (or an SMPTE division, as in the file header).
    virtual int SetTimeDivision(MidiStreamHandle stream, uint32_t division) = 0;
    virtual int Prepare(MidiStreamHandle stream, MidiHeader& header) = 0;
    // kMidiErrorStillPlaying while the header is queued.
    virtual int Unprepare(MidiStreamHandle stream, MidiHeader& header) = 0;
    // Queues a prepared buffer behind the others; a stopped or paused stream
    // keeps it until Restart.
    virtual int Out(MidiStreamHandle stream, MidiHeader& header) = 0;
    // Starts or resumes playing.
    virtual int Restart(MidiStreamHandle stream) = 0;
    // Pauses playing where it is; sounding notes are released.
    virtual int Pause(MidiStreamHandle stream) = 0;
    // Stops: notes off, every queued buffer handed back, time back to 0.
    virtual int Stop(MidiStreamHandle stream) = 0;
    // Notes and controllers back to rest, every queued buffer handed back.
    virtual int Reset(MidiStreamHandle stream) = 0;
    // Closes the stream (kMidiErrorStillPlaying while buffers are queued).
    // No report of the stream is delivered after it returns.
    virtual int Close(MidiStreamHandle stream) = 0;
};
