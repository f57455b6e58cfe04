// fuzz_seeds DIR: writes the first inputs of every fuzz target, DIR/fuzz_<name>/<seed>,
// small valid files as the tests make them: the files of a new project, an
// event that holds every command, an event file of an old version, a new
// game's save slot, key configurations, bitmaps, MIDI, WAV and Ogg files; and
// the same project with many records in every table, a busy stage and a full
// party, for the sizes that real files have.

#include "DataFileKinds.h"
#include "ProjectFolder.h"

#include "ProjectTool.h"
#include "TempFolder.h"
#include "common/data/DataFile.h"
#include "common/data/DataFilePaths.h"
#include "common/data/EventVocabulary.h"
#include "common/data/PaletteFiles.h"
#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "game/data/GameData.h"
#include "game/data/SaveSlots.h"
#include "game/engine/KeyConfig.h"
#include "tests/common/data/EventImages.h"
#include "tests/common/graphics/BmpBuilder.h"
#include "tests/common/sound/SmfBytes.h"
#include "tests/platform/audio/SoundFiles.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

fs::path SeedFolder;

void WriteSeed(const std::string& target, const std::string& name, const std::vector<unsigned char>& bytes)
{
    fs::path folder = SeedFolder / ("fuzz_" + target);
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadStored(const TempFolder& project, const char* storedPath)
{
    std::string relative(storedPath);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return project.ReadFile(relative);
}

// A data file of the current version holding the record, as the programs write it.
std::vector<unsigned char> RecordFileBytes(SerializableRecord& record)
{
    SaveRecordFile(record, "seed.dat");
    std::ifstream in("seed.dat", std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One page holding one command of each code, each with the arguments of its row.
Event EventWithEveryCommand()
{
    Event event;
    event.m_strName = "全コマンド";
    for (int code = 1; code < kEventCommandCount; ++code)
    {
        EventCommand command;
        command.Init();
        command.m_nCode = code;
        command.FitArguments();
        event.m_Page[0].m_Action.push_back(command);
    }
    return event;
}

void WriteDataSeeds(const TempFolder& project)
{
    for (const fuzz::DataFileKind& kind : fuzz::kDataFileKinds)
    {
        WriteSeed(kind.m_pName, "new-project", ReadStored(project, kind.m_pPath));
    }

    std::vector<unsigned char> projectBytes;
    for (const char* path : fuzz::kProjectFolderFiles)
    {
        std::vector<unsigned char> file = ReadStored(project, path);
        projectBytes.insert(projectBytes.end(), file.begin(), file.end());
        projectBytes.insert(projectBytes.end(), fuzz::kFileSeparator.begin(), fuzz::kFileSeparator.end());
    }
    WriteSeed("project", "new-project", projectBytes);

    Event every = EventWithEveryCommand();
    WriteSeed("start_event", "every-command", RecordFileBytes(every));
    StageRecord stage;
    stage.SetDefaults();
    every.m_nX = 3;
    every.m_nY = 4;
    stage.m_Event.push_back(every);
    WriteSeed("stage", "event-on-the-map", RecordFileBytes(stage));

    // A start event as version 80 wrote it, with a message and a shop.
    using namespace event_images;
    ByteBuilder old;
    old.Int(80);
    EventImage(old, 80, 0, 0, "古い",
               {PageImage{0, 0, 0, 0, "", {CommandImage{kCommandMessage, {0, 0}, {"こんにちは"}, {}},
                                            CommandImage{kCommandShop, {0}, {}, {}}}}});
    WriteSeed("start_event", "version-80", old.Data());
}

template <class T> void FillTable(CheckedVector<T>& table, int count, const char* name)
{
    T record;
    record.SetDefaults();
    table.assign(static_cast<std::size_t>(count), record);
    for (int i = 0; i < count; ++i)
    {
        table[i].m_strName = name + std::to_string(i);
    }
}

// Events of several pages with a few commands each, as a busy stage holds them.
Event BusyEvent(int n)
{
    Event event = EventWithEveryCommand();
    event.m_strName = "イベント" + std::to_string(n);
    event.m_Page[0].m_Action.resize(static_cast<std::size_t>(1 + n % 12));
    event.m_Page.push_back(event.m_Page[0]);
    return event;
}

// The project again, each table with many records, a busy stage and palettes
// of several events: seeds far larger than a new project's files, so that the
// fuzzing starts from the sizes real projects have.
void WriteManyRecordSeeds(const TempFolder& project)
{
    ResetProjectData();
    LoadProjectData();
    FillTable(ClassTable, 40, "クラス");
    FillTable(ItemTable, 40, "アイテム");
    FillTable(SkillTable, 40, "スキル");
    FillTable(LandTable, 40, "地形");
    FillTable(FriendTable, 40, "ともだち");
    FillTable(EnemyTable, 40, "てき");
    for (int i = 0; i < 40; ++i)
    {
        FriendTable[i].m_LearnSkill.resize(3);
        FriendTable[i].m_Skill.resize(4);
        EnemyTable[i].m_MoveAI.resize(2);
        EnemyTable[i].m_BattleAi.resize(2);
    }
    SaveDatabase();
    SaveShutDownData();

    Stage = StageRecord();
    Stage.SetDefaults();
    Stage.ResizeMap(24, 24);
    for (int i = 0; i < 12; ++i)
    {
        EnemyPlacement placement;
        placement.SetDefaults();
        placement.m_nEnemy = 1 + i;
        placement.m_nX = i;
        placement.m_nY = i;
        placement.m_MoveAI.resize(2);
        Stage.m_Enemy.push_back(placement);
        Event event = BusyEvent(i);
        Stage.PutEvent(event, i, 23 - i);
    }
    SaveRecordFile(Stage, "data\\stg\\Stage01.stg_276");

    Stage.m_PaletteEvent.clear();
    for (int i = 0; i < 8; ++i)
    {
        Stage.m_PaletteEvent.push_back(BusyEvent(i));
    }
    SaveEventPalette(Stage.m_PaletteEvent, DataFilePaths[kPathDefaultPalette]);
    WorldMap.m_Palette.assign(8, WorldMapEvent());
    SaveWorldPalette(WorldMap.m_Palette, DataFilePaths[kPathDefaultWorldPalette]);
    StartEvent = BusyEvent(20);
    SaveRecordFile(StartEvent, DataFilePaths[kPathStartEvent]);

    for (const fuzz::DataFileKind& kind : fuzz::kDataFileKinds)
    {
        const std::string path = std::string(kind.m_pName) == "stage" ? "data\\stg\\Stage01.stg_276" : kind.m_pPath;
        WriteSeed(kind.m_pName, "many-records", ReadStored(project, path.c_str()));
    }
    std::vector<unsigned char> projectBytes;
    for (const char* path : fuzz::kProjectFolderFiles)
    {
        std::vector<unsigned char> file = ReadStored(project, path);
        projectBytes.insert(projectBytes.end(), file.begin(), file.end());
        projectBytes.insert(projectBytes.end(), fuzz::kFileSeparator.begin(), fuzz::kFileSeparator.end());
    }
    WriteSeed("project", "many-records", projectBytes);
    ResetProjectData();
}

void WriteGameSeeds(const TempFolder& project)
{
    InitGameData();
    if (LoadGameDatabase())
    {
        StartNewGame();
        SaveToSlot(0);
        WriteSeed("save_slot", "new-game", ReadStored(project, SaveSlotFileName(0).c_str()));

        // A whole party, and units waiting to be hired and revived.
        const UnitRecord unit = PartyUnits.At(0);
        PartyUnits.assign(static_cast<std::size_t>(kPartySlotCount), unit);
        Progress.m_HireList.assign(10, unit);
        Progress.m_FallenList.assign(6, unit);
        SaveToSlot(1);
        WriteSeed("save_slot", "full-party", ReadStored(project, SaveSlotFileName(1).c_str()));
    }

    KeyConfig keys;
    SetDefaultKeyConfig(keys);
    std::array<unsigned char, kKeyConfigFileSize> bytes = KeyConfigBytes(keys);
    WriteSeed("key_config", "default", std::vector<unsigned char>(bytes.begin(), bytes.end()));
    keys.m_Actions[kActionLeft] = {0, kJoystickAxisLeft, 0};
    keys.m_Actions[kActionButton1] = {0, 1, 0};
    keys.m_nUseFlag = 1;
    bytes = KeyConfigBytes(keys);
    WriteSeed("key_config", "joystick", std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

void WriteMediaSeeds()
{
    WriteSeed("bmp", "8-bit", MakeBmp(BmpLayout{}));
    WriteSeed("bmp", "8-bit-top-down-16-colours",
              MakeBmp(BmpLayout{.m_bTopDown = true, .m_nColours = 16, .m_nGap = 6}));
    WriteSeed("bmp", "24-bit", MakeBmp(BmpLayout{.m_nWidth = 3, .m_nHeight = 2, .m_nBitCount = 24}));
    WriteSeed("bmp", "8-bit-header-124", MakeBmp(BmpLayout{.m_nInfoSize = 124}));

    WriteSeed("smf", "format-1", ExampleFormat1File());
    WriteSeed("smf", "one-note", OneNoteFile(480, 960));
    WriteSeed("smf", "format-0-dense", Join({SmfHeader(0, 1, 96), SmfTrack(DenseEvents(24))}));

    WriteSeed("wave", "8-bit-mono", MakeWave(8000, 1, 8, 64));
    WriteSeed("wave", "16-bit-stereo", MakeWave(22050, 2, 16, 32));

    WriteSeed("ogg", "mono", MakeOggVorbis(8000, 1, 0.1));
    WriteSeed("ogg", "stereo", MakeOggVorbis(11025, 2, 0.05));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: fuzz_seeds DIR\n";
        return 2;
    }
    SeedFolder = fs::absolute(argv[1]);
    CurrentVersion = kDataFormatVersion;

    TempFolder project;
    std::ostringstream out;
    if (RunNew(project.Path().string(), out, std::cerr) != 0)
    {
        return 1;
    }
    WriteDataSeeds(project);
    WriteGameSeeds(project);
    WriteManyRecordSeeds(project);
    WriteMediaSeeds();
    std::cout << "fuzz seeds in " << SeedFolder.string() << '\n';
    return 0;
}
