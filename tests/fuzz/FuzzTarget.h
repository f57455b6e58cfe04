#pragma once

// Shared pieces of the fuzz targets (each a libFuzzer program; see the README).
//
// A target runs in a work folder of its own, which is the project folder for
// the whole run: each input is written there as the file a loader reads, and
// the loader is called as the programs call it. A program error that the code
// reports instead of crashing (a checked vector read outside its elements)
// stops the run, so that libFuzzer keeps the input, and so does a broken
// property of the target (Require).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz
{

// Makes a new folder the current folder for the rest of the run (under
// /dev/shm when there is one, where the saves' flushes to disk cost nothing)
// and removes it when the program ends (or, after a crash, when the next run
// starts). The program's start-up settings are made as the editor and the
// game make them. Called by every target's LLVMFuzzerInitialize (FuzzStart.cpp)
// with its arguments: the paths among libFuzzer's arguments (corpus folders,
// inputs, -artifact_prefix= and the like) become absolute first, so that they
// keep naming what they named, and crash inputs land in the folder the program
// was started in unless -artifact_prefix= says otherwise.
void EnterWorkFolder(const char* target, int* argc, char*** argv);

// What a target sets up in its work folder before the first input; a target
// that needs nothing does not define it.
void PrepareTarget();

// The run of one input, which every target defines; libFuzzer's entry
// (LLVMFuzzerTestOneInput, FuzzStart.cpp) notes the input's size and calls it.
int TestOneInput(const uint8_t* data, std::size_t size);

// Keeps the size of the largest input run so far in the file that the
// environment variable TK_FUZZ_LARGEST_INPUT names, written again each time
// an input is larger than all before it (so that it holds even after a
// crash); nothing is kept when the variable is not set.
void NoteInputSize(std::size_t size);

// The work folder's path on disk.
std::string WorkFolderPath();

// Writes the bytes to a stored path of the work folder, creating its folders.
void WriteFile(std::string_view storedPath, const uint8_t* data, std::size_t size);
void WriteFile(std::string_view storedPath, const std::vector<unsigned char>& bytes);
// The whole file; empty when it cannot be read.
std::vector<unsigned char> ReadFile(std::string_view storedPath);
// Removes every file and folder inside the work folder.
void ClearWorkFolder();

// Stops the run (abort, so that libFuzzer writes the crash input) with the
// message when the condition does not hold.
void Require(bool condition, const char* what);

} // namespace fuzz
