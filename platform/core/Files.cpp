#include "Files.h"

#include "Cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

bool AsciiCaseEqual(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

bool Exists(const std::string& diskPath)
{
    struct stat st;
    return ::lstat(diskPath.c_str(), &st) == 0;
}

// The entry of a folder whose name equals the component but for letter case;
// the smallest such name when several do, "" when none does.
std::string FindCaseInsensitive(const std::string& folder, std::string_view component)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
    {
        return {};
    }
    std::string best;
    while (dirent* entry = ::readdir(dir))
    {
        std::string_view name = entry->d_name;
        if (AsciiCaseEqual(name, component) && (best.empty() || name < best))
        {
            best = name;
        }
    }
    ::closedir(dir);
    return best;
}

// Stored CP932 path to UTF-8 with '/' separators. The conversion comes first so
// that a 0x5C trail byte of a double-byte character is never taken for '\\'.
std::string ToSlashedUtf8(std::string_view storedPath)
{
    std::string path = ToUtf8(storedPath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string ParentFolder(const std::string& diskPath)
{
    auto slash = diskPath.find_last_of('/');
    if (slash == std::string::npos)
    {
        return ".";
    }
    return slash == 0 ? "/" : diskPath.substr(0, slash);
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0)
    {
        ssize_t n = ::write(fd, data, size);
        if (n < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

mode_t NewFileMode()
{
    // The process umask, read without changing it (umask() would race with other threads).
    static const mode_t mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
        {
            if (line.rfind("Umask:", 0) == 0)
            {
                return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
            }
        }
        return static_cast<mode_t>(022);
    }();
    return 0666 & ~mask;
}

void SetError(std::string* error, const std::string& what, int err)
{
    if (error)
    {
        *error = what + ": " + std::strerror(err);
    }
}

// The current folder on disk (UTF-8); "" when it cannot be read.
std::string CurrentDiskFolder()
{
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size()))
    {
        if (errno != ERANGE)
        {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

} // namespace

std::string DiskPath(std::string_view storedPath)
{
    std::string path = ToSlashedUtf8(storedPath);
    if (path.empty() || Exists(path))
    {
        return path;
    }

    std::string resolved;
    std::size_t pos = 0;
    if (path[0] == '/')
    {
        resolved = "/";
        pos = 1;
    }
    bool matching = true; // once a component is missing, the rest cannot exist either
    while (pos <= path.size())
    {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos)
        {
            end = path.size();
        }
        std::string component = path.substr(pos, end - pos);
        if (!component.empty() || end < path.size())
        {
            std::string candidate = resolved;
            if (!candidate.empty() && candidate.back() != '/')
            {
                candidate += '/';
            }
            if (matching && !component.empty() && component != "." && component != ".." &&
                !Exists(candidate + component))
            {
                std::string found = FindCaseInsensitive(resolved, component);
                if (found.empty())
                {
                    matching = false;
                }
                else
                {
                    component = found;
                }
            }
            resolved = candidate + component;
        }
        pos = end + 1;
    }
    return resolved;
}

std::string AbsoluteDiskPath(std::string_view storedPath)
{
    std::filesystem::path path(DiskPath(storedPath));
    if (path.is_relative())
    {
        path = std::filesystem::path(CurrentDiskFolder()) / path;
    }
    return path.lexically_normal().string();
}

bool PathExists(std::string_view storedPath)
{
    return !storedPath.empty() && Exists(DiskPath(storedPath));
}

bool IsFolder(std::string_view storedPath)
{
    struct stat st;
    return !storedPath.empty() && ::stat(DiskPath(storedPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsExecutableFile(std::string_view storedPath)
{
    struct stat st;
    return !storedPath.empty() && ::stat(DiskPath(storedPath).c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

bool IsAbsolutePath(std::string_view path)
{
    return !path.empty() && (path[0] == '/' || path[0] == '\\');
}

std::string CurrentFolder()
{
    return FromUtf8(CurrentDiskFolder());
}

bool ReadWholeFile(std::string_view storedPath, std::vector<unsigned char>& bytes, std::string* error)
{
    std::string disk = DiskPath(storedPath);
    int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
    {
        SetError(error, "cannot open " + disk, errno);
        return false;
    }
    std::vector<unsigned char> data;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
    {
        data.reserve(static_cast<std::size_t>(st.st_size));
    }
    unsigned char buffer[65536];
    for (;;)
    {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            SetError(error, "cannot read " + disk, errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
        {
            break;
        }
        data.insert(data.end(), buffer, buffer + n);
    }
    ::close(fd);
    bytes.swap(data);
    return true;
}

namespace
{

// The batch that the atomic writes of this thread note their folders in.
thread_local FolderFlushBatch* t_pFlushBatch = nullptr;

// Flushes a folder's entries (a rename in it) to the disk. False, with the reason, when it cannot.
bool FlushFolder(const std::string& folder, std::string* reason = nullptr)
{
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
    {
        if (reason)
        {
            *reason = "cannot open the folder " + folder;
        }
        return false;
    }
    bool flushed = ::fsync(dirFd) == 0;
    if (!flushed && reason)
    {
        *reason = "cannot flush the folder " + folder;
    }
    int err = errno;
    ::close(dirFd);
    errno = err;
    return flushed;
}

// Writes the bytes into a file of its own and flushes it; closes it. False, with errno set, on any failure.
bool WriteAndFlush(int fd, const void* data, std::size_t size, int (*flush)(int))
{
    bool ok = WriteAll(fd, static_cast<const char*>(data), size) && flush(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok)
    {
        return false;
    }
    errno = err;
    return ok;
}

// Writes the bytes into a new temporary file beside the target (a disk path)
// with the mode given, flushed to the disk and closed. Its disk path; empty,
// with nothing left behind and the reason when asked, on any failure.
std::string WriteFlushedTemporary(const std::string& target, mode_t mode, const void* data, std::size_t size,
                                  int (*flush)(int), std::string* error)
{
    std::string temp = target + ".tmp-XXXXXX";
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
    {
        SetError(error, "cannot create a file beside " + target, errno);
        return {};
    }
    if (::fchmod(fd, mode) != 0)
    {
        int err = errno;
        ::close(fd);
        errno = err;
        fd = -1;
    }
    if (fd < 0 || !WriteAndFlush(fd, data, size, flush))
    {
        int err = errno;
        ::unlink(temp.c_str());
        SetError(error, "cannot write " + target, err);
        return {};
    }
    return temp;
}

} // namespace

bool WriteFileAtomically(std::string_view storedPath, const void* data, std::size_t size, std::string* error)
{
    std::string target = DiskPath(storedPath);
    if (target.empty())
    {
        SetError(error, "empty file name", EINVAL);
        return false;
    }
    struct stat st;
    const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
    const std::string temp = WriteFlushedTemporary(target, mode, data, size, ::fsync, error);
    if (temp.empty())
    {
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0)
    {
        int err = errno;
        ::unlink(temp.c_str());
        SetError(error, "cannot write " + target, err);
        return false;
    }

    // Make the rename itself durable: now, or once for the folder at the end of a batch.
    if (t_pFlushBatch)
    {
        t_pFlushBatch->Note(ParentFolder(target));
    }
    else
    {
        FlushFolder(ParentFolder(target));
    }
    return true;
}

namespace
{

int RenameNoReplace(const char* from, const char* to)
{
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

constexpr NewFileCalls kSystemNewFileCalls{::fsync, ::link, RenameNoReplace};
NewFileCalls g_NewFileCalls = kSystemNewFileCalls;

// What link answers on a file system that cannot link.
bool LinkUnsupported(int err)
{
    return err == EPERM || err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS || err == EMLINK || err == EXDEV;
}

// What a rename that cannot replace answers where the file system does not
// offer it (EINVAL: network file systems among others) or the kernel lacks it.
bool RenameNoReplaceUnsupported(int err)
{
    return err == EINVAL || err == ENOSYS || err == ENOTSUP || err == EOPNOTSUPP;
}

// What a claim of a name ends in: Made, Taken, or an error number for Failed;
// and whether the temporary file was renamed to the name (else it is still there).
struct Claim
{
    NewFile result;
    int err;
    bool renamed;
};

// The last way to claim a name, where neither a link nor a rename that cannot
// replace can be made: the name is claimed by a file NAME.claim made with an
// exclusive create, and the whole file renamed to the name while no file is
// there. The name still only ever appears whole and flushed, and is never
// removed; and of the programs that claim names this way, none replaces
// another's file. What it cannot guard against is a program that writes the
// name some other way while the claim is held. A program that ends while it
// holds a claim leaves NAME.claim behind, and the name is then passed over
// (Taken) by the next ones.
Claim ClaimWithClaimFile(const std::string& temp, const std::string& target)
{
    const std::string claimName = target + ".claim";
    int fd = ::open(claimName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode());
    if (fd < 0)
    {
        return errno == EEXIST ? Claim{NewFile::Taken, 0, false} : Claim{NewFile::Failed, errno, false};
    }
    ::close(fd);
    Claim claim{NewFile::Made, 0, true};
    if (Exists(target))
    {
        claim = {NewFile::Taken, 0, false};
    }
    else if (::rename(temp.c_str(), target.c_str()) != 0)
    {
        claim = {NewFile::Failed, errno, false};
    }
    ::unlink(claimName.c_str());
    return claim;
}

// Gives a whole, flushed temporary file the name, if no file has it: by a
// link, else by a rename that cannot replace, else under a claim file.
Claim ClaimName(const std::string& temp, const std::string& target)
{
    if (g_NewFileCalls.m_pLink(temp.c_str(), target.c_str()) == 0)
    {
        return {NewFile::Made, 0, false};
    }
    int err = errno;
    if (!LinkUnsupported(err))
    {
        return {err == EEXIST ? NewFile::Taken : NewFile::Failed, err, false};
    }
    if (g_NewFileCalls.m_pRenameNoReplace(temp.c_str(), target.c_str()) == 0)
    {
        return {NewFile::Made, 0, true};
    }
    err = errno;
    if (!RenameNoReplaceUnsupported(err))
    {
        return {err == EEXIST ? NewFile::Taken : NewFile::Failed, err, false};
    }
    return ClaimWithClaimFile(temp, target);
}

} // namespace

NewFileCalls SystemNewFileCalls()
{
    return kSystemNewFileCalls;
}

NewFileCalls SetNewFileCalls(const NewFileCalls& calls)
{
    NewFileCalls previous = g_NewFileCalls;
    g_NewFileCalls = calls;
    return previous;
}

NewFile WriteNewFile(std::string_view storedPath, const void* data, std::size_t size, std::string* error)
{
    std::string target = DiskPath(storedPath);
    if (target.empty())
    {
        SetError(error, "empty file name", EINVAL);
        return NewFile::Failed;
    }
    if (Exists(target))
    {
        return NewFile::Taken;
    }
    const std::string temp = WriteFlushedTemporary(target, NewFileMode(), data, size, g_NewFileCalls.m_pFlush, error);
    if (temp.empty())
    {
        return NewFile::Failed;
    }
    const Claim claim = ClaimName(temp, target);
    if (!claim.renamed)
    {
        ::unlink(temp.c_str());
    }
    switch (claim.result)
    {
    case NewFile::Made:
        // At once, in a batch too: the file is often the copy of one about to
        // be replaced, and must be on the disk before that replacement is.
        FlushFolder(ParentFolder(target));
        break;
    case NewFile::Taken:
        break;
    case NewFile::Failed:
        SetError(error, "cannot make " + target, claim.err);
        break;
    }
    return claim.result;
}

FolderFlushBatch::FolderFlushBatch() : m_pOuter(t_pFlushBatch)
{
    t_pFlushBatch = this;
}

FolderFlushBatch::~FolderFlushBatch()
{
    Flush();
    t_pFlushBatch = m_pOuter;
}

void FolderFlushBatch::Note(const std::string& folder)
{
    if (std::find(m_Folders.begin(), m_Folders.end(), folder) == m_Folders.end())
    {
        m_Folders.push_back(folder);
    }
}

bool FolderFlushBatch::Flush(std::string* error)
{
    bool flushed = true;
    for (const std::string& folder : m_Folders)
    {
        std::string reason;
        if (!FlushFolder(folder, &reason) && flushed)
        {
            flushed = false;
            SetError(error, reason, errno);
        }
    }
    m_Folders.clear();
    return flushed;
}

bool CreateFolders(std::string_view storedPath)
{
    std::string path = DiskPath(storedPath);
    for (std::size_t pos = 1; pos <= path.size(); ++pos)
    {
        if (pos == path.size() || path[pos] == '/')
        {
            std::string prefix = path.substr(0, pos);
            if (::mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            {
                return false;
            }
        }
    }
    return IsFolder(storedPath);
}

std::vector<std::string> ListFolder(std::string_view storedFolder)
{
    std::vector<std::string> names;
    std::string disk = storedFolder.empty() ? std::string(".") : DiskPath(storedFolder);
    DIR* dir = ::opendir(disk.c_str());
    if (!dir)
    {
        return names;
    }
    while (dirent* entry = ::readdir(dir))
    {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..")
        {
            names.push_back(FromUtf8(name));
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool RemoveFile(std::string_view storedPath)
{
    std::string disk = DiskPath(storedPath);
    return ::unlink(disk.c_str()) == 0 || errno == ENOENT;
}

bool WriteTextFile(std::string_view storedPath, TextOpen how, std::string_view text)
{
    std::string disk = DiskPath(storedPath);
    int flags = O_WRONLY | O_CLOEXEC | (how == TextOpen::CreateOrTruncate ? O_CREAT | O_TRUNC : O_APPEND);
    int fd = ::open(disk.c_str(), flags, NewFileMode());
    if (fd < 0)
    {
        return false;
    }
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text)
    {
        if (c == '\n')
        {
            out += '\r';
        }
        out += c;
    }
    bool ok = WriteAll(fd, out.data(), out.size());
    return ::close(fd) == 0 && ok;
}

} // namespace platform
