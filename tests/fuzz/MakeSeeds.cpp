// fuzz_seeds DIR: writes the first inputs of every fuzz target, DIR/fuzz_<name>/<seed>,
// small valid files as the tests make them: the files of a new project, an
// event that holds every command, an event file of an old version, a new
// game's save slot, key configurations, bitmaps, MIDI, WAV and Ogg files; and
// the same project with many records in every table, a busy stage, palettes of
// many events and a full party, and the files of a single record with long
// texts, for the sizes that real files have (every data-file target has seeds
// above 4 KB), and the sample project's own bitmaps, sounds and music, for the
// sizes that real media files have (every media target has seeds above 16 KB).
// Each data file it writes must load as its target loads it.

#include "DataFileKinds.h"
#include "FuzzTarget.h"
#include "ProjectFolder.h"

#include "ProjectTool.h"
#include "SampleMusic.h"
#include "SampleProject.h"
#include "SampleSounds.h"
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
#include "platform/core/Cp932.h"
#include "platform/text/FreeTypeRasterizer.h"
#include "tests/common/data/EventImages.h"
#include "tests/common/graphics/BmpBuilder.h"
#include "tests/common/sound/SmfBytes.h"
#include "tests/platform/audio/SoundFiles.h"

#include <ogg/ogg.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
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

// The piece `count` times over: a long text of whole characters.
std::string Repeated(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        text += piece;
    }
    return text;
}

// A description of 31 characters, nearly as long as the database pages take
// (32 characters for a land, 38 for an item or a skill).
const char* const kDescription = "見通しのよい平地。歩く部隊は速いが、遠くの敵からもよく見える。";

// count records of defaults, each named and, where the record has one, described.
template <class T> void FillTable(CheckedVector<T>& table, int count, const char* name)
{
    T record;
    record.SetDefaults();
    table.assign(static_cast<std::size_t>(count), record);
    for (int i = 0; i < count; ++i)
    {
        table[i].m_strName = name + std::to_string(i);
        if constexpr (requires { record.m_strText; })
        {
            table[i].m_strText = kDescription;
        }
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

// A start event as a story tells it: eight pages of every command, each text
// (messages, names, file names) long.
Event LongTextEvent()
{
    Event event = EventWithEveryCommand();
    event.m_strName = Repeated("はじまりのイベント", 4);
    for (EventCommand& command : event.m_Page[0].m_Action)
    {
        for (StringRecord& text : command.m_StrParam)
        {
            text.m_str = Repeated("むかしむかし、ある村に。", 8);
        }
    }
    for (int i = 1; i < 8; ++i)
    {
        event.m_Page.push_back(event.m_Page[0]);
    }
    return event;
}

// A world-map event of four pages: a stage, a road, a wall and a stage again,
// each with its stage file and its conditions.
WorldMapEvent WorldEventWithPages(int n)
{
    WorldMapEvent event;
    event.Init();
    event.m_strName = "ワールドイベント" + std::to_string(n);
    event.m_Page.resize(4);
    for (int i = 0; i < 4; ++i)
    {
        WorldMapEventPage& page = event.m_Page[i];
        page.m_nKind = i % kWorldMapPageKindCount;
        page.m_nGraphic = n % 8;
        page.m_nStageNumber = 1 + 4 * n + i;
        page.m_bPassWithoutClear = i % 2;
        page.m_nAfterClear = i == 3 ? 1 : 0;
        page.m_nNeedStage = 4 * n + i;
        page.m_nVariable = 1 + i;
        page.m_nVariableValue = n;
        page.m_nVariableCompare = i;
        page.m_strStageFile = "data\\stg\\Stage" + std::to_string(1 + 4 * n + i) + ".stg";
    }
    return event;
}

// The project again, each table with many records, named variables, a busy
// stage, palettes of many events, a world map with events on it and a long
// start event: seeds far larger than a new project's files, so that the
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
    // Names of up to 10 characters, as the editor takes them.
    for (int i = 1; i < GValInfo.Count(); ++i)
    {
        GValInfo[i].m_str = "宝箱をあけた" + std::to_string(i);
    }
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
    for (int i = 0; i < 16; ++i)
    {
        Stage.m_PaletteEvent.push_back(BusyEvent(i));
    }
    SaveEventPalette(Stage.m_PaletteEvent, DataFilePaths[kPathDefaultPalette]);
    WorldMap.m_Palette.clear();
    for (int i = 0; i < 16; ++i)
    {
        WorldMap.m_Palette.push_back(WorldEventWithPages(i));
    }
    SaveWorldPalette(WorldMap.m_Palette, DataFilePaths[kPathDefaultWorldPalette]);
    for (int i = 0; i < 8; ++i)
    {
        WorldMapEvent event = WorldEventWithPages(i);
        WorldMap.PutEvent(event, 2 * i, 1 + i);
    }
    SaveRecordFile(WorldMap, DataFilePaths[kPathWorldMap]);
    StartEvent = LongTextEvent();
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

// The files of a single record, made large by their lists and texts, which
// the format bounds only by the file's length: a System with a long game name
// and music paths and 40 attributes and categories of each kind, an
// EditConfig whose paths lie in deep folders.
void WriteLongTextSeeds()
{
    SystemRecord system;
    system.m_strGameName = Repeated("長い名前のゲーム", 32);
    for (int i = 0; i < 4; ++i)
    {
        system.m_strBgm[i] = "music\\" + Repeated("曲のフォルダ\\", 8) + "曲" + std::to_string(i) + ".mid";
    }
    auto name = [](auto& entries, const char* text) {
        entries.resize(40);
        for (int i = 0; i < 40; ++i)
        {
            entries[i].m_nSymbol = i % 8;
            entries[i].m_strName = text + std::to_string(i);
        }
    };
    name(system.m_Attribute, "ほのおの属性");
    name(system.m_SkillCategory, "こうげきのスキル");
    name(system.m_ItemCategory, "かいふくのどうぐ");
    WriteSeed("system", "long-texts", RecordFileBytes(system));

    EditConfigRecord config;
    const std::string folder = Repeated("ゲーム制作\\", 100);
    config.m_strGameProgram = folder + "tarnwick-game";
    config.m_strConvertFolder = folder + "data\\bmp\\convert";
    config.m_strDefaultStage = folder + "data\\stg\\Stage01.stg";
    config.m_strDefaultPalette = folder + DataFilePaths[kPathDefaultPalette];
    config.m_strDefaultWorldPalette = folder + DataFilePaths[kPathDefaultWorldPalette];
    WriteSeed("edit_config", "long-texts", RecordFileBytes(config));
}

// Loads every data-file seed as its target does, in a new project folder as
// the targets start in; false, naming them, when some do not load.
bool DataSeedsLoad()
{
    TempFolder folder;
    ResetProjectData();
    LoadProjectData();
    bool all = true;
    for (const fuzz::DataFileKind& kind : fuzz::kDataFileKinds)
    {
        for (const fs::directory_entry& seed :
             fs::directory_iterator(SeedFolder / ("fuzz_" + std::string(kind.m_pName))))
        {
            std::ifstream in(seed.path(), std::ios::binary);
            fuzz::WriteFile(kind.m_pPath, std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
            if (!kind.m_Loads(kind.m_pPath))
            {
                std::cerr << "fuzz_seeds: " << seed.path().string() << " does not load\n";
                all = false;
            }
        }
    }
    ResetProjectData();
    return all;
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

// The seed's name for a file of the sample: its stored path in UTF-8, each
// separator a '-'.
std::string SampleSeedName(const std::string& storedPath)
{
    std::string name = platform::ToUtf8(storedPath);
    std::replace(name.begin(), name.end(), '\\', '-');
    return "sample-" + name;
}

// The pages of an Ogg file, each whole.
std::vector<std::vector<uint8_t>> OggPages(const std::vector<uint8_t>& file)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(file.size()));
    std::copy(file.begin(), file.end(), buffer);
    ogg_sync_wrote(&sync, static_cast<long>(file.size()));
    std::vector<std::vector<uint8_t>> pages;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1)
    {
        std::vector<uint8_t> bytes(page.header, page.header + page.header_len);
        bytes.insert(bytes.end(), page.body, page.body + page.body_len);
        pages.push_back(std::move(bytes));
    }
    ogg_sync_clear(&sync);
    return pages;
}

// The sample project's bitmaps, sounds and music as the sample writer makes
// them: files of the sizes a project's own have, bitmaps up to 301 KB (640 x
// 480), Ogg songs up to 126 KB and sounds up to 30 KB. Its MIDI tunes are
// loops of a few KB; the two busiest are also written out as songs of three
// minutes, as a project's own songs are (20 to 35 KB). False when the
// lettering's font cannot be opened.
bool WriteSampleSeeds()
{
    platform::FreeTypeRasterizer fonts;
    if (!fonts.Open())
    {
        std::cerr << "fuzz_seeds: the font " << platform::kDefaultFontFile << " cannot be opened\n";
        return false;
    }
    for (const sample::NamedCanvas& sheet : sample::DrawAllSheets(fonts))
    {
        WriteSeed("bmp", SampleSeedName(sheet.m_strName), sample::EncodeBmp(sheet.m_Canvas));
    }
    for (const sample::SoundFile& sound : sample::MakeSoundFiles())
    {
        WriteSeed("wave", SampleSeedName(sound.m_strPath), sound.m_Bytes);
    }
    std::map<std::string, std::vector<uint8_t>> songs;
    for (const sample::MusicFile& music : sample::MakeMusicFiles())
    {
        WriteSeed(music.m_strPath.ends_with(".mid") ? "smf" : "ogg", SampleSeedName(music.m_strPath), music.m_Bytes);
        songs[music.m_strPath] = music.m_Bytes;
    }
    // Two songs chained, then a page from the middle of a third whose
    // beginning is missing: libvorbisfile fails to open it and loses what it
    // read of the second song's headers (OggFuzz.cpp).
    std::vector<uint8_t> chained = songs["bgm\\Battle.ogg"];
    chained.insert(chained.end(), songs["bgm\\Free.ogg"].begin(), songs["bgm\\Free.ogg"].end());
    const std::vector<std::vector<uint8_t>> title = OggPages(songs["bgm\\Title.ogg"]);
    chained.insert(chained.end(), title.at(5).begin(), title.at(5).end());
    WriteSeed("ogg", "sample-chained-with-a-stray-page", chained);
    for (const char* tune : {"bgm\\Stage", "bgm\\Battle"})
    {
        WriteSeed("smf", SampleSeedName(tune) + "-3-minutes.mid", sample::MakeLongMidiFile(tune, 180));
    }
    return true;
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
    WriteLongTextSeeds();
    WriteMediaSeeds();
    if (!WriteSampleSeeds() || !DataSeedsLoad())
    {
        return 1;
    }
    std::cout << "fuzz seeds in " << SeedFolder.string() << '\n';
    return 0;
}
