#pragma once

// A MIDI stream device for tests: it plays nothing by itself. Buffers wait in
// its queue until the test completes them, one at a time, as if they had been
// played to their end. Every call is recorded by name.

#include "common/sound/MidiStreamDevice.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

class ManualMidiDevice : public MidiStreamDevice
{
public:
    int Open(MidiStreamHandle& handle, MidiDoneReceiver* receiver) override;
    int SetTimeDivision(MidiStreamHandle stream, uint32_t division) override;
    int Prepare(MidiStreamHandle stream, MidiHeader& header) override;
    int Unprepare(MidiStreamHandle stream, MidiHeader& header) override;
    int Out(MidiStreamHandle stream, MidiHeader& header) override;
    int Restart(MidiStreamHandle stream) override;
    int Pause(MidiStreamHandle stream) override;
    int Stop(MidiStreamHandle stream) override;
    int Reset(MidiStreamHandle stream) override;
    int Close(MidiStreamHandle stream) override;

    // Completes the oldest queued buffer: its callback offset becomes that of
    // its last event with the callback flag. False when nothing is queued.
    bool CompleteNext();

    int QueuedCount() const;
    // The user values (buffer indexes) of the queued headers, oldest first.
    std::vector<uintptr_t> QueuedBuffers() const;
    // The operations called so far ("Open", "Out", "Restart", ...).
    std::vector<std::string> Calls() const;
    void ClearCalls();
    bool IsOpen() const;
    bool IsPlaying() const;
    uint32_t Division() const;

    // Makes every later call of the named operation fail with the result.
    void FailOperation(const std::string& name, int result);

private:
    int Record(const char* name, MidiStreamHandle stream);
    void HandBackAll();

    mutable std::mutex m_Mutex;
    MidiDoneReceiver* m_pReceiver = nullptr;
    MidiStreamHandle m_hOpen = 0;
    MidiStreamHandle m_hNext = 1;
    bool m_bPlaying = false;
    uint32_t m_nDivision = 0;
    std::deque<MidiHeader*> m_Queue;
    std::vector<std::string> m_Calls;
    std::string m_strFailing;
    int m_nFailResult = 0;
};
