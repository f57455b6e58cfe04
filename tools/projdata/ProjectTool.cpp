#include "ProjectTool.h"

#include "RecordText.h"

#include "common/data/DataFilePaths.h"
#include "common/data/DatabaseTableFiles.h"
#include "common/data/PaletteFiles.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Paths.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace fs = std::filesystem;

namespace
{

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitError = 2;

// Where a new project keeps its first stage (saved as Stage01.stg_276).
constexpr const char* kNewStagePath = "data\\stg\\Stage01.stg";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The file name after the last separator, lower-cased (names are matched as the
// case-insensitive file system the projects come from would).
std::string LowerFileName(const std::string& path)
{
    std::size_t slash = path.find_last_of("/\\");
    return Lower(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string LowerExtension(const std::string& path)
{
    std::string name = LowerFileName(path);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

bool IsStageFileName(const std::string& path)
{
    return LowerExtension(path).rfind(std::string(FileExtensions[kExtStage]) + "_", 0) == 0;
}

// One data file of a known kind, loaded into objects of its own.
class LoadedFile
{
public:
    virtual ~LoadedFile() = default;
    virtual const char* Kind() const = 0;
    // Checked as the programs check what they load, or as the file holds it.
    virtual LoadResult Load(const std::string& path, std::string& error, ValueChecks checks) = 0;
    virtual int Records() const = 0;
    virtual void Fields(RecordFields& fields) = 0;
    // False, with the reason, when the file cannot be written.
    virtual bool Save(const std::string& path, std::string* error) = 0;
};

template <class T>
class SingleRecordFile : public LoadedFile
{
public:
    explicit SingleRecordFile(const char* kind) : m_pKind(kind) {}
    const char* Kind() const override { return m_pKind; }
    LoadResult Load(const std::string& path, std::string& error, ValueChecks checks) override
    {
        return TryLoadRecordFile(m_Record, path, 0, &error, checks);
    }
    int Records() const override { return 1; }
    void Fields(RecordFields& fields) override { AppendRecordFields(m_Record, "", fields); }
    bool Save(const std::string& path, std::string* error) override
    {
        return SaveRecordFile(m_Record, path, error) == 1;
    }

private:
    const char* m_pKind;
    T m_Record;
};

template <class T>
class TableFile : public LoadedFile
{
public:
    explicit TableFile(const char* kind) : m_pKind(kind) {}
    const char* Kind() const override { return m_pKind; }
    LoadResult Load(const std::string& path, std::string& error, ValueChecks checks) override
    {
        return TryLoadTableFile(m_Table, path, 0, &error, checks);
    }
    int Records() const override { return m_Table.Count(); }
    void Fields(RecordFields& fields) override
    {
        fields.push_back({"count", {std::to_string(m_Table.Count())}});
        for (int i = 0; i < m_Table.Count(); ++i)
        {
            AppendRecordFields(m_Table[i], "[" + std::to_string(i) + "]", fields);
        }
    }
    bool Save(const std::string& path, std::string* error) override
    {
        return SaveTableFile(m_Table, path, error) == 1;
    }

private:
    const char* m_pKind;
    CheckedVector<T> m_Table;
};

class StageFile : public SingleRecordFile<StageRecord>
{
public:
    StageFile() : SingleRecordFile<StageRecord>("stage") {}
};

// The kind of a data file, from its name; null for a name no kind has.
std::unique_ptr<LoadedFile> FileOfKind(const std::string& path)
{
    static const std::map<std::string, std::function<std::unique_ptr<LoadedFile>()>> byName = {
        {"editconfig.dat", [] { return std::make_unique<SingleRecordFile<EditConfigRecord>>("edit configuration"); }},
        {"gvalinfo.dat", [] { return std::make_unique<TableFile<StringRecord>>("variable names"); }},
        {"worldmap.dat", [] { return std::make_unique<SingleRecordFile<WorldMapRecord>>("world map"); }},
        {"startevent.dat", [] { return std::make_unique<SingleRecordFile<Event>>("start event"); }},
        {"system.dat", [] { return std::make_unique<SingleRecordFile<SystemRecord>>("system"); }},
        {"class.dat", [] { return std::make_unique<TableFile<ClassRecord>>("class table"); }},
        {"friend.dat", [] { return std::make_unique<TableFile<FriendRecord>>("friend table"); }},
        {"enemy.dat", [] { return std::make_unique<TableFile<EnemyRecord>>("enemy table"); }},
        {"skill.dat", [] { return std::make_unique<TableFile<SkillRecord>>("skill table"); }},
        {"item.dat", [] { return std::make_unique<TableFile<ItemRecord>>("item table"); }},
        {"land.dat", [] { return std::make_unique<TableFile<LandRecord>>("land table"); }},
    };
    auto it = byName.find(LowerFileName(path));
    if (it != byName.end())
    {
        return it->second();
    }
    std::string extension = LowerExtension(path);
    if (extension == FileExtensions[kExtPalette])
    {
        return std::make_unique<TableFile<Event>>("event palette");
    }
    if (extension == FileExtensions[kExtWorldPalette])
    {
        return std::make_unique<TableFile<WorldMapEvent>>("world event palette");
    }
    if (IsStageFileName(path))
    {
        return std::make_unique<StageFile>();
    }
    return nullptr;
}

bool EnterFolder(const std::string& folder, std::ostream& err)
{
    std::error_code ec;
    fs::current_path(folder, ec);
    if (ec)
    {
        err << "projdata: cannot enter " << folder << ": " << ec.message() << '\n';
        return false;
    }
    return true;
}

std::string Shown(const std::string& storedPath)
{
    return platform::ToUtf8(storedPath);
}

void PrintStatus(const std::string& path, LoadResult result, int32_t version, int records, const std::string& error,
                 std::ostream& out)
{
    out << Shown(path) << ": ";
    switch (result)
    {
    case LoadResult::Loaded:
        out << "version " << version << ", " << records << (records == 1 ? " record" : " records") << '\n';
        break;
    case LoadResult::NotOpened:
        out << "missing\n";
        break;
    case LoadResult::Corrupt:
        out << "DAMAGED: " << Shown(error) << " (kept as " << Shown(DamagedCopyName(path))
            << " before it is saved over)\n";
        break;
    }
}

// The files of a project folder (stored paths) whose names a test accepts.
std::vector<std::string> FilesIn(const char* folder, const std::function<bool(const std::string&)>& accept)
{
    std::vector<std::string> paths;
    for (const std::string& name : platform::ListFolder(folder))
    {
        std::string path = std::string(folder) + "\\" + name;
        if (accept(name) && !platform::IsFolder(path))
        {
            paths.push_back(path);
        }
    }
    return paths;
}

// Every numbered copy of every stage.
std::vector<std::string> StageFiles()
{
    return FilesIn(StageFolder, IsStageFileName);
}

// Of the numbered copies of a stage, the one the editor would open: the highest number.
bool IsNewestStageCopy(const std::string& path, const std::vector<std::string>& stages)
{
    const std::string base = Lower(path.substr(0, path.rfind('.')));
    return std::none_of(stages.begin(), stages.end(), [&](const std::string& other) {
        return Lower(other.substr(0, other.rfind('.'))) == base && LowerExtension(other) > LowerExtension(path);
    });
}

std::vector<std::string> PaletteFiles()
{
    auto withExtension = [](const char* extension) {
        return [extension](const std::string& name) { return LowerExtension(name) == extension; };
    };
    std::vector<std::string> paths = FilesIn(PaletteFolder, withExtension(FileExtensions[kExtPalette]));
    for (const std::string& path : FilesIn(WorldPaletteFolder, withExtension(FileExtensions[kExtWorldPalette])))
    {
        paths.push_back(path);
    }
    return paths;
}

// The files a project holds beyond those the start-up loads by name: every
// numbered copy of every stage and every palette file.
std::vector<std::string> MoreFiles()
{
    std::vector<std::string> paths = StageFiles();
    for (const std::string& path : PaletteFiles())
    {
        paths.push_back(path);
    }
    return paths;
}

// True when the start-up reported on that file already, by whatever spelling.
bool AlreadyLoaded(const std::string& path, const std::vector<ProjectFileStatus>& project)
{
    const std::string disk = platform::AbsoluteDiskPath(path);
    return std::any_of(project.begin(), project.end(),
                       [&disk](const ProjectFileStatus& s) { return platform::AbsoluteDiskPath(s.m_strPath) == disk; });
}

struct FileLoad
{
    std::string path;
    std::unique_ptr<LoadedFile> file;
    LoadResult result;
    std::string error;
};

FileLoad LoadFile(const std::string& path)
{
    FileLoad load{path, FileOfKind(path), LoadResult::NotOpened, {}};
    load.result = load.file->Load(path, load.error, ValueChecks::Fit);
    return load;
}

} // namespace

int RunNew(const std::string& folder, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    if (fs::exists(folder) && !fs::is_empty(folder, ec))
    {
        err << "projdata: " << folder << " is not empty; a new project needs an empty folder\n";
        return kExitError;
    }
    fs::create_directories(folder, ec);
    if (ec || !EnterFolder(folder, err))
    {
        err << "projdata: cannot create " << folder << '\n';
        return kExitError;
    }
    for (const char* sub : ProjectFolders)
    {
        if (!platform::CreateFolders(sub))
        {
            err << "projdata: cannot create " << Shown(sub) << '\n';
            return kExitError;
        }
    }

    // What the editor's start-up builds in an empty folder...
    ResetProjectData();
    LoadProjectData();

    // ...and what its save-all, stage and palette commands and shut-down write.
    bool ok = SaveDatabase();
    ok = SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]) == 1 && ok;
    ok = SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]) == 1 && ok;
    ok = SaveStage(kNewStagePath) == 1 && ok;
    ok = SaveEventPalette(Stage.m_PaletteEvent, DataFilePaths[kPathDefaultPalette]) == 1 && ok;
    ok = SaveWorldPalette(WorldMap.m_Palette, DataFilePaths[kPathDefaultWorldPalette]) == 1 && ok;
    ok = SaveShutDownData() && ok;
    if (!ok)
    {
        err << "projdata: a file of the new project could not be written\n";
        return kExitError;
    }
    out << "new project in " << folder << '\n';
    return kExitOk;
}

int RunCheck(const std::string& folder, std::ostream& out, std::ostream& err)
{
    if (!EnterFolder(folder, err))
    {
        return kExitError;
    }
    ResetProjectData();
    int files = 0;
    int failed = 0;
    std::vector<ProjectFileStatus> project = LoadProjectData();
    for (const ProjectFileStatus& status : project)
    {
        PrintStatus(status.m_strPath, status.m_Result, status.m_nVersion, status.m_nRecords, status.m_strError, out);
        ++files;
        failed += status.m_Result == LoadResult::Corrupt;
    }
    for (const std::string& path : MoreFiles())
    {
        if (AlreadyLoaded(path, project))
        {
            continue;
        }
        FileLoad load = LoadFile(path);
        PrintStatus(path, load.result, FileVersion, load.file->Records(), load.error, out);
        ++files;
        failed += load.result == LoadResult::Corrupt;
    }
    out << files << " files, " << failed << " damaged\n";
    return failed ? kExitFailed : kExitOk;
}

int RunUpgrade(const std::string& folder, std::ostream& out, std::ostream& err)
{
    if (!EnterFolder(folder, err))
    {
        return kExitError;
    }
    ResetProjectData();
    std::vector<ProjectFileStatus> project = LoadProjectData();

    // The files check looks at, each loaded into objects of its own and
    // checked against the project that is now loaded.
    std::vector<FileLoad> loads;
    for (const std::string& path : MoreFiles())
    {
        loads.push_back(LoadFile(path));
    }

    // A damaged file stops the upgrade before anything is written.
    int failed = 0;
    for (const ProjectFileStatus& status : project)
    {
        if (status.m_Result == LoadResult::Corrupt)
        {
            PrintStatus(status.m_strPath, status.m_Result, 0, 0, status.m_strError, out);
            ++failed;
        }
    }
    for (const FileLoad& load : loads)
    {
        if (load.result == LoadResult::Corrupt && !AlreadyLoaded(load.path, project))
        {
            PrintStatus(load.path, load.result, 0, 0, load.error, out);
            ++failed;
        }
    }
    if (failed)
    {
        err << "projdata: nothing was written\n";
        return kExitFailed;
    }

    auto loaded = [&project](const char* path) {
        return std::any_of(project.begin(), project.end(), [path](const ProjectFileStatus& s) {
            return s.m_strPath == path && s.m_Result == LoadResult::Loaded;
        });
    };
    // Every file is flushed before its rename; each folder once, after all its files.
    platform::FolderFlushBatch folderFlushes;
    bool ok = true;
    auto saved = [&ok, &out](const std::string& path, bool written, const std::string& error) {
        out << Shown(path) << (written ? ": saved\n" : ": NOT SAVED: " + Shown(error) + "\n");
        ok = ok && written;
    };
    using Saver = std::function<bool(std::string*)>;
    const std::pair<int, Saver> projectFiles[] = {
        {kPathEditConfig, [](std::string* e) { return SaveRecordFile(EditConfig, DataFilePaths[kPathEditConfig], e); }},
        {kPathGValInfo, [](std::string* e) { return SaveTableFile(GValInfo, DataFilePaths[kPathGValInfo], e); }},
        {kPathSystem, [](std::string* e) { return SaveRecordFile(System, DataFilePaths[kPathSystem], e); }},
        {kPathLand, [](std::string* e) { return SaveDatabaseTable(LandTable, DataFilePaths[kPathLand], e); }},
        {kPathSkill, [](std::string* e) { return SaveDatabaseTable(SkillTable, DataFilePaths[kPathSkill], e); }},
        {kPathItem, [](std::string* e) { return SaveDatabaseTable(ItemTable, DataFilePaths[kPathItem], e); }},
        {kPathClass, [](std::string* e) { return SaveDatabaseTable(ClassTable, DataFilePaths[kPathClass], e); }},
        {kPathFriend, [](std::string* e) { return SaveDatabaseTable(FriendTable, DataFilePaths[kPathFriend], e); }},
        {kPathEnemy, [](std::string* e) { return SaveDatabaseTable(EnemyTable, DataFilePaths[kPathEnemy], e); }},
        {kPathWorldMap, [](std::string* e) { return SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap], e); }},
        {kPathStartEvent,
         [](std::string* e) { return SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent], e); }},
    };
    for (const auto& [index, save] : projectFiles)
    {
        if (loaded(DataFilePaths[index]))
        {
            std::string error;
            bool written = save(&error);
            saved(DataFilePaths[index], written, error);
        }
    }
    std::vector<std::string> stages;
    for (const FileLoad& load : loads)
    {
        if (IsStageFileName(load.path))
        {
            stages.push_back(load.path);
        }
    }
    for (FileLoad& load : loads)
    {
        if (load.result != LoadResult::Loaded)
        {
            continue;
        }
        std::string target = load.path;
        if (IsStageFileName(load.path))
        {
            // Of a stage's copies, the newest is saved as the current one; the others stay.
            if (!IsNewestStageCopy(load.path, stages))
            {
                continue;
            }
            ReplaceExtension(target, load.path, StageFileExtension().c_str());
        }
        std::string error;
        bool written = load.file->Save(target, &error);
        saved(target, written, error);
    }
    std::string flushError;
    if (!folderFlushes.Flush(&flushError))
    {
        err << "projdata: " << flushError << '\n';
        ok = false;
    }
    return ok ? kExitOk : kExitError;
}

int RunDump(const std::string& file, std::ostream& out, std::ostream& err)
{
    fs::path absolute = fs::absolute(file);
    std::unique_ptr<LoadedFile> loaded = FileOfKind(file);
    if (!loaded)
    {
        err << "projdata: " << file << " is not a data file of a known kind\n";
        return kExitError;
    }
    // What the file holds, whatever project it is in or out of.
    std::string path = platform::FromUtf8(absolute.string());
    std::string error;
    LoadResult result = loaded->Load(path, error, ValueChecks::AsStored);
    if (result != LoadResult::Loaded)
    {
        err << "projdata: " << file << ": " << (result == LoadResult::NotOpened ? "cannot be opened" : Shown(error))
            << '\n';
        return kExitFailed;
    }
    out << file << ": " << loaded->Kind() << ", version " << FileVersion << ", " << loaded->Records()
        << (loaded->Records() == 1 ? " record\n" : " records\n");
    RecordFields fields;
    loaded->Fields(fields);
    PrintFields(fields, out);
    return kExitOk;
}

int RunDiff(const std::string& first, const std::string& second, std::ostream& out, std::ostream& err)
{
    fs::path a = fs::absolute(first);
    fs::path b = fs::absolute(second);
    std::unique_ptr<LoadedFile> left = FileOfKind(first);
    std::unique_ptr<LoadedFile> right = FileOfKind(second);
    if (!left || !right || std::string(left->Kind()) != right->Kind())
    {
        err << "projdata: " << first << " and " << second << " are not data files of one kind\n";
        return kExitError;
    }
    // What the files hold: a difference comes from the files alone.
    RecordFields fields[2];
    LoadedFile* files[2] = {left.get(), right.get()};
    const fs::path* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i)
    {
        std::string error;
        LoadResult result = files[i]->Load(platform::FromUtf8(paths[i]->string()), error, ValueChecks::AsStored);
        if (result != LoadResult::Loaded)
        {
            err << "projdata: " << paths[i]->string() << ": "
                << (result == LoadResult::NotOpened ? "cannot be opened" : Shown(error)) << '\n';
            return kExitError;
        }
        files[i]->Fields(fields[i]);
    }
    int differences = PrintDifferences(fields[0], fields[1], out);
    return differences ? kExitFailed : kExitOk;
}

int RunProjectTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "new" && args.size() == 2)
    {
        return RunNew(args[1], out, err);
    }
    if (command == "check" && args.size() == 2)
    {
        return RunCheck(args[1], out, err);
    }
    if (command == "upgrade" && args.size() == 2)
    {
        return RunUpgrade(args[1], out, err);
    }
    if (command == "dump" && args.size() == 2)
    {
        return RunDump(args[1], out, err);
    }
    if (command == "diff" && args.size() == 3)
    {
        return RunDiff(args[1], args[2], out, err);
    }
    err << "usage: projdata new DIR       a new project with every data file at its defaults\n"
           "       projdata check DIR     load every file of a project and report each\n"
           "       projdata upgrade DIR   load every file and save it at the current version\n"
           "       projdata dump FILE     the records of one data file as text\n"
           "       projdata diff FILE FILE  the fields that differ between two files of one kind\n";
    return kExitError;
}
