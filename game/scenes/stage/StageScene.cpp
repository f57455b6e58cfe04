#include "game/scenes/stage/StageScene.h"

#include "game/data/GameData.h"
#include "game/engine/Display.h"
#include "game/engine/GameMusic.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/ScreenEffects.h"
#include "game/engine/SystemIni.h"
#include "game/engine/TextOutput.h"
#include "game/scenes/BattleResults.h"

#include <iterator>

StageScene::StageScene(SceneManager& manager, DrawTarget* target)
    : Scene(manager, kSceneStage, kStageFadeOut, kInputButton1 | kInputButton2 | kInputButton4),
      m_Target(target ? *target : m_ScreenTarget)
{
}

StageScene::~StageScene()
{
    if (m_bLoaded)
    {
        DDReleaseSurfaces(Surfaces, kStageSurfaces, static_cast<int>(std::size(kStageSurfaces)));
        DeleteFonts(TextFonts, kStageFonts, static_cast<int>(std::size(kStageFonts)));
    }
}

CharacterRecord* StageScene::ActingUnit() const
{
    return m_bPlayerPhase ? static_cast<CharacterRecord*>(m_pSelected) : m_pActingEnemy;
}

void StageScene::MoveCursorTo(int32_t x, int32_t y)
{
    if (!m_pField || m_pField->Width() <= 0 || m_pField->Height() <= 0)
    {
        return;
    }
    m_nCursorX = std::clamp(x, 0, m_pField->Width() - 1);
    m_nCursorY = std::clamp(y, 0, m_pField->Height() - 1);
}

bool StageScene::CanAct(const CharacterRecord& unit) const
{
    return m_pField && m_pField->IsActive(unit) && !unit.m_nPlayC && (unit.m_bEnemy != 0) == !m_bPlayerPhase;
}

// ---- states ----

int StageScene::FadeIn()
{
    ++m_nFrame;
    Draw();
    if (::FadeIn(Display.m_WorkingPalette, kFadeFirstEntry, kFadeLastEntry, 0, 0, 0, FrameRateValues.m_nFadeStep,
                 Display.m_SourcePalette, false))
    {
        OnFadedIn();
    }
    return 1;
}

void StageScene::OnFadedIn()
{
    if (Manager().PreviousScene() == kSceneBattle)
    {
        ReturnFromBattle();
        return;
    }
    SetState(kStagePreparation);
    RunTriggers({kTriggerStageStart}, nullptr);
}

int StageScene::RunState(int state)
{
    ++m_nFrame;
    int result = 1;
    if (!m_pInfoUnit || !UnitInfoStep())
    {
        switch (state)
        {
        case kStagePreparation:
            result = Preparation();
            break;
        case kStageDeploy:
            result = Deploy();
            break;
        case kStageSwap:
            result = Swap();
            break;
        case kStageUndeploy:
            result = Undeploy();
            break;
        case kStageLookAtMap:
            result = LookAtMap();
            break;
        case kStageConditions:
        case kStageMapConditions:
            result = Conditions();
            break;
        case kStageBegin:
            result = Begin();
            break;
        case kStagePlayerMap:
            result = PlayerMap();
            break;
        case kStageMove:
            result = Move();
            break;
        case kStageSpecialCommand:
            result = SpecialCommand();
            break;
        case kStageFight:
            result = Fight();
            break;
        case kStageEndAction:
            result = EndSelectedAction();
            break;
        case kStageSkill:
            result = Skill();
            break;
        case kStageItem:
            result = Item();
            break;
        case kStageMapMenu:
            result = MapMenuState();
            break;
        case kStageSearch:
            result = Search();
            break;
        case kStageInventory:
            result = Inventory();
            break;
        case kStageTurnEnd:
            result = TurnEnd();
            break;
        case kStageBattleStart:
            result = StartBattle();
            break;
        case kStageEnemyPhase:
            result = EnemyPhase();
            break;
        case kStageEnemyAction:
            result = EnemyAction();
            break;
        case kStageVictory:
            result = Victory();
            break;
        case kStageGameOver:
            result = GameOver();
            break;
        default:
            break;
        }
    }
    if (m_nState != kStageFadeOut)
    {
        DrawScene();
    }
    return result;
}

void StageScene::Draw()
{
    DrawScene();
}

void StageScene::OnLeft(int nextScene)
{
    if (nextScene == kSceneWorldMap)
    {
        MenuCursor.Collapse();
        SetState(-1);
        return;
    }
    // The battle: the stage stays as it is and comes back at its fade-in.
    Manager().SetKeepFlag(1);
    SetState(kStageFadeIn);
}

// ---- trigger points and turns ----

int StageScene::RunTriggerPoint(int32_t trigger, CharacterRecord* unit)
{
    return m_Events.RunTrigger(unit, trigger);
}

int StageScene::RunTriggers(std::initializer_list<int32_t> triggers, CharacterRecord* unit)
{
    for (int32_t trigger : triggers)
    {
        const int result = RunTriggerPoint(trigger, unit);
        if (result == kEventResultStageClear)
        {
            SetState(kStageVictory);
            return result;
        }
        if (result == kEventResultGameOver)
        {
            SetState(kStageGameOver);
            return result;
        }
    }
    return kEventResultNone;
}

int StageScene::StartPlayerTurn()
{
    return RunTriggers({kTriggerPlayerTurnStart, kTriggerTurnStart}, nullptr);
}

int StageScene::EndPlayerTurn()
{
    for (UnitRecord& unit : PartyUnits)
    {
        unit.m_nPlayC = 0;
    }
    m_bPlayerPhase = false;
    return RunTriggers({kTriggerPlayerTurnEnd, kTriggerTurnEnd}, nullptr);
}

int StageScene::StartEnemyTurn()
{
    return RunTriggers({kTriggerEnemyTurnStart, kTriggerTurnStart}, nullptr);
}

int StageScene::EndEnemyTurn()
{
    for (EnemyUnitRecord* enemy : m_Enemies)
    {
        enemy->m_nPlayC = 0;
    }
    m_bPlayerPhase = true;
    const int result = RunTriggers({kTriggerEnemyTurnEnd, kTriggerTurnEnd}, nullptr);
    ++m_nTurn;
    return result;
}

int StageScene::EndAction(CharacterRecord& unit)
{
    // The slot of a friend that has left the party stays empty.
    if (unit.m_bEnemy || static_cast<UnitRecord&>(unit).IsPartyMember())
    {
        unit.m_nPlayC = 1;
    }
    return RunTriggers(
        {unit.m_bEnemy ? kTriggerEnemyActionEnd : kTriggerPlayerActionEnd, kTriggerActionEnd, kTriggerHolderActionEnd},
        &unit);
}

// ---- the battle ----

int StageScene::StartBattle()
{
    if (RunTriggers({kTriggerBattleStart, kTriggerHolderBattleStart}, ActingUnit()) != kEventResultNone)
    {
        return 1;
    }
    // An event may have taken a fighter away (out of the party or off the
    // map): the battle is not fought, and the action ends as after one.
    if (!m_Battle.m_pPlayer || !m_Battle.m_pEnemy || !m_pField->IsActive(*m_Battle.m_pPlayer) ||
        !m_pField->IsActive(*m_Battle.m_pEnemy))
    {
        if (m_bPlayerPhase)
        {
            SetState(kStageEndAction);
        }
        else
        {
            EndEnemyAction();
        }
        return 1;
    }
    Leave(kSceneBattle);
    return 1;
}

void StageScene::ReturnFromBattle()
{
    PostMusicRequest(MusicRequestForScene(kSceneStage, false, kSceneBattle, kStageMusicChannel, kMusicStage));
    // Where the action of the fight's acting unit ends, unless an event ends the stage on the way.
    SetState(m_bPlayerPhase ? kStageEndAction : kStageEnemyPhase);
    CharacterRecord* acting = ActingUnit();
    const bool goesOn = RunBattleEndTriggers(acting);
    // Only now do the fallen leave the map, and a fallen friend the party:
    // the events above still read its leader flag and the event it holds.
    // (A friend that an event took out of the party is gone already.)
    if (m_Battle.m_pEnemy)
    {
        SettleFallenUnits(m_Battle.m_pPlayer, *m_Battle.m_pEnemy, *m_pField);
    }
    if (!goesOn)
    {
        return;
    }
    if (m_bPlayerPhase)
    {
        if (m_Battle.m_pPlayer && m_pField->IsActive(*m_Battle.m_pPlayer))
        {
            MoveCursorTo(m_Battle.m_pPlayer->m_nPlayE, m_Battle.m_pPlayer->m_nPlayF);
        }
    }
    else if (m_pActingEnemy)
    {
        EndAction(*m_pActingEnemy);
    }
}

bool StageScene::RunBattleEndTriggers(CharacterRecord* acting)
{
    if (RunTriggers({kTriggerBattleEnd, kTriggerHolderBattleEnd}, acting) != kEventResultNone)
    {
        return false;
    }
    if (m_Battle.m_pEnemy && m_Battle.m_pEnemy->m_nPlayD)
    {
        return RunTriggers({kTriggerBattleWon, kTriggerHolderBattleWon}, acting) == kEventResultNone;
    }
    if (m_Battle.m_pPlayer && m_Battle.m_pPlayer->m_nPlayD)
    {
        if (m_Battle.m_pPlayer == m_pLeader && RunTriggers({kTriggerLeaderDefeated}, acting) != kEventResultNone)
        {
            return false;
        }
        return RunTriggers({kTriggerBattleLost, kTriggerHolderBattleLost}, acting) == kEventResultNone;
    }
    return true;
}

// ---- the enemy phase ----

int StageScene::EnemyPhase()
{
    for (EnemyUnitRecord* enemy : m_Enemies)
    {
        if (CanAct(*enemy))
        {
            m_pActingEnemy = enemy;
            MoveCursorTo(enemy->m_nPlayE, enemy->m_nPlayF);
            SetState(kStageEnemyAction);
            return 1;
        }
    }
    m_pActingEnemy = nullptr;
    SetState(kStagePlayerMap);
    if (EndEnemyTurn() != kEventResultNone)
    {
        return 1;
    }
    if (m_pLeader && m_pField->IsActive(*m_pLeader))
    {
        MoveCursorTo(m_pLeader->m_nPlayE, m_pLeader->m_nPlayF);
    }
    StartPlayerTurn();
    return 1;
}
