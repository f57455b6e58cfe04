#include "platform/core/RuntimeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{

// A real folder (no link) of this user that no other user may enter or write.
bool IsPrivateFolder(const std::string& path)
{
    struct stat info{};
    if (path.empty() || path[0] != '/' || ::lstat(path.c_str(), &info) != 0)
    {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

} // namespace

std::string RuntimeFolder()
{
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && IsPrivateFolder(xdg))
    {
        return xdg;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && tmp[0] == '/' ? tmp : "/tmp";
    std::string folder = base + "/tarnwick-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    {
        return "";
    }
    // A folder someone else made under that name is never used.
    return IsPrivateFolder(folder) ? folder : "";
}

} // namespace platform
