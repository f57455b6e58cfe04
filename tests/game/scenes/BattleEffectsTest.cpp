#include "game/scenes/BattleEffects.h"

#include "SceneRulesTest.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/BattleFormulas.h"

#include <functional>

namespace
{

// Draws that make a percent roll succeed (for any rate of 1 or more) or fail
// (for any rate below 100).
constexpr int kRollHits = 0;
constexpr int kRollMisses = 99;
// The spread draw for 100 % with the defaults 90..110.
constexpr int kSpreadFull = 10;

// Skill kinds.
constexpr int32_t kWeaponSkill = 0;
constexpr int32_t kMagicAttack = 1;
constexpr int32_t kRecovery = 2;
constexpr int32_t kReduction = 3;
constexpr int32_t kTime = 4;
constexpr int32_t kSupport = 5;
constexpr int32_t kLand = 6;

class RecordingHooks : public BattleHooks
{
public:
    void ShiftTime(int32_t steps, BattleParticipant& actor) override
    {
        m_Calls.push_back("shift " + std::to_string(steps) + " " + actor.m_strName);
        if (m_Shift)
        {
            m_Shift();
        }
    }
    void PlanExchange(int extraForActor) override { m_Calls.push_back("plan " + std::to_string(extraForActor)); }
    void ReloadBackground() override { m_Calls.push_back("background"); }

    std::vector<std::string> m_Calls;
    std::function<void()> m_Shift; // what the shift does to the battle: nothing when empty
};

class BattleEffectsTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        m_Battle.m_Friend = Fighter({100, 20, 30, 10, 50, 20, 10, 10, 10}, kSideFriend);
        m_Battle.m_Enemy = Fighter({100, 20, 30, 10, 50, 20, 10, 10, 10}, kSideEnemy);
        m_Battle.m_nBattleTime = System.m_nBattleTime;
        m_Skill = &SkillTable.At(1);
        m_Skill->m_nSpCost = 5;
    }

    void UseSkill(int32_t kind, int32_t target, int32_t action = kActionSkill)
    {
        m_Skill->m_nKind = kind;
        m_Skill->m_nTarget = target;
        m_Battle.m_Action = BattleAction{action, 1, 0};
    }

    int Execute(std::vector<int> draws)
    {
        ScriptedDraws scripted(std::move(draws));
        return ExecuteAction(m_Battle, m_Battle.m_Friend, m_Hooks);
    }

    BattleState m_Battle;
    RecordingHooks m_Hooks;
    SkillRecord* m_Skill = nullptr;
};

TEST_F(BattleEffectsTest, DoubledDamageIsClampedTo999)
{
    ItemRecord& weapon = ItemTable.At(1);
    weapon.m_nHitRate = 100;
    weapon.m_nCritical = 100;
    m_Battle.m_Friend.m_nEquip[0] = 1;
    m_Battle.m_Friend.m_nValue[kParamAttack] = 600;
    m_Battle.m_Enemy = Fighter({999, 0, 0, 0, 0, 0, 0, 0, 0}, kSideEnemy);

    const ActionForecast& forecast = ForecastAction(m_Battle, m_Battle.m_Friend);
    EXPECT_EQ(forecast.m_pTarget, &m_Battle.m_Enemy);
    EXPECT_EQ(forecast.m_nValue, 600);
    EXPECT_EQ(forecast.m_nHitRate, 150); // (10 - 0) x 5 + 100
    EXPECT_EQ(forecast.m_nCriticalRate, 110);

    EXPECT_EQ(Execute({kRollHits, kRollHits, 0}), 1); // the lowest spread, 90 %: 1080
    EXPECT_EQ(m_Battle.m_Enemy.m_nPopupValue, 999);
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamHp), 0);
    EXPECT_EQ(m_Battle.m_Enemy.m_bDead, 1);
    EXPECT_EQ(m_Battle.m_Enemy.m_nResultKind, kResultDamage);
    EXPECT_EQ(m_Sounds, std::vector<int>{kSoundCritical});
}

TEST_F(BattleEffectsTest, ZeroDamageIsAHitAndAMissIsNot)
{
    m_Battle.m_Friend.m_nValue[kParamAttack] = 5; // against defence 10
    EXPECT_EQ(Execute({kRollHits, kRollMisses, kSpreadFull}), 1);
    EXPECT_EQ(m_Battle.m_Enemy.m_nPopupValue, 0);
    EXPECT_EQ(m_Battle.m_Enemy.m_bShowPopup, 1);
    EXPECT_EQ(m_Battle.m_Enemy.m_nResultKind, kResultDamage);
    EXPECT_TRUE(m_Sounds.empty());

    m_Battle.m_Friend.m_nValue[kParamAttack] = 50;
    m_Battle.m_Enemy.m_bShowPopup = 0;
    EXPECT_EQ(Execute({kRollMisses}), 0);
    EXPECT_EQ(m_Battle.m_Enemy.m_nPopupValue, 0);
    EXPECT_EQ(m_Battle.m_Enemy.m_bShowPopup, 1);
    EXPECT_EQ(m_Battle.m_Enemy.m_nResultKind, kResultMiss);
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamHp), 100);
}

TEST_F(BattleEffectsTest, ItemRecoveryIsScaledAndUsesUpOneItem)
{
    Progress.Validate();
    Progress.AddItem(3, 2);
    ItemRecord& medicine = ItemTable.At(3);
    medicine.m_nValue[kParamHp] = 30;
    medicine.m_nValue[kParamAttack] = 4;
    m_Battle.m_Friend.m_nValue[kParamHp] = 50;
    m_Battle.m_Action = BattleAction{kActionItem, 0, 3};

    const ActionForecast& forecast = ForecastAction(m_Battle, m_Battle.m_Friend);
    EXPECT_EQ(forecast.m_pTarget, &m_Battle.m_Friend);
    EXPECT_EQ(forecast.m_nValue, -15); // the System's 50 %
    EXPECT_EQ(Execute({kRollHits, kRollMisses}), 1);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamHp), 65);
    EXPECT_EQ(m_Battle.m_Friend.m_nPopupValue, 15);
    EXPECT_EQ(m_Battle.m_Friend.m_nResultKind, kResultRecovery);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamAttack), 34);
    EXPECT_EQ(m_Battle.m_ActionMessages, std::vector<std::string>{"friend の こうげき + 4"});
    EXPECT_EQ(Progress.GetItemCount(3), 1);

    // A miss uses nothing up; percentages are of the maximum HP; a critical doubles.
    medicine.m_nHitRate = 50;
    EXPECT_EQ(Execute({kRollMisses}), 0);
    EXPECT_EQ(Progress.GetItemCount(3), 1);
    medicine.m_bPercent = 1;
    medicine.m_nHitRate = 100;
    medicine.m_nCritical = 100;
    medicine.m_nValue[kParamAttack] = 0;
    m_Battle.m_Friend.m_nValue[kParamHp] = 10;
    EXPECT_EQ(Execute({kRollHits, kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamHp), 40); // 30 % of 100, halved, doubled
    EXPECT_EQ(Progress.GetItemCount(3), 0);
    EXPECT_TRUE(m_Sounds.empty());

    // A negative recovery heals nothing, however low it is.
    for (int32_t recovery : {-5, INT32_MIN})
    {
        medicine.m_nValue[kParamHp] = recovery;
        EXPECT_EQ(ForecastAction(m_Battle, m_Battle.m_Friend).m_nValue, 0) << recovery;
    }
}

TEST_F(BattleEffectsTest, OnlyMedicinesAreUsedInBattle)
{
    Progress.Validate();
    Progress.AddItem(1, 1);
    ItemTable.At(1).m_nValue[kParamHp] = 30; // a weapon
    m_Battle.m_Friend.m_nValue[kParamHp] = 50;
    m_Battle.m_Action = BattleAction{kActionItem, 0, 1};

    EXPECT_EQ(ForecastAction(m_Battle, m_Battle.m_Friend).m_pTarget, nullptr);
    ScriptedDraws draws({});
    EXPECT_EQ(ExecuteAction(m_Battle, m_Battle.m_Friend, m_Hooks), 0);
    EXPECT_EQ(draws.Used(), 0);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamHp), 50);
    EXPECT_EQ(Progress.GetItemCount(1), 1);
    EXPECT_FALSE(IsItemUsableInBattle(ItemTable.At(0))); // the empty entry
    EXPECT_TRUE(IsItemUsableInBattle(ItemTable.At(3)));
}

TEST_F(BattleEffectsTest, SkillForecastsByKind)
{
    struct Case
    {
        int32_t kind;
        int32_t target;
        int32_t power;
        int32_t hpChange;
        BattleParticipant BattleState::*aimedAt; // null: no unit
        int32_t hit;
        int32_t value;
    };
    // Actor and target: attack 30, defence 10, magic 50, resistance 20, skill
    // and reaction 10; the skill's hit rate 0 takes the weapon's 90.
    const Case cases[] = {
        {kWeaponSkill, kSkillTargetOpponent, 5, -3, &BattleState::m_Enemy, 90, 28}, // 30 + 5 - 10 + 3
        {kMagicAttack, kSkillTargetOpponent, 5, -3, &BattleState::m_Enemy, 90, 38}, // 50 + 5 - 20 + 3
        {kWeaponSkill, kSkillTargetSelf, 0, 0, &BattleState::m_Friend, 90, 20},
        {kRecovery, kSkillTargetSelf, 5, -3, &BattleState::m_Friend, 90, -26},     // -(52) at 50 %
        {kRecovery, kSkillTargetOpponent, -100, -3, &BattleState::m_Enemy, 90, 3}, // a recovery below 0 hurts
        {kReduction, kSkillTargetSelf, 9, 20, &BattleState::m_Friend, 90, -10},
        {kReduction, kSkillTargetOpponent, 9, -20, &BattleState::m_Enemy, 90, 20},
        {kSupport, kSkillTargetSelf, 9, 20, &BattleState::m_Friend, 90, -10},
        {kTime, kSkillTargetTime, 3, 20, nullptr, 90, 0},
        {kLand, kSkillTargetLand, 3, 20, nullptr, 90, 0},
        {kWeaponSkill, kSkillTargetLand, 5, 0, nullptr, 90, 0}, // an attack aimed at no unit
        // The lowest int32 of a damaged file hurts as much as a hit can.
        {kReduction, kSkillTargetOpponent, 9, INT32_MIN, &BattleState::m_Enemy, 90, 999},
        {kRecovery, kSkillTargetOpponent, -100, INT32_MIN, &BattleState::m_Enemy, 90, 999},
    };
    m_Skill->m_nHitRate = 0;
    m_Skill->m_nCritical = 10;
    for (const Case& c : cases)
    {
        UseSkill(c.kind, c.target);
        m_Skill->m_nPower = c.power;
        m_Skill->m_nStatChange[kParamHp] = c.hpChange;
        const ActionForecast& f = ForecastAction(m_Battle, m_Battle.m_Friend);
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " target " << c.target);
        EXPECT_EQ(f.m_pActor, &m_Battle.m_Friend);
        EXPECT_EQ(f.m_pTarget, c.aimedAt ? &(m_Battle.*c.aimedAt) : nullptr);
        EXPECT_EQ(f.m_nHitRate, c.hit);
        EXPECT_EQ(f.m_nCriticalRate, 10);
        EXPECT_EQ(f.m_nValue, c.value);
    }
}

TEST_F(BattleEffectsTest, WeaponSkillsTakeTheWeaponsAttributeMagicDoesNot)
{
    ItemTable.At(1).m_nAttribute = 1;
    m_Battle.m_Friend.m_nEquip[0] = 1;
    ClassTable.At(1).m_Resist.At(1) = 50;
    UseSkill(kWeaponSkill, kSkillTargetOpponent);
    EXPECT_EQ(ForecastAction(m_Battle, m_Battle.m_Friend).m_nAttribute, 1);
    EXPECT_EQ(m_Battle.m_Forecast.m_nValue, 10); // 20 at 50 %
    UseSkill(kMagicAttack, kSkillTargetOpponent);
    EXPECT_EQ(ForecastAction(m_Battle, m_Battle.m_Friend).m_nAttribute, 0);
    EXPECT_EQ(m_Battle.m_Forecast.m_nValue, 30);
}

TEST_F(BattleEffectsTest, SkillPointsAreSpentOnAHitOrWhenTheSystemSaysSo)
{
    UseSkill(kMagicAttack, kSkillTargetOpponent);
    m_Skill->m_nHitRate = 50;
    m_Skill->m_nStatChange[kParamDefence] = -4;
    EXPECT_EQ(Execute({kRollMisses}), 0);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamSp), 20);
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamDefence), 10); // no stat change on a miss

    System.m_bSpOnHitOnly = 0;
    EXPECT_EQ(Execute({kRollMisses}), 0);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamSp), 15);

    m_Battle.m_Friend.m_nValue[kParamSp] = 3;
    EXPECT_EQ(Execute({kRollHits, kRollMisses, kSpreadFull}), 1);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamSp), 0);
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamHp), 70); // magic 50 against resistance 20
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamDefence), 6);
    EXPECT_EQ(m_Battle.m_ActionMessages, std::vector<std::string>{"enemy の まもり - 4"});
}

TEST_F(BattleEffectsTest, RecoveryReductionAndSupportExecution)
{
    // A recovery: a critical doubles it, without the critical sound.
    UseSkill(kRecovery, kSkillTargetSelf);
    m_Skill->m_nPower = 10;
    m_Skill->m_nCritical = 100;
    m_Battle.m_Friend.m_nValue[kParamHp] = 20;
    EXPECT_EQ(Execute({kRollHits, kRollHits}), 1); // 60 at 50 % = 30, doubled
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamHp), 80);
    EXPECT_EQ(m_Battle.m_Friend.m_nResultKind, kResultRecovery);
    EXPECT_TRUE(m_Sounds.empty());

    // A support that hurts never fells.
    UseSkill(kSupport, kSkillTargetOpponent);
    m_Skill->m_nStatChange[kParamHp] = -500;
    m_Skill->m_nCritical = 0;
    EXPECT_EQ(Execute({kRollHits, kRollMisses}), 1);
    EXPECT_EQ(m_Battle.m_Enemy.Value(kParamHp), 1);
    EXPECT_EQ(m_Battle.m_Enemy.m_nPopupValue, 99);
    EXPECT_EQ(m_Battle.m_Enemy.m_nResultKind, kResultDamage);

    // A reduction: its power (twice on a critical) then its HP change, not doubled.
    UseSkill(kReduction, kSkillTargetSelf);
    m_Skill->m_nPower = 7;
    m_Skill->m_nCritical = 100;
    m_Skill->m_nStatChange[kParamHp] = 20;
    m_Battle.m_Friend.m_nValue[kParamHp] = 50;
    EXPECT_EQ(Execute({kRollHits, kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_Friend.m_nDamageReduction, 14);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamHp), 60);
    m_Skill->m_nCritical = 50;
    EXPECT_EQ(Execute({kRollHits, kRollMisses}), 1);
    EXPECT_EQ(m_Battle.m_Friend.m_nDamageReduction, 21);
}

TEST_F(BattleEffectsTest, TimeSkillsShiftTimeAndPlanAgain)
{
    UseSkill(kTime, kSkillTargetTime);
    m_Skill->m_nPower = -2;
    m_Battle.m_Friend.m_bQuickUsed = 1;
    m_Battle.m_Friend.m_nActionValue = 40;
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Hooks.m_Calls, (std::vector<std::string>{"shift -2 friend", "plan 1"}));
    EXPECT_EQ(m_Battle.m_Friend.m_bQuickUsed, 0);
    EXPECT_EQ(m_Battle.m_Friend.m_nActionValue, 1040);

    // A quick one frees the quick command again only when the time moved.
    m_Hooks.m_Calls.clear();
    UseSkill(kTime, kSkillTargetTime, kActionQuickSkill);
    m_Battle.m_Friend.m_bQuickUsed = 1;
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Hooks.m_Calls, (std::vector<std::string>{"shift -2 friend", "plan 0"}));
    EXPECT_EQ(m_Battle.m_Friend.m_bQuickUsed, 1);
    EXPECT_EQ(m_Battle.m_Friend.m_nActionValue, 1040);
    m_Battle.m_nElapsed = 5;
    m_Hooks.m_Shift = [this] { m_Battle.m_nElapsed = 1; };
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_Friend.m_bQuickUsed, 0);
    m_Hooks.m_Shift = nullptr;

    m_Hooks.m_Calls.clear();
    m_Skill->m_nHitRate = 50;
    EXPECT_EQ(Execute({kRollMisses}), 0);
    EXPECT_TRUE(m_Hooks.m_Calls.empty());
    EXPECT_EQ(m_Battle.m_Friend.m_bShowPopup, 0); // a missed time skill shows nothing
}

TEST_F(BattleEffectsTest, LandSkillsChangeTheLandItsEffectsAndTheBattleTime)
{
    LandTable.At(kLandPlain).m_nEffect[kParamAttack] = 10;
    LandRecord& marsh = LandTable.At(kLandMarsh);
    marsh.m_nEffect[kParamSpeed] = -5;
    marsh.m_nSpecial = kLandEffectBattleTime;
    marsh.m_nSpecialValue = 50;
    m_Battle.m_nLand = kLandPlain;
    ApplyLandModifiers(m_Battle.m_Friend, &LandTable.At(kLandPlain), nullptr);
    ApplyLandModifiers(m_Battle.m_Enemy, &LandTable.At(kLandPlain), nullptr);
    UseSkill(kLand, kSkillTargetLand);

    m_Skill->m_nPower = kLandMarsh + 1;
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_nLand, kLandMarsh);
    EXPECT_EQ(m_Hooks.m_Calls, (std::vector<std::string>{"background", "plan 0"}));
    for (const BattleParticipant* unit : {&m_Battle.m_Friend, &m_Battle.m_Enemy})
    {
        EXPECT_EQ(unit->Value(kParamAttack), 30);
        EXPECT_EQ(unit->Value(kParamSpeed), 5);
    }
    EXPECT_EQ(m_Battle.m_nBattleTime, 14); // 50 % of 27, rounded half away from zero

    // Back to a land without a time effect: the System's battle time.
    m_Skill->m_nPower = kLandHills + 1;
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_nBattleTime, 27);
    EXPECT_EQ(m_Battle.m_Friend.Value(kParamSpeed), 10);

    // A land outside the table changes nothing.
    m_Hooks.m_Calls.clear();
    m_Skill->m_nPower = 0;
    EXPECT_EQ(Execute({kRollHits}), 1);
    m_Skill->m_nPower = LandTable.Count() + 1;
    EXPECT_EQ(Execute({kRollHits}), 1);
    EXPECT_EQ(m_Battle.m_nLand, kLandHills);
    EXPECT_TRUE(m_Hooks.m_Calls.empty());
}

} // namespace
