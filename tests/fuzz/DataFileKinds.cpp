#include "DataFileKinds.h"

#include "FuzzTarget.h"

#include "common/data/DataFilePaths.h"
#include "common/data/PaletteFiles.h"
#include "common/data/ProjectData.h"

namespace fuzz
{

namespace
{

template <class T>
struct RecordFile
{
    using Object = T;
    static bool Load(T& record, const char* path)
    {
        return TryLoadRecordFile(record, path, 0) == LoadResult::Loaded;
    }
    static bool Save(T& record, const char* path) { return SaveRecordFile(record, path) == 1; }
};

template <class T>
struct TableFile
{
    using Object = CheckedVector<T>;
    static bool Load(Object& table, const char* path)
    {
        return TryLoadTableFile(table, path, 0) == LoadResult::Loaded;
    }
    static bool Save(Object& table, const char* path) { return SaveTableFile(table, path) == 1; }
};

struct EventPaletteFile
{
    using Object = CheckedVector<Event>;
    static bool Load(Object& palette, const char* path) { return LoadEventPalette(palette, path) == 1; }
    static bool Save(Object& palette, const char* path) { return SaveEventPalette(palette, path) == 1; }
};

struct WorldPaletteFile
{
    using Object = CheckedVector<WorldMapEvent>;
    static bool Load(Object& palette, const char* path) { return LoadWorldPalette(palette, path) == 1; }
    static bool Save(Object& palette, const char* path) { return SaveWorldPalette(palette, path) == 1; }
};

constexpr const char* kFirstCopy = "data\\fuzz-copy-1";
constexpr const char* kSecondCopy = "data\\fuzz-copy-2";

template <class File>
void LoadAndSaveAgain(const char* path, const uint8_t* data, std::size_t size)
{
    WriteFile(path, data, size);
    typename File::Object loaded;
    if (!File::Load(loaded, path))
    {
        return;
    }
    Require(File::Save(loaded, kFirstCopy), "a file that loaded does not save");
    typename File::Object again;
    Require(File::Load(again, kFirstCopy), "a saved file does not load back");
    Require(File::Save(again, kSecondCopy), "a file loaded back does not save");
    Require(ReadFile(kFirstCopy) == ReadFile(kSecondCopy), "a saved file loaded back saves to other bytes");
}

template <class File>
bool Loads(const char* path)
{
    typename File::Object loaded;
    return File::Load(loaded, path);
}

// The kind's entry: its run and its load, both of File.
template <class File>
DataFileKind Kind(const char* name, const char* path)
{
    return {name, path, LoadAndSaveAgain<File>, Loads<File>};
}

} // namespace

const DataFileKind kDataFileKinds[kDataFileKindCount] = {
    Kind<RecordFile<SystemRecord>>("system", DataFilePaths[kPathSystem]),
    Kind<TableFile<ClassRecord>>("class", DataFilePaths[kPathClass]),
    Kind<TableFile<FriendRecord>>("friend", DataFilePaths[kPathFriend]),
    Kind<TableFile<EnemyRecord>>("enemy", DataFilePaths[kPathEnemy]),
    Kind<TableFile<ItemRecord>>("item", DataFilePaths[kPathItem]),
    Kind<TableFile<SkillRecord>>("skill", DataFilePaths[kPathSkill]),
    Kind<TableFile<LandRecord>>("land", DataFilePaths[kPathLand]),
    Kind<RecordFile<Event>>("start_event", DataFilePaths[kPathStartEvent]),
    Kind<RecordFile<WorldMapRecord>>("world_map", DataFilePaths[kPathWorldMap]),
    Kind<RecordFile<StageRecord>>("stage", "data\\stg\\Stage01.stg_276"),
    Kind<EventPaletteFile>("event_palette", DataFilePaths[kPathDefaultPalette]),
    Kind<WorldPaletteFile>("world_palette", DataFilePaths[kPathDefaultWorldPalette]),
    Kind<RecordFile<EditConfigRecord>>("edit_config", DataFilePaths[kPathEditConfig]),
    Kind<TableFile<StringRecord>>("variable_names", DataFilePaths[kPathGValInfo]),
};

const DataFileKind* FindDataFileKind(std::string_view name)
{
    for (const DataFileKind& kind : kDataFileKinds)
    {
        if (name == kind.m_pName)
        {
            return &kind;
        }
    }
    return nullptr;
}

} // namespace fuzz
