#pragma once

// A string table that a program carries in a section of its ELF file, so that
// another program can identify it without running or loading it. The editor
// finds the game program this way (the game's string 1 reads "GAME").
//
// Section content: pairs of NUL-terminated texts, the decimal string id and
// then the string (CP932).

#include <map>
#include <string>

// Puts a string table into the program that contains this line, e.g.
// TK_PROGRAM_STRINGS("1\0GAME");
#define TK_PROGRAM_STRINGS(contents)                                                                                   \
    extern "C" __attribute__((section(".tk_strings"), used, aligned(1))) const char tk_program_strings[] = contents

namespace platform
{

constexpr const char* kProgramStringsSection = ".tk_strings";

// Reads the string table of an ELF file on disk (UTF-8 path). False when the
// file is not a readable ELF file or carries no table.
bool ReadProgramStrings(const std::string& diskPath, std::map<int, std::string>& strings);

} // namespace platform
