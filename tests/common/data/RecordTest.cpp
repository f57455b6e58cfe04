#include "common/data/DataFile.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

#include "DataFileTest.h"
#include "LinklessFileSystem.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

namespace
{

// The record of the container's own examples: int32, int32[3], double and two strings.
class SampleRecord : public SerializableRecord
{
public:
    int32_t m_nA = 0;
    int32_t m_nArray[3] = {};
    double m_dValue = 0.0;
    std::string m_strFirst;
    std::string m_strSecond;

    void BindFields(int32_t) override
    {
        ClearBindings();
        BindInt(m_nA, "m_nA");
        BindInts(m_nArray, 3, "m_nArray");
        BindDouble(m_dValue, "m_dValue");
        BindString(m_strFirst, "m_strFirst");
        BindString(m_strSecond, "m_strSecond");
    }
};

// A record that gained members at versions 83 and 99.
class GrowingRecord : public SerializableRecord
{
public:
    int32_t m_nOld = 0;
    int32_t m_nAt83 = 0;
    int32_t m_nAt99 = 0;
    std::string m_strName;

    void BindFields(int32_t version) override
    {
        ClearBindings();
        BindInt(m_nOld, "m_nOld");
        if (VersionAtLeast(version, 83))
        {
            BindInt(m_nAt83, "m_nAt83");
        }
        if (VersionAtLeast(version, 99))
        {
            BindInt(m_nAt99, "m_nAt99");
        }
        BindString(m_strName, "m_strName");
    }
};

SampleRecord MakeSample()
{
    SampleRecord r;
    r.m_nA = 1;
    r.m_nArray[0] = 2;
    r.m_nArray[1] = 3;
    r.m_nArray[2] = 4;
    r.m_dValue = 0.5;
    r.m_strSecond = "ab";
    return r;
}

void ExpectSame(SampleRecord& a, SampleRecord& b)
{
    DataWriter wa, wb;
    a.Save(wa);
    b.Save(wb);
    EXPECT_EQ(HexBytes(wa.Bytes()), HexBytes(wb.Bytes()));
}

class RecordTest : public DataFileTest
{
protected:
    // Report log lines written so far.
    int ReportLines() const
    {
        std::string text = m_Folder.ReadText("Report.txt");
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
};

TEST_F(RecordTest, SavesTheDocumentedBytesAndLoadsThemBack)
{
    SampleRecord r = MakeSample();
    ASSERT_EQ(SaveRecordFile(r, "rec.dat"), 1);
    const std::vector<unsigned char> expected = {
        0x14, 0x01, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00,
        0x03, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xE0, 0x3F,
        0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x61, 0x62, 0x00};
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("rec.dat")), HexBytes(expected));

    SampleRecord back;
    back.m_strFirst = "overwritten";
    ASSERT_EQ(LoadRecordFile(back, "rec.dat", 0), 1);
    EXPECT_EQ(back.m_nA, 1);
    EXPECT_EQ(back.m_nArray[2], 4);
    EXPECT_EQ(back.m_dValue, 0.5);
    EXPECT_EQ(back.m_strFirst, "");
    EXPECT_EQ(back.m_strSecond, "ab");
    EXPECT_EQ(FileVersion, 276);
}

TEST_F(RecordTest, OldVersionLoadsItsLayoutAndSavesTheCurrentOne)
{
    m_Folder.WriteFile("old.dat", ByteBuilder().Int(83).Int(2).Ints({7, 8}).Int(1).String("name"));
    GrowingRecord r;
    r.m_nAt99 = 55;
    ASSERT_EQ(LoadRecordFile(r, "old.dat", 0), 1);
    EXPECT_EQ(r.m_nOld, 7);
    EXPECT_EQ(r.m_nAt83, 8);
    EXPECT_EQ(r.m_nAt99, 55); // not in the version-83 layout: keeps its prior value
    EXPECT_EQ(r.m_strName, "name");
    EXPECT_EQ(FileVersion, 83);

    ASSERT_EQ(SaveRecordFile(r, "new.dat"), 1);
    std::vector<unsigned char> expected = ByteBuilder().Int(276).Int(3).Ints({7, 8, 55}).Int(1).String("name");
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("new.dat")), HexBytes(expected));
}

TEST_F(RecordTest, SmallerCountsLeaveTheRestAsItWas)
{
    m_Folder.WriteFile("short.dat", ByteBuilder().Int(276).Int(1).Int(9).Int(0));
    GrowingRecord r;
    r.m_nAt83 = 3;
    r.m_strName = "kept";
    ASSERT_EQ(LoadRecordFile(r, "short.dat", 0), 1);
    EXPECT_EQ(r.m_nOld, 9);
    EXPECT_EQ(r.m_nAt83, 3);
    EXPECT_EQ(r.m_strName, "kept");
}

struct CorruptCase
{
    const char* what;
    std::vector<unsigned char> bytes;
};

void PrintTo(const CorruptCase& c, std::ostream* os)
{
    *os << c.what;
}

class CorruptFileTest : public RecordTest, public testing::WithParamInterface<CorruptCase>
{
};

TEST_P(CorruptFileTest, FailsWithoutChangingTheRecord)
{
    m_Folder.WriteFile("bad.dat", GetParam().bytes);
    SampleRecord r = MakeSample();
    r.m_strFirst = "before";
    FileVersion = 123;
    EXPECT_EQ(LoadRecordFile(r, "bad.dat", 0), 0);
    SampleRecord expected = MakeSample();
    expected.m_strFirst = "before";
    ExpectSame(r, expected);
    EXPECT_EQ(FileVersion, 123);
    EXPECT_EQ(ReportLines(), 1);
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

std::vector<unsigned char> Truncated(std::size_t size)
{
    std::vector<unsigned char> full =
        ByteBuilder().Int(276).Int(3).Ints({1, 2, 3, 4}).Double(0.5).Int(2).String("").String("ab");
    full.resize(size);
    return full;
}

INSTANTIATE_TEST_SUITE_P(
    Record, CorruptFileTest,
    testing::Values(CorruptCase{"no field count", Truncated(4)}, CorruptCase{"cut in a field", Truncated(10)},
                    CorruptCase{"cut in the double", Truncated(28)}, CorruptCase{"no string count", Truncated(32)},
                    CorruptCase{"cut in a string", Truncated(45)},
                    CorruptCase{"negative field count", ByteBuilder().Int(276).Int(-1)},
                    CorruptCase{"too many fields", ByteBuilder().Int(276).Int(4).Ints({1, 2, 3, 4, 5, 6, 7})},
                    CorruptCase{"too many strings",
                                ByteBuilder().Int(276).Int(0).Int(3).String("a").String("b").String("c")},
                    CorruptCase{"string length 0", ByteBuilder().Int(276).Int(0).Int(1).Int(0)},
                    CorruptCase{"string length -5", ByteBuilder().Int(276).Int(0).Int(1).Int(-5)},
                    CorruptCase{"string length 0x7FFFFFFF", ByteBuilder().Int(276).Int(0).Int(1).Int(0x7FFFFFFF)}),
    [](const testing::TestParamInfo<CorruptCase>& info) {
        std::string name = info.param.what;
        for (char& c : name)
        {
            if (!isalnum(static_cast<unsigned char>(c)))
            {
                c = '_';
            }
        }
        return name;
    });

// A file cut anywhere names the member that it cuts: the byte where that member
// starts, however many members a load reads in one step.
TEST_F(RecordTest, ACutFileNamesTheByteOfTheMemberItCuts)
{
    struct Cut
    {
        std::size_t from, to; // file sizes
        const char* reason;
    };
    const Cut cuts[] = {
        {8, 12, "the file ends early at byte 8"},   // m_nA
        {12, 24, "the file ends early at byte 12"}, // m_nArray
        {24, 32, "the file ends early at byte 24"}, // m_dValue
        {32, 36, "the file ends early at byte 32"}, // the string count
        {36, 40, "the file ends early at byte 36"}, // m_strFirst's length
        {40, 44, "the file ends early at byte 40"}, // m_strSecond's length
        {44, 47, "string length 3 exceeds the bytes left at byte 44"},
    };
    for (const Cut& cut : cuts)
    {
        for (std::size_t size = cut.from; size < cut.to; ++size)
        {
            m_Folder.WriteFile("cut.dat", Truncated(size));
            SampleRecord r;
            std::string error;
            EXPECT_EQ(TryLoadRecordFile(r, "cut.dat", 0, &error), LoadResult::Corrupt) << size;
            EXPECT_EQ(error, cut.reason) << "cut to " << size << " bytes";
        }
    }
    m_Folder.WriteFile("cut.dat", Truncated(47));
    SampleRecord whole;
    EXPECT_EQ(TryLoadRecordFile(whole, "cut.dat", 0), LoadResult::Loaded);
}

class TableFileTest : public RecordTest
{
};

TEST_F(TableFileTest, RoundTripsAndRefusesBadCounts)
{
    CheckedVector<SampleRecord> table(2, MakeSample());
    table[1].m_nA = 9;
    ASSERT_EQ(SaveTableFile(table, "table.dat"), 1);
    std::vector<unsigned char> saved = m_Folder.ReadFile("table.dat");

    CheckedVector<SampleRecord> back;
    ASSERT_EQ(LoadTableFile(back, "table.dat", 0), 1);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].m_nA, 9);
    ASSERT_EQ(SaveTableFile(back, "again.dat"), 1);
    EXPECT_EQ(HexBytes(m_Folder.ReadFile("again.dat")), HexBytes(saved));

    for (int32_t count : {-1, 0x7FFFFFFF, 3})
    {
        std::vector<unsigned char> bad = saved;
        bad[4] = static_cast<unsigned char>(count);
        bad[5] = static_cast<unsigned char>(count >> 8);
        bad[6] = static_cast<unsigned char>(count >> 16);
        bad[7] = static_cast<unsigned char>(count >> 24);
        m_Folder.WriteFile("bad.dat", bad);
        EXPECT_EQ(LoadTableFile(back, "bad.dat", 0), 0) << count;
        EXPECT_EQ(back.size(), 2u);
    }
    EXPECT_EQ(LoadTableFile(back, "missing.dat", 0), 0);
    EXPECT_EQ(back.size(), 2u);
}

// A file cut to fewer bytes than its version word is there: damaged, not missing.
TEST_F(RecordTest, FileTooShortForItsVersionWordIsDamaged)
{
    const std::vector<unsigned char> word = ByteBuilder().Int(276);
    for (std::size_t size = 0; size < 4; ++size)
    {
        m_Folder.WriteFile("cut.dat", std::vector<unsigned char>(word.begin(), word.begin() + size));
        FileVersion = 77;
        SampleRecord r = MakeSample();
        SampleRecord before = MakeSample();
        std::string error;
        EXPECT_EQ(TryLoadRecordFile(r, "cut.dat", 0, &error), LoadResult::Corrupt) << size;
        EXPECT_NE(error.find("version word"), std::string::npos) << error;
        ExpectSame(r, before);
        CheckedVector<SampleRecord> table(1, r);
        EXPECT_EQ(TryLoadTableFile(table, "cut.dat", 0), LoadResult::Corrupt) << size;
        EXPECT_EQ(table.Count(), 1);
        EXPECT_EQ(FileVersion, 77);
    }
}

// The first save over a file that failed to load as damaged keeps the damaged
// file beside it under the first free name (an older copy is never replaced);
// later saves leave the copy.
TEST_F(RecordTest, DamagedFileIsKeptBeforeItIsSavedOver)
{
    struct Case
    {
        const char* kind;
        std::function<LoadResult()> load;
        std::function<int()> save;
    };
    SampleRecord record = MakeSample();
    CheckedVector<SampleRecord> table(1, MakeSample());
    const Case cases[] = {
        {"record", [&] { return TryLoadRecordFile(record, "x.dat", 0); }, [&] { return SaveRecordFile(record, "x.dat"); }},
        {"table", [&] { return TryLoadTableFile(table, "x.dat", 0); }, [&] { return SaveTableFile(table, "x.dat"); }},
        // Loaded by the name the editor's settings give it, saved by the folder's.
        {"record named two ways", [&] { return TryLoadRecordFile(record, ".\\x.dat", 0); },
         [&] { return SaveRecordFile(record, "x.dat"); }},
    };
    const std::vector<unsigned char> damaged = ByteBuilder().Int(276).Int(5).Int(1);
    for (const Case& c : cases)
    {
        m_Folder.WriteFile("x.dat", damaged);
        ASSERT_EQ(c.load(), LoadResult::Corrupt) << c.kind;
        EXPECT_EQ(m_Folder.ReadFile("x.dat"), damaged) << c.kind; // loading changes no file
        ASSERT_EQ(c.save(), 1) << c.kind;
        EXPECT_EQ(m_Folder.ReadFile("x.dat.damaged"), damaged) << c.kind;
        EXPECT_NE(m_Folder.ReadFile("x.dat"), damaged) << c.kind;
        EXPECT_NE(m_Folder.ReadText("Report.txt").find("Save x.dat : the damaged file is kept as x.dat.damaged\r\n"),
                  std::string::npos)
            << c.kind;
        ASSERT_EQ(c.save(), 1) << c.kind;
        EXPECT_EQ(m_Folder.ReadFile("x.dat.damaged"), damaged) << c.kind;

        // Damaged again, twice: each copy goes beside the earlier ones, which stay.
        for (int copy = 2; copy <= 3; ++copy)
        {
            const std::vector<unsigned char> again = ByteBuilder().Int(276).Int(5).Int(copy);
            m_Folder.WriteFile("x.dat", again);
            ASSERT_EQ(c.load(), LoadResult::Corrupt) << c.kind;
            const std::string name = "x.dat.damaged." + std::to_string(copy);
            // Named beforehand as it is then kept, and nothing made for the naming.
            EXPECT_EQ(DamagedCopyName("x.dat"), name) << c.kind;
            EXPECT_FALSE(std::filesystem::exists(name)) << c.kind;
            ASSERT_EQ(c.save(), 1) << c.kind;
            EXPECT_EQ(m_Folder.ReadFile(name), again) << c.kind;
            EXPECT_NE(m_Folder.ReadText("Report.txt").find("Save x.dat : the damaged file is kept as " + name + "\r\n"),
                      std::string::npos)
                << c.kind;
        }
        EXPECT_EQ(m_Folder.ReadFile("x.dat.damaged"), damaged) << c.kind;
        EXPECT_EQ(m_Folder.ReadFile("x.dat.damaged.2"), ByteBuilder().Int(276).Int(5).Int(2).Data()) << c.kind;
        EXPECT_FALSE(std::filesystem::exists("x.dat.damaged.4")) << c.kind;
        // Bytes kept already are named where they are.
        m_Folder.WriteFile("x.dat", ByteBuilder().Int(276).Int(5).Int(2).Data());
        EXPECT_EQ(DamagedCopyName("x.dat"), "x.dat.damaged.2") << c.kind;
        for (const char* copy : {"x.dat.damaged", "x.dat.damaged.2", "x.dat.damaged.3"})
        {
            std::filesystem::remove(copy);
        }
    }

    // A file that loads again is no longer taken for damaged.
    m_Folder.WriteFile("x.dat", damaged);
    ASSERT_EQ(TryLoadRecordFile(record, "x.dat", 0), LoadResult::Corrupt);
    ASSERT_EQ(SaveRecordFile(record, "good.dat"), 1);
    std::filesystem::copy_file("good.dat", "x.dat", std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(TryLoadRecordFile(record, "x.dat", 0), LoadResult::Loaded);
    ASSERT_EQ(SaveRecordFile(record, "x.dat"), 1);
    EXPECT_FALSE(std::filesystem::exists("x.dat.damaged"));
}

// Removes the files named x.dat... of the current folder; their names.
std::set<std::string> RemoveFilesOfX()
{
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator("."))
    {
        const std::string file = entry.path().filename().string();
        if (file.rfind("x.dat", 0) == 0)
        {
            files.insert(file);
            std::filesystem::remove(entry.path());
        }
    }
    return files;
}

// Programs keeping damaged copies of one file at the same moment (the editor
// and a test-play game) each claim a name of their own: every copy survives,
// under the very name its keeper reports. Bytes kept already are named again
// rather than copied twice.
TEST_F(RecordTest, DamagedCopiesRacingForOneNameEachSurviveUnderTheNameReported)
{
    constexpr int kClaimants = 4;
    auto bytesOf = [](int round, int claimant)
    { return ByteBuilder().Int(276).Int(5).Int(round).Int(claimant).Data(); };
    for (int round = 0; round < 10; ++round)
    {
        std::string names[kClaimants];
        std::atomic<int> ready{0};
        std::vector<std::thread> claimants;
        for (int i = 0; i < kClaimants; ++i)
        {
            claimants.emplace_back(
                [&, i]
                {
                    const std::vector<unsigned char> bytes = bytesOf(round, i);
                    ++ready;
                    while (ready.load() < kClaimants)
                    {
                        std::this_thread::yield();
                    }
                    names[i] = KeepDamagedBytes("x.dat", bytes);
                });
        }
        for (std::thread& claimant : claimants)
        {
            claimant.join();
        }
        std::set<std::string> distinct;
        for (int i = 0; i < kClaimants; ++i)
        {
            ASSERT_FALSE(names[i].empty()) << round;
            distinct.insert(names[i]);
            EXPECT_EQ(m_Folder.ReadFile(names[i]), bytesOf(round, i)) << names[i];
        }
        EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kClaimants)) << round;
        EXPECT_EQ(KeepDamagedBytes("x.dat", bytesOf(round, 2)), names[2]);
        // Nothing else is left beside them (no temporary file).
        EXPECT_EQ(RemoveFilesOfX(), distinct) << round;
    }
}

// Two keepers of one damaged file where links cannot be made: the flush of a
// slow keeper's copy waits until the other keeper has reported its own, and a
// failing one's flush then fails.
struct KeeperRace
{
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    bool m_bSlowInFlush = false;
    bool m_bOtherReported = false;
};
KeeperRace* g_pKeeperRace = nullptr;
thread_local bool t_bSlowKeeper = false;
thread_local bool t_bFlushFails = false;

int KeeperFlush(int fd)
{
    if (t_bSlowKeeper)
    {
        std::unique_lock<std::mutex> lock(g_pKeeperRace->m_Mutex);
        g_pKeeperRace->m_bSlowInFlush = true;
        g_pKeeperRace->m_Changed.notify_all();
        g_pKeeperRace->m_Changed.wait_for(lock, std::chrono::seconds(10),
                                          [] { return g_pKeeperRace->m_bOtherReported; });
    }
    if (t_bFlushFails)
    {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

// Whatever the file system offers, the copy a keeper reports holds all its
// bytes and stays: a name is only ever claimed by a whole, flushed copy, so
// no keeper names a copy that is partial or about to go, and none removes a
// copy another keeper has named.
TEST_F(RecordTest, DamagedCopiesKeptWhereLinksCannotBeMadeEachSurviveUnderTheNameReported)
{
    struct Case
    {
        const char* m_pszName;
        bool m_bSameBytes;
        bool m_bFirstSlow;
        bool m_bFirstFlushFails;
    };
    const Case cases[] = {
        {"different bytes", false, false, false},
        {"the same bytes", true, false, false},
        {"one slow, different bytes", false, true, false},
        {"one slow, the same bytes", true, true, false},
        {"one whose flush fails, different bytes", false, true, true},
        {"one whose flush fails, the same bytes", true, true, true},
    };
    for (auto refuses : {LinklessFileSystem::Links, LinklessFileSystem::LinksAndNoReplaceRenames})
    {
        LinklessFileSystem linkless(refuses, KeeperFlush);
        for (const Case& c : cases)
        {
            SCOPED_TRACE(std::string(c.m_pszName) + (refuses == LinklessFileSystem::Links
                                                         ? ", no links"
                                                         : ", no links nor renames without replace"));
            for (int round = 0; round < (c.m_bFirstSlow ? 1 : 10); ++round)
            {
                std::vector<unsigned char> bytes[2];
                for (int i = 0; i < 2; ++i)
                {
                    bytes[i] = ByteBuilder().Int(276).Int(5).Int(round).Int(c.m_bSameBytes ? 0 : i).Data();
                }
                KeeperRace race;
                g_pKeeperRace = &race;
                std::string names[2];
                std::atomic<int> ready{0};
                auto keep = [&](int i)
                {
                    t_bSlowKeeper = i == 0 && c.m_bFirstSlow;
                    t_bFlushFails = i == 0 && c.m_bFirstFlushFails;
                    ++ready;
                    if (c.m_bFirstSlow && i == 1)
                    {
                        // The other keeper starts while the slow one flushes.
                        std::unique_lock<std::mutex> lock(race.m_Mutex);
                        race.m_Changed.wait_for(lock, std::chrono::seconds(10), [&] { return race.m_bSlowInFlush; });
                    }
                    while (ready.load() < 2)
                    {
                        std::this_thread::yield();
                    }
                    names[i] = KeepDamagedBytes("x.dat", bytes[i]);
                    if (i == 1)
                    {
                        std::lock_guard<std::mutex> lock(race.m_Mutex);
                        race.m_bOtherReported = true;
                        race.m_Changed.notify_all();
                    }
                };
                std::thread first(keep, 0);
                std::thread second(keep, 1);
                first.join();
                second.join();
                g_pKeeperRace = nullptr;

                std::set<std::string> reported;
                for (int i = 0; i < 2; ++i)
                {
                    if (i == 0 && c.m_bFirstFlushFails)
                    {
                        EXPECT_EQ(names[i], "") << "a keeper whose copy was not flushed reports none";
                        continue;
                    }
                    ASSERT_FALSE(names[i].empty()) << i;
                    reported.insert(names[i]);
                    EXPECT_EQ(m_Folder.ReadFile(names[i]), bytes[i]) << names[i];
                }
                // Nothing else is left beside them (no temporary or claim file).
                EXPECT_EQ(RemoveFilesOfX(), reported);
            }
        }
    }
}

TEST_F(RecordTest, NumberedCopiesPickTheHighestThatLoads)
{
    SampleRecord r = MakeSample();
    r.m_nA = 276;
    ASSERT_EQ(SaveRecordFile(r, "data\\x.stg_276"), 0); // the folder does not exist yet
    std::filesystem::create_directories("data");
    ASSERT_EQ(SaveRecordFile(r, "data\\x.stg_276"), 1);
    r.m_nA = 300;
    ASSERT_EQ(SaveRecordFile(r, "data\\x.stg_300"), 1);
    // A copy that cannot be opened (a folder of that name) is skipped.
    std::filesystem::create_directories("data/x.stg_999");

    SampleRecord loaded;
    ASSERT_EQ(LoadNumberedCopy(loaded, "data\\x.old", "stg", 0), 1);
    EXPECT_EQ(loaded.m_nA, 300);

    std::filesystem::remove("data/x.stg_300");
    std::filesystem::remove("data/x.stg_276");
    r.m_nA = 0;
    ASSERT_EQ(SaveRecordFile(r, "data\\x.stg_000"), 1);
    ASSERT_EQ(LoadNumberedCopy(loaded, "data\\x", "stg", 0), 0); // no '.': the extension stays as it is
    ASSERT_EQ(LoadNumberedCopy(loaded, "data\\x.stg", "stg", 0), 1);
    EXPECT_EQ(loaded.m_nA, 0);

    FileVersion = 77;
    loaded.m_nA = 5;
    EXPECT_EQ(LoadNumberedCopy(loaded, "data\\y.stg", "stg", 0), 0);
    EXPECT_EQ(loaded.m_nA, 5);
    EXPECT_EQ(FileVersion, 77);
}

TEST_F(RecordTest, EmptyNameOpensErr)
{
    EXPECT_EQ(OpenDataFileForRead(""), nullptr);
    m_Folder.WriteFile("err", ByteBuilder().Int(99));
    auto in = OpenDataFileForRead("");
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in->Version(), 99);
    EXPECT_EQ(OpenDataFileForWrite(""), nullptr);
}

TEST_F(RecordTest, StripsCarriageReturns)
{
    SampleRecord r = MakeSample();
    r.m_strFirst = "a\r\r\nb";
    r.m_strSecond = "\r";
    ASSERT_EQ(SaveRecordFile(r, "cr.dat"), 1);
    SampleRecord keep, strip;
    ASSERT_EQ(LoadRecordFile(keep, "cr.dat", 0), 1);
    ASSERT_EQ(LoadRecordFile(strip, "cr.dat", 1), 1);
    EXPECT_EQ(keep.m_strFirst, "a\r\r\nb");
    EXPECT_EQ(strip.m_strFirst, "a\nb");
    EXPECT_EQ(strip.m_strSecond, "");
}

TEST_F(RecordTest, ClearAndCopyWalkTheBoundMembers)
{
    SampleRecord a = MakeSample();
    SampleRecord b;
    CopyRecord(b, a);
    ExpectSame(a, b);
    b.m_strSecond = "changed";
    EXPECT_EQ(a.m_strSecond, "ab"); // independent copies

    ClearRecord(a);
    EXPECT_EQ(a.m_nA, 0);
    EXPECT_EQ(a.m_nArray[1], 0);
    EXPECT_EQ(a.m_dValue, 0.0);
    EXPECT_EQ(a.m_strSecond, "");
}

TEST_F(RecordTest, NoSaveAfterAFatalError)
{
    SampleRecord r = MakeSample();
    ASSERT_EQ(SaveRecordFile(r, "rec.dat"), 1);
    std::vector<unsigned char> before = m_Folder.ReadFile("rec.dat");
    platform::FatalError();
    r.m_nA = 42;
    EXPECT_EQ(SaveRecordFile(r, "rec.dat"), 0);
    CheckedVector<SampleRecord> table(1, r);
    EXPECT_EQ(SaveTableFile(table, "table.dat"), 0);
    EXPECT_EQ(m_Folder.ReadFile("rec.dat"), before);
    EXPECT_FALSE(std::filesystem::exists("table.dat"));
}

} // namespace
