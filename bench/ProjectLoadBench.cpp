// The cost of loading a large project against reading the same bytes from
// disk: 999 records in each database table and 200 stages of 64 x 64 cells.
// The plain project (busy:0) holds new records and stages with nothing but
// their cells; the busy one (busy:1) also gives every character skills and AI
// and every stage 20 enemies and 20 events. "x_reading" is the load time
// divided by the time of reading every file whole, each into a buffer of its
// own, in the same round (the median of the rounds); the goal is under 3. "x_reading_cold" is the same for the first
// load of a fresh process (as `projdata check` meets it): the median of five runs of this program in the project folder
// with --cold-load. A load that fails ends the benchmark with an error.

#include "BenchSupport.h"
#include "common/data/DataFilePaths.h"
#include "common/project/ProjectFiles.h"
#include "platform/core/Files.h"

#include <benchmark/benchmark.h>
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

double SecondsOf(const std::function<void()>& work, int repeats)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i)
    {
        work();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / repeats;
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

constexpr const char kColdLoadOption[] = "--cold-load";

// The program itself, run in the project folder to load it once as a fresh
// process does (bench_project_load --cold-load): the seconds of that first
// load and of reading the files after it. False when it failed.
bool RunColdLoad(double& load, double& reading)
{
    const std::string command = "'/proc/" + std::to_string(::getpid()) + "/exe' " + kColdLoadOption;
    FILE* child = ::popen(command.c_str(), "r");
    if (!child)
    {
        return false;
    }
    const int read = std::fscanf(child, "%lf %lf", &load, &reading);
    return ::pclose(child) == 0 && read == 2 && reading > 0.0;
}

// The median, over a few fresh processes, of a first load against reading the files.
double ColdRatio(bool busy)
{
    static double ratios[2] = {};
    if (ratios[busy] == 0.0)
    {
        constexpr int kRuns = 5;
        std::vector<double> runs;
        for (int i = 0; i < kRuns; ++i)
        {
            double load = 0.0;
            double reading = 0.0;
            if (!RunColdLoad(load, reading))
            {
                return 0.0;
            }
            runs.push_back(load / reading);
        }
        std::sort(runs.begin(), runs.end());
        ratios[busy] = runs[kRuns / 2];
    }
    return ratios[busy];
}

// In the child: the first load of the process, then a read of the same files.
int ColdLoad()
{
    const std::vector<std::string> files = ProjectFiles();
    CheckedVector<StageRecord> stages(kStages);
    std::string failed;
    bool stagesLoaded = false;
    const double load = SecondsOf(
        [&failed, &stages, &stagesLoaded]
        {
            failed = LoadTables();
            stagesLoaded = LoadStages(stages);
        },
        1);
    const double reading = SecondsOf([&files] { ReadEveryFile(files); }, 1);
    if (!failed.empty() || !stagesLoaded)
    {
        std::fprintf(stderr, "%s\n", failed.empty() ? "a stage did not load" : failed.c_str());
        return 1;
    }
    std::printf("%.9f %.9f\n", load, reading);
    return 0;
}

void BM_LoadLargeProject(benchmark::State& state)
{
    EnterProject(state.range(0) != 0);
    const std::vector<std::string> files = ProjectFiles();
    const std::size_t bytes = ReadEveryFile(files); // into the page cache

    // Each round also reads the files, so that both sides meet the same load
    // of the machine. Emptying what the previous round loaded is no part of it.
    double reading = 0.0;
    double tables = 0.0;
    double stageFiles = 0.0;
    std::vector<double> ratios; // of each round, load to reading
    for (auto _ : state)
    {
        state.PauseTiming();
        const double read = SecondsOf([&files] { ReadEveryFile(files); }, 1);
        reading += read;
        ResetProjectData();
        CheckedVector<StageRecord> stages(kStages);
        state.ResumeTiming();
        std::string failed;
        bool stagesLoaded = false;
        const double table = SecondsOf([&failed] { failed = LoadTables(); }, 1);
        const double stage = SecondsOf([&stages, &stagesLoaded] { stagesLoaded = LoadStages(stages); }, 1);
        tables += table;
        stageFiles += stage;
        ratios.push_back((table + stage) / read);
        state.PauseTiming();
        stages.clear();
        if (!failed.empty() || !stagesLoaded)
        {
            state.SkipWithError(failed.empty() ? "a stage did not load" : failed.c_str());
            break;
        }
        state.ResumeTiming();
    }
    if (state.error_occurred())
    {
        ResetProjectData();
        return;
    }
    const double rounds = static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    std::sort(ratios.begin(), ratios.end());
    state.counters["x_reading"] = ratios[ratios.size() / 2];
    const double cold = ColdRatio(state.range(0) != 0);
    if (cold == 0.0)
    {
        state.SkipWithError("the load in a fresh process failed");
        return;
    }
    state.counters["x_reading_cold"] = cold;
    state.counters["read_ms"] = reading / rounds * 1000.0;
    state.counters["tables_ms"] = tables / rounds * 1000.0;
    state.counters["stages_ms"] = stageFiles / rounds * 1000.0;
    ResetProjectData();
}

} // namespace

BENCHMARK(BM_LoadLargeProject)->ArgName("busy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == kColdLoadOption)
    {
        return ColdLoad();
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
