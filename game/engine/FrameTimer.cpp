#include "game/engine/FrameTimer.h"

#include "common/window/FrameRate.h"
#include "game/engine/GameDataLock.h"
#include "game/engine/Thread.h"
#include "platform/core/Clock.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace
{

std::mutex g_TimerMutex;
bool g_bTimerStarted = false;
uint32_t g_nDue = 0;
FrameRateMeter g_Fps;
std::atomic<bool> g_bPacing{false};

// Milliseconds until the due time (0 when due); under the lock.
uint32_t TimeLeft(uint32_t now)
{
    int32_t left = static_cast<int32_t>(g_nDue - now);
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

} // namespace

bool WaitFrameTimer(int fps)
{
    std::lock_guard lock(g_TimerMutex);
    uint32_t now = platform::TickCount();
    if (!g_bTimerStarted)
    {
        g_bTimerStarted = true;
        g_nDue = now;
    }
    if (fps == 0)
    {
        return true;
    }
    if (uint32_t left = TimeLeft(now); left > 0)
    {
        if (!platform::IsClockDriven())
        {
            return false;
        }
        platform::AdvanceClock(left);
        now += left;
    }
    g_nDue = now + static_cast<uint32_t>(1000 / fps);
    return true;
}

int CountFps()
{
    std::lock_guard lock(g_TimerMutex);
    return g_Fps.Tick(platform::TickCount());
}

void SetFramePacing(bool on)
{
    g_bPacing.store(on);
}

bool IsFramePacing()
{
    return g_bPacing.load();
}

bool PaceFrame(int fps)
{
    if (!IsFramePacing())
    {
        return true;
    }
    // Nobody waits for the game's data while a frame waits for its time.
    GameDataUnlocked unlocked;
    Thread* self = Thread::Current();
    while (!WaitFrameTimer(fps))
    {
        if (self && self->QuitRequested())
        {
            return false;
        }
        uint32_t left = 0;
        {
            std::lock_guard lock(g_TimerMutex);
            left = TimeLeft(platform::TickCount());
        }
        // The clock counts whole milliseconds: sleep through all but the last one.
        if (left > 1 && self)
        {
            self->Sleep(left - 1); // ends early when the quit comes
        }
        else if (left > 1)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(left - 1));
        }
        else
        {
            std::this_thread::yield();
        }
    }
    return !(self && self->QuitRequested());
}

void ResetFrameTimers()
{
    std::lock_guard lock(g_TimerMutex);
    g_bTimerStarted = false;
    g_nDue = 0;
    g_Fps.Reset();
}
