#include "Clock.h"

#include <chrono>
#include <mutex>

namespace platform
{
namespace
{

std::mutex g_OverrideLock;
std::function<uint32_t()> g_Override;

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
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return static_cast<uint32_t>(elapsed.count());
}

void SetTickCountOverride(std::function<uint32_t()> source)
{
    std::lock_guard lock(g_OverrideLock);
    g_Override = std::move(source);
}

} // namespace platform
