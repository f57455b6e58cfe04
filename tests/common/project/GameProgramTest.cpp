#include "common/data/EditConfigRecord.h"
#include "common/project/GameProgram.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace
{

namespace fs = std::filesystem;

TEST(GameProgramTest, SearchFindsTheProgramWhoseStringOneIsGame)
{
    TempFolder folder;
    EditConfigRecord config;
    std::string path = "stale";
    EXPECT_EQ(FindGameExecutable(config, path), 0);
    EXPECT_EQ(path, "");

    // Listed before the game: an executable without the table and one whose string 1 differs.
    fs::copy_file(TK_FAKE_OTHER, "a_editor");
    fs::copy_file(fs::read_symlink("/proc/self/exe"), "b_tests");
    // The game program's section, but not executable: not a program to start.
    fs::copy_file(TK_FAKE_GAME, "c_not_executable");
    fs::permissions("c_not_executable", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(FindGameExecutable(config, path), 0);

    fs::copy_file(TK_FAKE_GAME, fs::path(u8"d_ゲーム"));
    fs::copy_file(TK_FAKE_GAME, "z_game");
    EXPECT_EQ(FindGameExecutable(config, path), 1);
    EXPECT_EQ(path, "d_ゲーム"); // the first in name order, as CP932

    EXPECT_TRUE(IsGameProgram(TK_FAKE_GAME));
    EXPECT_FALSE(IsGameProgram(TK_FAKE_OTHER));
    EXPECT_FALSE(IsGameProgram("missing"));
}

TEST(GameProgramTest, ConfiguredProgramMustExist)
{
    TempFolder folder;
    fs::copy_file(TK_FAKE_GAME, "game");
    EditConfigRecord config;
    config.m_bSearchGameProgram = 0;
    config.m_strGameProgram = "bin\\mygame";
    std::string path;
    EXPECT_EQ(FindGameExecutable(config, path), 0); // no search when it is switched off
    EXPECT_EQ(path, "");

    fs::create_directories("bin");
    fs::copy_file(TK_FAKE_OTHER, "bin/mygame");
    EXPECT_EQ(FindGameExecutable(config, path), 1);
    EXPECT_EQ(path, "bin\\mygame");
}

TEST(GameProgramTest, TruncatedOrForeignFilesAreNotGames)
{
    TempFolder folder;
    std::vector<unsigned char> elf;
    {
        std::ifstream in(TK_FAKE_GAME, std::ios::binary);
        elf.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    for (std::size_t size : {std::size_t(0), std::size_t(16), std::size_t(64), elf.size() / 2})
    {
        folder.WriteFile("cut", std::vector<unsigned char>(elf.begin(), elf.begin() + size));
        EXPECT_FALSE(IsGameProgram("cut")) << size;
    }
    folder.WriteFile("script", std::string("#!/bin/sh\necho GAME\n"));
    EXPECT_FALSE(IsGameProgram("script"));
}

} // namespace
