#include "SoundRequests.h"

#include <mutex>

namespace
{

std::mutex g_Lock;
std::function<void(int)> g_Handler;

} // namespace

void SetSoundRequestHandler(std::function<void(int number)> handler)
{
    std::lock_guard lock(g_Lock);
    g_Handler = std::move(handler);
}

void RequestSound(int number)
{
    std::function<void(int)> handler;
    {
        std::lock_guard lock(g_Lock);
        handler = g_Handler;
    }
    if (handler)
    {
        handler(number);
    }
}
