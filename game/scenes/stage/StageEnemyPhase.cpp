// The acting enemy of the enemy phase: what it may reach, what it decides,
// its move, its target and its deed, each step shown for a while.

#include "common/data/ProjectData.h"
#include "game/data/GameData.h"
#include "game/data/MapCells.h"
#include "game/data/SoundRequests.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/MapSkillRules.h"
#include "game/scenes/stage/StageScene.h"

namespace
{

// The frames each step is shown, at 60 frames per second.
constexpr int kEnemyStepFrames = 12;

// The steps of the action (sub-states).
enum EnemyStep : int
{
    kStepStart = 0,
    kStepRange = 1,  // its movement range shown
    kStepMoved = 2,  // it has decided and moved
    kStepTarget = 3, // its target marked
    kStepWait = 4,
};

} // namespace

bool StageScene::StepShown()
{
    ++m_nStepFrames;
    if (m_nStepFrames < ScaledFrames(kEnemyStepFrames))
    {
        return false;
    }
    m_nStepFrames = 0;
    return true;
}

int StageScene::EnemyAction()
{
    EnemyUnitRecord* enemy = m_pActingEnemy;
    if (!enemy || !m_pField->IsActive(*enemy))
    {
        // Gone meanwhile (an event took it off the map): the next one.
        SetState(kStageEnemyPhase);
        return 1;
    }
    switch (m_nSubState)
    {
    case kStepStart:
        FillMovementRange(*m_pField, MoverOf(*enemy), m_Movement);
        m_nStepFrames = 0;
        m_nSubState = kStepRange;
        break;
    case kStepRange:
        if (StepShown())
        {
            m_Decision = DecideEnemyAction(*m_pField, *enemy, m_Players,
                                           std::span<EnemyUnitRecord* const>(m_Enemies.data(), m_Enemies.size()),
                                           m_AiGrids);
            if (m_Decision.m_nDestX != enemy->m_nPlayE || m_Decision.m_nDestY != enemy->m_nPlayF)
            {
                PlaceOnMap(*enemy, m_Decision.m_nDestX, m_Decision.m_nDestY);
            }
            MoveCursorTo(enemy->m_nPlayE, enemy->m_nPlayF);
            m_nSubState = kStepMoved;
        }
        break;
    case kStepMoved:
        if (StepShown())
        {
            if (CharacterRecord* target = m_Decision.m_pTarget)
            {
                MoveCursorTo(target->m_nPlayE, target->m_nPlayF);
                FillAttackRange(*m_pField, target->m_nPlayE, target->m_nPlayF,
                                m_Decision.m_nAction != kMoveAiModeSkill, m_AttackRange);
                m_nSubState = kStepTarget;
            }
            else
            {
                m_nSubState = kStepWait;
            }
        }
        break;
    case kStepTarget:
        if (StepShown())
        {
            m_nSubState = kStepWait;
        }
        break;
    default:
        if (!StepShown())
        {
            break;
        }
        CharacterRecord* target = m_Decision.m_pTarget;
        if (m_Decision.m_nAction == kMoveAiModeAttack && target && !target->m_bEnemy)
        {
            m_Battle.m_pPlayer = static_cast<UnitRecord*>(target);
            m_Battle.m_pEnemy = enemy;
            m_Battle.m_nLand = GetMapChip(target->m_nPlayE, target->m_nPlayF);
            SetState(kStageBattleStart);
            break;
        }
        if (m_Decision.m_nAction == kMoveAiModeSkill && target)
        {
            RequestSound(kSeHeal);
            UseSkillOnMap(*enemy, SkillTable.At(m_Decision.m_nSkill), *target, WeaponHitRateOf(*enemy));
        }
        EndEnemyAction();
        break;
    }
    return 1;
}

void StageScene::EndEnemyAction()
{
    SetState(kStageEnemyPhase);
    if (m_pActingEnemy)
    {
        EndAction(*m_pActingEnemy);
    }
}
