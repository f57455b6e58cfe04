#pragma once

// A thread that waits for descriptors to become readable (sockets, pipes,
// processes that end) and runs each one's handler on that thread. A handler
// reads what is there or removes its descriptor; it must not wait for the
// thread that adds and removes them. Typical handlers queue what they read and
// post a message to a window.

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace platform
{

class DescriptorWatch
{
public:
    using Handler = std::function<void()>;

    DescriptorWatch() = default;
    ~DescriptorWatch();
    DescriptorWatch(const DescriptorWatch&) = delete;
    DescriptorWatch& operator=(const DescriptorWatch&) = delete;

    // Watches the descriptor (the thread starts with the first one). False
    // when the thread cannot be started.
    bool Add(int fd, Handler handler);
    // Stops watching it; when this returns, its handler neither runs nor will
    // run again. A handler may remove its own descriptor.
    void Remove(int fd);
    // Stops the thread and forgets every descriptor.
    void Stop();

    bool IsRunning() const { return m_Thread.joinable(); }

private:
    struct Entry
    {
        int m_nFd = -1;
        Handler m_Handler;
    };

    void Run();
    void Wake();

    std::recursive_mutex m_Mutex; // held while a handler runs, so Remove waits for it
    std::vector<Entry> m_Entries;
    bool m_bStopping = false;
    int m_nWake[2] = {-1, -1};
    std::thread m_Thread;
};

} // namespace platform
