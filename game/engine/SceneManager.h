#pragma once

// The scene manager: the live scene objects by id, the current, next and
// previous scene ids, the keep flag, and the frame that runs them. One frame:
// lost surfaces restored, the input polled, the scene of the current id made
// live (ChangeScene), its Update, the frame counter, the present. The game
// thread paces the frames and holds the game-data lock around each.
//
// A scene object lives from the frame its id becomes current until a later
// ChangeScene for another id finds the keep flag clear; while the flag is set
// (the stage map during a battle) no scene is deleted. Which class is made
// for an id is registered with SetSceneMaker; an id without a maker has no
// scene, so its frames draw nothing new but still present.

#include "game/engine/InputState.h"
#include "game/engine/KeyConfig.h"
#include "game/engine/Scene.h"

#include <array>
#include <functional>
#include <memory>

namespace platform
{
class JoystickSource;
class KeySource;
} // namespace platform

class SceneManager
{
public:
    using SceneMaker = std::function<std::unique_ptr<Scene>(SceneManager&)>;

    SceneManager();
    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    // What ChangeScene makes for the id (an id outside 0 .. kSceneCount - 1 is ignored).
    void SetSceneMaker(int id, SceneMaker maker);
    // Where the frame reads its keys and joysticks (null: none held, none there).
    void SetInputDevices(const platform::KeySource* keys, platform::JoystickSource* joysticks);
    // The present step of each frame flips pages (1) or copies (0).
    void SetPageFlip(int pageFlip) { m_nPageFlip = pageFlip; }

    // One frame. 0 when the game cannot go on (lost surfaces that cannot be restored), else 1.
    int Frame();
    // Unless the keep flag is set, deletes every scene but the id's; then
    // makes the id's scene when it has none. A scene that cannot be made for
    // want of memory shows the memory message and is tried again next frame.
    void ChangeScene(int id);
    // Every scene deleted, the ids back to the title, the keep flag clear, the input at rest.
    void Reset();

    Scene* SceneOf(int id) const;
    int CurrentScene() const { return m_nCurrent; }
    int NextScene() const { return m_nNext; }
    int PreviousScene() const { return m_nPrevious; }
    int KeepFlag() const { return m_nKeep; }
    void SetCurrentScene(int id) { m_nCurrent = id; }
    void SetNextScene(int id) { m_nNext = id; }
    void SetPreviousScene(int id) { m_nPrevious = id; }
    void SetKeepFlag(int keep) { m_nKeep = keep; }

    InputState& Input() { return m_Input; }
    // Polls the keys and joysticks into the input: what each frame does
    // first, and each frame that the event thread runs.
    InputState& PollInput();
    int PageFlip() const { return m_nPageFlip; }
    KeyConfig& Keys() { return m_KeyConfig; }

private:
    std::array<std::unique_ptr<Scene>, kSceneCount> m_Scenes;
    std::array<SceneMaker, kSceneCount> m_Makers;
    int m_nCurrent = kSceneTitle;
    int m_nNext = kSceneTitle;
    int m_nPrevious = kSceneTitle;
    int m_nKeep = 0;
    int m_nPageFlip = 0;
    InputState m_Input;
    KeyConfig m_KeyConfig;
    const platform::KeySource* m_pKeys = nullptr;
    platform::JoystickSource* m_pJoysticks = nullptr;
};

// The game's scene manager. The game thread runs its frames; the main thread
// reads it only for a debug key, under the game-data lock. The program's end
// resets it before the display goes.
extern SceneManager GameScenes;
