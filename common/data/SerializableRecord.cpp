#include "SerializableRecord.h"

#include <cstring>

int32_t CurrentVersion = 0;
int32_t FileVersion = 0;

void SerializableRecord::BindFields(int32_t)
{
    ClearBindings();
}

bool SerializableRecord::Load(DataReader& in)
{
    return LoadRecord(in);
}

void SerializableRecord::Save(DataWriter& out)
{
    SaveRecord(out);
}

void SerializableRecord::VisitVectors(VectorVisitor&)
{
}

void SerializableRecord::ClearBindings()
{
    m_Fields.clear();
    m_Strings.clear();
}

void SerializableRecord::BindInt(int32_t& member, const char* name)
{
    BindInts(&member, 1, name);
}

void SerializableRecord::BindInts(int32_t* first, int count, const char* name)
{
    m_Fields.push_back({first, 4, count, name});
}

void SerializableRecord::BindDouble(double& member, const char* name)
{
    BindDoubles(&member, 1, name);
}

void SerializableRecord::BindDoubles(double* first, int count, const char* name)
{
    m_Fields.push_back({first, 8, count, name});
}

void SerializableRecord::BindString(std::string& member, const char* name)
{
    BindStrings(&member, 1, name);
}

void SerializableRecord::BindStrings(std::string* first, int count, const char* name)
{
    for (int i = 0; i < count; ++i)
    {
        m_Strings.push_back({first + i, name});
    }
}

bool SerializableRecord::LoadRecord(DataReader& in)
{
    BindFields(in.Version());

    int32_t fieldCount = 0;
    if (!in.ReadInt32(fieldCount))
    {
        return false;
    }
    if (fieldCount < 0 || fieldCount > m_Fields.Count())
    {
        return in.Fail("field count " + std::to_string(fieldCount) + " where version " +
                       std::to_string(in.Version()) + " binds " + std::to_string(m_Fields.Count()));
    }
    for (int i = 0; i < fieldCount; ++i)
    {
        const FieldBinding& field = m_Fields.At(i);
        auto* p = static_cast<unsigned char*>(field.m_pData);
        for (int k = 0; k < field.m_nElementCount; ++k, p += field.m_nElementSize)
        {
            if (field.m_nElementSize == 8)
            {
                double d;
                if (!in.ReadDouble(d))
                {
                    return false;
                }
                std::memcpy(p, &d, sizeof d);
            }
            else
            {
                int32_t v;
                if (!in.ReadInt32(v))
                {
                    return false;
                }
                std::memcpy(p, &v, sizeof v);
            }
        }
    }

    int32_t stringCount = 0;
    if (!in.ReadInt32(stringCount))
    {
        return false;
    }
    if (stringCount < 0 || stringCount > m_Strings.Count())
    {
        return in.Fail("string count " + std::to_string(stringCount) + " where version " +
                       std::to_string(in.Version()) + " binds " + std::to_string(m_Strings.Count()));
    }
    for (int i = 0; i < stringCount; ++i)
    {
        int32_t length = 0;
        if (!in.ReadInt32(length))
        {
            return false;
        }
        if (length < 1)
        {
            return in.Fail("string length " + std::to_string(length));
        }
        std::string& member = *m_Strings.At(i).m_pString;
        if (length == 1)
        {
            member.clear();
            continue;
        }
        if (static_cast<std::size_t>(length) > in.Remaining())
        {
            return in.Fail("string length " + std::to_string(length) + " exceeds the bytes left");
        }
        std::string text(static_cast<std::size_t>(length), '\0');
        in.ReadBytes(text.data(), text.size());
        text.resize(std::strlen(text.c_str())); // the text ends at its first NUL
        member = std::move(text);
    }

    if (in.Version() != kDataFormatVersion)
    {
        BindFields(kDataFormatVersion);
    }
    return true;
}

void SerializableRecord::SaveRecord(DataWriter& out)
{
    BindFields(kDataFormatVersion);

    out.WriteInt32(m_Fields.Count());
    for (const FieldBinding& field : m_Fields)
    {
        const auto* p = static_cast<const unsigned char*>(field.m_pData);
        for (int k = 0; k < field.m_nElementCount; ++k, p += field.m_nElementSize)
        {
            if (field.m_nElementSize == 8)
            {
                double d;
                std::memcpy(&d, p, sizeof d);
                out.WriteDouble(d);
            }
            else
            {
                int32_t v;
                std::memcpy(&v, p, sizeof v);
                out.WriteInt32(v);
            }
        }
    }

    out.WriteInt32(m_Strings.Count());
    for (const StringBinding& s : m_Strings)
    {
        const std::string& text = *s.m_pString;
        out.WriteInt32(static_cast<int32_t>(text.size() + 1));
        if (!text.empty())
        {
            out.WriteBytes(text.c_str(), text.size() + 1);
        }
    }
}

void SerializableRecord::RemoveCarriageReturns()
{
    BindFields(kDataFormatVersion);
    for (const StringBinding& s : m_Strings)
    {
        std::string& text = *s.m_pString;
        std::size_t end = std::strlen(text.c_str());
        std::size_t out = 0;
        for (std::size_t i = 0; i < end; ++i)
        {
            if (text[i] != '\r')
            {
                text[out++] = text[i];
            }
        }
        text.erase(out, end - out);
    }
}

void ClearRecord(SerializableRecord& record)
{
    record.BindFields(CurrentVersion);
    for (const FieldBinding& field : record.m_Fields)
    {
        std::memset(field.m_pData, 0, static_cast<std::size_t>(field.m_nElementSize) * field.m_nElementCount);
    }
    for (const StringBinding& s : record.m_Strings)
    {
        s.m_pString->clear();
    }
}

SerializableRecord& CopyRecord(SerializableRecord& destination, const SerializableRecord& source)
{
    if (&destination == &source)
    {
        return destination;
    }
    // Binding only records where the members lie; it does not change the source's value.
    auto& src = const_cast<SerializableRecord&>(source);
    destination.BindFields(CurrentVersion);
    src.BindFields(CurrentVersion);
    for (int i = 0; i < destination.m_Fields.Count(); ++i)
    {
        const FieldBinding& to = destination.m_Fields.At(i);
        std::memcpy(to.m_pData, src.m_Fields.At(i).m_pData,
                    static_cast<std::size_t>(to.m_nElementSize) * to.m_nElementCount);
    }
    for (int i = 0; i < destination.m_Strings.Count(); ++i)
    {
        *destination.m_Strings.At(i).m_pString = *src.m_Strings.At(i).m_pString;
    }
    return destination;
}
