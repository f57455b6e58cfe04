#pragma once

// One Standard MIDI File played without end through a MIDI stream device.
//
// The merged image of the loader is cut into stream buffers of 24,000 bytes;
// two buffers are kept queued while the song plays and a buffer is refilled
// each time the device reports it done. Reaching the end-of-track event stops,
// rewinds and restarts the song.
//
// Threads: the stream has a player thread of its own, which receives the
// device's reports through a queue and does all the refilling and looping.
// Restart and Stop are handed to the same thread and return when it has done
// them, so every operation on the device happens in order on one thread. One
// lock guards the queue and the stream's state; it is never held while calling
// into the device. The thread is joined before the buffers are freed.

#include "common/sound/MidiStreamDevice.h"
#include "common/sound/SmfLoader.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

class MidiStream : public SmfLoader, private MidiDoneReceiver
{
public:
    static constexpr int kBufferCount = 2;
    static constexpr uint32_t kBufferSize = 24000;

    enum PlayState
    {
        kStopped = 0,
        kPlaying = 1,
        kPaused = 2,
    };

    // Loads the file; when an image results, opens the stream on the device
    // (stopped, with the song's first buffer queued).
    MidiStream(MidiStreamDevice& device, std::string_view fileName);
    ~MidiStream() override;

    // Starts or resumes; nothing while playing or without an image.
    void Restart();
    // pause 0: stop and rewind (the first buffer is queued again); pause 1:
    // pause, only while playing.
    void Stop(int pause);

    int State() const;
    uint32_t ReadPosition() const;
    int CurrentBuffer() const;
    const MidiHeader& Header(int index) const { return m_Headers[index]; }

    // Waits until the player thread has handled every report and request
    // posted before the call.
    void WaitForPlayerThread();

    // Cuts the events of `size` bytes of a merged image into the header's
    // buffer and returns the bytes consumed. The buffer ends after the
    // end-of-track event, or before the first event that does not fit, in which
    // case its last event carries the callback flag and the next buffer starts
    // with the event that did not fit. An event too large for an empty buffer
    // is dropped with a log line naming `fileName`.
    static uint32_t FillBuffer(const uint8_t* data, uint32_t size, MidiHeader& header, const char* fileName);

private:
    enum class MessageKind : uint8_t
    {
        BufferDone,
        Restart,
        Stop,
        Pause,
        Quit,
    };

    struct Message
    {
        MessageKind m_Kind;
        MidiDoneReport m_Report;
    };

    void Open();
    void PlayerThread();
    // Posts a request and, unless it comes from the player thread, waits for it.
    void Request(MessageKind kind);
    uint64_t Post(const Message& message);
    void Handle(const Message& message);

    void DoRestart();
    void DoStop();
    void DoPause();
    void QueueNextBuffer();
    void CheckResult(int result, const char* format);

    void OnBufferDone(const MidiDoneReport& report) override;

    MidiStreamDevice& m_Device;
    MidiStreamHandle m_hStream = 0;
    std::array<MidiHeader, kBufferCount> m_Headers;
    std::unique_ptr<uint8_t[]> m_pBuffers;

    // Guarded by m_Mutex; written only by the player thread once it runs.
    mutable std::mutex m_Mutex;
    int m_nCurrentBuffer = 0;
    uint32_t m_nReadPosition = kSmfFirstEvent;
    int m_nState = kStopped;

    // The message queue: a ring that grows only when it is full.
    std::condition_variable m_MessagePosted;
    std::condition_variable m_MessageHandled;
    std::unique_ptr<Message[]> m_pRing;
    std::size_t m_nRingSize = 0;
    std::size_t m_nRingHead = 0;
    std::size_t m_nRingCount = 0;
    uint64_t m_nPosted = 0;
    uint64_t m_nHandled = 0;

    std::thread m_Thread;
};
