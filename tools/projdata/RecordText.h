#pragma once

// Records as text: every bound member, string and stored vector of a record,
// flattened into named fields ("[1].m_MoveAI[0].m_nMode"), for showing a file
// and for comparing two.

#include "common/data/SerializableRecord.h"

#include <ostream>
#include <string>
#include <vector>

struct RecordField
{
    std::string m_strPath;
    std::vector<std::string> m_Values; // one text per element; strings quoted, UTF-8
};

using RecordFields = std::vector<RecordField>;

// Appends the fields of a record (bound at the current format), its name prefixed to each path.
void AppendRecordFields(SerializableRecord& record, const std::string& prefix, RecordFields& fields);

// "path = v0 v1 ..." lines.
void PrintFields(const RecordFields& fields, std::ostream& out);

// Prints each difference ("path: a -> b"); the number of differences.
int PrintDifferences(const RecordFields& a, const RecordFields& b, std::ostream& out);

// A CP932 string as a quoted UTF-8 text, with control bytes and bytes that do
// not convert escaped.
std::string QuoteText(const std::string& cp932);
