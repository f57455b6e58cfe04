#include "game/scenes/BattleFormulas.h"

#include "SceneRulesTest.h"

namespace
{

using BattleFormulasTest = SceneRulesTest;

TEST_F(BattleFormulasTest, DamageAndRecoveryFollowTheFactors)
{
    struct Case
    {
        double attackFactor;
        double defenceFactor;
        int32_t attack;
        int32_t defence;
        int32_t power;
        int32_t hpChange;
        int32_t damage;
    };
    const Case cases[] = {
        {1.0, 1.0, 10, 50, 0, -10, 10}, // defence above attack: only the skill's HP change
        {1.0, 1.0, 10, 50, 0, 0, 0},    {1.0, 1.0, 50, 10, 5, 0, 45},
        {1.0, 1.0, 50, 10, 0, 10, 30},  {1.5, 0.5, 10, 7, 0, 0, 11}, // 11.5 truncated
        {1.0, 1.0, 10, 50, 60, 0, 20},
    };
    for (const Case& c : cases)
    {
        System.m_dAttackFactor = c.attackFactor;
        System.m_dDefenseFactor = c.defenceFactor;
        EXPECT_EQ(CalcDamage(c.attack, c.defence, c.power, c.hpChange), c.damage) << c.attack << " vs " << c.defence;
    }
    System.m_dAttackFactor = 1.5;
    EXPECT_EQ(CalcRecovery(20, 5, 3), 38);   // 3 + trunc(30 + 5)
    EXPECT_EQ(CalcRecovery(0, -50, 10), 10); // a negative sum counts as 0
    EXPECT_EQ(CalcRecovery(3, 0, -10), -6);  // 4.5 truncated
}

TEST_F(BattleFormulasTest, HitAndCriticalRatesAreUnclamped)
{
    BattleParticipant attacker = Fighter({100, 0, 0, 0, 0, 0, 20, 0, 0});
    EXPECT_EQ(CalcHitRate(attacker, 10, 80), 130);
    EXPECT_EQ(CalcHitRate(attacker, 40, 80), -20);
    EXPECT_EQ(CalcCriticalRate(attacker, 0, 0), 0); // no base, no critical, whatever the skill
    EXPECT_EQ(CalcCriticalRate(attacker, 30, 5), -5);
    System.m_dHitFactor = 2.5;
    EXPECT_EQ(CalcHitRate(attacker, 17, 0), 7); // 7.5 truncated

    // Without a weapon: 90 % and nothing else; with one, its rates.
    EXPECT_EQ(WeaponHitRate(attacker), 90);
    EXPECT_EQ(WeaponCriticalRate(attacker), 0);
    EXPECT_EQ(WeaponAttribute(attacker), 0);
    ItemTable.At(1).m_nHitRate = 75;
    ItemTable.At(1).m_nCritical = 12;
    ItemTable.At(1).m_nAttribute = 1;
    attacker.m_nEquip[0] = 1;
    EXPECT_EQ(WeaponHitRate(attacker), 75);
    EXPECT_EQ(WeaponCriticalRate(attacker), 12);
    EXPECT_EQ(WeaponAttribute(attacker), 1);
}

TEST_F(BattleFormulasTest, AttributesDefenceAndRecoveryScaling)
{
    BattleParticipant target = Fighter({100, 10, 0, 0, 0, 0, 0, 0, 0});
    ClassTable.At(1).m_Resist.At(1) = 50;
    EXPECT_EQ(ApplyAttributeRate(target, 7, 0), 7);
    EXPECT_EQ(ApplyAttributeRate(target, 7, 1), 3);
    EXPECT_EQ(ApplyAttributeRate(target, -7, 1), -3); // toward zero

    target.m_nDamageReduction = 5;
    EXPECT_EQ(ApplyDefence(target, 3, 0), 0);
    EXPECT_EQ(ApplyDefence(target, 2000, 0), 999);
    ClassTable.At(1).m_Resist.At(1) = 200;
    EXPECT_EQ(ApplyDefence(target, 605, 1), 999); // 600 doubled, clamped again

    // Recovery: the attribute, then the System's recovery rate (50 %).
    ClassTable.At(1).m_Resist.At(1) = 50;
    EXPECT_EQ(ScaleRecovery(target, -30, 0), -15);
    EXPECT_EQ(ScaleRecovery(target, -30, 1), -8); // -15 x 50 % = -7.5
    EXPECT_EQ(ScaleRecovery(target, 30, 0), 0);   // not a recovery
    System.m_nHpRecoverRate = 100;
    EXPECT_EQ(ScaleRecovery(target, -2000, 0), -999);
}

TEST_F(BattleFormulasTest, SpreadOnFiveRoundsHalfAwayFromZero)
{
    // 90 + draw % 21: 4.5 .. 5.45 give 5, 5.5 gives 6.
    for (int draw = 0; draw <= 20; ++draw)
    {
        ScriptedDraws draws({draw});
        EXPECT_EQ(RollSpread(5), draw == 20 ? 6 : 5) << "spread " << 90 + draw;
    }
}

TEST_F(BattleFormulasTest, SpreadRangesThatRunBackwards)
{
    struct Case
    {
        int32_t minimum;
        int32_t maximum;
        int draw;
        int32_t spread;
        int drawsUsed;
    };
    const Case cases[] = {
        {90, 110, 25, 94, 1},   {100, 100, 7, 100, 1},
        {100, 99, 7, 100, 0},   // an empty range: the minimum, without a draw
        {110, 100, 20, 112, 1}, // 20 % -9 is 2: from the minimum up
        {110, 100, 8, 118, 1},  {110, 100, 9, 110, 1},
    };
    for (const Case& c : cases)
    {
        System.m_nDamageRateMin = c.minimum;
        System.m_nDamageRateMax = c.maximum;
        ScriptedDraws draws({c.draw});
        EXPECT_EQ(RollSpreadPercent(), c.spread) << c.minimum << ".." << c.maximum << " draw " << c.draw;
        EXPECT_EQ(draws.Used(), c.drawsUsed);
    }
}

TEST_F(BattleFormulasTest, DamageRecoveryAndNonLethalKeepHpInRange)
{
    BattleParticipant unit = Fighter({100, 0, 0, 0, 0, 0, 0, 0, 0});
    unit.m_nValue[kParamHp] = 80;
    ApplyRecovery(unit, -50);
    EXPECT_EQ(unit.Value(kParamHp), 100);
    EXPECT_EQ(unit.m_nPopupValue, 50);
    EXPECT_EQ(unit.m_bShowPopup, 1);

    unit.m_bShowPopup = 0;
    ApplyRecovery(unit, 0);
    EXPECT_EQ(unit.m_bShowPopup, 0); // nothing to show

    {
        ScriptedDraws draws({10}); // spread 100
        EXPECT_EQ(ApplyDamage(unit, 40), 40);
    }
    EXPECT_EQ(unit.Value(kParamHp), 60);
    EXPECT_EQ(unit.m_bDead, 0);

    struct NonLethalCase
    {
        int32_t hp;
        int32_t value;
        int32_t hpAfter;
        int32_t popup;
    };
    const NonLethalCase cases[] = {{50, 30, 20, 30}, {10, 30, 1, 9}, {1, 5, 1, 0}};
    for (const NonLethalCase& c : cases)
    {
        unit.m_nValue[kParamHp] = c.hp;
        ApplyNonLethal(unit, c.value);
        EXPECT_EQ(unit.Value(kParamHp), c.hpAfter);
        EXPECT_EQ(unit.m_nPopupValue, c.popup);
        EXPECT_EQ(unit.m_nResultKind, kResultDamage);
    }

    {
        ScriptedDraws draws({10});
        EXPECT_EQ(ApplyDamage(unit, 500), 500);
    }
    EXPECT_EQ(unit.Value(kParamHp), 0);
    EXPECT_EQ(unit.m_bDead, 1);
}

TEST_F(BattleFormulasTest, StatChangesAreClampedAndTold)
{
    BattleParticipant unit = Fighter({100, 40, 20, 20, 20, 20, 20, 20, 20});
    unit.m_nValue[kParamSp] = 10;
    std::vector<std::string> messages;
    ChangeStat(unit, kParamSp, 50, messages);
    ChangeStat(unit, kParamAttack, -2000, messages);
    ChangeStat(unit, kParamSpeed, 990, messages);
    ChangeStat(unit, kParamMagic, 0, messages);
    EXPECT_EQ(unit.Value(kParamSp), 40); // up to the maximum SP
    EXPECT_EQ(unit.Value(kParamAttack), 0);
    EXPECT_EQ(unit.Value(kParamSpeed), 999);
    EXPECT_EQ(messages,
              (std::vector<std::string>{"friend の SP + 50", "friend の こうげき - 2000", "friend の はやさ + 990"}));

    // A skill's changes pass through the attribute; an item's may be percentages of the maxima.
    ClassTable.At(1).m_Resist.At(1) = 50;
    SkillRecord& skill = SkillTable.At(1);
    skill.m_nStatChange[kParamHp] = -100; // the effect's own business
    skill.m_nStatChange[kParamDefence] = -5;
    skill.m_nStatChange[kParamReaction] = 7;
    messages.clear();
    ApplySkillStatChanges(unit, skill, 1, messages);
    EXPECT_EQ(unit.Value(kParamHp), 100);
    EXPECT_EQ(unit.Value(kParamDefence), 18);
    EXPECT_EQ(unit.Value(kParamReaction), 23);
    EXPECT_EQ(messages, (std::vector<std::string>{"friend の まもり - 2", "friend の はんのう + 3"}));

    ItemRecord& item = ItemTable.At(3);
    item.m_bPercent = 1;
    item.m_nValue[kParamMagic] = 25;
    messages.clear();
    ApplyItemStatChanges(unit, item, 0, messages);
    EXPECT_EQ(unit.Value(kParamMagic), 25); // 20 + 25 % of 20
    EXPECT_EQ(messages, (std::vector<std::string>{"friend の まりょく + 5"}));
}

TEST_F(BattleFormulasTest, LandModifiersAreRemovedBeforeTheNewOnesApply)
{
    BattleParticipant unit = Fighter({100, 10, 20, 10, 0, 0, 0, 0, 10});
    LandRecord flat;
    flat.SetDefaults();
    flat.m_nEffect[kParamHp] = 50; // HP and SP are not battle modifiers
    flat.m_nEffect[kParamAttack] = 5;
    flat.m_nEffect[kParamSpeed] = -30;
    LandRecord percent;
    percent.SetDefaults();
    percent.m_bPercent = 1;
    percent.m_nEffect[kParamDefence] = 50;

    ApplyLandModifiers(unit, &flat, nullptr);
    EXPECT_EQ(unit.Value(kParamHp), 100);
    EXPECT_EQ(unit.Value(kParamAttack), 25);
    EXPECT_EQ(unit.Value(kParamSpeed), 0);
    ApplyLandModifiers(unit, &percent, &flat);
    EXPECT_EQ(unit.Value(kParamAttack), 20);
    EXPECT_EQ(unit.Value(kParamSpeed), 30); // the clamp at 0 is not undone
    EXPECT_EQ(unit.Value(kParamDefence), 15);
}

TEST_F(BattleFormulasTest, ActionAddValueSharesTwoHundred)
{
    struct Case
    {
        int32_t ownSpeed;
        int32_t otherSpeed;
        int32_t speedBase;
        int32_t attackerRate;
        int32_t defenderRate;
        int32_t attacker;
        int32_t addValue;
    };
    const Case cases[] = {
        {0, 0, 0, 100, 100, 1, 100}, // both 0: 100 each
        {0, 0, 0, 100, 100, 0, 100},   {10, 0, 0, 100, 100, 1, 200},    {0, 10, 0, 100, 100, 1, 0},
        {30, 10, 0, 100, 100, 1, 150}, {0, 0, 10, 100, 100, 1, 100},    {10, 10, 0, 200, 100, 1, 133},
        {10, 10, 0, 200, 100, 0, 66},  {10, 10, -20, 100, 100, 1, 100}, // both below 0
        {5, 5, 0, 10, 10, 1, 100},                                      // 0.5 each truncated to 0
    };
    for (const Case& c : cases)
    {
        System.m_nSpeedBase = c.speedBase;
        System.m_nSpeedRate[0] = c.attackerRate;
        System.m_nSpeedRate[1] = c.defenderRate;
        BattleParticipant unit = Fighter({100, 0, 0, 0, 0, 0, 0, 0, c.ownSpeed});
        unit.m_bAttacker = c.attacker;
        EXPECT_EQ(CalcActionAddValue(unit, c.otherSpeed), c.addValue) << c.ownSpeed << " vs " << c.otherSpeed;
    }
}

} // namespace
