#pragma once

// One running copy of a program per user. A program takes an exclusive lock
// on a lock file named after it ("ゲーム" for the game, "エディター" for the
// editor) in the user's runtime folder. The lock belongs to the open file, so
// it goes with the process however the process ends: a file left behind by a
// killed copy never keeps the next one out. The file itself stays; removing
// it could let two copies lock two different files of the same name.

#include <string>
#include <string_view>

namespace platform
{

class SingleInstanceLock
{
public:
    enum class Result
    {
        Acquired,      // this object holds the lock
        HeldElsewhere, // another copy runs
        Unavailable,   // no lock file can be made: nothing is known about other copies
    };

    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock of that name (CP932). Taking it again while held gives Acquired.
    Result Acquire(std::string_view name);
    void Release();
    bool IsHeld() const { return m_nFile >= 0; }

    // The lock file of a name on disk (UTF-8); "" without a runtime folder.
    static std::string LockFilePath(std::string_view name);

private:
    int m_nFile = -1;
};

} // namespace platform
