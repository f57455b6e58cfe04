#pragma once

// Fixture of the event and stage tests: a program after its start-up (records
// bind at the current format) with a project of 10 items, 5 lands, 4 friends,
// 3 enemies and 3 skills, and a new open stage (20 x 15, two position groups).
// Everything is put back afterwards.

#include "DataFileTest.h"
#include "common/data/ProjectData.h"
#include "common/data/StageRecord.h"

class ProjectFixture : public DataFileTest
{
protected:
    void SetUp() override
    {
        DataFileTest::SetUp();
        CurrentVersion = kDataFormatVersion;
        SetTableSizes(10, 5, 4, 3, 3);
        Stage = StageRecord();
    }
    void TearDown() override
    {
        SetTableSizes(0, 0, 0, 0, 0);
        Stage = StageRecord();
        DataFileTest::TearDown();
    }

    static void SetTableSizes(int items, int lands, int friends, int enemies, int skills)
    {
        ItemTable.clear();
        ItemTable.resize(static_cast<std::size_t>(items));
        LandTable.clear();
        LandTable.resize(static_cast<std::size_t>(lands));
        FriendTable.clear();
        FriendTable.resize(static_cast<std::size_t>(friends));
        EnemyTable.clear();
        EnemyTable.resize(static_cast<std::size_t>(enemies));
        SkillTable.clear();
        SkillTable.resize(static_cast<std::size_t>(skills));
    }
};
