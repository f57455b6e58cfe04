#pragma once

// A small project for the event editor's tests: a few variable names, lands,
// items and friends in the global tables, the error and report logs in a
// temporary project folder, and every global put back afterwards.

#include "common/data/ProjectData.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "platform/core/FatalHooks.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

// The names of the tests' variables, lands, items and friends, after those the tables hold.
inline void FillEventTestTables()
{
    for (const char* name : {"", "勝利数", "ボス撃破", "鍵"})
    {
        GValInfo.emplace_back().m_str = name;
    }
    for (const char* name : {"平地", "森", "山"})
    {
        LandTable.emplace_back().m_strName = name;
    }
    for (const char* name : {"", "A", "B", "薬草"})
    {
        ItemTable.emplace_back().m_strName = name;
    }
    for (const char* name : {"", "アリス", "ボブ"})
    {
        FriendTable.emplace_back().m_strName = name;
    }
}

class EventTestProject : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        ResetProjectData();
        OpenReportLog("Report.txt");
        InitErrorLog(1, "EC.txt");
        platform::SetDestroyMainWindowHook([this] { ++m_nMainWindowDestroyed; });
        FillEventTestTables();
    }
    void TearDown() override
    {
        ResetProjectData();
        InitErrorLog(0, "EC.txt");
        platform::SetDestroyMainWindowHook(nullptr);
        platform::ClearFatalError();
    }

    // What the logs hold: empty while nothing was reported.
    std::string Logged() const { return m_Folder.ReadText("EC.txt") + m_Folder.ReadText("Report.txt"); }

    TempFolder m_Folder;
    int m_nMainWindowDestroyed = 0;
};

// A command with exactly these arguments (no argument check runs).
inline EventCommand MakeCommand(int32_t code, std::initializer_list<int32_t> ints = {},
                                std::initializer_list<const char*> strings = {},
                                std::initializer_list<int32_t> goods = {})
{
    EventCommand command;
    command.m_nCode = code;
    command.m_nValParam.assign(ints.begin(), ints.end());
    for (const char* text : strings)
    {
        command.m_StrParam.emplace_back().m_str = text;
    }
    for (int32_t item : goods)
    {
        command.m_ShopItem.emplace_back().m_nItem = item;
    }
    return command;
}
