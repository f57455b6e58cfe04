#include "game/program/SceneRegistry.h"

#include "game/engine/SceneManager.h"
#include "game/scenes/TitleScene.h"

void RegisterScenes(SceneManager& manager)
{
    manager.SetSceneMaker(kSceneTitle, [](SceneManager& owner) { return std::make_unique<TitleScene>(owner); });
}
