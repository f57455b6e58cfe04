#include "platform/core/Cp932.h"
#include "platform/core/RuntimeFolder.h"
#include "platform/core/SingleInstance.h"

#include "RuntimeFolderScope.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

using platform::SingleInstanceLock;
using Result = SingleInstanceLock::Result;

TEST(SingleInstanceTest, OneHolderPerNameUntilItLetsGo)
{
    RuntimeFolderScope runtime;
    SingleInstanceLock first;
    SingleInstanceLock second;
    SingleInstanceLock editor;
    ASSERT_EQ(first.Acquire("ゲーム"), Result::Acquired);
    EXPECT_EQ(first.Acquire("ゲーム"), Result::Acquired); // held already
    EXPECT_EQ(second.Acquire("ゲーム"), Result::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(editor.Acquire("エディター"), Result::Acquired);

    // The file carries the name, in the runtime folder.
    std::string path = SingleInstanceLock::LockFilePath("ゲーム");
    EXPECT_EQ(std::filesystem::path(path).parent_path(), runtime.Path());
    EXPECT_EQ(std::filesystem::path(path).filename().string(), "tarnwick-" + platform::ToUtf8("ゲーム") + ".lock");

    first.Release();
    EXPECT_EQ(second.Acquire("ゲーム"), Result::Acquired);
}

TEST(SingleInstanceTest, AnotherProcessKeepsUsOutUntilItIsKilled)
{
    RuntimeFolderScope runtime;
    HelperProcess other(TK_LINK_HELPER, {"hold", "ゲーム"});
    ASSERT_TRUE(other.Started());
    ASSERT_EQ(other.ReadLine(), "held");

    SingleInstanceLock lock;
    EXPECT_EQ(lock.Acquire("ゲーム"), Result::HeldElsewhere);

    other.Kill();
    other.Wait();
    // The killed process left its file behind; it keeps nobody out.
    EXPECT_TRUE(std::filesystem::exists(SingleInstanceLock::LockFilePath("ゲーム")));
    EXPECT_EQ(lock.Acquire("ゲーム"), Result::Acquired);
}

TEST(RuntimeFolderTest, AFolderOthersMayEnterIsNotUsed)
{
    RuntimeFolderScope runtime;
    EXPECT_EQ(platform::RuntimeFolder(), runtime.Path().string());

    std::filesystem::path open = runtime.Path() / "open";
    std::filesystem::create_directory(open);
    ::chmod(open.c_str(), 0755);
    setenv("XDG_RUNTIME_DIR", open.c_str(), 1);
    // The fallback: a private folder of the user under the temporary folder.
    std::string folder = platform::RuntimeFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder, open.string());
    EXPECT_EQ(std::filesystem::path(folder).parent_path(), runtime.Path());
    struct stat info{};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

} // namespace
