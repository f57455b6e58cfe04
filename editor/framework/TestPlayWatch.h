#pragma once

// The editor's end of the test-play link. On a thread of its own it receives
// the game's reports (platform/core/TestPlayLink.h) and notices when a game
// program it started has ended, however it ended; it queues both and posts one
// message to the window it reports to, which takes them on its own thread
// (TakeEvents). A game is started with the test-play show state in its
// environment.

#include "platform/core/ChildProcess.h"
#include "platform/core/DescriptorWatch.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/WindowSystem.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class TestPlayWatch
{
public:
    struct Events
    {
        std::vector<platform::TestPlayReport> m_Reports; // in the order they came
        std::vector<int> m_EndedGames;                   // process ids of started games that have ended
    };

    TestPlayWatch() = default;
    ~TestPlayWatch();
    TestPlayWatch(const TestPlayWatch&) = delete;
    TestPlayWatch& operator=(const TestPlayWatch&) = delete;

    // The window that gets the message whenever events wait (one message until they are taken).
    void SetNotify(platform::WindowHandle window, uint32_t message);
    // Listens on the endpoint. False when it cannot (no runtime folder, another
    // listener): the editor goes on without the reports.
    bool Listen(std::string_view endpoint);
    bool IsListening() const { return m_Listener.IsOpen(); }
    // Starts the game program (UTF-8 path on disk) with the test-play show
    // state and watches it; its process id, or 0 when it cannot be started.
    int Launch(const std::string& diskPath);
    // The events waiting now; the next ones post the message again.
    Events TakeEvents();
    // Stops listening and watching. Games still running go on.
    void Close();

private:
    void ReceiveReports();
    void CollectGame(int pid);
    void Announce();

    platform::DescriptorWatch m_Watch;
    platform::TestPlayListener m_Listener;
    std::mutex m_Mutex; // the pending events, the games and the window
    Events m_Pending;
    bool m_bAnnounced = false;
    std::vector<std::unique_ptr<platform::ChildProcess>> m_Games;
    platform::WindowHandle m_hNotify;
    uint32_t m_nMessage = 0;
};
