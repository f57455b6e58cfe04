#pragma once

// Fixture of the scenes played through the scene manager: the game-data
// fixture with a sheet for every surface, an 8-bit display at 60 frames a
// second, and a scene manager with the game's scenes played with held keys
// (SceneKeys). Frames run one at a time; the scene that is current is made
// on the first of them. No save slot is remembered and the menu cursor is
// back to one entry before and after.

#include "../data/GameDataTest.h"
#include "RuntimeFolderScope.h"
#include "SceneKeys.h"
#include "game/engine/GameSession.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SystemIni.h"
#include "game/program/SceneRegistry.h"
#include "game/scenes/TitleScene.h"
#include "platform/core/TestPlayLink.h"
#include "platform/window/DummyWindowSystem.h"
#include "tests/game/engine/DisplayFixture.h"

#include <functional>
#include <vector>

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
    // The state of the scene of the id; -100 while it has no scene.
    int StateOf(int id) const
    {
        const Scene* scene = m_Scenes.SceneOf(id);
        return scene ? scene->State() : -100;
    }

    // With a main window that serves music: for each name, setName(name),
    // then the scene of the id made afresh and its first frame, which loads
    // its resources. The music requests served, in order.
    std::vector<MusicRequest> MusicOfEntries(int id, std::initializer_list<const char*> names,
                                             const std::function<void(const char*)>& setName)
    {
        RuntimeFolderScope runtime;
        platform::DummyWindowSystem system;
        GameSession session;
        std::vector<MusicRequest> served;
        if (!session.Open(system, platform::kShowStateNormal))
        {
            ADD_FAILURE() << "no main window";
            return served;
        }
        SetMusicDispatch([&](const MusicRequest& request) { served.push_back(request); });
        for (const char* name : names)
        {
            setName(name);
            m_Scenes.Reset();
            m_Scenes.SetCurrentScene(id);
            m_Scenes.Frame();
            system.PumpMessages();
        }
        SetMusicDispatch(nullptr);
        session.Close();
        return served;
    }

    platform::ScriptedDialogs m_Dialogs;
    platform::RecordingDisplayHost m_Host;
    SceneManager m_Scenes;
    SceneKeys m_Keys{m_Scenes};
};
