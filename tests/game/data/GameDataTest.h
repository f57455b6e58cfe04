#pragma once

// Fixture of the game-data tests: a temporary project folder with fresh logs,
// the game's data start-up, and a small database in memory: 3 classes,
// 6 items, 3 skills and 4 friends. Everything is put back afterwards.
//
// Items: 1 weapon, 2 other equipment, 3 medicine, 4 weapon, 5 treasure, each
// carried up to 99. Friends: 0 without class; 1 at the hiring shop, hired
// once; 2 at the hiring shop, hired any number of times; 3 not at the shop.

#include "TempFolder.h"
#include "common/data/DataFile.h"
#include "common/data/ProjectData.h"
#include "common/data/StageRecord.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "game/data/GameData.h"
#include "game/data/SaveSlots.h"
#include "game/data/SoundRequests.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/Random.h"

#include <gtest/gtest.h>

#include <vector>

class GameDataTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::ClearFatalError();
        OpenReportLog("Report.txt");
        InitErrorLog(1, "EC.txt");
        platform::SetPostCloseHook([this] { ++m_nCloses; });
        SetSoundRequestHandler([this](int number) { m_Sounds.push_back(number); });
        SeedRand(1);
        ResetProjectData();
        InitGameData();
        Progress = ProgressRecord();
        MakeDatabase();
    }

    void TearDown() override
    {
        SetSoundRequestHandler(nullptr);
        platform::SetPostCloseHook(nullptr);
        ResetProjectData();
        Progress = ProgressRecord();
        PartyUnits.clear();
        SaveSlots.clear();
        SetIndexErrorPolicy(IndexErrorPolicy::Editor);
        platform::ClearFatalError();
        InitErrorLog(0, "EC.txt"); // later tests run outside this test's folder
    }

    static void MakeDatabase()
    {
        ClassTable.assign(3, ClassRecord());
        for (ClassRecord& c : ClassTable)
        {
            c.SetDefaults();
        }
        const int32_t kinds[] = {0, 1, 2, 0, 1, 3};
        ItemTable.assign(6, ItemRecord());
        for (int i = 0; i < ItemTable.Count(); ++i)
        {
            ItemTable[i].SetDefaults();
            ItemTable[i].m_nKind = kinds[i];
            ItemTable[i].m_nItemB = i;
        }
        SkillTable.assign(3, SkillRecord());
        for (int i = 0; i < SkillTable.Count(); ++i)
        {
            SkillTable[i].SetDefaults();
            SkillTable[i].m_nSkillB = i;
        }
        FriendTable.assign(4, FriendRecord());
        for (int i = 0; i < FriendTable.Count(); ++i)
        {
            FriendRecord& f = FriendTable[i];
            f.SetDefaults();
            f.m_nHead = i;
            f.m_strName = "friend" + std::to_string(i);
            f.m_nLevel = 3;
            f.m_bRandomName = 0;
            f.m_bInShop = i == 1 || i == 2;
            f.m_bHireAgain = i == 2;
        }
        FriendTable[0].m_nClass = 0;
    }

    // A party member made from a friend of the table.
    static UnitRecord Member(int friendIndex)
    {
        UnitRecord unit(FriendTable.At(friendIndex));
        unit.Recompute();
        return unit;
    }

    // A battle-AI rule of an action and a skill, otherwise the defaults: no condition.
    static BattleAiEntry Rule(int32_t action, int32_t skill)
    {
        BattleAiEntry rule;
        rule.SetDefaults();
        rule.m_nAction = action;
        rule.m_nSkill = skill;
        return rule;
    }

    // An enemy placement of a stage with its movement AI.
    static EnemyPlacement Placement(int32_t enemy, int32_t x, int32_t y, int32_t group,
                                    std::initializer_list<MoveAiEntry> moves = {})
    {
        EnemyPlacement p;
        p.SetDefaults();
        p.m_nEnemy = enemy;
        p.m_nX = x;
        p.m_nY = y;
        p.m_nEnemyGroup = group;
        p.m_MoveAI.assign(moves);
        return p;
    }

    static void FillParty()
    {
        for (UnitRecord& slot : PartyUnits)
        {
            slot = Member(2);
        }
    }

    static std::vector<unsigned char> Image(SerializableRecord& record)
    {
        DataWriter out;
        record.Save(out);
        return out.Bytes();
    }

    static std::vector<unsigned char> PartyImage()
    {
        DataWriter out;
        SaveRecordVector(PartyUnits, out);
        return out.Bytes();
    }

    // Ways a slot file that was saved whole (`good`) is found damaged: in its
    // units, whose play-through still reads, or in its play-through.
    struct DamagedSlotFile
    {
        const char* m_pWhat;
        std::vector<unsigned char> m_Bytes;
        bool m_bPlayThroughReads;
    };
    static std::vector<DamagedSlotFile> DamagedSlotFiles(const std::vector<unsigned char>& good)
    {
        std::vector<unsigned char> noise(5000);
        for (unsigned char& byte : noise)
        {
            byte = static_cast<unsigned char>(Rand());
        }
        const auto cut = [&good](std::size_t size)
        { return std::vector<unsigned char>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)); };
        return {
            {"the units cut short", cut(good.size() - 100), true},
            {"cut to its first 100 bytes", cut(100), false},
            {"5,000 random bytes", noise, false},
        };
    }

    TempFolder m_Folder;
    int m_nCloses = 0;
    std::vector<int> m_Sounds;
};
