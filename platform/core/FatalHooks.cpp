#include "FatalHooks.h"

#include <atomic>
#include <mutex>

namespace platform
{
namespace
{

std::mutex g_Lock;
std::function<void()> g_DestroyMainWindow;
std::function<void()> g_PostClose;
std::atomic<bool> g_Fatal{false};

void Run(const std::function<void()>& hook)
{
    std::function<void()> copy;
    {
        std::lock_guard lock(g_Lock);
        copy = hook;
    }
    if (copy)
    {
        copy();
    }
}

} // namespace

void SetDestroyMainWindowHook(std::function<void()> hook)
{
    std::lock_guard lock(g_Lock);
    g_DestroyMainWindow = std::move(hook);
}

void SetPostCloseHook(std::function<void()> hook)
{
    std::lock_guard lock(g_Lock);
    g_PostClose = std::move(hook);
}

void FatalError()
{
    g_Fatal = true;
    Run(g_DestroyMainWindow);
}

void RequestClose()
{
    Run(g_PostClose);
}

bool IsFatalErrorRaised()
{
    return g_Fatal;
}

void ClearFatalError()
{
    g_Fatal = false;
}

} // namespace platform
