#include "game/engine/Thread.h"

#include "common/services/Log.h"
#include "game/engine/GameDataLock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <unistd.h>

Thread thGame("thGame");
Thread thEvent("thEvent");

namespace
{
thread_local Thread* t_pCurrent = nullptr;

// How often WaitUntil tests its condition when nobody notifies.
constexpr uint32_t kConditionPollMs = 5;

// Runs when the program ends by exit(), before the static objects made
// before the first thread started are destroyed (those that a function makes
// at its first call after that go before it). On a thread of ours the static
// objects must not be destroyed while the other threads use them, and the
// Thread running this one could not join it: its std::thread would end the
// program with std::terminate.
void EndOnThreadAtOnce(int status, void*)
{
    if (Thread::Current())
    {
        std::fflush(nullptr);
        _exit(status);
    }
}
} // namespace

Thread::Thread(std::string_view name) : m_strName(name)
{
}

Thread::~Thread()
{
    Close();
}

Thread* Thread::Current()
{
    return t_pCurrent;
}

bool Thread::Start(Procedure procedure)
{
    // Registered after the static Threads were made, so it runs before they are destroyed.
    static std::once_flag s_EndOnThread;
    std::call_once(s_EndOnThread, [] { on_exit(EndOnThreadAtOnce, nullptr); });
    // No wait on another caller here: a game thread that starts an event
    // within its frame must never wait for a join that waits for its frame.
    std::thread finished;
    {
        std::lock_guard lock(m_StateMutex);
        if (m_bClosed || m_bRunning)
        {
            return false;
        }
        finished = std::move(m_Thread);
    }
    if (finished.joinable())
    {
        finished.join(); // its procedure has returned
    }
    {
        std::lock_guard lock(m_RequestMutex);
        m_Requests.clear();
    }
    std::lock_guard lock(m_StateMutex);
    if (m_bClosed || m_bRunning || m_Thread.joinable())
    {
        return false;
    }
    m_bQuit = false;
    m_bRunning = true;
    try
    {
        m_Thread = std::thread([this, run = std::move(procedure)] { Run(run); });
    }
    catch (const std::system_error&)
    {
        m_bRunning = false;
        return false;
    }
    return true;
}

void Thread::Run(const Procedure& procedure)
{
    t_pCurrent = this;
    procedure();
    t_pCurrent = nullptr;
    std::lock_guard lock(m_StateMutex);
    m_bRunning = false;
    m_Wake.notify_all();
}

bool Thread::HasThread() const
{
    std::lock_guard lock(m_StateMutex);
    return m_Thread.joinable();
}

bool Thread::IsFinished() const
{
    std::lock_guard lock(m_StateMutex);
    return !m_bRunning;
}

void Thread::RequestQuit()
{
    std::lock_guard lock(m_StateMutex);
    m_bQuit = true;
    m_Wake.notify_all();
}

bool Thread::QuitRequested() const
{
    std::lock_guard lock(m_StateMutex);
    return m_bQuit;
}

void Thread::Exit()
{
    if (Current() == this)
    {
        RequestQuit();
        return;
    }
    // The thread may need the game-data lock to finish its frame.
    GameDataUnlocked unlocked;
    std::lock_guard join(m_JoinMutex);
    std::thread running;
    {
        std::lock_guard lock(m_StateMutex);
        if (!m_Thread.joinable())
        {
            return;
        }
        m_bQuit = true;
        m_Wake.notify_all();
        running = std::move(m_Thread);
    }
    WriteErrorLog("Exit A");
    WriteErrorLog("Exit B");
    WriteErrorLog("Exit C");
    running.join();
    WriteErrorLog("Exit D");
    WriteErrorLog("Exit E");
}

void Thread::Close()
{
    {
        std::lock_guard lock(m_StateMutex);
        m_bClosed = true;
    }
    Exit();
}

bool Thread::IsClosed() const
{
    std::lock_guard lock(m_StateMutex);
    return m_bClosed;
}

void Thread::Reopen()
{
    std::lock_guard lock(m_StateMutex);
    m_bClosed = false;
}

bool Thread::Sleep(uint32_t milliseconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    GameDataUnlocked unlocked;
    std::unique_lock lock(m_StateMutex);
    m_Wake.wait_until(lock, deadline, [&] { return m_bQuit; });
    return !m_bQuit;
}

bool Thread::WaitUntil(const std::function<bool()>& condition)
{
    GameDataUnlocked unlocked;
    for (;;)
    {
        unsigned seen = 0;
        {
            std::lock_guard lock(m_StateMutex);
            if (m_bQuit)
            {
                return false;
            }
            seen = m_nWakeSerial;
        }
        if (condition())
        {
            return true;
        }
        std::unique_lock lock(m_StateMutex);
        m_Wake.wait_for(lock, std::chrono::milliseconds(kConditionPollMs),
                        [&] { return m_bQuit || m_nWakeSerial != seen; });
    }
}

void Thread::Notify()
{
    std::lock_guard lock(m_StateMutex);
    ++m_nWakeSerial;
    m_Wake.notify_all();
}

void Thread::QueueRequest(int32_t kind, int32_t value, int32_t extra)
{
    std::lock_guard lock(m_RequestMutex);
    m_Requests.push_back({kind, value, extra});
}

bool Thread::TakeRequest(ThreadRequest& request)
{
    std::lock_guard lock(m_RequestMutex);
    if (m_Requests.empty())
    {
        return false;
    }
    request = m_Requests.front();
    m_Requests.pop_front();
    return true;
}

int Thread::RequestCount() const
{
    std::lock_guard lock(m_RequestMutex);
    return static_cast<int>(m_Requests.size());
}
