#include "FuzzTarget.h"

#include "common/data/SerializableRecord.h"
#include "platform/core/Files.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/SystemInfo.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace fs = std::filesystem;

namespace fuzz
{

namespace
{

fs::path WorkFolder;

// Where NoteInputSize keeps its figure (empty: nowhere), and the figure.
std::string LargestInputFile;
std::size_t LargestInput = 0;

void RemoveWorkFolder()
{
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(ec), ec);
    fs::remove_all(WorkFolder, ec);
}

[[noreturn]] void ProgramError(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

// libFuzzer's options whose value is a path (or, for the prefix, the start of one).
constexpr std::string_view kPathOptions[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                             "-merge_control_file=", "-features_dir=", "-data_flow_trace="};

std::vector<std::string> Arguments;
std::vector<char*> ArgumentPointers;

void MakePathArgumentsAbsolute(int* argc, char*** argv)
{
    const fs::path start = fs::current_path();
    auto absolute = [&start](std::string_view path) {
        std::string text = (start / path).string();
        // A prefix that names a folder keeps its closing separator.
        if (!path.empty() && path.back() == '/' && text.back() != '/')
        {
            text += '/';
        }
        return text;
    };
    bool hasPrefix = false;
    Arguments.assign(*argv, *argv + *argc);
    for (std::size_t i = 1; i < Arguments.size(); ++i)
    {
        std::string& argument = Arguments[i];
        if (argument.empty() || argument[0] != '-')
        {
            argument = absolute(argument);
            continue;
        }
        for (std::string_view option : kPathOptions)
        {
            if (argument.starts_with(option) && argument.size() > option.size())
            {
                argument = std::string(option) + absolute(std::string_view(argument).substr(option.size()));
                hasPrefix = hasPrefix || option == "-artifact_prefix=";
            }
        }
    }
    if (!hasPrefix)
    {
        Arguments.push_back("-artifact_prefix=" + start.string() + "/");
    }
    ArgumentPointers.clear();
    for (std::string& argument : Arguments)
    {
        ArgumentPointers.push_back(argument.data());
    }
    ArgumentPointers.push_back(nullptr);
    *argc = static_cast<int>(Arguments.size());
    *argv = ArgumentPointers.data();
}

constexpr std::string_view kWorkFolderPrefix = "tk-fuzz-";

// A run that crashed left its work folder (tk-fuzz-TARGET-PID) behind.
void RemoveFoldersOfEndedRuns(const fs::path& base)
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(base, ec))
    {
        const std::string name = entry.path().filename().string();
        const std::size_t dash = name.rfind('-');
        if (!name.starts_with(kWorkFolderPrefix) || dash == std::string::npos)
        {
            continue;
        }
        const std::string pid = name.substr(dash + 1);
        if (!pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos &&
            !fs::exists("/proc/" + pid, ec))
        {
            fs::remove_all(entry.path(), ec);
        }
    }
}

} // namespace

void EnterWorkFolder(const char* target, int* argc, char*** argv)
{
    MakePathArgumentsAbsolute(argc, argv);
    if (const char* file = std::getenv("TK_FUZZ_LARGEST_INPUT"); file != nullptr && *file != '\0')
    {
        LargestInputFile = fs::absolute(file).string();
    }

    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    RemoveFoldersOfEndedRuns(base);
    WorkFolder = base / (std::string(kWorkFolderPrefix) + target + "-" + std::to_string(::getpid()));
    fs::remove_all(WorkFolder, ec);
    if (!fs::create_directory(WorkFolder, ec))
    {
        ProgramError("cannot create the work folder");
    }
    fs::current_path(WorkFolder);
    std::atexit(RemoveWorkFolder);

    CurrentVersion = kDataFormatVersion;
    platform::SetCpuClockMeasurement(false);
    platform::SetDestroyMainWindowHook([] { ProgramError("fatal program error (checked vector access)"); });
    platform::SetPostCloseHook([] { ProgramError("program error that closes the main window"); });
}

__attribute__((weak)) void PrepareTarget()
{
}

void NoteInputSize(std::size_t size)
{
    if (LargestInputFile.empty() || size <= LargestInput)
    {
        return;
    }
    LargestInput = size;
    if (std::FILE* file = std::fopen(LargestInputFile.c_str(), "w"))
    {
        std::fprintf(file, "%zu\n", size);
        std::fclose(file);
    }
}

std::string WorkFolderPath()
{
    return WorkFolder.string();
}

void WriteFile(std::string_view storedPath, const uint8_t* data, std::size_t size)
{
    std::string path = platform::DiskPath(storedPath);
    fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
    {
        fs::create_directories(folder, ec);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
    {
        ProgramError("cannot write a file of the work folder");
    }
}

void WriteFile(std::string_view storedPath, const std::vector<unsigned char>& bytes)
{
    WriteFile(storedPath, bytes.data(), bytes.size());
}

std::vector<unsigned char> ReadFile(std::string_view storedPath)
{
    std::ifstream in(platform::DiskPath(storedPath), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ClearWorkFolder()
{
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(WorkFolder, ec))
    {
        fs::remove_all(entry.path(), ec);
    }
}

void Require(bool condition, const char* what)
{
    if (!condition)
    {
        ProgramError(what);
    }
}

} // namespace fuzz

// The sanitizers' settings of every fuzz target, whoever runs it (options in
// ASAN_OPTIONS and UBSAN_OPTIONS still win). Undefined behaviour aborts, so
// that libFuzzer's handler of the abort keeps the input: GCC's UBSan runtime
// does not call back into libFuzzer when it ends the program. A smaller
// quarantine of freed memory than the 256 MB default leaves room under the
// memory limit for what the loaders themselves take.
extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1:abort_on_error=1";
}

extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:quarantine_size_mb=64";
}
