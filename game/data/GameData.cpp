#include "GameData.h"

#include "common/data/DataFile.h"
#include "common/data/DataFilePaths.h"
#include "common/data/ProjectData.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "game/data/SaveSlots.h"
#include "platform/core/FatalHooks.h"

ProgressRecord Progress;
CheckedVector<UnitRecord> PartyUnits;

namespace
{

constexpr int kStripCr = 1;

bool Refuse(const char* path)
{
    WriteReport("Error : %s のロードに失敗！", path);
    ShowErrorF("%s のロードに失敗！", path);
    platform::RequestClose();
    return false;
}

template <class T>
bool LoadRecord(T& record, DataFilePathIndex path)
{
    return TryLoadRecordFile(record, DataFilePaths[path], 0) == LoadResult::Loaded || Refuse(DataFilePaths[path]);
}

// A table, each record numbered with its position when it has a field for it.
template <class T>
bool LoadTable(CheckedVector<T>& table, DataFilePathIndex path, int32_t T::*ownIndex)
{
    if (TryLoadTableFile(table, DataFilePaths[path], kStripCr) != LoadResult::Loaded)
    {
        return Refuse(DataFilePaths[path]);
    }
    for (int i = 0; ownIndex && i < table.Count(); ++i)
    {
        table[static_cast<std::size_t>(i)].*ownIndex = i;
    }
    return true;
}

} // namespace

void InitGameData()
{
    SetIndexErrorPolicy(IndexErrorPolicy::Game);
    CurrentVersion = kDataFormatVersion;
    PartyUnits.clear();
    ResizeUnitVector(PartyUnits, kPartySlotCount);
    ResizeSaveSlots(SaveSlots);
}

bool LoadGameDatabase()
{
    if (!LoadRecord(System, kPathSystem) || !LoadTable(LandTable, kPathLand, &LandRecord::m_nLandA) ||
        !LoadTable(SkillTable, kPathSkill, &SkillRecord::m_nSkillB) ||
        !LoadTable(ItemTable, kPathItem, &ItemRecord::m_nItemB) ||
        !LoadTable(ClassTable, kPathClass, &ClassRecord::m_nClassA) ||
        !LoadTable<FriendRecord>(FriendTable, kPathFriend, &FriendRecord::m_nHead))
    {
        return false;
    }
    // The enemies are read here only for the stages' checks of their
    // placements. A stage reads them again when it sets up its enemies, and
    // that is where an enemy file that cannot be read stops the game.
    TryLoadTableFile(EnemyTable, DataFilePaths[kPathEnemy], kStripCr);
    if (!FriendTable.empty())
    {
        FriendTable.front().m_nClass = 0;
    }
    return LoadRecord(WorldMap, kPathWorldMap) && LoadRecord(StartEvent, kPathStartEvent);
}

void StartNewGame()
{
    PartyUnits.clear();
    ResizeUnitVector(PartyUnits, kPartySlotCount);
    Progress.ResetForNewGame();
}
