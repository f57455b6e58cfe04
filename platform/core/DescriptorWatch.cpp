#include "platform/core/DescriptorWatch.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform
{

DescriptorWatch::~DescriptorWatch()
{
    Stop();
}

bool DescriptorWatch::Add(int fd, Handler handler)
{
    if (fd < 0)
    {
        return false;
    }
    std::lock_guard lock(m_Mutex);
    if (!m_Thread.joinable())
    {
        if (::pipe2(m_nWake, O_CLOEXEC | O_NONBLOCK) != 0)
        {
            m_nWake[0] = m_nWake[1] = -1;
            return false;
        }
        m_bStopping = false;
        m_Thread = std::thread(&DescriptorWatch::Run, this);
    }
    m_Entries.push_back({fd, std::move(handler)});
    Wake();
    return true;
}

void DescriptorWatch::Remove(int fd)
{
    std::lock_guard lock(m_Mutex);
    for (auto it = m_Entries.begin(); it != m_Entries.end(); ++it)
    {
        if (it->m_nFd == fd)
        {
            m_Entries.erase(it);
            break;
        }
    }
    Wake();
}

void DescriptorWatch::Stop()
{
    {
        std::lock_guard lock(m_Mutex);
        if (!m_Thread.joinable())
        {
            return;
        }
        m_bStopping = true;
        Wake();
    }
    m_Thread.join();
    std::lock_guard lock(m_Mutex);
    m_Entries.clear();
    ::close(m_nWake[0]);
    ::close(m_nWake[1]);
    m_nWake[0] = m_nWake[1] = -1;
}

void DescriptorWatch::Wake()
{
    if (m_nWake[1] >= 0)
    {
        char byte = 1;
        // A full pipe already holds a wake-up.
        [[maybe_unused]] ssize_t written = ::write(m_nWake[1], &byte, 1);
    }
}

void DescriptorWatch::Run()
{
    std::vector<pollfd> waits;
    std::vector<int> fds;
    for (;;)
    {
        {
            std::lock_guard lock(m_Mutex);
            if (m_bStopping)
            {
                return;
            }
            waits.assign(1, pollfd{m_nWake[0], POLLIN, 0});
            fds.clear();
            for (const Entry& entry : m_Entries)
            {
                waits.push_back({entry.m_nFd, POLLIN, 0});
                fds.push_back(entry.m_nFd);
            }
        }
        if (::poll(waits.data(), waits.size(), -1) < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return;
        }
        if (waits[0].revents)
        {
            char drain[64];
            while (::read(m_nWake[0], drain, sizeof(drain)) > 0)
            {
            }
        }
        for (std::size_t i = 1; i < waits.size(); ++i)
        {
            if (!waits[i].revents)
            {
                continue;
            }
            std::lock_guard lock(m_Mutex);
            if (m_bStopping)
            {
                return;
            }
            // Still watched: an earlier handler of this round may have removed it.
            for (const Entry& entry : m_Entries)
            {
                if (entry.m_nFd == fds[i - 1])
                {
                    Handler handler = entry.m_Handler;
                    handler();
                    break;
                }
            }
        }
    }
}

} // namespace platform
