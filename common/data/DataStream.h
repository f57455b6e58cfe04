#pragma once

// Byte streams of the data files: little-endian int32 and IEEE-754 doubles,
// read and written from bytes, never as memory images.
//
// DataReader reads a whole file held in memory. Every read is checked against
// the bytes left; the first failure is kept with its offset and reason, and
// every later read fails too, so a loader can test once at the end of a step.

#include "platform/core/ByteOrder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

class DataReader
{
public:
    // bytes: the payload after the version word; version: the file's version word.
    DataReader(std::vector<unsigned char> bytes, int32_t version, std::string name = {});
    // fileBytes: a whole file; reading starts after its first `start` bytes
    // (the version word), which count in the offsets of failures.
    DataReader(std::vector<unsigned char> fileBytes, std::size_t start, int32_t version, std::string name);

    int32_t Version() const { return m_Version; }
    const std::string& Name() const { return m_Name; }

    // Whether each record read from this stream is checked once read: its
    // indices fitted to the tables and the stage, its values to their ranges.
    // Off, the records keep the values the file holds (format upgrades of
    // older files still apply), for showing a file as it is.
    bool ChecksValues() const { return m_bChecksValues; }
    void SetChecksValues(bool checks) { m_bChecksValues = checks; }

    bool ReadInt32(int32_t& value)
    {
        if (m_Failed || Remaining() < 4)
        {
            return ReadInt32Slow(value);
        }
        value = DecodeInt32(m_Bytes.data() + m_Pos);
        m_Pos += 4;
        return true;
    }
    // count values in one step: all of them or, when the file ends early, none.
    bool ReadInt32s(int32_t* values, std::size_t count);
    // Replaces the vector by count values read in one step; false (the vector
    // unchanged) when the file ends early.
    bool ReadInt32Vector(std::vector<int32_t>& values, std::size_t count);
    bool ReadDouble(double& value);
    bool ReadBytes(void* out, std::size_t size);

    // Reads an element count: it fails when the count is negative or when that
    // many elements of at least minBytesPerElement bytes cannot fit in the rest.
    bool ReadCount(int32_t& count, std::size_t minBytesPerElement)
    {
        if (!ReadInt32(count))
        {
            return false;
        }
        // count < 2^31 and the element sizes are small: the product cannot overflow.
        if (count >= 0 && static_cast<std::size_t>(count) * minBytesPerElement <= Remaining())
        {
            return true;
        }
        return FailCount(count);
    }
    // The next `size` bytes, which the stream passes over; null (the stream
    // failed) when the file ends before them.
    const unsigned char* TakeBytes(std::size_t size)
    {
        if (!Need(size))
        {
            return nullptr;
        }
        const unsigned char* p = m_Bytes.data() + m_Pos;
        m_Pos += size;
        return p;
    }

    // The element that every element of a record vector of class T starts
    // from, made once per file: what it is made from (the tables, the open
    // stage, CurrentVersion) does not change while a file is read.
    template <class T, class Make>
    const T& Prototype(Make make)
    {
        for (const auto& [type, prototype] : m_Prototypes)
        {
            if (type == &typeid(T))
            {
                return *static_cast<const T*>(prototype.get());
            }
        }
        auto prototype = std::make_shared<const T>(make());
        m_Prototypes.emplace_back(&typeid(T), prototype);
        return *prototype;
    }

    // Marks the stream failed (the first reason is kept) and returns false.
    bool Fail(std::string reason);

    bool Failed() const { return m_Failed; }
    const std::string& Error() const { return m_Error; }
    // Offset in the file (the version word included) where the failure was met.
    std::size_t ErrorOffset() const { return m_ErrorOffset; }

    std::size_t Offset() const { return m_Pos - m_Start; }
    std::size_t Remaining() const { return m_Bytes.size() - m_Pos; }

    static int32_t DecodeInt32(const unsigned char* b)
    {
        return static_cast<int32_t>(platform::ReadLe32(b));
    }

private:
    bool ReadInt32Slow(int32_t& value);
    // True when that many bytes are left; else the stream fails.
    bool Need(std::size_t bytes)
    {
        if (!m_Failed && bytes <= Remaining())
        {
            return true;
        }
        return NeedSlow(bytes);
    }
    bool NeedSlow(std::size_t bytes);
    // The failure of a count that is negative or too large for the bytes left.
    bool FailCount(int32_t count);

    std::vector<unsigned char> m_Bytes;
    std::size_t m_Start = 0; // where the payload begins in m_Bytes
    std::size_t m_Pos = 0;
    std::size_t m_OffsetBias = 0; // file offset of m_Bytes[0]
    int32_t m_Version;
    std::string m_Name;
    bool m_Failed = false;
    bool m_bChecksValues = true;
    std::string m_Error;
    std::size_t m_ErrorOffset = 0;
    std::vector<std::pair<const std::type_info*, std::shared_ptr<const void>>> m_Prototypes;
};

class DataWriter
{
public:
    void WriteInt32(int32_t value);
    void WriteDouble(double value);
    void WriteBytes(const void* data, std::size_t size);

    const std::vector<unsigned char>& Bytes() const { return m_Bytes; }

private:
    std::vector<unsigned char> m_Bytes;
};
