// The whole database through the sheet, on real Qt widgets, offscreen: the
// sample project's database, written by the data model's save (every
// record's index at its position, equipment flags set where an item is
// held) and loaded as the editor starts, comes out of an Apply without edits
// byte for byte, with every page of the sheet shown first; what the system
// pages commit into System saves as the System.dat loaded. The sample as the
// generator writes it comes out of the first OK unchanged.
#include "common/project/ProjectFiles.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <map>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

using QtDatabaseRoundTripTest = QtDatabaseTest;

const char* const kDatabaseFiles[] = {"System", "Land", "Skill", "Item", "Class", "Friend", "Enemy"};

std::map<std::string, std::vector<unsigned char>> ReadDatabaseFiles(TempFolder& folder)
{
    std::map<std::string, std::vector<unsigned char>> files;
    for (const char* name : kDatabaseFiles)
    {
        files[name] = folder.ReadFile(std::string("data/database/") + name + ".dat");
    }
    return files;
}

TEST_F(QtDatabaseRoundTripTest, ApplyWithoutEditsAfterShowingEveryPageKeepsTheSevenFilesByteForByte)
{
    for (const char* name : kDatabaseFiles)
    {
        fs::copy_file(fs::path(TK_SAMPLE_DIR) / "data" / "database" / (std::string(name) + ".dat"),
                      fs::path("data") / "database" / (std::string(name) + ".dat"));
    }
    LoadProjectData();
    ASSERT_TRUE(SaveDatabase());
    const auto written = ReadDatabaseFiles(m_Folder);
    for (const auto& [name, bytes] : written)
    {
        ASSERT_GT(bytes.size(), 8u) << name;
    }

    ResetProjectData();
    LoadProjectData();
    Open();
    for (int page = 0; page < kDatabasePageCount; ++page)
    {
        ShowPage(page);
    }
    // The tables' files gone, so that only what the Apply writes can match.
    for (const char* name : kDatabaseFiles)
    {
        if (std::string(name) != "System")
        {
            fs::remove(fs::path("data") / "database" / (std::string(name) + ".dat"));
        }
    }
    ClickSheetButton(platform::kIdSheetApply);
    const auto applied = ReadDatabaseFiles(m_Folder);
    for (const char* name : kDatabaseFiles)
    {
        EXPECT_TRUE(applied.at(name) == written.at(name)) << name << ".dat changed";
    }
    // What the system pages committed is System as it was loaded.
    ASSERT_EQ(SaveRecordFile(System, "data\\database\\Committed.dat"), 1);
    EXPECT_TRUE(m_Folder.ReadFile("data/database/Committed.dat") == written.at("System"));
    EXPECT_TRUE(m_Boxes.Boxes().empty());
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

// The sample as its generator writes it, the editor started on it: the
// database opened and its OK pressed at once changes no byte of any file.
TEST_F(QtDatabaseRoundTripTest, OkOnTheUntouchedSampleChangesNoByteOfAnyFile)
{
    const fs::path sample(TK_SAMPLE_DIR);
    std::map<std::string, std::vector<unsigned char>> before;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sample))
    {
        if (entry.is_regular_file())
        {
            const std::string name = fs::relative(entry.path(), sample).string();
            fs::create_directories(fs::path(name).parent_path().empty() ? "." : fs::path(name).parent_path());
            fs::copy_file(entry.path(), name, fs::copy_options::overwrite_existing);
            before[name] = m_Folder.ReadFile(name);
        }
    }
    ASSERT_TRUE(before.count("data/database/Friend.dat") && before.count("data/database/Enemy.dat"));
    LoadProjectData();
    Open();
    ClickSheetButton(platform::kIdOk);
    m_System.PumpMessages();
    ASSERT_EQ(m_pView->m_Holder, nullptr) << "OK closes the sheet";
    for (const auto& [name, bytes] : before)
    {
        EXPECT_TRUE(m_Folder.ReadFile(name) == bytes) << name << " changed";
    }
    EXPECT_TRUE(m_Boxes.Boxes().empty());
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

} // namespace
