#pragma once

// Fixture of the scenes played through the scene manager: the game-data
// fixture with a sheet for every surface, an 8-bit display at 60 frames a
// second, and a scene manager with the game's scenes played with held keys
// (SceneKeys). No save slot is remembered and the menu cursor is back
// to one entry before and after.

#include "../data/GameDataTest.h"
#include "SceneKeys.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/program/SceneRegistry.h"
#include "game/scenes/TitleScene.h"
#include "tests/game/engine/DisplayFixture.h"

class SceneTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        WriteFixtureSheets(m_Folder, {});
        StartFixtureDisplay(m_Host, 8);
        FrameRateValues = DeriveFrameValues(60);
        RegisterScenes(m_Scenes);
        MenuCursor.Reset();
        TitleLoadedSlot = -1;
    }
    void TearDown() override
    {
        m_Scenes.Reset();
        ReleaseTestDisplay();
        MenuCursor.Reset();
        TitleLoadedSlot = -1;
        GameDataTest::TearDown();
    }

    void Frames(int n) { m_Keys.Frames(n); }
    void Press(int key, int times = 1) { m_Keys.Press(key, times); }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    SceneManager m_Scenes;
    SceneKeys m_Keys{m_Scenes};
};
