#include "game/program/SceneRegistry.h"

#include "game/engine/SceneManager.h"
#include "game/scenes/TitleScene.h"
#include "game/scenes/battle/BattleScene.h"
#include "game/scenes/camp/CampScene.h"
#include "game/scenes/stage/StageScene.h"
#include "game/scenes/worldmap/WorldMapScene.h"

void RegisterScenes(SceneManager& manager)
{
    manager.SetSceneMaker(kSceneTitle, [](SceneManager& owner) { return std::make_unique<TitleScene>(owner); });
    manager.SetSceneMaker(kSceneCamp, [](SceneManager& owner) { return std::make_unique<CampScene>(owner); });
    manager.SetSceneMaker(kSceneWorldMap, [](SceneManager& owner) { return std::make_unique<WorldMapScene>(owner); });
    manager.SetSceneMaker(kSceneStage, [](SceneManager& owner) { return std::make_unique<StageScene>(owner); });
    manager.SetSceneMaker(kSceneBattle, [](SceneManager& owner) { return std::make_unique<BattleScene>(owner); });
}
