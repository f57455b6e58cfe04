#include "VorbisHeaderCheck.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace platform
{

namespace
{

// Reads the fields of a Vorbis packet: least significant bit first within each
// byte. Reading past the end gives 0 and marks the reader as overrun.
class BitReader
{
public:
    BitReader(const uint8_t* bytes, std::size_t size) : m_pBytes(bytes), m_nBits(uint64_t(size) * 8) {}

    uint32_t Read(int bits)
    {
        if (m_nPos + uint64_t(bits) > m_nBits)
        {
            m_nPos = m_nBits;
            m_bOverrun = true;
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < bits; ++i, ++m_nPos)
        {
            const uint32_t bit = (m_pBytes[m_nPos >> 3] >> (m_nPos & 7)) & 1u;
            value |= bit << i;
        }
        return value;
    }

    // Passes over `bits` bits; false when the packet has fewer left.
    bool Skip(uint64_t bits)
    {
        if (bits > m_nBits - m_nPos)
        {
            m_nPos = m_nBits;
            m_bOverrun = true;
            return false;
        }
        m_nPos += bits;
        return true;
    }

    bool Overrun() const { return m_bOverrun; }

private:
    const uint8_t* m_pBytes;
    uint64_t m_nBits;
    uint64_t m_nPos = 0;
    bool m_bOverrun = false;
};

// The number of bits of the value: 0 for 0, 1 for 1, 2 for 2 and 3, ...
int ILog(uint32_t value)
{
    int bits = 0;
    while (value != 0)
    {
        ++bits;
        value >>= 1;
    }
    return bits;
}

// The greatest r with r to the power of dimensions at most entries (0 for 0
// dimensions, as the decoder takes it).
uint64_t Lookup1Values(uint32_t entries, uint32_t dimensions)
{
    if (dimensions == 0 || entries == 0)
    {
        return 0;
    }
    auto fits = [&](uint64_t r)
    {
        uint64_t power = 1;
        for (uint32_t i = 0; i < dimensions; ++i)
        {
            power *= r;
            if (power > entries)
            {
                return false;
            }
        }
        return true;
    };
    uint64_t low = 1;
    uint64_t high = uint64_t(entries) + 1; // fits(low), !fits(high)
    while (high - low > 1)
    {
        const uint64_t mid = low + (high - low) / 2;
        (fits(mid) ? low : high) = mid;
    }
    return low;
}

// The codewords of a codebook, given their lengths in entry order: each entry
// takes the lowest codeword of its length that is neither taken nor the prefix
// or the extension of a taken one. The decoder refuses a book whose lengths
// ask for more codewords than the tree holds, or leave part of the tree
// unused, and is then left with the book empty (of dimension 0).
class CodewordTree
{
public:
    void Add(int length)
    {
        ++m_nUsed;
        m_nLongest = std::max(m_nLongest, length);
        if (m_bOverfull)
        {
            return;
        }
        uint32_t entry = m_Next[length];
        if (length < 32 && (entry >> length) != 0)
        {
            m_bOverfull = true;
            return;
        }
        // The next free codeword of this length and of the shorter ones on its path.
        for (int j = length; j > 0; --j)
        {
            if ((m_Next[j] & 1) != 0)
            {
                m_Next[j] = j == 1 ? m_Next[1] + 1 : m_Next[j - 1] << 1;
                break;
            }
            ++m_Next[j];
        }
        // The longer lengths that hung below the codeword taken move below the next one.
        for (int j = length + 1; j < 33; ++j)
        {
            if ((m_Next[j] >> 1) != entry)
            {
                break;
            }
            entry = m_Next[j];
            m_Next[j] = m_Next[j - 1] << 1;
        }
    }

    // True when the codewords fill the tree exactly; a book of one entry of
    // length 1 is taken as it stands.
    bool IsComplete() const
    {
        if (m_bOverfull)
        {
            return false;
        }
        if (m_nUsed == 0 || (m_nUsed == 1 && m_nLongest == 1))
        {
            return true;
        }
        for (int i = 1; i < 33; ++i)
        {
            if ((m_Next[i] & (0xFFFFFFFFu >> (32 - i))) != 0)
            {
                return false;
            }
        }
        return true;
    }

private:
    uint32_t m_Next[33] = {};
    uint64_t m_nUsed = 0;
    int m_nLongest = 0;
    bool m_bOverfull = false;
};

class SetupReader
{
public:
    SetupReader(const uint8_t* bytes, std::size_t size) : m_Bits(bytes, size) {}

    bool Check(std::string& reason)
    {
        return ReadCodebooks(reason) && ReadTimes(reason) && ReadFloors(reason) && ReadResidues(reason);
    }

private:
    bool Fail(std::string& reason, const std::string& why)
    {
        reason = m_Bits.Overrun() ? "the setup header ends early" : why;
        return false;
    }

    bool ReadCodebooks(std::string& reason)
    {
        const int count = int(m_Bits.Read(8)) + 1;
        for (int book = 0; book < count; ++book)
        {
            if (m_Bits.Read(24) != 0x564342)
            {
                return Fail(reason, "codebook " + std::to_string(book) + " has no sync pattern");
            }
            const uint32_t dimensions = m_Bits.Read(16);
            const uint32_t entries = m_Bits.Read(24);
            if (ILog(dimensions) + ILog(entries) > 24)
            {
                return Fail(reason, "codebook " + std::to_string(book) + " is too large");
            }
            CodewordTree tree;
            if (m_Bits.Read(1) == 0)
            {
                const bool sparse = m_Bits.Read(1) != 0;
                for (uint32_t e = 0; e < entries && !m_Bits.Overrun(); ++e)
                {
                    if (!sparse || m_Bits.Read(1) != 0)
                    {
                        tree.Add(int(m_Bits.Read(5)) + 1);
                    }
                }
            }
            else
            {
                int length = int(m_Bits.Read(5)) + 1;
                for (uint32_t e = 0; e < entries && !m_Bits.Overrun(); ++length)
                {
                    const uint32_t number = m_Bits.Read(ILog(entries - e));
                    if (number > entries - e || length > 32)
                    {
                        return Fail(reason, "codebook " + std::to_string(book) + " has too many lengths");
                    }
                    for (uint32_t i = 0; i < number; ++i)
                    {
                        tree.Add(length);
                    }
                    e += number;
                }
            }
            if (!m_Bits.Overrun() && !tree.IsComplete())
            {
                return Fail(reason, "codebook " + std::to_string(book) + " has lengths that make no code");
            }
            const uint32_t lookup = m_Bits.Read(4);
            if (lookup == 1 || lookup == 2)
            {
                m_Bits.Read(32);
                m_Bits.Read(32);
                const uint32_t valueBits = m_Bits.Read(4) + 1;
                m_Bits.Read(1);
                const uint64_t values =
                    lookup == 1 ? Lookup1Values(entries, dimensions) : uint64_t(entries) * dimensions;
                m_Bits.Skip(values * valueBits);
            }
            else if (lookup != 0)
            {
                return Fail(reason, "codebook " + std::to_string(book) + " has an unknown lookup type");
            }
            if (m_Bits.Overrun())
            {
                return Fail(reason, "");
            }
            m_Dimensions.push_back(dimensions);
        }
        return true;
    }

    bool ReadTimes(std::string& reason)
    {
        const int count = int(m_Bits.Read(6)) + 1;
        for (int i = 0; i < count; ++i)
        {
            if (m_Bits.Read(16) != 0)
            {
                return Fail(reason, "a time-domain transform is not 0");
            }
        }
        return true;
    }

    // A book that is read as vectors: it must exist and have a dimension.
    bool CheckVectorBook(uint32_t book, const std::string& user, std::string& reason)
    {
        if (book >= m_Dimensions.size())
        {
            return Fail(reason, user + " uses codebook " + std::to_string(book) + ", which does not exist");
        }
        if (m_Dimensions[book] == 0)
        {
            return Fail(reason, user + " uses codebook " + std::to_string(book) + " of dimension 0");
        }
        return true;
    }

    bool ReadFloors(std::string& reason)
    {
        const int count = int(m_Bits.Read(6)) + 1;
        for (int floor = 0; floor < count; ++floor)
        {
            const std::string name = "floor " + std::to_string(floor);
            const uint32_t type = m_Bits.Read(16);
            if (type == 0)
            {
                m_Bits.Skip(8 + 16 + 16 + 6 + 8); // order, rate, bark map size, amplitude bits and offset
                const int books = int(m_Bits.Read(4)) + 1;
                for (int i = 0; i < books; ++i)
                {
                    if (!CheckVectorBook(m_Bits.Read(8), name, reason))
                    {
                        return false;
                    }
                }
            }
            else if (type == 1)
            {
                const int partitions = int(m_Bits.Read(5));
                std::vector<int> classOf(std::size_t(partitions), 0);
                int maxClass = -1;
                for (int& c : classOf)
                {
                    c = int(m_Bits.Read(4));
                    maxClass = std::max(maxClass, c);
                }
                std::vector<int> classDimensions(std::size_t(maxClass + 1), 0);
                for (int& dimensions : classDimensions)
                {
                    dimensions = int(m_Bits.Read(3)) + 1;
                    const int subclasses = int(m_Bits.Read(2));
                    if (subclasses != 0)
                    {
                        m_Bits.Read(8);
                    }
                    m_Bits.Skip(uint64_t(8) << subclasses);
                }
                m_Bits.Read(2);
                const int rangeBits = int(m_Bits.Read(4));
                for (int c : classOf)
                {
                    m_Bits.Skip(uint64_t(classDimensions[std::size_t(c)]) * rangeBits);
                }
            }
            else
            {
                return Fail(reason, name + " has an unknown type");
            }
            if (m_Bits.Overrun())
            {
                return Fail(reason, "");
            }
        }
        return true;
    }

    bool ReadResidues(std::string& reason)
    {
        const int count = int(m_Bits.Read(6)) + 1;
        for (int residue = 0; residue < count; ++residue)
        {
            const std::string name = "residue " + std::to_string(residue);
            if (m_Bits.Read(16) > 2)
            {
                return Fail(reason, name + " has an unknown type");
            }
            m_Bits.Read(24); // begin
            m_Bits.Read(24); // end
            m_Bits.Read(24); // partition size - 1
            const int classifications = int(m_Bits.Read(6)) + 1;
            const uint32_t classBook = m_Bits.Read(8);
            std::vector<uint32_t> cascades(std::size_t(classifications), 0);
            for (uint32_t& cascade : cascades)
            {
                cascade = m_Bits.Read(3);
                if (m_Bits.Read(1) != 0)
                {
                    cascade |= m_Bits.Read(5) << 3;
                }
            }
            if (m_Bits.Overrun())
            {
                return Fail(reason, "");
            }
            if (!CheckVectorBook(classBook, name, reason))
            {
                return false;
            }
            for (uint32_t cascade : cascades)
            {
                for (int stage = 0; stage < 8; ++stage)
                {
                    if ((cascade & (1u << stage)) != 0 && !CheckVectorBook(m_Bits.Read(8), name, reason))
                    {
                        return false;
                    }
                }
            }
            if (m_Bits.Overrun())
            {
                return Fail(reason, "");
            }
        }
        return true;
    }

    BitReader m_Bits;
    std::vector<uint32_t> m_Dimensions;
};

bool IsHeaderPacket(const ogg_packet& packet, uint8_t type)
{
    return packet.bytes >= 7 && packet.packet[0] == type && std::memcmp(packet.packet + 1, "vorbis", 6) == 0;
}

// One logical stream whose header packets are still being read.
struct StreamHeaders
{
    ogg_stream_state m_State{};
    int m_nPackets = 0;

    explicit StreamHeaders(int serial) { ogg_stream_init(&m_State, serial); }
    ~StreamHeaders() { ogg_stream_clear(&m_State); }
    StreamHeaders(const StreamHeaders&) = delete;
    StreamHeaders& operator=(const StreamHeaders&) = delete;
};

struct SyncState
{
    ogg_sync_state m_State{};
    SyncState() { ogg_sync_init(&m_State); }
    ~SyncState() { ogg_sync_clear(&m_State); }
    SyncState(const SyncState&) = delete;
    SyncState& operator=(const SyncState&) = delete;
};

enum class StreamStep
{
    Reading, // more header packets to come
    Done,    // the headers are read and sound, or the stream is not Vorbis
    Damaged,
};

// Takes the stream's next header packets; Done once the setup header has passed.
StreamStep ReadHeaderPackets(StreamHeaders& stream, std::string& reason)
{
    ogg_packet packet;
    int result = 0;
    while ((result = ogg_stream_packetout(&stream.m_State, &packet)) != 0)
    {
        if (result < 0)
        {
            reason = "a header packet is missing";
            return StreamStep::Damaged;
        }
        const int index = stream.m_nPackets++;
        if (index == 0)
        {
            if (!IsHeaderPacket(packet, 1))
            {
                return StreamStep::Done; // another codec: the decoder passes over it
            }
        }
        else if (index == 1)
        {
            if (!IsHeaderPacket(packet, 3))
            {
                reason = "the comment header is missing";
                return StreamStep::Damaged;
            }
        }
        else
        {
            if (!IsHeaderPacket(packet, 5))
            {
                reason = "the setup header is missing";
                return StreamStep::Damaged;
            }
            SetupReader setup(packet.packet + 7, std::size_t(packet.bytes - 7));
            if (!setup.Check(reason))
            {
                reason = "setup header: " + reason;
                return StreamStep::Damaged;
            }
            return StreamStep::Done;
        }
    }
    return StreamStep::Reading;
}

} // namespace

bool CheckVorbisHeaders(const uint8_t* bytes, std::size_t size, std::string& reason)
{
    constexpr std::size_t kFeed = 64 * 1024;
    SyncState sync;
    // Streams whose headers are being read, by serial number; a serial number
    // once done is not read again unless a new first page starts it anew.
    std::map<int, std::unique_ptr<StreamHeaders>> reading;
    std::size_t fed = 0;
    for (;;)
    {
        ogg_page page;
        const int result = ogg_sync_pageout(&sync.m_State, &page);
        if (result == 0)
        {
            if (fed == size)
            {
                break;
            }
            const std::size_t n = std::min(kFeed, size - fed);
            char* buffer = ogg_sync_buffer(&sync.m_State, long(n));
            if (buffer == nullptr)
            {
                reason = "out of memory";
                return false;
            }
            std::memcpy(buffer, bytes + fed, n);
            ogg_sync_wrote(&sync.m_State, long(n));
            fed += n;
            continue;
        }
        if (result < 0)
        {
            continue; // bytes skipped to the next page, as the decoder does
        }
        const int serial = ogg_page_serialno(&page);
        if (ogg_page_bos(&page) != 0)
        {
            reading[serial] = std::make_unique<StreamHeaders>(serial);
        }
        auto it = reading.find(serial);
        if (it == reading.end())
        {
            continue;
        }
        ogg_stream_pagein(&it->second->m_State, &page);
        switch (ReadHeaderPackets(*it->second, reason))
        {
        case StreamStep::Reading:
            break;
        case StreamStep::Done:
            reading.erase(it);
            break;
        case StreamStep::Damaged:
            return false;
        }
    }
    for (const auto& [serial, stream] : reading)
    {
        if (stream->m_nPackets > 0)
        {
            reason = "a Vorbis stream ends inside its headers";
            return false;
        }
    }
    return true;
}

} // namespace platform
