#include "GameDataTest.h"
#include "RecordingDrawTarget.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace
{

class SaveSlotsTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        Progress.ResetForNewGame();
        Progress.m_nMoney = 4321;
        Progress.m_nScoutPoints = 9;
        Progress.AddItem(2, 3);
        Progress.SetVariable(4, 12);
        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        PartyUnits.At(7) = Member(2);
    }

    // A slot file with this play-through and these units.
    static void WriteSlot(int slot, ProgressRecord& progress, CheckedVector<UnitRecord>& units)
    {
        std::filesystem::create_directories("user_data");
        std::unique_ptr<DataFileWriter> out = OpenDataFileForWrite(SaveSlotFileName(slot));
        progress.Save(*out);
        SaveRecordVector(units, *out);
        ASSERT_TRUE(CloseDataFile(std::move(out)));
    }

    // The session as its images, to see that nothing changed.
    static std::vector<unsigned char> Session()
    {
        std::vector<unsigned char> bytes = Image(Progress);
        std::vector<unsigned char> party = PartyImage();
        bytes.insert(bytes.end(), party.begin(), party.end());
        return bytes;
    }
};

TEST_F(SaveSlotsTest, SlotFileNames)
{
    const std::pair<int, const char*> cases[] = {{0, "user_data\\SaveData01.dat"},
                                                 {8, "user_data\\SaveData09.dat"},
                                                 {9, "user_data\\SaveData10.dat"},
                                                 {98, "user_data\\SaveData99.dat"},
                                                 {99, "user_data\\SaveData00.dat"}};
    for (auto [slot, name] : cases)
    {
        EXPECT_EQ(SaveSlotFileName(slot), name);
    }
}

TEST_F(SaveSlotsTest, SaveScanAndLoadGiveBackTheSameGame)
{
    ASSERT_FALSE(std::filesystem::exists("user_data"));
    const std::vector<unsigned char> saved = Session();
    ASSERT_TRUE(SaveToSlot(9));
    EXPECT_TRUE(m_Sounds.empty());
    EXPECT_EQ(SaveSlots.At(9).SummaryText(), "4321S 9P");

    // Version word, play-through, 64 units.
    const std::vector<unsigned char> file = m_Folder.ReadFile("user_data/SaveData10.dat");
    const std::vector<unsigned char> progress = Image(Progress);
    ASSERT_EQ(file.size(), 4 + saved.size());
    EXPECT_EQ(std::memcmp(file.data(), "\x14\x01\x00\x00", 4), 0);
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + 4, file.end()), saved);
    EXPECT_EQ(std::memcmp(file.data() + 4 + progress.size(), "\x40\x00\x00\x00", 4), 0);

    StartNewGame();
    ResizeSaveSlots(SaveSlots);
    ScanSaveSlots(SaveSlots);
    for (int i = 0; i < kSaveSlotCount; ++i)
    {
        EXPECT_EQ(SaveSlots.At(i).m_bUsed, i == 9 ? 1 : 0) << i;
    }
    EXPECT_EQ(SaveSlots.At(9).m_nMoney, 4321);
    EXPECT_EQ(SaveSlots.At(9).m_nScoutPoints, 9);
    EXPECT_EQ(SaveSlots.At(3).SummaryText(), "");

    ASSERT_TRUE(LoadFromSlot(9));
    EXPECT_EQ(Session(), saved);
    EXPECT_EQ(Progress.m_nMoney, 4321);
    EXPECT_EQ(Progress.GetItemCount(2), 3);
    EXPECT_EQ(PartyUnits.At(7).m_strName, "friend2");
    EXPECT_EQ(CountPartyMembers(PartyUnits), 2);
}

TEST_F(SaveSlotsTest, AFileThatOpensIsListedAndADamagedOneIsKeptBeforeASaveOverIt)
{
    ASSERT_TRUE(SaveToSlot(0));
    const std::vector<unsigned char> good = m_Folder.ReadFile("user_data/SaveData01.dat");
    for (const DamagedSlotFile& damaged : DamagedSlotFiles(good))
    {
        SCOPED_TRACE(damaged.m_pWhat);
        std::filesystem::remove("user_data/SaveData01.dat.damaged");
        m_Folder.WriteFile("user_data/SaveData01.dat", damaged.m_Bytes);
        Progress.m_nMoney = 4321;

        // As in a new run: the file is only scanned, which reads the play-through alone.
        SaveSlots.At(0) = SaveSlotInfo();
        ScanSaveSlots(SaveSlots);
        EXPECT_EQ(SaveSlots.At(0).m_bUsed, 1);
        EXPECT_EQ(SaveSlots.At(0).SummaryText(), damaged.m_bPlayThroughReads ? "4321S 9P" : "よみこめません");

        StartNewGame();
        const std::vector<unsigned char> session = Session();
        EXPECT_FALSE(LoadFromSlot(0));
        EXPECT_EQ(Session(), session);
        EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData01.dat"), damaged.m_Bytes);

        Progress.m_nMoney = 55;
        ASSERT_TRUE(SaveToSlot(0));
        EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData01.dat.damaged"), damaged.m_Bytes);
        EXPECT_EQ(SaveSlots.At(0).SummaryText(), "55S 1P");
        ASSERT_TRUE(LoadFromSlot(0));
        EXPECT_EQ(Progress.m_nMoney, 55);
    }

    // A file that reads whole is simply replaced.
    ASSERT_TRUE(SaveToSlot(1));
    ASSERT_TRUE(SaveToSlot(1));
    EXPECT_FALSE(std::filesystem::exists("user_data/SaveData02.dat.damaged"));
}

TEST_F(SaveSlotsTest, AFileThatIsThereButCannotBeReadIsListedAndNeverSavedOver)
{
    ASSERT_TRUE(SaveToSlot(0));
    const std::vector<unsigned char> good = m_Folder.ReadFile("user_data/SaveData01.dat");
    // A folder in the file's place cannot be read by anyone; a file without
    // permissions only by a program that is not the superuser.
    struct Case
    {
        const char* what;
        int slot;
    };
    std::vector<Case> cases = {{"a folder", 1}};
    if (::geteuid() != 0)
    {
        cases.push_back({"no permission", 0});
    }
    for (const Case& unreadable : cases)
    {
        SCOPED_TRACE(unreadable.what);
        const int slot = unreadable.slot;
        if (slot == 1)
        {
            std::filesystem::create_directory("user_data/SaveData02.dat");
        }
        else
        {
            std::filesystem::permissions("user_data/SaveData01.dat", std::filesystem::perms::none);
        }

        SaveSlots.At(slot) = SaveSlotInfo();
        ScanSaveSlots(SaveSlots);
        EXPECT_EQ(SaveSlots.At(slot).SummaryText(), "よみこめません");

        std::string reason;
        EXPECT_FALSE(LoadFromSlot(slot, &reason));
        EXPECT_NE(reason.find("the file cannot be read"), std::string::npos) << reason;

        std::string refused;
        EXPECT_FALSE(SaveToSlot(slot, &refused));
        EXPECT_NE(refused.find("cannot be kept"), std::string::npos) << refused;
        EXPECT_EQ(SaveSlots.At(slot).SummaryText(), "よみこめません");
    }
    EXPECT_TRUE(std::filesystem::is_directory("user_data/SaveData02.dat"));
    if (::geteuid() != 0)
    {
        std::filesystem::permissions("user_data/SaveData01.dat", std::filesystem::perms::owner_read);
        EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData01.dat"), good);
    }
}

TEST_F(SaveSlotsTest, AFailedSaveIsNotReportedAsSavedAndKeepsTheOldSlot)
{
    // The folder cannot be made: a file stands in its place.
    m_Folder.WriteFile("user_data", std::string("not a folder"));
    SaveSlots.At(0).CopySummary(ProgressRecord());
    std::string error;
    EXPECT_FALSE(SaveToSlot(0, &error));
    EXPECT_EQ(error, "the folder user_data cannot be made");
    EXPECT_EQ(m_Sounds, std::vector<int>{kSoundRefusal});
    EXPECT_EQ(SaveSlots.At(0).SummaryText(), "0S 0P");
    EXPECT_NE(m_Folder.ReadText("Report.txt").find("user_data\\SaveData01.dat : not saved"), std::string::npos);
    std::filesystem::remove("user_data");

    // A slot that exists is left byte for byte when no file may be written.
    ASSERT_TRUE(SaveToSlot(4));
    const std::vector<unsigned char> old = m_Folder.ReadFile("user_data/SaveData05.dat");
    Progress.m_nMoney = 1;
    platform::FatalError();
    EXPECT_FALSE(SaveToSlot(4, &error));
    EXPECT_EQ(error, "saving stopped after a fatal error");
    EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData05.dat"), old);
    EXPECT_EQ(SaveSlots.At(4).m_nMoney, 4321);
    EXPECT_EQ(m_Sounds, (std::vector<int>{kSoundRefusal, kSoundRefusal}));
    EXPECT_FALSE(SaveToSlot(kSaveSlotCount));
}

TEST_F(SaveSlotsTest, ATruncatedOrGarbledSlotNeverChangesTheSession)
{
    ASSERT_TRUE(SaveToSlot(1));
    const std::vector<unsigned char> good = m_Folder.ReadFile("user_data/SaveData02.dat");
    const std::size_t partyCount = 4 + Image(Progress).size();

    auto truncated = [&good](std::size_t size)
    { return std::vector<unsigned char>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)); };
    auto patched = [&good](std::size_t offset, int32_t value)
    {
        std::vector<unsigned char> bytes = good;
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    std::vector<unsigned char> longer = good;
    longer.push_back(0);

    const std::pair<const char*, std::vector<unsigned char>> damaged[] = {
        {"empty", {}},
        {"version word only", truncated(4)},
        {"cut in the play-through", truncated(40)},
        {"cut before the units", truncated(partyCount)},
        {"cut in the middle", truncated(good.size() / 2)},
        {"last byte missing", truncated(good.size() - 1)},
        {"a byte too many", longer},
        {"too many fields", patched(4, 1000)},
        {"a huge unit count", patched(partyCount, 0x7FFFFFFF)},
        {"a negative unit count", patched(partyCount, -1)},
        {"a unit with too many fields", patched(partyCount + 4, 5000)},
    };

    StartNewGame();
    Progress.m_nMoney = 77;
    const std::vector<unsigned char> session = Session();
    for (const auto& [what, bytes] : damaged)
    {
        m_Folder.WriteFile("user_data/SaveData02.dat", bytes);
        EXPECT_FALSE(LoadFromSlot(1)) << what;
        EXPECT_EQ(Session(), session) << what;
    }
    EXPECT_FALSE(LoadFromSlot(50)); // no such file
    EXPECT_FALSE(LoadFromSlot(-1));
    EXPECT_EQ(Session(), session);
    EXPECT_EQ(m_nCloses, 0);
}

TEST_F(SaveSlotsTest, TheDifficultyChosenInTheCampSurvivesASaveAndALoad)
{
    System.m_nDifficultyMax = 10;
    Progress.m_nDifficulty = 5;
    ASSERT_TRUE(SaveToSlot(0));
    Progress.m_nDifficulty = 0;
    ASSERT_TRUE(LoadFromSlot(0));
    EXPECT_EQ(Progress.m_nDifficulty, 5);
    ASSERT_TRUE(SaveToSlot(1));
    EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData02.dat"), m_Folder.ReadFile("user_data/SaveData01.dat"));
}

TEST_F(SaveSlotsTest, ALoadBringsUnitValuesOutOfRangeIntoTheGamesRanges)
{
    using Field = int32_t& (*)(UnitRecord&);
    struct Case
    {
        const char* m_pWhat;
        Field m_Field;
        int32_t m_nWritten;
        int32_t m_nLoaded;
        int32_t m_nLevel = 3; // written with the value
    };
    constexpr Field kMaxHp = [](UnitRecord& u) -> int32_t& { return u.m_Param[0].m_nBase; };
    constexpr Field kMaxSp = [](UnitRecord& u) -> int32_t& { return u.m_Param[1].m_nBase; };
    constexpr Field kAttack = [](UnitRecord& u) -> int32_t& { return u.m_Param[2].m_nBase; };
    constexpr Field kSpeed = [](UnitRecord& u) -> int32_t& { return u.m_Param[8].m_nBase; };
    constexpr Field kLevel = [](UnitRecord& u) -> int32_t& { return u.m_nLevel; };
    constexpr Field kExp = [](UnitRecord& u) -> int32_t& { return u.m_nExp; };
    constexpr Field kRest = [](UnitRecord& u) -> int32_t& { return u.m_nGrowthRest[4]; };
    constexpr Field kSide = [](UnitRecord& u) -> int32_t& { return u.m_bEnemy; };
    constexpr Field kLeader = [](UnitRecord& u) -> int32_t& { return u.m_nPlayA; };
    constexpr Field kDown = [](UnitRecord& u) -> int32_t& { return u.m_nPlayD; };
    const Case cases[] = {
        {"a negative maximum HP", kMaxHp, -5, 1},
        {"no HP", kMaxHp, 0, 1},
        {"maximum HP past 999", kMaxHp, 5000, 999},
        {"a negative SP", kMaxSp, -3, 0},
        {"attack past 999", kAttack, 4000, 999},
        {"the lowest speed", kSpeed, INT32_MIN, 0},
        {"level 0", kLevel, 0, 1},
        {"a negative level", kLevel, -7, 1},
        {"a level past the class's limit", kLevel, 500, 30},
        {"negative experience", kExp, -50, 0},
        {"experience of two levels", kExp, 250, 99},
        {"experience at the level limit", kExp, 40, 0, 30},
        {"a negative growth remainder", kRest, -20, 0},
        {"a growth remainder of ten points", kRest, 1000, 100},
        {"a friend on the enemies' side", kSide, 1, 0},
        {"a leader flag of -1", kLeader, -1, 1},
        {"a down flag of 7", kDown, 7, 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        // Written past the check that a save runs, as another program or a damaged disk could.
        UnitRecord unit = Member(2);
        unit.m_nLevel = c.m_nLevel;
        c.m_Field(unit) = c.m_nWritten;
        CheckedVector<UnitRecord> units(1, unit);
        ProgressRecord progress = Progress;
        progress.m_FallenList.assign(1, unit);
        CheckedVector<ClassRecord> classes;
        std::swap(classes, ClassTable);
        WriteSlot(2, progress, units);
        const std::vector<unsigned char> image = Image(unit);
        std::swap(classes, ClassTable);

        // Read to be kept as stored, the unit keeps what was written.
        UnitRecord stored;
        DataReader storedIn(image, kDataFormatVersion, "memory");
        storedIn.SetChecksValues(false);
        ASSERT_TRUE(stored.Load(storedIn));
        EXPECT_EQ(c.m_Field(stored), c.m_nWritten);

        ASSERT_TRUE(LoadFromSlot(2));
        for (UnitRecord* loaded : {&PartyUnits.At(0), &Progress.m_FallenList.At(0)})
        {
            EXPECT_EQ(c.m_Field(*loaded), c.m_nLoaded);
            EXPECT_EQ(loaded->m_Param[0].m_nValue, loaded->m_Param[0].m_nBase); // HP full, never above
            for (const ParameterValue& param : loaded->m_Param)
            {
                EXPECT_GE(param.m_nValue, 0);
                EXPECT_LE(param.m_nValue, kMaxParameterValue);
            }
        }
        // What a load brought into range saves, loads back and saves again to the same bytes.
        ASSERT_TRUE(SaveToSlot(3));
        ASSERT_TRUE(LoadFromSlot(3));
        ASSERT_TRUE(SaveToSlot(4));
        EXPECT_EQ(m_Folder.ReadFile("user_data/SaveData05.dat"), m_Folder.ReadFile("user_data/SaveData04.dat"));
    }
}

TEST_F(SaveSlotsTest, ALoadThatFailsGivesItsReasonAndLogsIt)
{
    ASSERT_TRUE(SaveToSlot(0));
    std::vector<unsigned char> file = m_Folder.ReadFile("user_data/SaveData01.dat");
    file.resize(file.size() - 100);
    m_Folder.WriteFile("user_data/SaveData01.dat", file);

    std::string damaged;
    EXPECT_FALSE(LoadFromSlot(0, &damaged));
    EXPECT_NE(damaged.find(" at byte "), std::string::npos) << damaged;
    std::string missing;
    EXPECT_FALSE(LoadFromSlot(5, &missing));
    EXPECT_EQ(missing, "the file cannot be opened");
    const std::string report = m_Folder.ReadText("Report.txt");
    EXPECT_NE(report.find("Load user_data\\SaveData01.dat : " + damaged), std::string::npos) << report;
    EXPECT_NE(report.find("Load user_data\\SaveData06.dat : " + missing), std::string::npos) << report;
}

TEST_F(SaveSlotsTest, ALoadedPartyAlwaysHas64Slots)
{
    for (int count : {3, 70})
    {
        CheckedVector<UnitRecord> units(static_cast<std::size_t>(count), Member(2));
        units.At(1) = Member(1);
        ProgressRecord progress = Progress;
        WriteSlot(2, progress, units);
        ASSERT_TRUE(LoadFromSlot(2)) << count;
        ASSERT_EQ(PartyUnits.Count(), kPartySlotCount);
        EXPECT_EQ(PartyUnits.At(1).m_strName, "friend1");
        EXPECT_EQ(CountPartyMembers(PartyUnits), std::min(count, kPartySlotCount));
    }
}

TEST_F(SaveSlotsTest, TheSaveListShowsSlotNumbersAndSummaries)
{
    using Calls = std::vector<std::string>;
    RecordingDrawTarget target;
    SaveSlots.At(96).CopySummary(Progress);
    SaveSlots.At(97).MarkUnreadable();
    DrawSaveList(target, 152, 32, SaveSlots, 95, 5);
    const Calls expected = {
        "box 0 (152,32) 320x96",
        "fill (152,47) 320x1 colour 189",
        "text 0 (152,32)     セーブデータ",
        "text 0 (168,48) 96", // an unused slot has no summary
        "fill (152,63) 320x1 colour 189",
        "text 0 (168,64) 97",
        "text 0 (216,64) 4321S 9P",
        "fill (152,79) 320x1 colour 189",
        "text 0 (168,80) 98",
        "text 0 (216,80) よみこめません", // there, but its play-through does not read
        "fill (152,95) 320x1 colour 189",
        "text 0 (168,96) 99",
        "fill (152,111) 320x1 colour 189",
        // the fifth row lies past the last slot: blank
    };
    EXPECT_EQ(target.Calls(), expected);

    // No line under the last row.
    target.Clear();
    DrawSaveList(target, 0, 0, SaveSlots, 0, 2);
    const Calls two = {
        "box 0 (0,0) 320x48", "fill (0,15) 320x1 colour 189", "text 0 (0,0)     セーブデータ",
        "text 0 (16,16) 1",   "fill (0,31) 320x1 colour 189", "text 0 (16,32) 2",
    };
    EXPECT_EQ(target.Calls(), two);
}

} // namespace
