#pragma once

// The base of the game's five scenes. A scene is a state machine run one
// frame at a time by the scene manager: state -1 means its resources are not
// loaded yet, state 0 fades the scene in, the scene's own states follow, and
// its last state fades it out. Every frame, Update gives the scene's input its
// key repeat and button latch, loads the resources on the first frame, then
// runs the handler of the state. A handler leaves the scene with Leave (next
// scene id); when the fade-out is done the scene manager's previous id becomes
// this scene's, its current id the next one, and the scene decides in OnLeft
// where it starts on its next entry. The next frame's ChangeScene then
// replaces it (or keeps it, while the keep flag is set).
//
// A scene that cannot go on (its resources will not load) throws
// SceneFailure; the message goes to the error log and the game closes.

#include <stdexcept>

class InputState;
class SceneManager;

enum SceneId : int
{
    kSceneTitle = 0,
    kSceneCamp = 1,
    kSceneWorldMap = 2,
    kSceneStage = 3,
    kSceneBattle = 4,
    // Scene ids are below this; switching to an id at or above it deletes every scene and updates none.
    kSceneCount = 5,
};

// The palette entries a scene fades (the twenty system colours stay).
constexpr int kFadeFirstEntry = 10;
constexpr int kFadeLastEntry = 245;

// The buttons a scene makes one-shot unless it asks for others: 1 and 2.
constexpr int kSceneButtonMask = 1 | 2;

class SceneFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Scene
{
public:
    // fadeOutState: the scene's last state; buttonMask: the buttons its input
    // makes one-shot (0: all four). Buttons 1 and 2 by default: the buttons
    // outside the mask act on every frame they are held.
    Scene(SceneManager& manager, int id, int fadeOutState, int buttonMask = kSceneButtonMask);
    virtual ~Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // One frame of the scene; the result of the state's handler.
    int Update();

    int Id() const { return m_nId; }
    int State() const { return m_nState; }
    int SubState() const { return m_nSubState; }
    int FadeOutState() const { return m_nFadeOutState; }
    void SetState(int state, int subState = 0);

    // The debug key that restores HP and SP during a battle: the battle's
    // first participant gets its HP and SP back. Only the battle scene has one.
    virtual void RestoreFirstParticipant() {}

protected:
    // Loads what the scene draws with; throws SceneFailure when it cannot.
    virtual void LoadResources() {}
    // State 0: draws the scene's picture and fades it in one step; state 1 once it is in.
    virtual int FadeIn();
    // The last state: fades out one step; once black the scene is left.
    virtual int FadeOut();
    // The scene's own states, 1 .. fadeOutState - 1.
    virtual int RunState(int state) = 0;
    // The scene's picture, drawn into the back buffer by the fade-in.
    virtual void Draw() {}
    // The fade-out is done and the manager's ids are set: where the scene
    // starts on its next entry. By default it loads its resources again (state -1).
    virtual void OnLeft(int nextScene);

    // Asks for the next scene and starts the fade-out.
    void Leave(int nextScene);

    SceneManager& Manager() const { return m_Manager; }
    InputState& Input() const;

    int m_nState = -1;
    int m_nSubState = 0;

private:
    SceneManager& m_Manager;
    int m_nId;
    int m_nFadeOutState;
    int m_nButtonMask;
};
