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
