#include "common/data/DatabaseVocabulary.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct ListCase
{
    const char* name;
    const WordList& list;
    int count;
    const char* first;
    const char* last;
};

TEST(DatabaseVocabularyTest, ListsHoldTheirWordsInOrderAndEndWithOneEmptyEntry)
{
    const ListCase cases[] = {
        {"BattleAiActionNames", BattleAiActionNames, 3, "攻撃", "クイック"},
        {"AiSubjectNames", AiSubjectNames, 2, "自分", "相手"},
        {"AiConditionParamNames", AiConditionParamNames, 15, "HP", "地形"},
        {"ItemKindNames", ItemKindNames, 4, "薬", "宝"},
        {"ItemColorNames", ItemColorNames, 8, "そのまま（カラーアニメなし）", "黒"},
        {"LandEffectNames", LandEffectNames, 2, "なし", "戦闘時間の修正(%)"},
        {"MoveAiModeNames", MoveAiModeNames, 3, "待機", "回復"},
        {"MoveAiRangeNames", MoveAiRangeNames, 3, "マップ全範囲内", "自分＋隣4マス内"},
        {"MoveAiTargetNames", MoveAiTargetNames, 9, "最も近い味方", "最も近い目的地"},
        {"SkillKindNames", SkillKindNames, 7, "武器攻撃", "地形"},
        {"SkillTargetNames", SkillTargetNames, 4, "自分", "地形"},
        {"SkillSpecialNames", SkillSpecialNames, 1, "なし", "なし"},
        {"SkillColorNames", SkillColorNames, 8, "そのまま（カラーアニメなし）", "黒"},
        {"BgmSlotNames", BgmSlotNames, 4, "ステージ", "タイトル"},
        {"BgmChangeSceneNames", BgmChangeSceneNames, 3, "ステージ", "ワールドマップ"},
        {"FormationMenuNames", FormationMenuNames, 12, "ステータス", "しゅうりょう"},
        {"PlacementMenuNames", PlacementMenuNames, 6, "はいち", "せんとうかいし"},
        {"MapCharaMenuNames", MapCharaMenuNames, 5, "特殊コマンド", "もちもの"},
        {"MapMenuNames", MapMenuNames, 4, "サーチ", "ターンしゅうりょう"},
        {"BattleCharaMenuNames", BattleCharaMenuNames, 4, "こうげき", "もちもの"},
    };
    for (const ListCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.list.Count(), c.count);
        ASSERT_EQ(c.list.Words().size(), static_cast<std::size_t>(c.count) + 1);
        EXPECT_STREQ(c.list.At(0), c.first);
        EXPECT_STREQ(c.list.At(c.count - 1), c.last);
        for (int row = 0; row < c.count; ++row)
        {
            EXPECT_STRNE(c.list.At(row), "") << "row " << row;
        }
        EXPECT_STREQ(c.list.Words().back(), "");
        // A row outside the list (a file changed by other means) reads as "".
        EXPECT_STREQ(c.list.At(c.count), "");
        EXPECT_STREQ(c.list.At(-1), "");
    }
}

TEST(DatabaseVocabularyTest, ParameterNamesComeFirstInTheirFixedOrder)
{
    const char* expected[] = {"HP", "SP", "こうげき", "まもり", "まりょく", "ていこう", "わざ", "はんのう", "はやさ"};
    for (int k = 0; k < 9; ++k)
    {
        EXPECT_STREQ(AiConditionParamNames.At(k), expected[k]);
    }
    EXPECT_STREQ(MoveAiTargetNames.At(8), "最も近い目的地");
}

TEST(DatabaseVocabularyTest, WordsAreCp932Text)
{
    // "攻撃" in CP932.
    EXPECT_EQ(std::string(BattleAiActionNames.At(0)), std::string("\x8D\x55\x8C\x82"));
}

} // namespace
