#include "DataStream.h"

#include "platform/core/ByteOrder.h"

#include <cstring>

DataReader::DataReader(std::vector<unsigned char> bytes, int32_t version, std::string name)
    : m_Bytes(std::move(bytes)), m_Version(version), m_Name(std::move(name))
{
}

bool DataReader::ReadBytes(void* out, std::size_t size)
{
    if (m_Failed)
    {
        return false;
    }
    if (size > Remaining())
    {
        return Fail("the file ends early");
    }
    if (size > 0)
    {
        std::memcpy(out, m_Bytes.data() + m_Pos, size);
    }
    m_Pos += size;
    return true;
}

bool DataReader::ReadInt32(int32_t& value)
{
    unsigned char b[4];
    if (!ReadBytes(b, sizeof b))
    {
        return false;
    }
    value = static_cast<int32_t>(platform::ReadLe32(b));
    return true;
}

bool DataReader::ReadDouble(double& value)
{
    unsigned char b[8];
    if (!ReadBytes(b, sizeof b))
    {
        return false;
    }
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
    {
        bits = bits << 8 | b[i];
    }
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool DataReader::ReadCount(int32_t& count, std::size_t minBytesPerElement)
{
    if (!ReadInt32(count))
    {
        return false;
    }
    if (count < 0)
    {
        return Fail("negative count " + std::to_string(count));
    }
    if (minBytesPerElement > 0 && static_cast<std::size_t>(count) > Remaining() / minBytesPerElement)
    {
        return Fail("count " + std::to_string(count) + " exceeds the bytes left");
    }
    return true;
}

bool DataReader::Fail(std::string reason)
{
    if (!m_Failed)
    {
        m_Failed = true;
        m_Error = std::move(reason);
        m_ErrorOffset = m_Pos + 4; // the version word precedes the payload
    }
    return false;
}

void DataWriter::WriteInt32(int32_t value)
{
    unsigned char b[4];
    platform::WriteLe32(b, static_cast<uint32_t>(value));
    WriteBytes(b, sizeof b);
}

void DataWriter::WriteDouble(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char b[8];
    for (int i = 0; i < 8; ++i)
    {
        b[i] = static_cast<unsigned char>(bits >> (8 * i));
    }
    WriteBytes(b, sizeof b);
}

void DataWriter::WriteBytes(const void* data, std::size_t size)
{
    auto p = static_cast<const unsigned char*>(data);
    m_Bytes.insert(m_Bytes.end(), p, p + size);
}
