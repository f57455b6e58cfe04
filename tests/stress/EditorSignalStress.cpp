// The editor against termination signals at every moment of its first seconds,
// beside a load on every core: each run starts the real editor in a project
// folder of its own (without a data folder, or a copy of the sample project),
// waits for its report log, waits a while longer, sends SIGINT or SIGTERM and
// expects it to end with 0 within the patience, having written
// "data\EditConfig.dat" and "data\GValInfo.dat" anew. Not a ctest case: it
// takes minutes and a whole machine.
//
//   stress_editor_signals [signals] [spread in ms] [patience in ms] [editor]
//
// Defaults: 200 signals spread over the first 3000 ms after the report log
// appears, 10000 ms patience, the editor of this build. The moments follow
// the golden-ratio sequence, so that any number of runs covers the spread
// evenly. An editor still running after the patience has its threads' states
// and signal masks printed and is killed; its folder is kept. The tally is the
// last line; the exit status is 0 only when every run passed.

#include "tests/editor/framework/EditorBitmapFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kStartPatience = 120000; // ms until the report log appears; a sanitizer build starts slowly

// Busy threads, one per core, for the life of the object.
class CoreLoad
{
public:
    CoreLoad()
    {
        unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i)
        {
            m_Threads.emplace_back(
                [this]
                {
                    volatile unsigned long sink = 0;
                    while (!m_bStop.load(std::memory_order_relaxed))
                    {
                        for (int j = 0; j < 100000; ++j)
                        {
                            sink = sink * 6364136223846793005ul + 1442695040888963407ul;
                        }
                    }
                });
        }
    }
    ~CoreLoad()
    {
        m_bStop = true;
        for (std::thread& thread : m_Threads)
        {
            thread.join();
        }
    }
    CoreLoad(const CoreLoad&) = delete;
    CoreLoad& operator=(const CoreLoad&) = delete;
    size_t Size() const { return m_Threads.size(); }

private:
    std::atomic<bool> m_bStop{false};
    std::vector<std::thread> m_Threads;
};

// A file's identity: a save that replaces it through a temporary file gives it a new one.
std::optional<std::pair<dev_t, ino_t>> FileIdentity(const fs::path& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
    {
        return std::nullopt;
    }
    return std::make_pair(info.st_dev, info.st_ino);
}

std::string ReadSmallFile(const fs::path& path)
{
    std::ifstream in(path);
    std::string text;
    std::getline(in, text, '\0');
    return text;
}

// What a run of the editor that did not end shows of itself: each thread's name, state and signals.
void PrintThreads(pid_t pid)
{
    fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
    std::error_code error;
    for (const fs::directory_entry& task : fs::directory_iterator(tasks, error))
    {
        std::string comm = ReadSmallFile(task.path() / "comm");
        std::string wchan = ReadSmallFile(task.path() / "wchan");
        std::string line = task.path().filename().string() + " " + comm.substr(0, comm.find('\n')) + " wchan=" + wchan;
        std::ifstream status(task.path() / "status");
        for (std::string field; std::getline(status, field);)
        {
            if (field.rfind("State:", 0) == 0 || field.rfind("SigPnd:", 0) == 0 || field.rfind("ShdPnd:", 0) == 0 ||
                field.rfind("SigBlk:", 0) == 0)
            {
                line += " " + field;
            }
        }
        std::printf("    %s\n", line.c_str());
    }
}

struct Run
{
    bool m_bSample = false;
    int m_nSignal = SIGTERM;
    int m_nDelay = 0; // ms after the report log appeared
};

enum class Outcome
{
    Passed,
    NotStarted,  // no report log within kStartPatience
    Late,        // still running after the patience
    BadExit,     // ended otherwise than with 0
    FilesMissing // ended, but without both files written anew
};

class Stress
{
public:
    Stress(fs::path editor, fs::path sample, int patience)
        : m_Editor(std::move(editor)), m_Sample(std::move(sample)), m_nPatience(patience)
    {
    }

    Outcome RunOnce(const Run& run, double& endMs)
    {
        char pattern[] = "/tmp/tk-signal-stress-XXXXXX";
        if (!::mkdtemp(pattern))
        {
            std::perror("mkdtemp");
            std::exit(2);
        }
        const fs::path root = pattern;
        const fs::path project = root / "project";
        const fs::path runtime = root / "run"; // the single-instance lock and the test-play link
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        if (run.m_bSample)
        {
            fs::copy(m_Sample, project, fs::copy_options::recursive);
        }
        else
        {
            CopyEditorBitmaps(project);
        }
        const fs::path config = project / "data" / "EditConfig.dat";
        const fs::path names = project / "data" / "GValInfo.dat";
        const auto configBefore = FileIdentity(config);
        const auto namesBefore = FileIdentity(names);

        pid_t pid = Spawn(project, runtime, root / "output.txt");
        Outcome outcome = Watch(pid, run, project, endMs);
        if (outcome == Outcome::Passed)
        {
            const auto configAfter = FileIdentity(config);
            const auto namesAfter = FileIdentity(names);
            if (!configAfter || configAfter == configBefore || !namesAfter || namesAfter == namesBefore)
            {
                outcome = Outcome::FilesMissing;
            }
        }
        if (outcome == Outcome::Passed)
        {
            fs::remove_all(root);
        }
        else
        {
            std::printf("    kept %s\n", root.c_str());
        }
        return outcome;
    }

private:
    pid_t Spawn(const fs::path& project, const fs::path& runtime, const fs::path& output)
    {
        std::vector<std::string> variables;
        for (char** entry = environ; *entry; ++entry)
        {
            std::string_view text(*entry);
            if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("TARNWICK_BOXES=", 0) != 0 &&
                text.rfind("XDG_RUNTIME_DIR=", 0) != 0)
            {
                variables.emplace_back(text);
            }
        }
        variables.push_back("QT_QPA_PLATFORM=offscreen");
        variables.push_back("TARNWICK_BOXES=stderr");
        variables.push_back("XDG_RUNTIME_DIR=" + runtime.string());
        std::vector<char*> envp;
        for (std::string& variable : variables)
        {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, project.c_str());
        // Into a file, never a pipe nobody reads: a full pipe would stop the editor.
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        std::string program = m_Editor.string();
        char* argv[] = {program.data(), nullptr};
        pid_t pid = -1;
        int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
        {
            std::fprintf(stderr, "cannot start %s: %s\n", program.c_str(), std::strerror(error));
            std::exit(2);
        }
        return pid;
    }

    // True once the process has ended; its wait status then.
    static bool Ended(pid_t pid, int& status)
    {
        pid_t got = 0;
        while ((got = ::waitpid(pid, &status, WNOHANG)) < 0 && errno == EINTR)
        {
        }
        return got == pid;
    }

    static void KillAndReap(pid_t pid)
    {
        ::kill(pid, SIGKILL);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR)
        {
        }
    }

    Outcome Watch(pid_t pid, const Run& run, const fs::path& project, double& endMs)
    {
        int status = 0;
        const auto startDeadline = Clock::now() + std::chrono::milliseconds(kStartPatience);
        while (!fs::exists(project / "Report_Editor.txt"))
        {
            if (Ended(pid, status))
            {
                std::printf("    ended before its report log (status %d)\n", status);
                return Outcome::NotStarted;
            }
            if (Clock::now() > startDeadline)
            {
                KillAndReap(pid);
                return Outcome::NotStarted;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(run.m_nDelay));
        ::kill(pid, run.m_nSignal);
        const auto signalled = Clock::now();
        const auto deadline = signalled + std::chrono::milliseconds(m_nPatience);
        while (!Ended(pid, status))
        {
            if (Clock::now() > deadline)
            {
                std::printf("    still running %d ms after the signal:\n", m_nPatience);
                PrintThreads(pid);
                KillAndReap(pid);
                return Outcome::Late;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        endMs = std::chrono::duration<double, std::milli>(Clock::now() - signalled).count();
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        {
            std::printf("    ended with status %d\n", status);
            return Outcome::BadExit;
        }
        return Outcome::Passed;
    }

    fs::path m_Editor;
    fs::path m_Sample;
    int m_nPatience;
};

const char* OutcomeName(Outcome outcome)
{
    switch (outcome)
    {
    case Outcome::Passed:
        return "ended";
    case Outcome::NotStarted:
        return "NOT STARTED";
    case Outcome::Late:
        return "STILL RUNNING";
    case Outcome::BadExit:
        return "BAD EXIT";
    case Outcome::FilesMissing:
        return "FILES MISSING";
    }
    return "?";
}

} // namespace

int main(int argc, char** argv)
{
    const int signals = argc > 1 ? std::atoi(argv[1]) : 200;
    const int spread = argc > 2 ? std::atoi(argv[2]) : 3000;
    const int patience = argc > 3 ? std::atoi(argv[3]) : 10000;
    const fs::path editor = argc > 4 ? argv[4] : TK_EDITOR_PROGRAM;
    if (signals <= 0 || spread < 0 || patience <= 0)
    {
        std::fprintf(stderr, "usage: %s [signals] [spread in ms] [patience in ms] [editor]\n", argv[0]);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    CoreLoad load;
    std::printf("%s: %d signals over the first %d ms, %d ms patience, %zu busy threads\n", editor.c_str(), signals,
                spread, patience, load.Size());
    Stress stress(editor, TK_SAMPLE_DIR, patience);
    int passed = 0;
    double slowest = 0;
    for (int i = 0; i < signals; ++i)
    {
        Run run;
        run.m_bSample = i % 2 == 1;
        run.m_nSignal = i / 2 % 2 == 0 ? SIGINT : SIGTERM;
        const double golden = 0.6180339887498949;
        double fraction = (i + 1) * golden;
        fraction -= static_cast<long>(fraction);
        run.m_nDelay = static_cast<int>(fraction * spread);
        double endMs = 0;
        Outcome outcome = stress.RunOnce(run, endMs);
        if (outcome == Outcome::Passed)
        {
            ++passed;
            slowest = std::max(slowest, endMs);
        }
        std::printf("%3d %-7s %-7s +%4d ms: %s", i + 1, run.m_bSample ? "sample" : "no data",
                    run.m_nSignal == SIGINT ? "SIGINT" : "SIGTERM", run.m_nDelay, OutcomeName(outcome));
        if (outcome == Outcome::Passed)
        {
            std::printf(" in %.0f ms", endMs);
        }
        std::printf("\n");
    }
    std::printf("slowest end after its signal: %.0f ms\n", slowest);
    std::printf("%d passed, %d failed\n", passed, signals - passed);
    return passed == signals ? 0 : 1;
}
