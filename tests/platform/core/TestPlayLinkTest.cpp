#include "platform/core/TestPlayLink.h"

#include "RuntimeFolderScope.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

using platform::TestPlayListener;
using platform::TestPlayReport;

// A raw datagram to the endpoint, as a foreign program might send it.
void SendRaw(const std::string& endpoint, const std::vector<unsigned char>& bytes)
{
    int out = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    endpoint.copy(address.sun_path, sizeof(address.sun_path) - 1);
    ::sendto(out, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::close(out);
}

TEST(TestPlayLinkTest, TheEditorsListenerReceivesTheReportsInOrder)
{
    RuntimeFolderScope runtime;
    std::string endpoint = platform::EditorEndpoint();
    EXPECT_EQ(endpoint, (runtime.Path() / "tarnwick-Tarnwick-Tarnwick.link").string());

    TestPlayListener editor;
    ASSERT_TRUE(editor.Open(endpoint));
    struct stat info{};
    ASSERT_EQ(::stat(endpoint.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    EXPECT_TRUE(platform::SendTestPlayValue(endpoint, platform::kTestPlayStart, 1));
    EXPECT_TRUE(platform::SendTestPlayValue(endpoint, platform::kTestPlayEnd, 1));
    TestPlayReport report;
    int32_t value = 0;
    ASSERT_TRUE(editor.WaitReceive(report, 5000));
    EXPECT_EQ(report.m_nKind, platform::kTestPlayStart);
    EXPECT_EQ(report.m_nSender, ::getpid());
    ASSERT_TRUE(report.Value(value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(editor.WaitReceive(report, 5000));
    EXPECT_EQ(report.m_nKind, platform::kTestPlayEnd);
    EXPECT_FALSE(editor.Receive(report));

    // A short message arrives as it is: the editor decides what it is worth.
    EXPECT_TRUE(platform::SendTestPlayReport(endpoint, platform::kTestPlayEnd, "ab", 2));
    ASSERT_TRUE(editor.WaitReceive(report, 5000));
    EXPECT_EQ(report.m_Bytes.size(), 2u);
    EXPECT_FALSE(report.Value(value));

    editor.Close();
    EXPECT_FALSE(std::filesystem::exists(endpoint));
}

TEST(TestPlayLinkTest, WithoutAListenerAReportIsDropped)
{
    RuntimeFolderScope runtime;
    std::string endpoint = platform::EditorEndpoint();
    EXPECT_FALSE(platform::SendTestPlayValue(endpoint, platform::kTestPlayStart, 1));

    // A socket file whose listener is gone (a crashed editor).
    {
        int stale = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        endpoint.copy(address.sun_path, sizeof(address.sun_path) - 1);
        ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(stale);
    }
    EXPECT_FALSE(platform::SendTestPlayValue(endpoint, platform::kTestPlayStart, 1));

    // A new editor takes the place over; a second one while it listens cannot.
    TestPlayListener editor;
    ASSERT_TRUE(editor.Open(endpoint));
    TestPlayListener another;
    EXPECT_FALSE(another.Open(endpoint));
    EXPECT_TRUE(platform::SendTestPlayValue(endpoint, platform::kTestPlayStart, 1));
    TestPlayReport report;
    EXPECT_TRUE(editor.WaitReceive(report, 5000));
}

TEST(TestPlayLinkTest, MalformedDatagramsAreDropped)
{
    RuntimeFolderScope runtime;
    std::string endpoint = platform::EditorEndpoint();
    TestPlayListener editor;
    ASSERT_TRUE(editor.Open(endpoint));
    const std::vector<std::vector<unsigned char>> malformed = {
        {},                                           // nothing
        {1, 0, 0, 0, 7, 0},                           // a header cut short
        {1, 0, 0, 0, 7, 0, 0, 0, 4, 0, 0, 0, 1, 0},   // fewer bytes than it says
        {1, 0, 0, 0, 7, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0}, // more bytes than it says
    };
    for (const auto& datagram : malformed)
    {
        SendRaw(endpoint, datagram);
    }
    SendRaw(endpoint, {0, 0, 0, 0, 7, 0, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0});
    TestPlayReport report;
    ASSERT_TRUE(editor.WaitReceive(report, 5000));
    EXPECT_EQ(report.m_nKind, 0u);
    EXPECT_EQ(report.m_nSender, 7);
    EXPECT_EQ(report.m_Bytes, (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_FALSE(editor.Receive(report));
}

TEST(TestPlayLinkTest, AnotherUserCannotReachTheEditor)
{
    if (::geteuid() != 0)
    {
        GTEST_SKIP() << "needs root to send as another user";
    }
    RuntimeFolderScope runtime;
    std::string endpoint = platform::EditorEndpoint();
    TestPlayListener editor;
    ASSERT_TRUE(editor.Open(endpoint));
    HelperProcess nobody(TK_LINK_HELPER, {"send", endpoint, "0", "1", "65534"});
    EXPECT_EQ(nobody.Wait(), 1); // refused
    HelperProcess same(TK_LINK_HELPER, {"send", endpoint, "0", "1"});
    EXPECT_EQ(same.Wait(), 0);
    TestPlayReport report;
    ASSERT_TRUE(editor.WaitReceive(report, 5000));
    EXPECT_NE(report.m_nSender, ::getpid());
    EXPECT_FALSE(editor.Receive(report));
}

TEST(TestPlayLinkTest, TheShowStateComesFromTheEnvironment)
{
    const struct
    {
        const char* m_pValue;
        int m_nState;
    } cases[] = {{nullptr, 1}, {"5", 5}, {"1", 1}, {"", 1}, {"five", 1}, {"5x", 1}, {"-3", 1}, {"99", 1}};
    for (const auto& c : cases)
    {
        if (c.m_pValue)
        {
            setenv(platform::kShowStateVariable, c.m_pValue, 1);
        }
        else
        {
            unsetenv(platform::kShowStateVariable);
        }
        EXPECT_EQ(platform::ShowStateFromEnvironment(), c.m_nState) << (c.m_pValue ? c.m_pValue : "(unset)");
    }
    unsetenv(platform::kShowStateVariable);
}

} // namespace
