#include "ProjectFiles.h"

#include "common/data/DataFilePaths.h"
#include "common/data/DatabaseTableFiles.h"
#include "common/data/PaletteFiles.h"
#include "common/project/GameProgram.h"

namespace
{

constexpr int kDefaultVariableCount = 256;
constexpr int kDefaultTableRecords = 2;

template <class T>
T DefaultRecord()
{
    T record;
    record.SetDefaults();
    return record;
}

// Brings a table to count records, new ones at their defaults.
template <class T>
void FillTable(CheckedVector<T>& table, int count, const T& prototype)
{
    table.resize(static_cast<std::size_t>(count), prototype);
}

ProjectFileStatus Status(std::string_view path, LoadResult result, int records, std::string error = {})
{
    ProjectFileStatus status;
    status.m_strError = std::move(error);
    status.m_strPath = path;
    status.m_Result = result;
    status.m_nVersion = result == LoadResult::Loaded ? FileVersion : 0;
    status.m_nRecords = result == LoadResult::Loaded ? records : 0;
    return status;
}

template <class T>
ProjectFileStatus LoadRecordStatus(T& record, std::string_view path)
{
    std::string error;
    LoadResult result = TryLoadRecordFile(record, path, 0, &error);
    return Status(path, result, 1, error);
}

template <class T>
ProjectFileStatus LoadTableStatus(CheckedVector<T>& table, std::string_view path)
{
    std::string error;
    LoadResult result = TryLoadTableFile(table, path, 0, &error);
    return Status(path, result, table.Count(), error);
}

// A default palette: its file, refused as damaged (the templates stay) when it
// holds more templates than a palette does, as the palettes' own loads refuse it.
template <class T> ProjectFileStatus LoadPaletteStatus(CheckedVector<T>& palette, std::string_view path)
{
    CheckedVector<T> loaded;
    ProjectFileStatus status = LoadTableStatus(loaded, path);
    if (status.m_Result != LoadResult::Loaded)
    {
        return status;
    }
    if (loaded.Count() > kMaxPaletteEvents)
    {
        std::string error = "テンプレートが多すぎます (" + std::to_string(loaded.Count()) + " 個、最大 " +
                            std::to_string(kMaxPaletteEvents) + " 個)";
        return Status(path, LoadResult::Corrupt, 0, std::move(error));
    }
    palette.swap(loaded);
    return status;
}

// A database table: its file, or two default records when it cannot be read.
template <class T>
ProjectFileStatus LoadDatabaseTable(CheckedVector<T>& table, std::string_view path)
{
    ProjectFileStatus status = LoadTableStatus(table, path);
    if (status.m_Result != LoadResult::Loaded)
    {
        FillTable(table, kDefaultTableRecords, DefaultRecord<T>());
    }
    return status;
}

// A numbered copy of the default stage tried at start-up; a damaged one gets its status.
struct StageLoad
{
    StageRecord* m_pStage;
    std::vector<ProjectFileStatus>* m_pFiles;
    std::string m_strLoaded; // the copy that loaded

    static int TryLoad(void* target, const std::string& name, int stripCr)
    {
        auto* load = static_cast<StageLoad*>(target);
        std::string error;
        LoadResult result = TryLoadRecordFile(*load->m_pStage, name, stripCr, &error);
        if (result == LoadResult::Corrupt)
        {
            load->m_pFiles->push_back(Status(name, result, 0, error));
        }
        if (result != LoadResult::Loaded)
        {
            return 0;
        }
        load->m_strLoaded = name;
        return 1;
    }
};

// Keeps the stage's palette events across a change of stage when EditConfig asks for it.
class PaletteKeeper
{
public:
    PaletteKeeper() : m_bKeep(EditConfig.m_bKeepEventPalette == 1)
    {
        if (m_bKeep)
        {
            m_Saved = Stage.m_PaletteEvent;
        }
    }
    ~PaletteKeeper()
    {
        if (m_bKeep)
        {
            Stage.m_PaletteEvent = std::move(m_Saved);
        }
    }
    PaletteKeeper(const PaletteKeeper&) = delete;
    PaletteKeeper& operator=(const PaletteKeeper&) = delete;

private:
    bool m_bKeep;
    CheckedVector<Event> m_Saved;
};

} // namespace

void ResetProjectData()
{
    EditConfig = EditConfigRecord();
    GValInfo.clear();
    Stage = StageRecord();
    WorldMap = WorldMapRecord();
    StartEvent = Event();
    System = SystemRecord();
    ClassTable.clear();
    FriendTable.clear();
    EnemyTable.clear();
    SkillTable.clear();
    ItemTable.clear();
    LandTable.clear();
}

std::vector<ProjectFileStatus> LoadProjectData()
{
    // Records bind at the current format from here on: clearing and copying
    // reach every member.
    CurrentVersion = kDataFormatVersion;
    std::vector<ProjectFileStatus> files;

    files.push_back(LoadRecordStatus(EditConfig, DataFilePaths[kPathEditConfig]));

    files.push_back(LoadTableStatus(GValInfo, DataFilePaths[kPathGValInfo]));
    if (files.back().m_Result != LoadResult::Loaded)
    {
        StringRecord empty;
        ClearRecord(empty);
        FillTable(GValInfo, kDefaultVariableCount, empty);
    }

    files.push_back(LoadRecordStatus(System, DataFilePaths[kPathSystem]));
    files.push_back(LoadDatabaseTable(LandTable, DataFilePaths[kPathLand]));
    files.push_back(LoadDatabaseTable(SkillTable, DataFilePaths[kPathSkill]));
    files.push_back(LoadDatabaseTable(ItemTable, DataFilePaths[kPathItem]));
    files.push_back(LoadDatabaseTable(ClassTable, DataFilePaths[kPathClass]));
    files.push_back(LoadDatabaseTable(FriendTable, DataFilePaths[kPathFriend]));
    files.push_back(LoadDatabaseTable(EnemyTable, DataFilePaths[kPathEnemy]));

    // The default stage: a damaged copy above the one that loads is reported too.
    StageLoad stage{&Stage, &files, {}};
    if (LoadNumberedCopyInto(EditConfig.m_strDefaultStage, FileExtensions[kExtStage], &StageLoad::TryLoad, &stage, 0))
    {
        files.push_back(Status(stage.m_strLoaded, LoadResult::Loaded, 1));
    }
    files.push_back(LoadPaletteStatus(Stage.m_PaletteEvent, EditConfig.m_strDefaultPalette));
    files.push_back(LoadPaletteStatus(WorldMap.m_Palette, EditConfig.m_strDefaultWorldPalette));

    files.push_back(LoadRecordStatus(WorldMap, DataFilePaths[kPathWorldMap]));
    files.push_back(LoadRecordStatus(StartEvent, DataFilePaths[kPathStartEvent]));
    return files;
}

void KeepDamagedFiles(std::vector<ProjectFileStatus>& files)
{
    for (ProjectFileStatus& file : files)
    {
        if (file.m_Result == LoadResult::Corrupt)
        {
            KeepDamagedFile(file.m_strPath, file.m_strDamagedCopy, &file.m_strKeepError);
        }
    }
}

bool SaveShutDownData()
{
    bool config = SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig]) == 1;
    bool variables = SaveTableFile(GValInfo, DataFilePaths[kPathGValInfo]) == 1;
    return config && variables;
}

bool SaveDatabase()
{
    bool ok = SaveRecordFile(System, DataFilePaths[kPathSystem]) == 1;
    ok = SaveDatabaseTable(LandTable, DataFilePaths[kPathLand]) == 1 && ok;
    ok = SaveDatabaseTable(SkillTable, DataFilePaths[kPathSkill]) == 1 && ok;
    ok = SaveDatabaseTable(ItemTable, DataFilePaths[kPathItem]) == 1 && ok;
    ok = SaveDatabaseTable(ClassTable, DataFilePaths[kPathClass]) == 1 && ok;
    ok = SaveDatabaseTable(FriendTable, DataFilePaths[kPathFriend]) == 1 && ok;
    ok = SaveDatabaseTable(EnemyTable, DataFilePaths[kPathEnemy]) == 1 && ok;
    return ok;
}

int LoadClassTable(CheckedVector<ClassRecord>& table, std::string_view name, int stripCr)
{
    return LoadTableFile(table, name, stripCr);
}

int LoadFriendTable(CheckedVector<FriendRecord>& table, std::string_view name, int stripCr)
{
    return LoadTableFile(table, name, stripCr);
}

int LoadEnemyTable(CheckedVector<EnemyRecord>& table, std::string_view name, int stripCr)
{
    return LoadTableFile(table, name, stripCr);
}

int LoadEventTable(CheckedVector<Event>& table, std::string_view name, int stripCr)
{
    return LoadTableFile(table, name, stripCr);
}

int LoadWorldEventTable(CheckedVector<WorldMapEvent>& table, std::string_view name, int stripCr)
{
    return LoadTableFile(table, name, stripCr);
}

void NewStage()
{
    {
        PaletteKeeper keeper;
        if (!LoadNumberedCopy(Stage, EditConfig.m_strDefaultStage, FileExtensions[kExtStage], 0))
        {
            Stage.SetDefaults();
        }
    }
    Stage.Validate();
}

int OpenStage(std::string_view name)
{
    int loaded;
    {
        PaletteKeeper keeper;
        loaded = LoadRecordFile(Stage, name, 0);
    }
    if (loaded)
    {
        Stage.Validate();
    }
    return loaded;
}

int SaveStage(std::string_view path, std::string* error)
{
    return SaveStageFile(Stage, path, error);
}

int FindGameExecutable(std::string& path)
{
    return FindGameExecutable(EditConfig, path);
}
