#pragma once

// The one lock of the game's data (the database tables, the stage, the
// play-through, the party, the scenes). The game thread holds it for each
// frame, the event thread for each of its own frames; the main thread takes it
// to apply a debug key, so an edit lands between frames and never inside an
// operation of another thread.
//
// A thread that waits for another thread lets go of it for the wait
// (GameDataUnlocked): the game thread while the event thread runs, and any
// game thread that waits for the main thread, so that nobody ever waits on a
// thread that waits for the lock. The waits of Thread (Sleep, WaitUntil) do
// so by themselves.

#include <functional>

class GameDataLock
{
public:
    // Takes the lock; a thread that holds it already only counts one more level.
    GameDataLock();
    ~GameDataLock();
    GameDataLock(const GameDataLock&) = delete;
    GameDataLock& operator=(const GameDataLock&) = delete;

    static bool HeldByThisThread();
};

// Lets go of the lock for its lifetime when the calling thread holds it
// (every level), and takes it back after; nothing otherwise.
class GameDataUnlocked
{
public:
    GameDataUnlocked();
    ~GameDataUnlocked();
    GameDataUnlocked(const GameDataUnlocked&) = delete;
    GameDataUnlocked& operator=(const GameDataUnlocked&) = delete;

private:
    int m_nLevels = 0;
};

// A debug edit of the main thread: runs under the lock.
void ApplyDebugEdit(const std::function<void()>& edit);
