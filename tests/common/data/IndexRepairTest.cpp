// An index repaired to entry 1 becomes 0 when its table has no entry 1.
#include "common/data/CharacterRecord.h"
#include "common/data/Event.h"
#include "common/data/ProjectData.h"
#include "common/data/StageRecord.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

namespace
{

using IndexRepairTest = ProjectFixture;

TEST_F(IndexRepairTest, RepairToOneNeedsTwoEntries)
{
    for (int entries : {0, 1, 2, 5})
    {
        SCOPED_TRACE(entries);
        int expected = entries >= 2 ? 1 : 0;

        ItemTable.assign(static_cast<std::size_t>(entries), ItemRecord());
        ShopItemEntry goods;
        goods.m_nItem = 40;
        goods.Validate();
        EXPECT_EQ(goods.m_nItem, expected);

        Stage.m_GroupPos.assign(static_cast<std::size_t>(entries), PositionGroup());
        ExplanationPage page;
        page.m_nGroup = -3;
        page.Validate(&Stage);
        EXPECT_EQ(page.m_nGroup, expected);

        if (entries > 0) // without classes the check leaves a character alone
        {
            ClassTable.assign(static_cast<std::size_t>(entries), ClassRecord());
            FriendRecord hero;
            hero.m_nClass = 99;
            hero.Validate();
            EXPECT_EQ(hero.m_nClass, expected);
        }
    }
    ClassTable.clear();
}

} // namespace
