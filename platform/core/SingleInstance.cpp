#include "platform/core/SingleInstance.h"

#include "platform/core/Cp932.h"
#include "platform/core/RuntimeFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform
{

SingleInstanceLock::~SingleInstanceLock()
{
    Release();
}

std::string SingleInstanceLock::LockFilePath(std::string_view name)
{
    std::string folder = RuntimeFolder();
    if (folder.empty())
    {
        return "";
    }
    std::string file = ToUtf8(name);
    for (char& c : file)
    {
        if (c == '/')
        {
            c = '_';
        }
    }
    return folder + "/tarnwick-" + file + ".lock";
}

SingleInstanceLock::Result SingleInstanceLock::Acquire(std::string_view name)
{
    if (IsHeld())
    {
        return Result::Acquired;
    }
    std::string path = LockFilePath(name);
    if (path.empty())
    {
        return Result::Unavailable;
    }
    int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (file < 0)
    {
        return Result::Unavailable;
    }
    int locked = 0;
    do
    {
        locked = ::flock(file, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0)
    {
        bool busy = errno == EWOULDBLOCK;
        ::close(file);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    m_nFile = file;
    return Result::Acquired;
}

void SingleInstanceLock::Release()
{
    if (m_nFile >= 0)
    {
        ::flock(m_nFile, LOCK_UN);
        ::close(m_nFile);
        m_nFile = -1;
    }
}

} // namespace platform
