#include "GameDataTest.h"
#include "game/data/ItemStack.h"

#include <limits>
#include <utility>

namespace
{

using ItemStackTest = GameDataTest;

using Stacks = std::vector<std::pair<int32_t, int32_t>>;

ItemList MakeList(const Stacks& stacks)
{
    ItemList list;
    for (auto [item, count] : stacks)
    {
        list.emplace_back(item, count);
    }
    return list;
}

Stacks Contents(const ItemList& list)
{
    Stacks stacks;
    for (const ItemStack& s : list)
    {
        stacks.emplace_back(s.m_nItem, s.m_nCount);
    }
    return stacks;
}

TEST_F(ItemStackTest, AddToStacksKeepsCountsWithinTheItemsMaximum)
{
    struct Case
    {
        const char* what;
        Stacks before;
        int32_t item;
        int32_t delta;
        int result;
        Stacks after;
    };
    const int32_t kBig = std::numeric_limits<int32_t>::max();
    const int32_t kLow = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {"adding stops at the maximum", {{1, 97}}, 1, 5, 1, {{1, 99}}},
        {"a new item takes the first free stack", {{1, 3}, {0, 0}, {0, 0}}, 2, 4, 1, {{1, 3}, {2, 4}, {0, 0}}},
        {"a stack with a count but no item is not free", {{0, 5}, {0, 0}}, 2, 1, 1, {{0, 5}, {2, 1}}},
        {"a full list refuses a new item", {{1, 3}, {4, 2}}, 2, 1, 0, {{1, 3}, {4, 2}}},
        {"removing more than held empties the stack", {{1, 3}, {2, 4}}, 2, -9, 1, {{1, 3}, {0, 0}}},
        {"removing part", {{2, 4}}, 2, -1, 1, {{2, 3}}},
        {"removing an item no stack holds", {{1, 3}, {0, 0}}, 2, -1, 0, {{1, 3}, {0, 0}}},
        {"nothing to add", {{1, 3}}, 2, 0, 1, {{1, 3}}},
        {"item 0", {{0, 0}}, 0, 5, 0, {{0, 0}}},
        {"an item outside the table", {{0, 0}}, 6, 5, 0, {{0, 0}}},
        {"a negative item", {{0, 0}}, -1, 5, 0, {{0, 0}}},
        {"the largest delta", {{1, 98}}, 1, kBig, 1, {{1, 99}}},
        {"the lowest delta", {{1, 98}}, 1, kLow, 1, {{0, 0}}},
    };
    for (const Case& c : cases)
    {
        ItemList list = MakeList(c.before);
        EXPECT_EQ(AddToStacks(list, c.item, c.delta), c.result) << c.what;
        EXPECT_EQ(Contents(list), c.after) << c.what;
    }
}

TEST_F(ItemStackTest, FindCountAndFilterByKind)
{
    const ItemList list = MakeList({{0, 0}, {3, 2}, {1, 5}, {2, 1}, {4, 7}});
    EXPECT_EQ(FindStack(list, 1), 2);
    EXPECT_EQ(FindStack(list, 5), -1);
    EXPECT_EQ(CountStack(list, 4), 7);
    EXPECT_EQ(CountStack(list, 5), 0);
    // The empty stack at 0 is no medicine; none holds a treasure.
    EXPECT_EQ(FindStackOfType(list, 0), 1);
    EXPECT_EQ(FindStackOfType(list, 1), 2);
    EXPECT_EQ(FindStackOfType(list, 3), -1);

    ItemList weapons = MakeList({{5, 5}});
    FilterStacksByType(list, weapons, 1, 0);
    EXPECT_EQ(Contents(weapons), (Stacks{{1, 5}, {4, 7}}));
    FilterStacksByType(list, weapons, 2, 1);
    EXPECT_EQ(Contents(weapons), (Stacks{{2, 1}, {0, 0}}));
    FilterStacksByType(list, weapons, 3, 1);
    EXPECT_EQ(Contents(weapons), (Stacks{{0, 0}}));
}

TEST_F(ItemStackTest, FittingToTheItemTableKeepsEveryItemThatStillExists)
{
    struct Case
    {
        const char* what;
        Stacks before;
        Stacks after;
    };
    const Case cases[] = {
        {"padded", {{2, 1}}, {{2, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {"cut, an item behind the cut moves into a free stack",
         {{1, 1}, {0, 0}, {2, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {5, 9}},
         {{1, 1}, {5, 9}, {2, 2}, {0, 0}, {0, 0}, {0, 0}}},
        {"an item no longer in the table is emptied", {{9, 1}, {1, 1}, {0, 0}, {0, 0}, {0, 0}, {-2, 1}},
         {{0, 0}, {1, 1}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    };
    for (const Case& c : cases)
    {
        ItemList list = MakeList(c.before);
        FitStacksToItemTable(list);
        EXPECT_EQ(Contents(list), c.after) << c.what;
    }
}

} // namespace
