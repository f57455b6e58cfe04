// SIGTERM and SIGINT taken through a descriptor, whichever thread the system
// would hand them to.
#include "platform/core/TerminationSignals.h"

#include "TempFolder.h"
#include "platform/core/ChildProcess.h"

#include <gtest/gtest.h>
#include <linux/futex.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

namespace
{

bool BecomesReadable(int fd, int milliseconds)
{
    pollfd wait{fd, POLLIN, 0};
    return fd >= 0 && ::poll(&wait, 1, milliseconds) == 1;
}

// A thread parked the way a library's idle worker parks (a bare futex wait,
// which no interceptor of the sanitizers sees), until told to go.
class ParkedThread
{
public:
    ParkedThread()
        : m_Thread(
              [this]
              {
                  m_nId.store(static_cast<int>(::gettid()));
                  while (m_nGo.load() == 0)
                  {
                      ::syscall(SYS_futex, reinterpret_cast<int*>(&m_nGo), FUTEX_WAIT_PRIVATE, 0, nullptr, nullptr, 0);
                  }
              })
    {
    }
    ~ParkedThread()
    {
        m_nGo.store(1);
        ::syscall(SYS_futex, reinterpret_cast<int*>(&m_nGo), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
        m_Thread.join();
    }
    ParkedThread(const ParkedThread&) = delete;
    ParkedThread& operator=(const ParkedThread&) = delete;

    // Whether it sits in its wait in the kernel now (its system call, as /proc tells).
    bool Parked() const
    {
        std::ifstream call("/proc/self/task/" + std::to_string(m_nId.load()) + "/syscall");
        long number = -1;
        return m_nId.load() != 0 && (call >> number) && number == SYS_futex;
    }

private:
    std::atomic<int> m_nId{0};
    std::atomic<int> m_nGo{0};
    std::thread m_Thread;
};

// While the thread that caught the signals has them blocked for a moment (as
// the C library blocks every signal while it makes a thread), the system
// hands a signal to another thread: one parked in a wait that nothing
// interrupts on its behalf must not keep it.
TEST(TerminationSignalsTest, ASignalIsTakenWhileTheOnlyOtherThreadIsParked)
{
    ASSERT_TRUE(platform::CatchTerminationSignals());
    for (int signal : {SIGTERM, SIGINT})
    {
        platform::TakeTerminationSignals(); // nothing left of the signal before
        ParkedThread parked;
        for (int i = 0; i < 10000 && !parked.Parked(); ++i)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_TRUE(parked.Parked());
        sigset_t mask;
        sigset_t previous;
        sigemptyset(&mask);
        sigaddset(&mask, signal);
        pthread_sigmask(SIG_BLOCK, &mask, &previous);
        ::kill(::getpid(), signal);
        EXPECT_TRUE(BecomesReadable(platform::TerminationDescriptor(), 10000)) << signal;
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
        EXPECT_TRUE(platform::TakeTerminationSignals()) << signal;
        EXPECT_FALSE(platform::TakeTerminationSignals()) << "taken once: " << signal;
    }
    platform::ReleaseTerminationSignals();
    EXPECT_EQ(platform::TerminationDescriptor(), -1);
}

// A program started while this one takes the signals takes their default
// action all the same; after the release, so does this one's main thread.
TEST(TerminationSignalsTest, StartedProgramsAndTheReleaseKeepTheDefaultAction)
{
    TempFolder folder;
    folder.WriteFile("wait.sh", std::string("#!/bin/sh\nexec sleep 30\n"));
    ::chmod("wait.sh", 0700);
    ASSERT_TRUE(platform::CatchTerminationSignals());
    platform::ChildProcess program;
    ASSERT_TRUE(program.Start((folder.Path() / "wait.sh").string(), {}));
    ::kill(program.Id(), SIGTERM);
    int code = 0;
    for (int i = 0; i < 10000 && !program.Reap(&code); ++i)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(program.HasEnded()) << "the program kept SIGTERM blocked";
    EXPECT_EQ(code, -1);

    platform::ReleaseTerminationSignals();
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    EXPECT_FALSE(sigismember(&mask, SIGTERM));
    EXPECT_FALSE(sigismember(&mask, SIGINT));
}

} // namespace
