#include "platform/core/Files.h"

#include "LinklessFileSystem.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

std::string Read(std::string_view stored)
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(stored, bytes))
    {
        return "<unreadable>";
    }
    return std::string(bytes.begin(), bytes.end());
}

struct PathCase
{
    const char* stored;
    const char* onDisk;
};

void PrintTo(const PathCase& c, std::ostream* os)
{
    *os << c.onDisk;
}

class StoredPathTest : public testing::TestWithParam<PathCase>
{
};

TEST_P(StoredPathTest, OpensTheFileOnDisk)
{
    TempFolder folder;
    folder.WriteFile(GetParam().onDisk, std::string("content"));
    EXPECT_EQ(Read(GetParam().stored), "content");
    EXPECT_TRUE(platform::PathExists(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Paths, StoredPathTest,
                         testing::Values(PathCase{"DATA\\Database\\Item.dat", "data/database/Item.dat"},
                                         PathCase{"data\\database\\item.DAT", "data/database/Item.dat"},
                                         PathCase{".\\bgm\\Title.mid", "bgm/Title.mid"},
                                         PathCase{"bmp/Palette.bmp", "BMP/palette.bmp"},
                                         // 表 is 95 5C in CP932: the trail byte must not split the name.
                                         PathCase{"表.dat", reinterpret_cast<const char*>(u8"表.dat")},
                                         PathCase{"data\\表\\ソ.dat", reinterpret_cast<const char*>(u8"data/表/ソ.dat")}));

TEST(FilesTest, MissingFileIsReportedAsMissing)
{
    TempFolder folder;
    folder.WriteFile("data/a.dat", std::string("x"));
    std::vector<unsigned char> bytes{1, 2, 3};
    std::string error;
    EXPECT_FALSE(platform::ReadWholeFile("data\\b.dat", bytes, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(bytes.size(), 3u); // untouched
    EXPECT_FALSE(platform::PathExists("nothing\\here.dat"));
    EXPECT_FALSE(platform::PathExists(""));
}

TEST(FilesTest, AtomicWriteReplacesTheFileAndLeavesNoTemporary)
{
    TempFolder folder;
    folder.WriteFile("data/x.dat", std::string("old"));
    ASSERT_TRUE(platform::WriteFileAtomically("DATA\\X.dat", "new!", 4));
    EXPECT_EQ(folder.ReadText("data/x.dat"), "new!");
    EXPECT_FALSE(fs::exists("data/X.dat")); // the existing name was reused, not a twin created
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator("data"))
    {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(FilesTest, ABatchFlushesEachFolderOnceAfterItsFiles)
{
    TempFolder folder;
    folder.WriteFile("data/stg/old", std::string("old"));
    {
        platform::FolderFlushBatch batch;
        for (const char* stored : {"data\\a.dat", "data\\stg\\x", "data\\b.dat", "DATA\\STG\\old"})
        {
            ASSERT_TRUE(platform::WriteFileAtomically(stored, "new", 3));
        }
        // A new file (the copy kept of one about to be replaced) has its folder flushed at once.
        fs::create_directories("kept");
        ASSERT_EQ(platform::WriteNewFile("kept\\old.damaged", "old", 3), platform::NewFile::Made);
        {
            platform::FolderFlushBatch inner; // its folders are its own
            ASSERT_TRUE(platform::WriteFileAtomically("data\\c.dat", "new", 3));
            EXPECT_EQ(inner.PendingFolders(), std::vector<std::string>{"data"});
        }
        EXPECT_EQ(batch.PendingFolders(), (std::vector<std::string>{"data", "data/stg"}));
        EXPECT_TRUE(batch.Flush());
        EXPECT_TRUE(batch.PendingFolders().empty());
    }
    EXPECT_EQ(folder.ReadText("data/stg/old"), "new");
    EXPECT_EQ(folder.ReadText("data/c.dat"), "new");

    // A folder that went before its flush: the flush reports it.
    platform::FolderFlushBatch gone;
    fs::create_directories("gone");
    ASSERT_TRUE(platform::WriteFileAtomically("gone\\x.dat", "new", 3));
    fs::remove_all("gone");
    std::string error;
    EXPECT_FALSE(gone.Flush(&error));
    EXPECT_NE(error.find("gone"), std::string::npos) << error;
}

// The files in the current folder.
std::set<std::string> FilesHere()
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("."))
    {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Where links cannot be made, a new file still appears under its name only
// whole and flushed, never replaces a file that another program made there
// meanwhile, and leaves nothing of its own behind.
TEST(FilesTest, NewFilesAreClaimedWholeWhereLinksCannotBeMade)
{
    for (auto refuses : {LinklessFileSystem::Links, LinklessFileSystem::LinksAndNoReplaceRenames})
    {
        SCOPED_TRACE(refuses == LinklessFileSystem::Links ? "no links" : "no links, no rename without replace");
        TempFolder folder;
        {
            LinklessFileSystem linkless(refuses);
            EXPECT_EQ(platform::WriteNewFile("new.damaged", "bytes", 5), platform::NewFile::Made);
            EXPECT_EQ(platform::WriteNewFile("new.damaged", "other", 5), platform::NewFile::Taken);
        }
        EXPECT_EQ(folder.ReadText("new.damaged"), "bytes");

        // Another program makes the name while the file is being flushed.
        {
            LinklessFileSystem linkless(refuses,
                                        [](int fd)
                                        {
                                            std::ofstream("raced.damaged") << "theirs";
                                            return ::fsync(fd);
                                        });
            EXPECT_EQ(platform::WriteNewFile("raced.damaged", "mine", 4), platform::NewFile::Taken);
        }
        EXPECT_EQ(folder.ReadText("raced.damaged"), "theirs");

        // A flush that fails makes nothing.
        {
            LinklessFileSystem linkless(refuses,
                                        [](int)
                                        {
                                            errno = EIO;
                                            return -1;
                                        });
            std::string error;
            EXPECT_EQ(platform::WriteNewFile("failed.damaged", "bytes", 5, &error), platform::NewFile::Failed);
            EXPECT_NE(error.find(std::strerror(EIO)), std::string::npos) << error;
        }
        EXPECT_EQ(FilesHere(), (std::set<std::string>{"new.damaged", "raced.damaged"}));
    }

    // Under a claim file that another program holds (or left), the name is not taken.
    TempFolder folder;
    folder.WriteFile("held.damaged.claim", std::string());
    {
        LinklessFileSystem linkless(LinklessFileSystem::LinksAndNoReplaceRenames);
        EXPECT_EQ(platform::WriteNewFile("held.damaged", "bytes", 5), platform::NewFile::Taken);
    }
    EXPECT_EQ(FilesHere(), std::set<std::string>{"held.damaged.claim"});
}

// Runs a save in a child process (so that privileges and limits stay there)
// and returns its exit status: 0 when WriteFileAtomically returned false.
int SaveInChild(const std::function<void()>& prepare, const char* stored)
{
    pid_t pid = ::fork();
    if (pid == 0)
    {
        prepare();
        std::string big(1 << 20, 'n');
        bool written = platform::WriteFileAtomically(stored, big.data(), big.size());
        ::_exit(written ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FilesTest, SaveIntoReadOnlyFolderFailsAndKeepsOldFile)
{
    TempFolder folder;
    folder.WriteFile("ro/x.dat", std::string("old"));
    ::chmod(folder.Path().c_str(), 0755);
    ::chmod("ro", 0555);
    // Root writes into read-only folders; the child gives up root first.
    EXPECT_EQ(SaveInChild(
                  [] {
                      if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                      {
                          ::_exit(2);
                      }
                  },
                  "ro\\x.dat"),
              0);
    EXPECT_EQ(folder.ReadText("ro/x.dat"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator("ro"), fs::directory_iterator()), 1);
}

TEST(FilesTest, FailedWriteKeepsOldFile)
{
    TempFolder folder;
    folder.WriteFile("x.dat", std::string("old"));
    // A file size limit makes the write fail half-way.
    EXPECT_EQ(SaveInChild(
                  [] {
                      std::signal(SIGXFSZ, SIG_IGN);
                      rlimit limit{4096, 4096};
                      ::setrlimit(RLIMIT_FSIZE, &limit);
                  },
                  "x.dat"),
              0);
    EXPECT_EQ(folder.ReadText("x.dat"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST(FilesTest, TextFilesWriteCrLfAndAppendOnlyToExistingFiles)
{
    TempFolder folder;
    EXPECT_FALSE(platform::WriteTextFile("log.txt", platform::TextOpen::AppendToExisting, "x\n"));
    EXPECT_FALSE(fs::exists("log.txt"));
    ASSERT_TRUE(platform::WriteTextFile("log.txt", platform::TextOpen::CreateOrTruncate, "a\nb"));
    ASSERT_TRUE(platform::WriteTextFile("log.txt", platform::TextOpen::AppendToExisting, "\nc\n"));
    EXPECT_EQ(folder.ReadText("log.txt"), "a\r\nb\r\nc\r\n");
}

TEST(FilesTest, ExecutableFilesAreRegularFilesWithAnExecuteBit)
{
    TempFolder folder;
    folder.WriteFile("prog", std::string("#!/bin/sh\n"));
    folder.WriteFile("data.txt", std::string("text"));
    fs::create_directories("Bin");
    fs::permissions("prog", fs::perms::owner_exec, fs::perm_options::add);
    fs::create_symlink("prog", "link");
    struct Case
    {
        const char* m_pszPath;
        bool m_bExecutable;
    };
    const Case cases[] = {{"prog", true}, {"PROG", true}, {"link", true},    {"data.txt", false},
                          {"Bin", false}, {"none", false}, {"", false}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(platform::IsExecutableFile(c.m_pszPath), c.m_bExecutable) << c.m_pszPath;
    }
}

TEST(FilesTest, CreatesFolders)
{
    TempFolder folder;
    ASSERT_TRUE(platform::CreateFolders("data\\database"));
    EXPECT_TRUE(platform::IsFolder("data\\database"));
    ASSERT_TRUE(platform::CreateFolders("DATA\\Database\\sub"));
    EXPECT_TRUE(fs::is_directory("data/database/sub"));
}

} // namespace
