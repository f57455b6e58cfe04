#pragma once

// The game's threads: the game thread `thGame`, which runs one frame after
// another, and the event thread `thEvent`, which the stage map starts for each
// event it runs. Each is one Thread object on a std::thread.
//
// Ending. A thread is asked to end by a quit request (RequestQuit); its loop
// tests QuitRequested(), and every wait of the thread's own (Sleep, WaitUntil)
// returns at once when the quit comes. Exit asks and then joins: only one
// caller joins, however many call it at once, and every caller returns once
// the thread has ended. A thread that ends by itself stays joinable until its
// owner's next Start or Exit; IsFinished() tells that it ended, in place of a
// zero wait on a handle. Close is the shut-down's Exit: after it the object
// refuses to start again, so a thread cannot start while the program ends.
// exit() called on one of these threads (a library's fatal error handler
// does so) ends the program at once with that status: the static objects,
// the Thread that runs it among them, are not destroyed under the threads
// still running.
//
// Requests. The running thread queues requests for its owner, which takes
// them oldest first; the list is locked, so the two may run at once. The game
// thread waits for an event with its own waits (thGame.WaitUntil or Sleep,
// serving the requests between them), which let go of the game-data lock for
// the event thread's frames and end when the game is closed.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

struct ThreadRequest
{
    int32_t m_nKind = 0;
    int32_t m_nValue = 0;
    int32_t m_nExtra = 0;

    bool operator==(const ThreadRequest&) const = default;
};

class Thread
{
public:
    using Procedure = std::function<void()>;

    explicit Thread(std::string_view name);
    // Closes the thread (asks it to end and joins it).
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    const std::string& Name() const { return m_strName; }

    // Runs the procedure on a new thread and empties the request list. A
    // finished thread of this object is joined first. False while the
    // previous thread still runs, after Close, or when no thread can be made.
    bool Start(Procedure procedure);
    // Whether a started thread has not been joined yet (it may have finished).
    bool HasThread() const;
    // True when no thread runs: never started, finished, or joined.
    bool IsFinished() const;

    // Asks the running thread to end and wakes its waits. Any thread.
    void RequestQuit();
    // On the thread: whether it was asked to end.
    bool QuitRequested() const;
    // Asks the thread to end and waits until it has, letting go of the
    // game-data lock meanwhile; traces its steps to the error log. Without a
    // started thread it returns at once and writes nothing. From the thread
    // itself it only asks.
    void Exit();
    // Exit, and every later Start is refused.
    void Close();
    bool IsClosed() const;
    // A new run of the game may start the thread again.
    void Reopen();

    // On the thread: waits the time, or less when the quit comes. False when
    // the quit came. A thread holding the game-data lock lets go of it meanwhile.
    bool Sleep(uint32_t milliseconds);
    // On the thread: waits until the condition holds (tested whenever Notify
    // is called and every few milliseconds), or the quit comes. False when the
    // quit came. The game-data lock is let go of meanwhile, as in Sleep, so
    // the condition must not read the game's data.
    bool WaitUntil(const std::function<bool()>& condition);
    // Wakes the waits of WaitUntil to test their condition again. Any thread.
    void Notify();

    // The running thread queues a request for its owner.
    void QueueRequest(int32_t kind, int32_t value, int32_t extra);
    // The owner takes the oldest request; false when none waits.
    bool TakeRequest(ThreadRequest& request);
    int RequestCount() const;

    // The Thread whose procedure runs on the calling thread; null on any other.
    static Thread* Current();

private:
    void Run(const Procedure& procedure);

    std::string m_strName;

    mutable std::mutex m_StateMutex; // guards everything below but the requests
    std::condition_variable m_Wake;
    std::thread m_Thread;
    bool m_bRunning = false;
    bool m_bQuit = false;
    bool m_bClosed = false;
    unsigned m_nWakeSerial = 0;

    std::mutex m_JoinMutex; // held by the one caller of Exit that joins

    mutable std::mutex m_RequestMutex;
    std::deque<ThreadRequest> m_Requests;
};

// The game thread and the event thread.
extern Thread thGame;
extern Thread thEvent;
