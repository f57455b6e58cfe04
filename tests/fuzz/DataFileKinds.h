#pragma once

// The data-file kinds that have a fuzz target each (fuzz_<name>): where the
// input is written, and the run: the file is loaded as the programs load it,
// and a file that loads must save, load back and save again to the same bytes.
// The seed writer loads each of its seeds as the run does, to see that it loads.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fuzz
{

struct DataFileKind
{
    const char* m_pName; // the target is fuzz_<name>
    const char* m_pPath; // the stored path the input is written to
    void (*m_Run)(const char* path, const uint8_t* data, std::size_t size);
    bool (*m_Loads)(const char* path); // true when the file at the path loads
};

constexpr int kDataFileKindCount = 14;
extern const DataFileKind kDataFileKinds[kDataFileKindCount];

// Null for a name no kind has.
const DataFileKind* FindDataFileKind(std::string_view name);

} // namespace fuzz
