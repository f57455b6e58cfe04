#include "BattleExchange.h"

#include "common/data/FormatString.h"
#include "common/data/ProjectData.h"
#include "common/services/Arithmetic.h"
#include "common/services/MessageBoxes.h"
#include "game/scenes/BattleAi.h"
#include "game/scenes/BattleFormulas.h"
#include "game/scenes/BattleResults.h"

#include <algorithm>
#include <cstdint>

namespace
{

// The land of the battle; none outside the land table.
const LandRecord* LandOf(int32_t land)
{
    return IsTableIndex(land, LandTable.Count()) ? &LandTable.At(land) : nullptr;
}

// Appends one planned entry at step for every full 1000 of value, which keeps
// the rest.
void PlanFullThousands(int64_t& value, int32_t step, std::vector<PlannedAction>& timeline)
{
    for (; value >= kActionThreshold; value -= kActionThreshold)
    {
        timeline.push_back({step, 0});
    }
}

} // namespace

std::vector<int32_t> BuildBattleCommands()
{
    std::vector<int32_t> commands;
    for (int i = 0; i < System.m_BattleCharaMenu.Count(); ++i)
    {
        if (System.m_BattleCharaMenu.At(i).m_bEnabled)
        {
            commands.push_back(i);
        }
    }
    if (commands.empty())
    {
        commands.push_back(0);
    }
    return commands;
}

std::vector<std::string> ForecastLines(const ActionForecast& forecast, const std::string& commandName)
{
    std::vector<std::string> lines{commandName};
    std::string line;
    FormatString(line, "HIT %d%%", forecast.m_nHitRate);
    lines.push_back(line);
    if (const BattleParticipant* target = forecast.m_pTarget)
    {
        const int32_t hp = target->Value(kParamHp);
        const int32_t value = forecast.m_nValue;
        if (value < 0)
        {
            FormatString(line, "HP +%d (%d+%d)", -value, hp, -value);
        }
        else
        {
            FormatString(line, "HP -%d (%d-%d)", value, hp, value);
        }
        lines.push_back(line);
    }
    return lines;
}

void BattleExchange::Begin(UnitRecord& friendUnit, EnemyRecord& enemyUnit, int32_t land, bool friendAttacks,
                           int32_t experiencePercent)
{
    m_Battle = BattleState();
    m_Battle.m_Friend.TakeUnit(friendUnit, kSideFriend);
    m_Battle.m_Enemy.TakeUnit(enemyUnit);
    m_pFriendUnit = &friendUnit;
    m_pAttacker = friendAttacks ? &m_Battle.m_Friend : &m_Battle.m_Enemy;
    m_pDefender = friendAttacks ? &m_Battle.m_Enemy : &m_Battle.m_Friend;
    m_pActor = m_pAttacker;
    m_pAttacker->m_bAttacker = 1;
    m_pAttacker->m_nActionValue = System.m_nInitialAction[0];
    m_pDefender->m_nActionValue = System.m_nInitialAction[1];
    m_bAlternate = 0;
    m_bActedOnce[0] = m_bActedOnce[1] = 0;
    m_nExperiencePercent = experiencePercent;
    m_bOver = false;
    m_ResultMessages.clear();
    m_Popup[0] = m_Popup[1] = DamagePopup();

    m_Battle.m_nLand = land;
    m_Battle.m_nBattleTime = System.m_nBattleTime;
    const LandRecord* landRecord = LandOf(land);
    ApplyLandModifiers(m_Battle.m_Friend, landRecord, nullptr);
    ApplyLandModifiers(m_Battle.m_Enemy, landRecord, nullptr);
    if (landRecord && landRecord->m_nSpecial == kLandEffectBattleTime)
    {
        m_Battle.m_nBattleTime = PercentOf(m_Battle.m_nBattleTime, landRecord->m_nSpecialValue);
    }
    m_Battle.m_nElapsed = 0;
    PlanExchange(0);
}

bool BattleExchange::HasActed(const BattleParticipant& participant) const
{
    return m_bActedOnce[&participant == &m_Battle.m_Friend ? 0 : 1] != 0;
}

int BattleExchange::NextActor()
{
    if (m_Battle.m_nElapsed >= m_Battle.m_nBattleTime)
    {
        return kBattleOver;
    }
    if (const int actor = TakeTurn())
    {
        return actor;
    }
    BattleParticipant& attacker = *m_pAttacker;
    BattleParticipant& defender = *m_pDefender;
    const int32_t attackerAdd = CalcActionAddValue(attacker, defender.Value(kParamSpeed));
    const int32_t defenderAdd = CalcActionAddValue(defender, attacker.Value(kParamSpeed));
    ++m_Battle.m_nElapsed;
    if (m_Battle.m_nElapsed >= m_Battle.m_nBattleTime)
    {
        return kBattleOver;
    }
    attacker.m_nActionValue += attackerAdd;
    if (!System.m_bDefenderWaits || HasActed(attacker))
    {
        defender.m_nActionValue += defenderAdd;
    }
    return TakeTurn();
}

int BattleExchange::TakeTurn()
{
    BattleParticipant* actor = nullptr;
    if (m_pAttacker->m_nActionValue >= kActionThreshold)
    {
        actor = m_pAttacker;
        m_bAlternate = 1;
    }
    else if (m_pDefender->m_nActionValue >= kActionThreshold && !m_bAlternate)
    {
        actor = m_pDefender;
    }
    else
    {
        m_bAlternate = 0;
        return kNobody;
    }
    actor->m_nActionValue -= kActionThreshold;
    for (PlannedAction& planned : actor->m_Timeline)
    {
        if (!planned.m_bDone && planned.m_nStep == m_Battle.m_nElapsed)
        {
            planned.m_bDone = 1;
            break;
        }
    }
    m_bActedOnce[actor == &m_Battle.m_Friend ? 0 : 1] = 1;
    m_pActor = actor;
    return actor->m_nSide == kSideEnemy ? kEnemyActs : kFriendActs;
}

void BattleExchange::StartTurn(BattleParticipant& actor)
{
    actor.m_bQuickUsed = 0;
    actor.m_nDamageReduction = 0;
    ++actor.m_nTurnCount;
    m_Battle.m_ActionMessages.clear();
}

int BattleExchange::NextTurn()
{
    const int next = NextActor();
    if (next == kNobody)
    {
        PlanExchange(0);
    }
    else if (next == kBattleOver)
    {
        BuildResults();
    }
    else
    {
        StartTurn(*m_pActor);
    }
    return next;
}

const ActionForecast& BattleExchange::ChooseAction(const BattleAction& action)
{
    m_Battle.m_Action = action;
    return ForecastAction(m_Battle, *m_pActor);
}

const ActionForecast& BattleExchange::ChooseEnemyAction()
{
    ChooseBattleAction(m_Battle, *m_pActor);
    return ForecastAction(m_Battle, *m_pActor);
}

int BattleExchange::Execute()
{
    // The enemy's quick rule marks its turn when it is drawn; the friend's
    // quick command is used up here, before a time skill may free it again.
    if (m_Battle.m_Action.m_nKind == kActionQuickSkill)
    {
        m_pActor->m_bQuickUsed = 1;
    }
    return ExecuteAction(m_Battle, *m_pActor, *this);
}

void BattleExchange::StartPopups()
{
    for (BattleParticipant* participant : {&m_Battle.m_Friend, &m_Battle.m_Enemy})
    {
        if (participant->m_bShowPopup)
        {
            participant->m_bShowPopup = 0;
            PopupOf(*participant).Start(participant->m_nPopupValue, participant->m_nResultKind);
        }
    }
}

void BattleExchange::MarkDefeats()
{
    for (BattleParticipant* participant : {&m_Battle.m_Friend, &m_Battle.m_Enemy})
    {
        if (participant->m_bDead == 1)
        {
            participant->m_bDead = 2;
        }
    }
}

AfterActionStep BattleExchange::AfterAction()
{
    if (m_Battle.m_Friend.m_bDead || m_Battle.m_Enemy.m_bDead)
    {
        BuildResults();
        return AfterActionStep::Results;
    }
    m_Battle.m_ActionMessages.clear();
    if (m_Battle.m_Action.m_nKind != kActionQuickSkill)
    {
        return AfterActionStep::NextStep;
    }
    PlanExchange(0);
    if (m_Battle.m_nElapsed >= m_Battle.m_nBattleTime)
    {
        BuildResults();
        return AfterActionStep::Results;
    }
    return IsFriendTurn() ? AfterActionStep::FriendAgain : AfterActionStep::EnemyAgain;
}

void BattleExchange::PlanExchange(int extraForActor)
{
    const int32_t now = m_Battle.m_nElapsed;
    const int32_t end = m_Battle.m_nBattleTime;
    for (BattleParticipant* participant : {m_pAttacker, m_pDefender})
    {
        std::erase_if(participant->m_Timeline, [&](const PlannedAction& planned)
                      { return !planned.m_bDone || (extraForActor == 1 && planned.m_nStep == now); });
    }
    BattleParticipant& attacker = *m_pAttacker;
    BattleParticipant& defender = *m_pDefender;

    // The attacker from its value now: no gain in the current step, its add
    // value in each later one.
    const int32_t attackerAdd = CalcActionAddValue(attacker, defender.Value(kParamSpeed));
    const std::size_t firstPlanned = attacker.m_Timeline.size();
    int64_t value = std::max(attacker.m_nActionValue, 0);
    for (int32_t step = now; step < end; ++step)
    {
        if (step > now)
        {
            value = std::max<int64_t>(value + attackerAdd, 0);
        }
        PlanFullThousands(value, step, attacker.m_Timeline);
    }
    const int32_t attackerFirst =
        firstPlanned < attacker.m_Timeline.size() ? attacker.m_Timeline[firstPlanned].m_nStep : INT32_MAX;

    // The defender the same way; a defender that waits gains nothing before
    // the attacker's first action.
    const int32_t defenderAdd = CalcActionAddValue(defender, attacker.Value(kParamSpeed));
    const bool attackerActed = HasActed(attacker);
    std::vector<PlannedAction> defenderPlan;
    value = std::max(defender.m_nActionValue, 0);
    for (int32_t step = now; step < end; ++step)
    {
        const bool gains = !System.m_bDefenderWaits || attackerActed || attackerFirst < step;
        if (step > now && gains)
        {
            value = std::max<int64_t>(value + defenderAdd, 0);
        }
        PlanFullThousands(value, step, defenderPlan);
    }
    // The attacker goes first in a step where both act: the defender follows
    // one step later for each action of the attacker in its step. The
    // attacker's steps are counted in one walk beside the defender's plan,
    // which runs in step order, so that a long battle time costs no more than
    // its length.
    std::vector<int32_t> attackerSteps;
    attackerSteps.reserve(attacker.m_Timeline.size());
    for (const PlannedAction& a : attacker.m_Timeline)
    {
        attackerSteps.push_back(a.m_nStep);
    }
    if (!std::is_sorted(attackerSteps.begin(), attackerSteps.end()))
    {
        std::sort(attackerSteps.begin(), attackerSteps.end());
    }
    std::size_t attackerAt = 0; // the first attacker step not before the defender's entry
    std::size_t sameEnd = 0;    // past the last attacker step equal to it
    for (const PlannedAction& planned : defenderPlan)
    {
        while (attackerAt < attackerSteps.size() && attackerSteps[attackerAt] < planned.m_nStep)
        {
            ++attackerAt;
        }
        sameEnd = std::max(sameEnd, attackerAt);
        while (sameEnd < attackerSteps.size() && attackerSteps[sameEnd] == planned.m_nStep)
        {
            ++sameEnd;
        }
        const int64_t sameStep = static_cast<int64_t>(sameEnd - attackerAt);
        const int64_t step = planned.m_nStep + sameStep;
        if (step < end)
        {
            defender.m_Timeline.push_back({static_cast<int32_t>(step), 0});
        }
    }
}

void BattleExchange::ShiftTime(int32_t steps, BattleParticipant& actor)
{
    const std::vector<PlannedAction>& timeline = actor.m_Timeline;
    const int32_t now = m_Battle.m_nElapsed;
    auto taken = std::find_if(timeline.rbegin(), timeline.rend(),
                              [now](const PlannedAction& a) { return a.m_bDone && a.m_nStep == now; });
    if (taken == timeline.rend())
    {
        ShowDebugErrorF("時間操作失敗！");
        return;
    }
    const int64_t index = timeline.rend() - taken - 1;
    const int64_t target = index + steps;
    if (target < 0)
    {
        m_Battle.m_nElapsed = 0;
    }
    else if (target < static_cast<int64_t>(timeline.size()))
    {
        m_Battle.m_nElapsed = timeline[static_cast<std::size_t>(target)].m_nStep;
    }
    else
    {
        m_Battle.m_nElapsed = m_Battle.m_nBattleTime;
    }
    const int32_t elapsed = m_Battle.m_nElapsed;
    for (BattleParticipant* participant : {&m_Battle.m_Friend, &m_Battle.m_Enemy})
    {
        std::erase_if(participant->m_Timeline,
                      [elapsed](const PlannedAction& a) { return a.m_bDone && a.m_nStep >= elapsed; });
    }
}

void BattleExchange::ReloadBackground()
{
    if (m_ReloadBackground)
    {
        m_ReloadBackground();
    }
}

void BattleExchange::BuildResults()
{
    if (m_bOver)
    {
        return;
    }
    m_bOver = true;
    m_ResultMessages.clear();
    BattleParticipant& friendSide = m_Battle.m_Friend;
    BattleParticipant& enemySide = m_Battle.m_Enemy;
    AddFallMessage(friendSide, enemySide, m_ResultMessages);
    const LandRecord* land = LandOf(m_Battle.m_nLand);
    for (BattleParticipant* participant : {&friendSide, &enemySide})
    {
        if (!participant->m_bDead)
        {
            RecoverAfterBattle(*participant, land);
        }
    }
    if (!friendSide.m_bDead && m_pFriendUnit)
    {
        GrantExperience(friendSide, *m_pFriendUnit, enemySide, m_nExperiencePercent, m_ResultMessages);
    }
}

void BattleExchange::WriteBack(const BattleParticipant& participant)
{
    CharacterRecord* unit = participant.m_pUnit;
    if (!unit)
    {
        return;
    }
    // The down flag is 1 whether or not the fall has been shown yet.
    unit->m_nPlayD = participant.m_bDead ? 1 : 0;
    unit->m_Param[kParamHp].m_nValue = participant.Value(kParamHp);
    unit->m_Param[kParamSp].m_nValue = participant.Value(kParamSp);
}

void BattleExchange::WriteBackBoth()
{
    WriteBack(m_Battle.m_Friend);
    WriteBack(m_Battle.m_Enemy);
}
