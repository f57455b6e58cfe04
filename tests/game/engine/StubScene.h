#pragma once

// A scene for the tests of the scene manager: one state of its own (1),
// which leaves for the scene asked of it; it counts its loads and updates and
// tells its end. Its fade-out ends as the stage map's and the battle's do
// when it stands in for them: the stage keeps itself alive across a battle
// (keep flag set, state 0) and reloads after any other scene; the battle
// clears the keep flag.

#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/Scene.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "tests/game/engine/DisplayFixture.h"

#include <map>
#include <memory>
#include <string>

struct StubRecord
{
    int m_nMade = 0;
    int m_nLoads = 0;
    int m_nUpdates = 0;
    int m_nDeleted = 0;
    int m_nRestores = 0;
    int m_nLeaveFor = -1;         // a scene id: state 1 leaves for it on its next frame
    std::string m_strLoadFailure; // non-empty: the load throws it
};

class StubScene : public Scene
{
public:
    StubScene(SceneManager& manager, int id, StubRecord& record) : Scene(manager, id, 2), m_Record(record)
    {
        ++m_Record.m_nMade;
    }
    ~StubScene() override { ++m_Record.m_nDeleted; }

    void RestoreFirstParticipant() override { ++m_Record.m_nRestores; }

protected:
    void LoadResources() override
    {
        ++m_Record.m_nLoads;
        if (!m_Record.m_strLoadFailure.empty())
        {
            throw SceneFailure(m_Record.m_strLoadFailure);
        }
    }
    int RunState(int) override
    {
        ++m_Record.m_nUpdates;
        if (m_Record.m_nLeaveFor >= 0)
        {
            Leave(m_Record.m_nLeaveFor);
            m_Record.m_nLeaveFor = -1;
        }
        return 1;
    }
    void OnLeft(int nextScene) override
    {
        if (Id() == kSceneStage && nextScene != kSceneWorldMap)
        {
            Manager().SetKeepFlag(1);
            SetState(0);
        }
        else if (Id() == kSceneBattle)
        {
            Manager().SetKeepFlag(0);
            SetState(-1);
        }
        else
        {
            SetState(-1);
        }
    }

private:
    StubRecord& m_Record;
};

// Stub makers for every scene id of the manager; the records by id.
inline void UseStubScenes(SceneManager& manager, std::map<int, StubRecord>& records)
{
    for (int id = 0; id < kSceneCount; ++id)
    {
        StubRecord& record = records[id];
        manager.SetSceneMaker(id, [&record, id](SceneManager& owner)
                              { return std::make_unique<StubScene>(owner, id, record); });
    }
}

// Every scene deleted and every maker dropped.
inline void DropStubScenes(SceneManager& manager)
{
    manager.Reset();
    for (int id = 0; id < kSceneCount; ++id)
    {
        manager.SetSceneMaker(id, nullptr);
    }
}

// Stub scenes on the game's scene manager, drawn on the fixture's display at
// 8 bits, at 60 frames a second.
class StubSceneTest : public DisplayFixture
{
protected:
    void SetUp() override
    {
        DisplayFixture::SetUp();
        ClearGameFailure();
        FrameRateValues = DeriveFrameValues(60);
        Start(8);
        UseStubScenes(GameScenes, m_Records);
    }
    void TearDown() override
    {
        DropStubScenes(GameScenes);
        ClearGameFailure();
        DisplayFixture::TearDown();
    }

    std::map<int, StubRecord> m_Records;
};
