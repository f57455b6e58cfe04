// The cost of loading a large project against reading the same bytes from
// disk: 999 records in each database table and 200 stages of 64 x 64 cells.
// The plain project (busy:0) holds new records and stages with nothing but
// their cells; the busy one (busy:1) also gives every character skills and AI
// and every stage 20 enemies and 20 events. Each load is set against two
// readings of every file the load reads, timed the same way as the load and
// interleaved with it, for both projects alike:
// - "reading": the programs' own reading routine (platform::ReadWholeFile),
//   each file whole into a buffer of its own, its stored path resolved;
// - "bare": the floor of reading those bytes: each file opened by its path on
//   disk, read whole by one read() into one buffer, closed. The paths are
//   resolved, and the buffer sized to the largest file, once before any
//   reading is timed; the buffer serves every file of every round.
// The figures, each the median of the ratios of load to reading:
// - "x_reading_reused", "x_bare_reused": a load into memory the process
//   already has. The program keeps all memory it frees; one untimed load
//   before the rounds gives it what a load takes, and each round then reads
//   the files both ways and loads the project. The goal is under 3.
// - "x_reading_reused_default", "x_bare_reused_default": the same rounds in a
//   run of this program in the project folder (--reused-load) with the
//   allocator's defaults, as the programs run: freed memory may go back to
//   the system and come back page-faulted.
// - "x_reading_fresh", "x_bare_fresh": the first load of a fresh process (as
//   `projdata check` meets it, page faults included) against the first
//   reading of a fresh process: each a run of this program in the project
//   folder (--fresh-read, --fresh-bare, --fresh-load) with the allocator's
//   defaults; 21 such threes.
// A load that fails ends the benchmark with an error.

#include "BenchSupport.h"
#include "PairedTiming.h"
#include "common/data/DataFilePaths.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/Files.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr int kTableRecords = 999;
constexpr int kStages = 200;
constexpr int kStageSide = 64;
constexpr int kStageEnemies = 20;
constexpr int kStageEvents = 20;

std::string StagePath(int n)
{
    return "data\\stg\\Stage" + std::to_string(n) + ".stg";
}

template <class T>
void FillTable(CheckedVector<T>& table)
{
    T record;
    record.SetDefaults();
    table.assign(kTableRecords, record);
}

void GiveCharactersSkillsAndAi()
{
    for (int i = 0; i < kTableRecords; ++i)
    {
        FriendRecord& f = FriendTable[i];
        f.m_strName = "ともだち" + std::to_string(i);
        f.m_strText = "仲間になってくれる人";
        f.m_LearnSkill.resize(4);
        for (int k = 0; k < 4; ++k)
        {
            f.m_LearnSkill[k].m_nSkill = 1 + (i + k) % (kTableRecords - 1);
            f.m_LearnSkill[k].m_nLevel = 5 * (k + 1);
        }
        f.m_Skill.resize(8);

        EnemyRecord& e = EnemyTable[i];
        e.m_strName = "てき" + std::to_string(i);
        e.m_MoveAI.resize(2);
        e.m_BattleAi.resize(3);
        for (BattleAiEntry& entry : e.m_BattleAi)
        {
            entry.m_Condition.resize(2);
        }
    }
}

void AddEnemiesAndEvents()
{
    Stage.m_Enemy.resize(kStageEnemies);
    for (int i = 0; i < kStageEnemies; ++i)
    {
        EnemyPlacement& p = Stage.m_Enemy[i];
        p.m_nEnemy = 1 + i;
        p.m_nX = i;
        p.m_nY = i;
        p.m_MoveAI.resize(2);
    }
    for (int i = 0; i < kStageEvents; ++i)
    {
        Event event;
        event.Init();
        event.m_strName = "イベント" + std::to_string(i);
        EventCommand command;
        command.Init();
        command.m_nCode = 1; // a message
        command.FitArguments();
        event.m_Page[0].m_Action.assign(5, command);
        Stage.PutEvent(event, i, kStageSide - 1 - i);
    }
    Stage.m_GroupPos[0].m_Point.resize(8);
}

void MakeStage(int n, bool busy)
{
    Stage = StageRecord();
    Stage.ResizeMap(kStageSide, kStageSide);
    for (int y = 0; y < kStageSide; ++y)
    {
        for (int x = 0; x < kStageSide; ++x)
        {
            Stage.CellAt(x, y) = (x * 7 + y * 3 + n) % kTableRecords;
        }
    }
    Stage.m_strName = "ステージ" + std::to_string(n);
    if (busy)
    {
        AddEnemiesAndEvents();
    }
    SaveStage(StagePath(n));
}

// Writes a project in the current folder.
void MakeProject(bool busy)
{
    for (const char* sub : {"data\\database", "data\\stg", "data\\plt", "data\\wplt"})
    {
        platform::CreateFolders(sub);
    }
    CurrentVersion = kDataFormatVersion;
    ResetProjectData();
    LoadProjectData();
    FillTable(ClassTable);
    FillTable(ItemTable);
    FillTable(SkillTable);
    FillTable(LandTable);
    FillTable(FriendTable);
    FillTable(EnemyTable);
    if (busy)
    {
        GiveCharactersSkillsAndAi();
    }
    SaveDatabase();
    SaveShutDownData();
    SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]);
    SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]);
    for (int n = 0; n < kStages; ++n)
    {
        MakeStage(n, busy);
    }
}

// Every file that a load reads.
std::vector<std::string> ProjectFiles()
{
    std::vector<std::string> files(std::begin(DataFilePaths), std::end(DataFilePaths));
    for (int n = 0; n < kStages; ++n)
    {
        files.push_back(StagePath(n) + "_276");
    }
    return files;
}

// Every file read with the programs' own routine; the bytes read.
std::size_t ReadEveryFile(const std::vector<std::string>& files)
{
    std::size_t total = 0;
    for (const std::string& file : files)
    {
        std::vector<unsigned char> bytes;
        platform::ReadWholeFile(file, bytes);
        total += bytes.size();
    }
    return total;
}

// The files that a load reads, read bare: each opened by its path on disk,
// read whole by one read() into one buffer and closed.
class BareReading
{
public:
    // Resolves the paths and sizes the buffer to the largest file. A file
    // that is not there is left out, as the load leaves it out.
    explicit BareReading(const std::vector<std::string>& files)
    {
        std::size_t largest = 0;
        for (const std::string& file : files)
        {
            const std::string disk = platform::DiskPath(file);
            struct stat st;
            if (::stat(disk.c_str(), &st) != 0)
            {
                continue; // the load does not read it either
            }
            m_DiskPaths.push_back(disk);
            m_Sizes.push_back(st.st_size);
            largest = std::max(largest, static_cast<std::size_t>(st.st_size));
        }
        m_Buffer.assign(largest, 0); // touched now, so that no reading page-faults on it
    }

    // The bytes read; 0 when a file could not be read whole at once.
    std::size_t ReadEveryFile()
    {
        std::size_t total = 0;
        for (std::size_t i = 0; i < m_DiskPaths.size(); ++i)
        {
            const int fd = ::open(m_DiskPaths[i].c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
            {
                return 0;
            }
            const ssize_t read = ::read(fd, m_Buffer.data(), m_Buffer.size());
            ::close(fd);
            if (read != m_Sizes[i])
            {
                return 0;
            }
            total += static_cast<std::size_t>(read);
        }
        return total;
    }

private:
    std::vector<std::string> m_DiskPaths;
    std::vector<off_t> m_Sizes;
    std::vector<unsigned char> m_Buffer;
};

// Every stage into an object of its own; false when one did not load.
bool LoadStages(CheckedVector<StageRecord>& stages)
{
    bool loaded = true;
    for (int n = 0; n < kStages; ++n)
    {
        loaded = LoadRecordFile(stages[n], StagePath(n) + "_276", 0) == 1 && loaded;
    }
    return loaded;
}

// The project's data files; "" when each that is there loaded, else what failed.
std::string LoadTables()
{
    for (const ProjectFileStatus& file : LoadProjectData())
    {
        // The project has no default stage nor palettes: those are not opened.
        if (file.m_Result == LoadResult::Corrupt ||
            (file.m_Result == LoadResult::NotOpened && platform::PathExists(file.m_strPath)))
        {
            return file.m_strPath + " did not load: " + file.m_strError;
        }
    }
    return {};
}

double SecondsOf(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Enters the folder of the project, written on the first visit.
void EnterProject(bool busy)
{
    static BenchFolder folder; // removed with everything in it when the program ends
    static const std::filesystem::path root = std::filesystem::current_path();
    static bool made[2] = {};
    const std::filesystem::path project = root / (busy ? "busy" : "plain");
    std::filesystem::create_directories(project);
    std::filesystem::current_path(project);
    if (!made[busy])
    {
        MakeProject(busy);
        made[busy] = true;
    }
}

struct LoadTimes
{
    double m_dTables = 0.0;
    double m_dStages = 0.0;
    std::string m_strFailed; // what did not load; empty when everything did
};

// One load of the whole project, timed: its data files into the project's
// tables and records, and every stage into an object of its own. What the
// previous load left is freed before it, and the stages after it.
LoadTimes LoadProjectOnce()
{
    ResetProjectData();
    CheckedVector<StageRecord> stages(kStages);
    LoadTimes times;
    bool stagesLoaded = false;
    times.m_dTables = SecondsOf([&times] { times.m_strFailed = LoadTables(); });
    times.m_dStages = SecondsOf([&stages, &stagesLoaded] { stagesLoaded = LoadStages(stages); });
    if (times.m_strFailed.empty() && !stagesLoaded)
    {
        times.m_strFailed = "a stage did not load";
    }
    return times;
}

// Memory that the benchmark frees stays with it for the next round, whatever
// the sizes and the order of the rounds before: the heap is never trimmed and
// no block is mapped on its own. (Left to itself, glibc hands a large free
// block back to the system at once and moves both thresholds as blocks of
// new sizes come and go, so that whether a round page-faults depends on
// which project ran before it.) False when the allocator refused.
bool KeepFreedMemory()
{
    return ::mallopt(M_TRIM_THRESHOLD, -1) == 1 && ::mallopt(M_MMAP_MAX, 0) == 1;
}

// The loads of the rounds together: at least this many seconds, and at least
// this many rounds (the benchmark's own rounds stop at the same time).
constexpr double kMinLoadSeconds = 2.0;
constexpr int kMinRounds = 11;

// Loads of the project into memory the process already has, each set against
// the two readings of its files. The first load, untimed, gives the process
// what a load takes; each round then reads the files with the programs' own
// routine, reads them bare and loads the project, back to back, so that the
// three meet the same load of the machine.
class ReusedLoads
{
public:
    explicit ReusedLoads(const std::vector<std::string>& files) : m_Files(files), m_Bare(files) {}

    // The first load, untimed: what failed, or empty.
    std::string Start() { return LoadProjectOnce().m_strFailed; }

    // One round: what failed, or empty.
    std::string Round()
    {
        std::size_t bare = 0;
        const double reading = SecondsOf([this] { ReadEveryFile(m_Files); });
        const double bareReading = SecondsOf([this, &bare] { bare = m_Bare.ReadEveryFile(); });
        if (bare == 0)
        {
            return "the project's files could not be read bare";
        }
        const LoadTimes times = LoadProjectOnce();
        if (!times.m_strFailed.empty())
        {
            return times.m_strFailed;
        }
        m_dLastLoad = times.m_dTables + times.m_dStages;
        m_AgainstReading.Add(m_dLastLoad, reading);
        m_AgainstBare.Add(m_dLastLoad, bareReading);
        m_dReading += reading;
        m_dBare += bareReading;
        m_dTables += times.m_dTables;
        m_dStages += times.m_dStages;
        ++m_nRounds;
        return {};
    }

    // Rounds until the loads have taken kMinLoadSeconds, and at least kMinRounds: what failed, or empty.
    std::string Rounds()
    {
        std::string failed;
        while (failed.empty() && (m_dTables + m_dStages < kMinLoadSeconds || m_nRounds < kMinRounds))
        {
            failed = Round();
        }
        return failed;
    }

    double LastLoadSeconds() const { return m_dLastLoad; }
    double AgainstReading() { return m_AgainstReading.Median(); }
    double AgainstBare() { return m_AgainstBare.Median(); }

    // Milliseconds a round, on average.
    double ReadingMs() const { return PerRoundMs(m_dReading); }
    double BareMs() const { return PerRoundMs(m_dBare); }
    double TablesMs() const { return PerRoundMs(m_dTables); }
    double StagesMs() const { return PerRoundMs(m_dStages); }

private:
    double PerRoundMs(double seconds) const { return m_nRounds == 0 ? 0.0 : seconds / m_nRounds * 1000.0; }

    const std::vector<std::string>& m_Files;
    BareReading m_Bare;
    RoundRatios m_AgainstReading;
    RoundRatios m_AgainstBare;
    double m_dLastLoad = 0.0;
    double m_dReading = 0.0;
    double m_dBare = 0.0;
    double m_dTables = 0.0;
    double m_dStages = 0.0;
    int m_nRounds = 0;
};

// Runs of this program in the project folder with the allocator's defaults:
// rounds of reused loads, or as a fresh process the first load of the
// project, the first reading of its files with the programs' routine or the
// first bare reading.
constexpr const char kReusedLoadOption[] = "--reused-load";
constexpr const char kFreshLoadOption[] = "--fresh-load";
constexpr const char kFreshReadOption[] = "--fresh-read";
constexpr const char kFreshBareOption[] = "--fresh-bare";

bool IsChildOption(const std::string& option)
{
    return option == kReusedLoadOption || option == kFreshLoadOption || option == kFreshReadOption ||
           option == kFreshBareOption;
}

// In the child: prints the two ratios of its reused rounds, or the seconds
// of its first load or reading.
int ChildRun(const std::string& option)
{
    const std::vector<std::string> files = ProjectFiles();
    if (option == kReusedLoadOption)
    {
        ReusedLoads loads(files);
        std::string failed = loads.Start();
        if (failed.empty())
        {
            failed = loads.Rounds();
        }
        if (!failed.empty())
        {
            std::fprintf(stderr, "%s\n", failed.c_str());
            return 1;
        }
        std::printf("%.9f %.9f\n", loads.AgainstReading(), loads.AgainstBare());
        return 0;
    }
    double seconds = 0.0;
    if (option == kFreshLoadOption)
    {
        const LoadTimes times = LoadProjectOnce();
        if (!times.m_strFailed.empty())
        {
            std::fprintf(stderr, "%s\n", times.m_strFailed.c_str());
            return 1;
        }
        seconds = times.m_dTables + times.m_dStages;
    }
    else
    {
        std::size_t bytes = 0;
        if (option == kFreshReadOption)
        {
            seconds = SecondsOf([&files, &bytes] { bytes = ReadEveryFile(files); });
        }
        else
        {
            BareReading bare(files);
            seconds = SecondsOf([&bare, &bytes] { bytes = bare.ReadEveryFile(); });
        }
        if (bytes == 0)
        {
            std::fprintf(stderr, "the project's files could not be read\n");
            return 1;
        }
    }
    std::printf("%.9f\n", seconds);
    return 0;
}

// The numbers that a run of this program with the option printed; empty when
// it failed or printed fewer.
std::vector<double> RunChild(const char* option, int count)
{
    const std::string command = "'/proc/" + std::to_string(::getpid()) + "/exe' " + option;
    FILE* child = ::popen(command.c_str(), "r");
    if (!child)
    {
        return {};
    }
    std::vector<double> numbers(static_cast<std::size_t>(count));
    int read = 0;
    while (read < count && std::fscanf(child, "%lf", &numbers[static_cast<std::size_t>(read)]) == 1)
    {
        ++read;
    }
    return ::pclose(child) == 0 && read == count ? numbers : std::vector<double>();
}

// A load against the programs' reading routine and against the bare reading; 0 where unknown.
struct Ratios
{
    double m_dReading = 0.0;
    double m_dBare = 0.0;
};

// The reused rounds with the allocator's defaults, as the programs run.
// Worked out once per project; zeros when the run failed.
Ratios ReusedAsProgramsRun(bool busy)
{
    static Ratios ratios[2];
    if (ratios[busy].m_dReading == 0.0)
    {
        const std::vector<double> printed = RunChild(kReusedLoadOption, 2);
        if (!printed.empty())
        {
            ratios[busy] = {printed[0], printed[1]};
        }
    }
    return ratios[busy];
}

// The median over a few threes of fresh processes, one reading the project's
// files with the programs' routine, the next reading them bare and the last
// loading the project, of the load against each reading. Worked out once per
// project; zeros when a run failed.
Ratios FreshRatios(bool busy)
{
    static Ratios ratios[2];
    if (ratios[busy].m_dReading == 0.0)
    {
        constexpr int kThrees = 21;
        RoundRatios againstReading;
        RoundRatios againstBare;
        for (int i = 0; i < kThrees; ++i)
        {
            const std::vector<double> reading = RunChild(kFreshReadOption, 1);
            const std::vector<double> bare = RunChild(kFreshBareOption, 1);
            const std::vector<double> load = RunChild(kFreshLoadOption, 1);
            if (reading.empty() || bare.empty() || load.empty() || reading[0] <= 0.0 || bare[0] <= 0.0)
            {
                return {};
            }
            againstReading.Add(load[0], reading[0]);
            againstBare.Add(load[0], bare[0]);
        }
        ratios[busy] = {againstReading.Median(), againstBare.Median()};
    }
    return ratios[busy];
}

void BM_LoadLargeProject(benchmark::State& state)
{
    const bool busy = state.range(0) != 0;
    EnterProject(busy);
    const std::vector<std::string> files = ProjectFiles();
    const std::size_t bytes = ReadEveryFile(files); // into the page cache

    ReusedLoads loads(files);
    std::string failed = loads.Start();
    if (!failed.empty())
    {
        ResetProjectData();
        state.SkipWithError(failed.c_str());
        return;
    }
    // Only the load is the round's time.
    for (auto _ : state)
    {
        failed = loads.Round();
        if (!failed.empty())
        {
            state.SkipWithError(failed.c_str());
            break;
        }
        state.SetIterationTime(loads.LastLoadSeconds());
    }
    ResetProjectData();
    if (state.error_occurred())
    {
        return;
    }
    const Ratios asProgramsRun = ReusedAsProgramsRun(busy);
    const Ratios fresh = FreshRatios(busy);
    if (asProgramsRun.m_dReading == 0.0 || fresh.m_dReading == 0.0)
    {
        state.SkipWithError("a run of the load or the reading in a process of its own failed");
        return;
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    state.counters["x_reading_reused"] = loads.AgainstReading();
    state.counters["x_bare_reused"] = loads.AgainstBare();
    state.counters["x_reading_reused_default"] = asProgramsRun.m_dReading;
    state.counters["x_bare_reused_default"] = asProgramsRun.m_dBare;
    state.counters["x_reading_fresh"] = fresh.m_dReading;
    state.counters["x_bare_fresh"] = fresh.m_dBare;
    state.counters["read_ms"] = loads.ReadingMs();
    state.counters["bare_ms"] = loads.BareMs();
    state.counters["tables_ms"] = loads.TablesMs();
    state.counters["stages_ms"] = loads.StagesMs();
}

} // namespace

BENCHMARK(BM_LoadLargeProject)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(kMinLoadSeconds);

int main(int argc, char** argv)
{
    if (argc == 2 && IsChildOption(argv[1]))
    {
        return ChildRun(argv[1]);
    }
    if (!KeepFreedMemory())
    {
        std::fprintf(stderr, "bench_project_load: the allocator cannot be made to keep freed memory\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
    {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
