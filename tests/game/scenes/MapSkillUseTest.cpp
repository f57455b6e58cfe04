// Skills and items used on the stage map: what the user spends, the hit and
// critical rolls, the attribute rate and the bounds of HP and SP.

#include "SceneRulesTest.h"
#include "game/data/TargetsAndPrices.h"
#include "game/scenes/MapSkillRules.h"

namespace
{

constexpr int32_t kHeal = 1;
constexpr int32_t kAttributeHoly = 1;

class MapSkillUseTest : public SceneRulesTest
{
protected:
    void SetUp() override
    {
        SceneRulesTest::SetUp();
        System.m_dAttackFactor = 1.0;
        ClassTable.At(1).m_Resist.assign(3, 100);
        ClassTable.At(2).m_Resist.assign(3, 100);
        ClassTable.At(2).m_Resist.At(kAttributeHoly) = 50;
        // A heal for 3 SP: magic + 10 HP, at 90 percent, critical at 10 percent.
        SkillRecord& heal = SkillTable.At(kHeal);
        heal.m_nKind = kSkillKindRecovery;
        heal.m_nTarget = kSkillTargetSelf;
        heal.m_nSpCost = 3;
        heal.m_nPower = 10;
        heal.m_nHitRate = 90;
        heal.m_nCritical = 10;
        DrawStage({"ab"});
        User().m_Param[kParamMagic].m_nValue = 10;
        SetValue(User(), kParamSp, 10, 10);
        SetValue(Target(), kParamHp, 50, 100);
        SetValue(Target(), kParamSp, 2, 10);
    }

    UnitRecord& User() { return Player('a'); }
    UnitRecord& Target() { return Player('b'); }
    static void SetValue(CharacterRecord& unit, int index, int32_t value, int32_t maximum)
    {
        unit.m_Param[index].m_nValue = value;
        unit.m_Param[index].m_nBase = maximum;
    }
};

TEST_F(MapSkillUseTest, ASkillSpendsSpAndRestoresWithinTheMaximum)
{
    // Draws are taken as d % 100 + 1 against the rate: 0 always hits, 99 never does below 100.
    struct Case
    {
        const char* m_pName;
        std::vector<int> m_Draws; // hit, then critical
        int32_t m_nHp;            // the target's HP before
        int32_t m_nHitRate;       // the skill's; 0: the weapon's (40)
        int32_t m_nTargetClass;
        int32_t m_nSpChange;
        int32_t m_nHpAfter;
        int32_t m_nSpAfter;
    };
    const Case cases[] = {
        {"hit", {0, 99}, 50, 90, 1, 0, 70, 2},
        {"miss", {95}, 50, 90, 1, 0, 50, 2},
        {"critical", {0, 0}, 50, 90, 1, 0, 90, 2},
        {"never above the maximum", {0, 0}, 95, 90, 1, 0, 100, 2},
        {"the weapon's rate without one of its own", {45}, 50, 0, 1, 0, 50, 2},
        {"the weapon's rate hits", {30, 99}, 50, 0, 1, 0, 70, 2},
        {"half for a class that resists", {0, 99}, 50, 90, 2, 0, 60, 2},
        {"SP as well, within its maximum", {0, 99}, 50, 90, 1, 20, 70, 10},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pName);
        SkillRecord skill = SkillTable.At(kHeal);
        skill.m_nHitRate = c.m_nHitRate;
        skill.m_nStatChange[kParamSp] = c.m_nSpChange;
        skill.m_nAttribute = c.m_nTargetClass == 2 ? kAttributeHoly : 0;
        Target().m_nClass = c.m_nTargetClass;
        SetValue(Target(), kParamHp, c.m_nHp, 100);
        SetValue(Target(), kParamSp, 2, 10);
        SetValue(User(), kParamSp, 10, 10);
        ScriptedDraws draws(c.m_Draws);
        UseSkillOnMap(User(), skill, Target(), 40);
        EXPECT_EQ(draws.Used(), static_cast<int>(c.m_Draws.size()));
        EXPECT_EQ(Target().m_Param[kParamHp].m_nValue, c.m_nHpAfter);
        EXPECT_EQ(Target().m_Param[kParamSp].m_nValue, c.m_nSpAfter);
        EXPECT_EQ(User().m_Param[kParamSp].m_nValue, 7); // spent, hit or miss
    }
}

TEST_F(MapSkillUseTest, WithAFixedSeedTheSameUseGivesTheSameResultWithinTheRules)
{
    auto useOnce = [this](unsigned seed)
    {
        SetValue(Target(), kParamHp, 85, 100);
        SetValue(User(), kParamSp, 4, 10);
        SeedRand(seed);
        UseSkillOnMap(User(), SkillTable.At(kHeal), Target(), 90);
        return Target().m_Param[kParamHp].m_nValue;
    };
    for (unsigned seed : {1u, 7u, 12345u})
    {
        SCOPED_TRACE(seed);
        const int32_t hp = useOnce(seed);
        EXPECT_EQ(useOnce(seed), hp);
        EXPECT_TRUE(hp == 85 || hp == 100) << hp; // 85 + 20 (or 40) stops at the maximum
        EXPECT_EQ(User().m_Param[kParamSp].m_nValue, 1);
    }
    // A user short of SP pays what it has, never going below 0.
    SetValue(User(), kParamSp, 2, 10);
    UseSkillOnMap(User(), SkillTable.At(kHeal), Target(), 90);
    EXPECT_EQ(User().m_Param[kParamSp].m_nValue, 0);
}

TEST_F(MapSkillUseTest, AHpRecoveryNeverLeavesLessThanOne)
{
    SkillRecord drain = SkillTable.At(kHeal);
    drain.m_nPower = 0;
    drain.m_nStatChange[kParamHp] = -500;
    User().m_Param[kParamMagic].m_nValue = 0;
    ScriptedDraws draws({0, 99});
    UseSkillOnMap(User(), drain, Target(), 90);
    EXPECT_EQ(Target().m_Param[kParamHp].m_nValue, 1);
}

TEST_F(MapSkillUseTest, AnItemIsAMedicineTakenFromTheStockForAUnitThatNeedsIt)
{
    // Item 3 is the fixture's medicine: 25 HP; item 1 a weapon.
    ItemRecord& herb = ItemTable.At(3);
    herb.m_nValue[kParamHp] = 25;
    herb.m_nHitRate = 100;
    herb.m_nMaxCount = 99;
    ItemTable.At(1).m_nValue[kParamHp] = 25;
    ItemList stock = {ItemStack(3, 2), ItemStack(1, 1), ItemStack()};

    EXPECT_TRUE(CanUseItemOnMap(herb));
    EXPECT_FALSE(CanUseItemOnMap(ItemTable.At(1)));
    EXPECT_TRUE(ItemHelps(User(), herb, Target()));
    EXPECT_FALSE(UseItemOnMap(stock, 1, Target())); // no medicine
    EXPECT_EQ(CountStack(stock, 1), 1);
    EXPECT_FALSE(UseItemOnMap(stock, 4, Target())); // not in the stock
    {
        ScriptedDraws draws({0, 99});
        EXPECT_TRUE(UseItemOnMap(stock, 3, Target()));
    }
    EXPECT_EQ(CountStack(stock, 3), 1);
    EXPECT_EQ(Target().m_Param[kParamHp].m_nValue, 75);

    // With the percent flag: 30 percent of the maximum, rounded, up to the maximum.
    herb.m_bPercent = 1;
    herb.m_nValue[kParamHp] = 30;
    SetValue(Target(), kParamHp, 90, 95);
    int32_t hp = 0;
    int32_t sp = 0;
    ItemRecoveryAmounts(herb, Target(), hp, sp);
    EXPECT_EQ(hp, 29); // 28.5
    {
        ScriptedDraws draws({0, 99});
        EXPECT_TRUE(UseItemOnMap(stock, 3, Target()));
    }
    EXPECT_EQ(Target().m_Param[kParamHp].m_nValue, 95);
    EXPECT_EQ(CountStack(stock, 3), 0);
    EXPECT_FALSE(ItemHelps(User(), herb, Target())); // whole now
    EXPECT_FALSE(UseItemOnMap(stock, 3, Target()));  // and none left
}

} // namespace
