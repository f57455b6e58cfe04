// The whole database through the sheet, on real Qt widgets, offscreen: the
// sample project's database, written by the data model's save (every
// record's index at its position, equipment flags set where an item is
// held) and loaded as the editor starts, comes out of an Apply without edits
// byte for byte, with every page of the sheet shown first; what the system
// pages commit into System saves as the System.dat loaded. The sample as the
// generator writes it comes out of the first OK unchanged. The same under a
// locale with a decimal comma, whose numbers show as they do under C.UTF-8.
#include "common/project/ProjectFiles.h"
#include "editor/database/SkillPage.h"
#include "editor/database/SystemPages.h"
#include "tests/qt/editor/QtDatabaseFixture.h"

#include <clocale>
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

    const std::string before = std::setlocale(LC_ALL, nullptr);
    std::map<std::string, QStringList> shown;
    for (const char* locale : {"C.UTF-8", "de_DE.UTF-8"})
    {
        if (!std::setlocale(LC_ALL, locale))
        {
            continue;
        }
        ResetProjectData();
        LoadProjectData();
        Open();
        for (int page = 0; page < kDatabasePageCount; ++page)
        {
            ShowPage(page);
        }
        // What the decimal fields show.
        for (int index : {kPageSystem1, kPageSystem2, kPageSystem3})
        {
            auto& page = *static_cast<SystemSettingsPage*>(Sheet().Page(index));
            for (int i = 0; i < page.DoubleEditCount(); ++i)
            {
                shown[locale] << Edit(page, page.DoubleEdit(i).Id())->text();
            }
        }
        shown[locale] << Edit(*Sheet().Page(kPageSkill), kIdSkillPenalty)->text();
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
            EXPECT_TRUE(applied.at(name) == written.at(name)) << name << ".dat changed under " << locale;
        }
        // What the system pages committed is System as it was loaded.
        ASSERT_EQ(SaveRecordFile(System, "data\\database\\Committed.dat"), 1);
        EXPECT_TRUE(m_Folder.ReadFile("data/database/Committed.dat") == written.at("System")) << locale;
    }
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_TRUE(m_Boxes.Boxes().empty());
    EXPECT_FALSE(platform::IsFatalErrorRaised());
    ASSERT_EQ(shown.count("C.UTF-8"), 1u);
    EXPECT_TRUE(shown["C.UTF-8"].contains("5.0"));
    EXPECT_TRUE(shown["C.UTF-8"].contains("3.2")) << shown["C.UTF-8"].join(' ').toStdString();
    if (shown.count("de_DE.UTF-8") == 0)
    {
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (scripts/setup makes it)";
    }
    EXPECT_EQ(shown["de_DE.UTF-8"], shown["C.UTF-8"]);
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
