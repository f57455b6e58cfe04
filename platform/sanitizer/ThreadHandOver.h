#pragma once

// Events handed from another thread to the Qt main thread go through Qt's
// queue, whose locks ThreadSanitizer cannot see. The thread that posts calls
// ReleaseBeforePost just before posting; the main thread calls
// AcquireOnReceipt before it first touches an event. Outside ThreadSanitizer
// both do nothing.

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace platform
{

#if defined(__SANITIZE_THREAD__)
inline char g_PostedEventHandOver;

inline void ReleaseBeforePost()
{
    __tsan_release(&g_PostedEventHandOver);
}

inline void AcquireOnReceipt()
{
    __tsan_acquire(&g_PostedEventHandOver);
}
#else
inline void ReleaseBeforePost()
{
}
inline void AcquireOnReceipt()
{
}
#endif

} // namespace platform
