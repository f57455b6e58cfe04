#include "game/engine/SceneManager.h"

#include "common/services/MessageBoxes.h"
#include "game/engine/Display.h"
#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/FrameTimer.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SystemIni.h"
#include "game/engine/TextOutput.h"
#include "platform/input/HeldKeys.h"
#include "platform/input/Joystick.h"

#include <new>

SceneManager GameScenes;

namespace
{

bool IsSceneId(int id)
{
    return id >= 0 && id < kSceneCount;
}

} // namespace

SceneManager::SceneManager() = default;
SceneManager::~SceneManager() = default;

void SceneManager::SetSceneMaker(int id, SceneMaker maker)
{
    if (IsSceneId(id))
    {
        m_Makers[static_cast<std::size_t>(id)] = std::move(maker);
    }
}

void SceneManager::SetInputDevices(const platform::KeySource* keys, platform::JoystickSource* joysticks)
{
    m_pKeys = keys;
    m_pJoysticks = joysticks;
}

InputState& SceneManager::PollInput()
{
    static const platform::KeySetSource noKeys;
    static platform::NoJoystick noJoystick;
    m_Input.PollFrame(m_KeyConfig,
                      InputDevices{m_pKeys ? *m_pKeys : noKeys, m_pJoysticks ? *m_pJoysticks : noJoystick});
    return m_Input;
}

int SceneManager::Frame()
{
    if (!DDRestoreSurfaces())
    {
        return 0;
    }
    PollInput();
    try
    {
        ChangeScene(m_nCurrent);
        if (Scene* scene = SceneOf(m_nCurrent))
        {
            scene->Update();
        }
    }
    catch (const SceneFailure& failure)
    {
        WriteErrorLogAndClose(MainWindowHandle(), "%s", failure.what());
    }
    const int fps = CountFps();
    if (Settings.m_nFpsDisplay == 1)
    {
        DrawGlyphTextF(DDBackBuffer(), 576, 460, 8, 16, Surfaces[1], "FPS %2d", fps);
    }
    DDPresent(m_nPageFlip);
    return 1;
}

void SceneManager::ChangeScene(int id)
{
    if (!m_nKeep)
    {
        for (int other = 0; other < kSceneCount; ++other)
        {
            if (other != id)
            {
                m_Scenes[static_cast<std::size_t>(other)].reset();
            }
        }
    }
    if (!IsSceneId(id))
    {
        return;
    }
    std::unique_ptr<Scene>& scene = m_Scenes[static_cast<std::size_t>(id)];
    const SceneMaker& maker = m_Makers[static_cast<std::size_t>(id)];
    if (scene || !maker)
    {
        return;
    }
    try
    {
        scene = maker(*this);
    }
    catch (const std::bad_alloc&)
    {
        ShowOutOfMemory();
    }
}

void SceneManager::Reset()
{
    for (int id = kSceneCount - 1; id >= 0; --id)
    {
        m_Scenes[static_cast<std::size_t>(id)].reset();
    }
    m_nCurrent = m_nNext = m_nPrevious = kSceneTitle;
    m_nKeep = 0;
    m_Input = InputState();
    MenuCursor.Reset();
}

Scene* SceneManager::SceneOf(int id) const
{
    return IsSceneId(id) ? m_Scenes[static_cast<std::size_t>(id)].get() : nullptr;
}
