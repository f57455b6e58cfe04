#pragma once

// The game-data fixture with a database to draw: icons of the skill and item
// categories, a named class, items and skills, and a unit with fixed values.

#include "GameDataTest.h"

class RecordDrawingFixture : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        System.m_SkillCategory.At(0).m_nSymbol = 4; // skill icons from cell 4
        System.m_ItemCategory.At(0).m_nSymbol = 7;  // item icons from cell 7
        System.m_nItemSellRate = 50;

        ClassRecord& cls = ClassTable.At(1);
        cls.m_strName = "ソルジャー";
        cls.m_nGraphic = 17;
        cls.m_nMove = 5;
        cls.m_bFlying = 1;

        ItemTable.At(1).m_strName = "ソード";
        ItemTable.At(1).m_strText = "よく切れる";
        ItemTable.At(1).m_nPrice = 121;
        ItemTable.At(4).m_strName = "ヤリ";
        ItemTable.At(4).m_nPrice = 80;

        SkillTable.At(1).m_strName = "ヒール";
        SkillTable.At(1).m_strText = "傷を治す";
        SkillTable.At(1).m_nSpCost = 3;
        SkillTable.At(2).m_strName = "ファイア";
        SkillTable.At(2).m_nSpCost = 9;
    }

    // Friend 1 with fixed values: level 3, experience 42, HP 90 of 120,
    // SP 6 of 20, the other seven parameters base 10 + k and value 20 + k.
    static UnitRecord Sample()
    {
        UnitRecord unit(FriendTable.At(1));
        unit.m_nExp = 42;
        unit.m_Param[0].m_nBase = 120;
        unit.m_Param[0].m_nValue = 90;
        unit.m_Param[1].m_nBase = 20;
        unit.m_Param[1].m_nValue = 6;
        for (int k = 2; k < kParameterCount; ++k)
        {
            unit.m_Param[k].m_nBase = 10 + k;
            unit.m_Param[k].m_nValue = 20 + k;
        }
        return unit;
    }
};
