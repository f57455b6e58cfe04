#pragma once

// Byte streams of the data files: little-endian int32 and IEEE-754 doubles,
// read and written from bytes, never as memory images.
//
// DataReader reads a whole file held in memory. Every read is checked against
// the bytes left; the first failure is kept with its offset and reason, and
// every later read fails too, so a loader can test once at the end of a step.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DataReader
{
public:
    // bytes: the payload after the version word; version: the file's version word.
    DataReader(std::vector<unsigned char> bytes, int32_t version, std::string name = {});

    int32_t Version() const { return m_Version; }
    const std::string& Name() const { return m_Name; }

    bool ReadInt32(int32_t& value);
    bool ReadDouble(double& value);
    bool ReadBytes(void* out, std::size_t size);

    // Reads an element count: it fails when the count is negative or when that
    // many elements of at least minBytesPerElement bytes cannot fit in the rest.
    bool ReadCount(int32_t& count, std::size_t minBytesPerElement);

    // Marks the stream failed (the first reason is kept) and returns false.
    bool Fail(std::string reason);

    bool Failed() const { return m_Failed; }
    const std::string& Error() const { return m_Error; }
    // Offset in the file (the version word included) where the failure was met.
    std::size_t ErrorOffset() const { return m_ErrorOffset; }

    std::size_t Offset() const { return m_Pos; }
    std::size_t Remaining() const { return m_Bytes.size() - m_Pos; }

private:
    std::vector<unsigned char> m_Bytes;
    std::size_t m_Pos = 0;
    int32_t m_Version;
    std::string m_Name;
    bool m_Failed = false;
    std::string m_Error;
    std::size_t m_ErrorOffset = 0;
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
