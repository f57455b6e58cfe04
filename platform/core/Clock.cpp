#include "Clock.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace platform
{
namespace
{

std::mutex g_OverrideLock;
std::function<uint32_t()> g_Override;
std::atomic<bool> g_bDriven{false};
std::atomic<uint32_t> g_nDrivenNow{0};

} // namespace

uint32_t TickCount()
{
    {
        std::lock_guard lock(g_OverrideLock);
        if (g_Override)
        {
            return g_Override();
        }
    }
    if (g_bDriven.load())
    {
        return g_nDrivenNow.load();
    }
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return static_cast<uint32_t>(elapsed.count());
}

void SetTickCountOverride(std::function<uint32_t()> source)
{
    std::lock_guard lock(g_OverrideLock);
    g_Override = std::move(source);
}

void DriveClock(uint32_t start)
{
    g_nDrivenNow.store(start);
    g_bDriven.store(true);
}

void StopDrivingClock()
{
    g_bDriven.store(false);
}

bool IsClockDriven()
{
    return g_bDriven.load();
}

void AdvanceClock(uint32_t milliseconds)
{
    g_nDrivenNow.fetch_add(milliseconds);
}

} // namespace platform
