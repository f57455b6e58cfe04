#include "common/data/FormatString.h"
#include "common/services/Log.h"

#include "TempFolder.h"

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

namespace
{

class LogTest : public testing::Test
{
protected:
    TempFolder m_Folder;
};

TEST_F(LogTest, ErrorLogIsTruncatedByTheFirstWriteOfARunOnly)
{
    m_Folder.WriteFile("EC.txt", std::string("previous run\r\n"));
    InitErrorLog(1, "EC.txt");
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), "previous run\r\n"); // nothing written yet
    WriteErrorLog("first 100%");
    WriteErrorLogF("second %d", 2);
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), "first 100%\r\nsecond 2\r\n");
}

TEST_F(LogTest, DisabledErrorLogWritesNothing)
{
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    InitErrorLog(0, "EC.txt");
    WriteErrorLog("x");
    WriteErrorLogF("%d", 1);
    EXPECT_EQ(WriteReportAndErrorLog("both %s", "halves"), 1);
    EXPECT_FALSE(std::filesystem::exists("EC.txt"));
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "both halves\r\n");
}

TEST_F(LogTest, ReportLogIsTruncatedOnOpenAndStopsWhenDeleted)
{
    m_Folder.WriteFile("Report.txt", std::string("old"));
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    EXPECT_EQ(WriteReport("App : ver %s", "276"), 1);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "App : ver 276\r\n");
    std::filesystem::remove("Report.txt");
    EXPECT_EQ(WriteReport("lost"), 0);
    InitErrorLog(1, "EC.txt");
    EXPECT_EQ(WriteReportAndErrorLog("lost too"), 0);
    EXPECT_FALSE(std::filesystem::exists("Report.txt"));
    EXPECT_FALSE(std::filesystem::exists("EC.txt"));
    EXPECT_EQ(OpenReportLog("no/such/folder/Report.txt"), 0);
}

TEST_F(LogTest, ReportAndErrorLineIsCutAt1023Bytes)
{
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    InitErrorLog(1, "EC.txt");
    std::string longLine(1500, 'x');
    WriteReportAndErrorLog("%s", longLine.c_str());
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), std::string(1023, 'x') + "\r\n");
    EXPECT_EQ(m_Folder.ReadText("EC.txt"), std::string(1023, 'x') + "\r\n");

    // The cut never leaves half of a double-byte character.
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    std::string mixed = "x";
    for (int i = 0; i < 600; ++i)
    {
        mixed += "あ";
    }
    WriteReportAndErrorLog("%s", mixed.c_str());
    EXPECT_EQ(m_Folder.ReadText("Report.txt").size(), 1023u + 2);
}

TEST_F(LogTest, SystemReportHasItsEightLines)
{
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    ASSERT_EQ(WriteSystemReport(), 1);
    std::string text = m_Folder.ReadText("Report.txt");
    const char* patterns[] = {
        R"(OS : Linux \S+ PID 0 Build \d+)",  R"(DirectX : 0)",
        R"(CPU : .* \d+)",                    R"(Mem Total : \d+\.\d{3}MB)",
        R"(Mem Free : +\d+MB)",               R"(Vir Total : \d+\.\d{3}MB)",
        R"(Vir Free : +\d+MB)",               R"(HD Free : +\d+MB)",
    };
    std::size_t pos = 0;
    for (const char* pattern : patterns)
    {
        std::size_t end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << pattern;
        std::string line = text.substr(pos, end - pos);
        EXPECT_TRUE(std::regex_match(line, std::regex(pattern))) << line;
        pos = end + 2;
    }
    EXPECT_EQ(pos, text.size());
}

// The name of an installed locale that writes 1.5 as "1,5" (now set for
// LC_NUMERIC), or null (the "C" locale set) when there is none.
const char* SetDecimalCommaLocale()
{
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"})
    {
        char text[16] = "";
        if (std::setlocale(LC_NUMERIC, name) && std::snprintf(text, sizeof text, "%.1f", 1.5) > 0 &&
            std::string(text) == "1,5")
        {
            return name;
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    return nullptr;
}

TEST_F(LogTest, NumbersIgnoreADecimalCommaLocale)
{
    // A toolkit may switch the process to the user's locale, with its decimal comma.
    if (SetDecimalCommaLocale() == nullptr)
    {
        GTEST_SKIP() << "no locale with a decimal comma is installed (scripts/setup makes de_DE.UTF-8)";
    }
    std::string text;
    FormatString(text, "%.3f", 1.5);
    const bool opened = OpenReportLog("Report.txt") == 1;
    WriteReport("Mem Total : %.3fMB", 2.25);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "1.500");
    ASSERT_TRUE(opened);
    EXPECT_EQ(m_Folder.ReadText("Report.txt"), "Mem Total : 2.250MB\r\n");
}

TEST_F(LogTest, ThreadsDoNotLoseLines)
{
    ASSERT_EQ(OpenReportLog("Report.txt"), 1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i)
            {
                WriteReport("thread %d line %d", t, i);
            }
        });
    }
    for (auto& th : threads)
    {
        th.join();
    }
    std::string text = m_Folder.ReadText("Report.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 200);
}

TEST(SystemReportTest, AmountsAreMegabytesAndTheDiskFigureStopsAt2GiB)
{
    SystemFacts facts;
    facts.m_strOs = "Linux 6.1.0 PID 0 Build 1";
    facts.m_nDirectX = 0x10900;
    facts.m_Cpu = {"Brand", "Vendor", 2'400'000'000.0};
    facts.m_Memory = {0xFFFFFFFFu, 0x00180000u, 0x7FFE0000u, 0x00080000u};
    facts.m_nFreeDiskBytes = 3LL << 30; // 3 GiB free
    EXPECT_EQ(FormatSystemReport(facts), "OS : Linux 6.1.0 PID 0 Build 1\n"
                                         "DirectX : 900\n"
                                         "CPU : Vendor Brand 2400\n"
                                         "Mem Total : 4096.000MB\n"
                                         "Mem Free :   2MB\n"
                                         "Vir Total : 2047.875MB\n"
                                         "Vir Free :   0MB\n"
                                         "HD Free : 2048MB\n");

    struct Case
    {
        int64_t m_nBytes;
        int m_nFigure;
    };
    const Case cases[] = {{-1, 0},
                          {0, 0},
                          {1048576, 1048576},
                          {0x7FFFFFFF, 0x7FFFFFFF},
                          {0x80000000LL, 0x7FFFFFFF},
                          {3LL << 30, 0x7FFFFFFF},
                          {1LL << 40, 0x7FFFFFFF}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(FreeDiskSpaceFigure(c.m_nBytes), c.m_nFigure) << c.m_nBytes;
    }
}

} // namespace
