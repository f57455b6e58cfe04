#pragma once

// Fixture of whole battles: a friend and an enemy of class 1 (level limit 10,
// experience rate 100 %), both with speed 10, so that each gains 100 action
// value per step; the System's defaults otherwise (initial action values 500
// and 0, battle time 27). Skill 1 is a sure quick support skill on the user
// that raises its attack by 5; skill 2 a sure time skill.

#include "SceneRulesTest.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/BattleExchange.h"

#include <array>
#include <utility>

// Draws that make a percent roll succeed (for any rate of 1 or more).
constexpr int kSureRoll = 0;

constexpr int32_t kQuickSupport = 1;
constexpr int32_t kTimeSkill = 2;

class BattleTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        ClassTable.At(1).m_nMaxLevel = 10;
        ClassTable.At(1).m_nExpRate = 100;
        System.m_nExpBase = 10;
        System.m_dExpLevelDiff = 5.0;
        System.m_dExpFinish = 2.0;

        SkillRecord& support = SkillTable.At(kQuickSupport);
        support.m_nKind = 5;
        support.m_nTarget = kSkillTargetSelf;
        support.m_nHitRate = 100;
        support.m_bQuick = 1;
        support.m_nStatChange[kParamAttack] = 5;
        SkillRecord& time = SkillTable.At(kTimeSkill);
        time.m_nKind = 4;
        time.m_nTarget = kSkillTargetTime;
        time.m_nHitRate = 100;
        MakeUnits();
    }

    // The friend (level 3) and the enemy (level 5) afresh.
    void MakeUnits()
    {
        m_Friend = UnitRecord();
        m_Friend.m_strName = "friend";
        m_Friend.m_nLevel = 3;
        SetParams(m_Friend, {100, 20, 30, 10, 10, 10, 10, 10, 10});
        m_Enemy = EnemyUnitRecord();
        m_Enemy.m_strName = "enemy";
        m_Enemy.m_nLevel = 5;
        SetParams(m_Enemy, {100, 20, 30, 10, 10, 10, 10, 10, 10});
    }

    // Base and current value of the nine parameters.
    static void SetParams(CharacterRecord& unit, const std::array<int32_t, kParameterCount>& values)
    {
        for (int k = 0; k < kParameterCount; ++k)
        {
            unit.m_Param[k].m_nBase = values[static_cast<std::size_t>(k)];
            unit.m_Param[k].m_nValue = values[static_cast<std::size_t>(k)];
        }
    }

    void Begin(bool friendAttacks = true, int32_t land = kLandPlain, int32_t experiencePercent = 100)
    {
        m_Exchange.Begin(m_Friend, m_Enemy, land, friendAttacks, experiencePercent);
    }

    // The steps at which a participant's timeline has entries.
    static std::vector<int32_t> Steps(const BattleParticipant& participant)
    {
        std::vector<int32_t> steps;
        for (const PlannedAction& planned : participant.m_Timeline)
        {
            steps.push_back(planned.m_nStep);
        }
        return steps;
    }

    // Runs the exchange until the time is over without any action being
    // carried out; the steps at which the friend and the enemy acted.
    std::pair<std::vector<int32_t>, std::vector<int32_t>> RunToTheEnd()
    {
        std::pair<std::vector<int32_t>, std::vector<int32_t>> acted;
        for (int guard = 0; guard < 1000; ++guard)
        {
            const int next = m_Exchange.NextActor();
            if (next == kBattleOver)
            {
                break;
            }
            if (next == kFriendActs)
            {
                acted.first.push_back(m_Exchange.State().m_nElapsed);
            }
            else if (next == kEnemyActs)
            {
                acted.second.push_back(m_Exchange.State().m_nElapsed);
            }
        }
        return acted;
    }

    // Plays the battle begun to its end: the friend makes weapon attacks,
    // after a quick use of quickSkill in each turn when that is not 0; the
    // enemy acts by its rules. Every draw is what the test's generator gives.
    void PlayBattle(int32_t quickSkill = 0)
    {
        for (int guard = 0; guard < 1000 && !m_Exchange.IsOver(); ++guard)
        {
            const int next = m_Exchange.NextTurn();
            if (next == kFriendActs || next == kEnemyActs)
            {
                PlayTurn(quickSkill);
            }
        }
    }

    void PlayTurn(int32_t quickSkill)
    {
        for (int guard = 0; guard < 100; ++guard)
        {
            if (!m_Exchange.IsFriendTurn())
            {
                m_Exchange.ChooseEnemyAction();
            }
            else if (quickSkill != 0 && m_Exchange.CanUseQuick())
            {
                m_Exchange.ChooseAction({kActionQuickSkill, quickSkill, 0});
            }
            else
            {
                m_Exchange.ChooseAction({kActionWeapon, 0, 0});
            }
            m_Exchange.Execute();
            m_Exchange.StartPopups();
            m_Exchange.MarkDefeats();
            const AfterActionStep step = m_Exchange.AfterAction();
            if (step != AfterActionStep::FriendAgain && step != AfterActionStep::EnemyAgain)
            {
                return;
            }
        }
    }

    UnitRecord m_Friend;
    EnemyUnitRecord m_Enemy;
    BattleExchange m_Exchange;
};
