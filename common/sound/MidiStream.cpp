#include "MidiStream.h"

#include "common/services/Log.h"
#include "platform/core/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace
{

using platform::ReadLe32;
using platform::WriteLe32;

constexpr uint32_t kEndOfTrackWord = kMidiEventCallback | 0x002FFF;
constexpr std::size_t kInitialRingSize = 16;

// One event of a merged image, as the stream buffer takes it.
struct ImageEvent
{
    uint32_t m_nDelta = 0;
    uint32_t m_nImageSize = 0;  // bytes in the image, delta time included
    uint32_t m_nStreamSize = 0; // bytes in the stream buffer; 0 for an event that is not sent
    uint32_t m_nWord = 0;
    const uint8_t* m_pLongData = nullptr; // F0 or F7 data bytes
    uint32_t m_nLongLength = 0;
    uint8_t m_nLongStatus = 0;
    bool m_bEndOfTrack = false;
};

// Reads the event at data[0]; false when it runs past the end.
bool ReadImageEvent(const uint8_t* data, uint32_t size, ImageEvent& e)
{
    int n = ReadVarLen(data, size, e.m_nDelta);
    if (n == 0 || uint32_t(n) >= size)
    {
        return false;
    }
    uint32_t p = uint32_t(n);
    const uint8_t status = data[p];
    if (status == 0xF0 || status == 0xF7 || status == 0xFF)
    {
        const bool meta = status == 0xFF;
        const uint32_t lengthAt = p + (meta ? 2 : 1);
        uint32_t length = 0;
        int m = lengthAt < size ? ReadVarLen(data + lengthAt, size - lengthAt, length) : 0;
        if (m == 0 || length > size - lengthAt - uint32_t(m))
        {
            return false;
        }
        const uint32_t dataAt = lengthAt + uint32_t(m);
        e.m_nImageSize = dataAt + length;
        if (!meta)
        {
            // The parameters are the status byte and the data bytes. The size
            // comes from the length itself: one that does not fit the word's
            // 24 bits fits no buffer either.
            e.m_nWord = kMidiEventLong | ((length + 1) & 0xFFFFFF);
            e.m_pLongData = data + dataAt;
            e.m_nLongLength = length;
            e.m_nLongStatus = status;
            e.m_nStreamSize = kMidiStreamEventSize + ((length + 1 + 3) & ~3u);
            return true;
        }
        const uint8_t type = data[p + 1];
        if (type == 0x2F)
        {
            e.m_nWord = kEndOfTrackWord;
            e.m_nStreamSize = kMidiStreamEventSize;
            e.m_bEndOfTrack = true;
        }
        else if (type == 0x51 && length == 3)
        {
            const uint8_t* t = data + dataAt;
            e.m_nWord = kMidiEventTempo | (uint32_t(t[0]) << 16) | (uint32_t(t[1]) << 8) | t[2];
            e.m_nStreamSize = kMidiStreamEventSize;
        }
        return true;
    }
    const uint32_t dataSize = SmfShortDataSize(status);
    if (dataSize >= size - p)
    {
        return false;
    }
    e.m_nWord = status | (uint32_t(data[p + 1]) << 8) | (dataSize == 2 ? uint32_t(data[p + 2]) << 16 : 0);
    e.m_nImageSize = p + 1 + dataSize;
    e.m_nStreamSize = kMidiStreamEventSize;
    return true;
}

} // namespace

uint32_t MidiStream::FillBuffer(const uint8_t* data, uint32_t size, MidiHeader& header, const char* fileName)
{
    uint8_t* out = header.m_pData;
    const uint32_t capacity = header.m_nBufferLength;
    std::memset(out, 0, capacity);

    uint32_t used = 0;
    uint32_t pos = 0;
    uint32_t consumed = 0;
    uint64_t carriedDelta = 0; // delta times of the events that are not sent
    uint32_t lastEvent = 0;
    while (pos < size)
    {
        ImageEvent e;
        if (!ReadImageEvent(data + pos, size - pos, e))
        {
            // A broken tail cannot be played: it counts as consumed.
            consumed = size;
            break;
        }
        const uint64_t delta = carriedDelta + e.m_nDelta;
        if (e.m_nStreamSize == 0)
        {
            carriedDelta = delta;
            pos += e.m_nImageSize;
            continue;
        }
        if (used + e.m_nStreamSize > capacity)
        {
            if (used != 0)
            {
                // The event starts the next buffer, with the skipped events
                // before it, so that their delta times are not lost.
                WriteLe32(out + lastEvent + 8, ReadLe32(out + lastEvent + 8) | kMidiEventCallback);
                break;
            }
            WriteReportAndErrorLog("Midi %s Out バッファに入らないイベントを飛ばしました (%u バイト)", fileName,
                                   e.m_nStreamSize);
            carriedDelta = delta;
            pos += e.m_nImageSize;
            consumed = pos;
            continue;
        }
        uint8_t* event = out + used;
        WriteLe32(event, uint32_t(std::min<uint64_t>(delta, 0xFFFFFFFFu)));
        WriteLe32(event + 4, 0);
        WriteLe32(event + 8, e.m_nWord);
        if (e.m_pLongData != nullptr)
        {
            event[12] = e.m_nLongStatus;
            std::memcpy(event + 13, e.m_pLongData, e.m_nLongLength);
        }
        lastEvent = used;
        used += e.m_nStreamSize;
        pos += e.m_nImageSize;
        consumed = pos;
        carriedDelta = 0;
        if (e.m_bEndOfTrack)
        {
            break;
        }
    }

    header.m_nBytesRecorded = used;
    header.m_nOffset = 0;
    header.m_nFlags.store(0);
    return consumed;
}

MidiStream::MidiStream(MidiStreamDevice& device, std::string_view fileName) : m_Device(device)
{
    if (LoadFile(fileName))
    {
        Open();
    }
}

MidiStream::~MidiStream()
{
    if (!m_Thread.joinable())
    {
        return;
    }
    Request(MessageKind::Quit);
    m_Thread.join();

    // The thread is gone: the rest runs here alone. Buffers handed back by the
    // reset are reported into the queue, which nobody reads any more.
    CheckResult(m_Device.Reset(m_hStream), "Midi %s Reset %s");
    for (MidiHeader& header : m_Headers)
    {
        CheckResult(m_Device.Unprepare(m_hStream, header), "Midi %s Unprepare %s");
    }
    CheckResult(m_Device.Close(m_hStream), "Midi %s Close %s");
}

void MidiStream::Open()
{
    m_pBuffers = std::make_unique<uint8_t[]>(kBufferCount * kBufferSize);
    for (int i = 0; i < kBufferCount; ++i)
    {
        m_Headers[i].m_pData = m_pBuffers.get() + i * kBufferSize;
        m_Headers[i].m_nBufferLength = kBufferSize;
        m_Headers[i].m_nUser = uintptr_t(i);
    }
    m_nRingSize = kInitialRingSize;
    m_pRing = std::make_unique<Message[]>(m_nRingSize);

    CheckResult(m_Device.Open(m_hStream, this), "Midi %s Open %s");
    CheckResult(m_Device.SetTimeDivision(m_hStream, TimeDivision()), "Midi %s Property %s");
    m_nReadPosition = kSmfFirstEvent;
    m_nState = kStopped;
    QueueNextBuffer();

    m_Thread = std::thread(&MidiStream::PlayerThread, this);
}

void MidiStream::Restart()
{
    if (HasImage())
    {
        Request(MessageKind::Restart);
    }
}

void MidiStream::Stop(int pause)
{
    if (HasImage())
    {
        Request(pause ? MessageKind::Pause : MessageKind::Stop);
    }
}

int MidiStream::State() const
{
    std::lock_guard lock(m_Mutex);
    return m_nState;
}

uint32_t MidiStream::ReadPosition() const
{
    std::lock_guard lock(m_Mutex);
    return m_nReadPosition;
}

int MidiStream::CurrentBuffer() const
{
    std::lock_guard lock(m_Mutex);
    return m_nCurrentBuffer;
}

void MidiStream::WaitForPlayerThread()
{
    if (!m_Thread.joinable() || std::this_thread::get_id() == m_Thread.get_id())
    {
        return;
    }
    std::unique_lock lock(m_Mutex);
    const uint64_t ticket = m_nPosted;
    m_MessageHandled.wait(lock, [&] { return m_nHandled >= ticket; });
}

void MidiStream::Request(MessageKind kind)
{
    if (std::this_thread::get_id() == m_Thread.get_id())
    {
        Handle({kind, {}});
        return;
    }
    const uint64_t ticket = Post({kind, {}});
    std::unique_lock lock(m_Mutex);
    m_MessageHandled.wait(lock, [&] { return m_nHandled >= ticket; });
}

uint64_t MidiStream::Post(const Message& message)
{
    std::lock_guard lock(m_Mutex);
    if (m_nRingCount == m_nRingSize)
    {
        auto bigger = std::make_unique<Message[]>(m_nRingSize * 2);
        for (std::size_t i = 0; i < m_nRingCount; ++i)
        {
            bigger[i] = m_pRing[(m_nRingHead + i) % m_nRingSize];
        }
        m_pRing = std::move(bigger);
        m_nRingSize *= 2;
        m_nRingHead = 0;
    }
    m_pRing[(m_nRingHead + m_nRingCount) % m_nRingSize] = message;
    ++m_nRingCount;
    m_MessagePosted.notify_one();
    return ++m_nPosted;
}

void MidiStream::OnBufferDone(const MidiDoneReport& report)
{
    Post({MessageKind::BufferDone, report});
}

void MidiStream::PlayerThread()
{
    for (;;)
    {
        Message message;
        {
            std::unique_lock lock(m_Mutex);
            m_MessagePosted.wait(lock, [&] { return m_nRingCount != 0; });
            message = m_pRing[m_nRingHead];
            m_nRingHead = (m_nRingHead + 1) % m_nRingSize;
            --m_nRingCount;
        }
        Handle(message);
        {
            std::lock_guard lock(m_Mutex);
            ++m_nHandled;
        }
        m_MessageHandled.notify_all();
        if (message.m_Kind == MessageKind::Quit)
        {
            return;
        }
    }
}

void MidiStream::Handle(const Message& message)
{
    switch (message.m_Kind)
    {
    case MessageKind::BufferDone:
    {
        // Buffers handed back by a stop or a reset were not played out.
        const MidiDoneReport& report = message.m_Report;
        if (!report.m_bPlayed)
        {
            return;
        }
        const MidiHeader& header = *report.m_pHeader;
        const uint32_t offset = report.m_nCallbackOffset;
        const bool endOfTrack = offset + kMidiStreamEventSize <= header.m_nBytesRecorded &&
                                (ReadLe32(header.m_pData + offset + 8) & 0xFFFFFF) == (kEndOfTrackWord & 0xFFFFFF);
        if (endOfTrack)
        {
            // The song repeats from its start. A report that comes in after
            // the song was paused rewinds it without playing on, and one that
            // comes in after a stop changes nothing.
            if (m_nState == kPlaying)
            {
                DoStop();
                DoRestart();
            }
            else if (m_nState == kPaused)
            {
                DoStop();
            }
        }
        else if (m_nReadPosition != MusicEnd())
        {
            QueueNextBuffer();
        }
        return;
    }
    case MessageKind::Restart:
        DoRestart();
        return;
    case MessageKind::Stop:
        DoStop();
        return;
    case MessageKind::Pause:
        DoPause();
        return;
    case MessageKind::Quit:
        return;
    }
}

void MidiStream::DoRestart()
{
    if (m_nState == kPlaying)
    {
        return;
    }
    CheckResult(m_Device.Restart(m_hStream), "Midi %s Restart %s");
    const int previous = m_nState;
    {
        std::lock_guard lock(m_Mutex);
        m_nState = kPlaying;
    }
    if (previous != kPaused && m_nReadPosition != MusicEnd())
    {
        QueueNextBuffer();
    }
}

void MidiStream::DoStop()
{
    CheckResult(m_Device.Stop(m_hStream), "Midi %s Stop %s");
    {
        std::lock_guard lock(m_Mutex);
        m_nState = kStopped;
        m_nReadPosition = kSmfFirstEvent;
    }
    QueueNextBuffer();
}

void MidiStream::DoPause()
{
    if (m_nState != kPlaying)
    {
        return;
    }
    CheckResult(m_Device.Pause(m_hStream), "Midi %s Pause %s");
    std::lock_guard lock(m_Mutex);
    m_nState = kPaused;
}

void MidiStream::QueueNextBuffer()
{
    MidiHeader& header = m_Headers[m_nCurrentBuffer];
    if (m_nReadPosition == MusicEnd() || (header.m_nFlags.load() & kMidiHeaderInQueue))
    {
        return;
    }
    const uint32_t consumed =
        FillBuffer(m_Image.data() + m_nReadPosition, MusicEnd() - m_nReadPosition, header, m_strFileName.c_str());
    {
        std::lock_guard lock(m_Mutex);
        m_nReadPosition += consumed;
        m_nCurrentBuffer = (m_nCurrentBuffer + 1) % kBufferCount;
    }
    CheckResult(m_Device.Prepare(m_hStream, header), "Midi %s Prepare %s");
    CheckResult(m_Device.Out(m_hStream, header), "Midi %s Out %s");
}

void MidiStream::CheckResult(int result, const char* format)
{
    if (result != kMidiOk)
    {
        WriteReportAndErrorLog(format, m_strFileName.c_str(), MidiErrorText(result));
    }
}
