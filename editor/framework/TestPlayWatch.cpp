#include "editor/framework/TestPlayWatch.h"

#include <algorithm>

TestPlayWatch::~TestPlayWatch()
{
    Close();
}

void TestPlayWatch::SetNotify(platform::WindowHandle window, uint32_t message)
{
    std::lock_guard lock(m_Mutex);
    m_hNotify = window;
    m_nMessage = message;
}

bool TestPlayWatch::Listen(std::string_view endpoint)
{
    if (m_Listener.IsOpen())
    {
        m_Watch.Remove(m_Listener.Descriptor());
    }
    if (!m_Listener.Open(endpoint))
    {
        return false;
    }
    if (!m_Watch.Add(m_Listener.Descriptor(), [this] { ReceiveReports(); }))
    {
        m_Listener.Close();
        return false;
    }
    return true;
}

int TestPlayWatch::Launch(const std::string& diskPath)
{
    auto game = std::make_unique<platform::ChildProcess>();
    if (!game->Start(diskPath, {{platform::kShowStateVariable, std::to_string(platform::kShowStateTestPlay)}}))
    {
        return 0;
    }
    int pid = game->Id();
    int exitFd = game->ExitDescriptor();
    {
        std::lock_guard lock(m_Mutex);
        m_Games.push_back(std::move(game));
    }
    // Without a descriptor for its end only the end report tells that the game is over.
    if (exitFd >= 0)
    {
        m_Watch.Add(exitFd, [this, pid] { CollectGame(pid); });
    }
    return pid;
}

TestPlayWatch::Events TestPlayWatch::TakeEvents()
{
    std::lock_guard lock(m_Mutex);
    Events events = std::move(m_Pending);
    m_Pending = Events();
    m_bAnnounced = false;
    return events;
}

void TestPlayWatch::Close()
{
    m_Watch.Stop();
    m_Listener.Close();
    std::lock_guard lock(m_Mutex);
    m_Games.clear();
    m_Pending = Events();
    m_bAnnounced = false;
}

// ---- the watch thread ----

void TestPlayWatch::ReceiveReports()
{
    platform::TestPlayReport report;
    bool any = false;
    while (m_Listener.Receive(report))
    {
        std::lock_guard lock(m_Mutex);
        m_Pending.m_Reports.push_back(std::move(report));
        any = true;
    }
    if (any)
    {
        Announce();
    }
}

void TestPlayWatch::CollectGame(int pid)
{
    int exitFd = -1;
    {
        std::lock_guard lock(m_Mutex);
        auto it = std::find_if(m_Games.begin(), m_Games.end(), [pid](const auto& game) { return game->Id() == pid; });
        if (it == m_Games.end())
        {
            return;
        }
        if (!(*it)->Reap())
        {
            return; // woken early: not over yet
        }
        exitFd = (*it)->ExitDescriptor();
        m_Pending.m_EndedGames.push_back(pid);
    }
    // Its descriptor stays open (and so unused by anything else) until the game is forgotten below.
    m_Watch.Remove(exitFd);
    {
        std::lock_guard lock(m_Mutex);
        std::erase_if(m_Games, [pid](const auto& game) { return game->Id() == pid; });
    }
    Announce();
}

void TestPlayWatch::Announce()
{
    platform::WindowHandle window;
    uint32_t message = 0;
    {
        std::lock_guard lock(m_Mutex);
        if (m_bAnnounced || !m_hNotify)
        {
            return;
        }
        m_bAnnounced = true;
        window = m_hNotify;
        message = m_nMessage;
    }
    platform::PostWindowMessage(window, message, 0, 0);
}
