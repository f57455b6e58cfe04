#include "game/data/TargetsAndPrices.h"

#include "GameDataTest.h"

namespace
{

using TargetsAndPricesTest = GameDataTest;

TEST_F(TargetsAndPricesTest, SkillsReachTheirSideItemsOnlyTheirOwn)
{
    struct Case
    {
        int32_t target;
        int side;
        int expected;
    };
    const Case cases[] = {
        {kSkillTargetSelf, 1, 1},
        {kSkillTargetSelf, 0, 0},
        {kSkillTargetOpponent, 0, 1},
        {kSkillTargetOpponent, 2, 1},
        {kSkillTargetOpponent, 1, 0},
        {kSkillTargetTime, 0, 2},
        {kSkillTargetLand, 1, 3},
        {4, 1, 0},
        {-1, 1, 0},
    };
    SkillRecord skill;
    for (const Case& c : cases)
    {
        skill.m_nTarget = c.target;
        EXPECT_EQ(CanTarget(skill, c.side), c.expected) << "target " << c.target << ", side " << c.side;
    }
    const ItemRecord item;
    EXPECT_EQ(CanTarget(item, 1), 1);
    EXPECT_EQ(CanTarget(item, 0), 0);
    EXPECT_EQ(CanTarget(item, 2), 0);
}

TEST_F(TargetsAndPricesTest, SellPriceIsThePriceAtTheSellRateRounded)
{
    struct Case
    {
        int32_t price;
        int32_t rate;
        int32_t expected;
    };
    const Case cases[] = {{100, 50, 50}, {121, 50, 61}, {3, 50, 2}, {999999, 100, 999999}, {80, 0, 0}};
    ItemRecord item;
    for (const Case& c : cases)
    {
        item.m_nPrice = c.price;
        System.m_nItemSellRate = c.rate;
        EXPECT_EQ(GetSellPrice(item), c.expected) << c.price << " at " << c.rate << "%";
    }
}

} // namespace
