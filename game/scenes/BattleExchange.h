#pragma once

// The course of one battle between a friend and an enemy, without its
// display: the two units taken in as participants, the time steps in which
// each side gathers action value and acts at 1000, the timelines of planned
// actions, the actions chosen and carried out, the end of the battle and its
// results, and the outcome written back to the units.
//
// The battle scene owns one exchange and calls it from its states; it draws
// what the exchange holds and asks the player for the friend's commands:
//
//   state 1 (next step)    NextTurn(): kNobody waits and calls again,
//                          kFriendActs / kEnemyActs start a turn, kBattleOver
//                          shows ResultMessages()
//   states 2..6 (commands) CanUseQuick(), ChooseAction() for the forecast
//   state 7 (enemy)        ChooseEnemyAction()
//   state 8 (execute)      Execute()
//   state 9 (popups)       StartPopups(), then each popup's Advance
//   state 11 (defeats)     MarkDefeats()
//   state 12 (after)       AfterAction(): where the battle goes on
//   state 13 (results)     WriteBackBoth() after the last result line
//
// After its own post-battle events the stage scene calls SettleFallenUnits
// (BattleResults.h).

#include "game/data/UnitRecord.h"
#include "game/scenes/BattleEffects.h"
#include "game/scenes/BattleParticipant.h"
#include "game/scenes/DamagePopup.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A participant acts when its action value reaches this.
constexpr int32_t kActionThreshold = 1000;

// Who acts next (NextActor, TakeTurn, NextTurn).
constexpr int kNobody = 0;
constexpr int kFriendActs = 1;
constexpr int kEnemyActs = 2;
constexpr int kBattleOver = 3;

// Where the battle goes after an action (AfterAction).
enum class AfterActionStep
{
    NextStep,    // the time runs on (state 1)
    FriendAgain, // a quick skill: the friend acts again at once (state 2)
    EnemyAgain,  // a quick skill: the enemy acts again at once (state 7)
    Results,     // a unit fell or the time is over: the results are built (state 13)
};

// The battle commands of the System's battle menu (rows of
// BattleCharaMenuNames) that are enabled, in order; the attack alone when
// none is.
std::vector<int32_t> BuildBattleCommands();

// The lines of the forecast window: the command's name, "HIT n%" and, when
// the action aims at a unit, "HP -damage (hp-damage)" or, for a recovery,
// "HP +amount (hp+amount)" with the target's current HP.
std::vector<std::string> ForecastLines(const ActionForecast& forecast, const std::string& commandName);

class BattleExchange : public BattleHooks
{
public:
    BattleExchange() = default;
    // The exchange points into itself.
    BattleExchange(const BattleExchange&) = delete;
    BattleExchange& operator=(const BattleExchange&) = delete;

    // Starts a battle: both units are taken in; the side that started the
    // fight is the attacker and gets the System's first initial action value,
    // the other the second; the battle time is the System's, scaled by the
    // land's percentage when the land marks the battle time; both take the
    // land's modifiers; both timelines are planned. The units must outlive the
    // battle. experiencePercent scales the friend's experience (see
    // StageExperiencePercent).
    void Begin(UnitRecord& friendUnit, EnemyRecord& enemyUnit, int32_t land, bool friendAttacks,
               int32_t experiencePercent);

    // The step of the exchange: kBattleOver once the elapsed steps reach the
    // battle time; else whoever can act now; else one more step is added
    // (the defender gains nothing in it while the System lets the defender
    // wait for the attacker's first action), and whoever can act then.
    int NextActor();
    // Whoever can act at the current step, the attacker first; a defender
    // that reached 1000 in the step the attacker acted in waits one step.
    // The actor's value loses 1000 and its planned entry of the step is done.
    int TakeTurn();

    // State 1: NextActor; with nobody acting the timelines are planned again;
    // an actor starts its turn (no quick skill used, no damage reduction, one
    // more turn, no action messages); at the end the results are built.
    int NextTurn();

    // The friend's quick command is open while no quick skill was used this turn.
    bool CanUseQuick() const { return !m_Battle.m_Friend.m_bQuickUsed; }
    // The actor's action and its forecast.
    const ActionForecast& ChooseAction(const BattleAction& action);
    // The enemy's action by its battle AI, and its forecast.
    const ActionForecast& ChooseEnemyAction();
    // Carries out the chosen action; 1 when it hit. A friend's quick skill
    // uses up the quick command of the turn.
    int Execute();
    // Starts the popup of each participant that asks for one.
    void StartPopups();
    // A participant that fell is marked as shown fallen (2).
    void MarkDefeats();
    // After an action: the results when a unit fell; after a quick skill the
    // timelines are planned again and the same side acts once more, unless
    // the time is over; else the time runs on.
    AfterActionStep AfterAction();

    // BattleHooks: the time skill and the land skill.
    void PlanExchange(int extraForActor) override;
    void ShiftTime(int32_t steps, BattleParticipant& actor) override;
    void ReloadBackground() override;
    // Called when a land skill changed the battle land.
    void SetBackgroundHandler(std::function<void()> handler) { m_ReloadBackground = std::move(handler); }

    // The result lines and the rewards: the fall of a unit, the recovery of
    // the living from their equipment and the land, the friend's experience
    // and level-up. Done once per battle.
    void BuildResults();
    // HP, SP and the down flag of the participant onto its unit.
    void WriteBack(const BattleParticipant& participant);
    void WriteBackBoth();

    BattleState& State() { return m_Battle; }
    const BattleState& State() const { return m_Battle; }
    BattleParticipant& Friend() { return m_Battle.m_Friend; }
    BattleParticipant& Enemy() { return m_Battle.m_Enemy; }
    BattleParticipant& Attacker() { return *m_pAttacker; }
    BattleParticipant& Defender() { return *m_pDefender; }
    // The participant whose turn it is; its opponent.
    BattleParticipant& Actor() { return *m_pActor; }
    BattleParticipant& Opponent() { return m_Battle.OpponentOf(*m_pActor); }
    bool IsFriendTurn() const { return m_pActor == &m_Battle.m_Friend; }
    bool IsOver() const { return m_bOver; }
    const std::vector<std::string>& ActionMessages() const { return m_Battle.m_ActionMessages; }
    const std::vector<std::string>& ResultMessages() const { return m_ResultMessages; }
    DamagePopup& PopupOf(const BattleParticipant& participant)
    {
        return &participant == &m_Battle.m_Friend ? m_Popup[0] : m_Popup[1];
    }
    const DamagePopup& PopupOf(const BattleParticipant& participant) const
    {
        return &participant == &m_Battle.m_Friend ? m_Popup[0] : m_Popup[1];
    }

private:
    bool HasActed(const BattleParticipant& participant) const;
    void StartTurn(BattleParticipant& actor);

    BattleState m_Battle;
    UnitRecord* m_pFriendUnit = nullptr;
    BattleParticipant* m_pAttacker = &m_Battle.m_Friend;
    BattleParticipant* m_pDefender = &m_Battle.m_Enemy;
    BattleParticipant* m_pActor = &m_Battle.m_Friend;
    int32_t m_bAlternate = 0;     // the attacker acted last in a step where both could
    int32_t m_bActedOnce[2] = {}; // friend, enemy: has acted in this battle
    int32_t m_nExperiencePercent = 100;
    bool m_bOver = false; // the results are built
    std::vector<std::string> m_ResultMessages;
    DamagePopup m_Popup[2]; // friend, enemy
    std::function<void()> m_ReloadBackground;
};
