#include "ManualMidiDevice.h"

#include "platform/core/ByteOrder.h"

int ManualMidiDevice::Record(const char* name, MidiStreamHandle stream)
{
    m_Calls.emplace_back(name);
    if (m_strFailing == name)
    {
        return m_nFailResult;
    }
    return stream != 0 && stream == m_hOpen ? kMidiOk : kMidiErrorInvalidHandle;
}

int ManualMidiDevice::Open(MidiStreamHandle& handle, MidiDoneReceiver* receiver)
{
    std::lock_guard lock(m_Mutex);
    m_Calls.emplace_back("Open");
    if (m_strFailing == "Open")
    {
        handle = 0;
        return m_nFailResult;
    }
    if (m_hOpen != 0)
    {
        handle = 0;
        return kMidiErrorAllocated;
    }
    m_hOpen = handle = m_hNext++;
    m_pReceiver = receiver;
    m_bPlaying = false;
    return kMidiOk;
}

int ManualMidiDevice::SetTimeDivision(MidiStreamHandle stream, uint32_t division)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Property", stream);
    if (result == kMidiOk)
    {
        m_nDivision = division;
    }
    return result;
}

int ManualMidiDevice::Prepare(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Prepare", stream);
    return result == kMidiOk ? PrepareMidiHeader(header) : result;
}

int ManualMidiDevice::Unprepare(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Unprepare", stream);
    return result == kMidiOk ? UnprepareMidiHeader(header) : result;
}

int ManualMidiDevice::Out(MidiStreamHandle stream, MidiHeader& header)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Out", stream);
    if (result == kMidiOk)
    {
        result = QueueMidiHeader(header);
    }
    if (result == kMidiOk)
    {
        m_Queue.push_back(&header);
    }
    return result;
}

int ManualMidiDevice::Restart(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Restart", stream);
    if (result == kMidiOk)
    {
        m_bPlaying = true;
    }
    return result;
}

int ManualMidiDevice::Pause(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Pause", stream);
    if (result == kMidiOk)
    {
        m_bPlaying = false;
    }
    return result;
}

int ManualMidiDevice::Stop(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Stop", stream);
    if (result == kMidiOk)
    {
        m_bPlaying = false;
        HandBackAll();
    }
    return result;
}

int ManualMidiDevice::Reset(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Reset", stream);
    if (result == kMidiOk)
    {
        HandBackAll();
    }
    return result;
}

int ManualMidiDevice::Close(MidiStreamHandle stream)
{
    std::lock_guard lock(m_Mutex);
    int result = Record("Close", stream);
    if (result != kMidiOk)
    {
        return result;
    }
    if (!m_Queue.empty())
    {
        return kMidiErrorStillPlaying;
    }
    m_hOpen = 0;
    m_pReceiver = nullptr;
    m_bPlaying = false;
    return kMidiOk;
}

void ManualMidiDevice::HandBackAll()
{
    while (!m_Queue.empty())
    {
        MidiHeader* header = m_Queue.front();
        m_Queue.pop_front();
        m_pReceiver->OnBufferDone(FinishMidiHeader(*header, false));
    }
}

bool ManualMidiDevice::CompleteNext()
{
    std::lock_guard lock(m_Mutex);
    if (m_Queue.empty())
    {
        return false;
    }
    MidiHeader* header = m_Queue.front();
    m_Queue.pop_front();
    uint32_t offset = 0;
    while (offset + kMidiStreamEventSize <= header->m_nBytesRecorded)
    {
        const uint8_t* e = header->m_pData + offset;
        const uint32_t word = platform::ReadLe32(e + 8);
        if (word & kMidiEventCallback)
        {
            header->m_nOffset = offset;
        }
        offset += MidiStreamEventSize(word);
    }
    m_pReceiver->OnBufferDone(FinishMidiHeader(*header, true));
    return true;
}

int ManualMidiDevice::QueuedCount() const
{
    std::lock_guard lock(m_Mutex);
    return int(m_Queue.size());
}

std::vector<uintptr_t> ManualMidiDevice::QueuedBuffers() const
{
    std::lock_guard lock(m_Mutex);
    std::vector<uintptr_t> result;
    for (const MidiHeader* h : m_Queue)
    {
        result.push_back(h->m_nUser);
    }
    return result;
}

std::vector<std::string> ManualMidiDevice::Calls() const
{
    std::lock_guard lock(m_Mutex);
    return m_Calls;
}

void ManualMidiDevice::ClearCalls()
{
    std::lock_guard lock(m_Mutex);
    m_Calls.clear();
}

bool ManualMidiDevice::IsOpen() const
{
    std::lock_guard lock(m_Mutex);
    return m_hOpen != 0;
}

bool ManualMidiDevice::IsPlaying() const
{
    std::lock_guard lock(m_Mutex);
    return m_bPlaying;
}

uint32_t ManualMidiDevice::Division() const
{
    std::lock_guard lock(m_Mutex);
    return m_nDivision;
}

void ManualMidiDevice::FailOperation(const std::string& name, int result)
{
    std::lock_guard lock(m_Mutex);
    m_strFailing = name;
    m_nFailResult = result;
}
