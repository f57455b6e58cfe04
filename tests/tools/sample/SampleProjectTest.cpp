#include "SampleProject.h"

#include "ContactSheet.h"
#include "ProjectTool.h"
#include "SampleData.h"
#include "SampleMusic.h"
#include "SamplePalette.h"
#include "SampleSounds.h"
#include "SheetTable.h"
#include "TempFolder.h"
#include "common/data/EventVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/graphics/BmpFile.h"
#include "common/project/ProjectFiles.h"
#include "common/sound/SmfLoader.h"
#include "platform/audio/OggVorbisPlayer.h"
#include "platform/audio/WaveFile.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace
{

namespace fs = std::filesystem;
using namespace sample;

fs::path FreshFolder(const std::string& name)
{
    fs::path folder = fs::temp_directory_path() / ("tk-sample-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(folder);
    return folder;
}

int Generate(const fs::path& folder, std::string* errors = nullptr)
{
    std::ostringstream out, err;
    SampleOptions options;
    options.m_strFolder = folder.string();
    int status = WriteSampleProject(options, out, err);
    if (errors)
    {
        *errors = err.str();
    }
    return status;
}

// Enters the project folder for one test and leaves the global data clean.
class InFolder
{
public:
    explicit InFolder(const fs::path& folder) : m_Previous(fs::current_path()) { fs::current_path(folder); }
    ~InFolder()
    {
        fs::current_path(m_Previous);
        ResetProjectData();
    }

private:
    fs::path m_Previous;
};

class SampleProjectTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_Folder = FreshFolder("project");
        std::string errors;
        s_nStatus = Generate(s_Folder, &errors);
        s_Errors = errors;
    }
    static void TearDownTestSuite() { fs::remove_all(s_Folder); }

    void SetUp() override { ASSERT_EQ(s_nStatus, 0) << s_Errors; }

    static fs::path s_Folder;
    static int s_nStatus;
    static std::string s_Errors;
};

fs::path SampleProjectTest::s_Folder;
int SampleProjectTest::s_nStatus = -1;
std::string SampleProjectTest::s_Errors;

TEST_F(SampleProjectTest, EveryDataFileLoadsWithoutAFailure)
{
    std::ostringstream out, err;
    fs::path before = fs::current_path();
    int status = RunProjectTool({"check", s_Folder.string()}, out, err);
    fs::current_path(before);
    ResetProjectData();
    EXPECT_EQ(status, 0) << out.str() << err.str();
    EXPECT_NE(out.str().find("16 files, 0 damaged"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("missing"), std::string::npos) << out.str();
}

TEST_F(SampleProjectTest, TwoRunsWriteTheSameBytes)
{
    fs::path second = FreshFolder("again");
    ASSERT_EQ(Generate(second), 0);
    auto first = SnapshotFolder(s_Folder);
    auto again = SnapshotFolder(second);
    fs::remove_all(second);
    ASSERT_EQ(first.size(), again.size());
    for (const auto& [name, bytes] : first)
    {
        EXPECT_TRUE(again.count(name) && again.at(name) == bytes) << name << " differs between two runs";
    }
}

// Each data file compared with itself, System.dat's several music names among
// its fields: nothing printed, exit 0.
TEST_F(SampleProjectTest, EveryDataFileDiffsCleanAgainstItself)
{
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(s_Folder / "data"))
    {
        if (!entry.is_regular_file() || entry.path().extension() == ".txt")
        {
            continue;
        }
        const std::string path = entry.path().string();
        std::ostringstream out, err;
        fs::path before = fs::current_path();
        int status = RunProjectTool({"diff", path, path}, out, err);
        fs::current_path(before);
        ResetProjectData();
        EXPECT_EQ(status, 0) << path << "\n" << err.str();
        EXPECT_EQ(out.str(), "") << path;
        ++files;
    }
    EXPECT_GE(files, 16);
}

TEST_F(SampleProjectTest, RefusesAFolderThatHoldsFilesUnlessAskedToReplace)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunSampleTool({}, out, err), 2);
    EXPECT_EQ(RunSampleTool({"--frobnicate", "x"}, out, err), 2);
    EXPECT_EQ(RunSampleTool({s_Folder.string()}, out, err), 2);
    EXPECT_NE(err.str().find("--replace"), std::string::npos);
    EXPECT_EQ(RunSampleTool({"--replace", s_Folder.string()}, out, err), 0) << err.str();
}

// The colour table of a BMP file, blue green red reserved.
std::vector<unsigned char> ColourTable(const std::vector<unsigned char>& bytes, const BmpHeader& header)
{
    auto first = bytes.begin() + header.m_nColourTableOffset;
    return std::vector<unsigned char>(first, first + 4 * header.m_nColours);
}

TEST_F(SampleProjectTest, EveryBitmapIsEightBitWithTheSharedPaletteAndCoversItsReads)
{
    InFolder in(s_Folder);
    std::vector<unsigned char> paletteBytes;
    BmpHeader paletteHeader;
    ASSERT_EQ(ReadBmpHeader("bmp\\Palette.bmp", paletteBytes, paletteHeader), BmpResult::Ok);
    ASSERT_EQ(paletteHeader.m_nColours, 256);
    const std::vector<unsigned char> shared = ColourTable(paletteBytes, paletteHeader);

    for (const SheetInfo& sheet : SampleSheets())
    {
        const std::string name = platform::ToUtf8(sheet.m_strPath);
        std::vector<unsigned char> bytes;
        BmpHeader header;
        ASSERT_EQ(ReadBmpHeader(sheet.m_strPath, bytes, header), BmpResult::Ok) << name;
        EXPECT_EQ(header.m_nBitCount, 8) << name;
        EXPECT_EQ(header.m_nCompression, 0u) << name;
        EXPECT_EQ(ColourTable(bytes, header), shared) << name << " has a palette of its own";
        for (const SheetRead& read : sheet.m_Reads)
        {
            EXPECT_TRUE(read.m_nX >= 0 && read.m_nY >= 0 && read.m_nX + read.m_nWidth <= header.m_nWidth &&
                        read.m_nY + read.m_nHeight <= header.m_nHeight)
                << name << " (" << header.m_nWidth << " x " << header.m_nHeight << ") does not hold " << read.m_strWhat
                << " at " << read.m_nX << ", " << read.m_nY << " size " << read.m_nWidth << " x " << read.m_nHeight;
        }
    }

    // Every file of the display's surface table is a sheet, and every bitmap of the project is in the table.
    for (const char* file : kSurfaceFiles)
    {
        EXPECT_TRUE(std::string(file) == "E" || FindSheet(file)) << platform::ToUtf8(file);
    }
    for (const auto& entry : fs::recursive_directory_iterator("bmp"))
    {
        std::string stored = platform::FromUtf8(entry.path().generic_string());
        std::replace(stored.begin(), stored.end(), '/', '\\');
        EXPECT_TRUE(!entry.is_regular_file() || FindSheet(stored)) << entry.path() << " is in no table row";
    }
}

TEST_F(SampleProjectTest, PaletteFileHoldsTheTransparentIndexAndTheColourChart)
{
    InFolder in(s_Folder);
    for (const char* file : {"bmp\\Palette.bmp", "bmp\\Palette2.bmp"})
    {
        std::vector<unsigned char> bytes;
        BmpHeader header;
        ASSERT_EQ(ReadBmpHeader(file, bytes, header), BmpResult::Ok);
        EXPECT_EQ(BmpRow(bytes, header, 0)[0], kTransparent) << file;
        for (int r = 0; r < 16; ++r)
        {
            for (int c = 0; c < 16; ++c)
            {
                EXPECT_EQ(BmpRow(bytes, header, 8 + r)[c], r * 16 + c) << file << " chart at " << c << ", " << 8 + r;
            }
        }
    }
    // The transparent colour is black, and no other entry is: the editor takes
    // the first entry of that colour as the transparent index.
    const SamplePaletteColours& palette = SamplePalette();
    for (int i = 0; i < 256; ++i)
    {
        bool black = palette[i].r == 0 && palette[i].g == 0 && palette[i].b == 0;
        EXPECT_EQ(black, i == kTransparent) << "entry " << i;
    }
}

double Brightness(const Rgb& c)
{
    return c.r * 0.3 + c.g * 0.59 + c.b * 0.11;
}

// The sheet of acted units moves indices 7..181 (but 43) up by three: every
// colour of a map character must turn darker, none may turn transparent.
TEST_F(SampleProjectTest, MapCharactersThatHaveActedLookDimmer)
{
    InFolder in(s_Folder);
    std::vector<unsigned char> bytes;
    BmpHeader header;
    ASSERT_EQ(ReadBmpHeader("bmp\\MapChara.bmp", bytes, header), BmpResult::Ok);
    const SamplePaletteColours& palette = SamplePalette();
    std::set<int> used;
    for (int y = 0; y < header.m_nHeight; ++y)
    {
        const unsigned char* row = BmpRow(bytes, header, y);
        used.insert(row, row + header.m_nWidth);
    }
    used.erase(kTransparent);
    ASSERT_GT(used.size(), 20u);
    for (int i : used)
    {
        ASSERT_TRUE(IsShiftedByActedLook(i)) << "index " << i << " keeps its colour on an acted unit";
        EXPECT_LT(Brightness(palette[i + 3]), Brightness(palette[i])) << "index " << i;
    }
}

// Every enemy of the sample has a look of its own: a class graphic no other
// enemy shares, whose enemy-side map character differs from every other's.
TEST_F(SampleProjectTest, EveryEnemyLooksLikeNoOther)
{
    InFolder in(s_Folder);
    ResetProjectData();
    LoadProjectData();
    std::vector<unsigned char> bytes;
    BmpHeader header;
    ASSERT_EQ(ReadBmpHeader("bmp\\MapChara.bmp", bytes, header), BmpResult::Ok);
    // The enemy-side chip of graphic g: the right cell of row g.
    auto chip = [&](int graphic)
    {
        std::vector<unsigned char> pixels;
        for (int y = graphic * 32; y < graphic * 32 + 32; ++y)
        {
            const unsigned char* row = BmpRow(bytes, header, y);
            pixels.insert(pixels.end(), row + 32, row + 64);
        }
        return pixels;
    };
    std::map<int, std::string> graphics;
    std::set<std::vector<unsigned char>> chips;
    for (int e = 1; e < EnemyTable.Count(); ++e)
    {
        const EnemyRecord& enemy = EnemyTable.At(e);
        ASSERT_TRUE(enemy.m_nClass > 0 && enemy.m_nClass < ClassTable.Count()) << enemy.m_strName;
        const int graphic = ClassTable.At(enemy.m_nClass).m_nGraphic;
        EXPECT_TRUE(graphics.emplace(graphic, enemy.m_strName).second)
            << platform::ToUtf8(enemy.m_strName) << " looks like " << platform::ToUtf8(graphics[graphic]);
        ASSERT_LT((graphic + 1) * 32, header.m_nHeight + 1);
        EXPECT_TRUE(chips.insert(chip(graphic)).second) << platform::ToUtf8(enemy.m_strName);
    }
}

TEST_F(SampleProjectTest, SoundEffectsAreEightBitMonoAt22050Hz)
{
    InFolder in(s_Folder);
    std::vector<std::string> files(std::begin(kGameSoundFiles), std::end(kGameSoundFiles));
    for (const char* editor : {"wave\\コピー.wav", "wave\\free.wav"})
    {
        files.push_back(editor);
    }
    for (const auto& entry : fs::directory_iterator("wave/SkillAndItem"))
    {
        files.push_back("wave\\SkillAndItem\\" + platform::FromUtf8(entry.path().filename().string()));
    }
    ASSERT_GT(files.size(), 13u);
    for (const std::string& file : files)
    {
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(platform::ReadWholeFile(file, bytes)) << platform::ToUtf8(file);
        // The fmt chunk is the plain 16-byte one: the game refuses 19 bytes or more.
        EXPECT_EQ(bytes[16], 16) << platform::ToUtf8(file);
        platform::WaveData wave;
        ASSERT_TRUE(platform::ParseWaveFile(bytes, wave)) << platform::ToUtf8(file);
        EXPECT_EQ(wave.m_nFormatTag, 1);
        EXPECT_EQ(wave.m_nChannels, 1);
        EXPECT_EQ(wave.m_nBitsPerSample, 8);
        EXPECT_EQ(wave.m_nSamplesPerSec, 22050u);
        EXPECT_GT(wave.m_Samples.size(), 1000u) << platform::ToUtf8(file);
    }
}

TEST_F(SampleProjectTest, TunesLoadAsMidiAndOgg)
{
    InFolder in(s_Folder);
    for (const char* base : {"bgm\\Title", "bgm\\WorldMap", "bgm\\Stage", "bgm\\Battle", "bgm\\Free"})
    {
        std::vector<unsigned char> midi;
        ASSERT_TRUE(platform::ReadWholeFile(std::string(base) + ".mid", midi)) << base;
        SmfLoader loader;
        ASSERT_TRUE(loader.ReadHeader(midi)) << base;
        EXPECT_GT(loader.Length(), 5.0) << base;
        EXPECT_LT(loader.Length(), 60.0) << base;

        std::vector<unsigned char> ogg;
        ASSERT_TRUE(platform::ReadWholeFile(std::string(base) + ".ogg", ogg)) << base;
        auto source = platform::OggVorbisSource::FromBytes(ogg);
        ASSERT_TRUE(source) << base;
        EXPECT_EQ(source->Format().m_nRate, 22050);
        // The Ogg tune lasts as long as its MIDI twin, to a tenth of a second.
        EXPECT_NEAR(source->FrameCount() / 22050.0, loader.Length(), 0.1) << base;
        // It is heard, and it does not clip.
        std::vector<int16_t> frames(static_cast<size_t>(source->FrameCount()) * 2);
        int read = source->Read(frames.data(), static_cast<int>(source->FrameCount()));
        double sum = 0;
        int peak = 0;
        for (int i = 0; i < read * 2; ++i)
        {
            sum += double(frames[static_cast<size_t>(i)]) * frames[static_cast<size_t>(i)];
            peak = std::max(peak, std::abs(int(frames[static_cast<size_t>(i)])));
        }
        double rms = std::sqrt(sum / std::max(1, read * 2));
        EXPECT_GT(rms, 1500) << base;
        EXPECT_LT(peak, 32000) << base;
    }
}

// A tune written out as a long song: every play of it in turn, for the time
// asked and less than one play more.
TEST_F(SampleProjectTest, LongSongPlaysItsTuneOverForTheTimeAsked)
{
    InFolder in(s_Folder);
    std::vector<unsigned char> once;
    ASSERT_TRUE(platform::ReadWholeFile("bgm\\Battle.mid", once));
    SmfLoader tune;
    ASSERT_TRUE(tune.ReadHeader(once));
    SmfLoader song;
    ASSERT_TRUE(song.ReadHeader(MakeLongMidiFile("bgm\\Battle", 180)));
    EXPECT_GE(song.Length(), 180.0);
    EXPECT_LT(song.Length(), 180.0 + tune.Length());
    // The events of each play but the names, programs and tempo at its start.
    const double plays = std::ceil(180.0 / tune.Length());
    const double tuneEvents = static_cast<double>(tune.Image().size() - kSmfFirstEvent);
    const double songEvents = static_cast<double>(song.Image().size() - kSmfFirstEvent);
    EXPECT_GT(songEvents, (plays - 1) * tuneEvents);
    EXPECT_LT(songEvents, plays * tuneEvents);

    EXPECT_TRUE(MakeLongMidiFile("bgm\\Nothing", 180).empty());
}

// The files the data names exist: backgrounds, sounds, music, stages.
TEST_F(SampleProjectTest, EveryFileTheDataNamesExists)
{
    InFolder in(s_Folder);
    ResetProjectData();
    LoadProjectData();
    std::vector<std::string> named;
    for (const std::string& bgm : System.m_strBgm)
    {
        named.push_back(bgm);
    }
    for (const LandRecord& land : LandTable)
    {
        if (!land.m_strBack.empty())
        {
            named.push_back(land.m_strBack);
        }
    }
    for (const SkillRecord& skill : SkillTable)
    {
        if (!skill.m_strSound.empty())
        {
            named.push_back(skill.m_strSound);
        }
    }
    for (const ItemRecord& item : ItemTable)
    {
        if (!item.m_strSound.empty())
        {
            named.push_back(item.m_strSound);
        }
    }
    for (const WorldMapEvent& event : WorldMap.m_Event)
    {
        for (const WorldMapEventPage& page : event.m_Page)
        {
            if (!page.m_strStageFile.empty())
            {
                named.push_back(page.m_strStageFile);
            }
        }
    }
    named.push_back(WorldMap.m_strBackImage);
    named.push_back(EditConfig.m_strDefaultStage);
    ASSERT_GT(named.size(), 20u);
    for (const std::string& path : named)
    {
        EXPECT_TRUE(platform::PathExists(path)) << platform::ToUtf8(path);
    }
}

bool HasCommand(const Event& event, int32_t code)
{
    for (const EventPage& page : event.m_Page)
    {
        for (const EventCommand& command : page.m_Action)
        {
            if (command.m_nCode == code)
            {
                return true;
            }
        }
    }
    return false;
}

// A new game has a hero; the world map leads through two stages to the end;
// every stage can be won and lost.
TEST_F(SampleProjectTest, TheGameLeadsFromTheStartThroughTwoStagesToItsEnd)
{
    InFolder in(s_Folder);
    ResetProjectData();
    LoadProjectData();

    // The start event brings a friend with a class into the party.
    ASSERT_FALSE(StartEvent.m_Page.empty());
    int hero = 0;
    for (const EventCommand& command : StartEvent.m_Page.At(0).m_Action)
    {
        if (command.m_nCode == kCommandParty && command.m_nValParam.At(1) > 0)
        {
            hero = command.m_nValParam.At(0);
        }
    }
    ASSERT_TRUE(hero > 0 && hero < FriendTable.Count());
    EXPECT_NE(FriendTable.At(hero).m_nClass, 0);
    int hireable = 0;
    for (const FriendRecord& f : FriendTable)
    {
        hireable += f.m_bInShop;
    }
    EXPECT_EQ(FriendTable.Count(), 4);
    EXPECT_EQ(hireable, 1);
    ASSERT_EQ(EnemyTable.Count(), 4);
    for (int e = 1; e < EnemyTable.Count(); ++e)
    {
        EXPECT_FALSE(EnemyTable.At(e).m_MoveAI.empty());
        EXPECT_FALSE(EnemyTable.At(e).m_BattleAi.empty());
    }

    // Two stage pages: the second appears after the first and ends the game.
    std::vector<const WorldMapEventPage*> stages;
    for (const WorldMapEvent& event : WorldMap.m_Event)
    {
        for (const WorldMapEventPage& page : event.m_Page)
        {
            if (page.m_nKind == kWorldPageStage && page.m_nStageNumber != 0)
            {
                stages.push_back(&page);
            }
        }
    }
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(stages[1]->m_nNeedStage, stages[0]->m_nStageNumber);
    EXPECT_EQ(stages[1]->m_nAfterClear, 2);
    EXPECT_NE(WorldMap.m_Chip.At(WorldMap.CellAt(WorldMap.m_nStartX, WorldMap.m_nStartY)).m_bBlocked, 1);

    for (const WorldMapEventPage* page : stages)
    {
        const std::string file = platform::ToUtf8(page->m_strStageFile);
        ASSERT_EQ(LoadRecordFile(Stage, page->m_strStageFile, 0), 1) << file;
        ASSERT_LT(Stage.m_nStartGroup, Stage.m_GroupPos.Count()) << file;
        auto passable = [](int x, int y) { return LandTable.At(Stage.CellAt(x, y)).m_bNoEntry == 0; };
        for (const MapPoint& p : Stage.m_GroupPos.At(Stage.m_nStartGroup).m_Point)
        {
            EXPECT_TRUE(passable(p.m_nX, p.m_nY)) << file << " start cell " << p.m_nX << ", " << p.m_nY;
        }
        EXPECT_GE(Stage.m_GroupPos.At(Stage.m_nStartGroup).m_Point.Count(), 3) << file;
        ASSERT_FALSE(Stage.m_Enemy.empty()) << file;
        for (const EnemyPlacement& placement : Stage.m_Enemy)
        {
            EXPECT_TRUE(placement.m_nEnemy > 0 && placement.m_nEnemy < EnemyTable.Count()) << file;
            EXPECT_TRUE(passable(placement.m_nX, placement.m_nY))
                << file << " enemy at " << placement.m_nX << ", " << placement.m_nY;
            // An enemy only ever walks to a goal: an entry that would fight or
            // heal there never works out, and the enemy stays where it stands.
            for (const MoveAiEntry& entry : placement.m_MoveAI)
            {
                EXPECT_TRUE(entry.m_nTarget != kMoveAiTargetGoal || entry.m_nMode == 0)
                    << file << " enemy at " << placement.m_nX << ", " << placement.m_nY;
            }
        }
        bool clears = false;
        bool endsTheGame = false;
        for (const Event& event : Stage.m_Event)
        {
            clears = clears || HasCommand(event, 16);
            endsTheGame = endsTheGame || HasCommand(event, 17);
        }
        EXPECT_TRUE(clears) << file << " has no event that clears it";
        EXPECT_TRUE(endsTheGame) << file << " has no event of game over";
        EXPECT_FALSE(Stage.m_WinPage.empty()) << file;
    }
}

// Every picture number the data hold names a cell that lies on its sheet, at
// the place the game and the editor read it from.
TEST_F(SampleProjectTest, EveryPictureTheDataNameLiesOnItsSheet)
{
    InFolder in(s_Folder);
    ResetProjectData();
    LoadProjectData();
    auto expectCell = [](const char* path, int x, int y, int w, int h, const std::string& what)
    {
        const SheetInfo* sheet = FindSheet(path);
        ASSERT_NE(sheet, nullptr) << path;
        EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= sheet->m_nWidth && y + h <= sheet->m_nHeight)
            << what << ": " << w << " x " << h << " at " << x << ", " << y << " is not on " << platform::ToUtf8(path);
    };
    for (int c = 1; c < ClassTable.Count(); ++c)
    {
        const int g = ClassTable.At(c).m_nGraphic;
        const std::string what = "class " + std::to_string(c);
        expectCell("bmp\\Character.bmp", 0, g * 48, 48, 48, what + " face");
        expectCell("bmp\\Character.bmp", g * 48, 0, 48, 48, what + " preview");
        expectCell("bmp\\MapChara.bmp", g / 15 * 64, g % 15 * 32, 64, 32, what + " map chips");
    }
    for (const LandRecord& land : LandTable)
    {
        const int n = land.m_nGraphic;
        expectCell("bmp\\MapChip.bmp", n % 8 * 32, n / 8 * 32, 32, 32, "land " + platform::ToUtf8(land.m_strName));
    }
    for (const SkillRecord& skill : SkillTable)
    {
        expectCell("bmp\\Effect.bmp", 0, skill.m_nGraphic * 48, 128, 48, "skill " + platform::ToUtf8(skill.m_strName));
    }
    for (const ItemRecord& item : ItemTable)
    {
        expectCell("bmp\\Effect.bmp", 0, item.m_nGraphic * 48, 128, 48, "item " + platform::ToUtf8(item.m_strName));
    }
    auto expectSymbols = [&](const auto& list)
    {
        for (const auto& entry : list)
        {
            expectCell("bmp\\Symbol.bmp", entry.m_nSymbol * 16, 0, 16, 16,
                       "symbol of " + platform::ToUtf8(entry.m_strName));
        }
    };
    expectSymbols(System.m_Attribute);
    expectSymbols(System.m_SkillCategory);
    expectSymbols(System.m_ItemCategory);
    for (const WorldMapChip& chip : WorldMap.m_Chip)
    {
        expectCell("bmp\\WorldMapChip.bmp", chip.m_nTile % 5 * 32, chip.m_nTile / 5 * 32, 32, 32, "world chip");
    }
    for (const auto* events : {&WorldMap.m_Event, &WorldMap.m_Palette})
    {
        for (const WorldMapEvent& event : *events)
        {
            for (const WorldMapEventPage& page : event.m_Page)
            {
                expectCell("bmp\\WorldEvent.bmp", 0, page.m_nGraphic * 32, 64, 32,
                           "world event " + platform::ToUtf8(event.m_strName));
            }
        }
    }
    for (const char* file : kStageFiles)
    {
        ASSERT_EQ(LoadRecordFile(Stage, file, 0), 1) << file;
        for (const Event& event : Stage.m_Event)
        {
            const std::string what = std::string(file) + " event " + platform::ToUtf8(event.m_strName);
            for (const EventPage& page : event.m_Page)
            {
                const int g = page.m_nGraphic;
                expectCell("bmp\\Event.bmp", g / 15 * 64, g % 15 * 32, 64, 32, what);
                for (const EventCommand& command : page.m_Action)
                {
                    if (command.m_nCode == kCommandChangeGraphic)
                    {
                        const int to = command.m_nValParam.At(0);
                        expectCell("bmp\\Event.bmp", to / 15 * 64, to % 15 * 32, 64, 32, what + " changed");
                    }
                }
            }
        }
    }
}

// The game reads System.ini value by value, in the order of the "=" signs; a
// value ends at a blank, a line end or "/".
TEST_F(SampleProjectTest, SystemIniAsksForAWindowAtSixteenBits)
{
    InFolder in(s_Folder);
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(platform::ReadWholeFile("System.ini", bytes));
    std::vector<int> values;
    size_t i = 0;
    while (values.size() < 7 && i < bytes.size())
    {
        while (i < bytes.size() && bytes[i] != '=')
        {
            ++i;
        }
        std::string value;
        for (++i; i < bytes.size() && !std::strchr("\t\n /", bytes[i]) && bytes[i] != 0; ++i)
        {
            value += static_cast<char>(bytes[i]);
        }
        values.push_back(std::atoi(value.c_str()));
    }
    EXPECT_EQ(values, (std::vector<int>{1, 0, 1, 16, 60, 1, 0}));
}

TEST_F(SampleProjectTest, RandomNamesAreShortLines)
{
    InFolder in(s_Folder);
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(platform::ReadWholeFile("data\\RandomName.txt", bytes));
    std::string text(bytes.begin(), bytes.end());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    std::istringstream lines(text);
    std::string line;
    int count = 0;
    while (std::getline(lines, line))
    {
        ++count;
        EXPECT_FALSE(line.empty());
        EXPECT_LE(line.size(), 16u) << platform::ToUtf8(line);
        EXPECT_TRUE(platform::Cp932ToUtf8(line).Complete()) << line;
    }
    EXPECT_GE(count, 10);
}

// The picture in the README is the one the generator draws today.
TEST_F(SampleProjectTest, ContactSheetOfTheReadmeIsCurrent)
{
    std::ifstream file(TK_CONTACT_SHEET, std::ios::binary);
    ASSERT_TRUE(file) << TK_CONTACT_SHEET;
    std::vector<uint8_t> committed((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    RgbImage expected;
    ASSERT_TRUE(DecodePng(committed, expected));

    InFolder in(s_Folder);
    platform::FreeTypeRasterizer fonts;
    ASSERT_TRUE(fonts.Open());
    std::vector<NamedCanvas> pictures = DrawAllSheets(fonts);
    for (NamedCanvas& preview : RenderMapPreviews(pictures))
    {
        pictures.push_back(std::move(preview));
    }
    RgbImage fresh = RenderContactSheet(pictures, fonts);
    EXPECT_EQ(fresh.m_nWidth, expected.m_nWidth);
    EXPECT_EQ(fresh.m_nHeight, expected.m_nHeight);
    EXPECT_TRUE(fresh.m_Pixels == expected.m_Pixels)
        << "the contact sheet is out of date: make contact-sheet, then commit " << TK_CONTACT_SHEET;
}

} // namespace
