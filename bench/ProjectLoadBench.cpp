// The cost of loading a large project against reading the same bytes from
// disk: 999 records in each database table and 200 stages of 64 x 64 cells.
// The plain project (busy:0) holds new records and stages with nothing but
// their cells; the busy one (busy:1) also gives every character skills and AI
// and every stage 20 enemies and 20 events. The baseline is the reading of
// every file whole, each into a buffer of its own, and it is taken the same
// way as the load it is set against, for both projects alike:
// - "x_reading_reused": a load into memory the process already has. The
//   program keeps all memory it frees; one untimed load before the rounds gives
//   it what a load takes, and each round then reads the files and loads the
//   project; the median of the rounds' ratios of load to reading. The goal is
//   under 3.
// - "x_reading_fresh": the first load of a fresh process (as `projdata check`
//   meets it, page faults included) against the first reading of a fresh
//   process: each a run of this program in the project folder (--fresh-load,
//   --fresh-read) with the allocator as it comes; the median of the ratios
//   of 21 such pairs.
// A load that fails ends the benchmark with an error.

#include "BenchSupport.h"
#include "common/data/DataFilePaths.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/Files.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
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

// A run of this program in the project folder, as a fresh process: the first
// load of the project (the allocator as it comes), or the first reading of its files.
constexpr const char kFreshLoadOption[] = "--fresh-load";
constexpr const char kFreshReadOption[] = "--fresh-read";

// In the fresh process: prints the seconds of its first load or reading.
int FreshRun(const std::string& option)
{
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
        const std::vector<std::string> files = ProjectFiles();
        std::size_t bytes = 0;
        seconds = SecondsOf([&files, &bytes] { bytes = ReadEveryFile(files); });
        if (bytes == 0)
        {
            std::fprintf(stderr, "the project's files could not be read\n");
            return 1;
        }
    }
    std::printf("%.9f\n", seconds);
    return 0;
}

// The seconds that a fresh run of this program with the option printed; 0 when it failed.
double RunFresh(const char* option)
{
    const std::string command = "'/proc/" + std::to_string(::getpid()) + "/exe' " + option;
    FILE* child = ::popen(command.c_str(), "r");
    if (!child)
    {
        return 0.0;
    }
    double seconds = 0.0;
    const int read = std::fscanf(child, "%lf", &seconds);
    return ::pclose(child) == 0 && read == 1 ? seconds : 0.0;
}

// The median over a few pairs of fresh processes, one reading the project's
// files and the next loading the project, of the load against the reading.
// Worked out once per project; 0 when a run failed.
double FreshRatio(bool busy)
{
    static double ratios[2] = {};
    if (ratios[busy] == 0.0)
    {
        constexpr int kPairs = 21;
        std::vector<double> pairs;
        for (int i = 0; i < kPairs; ++i)
        {
            const double reading = RunFresh(kFreshReadOption);
            const double load = RunFresh(kFreshLoadOption);
            if (reading <= 0.0 || load <= 0.0)
            {
                return 0.0;
            }
            pairs.push_back(load / reading);
        }
        std::sort(pairs.begin(), pairs.end());
        ratios[busy] = pairs[kPairs / 2];
    }
    return ratios[busy];
}

void BM_LoadLargeProject(benchmark::State& state)
{
    const bool busy = state.range(0) != 0;
    EnterProject(busy);
    const std::vector<std::string> files = ProjectFiles();
    const std::size_t bytes = ReadEveryFile(files); // into the page cache

    // A first load, untimed, gives the process the memory that every round then loads into.
    LoadTimes times = LoadProjectOnce();
    if (!times.m_strFailed.empty())
    {
        ResetProjectData();
        state.SkipWithError(times.m_strFailed.c_str());
        return;
    }

    // Each round reads the files and loads the project, so that both sides
    // meet the same load of the machine; only the load is the round's time.
    double reading = 0.0;
    double tables = 0.0;
    double stageFiles = 0.0;
    std::vector<double> ratios; // of each round, load to reading
    for (auto _ : state)
    {
        const double read = SecondsOf([&files] { ReadEveryFile(files); });
        times = LoadProjectOnce();
        if (!times.m_strFailed.empty())
        {
            state.SkipWithError(times.m_strFailed.c_str());
            break;
        }
        state.SetIterationTime(times.m_dTables + times.m_dStages);
        reading += read;
        tables += times.m_dTables;
        stageFiles += times.m_dStages;
        ratios.push_back((times.m_dTables + times.m_dStages) / read);
    }
    ResetProjectData();
    if (state.error_occurred())
    {
        return;
    }
    const double fresh = FreshRatio(busy);
    if (fresh == 0.0)
    {
        state.SkipWithError("the load or the reading in a fresh process failed");
        return;
    }
    const double rounds = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    std::sort(ratios.begin(), ratios.end());
    state.counters["x_reading_reused"] = ratios[ratios.size() / 2];
    state.counters["x_reading_fresh"] = fresh;
    state.counters["read_ms"] = reading / rounds * 1000.0;
    state.counters["tables_ms"] = tables / rounds * 1000.0;
    state.counters["stages_ms"] = stageFiles / rounds * 1000.0;
}

} // namespace

BENCHMARK(BM_LoadLargeProject)
    ->ArgName("busy")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string(argv[1]) == kFreshLoadOption || std::string(argv[1]) == kFreshReadOption))
    {
        return FreshRun(argv[1]);
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
