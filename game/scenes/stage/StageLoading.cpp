// The stage's resources and its start: the music, the sheets and fonts, the
// menus of the System, the grids of the map, the party and the enemies at
// their start, the deployment area with the cursor on its anchor.

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/engine/Display.h"
#include "game/engine/GameMusic.h"
#include "game/engine/SceneManager.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/stage/StageMenus.h"
#include "game/scenes/stage/StageScene.h"

#include <iterator>

void StageScene::LoadResources()
{
    StartMusic();
    BuildMenus();
    SizeGrids();
    ResetParty();
    PlaceEnemies();
    SetDeploymentArea();
    m_bClearedBefore = Progress.GetClearedFlag(Progress.m_nCurrentStage) != 0;

    m_bLoaded = true;
    if (!DDLoadSurfaces(Surfaces, kStageSurfaces, static_cast<int>(std::size(kStageSurfaces))) ||
        !CreateFonts(TextFonts, kStageFonts, static_cast<int>(std::size(kStageFonts)), FontDefs))
    {
        throw SceneFailure("StageScene::LoadResources 失敗");
    }
}

void StageScene::StartMusic() const
{
    // A stage with a tune of its own makes it the play-through's stage tune.
    std::string name = System.m_strBgm[0];
    if (!Stage.m_strBgm.empty())
    {
        Progress.SetMusicName(0, Stage.m_strBgm);
        name = Stage.m_strBgm;
    }
    MusicRequest music =
        MusicRequestForScene(kSceneStage, false, Manager().PreviousScene(), kStageMusicChannel, kMusicStage);
    music.m_bSetFile = !name.empty();
    music.m_strFile = name;
    PostMusicRequest(music);
}

void StageScene::BuildMenus()
{
    m_PrepMenu = EnabledEntries(System.m_PlacementMenu);
    m_UnitMenu = EnabledEntries(System.m_MapCharaMenu);
    m_MapMenu = EnabledEntries(System.m_MapMenu);
}

void StageScene::SizeGrids()
{
    m_pField = std::make_unique<StageField>(Stage, LandTable);
    const int32_t width = m_pField->Width();
    const int32_t height = m_pField->Height();
    m_Movement.m_Points.Reset(width, height, 0);
    m_Movement.m_Order.clear();
    m_AttackRange.Reset(width, height, 0);
    m_AiGrids.m_Movement.m_Points.Reset(width, height, 0);
    m_AiGrids.m_Threat.Reset(width, height, 0);
    m_AiGrids.m_Reach.Reset(width, height, 0);
    m_AiGrids.m_PathCosts.Reset(width, height, 0);
    m_AiGrids.m_PathMap.Reset(width, height, 0);
}

void StageScene::ResetParty()
{
    m_pLeader = nullptr;
    m_Players.clear();
    for (UnitRecord& unit : PartyUnits)
    {
        if (!unit.IsPartyMember())
        {
            continue;
        }
        unit.ResetForStage();
        if (unit.m_nPlayA && !m_pLeader)
        {
            m_pLeader = &unit;
        }
    }
}

void StageScene::PlaceEnemies()
{
    if (!BuildStageEnemies(m_EnemyUnits, m_Enemies, Stage.m_Enemy))
    {
        m_EnemyUnits.clear();
        m_Enemies.clear();
    }
    for (EnemyUnitRecord* enemy : m_Enemies)
    {
        enemy->ResetForStage();
        if (m_pField->Contains(enemy->m_nPlayE, enemy->m_nPlayF) && m_pField->IsGroupShown(enemy->m_nPlayG))
        {
            enemy->m_nPlayB = 1;
            m_pField->PlaceUnit(*enemy, enemy->m_nPlayE, enemy->m_nPlayF);
        }
    }
}

void StageScene::SetDeploymentArea()
{
    m_DeploymentArea.clear();
    if (Stage.m_GroupPos.empty())
    {
        return;
    }
    const PositionGroup& start = Stage.m_GroupPos.At(Stage.m_nStartGroup);
    for (const MapPoint& point : start.m_Point)
    {
        if (m_pField->Contains(point.m_nX, point.m_nY))
        {
            m_DeploymentArea.push_back(point);
        }
    }
    MoveCursorTo(start.m_nCenterX, start.m_nCenterY);
}
