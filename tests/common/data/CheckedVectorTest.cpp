#include "common/data/CheckedVector.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace
{

class CheckedVectorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        OpenReportLog("Report.txt");
        InitErrorLog(1, "EC.txt");
        platform::SetDestroyMainWindowHook([this] { ++m_Destroyed; });
        platform::SetPostCloseHook([this] { ++m_Closed; });
    }
    void TearDown() override
    {
        SetIndexErrorPolicy(IndexErrorPolicy::Editor);
        platform::SetDestroyMainWindowHook(nullptr);
        platform::SetPostCloseHook(nullptr);
        platform::ClearFatalError();
    }

    TempFolder m_Folder;
    int m_Destroyed = 0;
    int m_Closed = 0;
};

TEST_F(CheckedVectorTest, InRangeAccessIsSilent)
{
    CheckedVector<int> v{7};
    EXPECT_EQ(v.At(0), 7);
    v.At(0) = 8;
    EXPECT_EQ(v[0], 8);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "");
    EXPECT_EQ(m_Destroyed, 0);
}

TEST_F(CheckedVectorTest, OutOfRangeLogsDestroysAndYieldsElementZero)
{
    CheckedVector<int> v{10, 11, 12};
    EXPECT_EQ(v.At(-1), 10);
    EXPECT_EQ(v.At(3), 10);
    const std::string expected = "err Vector外参照 [-1] ( 3 , 16 )\r\nerr Vector外参照 [3] ( 3 , 16 )\r\n";
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), expected);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), expected);
    EXPECT_EQ(m_Destroyed, 2);
    EXPECT_EQ(m_Closed, 0);
    EXPECT_TRUE(platform::IsFatalErrorRaised());
}

TEST_F(CheckedVectorTest, EmptyVectorThrowsAfterTheReport)
{
    CheckedVector<int> v;
    EXPECT_THROW(v.At(0), std::out_of_range);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "err Vector外参照 [0] ( 0 , 16 )\r\n");
    EXPECT_EQ(m_Destroyed, 1);
}

TEST_F(CheckedVectorTest, GuardedVectorPostsACloseInstead)
{
    GuardedVector<int> v{1, 2, 3};
    EXPECT_EQ(v.At(5), 1);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "err Vector外参照 [5] ( 3 , 16 )\r\n");
    EXPECT_EQ(m_Closed, 1);
    EXPECT_EQ(m_Destroyed, 0);
    EXPECT_FALSE(platform::IsFatalErrorRaised());
    GuardedVector<int> empty;
    EXPECT_THROW(empty.At(-1), std::out_of_range);
    EXPECT_EQ(m_Closed, 2);
}

TEST_F(CheckedVectorTest, UnderTheGamePolicyNoAccessThrowsOrIsFatal)
{
    SetIndexErrorPolicy(IndexErrorPolicy::Game);
    CheckedVector<int> v{4, 5};
    EXPECT_EQ(v.At(9), 4);

    // An empty vector hands back a fresh default element, on any thread, even
    // after the previous one was written through.
    std::string seen[2];
    std::thread worker([&seen] {
        CheckedVector<std::string> empty;
        empty.At(0) = "written";
        seen[0] = empty.At(3);
        GuardedVector<int> none;
        seen[1] = std::to_string(none.At(-1));
    });
    worker.join();
    EXPECT_EQ(seen[0], "");
    EXPECT_EQ(seen[1], "0");

    EXPECT_EQ(m_Closed, 4);
    EXPECT_EQ(m_Destroyed, 0);
    EXPECT_FALSE(platform::IsFatalErrorRaised());
    const std::string expected = "err Vector外参照 [9] ( 2 , 16 )\r\nerr Vector外参照 [0] ( 0 , 16 )\r\n"
                                 "err Vector外参照 [3] ( 0 , 16 )\r\nerr Vector外参照 [-1] ( 0 , 16 )\r\n";
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), expected);
}

} // namespace
