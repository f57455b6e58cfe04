#pragma once

// Fixture of the stage map played through the scene manager with held keys:
// the map-rules fixture with a sheet for every surface, an 8-bit display at
// 60 frames a second, the stage scene drawing into a recording target, two
// enemies of the defaults in Enemy.dat, a stage of 10 x 8 plain cells with
// no position group yet, and the first party member as the leader.

#include "../data/RecordingDrawTarget.h"
#include "SceneKeys.h"
#include "SceneRulesTest.h"
#include "common/data/DataFilePaths.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/MapSkillRules.h"
#include "game/scenes/stage/StageScene.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/game/engine/DisplayFixture.h"

#include <filesystem>
#include <vector>

class StageTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        WriteFixtureSheets(m_Folder, {});
        StartFixtureDisplay(m_Host, 8);
        FrameRateValues = DeriveFrameValues(60);
        m_Scenes.SetSceneMaker(kSceneStage,
                               [this](SceneManager& owner) { return std::make_unique<StageScene>(owner, &m_Drawn); });
        MenuCursor.Reset();

        ClassTable.At(1).m_nMove = 3;
        EnemyTable.assign(2, EnemyRecord());
        for (EnemyRecord& enemy : EnemyTable)
        {
            enemy.SetDefaults();
        }
        std::filesystem::create_directories("data/database");
        ASSERT_EQ(SaveTableFile(EnemyTable, DataFilePaths[kPathEnemy]), 1);

        Stage.SetDefaults();
        Stage.ResizeMap(10, 8);
        for (int32_t y = 0; y < Stage.m_nHeight; ++y)
        {
            for (int32_t x = 0; x < Stage.m_nWidth; ++x)
            {
                Stage.CellAt(x, y) = kLandPlain;
            }
        }
        Stage.m_GroupPos.clear();
        Stage.m_nStartGroup = 0;

        PartyUnits.At(0) = Member(1);
        PartyUnits.At(0).m_nPlayA = 1;
        Progress.ToggleLandInfo(); // the land box stays out of the texts drawn
    }

    void TearDown() override
    {
        m_Scenes.Reset();
        ReleaseTestDisplay();
        SceneRulesTest::TearDown();
    }

    // A position group of the points, anchored at the first.
    static void AddGroup(const std::vector<MapPoint>& points)
    {
        PositionGroup group;
        for (const MapPoint& point : points)
        {
            group.m_Point.push_back(point);
        }
        group.m_nCenterX = points.front().m_nX;
        group.m_nCenterY = points.front().m_nY;
        Stage.m_GroupPos.push_back(group);
    }

    // Skill 1 as a heal for the user's side: 3 SP, the user's magic + 10 HP, sure to hit.
    static SkillRecord& SetUpHeal()
    {
        SkillRecord& heal = SkillTable.At(1);
        heal.m_nKind = kSkillKindRecovery;
        heal.m_nTarget = kSkillTargetSelf;
        heal.m_nSpCost = 3;
        heal.m_nPower = 10;
        heal.m_nHitRate = 100;
        System.m_dAttackFactor = 1.0;
        return heal;
    }

    StageScene* Scene() const { return static_cast<StageScene*>(m_Scenes.SceneOf(kSceneStage)); }
    void Frames(int n) { m_Keys.Frames(n); }
    void Press(int key, int times = 1) { m_Keys.Press(key, times); }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    RecordingDrawTarget m_Drawn;
    SceneManager m_Scenes;
    SceneKeys m_Keys{m_Scenes};
};
