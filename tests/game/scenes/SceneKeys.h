#pragma once

// A scene manager run frame by frame with held keys in place of a player:
// the default key configuration, the keys of a set, no joystick.

#include "game/engine/SceneManager.h"
#include "platform/input/HeldKeys.h"

#include <cstddef>

class SceneKeys
{
public:
    explicit SceneKeys(SceneManager& scenes) : m_Scenes(scenes)
    {
        SetDefaultKeyConfig(scenes.Keys());
        scenes.SetInputDevices(&m_Keys, nullptr);
    }
    SceneKeys(const SceneKeys&) = delete;
    SceneKeys& operator=(const SceneKeys&) = delete;

    void Frames(int n)
    {
        for (int i = 0; i < n; ++i)
        {
            m_Scenes.Frame();
        }
    }
    // The key down for a frame, then a frame with it up, as often as asked;
    // a key held otherwise stays held.
    void Press(int key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
        {
            Hold(key);
            Frames(1);
            Release(key);
            Frames(1);
        }
    }
    void Hold(int key) { m_Keys.Keys().set(static_cast<std::size_t>(key)); }
    void Release(int key) { m_Keys.Keys().reset(static_cast<std::size_t>(key)); }

private:
    SceneManager& m_Scenes;
    platform::KeySetSource m_Keys;
};
