#include "game/engine/Scene.h"

#include "game/engine/ErrorLogAndClose.h"
#include "game/engine/GameWindow.h"
#include "game/engine/SceneManager.h"
#include "game/engine/ScreenEffects.h"
#include "game/engine/SystemIni.h"

Scene::Scene(SceneManager& manager, int id, int fadeOutState, int buttonMask)
    : m_Manager(manager), m_nId(id), m_nFadeOutState(fadeOutState), m_nButtonMask(buttonMask)
{
}

int Scene::Update()
{
    InputState& input = Input();
    input.ApplyKeyRepeat();
    input.LatchButtons(m_nButtonMask);
    if (m_nState < 0)
    {
        try
        {
            LoadResources();
        }
        catch (const SceneFailure& failure)
        {
            WriteErrorLogAndClose(MainWindowHandle(), "%s", failure.what());
        }
        m_nState = 0;
    }
    if (m_nState == 0)
    {
        return FadeIn();
    }
    if (m_nState >= m_nFadeOutState)
    {
        return FadeOut();
    }
    return RunState(m_nState);
}

void Scene::SetState(int state, int subState)
{
    m_nState = state;
    m_nSubState = subState;
}

int Scene::FadeIn()
{
    Draw();
    if (::FadeIn(Display.m_WorkingPalette, kFadeFirstEntry, kFadeLastEntry, 0, 0, 0, FrameRateValues.m_nFadeStep,
                 Display.m_SourcePalette, false))
    {
        SetState(1);
    }
    return 1;
}

int Scene::FadeOut()
{
    if (::FadeOut(Display.m_WorkingPalette, kFadeFirstEntry, kFadeLastEntry, 0, 0, 0, FrameRateValues.m_nFadeStep,
                  Display.m_SourcePalette, false))
    {
        const int next = m_Manager.NextScene();
        m_Manager.SetPreviousScene(m_nId);
        m_Manager.SetCurrentScene(next);
        OnLeft(next);
    }
    return 1;
}

void Scene::OnLeft(int)
{
    SetState(-1);
}

void Scene::Leave(int nextScene)
{
    m_Manager.SetNextScene(nextScene);
    SetState(m_nFadeOutState);
}

InputState& Scene::Input() const
{
    return m_Manager.Input();
}
