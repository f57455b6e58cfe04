#include "DataFile.h"

#include "common/data/FormatString.h"
#include "common/services/Log.h"
#include "common/services/Paths.h"
#include "platform/core/ByteOrder.h"
#include "platform/core/Cp932.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/Files.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <mutex>
#include <set>

std::unique_ptr<DataReader> OpenDataFileForRead(std::string_view name)
{
    std::string path = name.empty() ? std::string("err") : std::string(name);
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(path, bytes))
    {
        return nullptr;
    }
    if (bytes.size() < 4)
    {
        // The file is there but cut short: a damaged file, not a missing one.
        const std::size_t size = bytes.size();
        auto in = std::make_unique<DataReader>(std::move(bytes), size, 0, path);
        in->Fail("the file ends before its version word");
        return in;
    }
    int32_t version = DataReader::DecodeInt32(bytes.data());
    FileVersion = version;
    return std::make_unique<DataReader>(std::move(bytes), 4, version, path);
}

std::unique_ptr<DataFileWriter> OpenDataFileForWrite(std::string_view name, std::string* error)
{
    if (name.empty() || platform::IsFatalErrorRaised())
    {
        if (error)
        {
            *error = name.empty() ? "no file name" : "saving stopped after a fatal error";
        }
        return nullptr;
    }
    auto file = std::make_unique<DataFileWriter>(std::string(name));
    file->WriteInt32(kDataFormatVersion);
    return file;
}

namespace
{

// The files (their paths on disk) that failed to load as damaged and have not
// been saved over since.
std::mutex g_DamagedMutex;
std::set<std::string> g_DamagedFiles;

// The key of a file in the list of damaged files: its full path on disk, one
// for every spelling of it.
std::string DamagedFileKey(std::string_view name)
{
    return platform::AbsoluteDiskPath(name);
}

void SetReason(std::string* error, std::string reason)
{
    if (error)
    {
        *error = std::move(reason);
    }
}

// The names a damaged file is kept under, in the order they are tried:
// NAME.damaged (n = 1), then NAME.damaged.2, NAME.damaged.3, ...
std::string CopyName(std::string_view name, int n)
{
    std::string copy = std::string(name) + ".damaged";
    return n == 1 ? copy : copy + "." + std::to_string(n);
}

// Whether a copy holds these very bytes.
bool HoldsBytes(const std::string& copy, const std::vector<unsigned char>& bytes)
{
    std::vector<unsigned char> held;
    return platform::ReadWholeFile(copy, held) && held == bytes;
}

enum class CopySearch
{
    Make,     // the bytes are written under the first free name
    NameOnly, // nothing is made: the first free name is the answer
};

// The search of KeepDamagedBytes: the first copy name that holds the bytes
// already (none when bytes is null) or is free. Empty, with the reason when
// asked, when the copy cannot be made or no name is left.
std::string FindDamagedCopy(std::string_view name, const std::vector<unsigned char>* bytes, CopySearch search,
                            std::string* error)
{
    for (int n = 1; n < INT_MAX;)
    {
        const std::string copy = CopyName(name, n);
        if (platform::PathExists(copy))
        {
            if (bytes && HoldsBytes(copy, *bytes))
            {
                return copy;
            }
            ++n;
            continue;
        }
        if (search == CopySearch::NameOnly)
        {
            return copy;
        }
        std::string reason;
        switch (platform::WriteNewFile(copy, bytes->data(), bytes->size(), &reason))
        {
        case platform::NewFile::Made:
            return copy;
        case platform::NewFile::Taken:
            // Another program made it first, perhaps of these very bytes.
            if (HoldsBytes(copy, *bytes))
            {
                return copy;
            }
            ++n;
            continue;
        case platform::NewFile::Failed:
            SetReason(error, std::move(reason));
            return {};
        }
    }
    SetReason(error, "no free name for a copy");
    return {};
}

// Keeps a damaged file if it is still noted as damaged; the prefix names the
// step in the log line. False when it is there and cannot be kept; copy is
// the name it is kept under (empty when nothing was to be kept).
bool KeepNotedFile(const std::string& name, const char* step, std::string& copy, std::string* error)
{
    copy.clear();
    const std::string key = DamagedFileKey(name);
    {
        std::lock_guard<std::mutex> lock(g_DamagedMutex);
        if (g_DamagedFiles.find(key) == g_DamagedFiles.end())
        {
            return true;
        }
    }
    if (platform::PathExists(name))
    {
        std::vector<unsigned char> bytes;
        std::string reason;
        if (platform::ReadWholeFile(name, bytes, &reason))
        {
            copy = KeepDamagedBytes(name, bytes, &reason);
        }
        if (copy.empty())
        {
            reason = "the damaged file cannot be kept: " + platform::FromUtf8(reason);
            WriteReportAndErrorLog("%s %s : %s", step, name.c_str(), reason.c_str());
            SetReason(error, std::move(reason));
            return false;
        }
        WriteReport("%s %s : the damaged file is kept as %s", step, name.c_str(), copy.c_str());
    }
    std::lock_guard<std::mutex> lock(g_DamagedMutex);
    g_DamagedFiles.erase(key);
    return true;
}

} // namespace

std::string KeepDamagedBytes(std::string_view name, const std::vector<unsigned char>& bytes, std::string* error)
{
    return FindDamagedCopy(name, &bytes, CopySearch::Make, error);
}

bool KeepDamagedFile(std::string_view name, std::string& copy, std::string* error)
{
    return KeepNotedFile(std::string(name), "Keep", copy, error);
}

bool CloseDataFile(std::unique_ptr<DataFileWriter> file, std::string* error)
{
    if (!file)
    {
        SetReason(error, "no file");
        return false;
    }
    if (platform::IsFatalErrorRaised())
    {
        WriteReport("Save %s : refused after a fatal error", file->Path().c_str());
        SetReason(error, "saving stopped after a fatal error");
        return false;
    }
    std::string copy;
    if (!KeepNotedFile(file->Path(), "Save", copy, error))
    {
        return false;
    }
    std::string reason;
    if (!platform::WriteFileAtomically(file->Path(), file->Bytes().data(), file->Bytes().size(), &reason))
    {
        WriteReportAndErrorLog("Save %s : %s", file->Path().c_str(), platform::FromUtf8(reason).c_str());
        SetReason(error, platform::FromUtf8(reason));
        return false;
    }
    return true;
}

std::string DamagedCopyName(std::string_view name)
{
    std::vector<unsigned char> bytes;
    const bool read = platform::ReadWholeFile(name, bytes);
    return FindDamagedCopy(name, read ? &bytes : nullptr, CopySearch::NameOnly, nullptr);
}

LoadResult FailDamagedLoad(const DataReader& in, int32_t previousVersion, std::string* error)
{
    std::string reason;
    FormatString(reason, "%s at byte %zu", in.Error().c_str(), in.ErrorOffset());
    WriteReportAndErrorLog("Load %s : %s; a copy is kept beside it before it is saved over", in.Name().c_str(),
                           reason.c_str());
    const std::string key = DamagedFileKey(in.Name());
    {
        std::lock_guard<std::mutex> lock(g_DamagedMutex);
        g_DamagedFiles.insert(key);
    }
    FileVersion = previousVersion;
    SetReason(error, std::move(reason));
    return LoadResult::Corrupt;
}

void NoteFileLoaded(const DataReader& in)
{
    {
        std::lock_guard<std::mutex> lock(g_DamagedMutex);
        if (g_DamagedFiles.empty())
        {
            return;
        }
    }
    const std::string key = DamagedFileKey(in.Name());
    std::lock_guard<std::mutex> lock(g_DamagedMutex);
    g_DamagedFiles.erase(key);
}

bool LoadIntVector(CheckedVector<int32_t>& values, DataReader& in)
{
    int32_t count = 0;
    if (!in.ReadCount(count, 4))
    {
        return false;
    }
    return in.ReadInt32Vector(values, static_cast<std::size_t>(count));
}

std::size_t NextVectorRoom(std::size_t read, std::size_t claimed, std::size_t bytesRead, std::size_t bytesLeft)
{
    constexpr std::size_t kFirstRoom = 8;
    std::size_t room = kFirstRoom;
    if (read > 0)
    {
        const std::size_t imageBytes = std::max<std::size_t>(bytesRead / read, kMinRecordImageBytes);
        room = std::max(read + bytesLeft / imageBytes + 1, read + read / 2 + 1);
    }
    return std::min(room, claimed);
}

void SaveIntVector(const CheckedVector<int32_t>& values, DataWriter& out)
{
    out.WriteInt32(values.Count());
    for (int32_t v : values)
    {
        out.WriteInt32(v);
    }
}

int SaveRecordFile(SerializableRecord& record, std::string_view name, std::string* error)
{
    std::unique_ptr<DataFileWriter> out = OpenDataFileForWrite(name, error);
    if (!out)
    {
        return 0;
    }
    record.Save(*out);
    return CloseDataFile(std::move(out), error) ? 1 : 0;
}

namespace
{

constexpr int kNumberedCopyCount = 1000;

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Marks the numbers n whose copy "base_NNN" is in base's folder, the letter
// case of the names aside as the file layer sets it aside.
void MarkNumberedCopies(const std::string& base, bool (&present)[kNumberedCopyCount])
{
    // In UTF-8 no byte of a double-byte character can be taken for a separator.
    std::string utf8 = platform::ToUtf8(base);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    std::size_t slash = utf8.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : utf8.substr(0, slash + 1);
    std::string prefix = (slash == std::string::npos ? utf8 : utf8.substr(slash + 1)) + "_";
    std::transform(prefix.begin(), prefix.end(), prefix.begin(), AsciiLower);

    for (const std::string& entry : platform::ListFolder(platform::FromUtf8(folder)))
    {
        std::string name = platform::ToUtf8(entry);
        if (name.size() != prefix.size() + 3)
        {
            continue;
        }
        std::transform(name.begin(), name.end(), name.begin(), AsciiLower);
        const char* d = name.c_str() + prefix.size();
        if (name.compare(0, prefix.size(), prefix) == 0 && std::isdigit(static_cast<unsigned char>(d[0])) &&
            std::isdigit(static_cast<unsigned char>(d[1])) && std::isdigit(static_cast<unsigned char>(d[2])))
        {
            present[(d[0] - '0') * 100 + (d[1] - '0') * 10 + (d[2] - '0')] = true;
        }
    }
}

} // namespace

std::string NumberedCopyName(std::string_view path, int n)
{
    std::string name;
    FormatString(name, "%s_%d%d%d", std::string(path).c_str(), n / 100, n / 10 % 10, n % 10);
    return name;
}

std::string NumberedCopyBase(std::string_view path, std::string_view extension)
{
    std::string base;
    ReplaceExtension(base, path, std::string(extension).c_str());
    return base;
}

int LoadNumberedCopyInto(std::string_view path, std::string_view extension,
                         int (*tryLoad)(void* record, const std::string& name, int stripCr), void* record,
                         int stripCr)
{
    const std::string base = NumberedCopyBase(path, extension);
    // The folder is listed once: of the thousand names only those present are tried.
    bool present[kNumberedCopyCount] = {};
    MarkNumberedCopies(base, present);
    for (int n = kNumberedCopyCount - 1; n >= 0; --n)
    {
        if (!present[n])
        {
            continue;
        }
        std::string name = NumberedCopyName(base, n);
        if (platform::PathExists(name) && tryLoad(record, name, stripCr) == 1)
        {
            return 1;
        }
    }
    return 0;
}
