#pragma once

// Fixture of the scenes played through the scene manager: the game-data
// fixture with a sheet for every surface, an 8-bit display at 60 frames a
// second, and a scene manager with the game's scenes that reads its keys
// from a key table. No save slot is remembered and the menu cursor is back
// to one entry before and after.

#include "../data/GameDataTest.h"
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
        SetDefaultKeyConfig(m_Scenes.Keys());
        m_Scenes.SetInputDevices(&m_Keys, nullptr);
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

    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
        {
            m_Scenes.Frame();
        }
    }
    // The key down for a frame, then a frame with it up; as many times as asked.
    void Press(int key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
        {
            m_Keys.Keys().set(static_cast<std::size_t>(key));
            Frames(1);
            m_Keys.Keys().reset();
            Frames(1);
        }
    }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    platform::KeySetSource m_Keys;
    SceneManager m_Scenes;
};
