#include "DataStream.h"

#include <algorithm>
#include <bit>
#include <cstring>

DataReader::DataReader(std::vector<unsigned char> bytes, int32_t version, std::string name)
    : m_Bytes(std::move(bytes)), m_OffsetBias(4), m_Version(version), m_Name(std::move(name))
{
}

DataReader::DataReader(std::vector<unsigned char> fileBytes, std::size_t start, int32_t version, std::string name)
    : m_Bytes(std::move(fileBytes)), m_Version(version), m_Name(std::move(name))
{
    m_Start = m_Pos = std::min(start, m_Bytes.size());
}

bool DataReader::NeedSlow(std::size_t bytes)
{
    if (m_Failed)
    {
        return false;
    }
    if (bytes > Remaining())
    {
        return Fail("the file ends early");
    }
    return true;
}

bool DataReader::ReadBytes(void* out, std::size_t size)
{
    if (!Need(size))
    {
        return false;
    }
    if (size > 0)
    {
        std::memcpy(out, m_Bytes.data() + m_Pos, size);
    }
    m_Pos += size;
    return true;
}

bool DataReader::ReadInt32Slow(int32_t& value)
{
    unsigned char b[4];
    if (!ReadBytes(b, sizeof b))
    {
        return false;
    }
    value = DecodeInt32(b);
    return true;
}

bool DataReader::ReadInt32s(int32_t* values, std::size_t count)
{
    if (!Need(count * 4))
    {
        return false;
    }
    const unsigned char* p = m_Bytes.data() + m_Pos;
    if constexpr (std::endian::native == std::endian::little)
    {
        if (count > 0)
        {
            std::memcpy(values, p, count * 4); // the file's byte order is the machine's
        }
    }
    else
    {
        for (std::size_t i = 0; i < count; ++i, p += 4)
        {
            values[i] = DecodeInt32(p);
        }
    }
    m_Pos += count * 4;
    return true;
}

bool DataReader::ReadInt32Vector(std::vector<int32_t>& values, std::size_t count)
{
    if (!Need(count * 4))
    {
        return false;
    }
    values.resize(count);
    return ReadInt32s(values.data(), count);
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

bool DataReader::FailCount(int32_t count)
{
    if (count < 0)
    {
        return Fail("negative count " + std::to_string(count));
    }
    return Fail("count " + std::to_string(count) + " exceeds the bytes left");
}

bool DataReader::Fail(std::string reason)
{
    if (!m_Failed)
    {
        m_Failed = true;
        m_Error = std::move(reason);
        m_ErrorOffset = m_Pos + m_OffsetBias;
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
