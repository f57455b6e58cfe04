#pragma once

// For the life of the object, new files (platform::WriteNewFile) meet a file
// system that cannot make hard links, as vfat and exFAT answer (EPERM); with
// LinksAndNoReplaceRenames, one that refuses a rename that cannot replace as
// well, as some network mounts answer (EINVAL). The flush of the new file may
// be the test's own.

#include "platform/core/Files.h"

#include <cerrno>

class LinklessFileSystem
{
public:
    enum Refuses
    {
        Links,
        LinksAndNoReplaceRenames,
    };

    explicit LinklessFileSystem(Refuses refuses, int (*flush)(int) = nullptr)
    {
        platform::NewFileCalls calls = platform::SystemNewFileCalls();
        calls.m_pLink = [](const char*, const char*) { return Refuse(EPERM); };
        if (refuses == LinksAndNoReplaceRenames)
        {
            calls.m_pRenameNoReplace = [](const char*, const char*) { return Refuse(EINVAL); };
        }
        if (flush)
        {
            calls.m_pFlush = flush;
        }
        m_Previous = platform::SetNewFileCalls(calls);
    }
    ~LinklessFileSystem() { platform::SetNewFileCalls(m_Previous); }
    LinklessFileSystem(const LinklessFileSystem&) = delete;
    LinklessFileSystem& operator=(const LinklessFileSystem&) = delete;

private:
    static int Refuse(int err)
    {
        errno = err;
        return -1;
    }

    platform::NewFileCalls m_Previous;
};
