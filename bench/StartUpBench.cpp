// The start-up of the two programs against the one second of the processor
// clock measurement that each makes for its system report (a busy wait of
// one second, which the report needs and which stays):
// - BM_GameToTitle: `tarnwick-game --headless --no-pacing` on a copy of the
//   sample project, from its start until the title shows its menu (a script
//   that passes there; the passing line is the moment), the title's fade-in
//   run without waiting for its frames;
// - BM_EditorToFirstWindow: `tarnwick-editor` offscreen (Qt's offscreen
//   platform) on a copy of the sample project, from its start until its main
//   thread first waits in its message loop, which it does once the stage
//   editor and its palette are up and drawn; then SIGTERM ends it.
// Each run of a program is followed by a run of the same clock measurement in
// this process, timed the same way (wall-clock seconds), so that both meet
// the same load of the machine. Counters: "s", the median of the program's
// runs in seconds; "clock_s", the median of the clock measurement's runs;
// "x_clock", the median of the runs' ratios of program to clock measurement.
// Five runs of each by default; --runs N changes it. Sound goes to SDL's
// dummy driver in both programs. A program that fails, or that has not got
// there within a minute, or that has not ended a minute after, is killed and
// ends the benchmark with an error and the exit status 1.

#include "BenchSupport.h"
#include "platform/core/SystemInfo.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kPatience = std::chrono::seconds(60);
constexpr char kTitleScript[] = "until scene 0 state 1 within 600\n";

// Whether a program did not get there (the exit status says so, for the test that runs the benchmark).
bool ProgramFailed = false;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values)
{
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The folder the benchmark works in, with a copy of the sample project for
// each program and a private runtime folder (the editor's single-instance
// lock and test-play endpoint).
const fs::path& WorkFolder()
{
    static BenchFolder folder; // removed with everything in it when the program ends
    static const fs::path root = []
    {
        const fs::path here = fs::current_path();
        for (const char* project : {"game", "editor"})
        {
            fs::copy(TK_SAMPLE_DIR, here / project, fs::copy_options::recursive);
        }
        fs::create_directory(here / "runtime");
        fs::permissions(here / "runtime", fs::perms::owner_all);
        std::ofstream(here / "title.play") << kTitleScript;
        return here;
    }();
    return root;
}

// The environment of the programs: this one's, with private runtime files,
// Qt offscreen, sound to SDL's dummy driver and message boxes to the errors.
std::vector<std::string> ProgramEnvironment()
{
    const std::vector<std::string> own = {"XDG_RUNTIME_DIR=" + (WorkFolder() / "runtime").string(),
                                          "QT_QPA_PLATFORM=offscreen", "SDL_AUDIODRIVER=dummy",
                                          "TARNWICK_BOXES=stderr"};
    std::vector<std::string> environment = own;
    for (char** entry = environ; *entry; ++entry)
    {
        const std::string variable = *entry;
        const std::string name = variable.substr(0, variable.find('='));
        if (std::none_of(own.begin(), own.end(), [&name](const std::string& o) { return o.rfind(name + "=", 0) == 0; }))
        {
            environment.push_back(variable);
        }
    }
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
    {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a program in a project folder of the work folder, its standard output
// to `output` (-1: nowhere) and its errors nowhere. The process id, 0 when it failed.
pid_t Spawn(const char* project, std::vector<std::string> args, int output)
{
    static std::vector<std::string> environment = ProgramEnvironment();
    const std::vector<char*> envp = Pointers(environment);
    const std::vector<char*> argv = Pointers(args);
    const std::string folder = (WorkFolder() / project).string();
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        const int none = ::open("/dev/null", O_RDWR);
        ::dup2(output >= 0 ? output : none, STDOUT_FILENO);
        ::dup2(none, STDERR_FILENO);
        ::dup2(none, STDIN_FILENO);
        if (::chdir(folder.c_str()) == 0)
        {
            ::execve(argv[0], argv.data(), envp.data());
        }
        ::_exit(127);
    }
    return pid > 0 ? pid : 0;
}

// Reads what the pipe has, waiting for it until `deadline`: the bytes read,
// 0 at the pipe's end (or when reading fails), -1 when the deadline came first.
ssize_t ReadBefore(int fd, char* buffer, std::size_t size, Clock::time_point deadline)
{
    for (;;)
    {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
        {
            return -1;
        }
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR)
        {
            return 0;
        }
        if (ready > 0)
        {
            const ssize_t got = ::read(fd, buffer, size);
            if (got >= 0 || errno != EINTR)
            {
                return std::max<ssize_t>(got, 0);
            }
        }
    }
}

// Ends the process with SIGKILL and reaps it.
void Kill(pid_t pid)
{
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR)
    {
    }
}

// Waits for the process until `deadline`; true when it ended with 0. One
// that has not ended by then is killed, and `failure` says that `program` did not end.
bool EndedWell(pid_t pid, Clock::time_point deadline, const char* program, std::string& failure)
{
    int status = 0;
    for (;;)
    {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
        {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (ended < 0 && errno != EINTR)
        {
            return false;
        }
        if (Clock::now() >= deadline)
        {
            Kill(pid);
            failure = std::string(program) + " did not end within a minute; killed";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// The seconds from the game's start to its title's menu; 0 when it did not get there.
double GameToTitle(std::string& failure)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
    {
        return 0.0;
    }
    const Clock::time_point start = Clock::now();
    const pid_t game = Spawn(
        "game", {TK_GAME_PROGRAM, "--headless", "--no-pacing", "--script", (WorkFolder() / "title.play").string()},
        pipe[1]);
    ::close(pipe[1]);
    double seconds = 0.0;
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while (seconds == 0.0 && game != 0 && (got = ReadBefore(pipe[0], buffer, sizeof(buffer), start + kPatience)) > 0)
    {
        text.append(buffer, std::size_t(got));
        if (text.find("script passed") != std::string::npos)
        {
            seconds = Seconds(Clock::now() - start);
        }
    }
    if (game != 0 && seconds == 0.0)
    {
        ::kill(game, SIGKILL);
    }
    // The rest of its output, untimed, as it closes.
    const Clock::time_point closing = Clock::now() + kPatience;
    while ((got = ReadBefore(pipe[0], buffer, sizeof(buffer), closing)) > 0)
    {
    }
    ::close(pipe[0]);
    if (game != 0 && got < 0)
    {
        Kill(game);
        failure = "the game did not close its output within a minute as it ended; killed";
        return 0.0;
    }
    const bool well = game != 0 && EndedWell(game, closing, "the game", failure);
    return well ? seconds : 0.0;
}

// Whether the process's main thread waits in poll or ppoll, as the message
// loop does when it has nothing to do (a thread that runs reads "running").
bool WaitsInPoll(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/syscall");
    long call = -1;
    if (!(file >> call))
    {
        return false;
    }
#ifdef SYS_poll
    if (call == SYS_poll)
    {
        return true;
    }
#endif
    return call == SYS_ppoll;
}

// The seconds from the editor's start to its first wait in its message loop;
// 0 when it did not get there.
double EditorToFirstWindow(std::string& failure)
{
    const Clock::time_point start = Clock::now();
    const pid_t editor = Spawn("editor", {TK_EDITOR_PROGRAM}, -1);
    if (editor == 0)
    {
        return 0.0;
    }
    double seconds = 0.0;
    while (Clock::now() < start + kPatience)
    {
        if (WaitsInPoll(editor))
        {
            seconds = Seconds(Clock::now() - start);
            break;
        }
        int status = 0;
        if (::waitpid(editor, &status, WNOHANG) == editor)
        {
            return 0.0;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(editor, seconds > 0.0 ? SIGTERM : SIGKILL);
    const bool well = EndedWell(editor, Clock::now() + kPatience, "the editor", failure);
    return well ? seconds : 0.0;
}

// The seconds of one clock measurement, as the programs make it.
double ClockMeasurement()
{
    const Clock::time_point start = Clock::now();
    benchmark::DoNotOptimize(platform::MeasureCpuClockHz());
    return Seconds(Clock::now() - start);
}

// `run` gives the program's seconds, or 0 when it failed, then naming the
// failure when it is other than `failure`.
void TimeAgainstClock(benchmark::State& state, const std::function<double(std::string&)>& run, const char* failure)
{
    WorkFolder(); // made before the first run, untimed
    std::vector<double> programs;
    std::vector<double> clocks;
    std::vector<double> ratios;
    for (auto _ : state)
    {
        std::string why;
        const double program = run(why);
        if (program <= 0.0)
        {
            state.SkipWithError(why.empty() ? failure : why.c_str());
            ProgramFailed = true;
            return;
        }
        const double clock = ClockMeasurement();
        state.SetIterationTime(program);
        programs.push_back(program);
        clocks.push_back(clock);
        ratios.push_back(program / clock);
    }
    state.counters["s"] = Median(programs);
    state.counters["clock_s"] = Median(clocks);
    state.counters["x_clock"] = Median(ratios);
}

void BM_GameToTitle(benchmark::State& state)
{
    TimeAgainstClock(state, GameToTitle, "the game did not reach its title");
}

void BM_EditorToFirstWindow(benchmark::State& state)
{
    TimeAgainstClock(state, EditorToFirstWindow, "the editor did not reach its first window");
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::vector<char*> args(argv, argv + argc);
    for (auto it = args.begin() + 1; it != args.end(); ++it)
    {
        if (std::string(*it) == "--runs" && it + 1 != args.end())
        {
            runs = std::max(1, std::atoi(*(it + 1)));
            args.erase(it, it + 2);
            break;
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
    {
        return 1;
    }
    benchmark::RegisterBenchmark("BM_GameToTitle", BM_GameToTitle)
        ->Iterations(runs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_EditorToFirstWindow", BM_EditorToFirstWindow)
        ->Iterations(runs)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return ProgramFailed ? 1 : 0;
}
