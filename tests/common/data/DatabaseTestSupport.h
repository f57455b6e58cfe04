#pragma once

// Shared pieces of the database record tests: a fixture that resets the
// project globals in a temporary project folder, and helpers that fill,
// save and reload records in memory.

#include "TempFolder.h"
#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/FatalHooks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace dbtest
{

// Puts the project globals back to the state a process starts in.
inline void ResetProjectGlobals()
{
    CurrentVersion = 0;
    ResetProjectData();
}

// The tests of the records run as in a program after its start-up: records
// bind at the current format.
class DatabaseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        ResetProjectGlobals();
        CurrentVersion = kDataFormatVersion;
    }
    void TearDown() override
    {
        ResetProjectGlobals();
        platform::ClearFatalError();
    }

    TempFolder m_Folder;
};

// Gives every bound member of the record a distinct value: the ints seed,
// seed + 1, ..., the doubles the same numbers plus 0.25, the strings "s0",
// "s1", ... (so that a wrong place or a lost member shows in the bytes).
inline void FillBoundFields(SerializableRecord& record, int32_t seed)
{
    record.BindFields(kDataFormatVersion);
    int32_t next = seed;
    for (const FieldBinding& field : record.BoundFields())
    {
        auto* p = static_cast<unsigned char*>(field.m_pData);
        for (int k = 0; k < field.m_nElementCount; ++k, p += field.m_nElementSize, ++next)
        {
            if (field.m_nElementSize == 8)
            {
                double d = next + 0.25;
                std::memcpy(p, &d, sizeof d);
            }
            else
            {
                std::memcpy(p, &next, sizeof next);
            }
        }
    }
    int n = 0;
    for (const StringBinding& s : record.BoundStrings())
    {
        *s.m_pString = "s" + std::to_string(seed + n++);
    }
}

// The size of a record's image as its bound members, its strings and the
// vectors it shows a visitor account for. A record whose VisitVectors misses a
// stored vector comes out smaller than what it saves, even when that vector is
// empty (its count takes four bytes).
inline std::size_t ShownImageSize(SerializableRecord& record)
{
    class Counter : public VectorVisitor
    {
    public:
        std::size_t m_nBytes = 0;
        void Ints(const std::string&, const int32_t*, int count) override
        {
            m_nBytes += 4 + 4 * static_cast<std::size_t>(count);
        }
        void Records(const std::string&, int count,
                     const std::function<SerializableRecord&(int index)>& element) override
        {
            m_nBytes += 4;
            for (int i = 0; i < count; ++i)
            {
                m_nBytes += ShownImageSize(element(i));
            }
        }
        void Record(const std::string&, SerializableRecord& sub) override { m_nBytes += ShownImageSize(sub); }
    };

    record.BindFields(kDataFormatVersion);
    std::size_t bytes = 8; // the field count and the string count
    for (const FieldBinding& field : record.BoundFields())
    {
        bytes += static_cast<std::size_t>(field.m_nElementSize) * field.m_nElementCount;
    }
    for (const StringBinding& s : record.BoundStrings())
    {
        bytes += 4 + (s.m_pString->empty() ? 0 : s.m_pString->size() + 1);
    }
    Counter counter;
    record.VisitVectors(counter);
    return bytes + counter.m_nBytes;
}

inline std::vector<unsigned char> SaveBytes(SerializableRecord& record)
{
    DataWriter out;
    record.Save(out);
    return out.Bytes();
}

// Loads a record image held in memory as a file of the given version would.
inline bool LoadBytes(SerializableRecord& record, const std::vector<unsigned char>& bytes,
                      int32_t version = kDataFormatVersion)
{
    DataReader in(bytes, version, "memory");
    return record.Load(in) && !in.Failed() && in.Remaining() == 0;
}

} // namespace dbtest
