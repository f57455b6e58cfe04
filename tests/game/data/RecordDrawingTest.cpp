#include "game/data/RecordDrawing.h"

#include "GameDataTest.h"
#include "RecordingDrawTarget.h"
#include "game/data/EnemyUnitRecord.h"

#include <limits>

namespace
{

using Calls = std::vector<std::string>;

class RecordDrawingTest : public GameDataTest
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

    RecordingDrawTarget m_Target;
};

TEST_F(RecordDrawingTest, StatusPutsEveryTextAtItsPlace)
{
    UnitRecord unit = Sample();
    unit.m_strText = "ひとこと\nふたこと";
    unit.m_Equip[0].SetItem(1);
    unit.DrawStatus(m_Target, 16, 24, 1);
    const std::string parameters = "HP    90 / 120\nSP     6 /  20\nこうげき  22\nまもり   23\nまりょく  24\n"
                                   "ていこう  25\nわざ    26\nはんのう  27\nはやさ   28\n";
    const Calls expected = {
        "box 0 (16,24) 608x160",
        "blit 7 (16,20) 48x48 from (0,816)", // face of graphic 17
        "text 0 (18,72) friend1\nソルジャー\nLV   3\nEX  42\nいどうりょく  5",
        "text 0 (162,136) F",
        "text 0 (216,24) " + parameters,
        "text 0 (376,56) ( 12)\n( 13)\n( 14)\n( 15)\n( 16)\n( 17)\n( 18)\n",
        "textbox 0 (14,192) 610x32 margin 0 colour font ひとこと\nふたこと",
        "blit 5 (32,152) 16x16 from (112,0)",
        "text 0 (48,152) ソード",
        "blit 6 (32,168) 16x16 from (80,96)", // the empty other slot
        "text 0 (48,168) --------",
    };
    EXPECT_EQ(m_Target.Calls(), expected);

    // Without base values, comment, flying and weapon.
    m_Target.Clear();
    ClassTable.At(1).m_bFlying = 0;
    unit.m_strText.clear();
    unit.m_Equip[0].SetItem(0);
    unit.DrawStatus(m_Target, 0, 0, 0);
    const Calls plain = {
        "box 0 (0,0) 608x160",
        "blit 7 (0,-4) 48x48 from (0,816)",
        "text 0 (2,48) friend1\nソルジャー\nLV   3\nEX  42\nいどうりょく  5",
        "text 0 (200,0) " + parameters,
        "blit 6 (16,128) 16x16 from (64,96)",
        "text 0 (32,128) --------",
        "blit 6 (16,144) 16x16 from (80,96)",
        "text 0 (32,144) --------",
    };
    EXPECT_EQ(m_Target.Calls(), plain);

    m_Target.Clear();
    unit.MakeEmpty();
    unit.DrawStatus(m_Target, 0, 0, 1);
    unit.DrawFace(m_Target, 0, 0);
    EXPECT_TRUE(m_Target.Calls().empty());
}

TEST_F(RecordDrawingTest, SkillListShowsSpAndNamesAndGreysWhatCostsTooMuch)
{
    UnitRecord unit = Sample();
    unit.m_Skill.assign(4, SkillEntry());
    unit.m_Skill.At(0).m_nSkill = 2;
    unit.m_Skill.At(2).m_nSkill = 1;
    unit.DrawSkillList(m_Target, 400, 100, 0, 3);
    const Calls expected = {
        "box 0 (400,100) 208x64",
        "fill (400,115) 208x1 colour 189",
        "text 0 (400,100) SP 6 / 20",
        "blit 5 (416,116) 16x16 from (64,0)", // 9 SP is more than the 6 left: grey
        "text 1 (432,116) ファイア",
        "blit 5 (416,148) 16x16 from (64,0)", // the empty entry leaves its row blank
        "text 0 (432,148) ヒール",
    };
    EXPECT_EQ(m_Target.Calls(), expected);

    // From position 2 with room for five: the list ends after two entries.
    m_Target.Clear();
    unit.DrawSkillList(m_Target, 0, 0, 2, 5);
    const Calls tail = {
        "box 0 (0,0) 208x96",     "fill (0,15) 208x1 colour 189",
        "text 0 (0,0) SP 6 / 20", "blit 5 (16,16) 16x16 from (64,0)",
        "text 0 (32,16) ヒール",
    };
    EXPECT_EQ(m_Target.Calls(), tail);

    m_Target.Clear();
    unit.DrawSkillList(m_Target, 0, 0, std::numeric_limits<int>::max(), 2);
    EXPECT_EQ(m_Target.Calls().size(), 3u); // frame, line and SP only

    m_Target.Clear();
    unit.MakeEmpty();
    unit.DrawSkillList(m_Target, 0, 0, 0, 2);
    EXPECT_EQ(m_Target.Calls(), (Calls{"box 0 (0,0) 208x48", "fill (0,15) 208x1 colour 189"}));
}

TEST_F(RecordDrawingTest, InventoryListLaysOutStacksCountsAndPrices)
{
    ItemList list = {ItemStack(1, 3), ItemStack(), ItemStack(4, 12)};
    DrawInventoryList(m_Target, 10, 20, list, 0, 4, 1, kPriceSell, nullptr, "なし");
    const Calls expected = {
        "box 0 (10,20) 336x80",
        "fill (10,35) 336x1 colour 189",
        "text 0 (10,20)     もちもの",
        "blit 5 (26,36) 16x16 from (112,0)",
        "text 0 (42,36) ソード",
        "text 0 (186,36)     61S", // 121 x 50% = 60.5, rounded away from zero
        "text 0 (314,36)  3",
        "text 0 (10,52) なし",
        "blit 5 (26,68) 16x16 from (112,0)",
        "text 0 (42,68) ヤリ",
        "text 0 (186,68)     40S",
        "text 0 (314,68) 12",
        // the fourth row has no stack: blank
    };
    EXPECT_EQ(m_Target.Calls(), expected);

    // Width by what the rows show; a title of its own; empty stacks blank without a text.
    struct Case
    {
        int showCount;
        int priceMode;
        const char* frame;
        const char* lastText;
    };
    const Case cases[] = {
        {1, kPriceBuy, "box 0 (0,0) 336x32", "text 0 (304,16)  3"},
        {1, kPriceNone, "box 0 (0,0) 208x32", "text 0 (176,16)  3"},
        {0, kPriceBuy, "box 0 (0,0) 288x32", "text 0 (176,16)    121S"},
        {0, kPriceNone, "box 0 (0,0) 160x32", "text 0 (32,16) ソード"},
    };
    for (const Case& c : cases)
    {
        m_Target.Clear();
        DrawInventoryList(m_Target, 0, 0, list, 0, 1, c.showCount, c.priceMode, "ぶき", nullptr);
        ASSERT_GE(m_Target.Calls().size(), 4u);
        EXPECT_EQ(m_Target.Calls().front(), c.frame);
        EXPECT_EQ(m_Target.Calls()[2], "text 0 (0,0) ぶき");
        EXPECT_EQ(m_Target.Calls().back(), c.lastText);
    }
    m_Target.Clear();
    DrawInventoryList(m_Target, 0, 0, list, 1, 1, 0, kPriceNone, nullptr, nullptr);
    EXPECT_EQ(m_Target.Calls().size(), 3u); // frame, line and title only
    for (int first : {std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
    {
        m_Target.Clear();
        DrawInventoryList(m_Target, 0, 0, list, first, 3, 1, kPriceNone, nullptr, "なし");
        EXPECT_EQ(m_Target.Calls().size(), 3u) << first; // no row lies in the list
    }
}

TEST_F(RecordDrawingTest, NameBoxesAndDescriptionsOfSkillsAndItems)
{
    DrawNameBox(m_Target, SkillTable.At(1), 8, 8);
    DrawDescription(m_Target, SkillEntry(), 0, 0); // skill 0: nothing
    DrawDescription(m_Target, SkillTable.At(1), 16, 440);
    DrawNameBox(m_Target, ItemTable.At(1), 100, 8);
    DrawDescription(m_Target, ItemStack(1, 1), 16, 456);
    DrawDescription(m_Target, ItemStack(), 0, 0);
    DrawIconName(m_Target, ItemTable.At(4), 0, 200, kPriceBuy);
    DrawIconName(m_Target, SkillTable.At(2), 0, 220, kFontStandard, 0);
    DrawIconName(m_Target, SkillTable.At(2), 0, 240, kFontGrey, 1);
    const Calls expected = {
        "box 0 (8,8) 64x16", // three characters and the icon
        "blit 5 (8,8) 16x16 from (64,0)",
        "text 0 (24,8) ヒール",
        "box 0 (16,440) 608x16",
        "text 0 (16,440) 傷を治す",
        "box 0 (100,8) 64x16",
        "blit 5 (100,8) 16x16 from (112,0)",
        "text 0 (116,8) ソード",
        "box 0 (16,456) 608x16",
        "text 0 (16,456) よく切れる",
        "blit 5 (0,200) 16x16 from (112,0)",
        "text 0 (16,200) ヤリ",
        "text 0 (160,200)     80S",
        "blit 5 (0,220) 16x16 from (64,0)",
        "text 0 (16,220) ファイア",
        "blit 5 (0,240) 16x16 from (64,0)",
        "text 1 (16,240) ファイア", // the cost in the same font
        "text 1 (160,240)  9",
    };
    EXPECT_EQ(m_Target.Calls(), expected);
}

TEST_F(RecordDrawingTest, LandInformationIsOneWhiteTextBox)
{
    LandRecord land;
    land.SetDefaults();
    land.m_strName = "草原";
    land.m_nMoveCost = 2;
    land.m_strText = "見通しがよい";
    struct Case
    {
        int withHeader;
        int32_t noEntry;
        const char* text;
        const char* expected; // null: nothing drawn
    };
    const Case cases[] = {
        {1, 0, "見通しがよい", "textbox 0 (5,6) 0x0 margin 0 colour FFFFFF 草原   いどうりょく-2\n見通しがよい"},
        {1, 1, "", "textbox 0 (5,6) 0x0 margin 0 colour FFFFFF 草原   いどうふかのう\n"},
        {0, 0, "見通しがよい", "textbox 0 (5,6) 0x0 margin 0 colour FFFFFF 見通しがよい"},
        {0, 1, "", nullptr},
    };
    for (const Case& c : cases)
    {
        m_Target.Clear();
        land.m_bNoEntry = c.noEntry;
        land.m_strText = c.text;
        DrawLandInfo(m_Target, land, 5, 6, c.withHeader);
        EXPECT_EQ(m_Target.Calls(), c.expected ? Calls{c.expected} : Calls{}) << "case " << &c - cases;
    }
}

TEST_F(RecordDrawingTest, ChipsTakeTheirCellLookAndBadge)
{
    // Graphic 17: column 1 (x 64), row 2 (y 64) of the sheet; enemies from the right half.
    struct Case
    {
        bool enemy;
        int selector;
        int32_t onMap, acted, down, leader;
        Calls expected;
    };
    const Case cases[] = {
        {false, 0, 1, 0, 0, 0, {"blit 13 (40,50) 32x32 from (64,64)"}},
        {false, 0, 0, 1, 0, 0, {"blit 14 (40,50) 32x32 from (64,64)"}},
        {false, 1, 1, 0, 0, 0, {"blit 14 (40,50) 32x32 from (64,64)"}},
        {false, 1, 0, 1, 0, 1, {"blit 13 (40,50) 32x32 from (64,64)", "blit 6 (56,50) 16x16 from (64,16)"}},
        {false, 0, 0, 0, 1, 1, {}}, // down: not drawn
        {true, 1, 1, 0, 0, 0, {"blit 13 (40,50) 32x32 from (96,64)"}},
        {true, 1, 0, 1, 0, 0, {"blit 14 (40,50) 32x32 from (96,64)"}},
        {true, 0, 0, 0, 1, 0, {}},
    };
    EnemyTable.assign(1, EnemyRecord());
    EnemyTable.At(0).SetDefaults();
    for (const Case& c : cases)
    {
        m_Target.Clear();
        UnitRecord unit = Sample();
        EnemyUnitRecord enemy(EnemyTable.At(0));
        CharacterRecord& drawn = c.enemy ? static_cast<CharacterRecord&>(enemy) : unit;
        drawn.m_nPlayB = c.onMap;
        drawn.m_nPlayC = c.acted;
        drawn.m_nPlayD = c.down;
        drawn.m_nPlayA = c.leader;
        if (c.enemy)
        {
            enemy.DrawChip(m_Target, 40, 50, c.selector);
        }
        else
        {
            unit.DrawChip(m_Target, 40, 50, c.selector);
        }
        EXPECT_EQ(m_Target.Calls(), c.expected) << "case " << &c - cases;
    }
    m_Target.Clear();
    UnitRecord empty;
    empty.MakeEmpty();
    empty.DrawChip(m_Target, 0, 0, 0);
    EXPECT_TRUE(m_Target.Calls().empty());
}

} // namespace
